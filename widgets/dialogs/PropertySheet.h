#pragma once
// Tabbed sheets of pages with OK and Cancel (and Help where asked), never Apply. A page is loaded when
// it becomes the current one; leaving it saves it, and a page whose controls are refused stays current.
// OK saves the current page and closes; the caller then reads each page's copies. Pages that shown
// modes with a validity of their own enable and disable the sheet's OK button.
#include <string>
#include <vector>

#include <QDialog>
#include <QWidget>

class QPushButton;
class QTabWidget;
class PropertySheet;

class PropertyPage : public QWidget {
    Q_OBJECT
public:
    // `resource` is the page's dialog number (object name "dlg" + number); `title` is its tab's text.
    PropertyPage(int resource, const QString& title, QWidget* parent = nullptr);

    int resource() const { return m_resource; }
    const QString& title() const { return m_title; }
    PropertySheet* sheet() const { return m_sheet; }

    // The page becomes current: the first time it is set up (OnInitDialog); every time its controls
    // are loaded from its copies. False keeps the previous page.
    virtual bool OnSetActive();
    // The page stops being current or the sheet's OK is pressed: its controls are saved. False keeps it.
    virtual bool OnKillActive();
    // Runs the page's exchange; false when a saving exchange refused a control (shown to the user).
    bool UpdateData(bool save);
    bool initialised() const { return m_initialised; }

protected:
    // Set-up once, before the first loading.
    virtual void OnInitDialog() {}
    virtual void exchange(bool save) = 0;

private:
    friend class PropertySheet;
    int m_resource;
    QString m_title;
    PropertySheet* m_sheet = nullptr;
    bool m_initialised = false;
};

class PropertySheet : public QDialog {
    Q_OBJECT
public:
    PropertySheet(const std::wstring& caption, bool withHelp = false, QWidget* parent = nullptr);

    void AddPage(PropertyPage* page);
    // Makes the first page current and runs the sheet through the dialog service; Accepted after OK.
    int DoModal();

    QPushButton* okButton() const { return m_ok; }
    QPushButton* helpButton() const { return m_help; }
    QTabWidget* tabs() const { return m_tabs; }
    PropertyPage* currentPage() const;
    // Makes a page current (saving the one left); false when the page left refused.
    bool SetActivePage(int index);

public slots:
    void accept() override;
    // The current page's help: context 0x20000 + its number.
    void OnHelp();

private:
    void onTabChanged(int index);

    QTabWidget* m_tabs = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_help = nullptr;
    std::vector<PropertyPage*> m_pages;
    int m_current = -1;
};

// The sheet the document shows before a file is read or written: one format option page, the caption
// given, without Apply.
class CEnhancedPropertySheet : public PropertySheet {
    Q_OBJECT
public:
    explicit CEnhancedPropertySheet(const std::wstring& caption, QWidget* parent = nullptr)
        : PropertySheet(caption, false, parent)
    {
    }
};
