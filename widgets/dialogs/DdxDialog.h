#pragma once
// The base of the small modal dialogs: they load their controls from the caller's copies when they
// open, and read them back when OK is pressed. A control whose text is refused keeps the dialog open
// with the refusal shown and the focus back in the control. Help (F1 and any Help button) opens the
// dialog's own topic when it has one, else the help page of the dialog's number.
#include <string>

#include <QDialog>

class QAbstractButton;

class DdxDialog : public QDialog {
    Q_OBJECT
public:
    // `resource` is the dialog's number: its object name is "dlg" + number.
    explicit DdxDialog(int resource, QWidget* parent = nullptr);

    // Runs OnInitDialog, then the dialog through the dialog service; QDialog::Accepted after OK.
    int DoModal();
    // Runs the exchange; false when a saving exchange refused a control (shown to the user).
    bool UpdateData(bool save);

    int resource() const { return m_resource; }
    void setHelpTopic(const std::wstring& topic) { m_helpTopic = topic; }
    const std::wstring& helpTopic() const { return m_helpTopic; }

public slots:
    // Saves the controls and closes with Accepted, unless a control is refused.
    void accept() override;
    // The dialog's help: its topic, or context 0x20000 + its number.
    void OnHelp();

protected:
    // Loads the controls; a derived dialog adds its own set-up around this call.
    virtual bool OnInitDialog();
    // Exchanges every control with its value, in the order the dialog defines.
    virtual void exchange(bool save) = 0;
    // Lets a Help button of the dialog open its help.
    void connectHelp(QAbstractButton* button);

private:
    int m_resource;
    std::wstring m_helpTopic;
};
