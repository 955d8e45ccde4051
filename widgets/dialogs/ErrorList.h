#pragma once
// The one dialog through which the desktop program reports a collected list of problems: one line
// per problem, "<severity word>: <text>", with copy to the clipboard and help on the first selected
// problem.
#include <cstdint>
#include <string>
#include <vector>

#include <QDialog>
#include <QListWidget>
#include <QStyledItemDelegate>

#include "core/configfile/ConfigSchemaSection.h"

class QPushButton;

// One problem: its code (the number of its message less 1000, also the help context offset), its
// level (`severity`: 0 none, 1 info, 2 warning, 3 error, 4 fatal) and its text, shown unchanged. The desktop
// program's problems and the configuration's are the same record, so a configuration load or save
// reports straight into the list.
using ErrorEntry = ConfigMessage;
using ErrorEntries = ConfigMessageList;

// Appends an entry from a status word: the level in the high 16 bits, the code in the low 16 bits.
void addErrorEntry(const std::wstring& text, ErrorEntries& entries, std::uint32_t status);
// Appends one entry per borehole-library problem, its code given by the problem's kind.
using ORBAX_Config::appendLibraryErrors;
// True when an entry has a level other than 0 and a code other than 23 (cancelled by the user).
bool hasReportableErrors(const ErrorEntries& entries);
// "Warning: text", the severity word being message 166 + level.
std::wstring errorLine(const ErrorEntry& entry);

// The list: owner-drawn lines that wrap at the list's width, banded, with the text inset by the
// border width.
class CErrorListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CErrorListBox(QWidget* parent = nullptr);

    // Adds one line per entry; a word wider than the list widens every later line's measure.
    void AddEntries(const ErrorEntries& entries);
    // The width lines are measured at: the widest measure so far, or the viewport's width.
    int horizontalExtent() const { return m_extent; }
    int horizontalInset() const { return m_inset; }
    // The size of `text` laid out at `width`, insets included.
    QSize MeasureItem(const QString& text, int width) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int clientWidth() const;

    int m_inset;
    int m_extent = 0;
    int m_lastWidth = -1;
};

class CErrorListDelegate : public QStyledItemDelegate {
public:
    explicit CErrorListDelegate(CErrorListBox* list);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    CErrorListBox* m_list;
};

class CErrorList : public QDialog {
    Q_OBJECT
public:
    // A dialog over the caller's entries, which must outlive it; the caption, when given, replaces
    // "Errors or warnings occurred".
    explicit CErrorList(const ErrorEntries& entries, QWidget* parent = nullptr);
    CErrorList(const ErrorEntries& entries, const std::wstring& caption, QWidget* parent = nullptr);

    // Runs the dialog modally through the dialog service.
    int DoModal();

    CErrorListBox* list() const { return m_list; }

public slots:
    void OnCopy();
    void OnHelp();

private:
    void build();

    const ErrorEntries* m_entries;
    std::wstring m_caption;
    bool m_hasCaption = false;
    CErrorListBox* m_list = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_help = nullptr;
};
