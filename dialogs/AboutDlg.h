#pragma once
// The about box: logo, version and release date, the maker's contact details, and a button that
// checks the maker's web host for a newer release. The answer comes in a small box whose text may
// hold links; a click on a link opens it in the desktop's handler.
#include <string>

#include <QDialog>

class QLabel;
class QPushButton;
class CUpdateCheck;

// The small message box with a link label (dialog 260): the application's title as caption, the
// information icon, and a text given as link markup converted to rich text.
class CSysLinkMessageBox : public QDialog {
    Q_OBJECT
public:
    // `html` is rich text as LinkMarkupToHtml makes it; only its web links can be opened.
    CSysLinkMessageBox(const QString& caption, const QString& html, QWidget* parent = nullptr);
    int DoModal();

private:
    QLabel* m_text;
};

// Shows the box modally through the dialog service.
int SysLinkMessageBox(QWidget* parent, const QString& caption, const QString& html);

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    int DoModal();

    // Message 183 for this program: "QUOR_Log Version 3.3, Build 7", a line break, "Released 2016-11-23".
    static std::wstring VersionText();

    bool IsChecking() const;

public slots:
    // Starts the check; the answer is shown when it arrives, the window staying usable meanwhile.
    void OnCheckForUpdates();
    // Opens a link of the contact details.
    void OnNMClickSysLink(const QString& link);

    void done(int result) override;

private:
    void OnUpdateCheckFinished(int outcome, const QString& text);

    QPushButton* m_check;
    CUpdateCheck* m_update;
};
