#pragma once
// What the bitmap and vector pattern editors share: on a copy of a pattern table, the name combo with
// Add, Delete and Rename above the pattern's own controls and OK, Cancel and Help below; and the cycle
// of the shown pattern, whose typed changes wait to be compiled: choosing another pattern, adding or
// renaming one and OK first offer to compile them.
#include <memory>
#include <vector>

#include <QDialog>

#include "core/configfile/ConfigMessage.h"
#include "widgets/controls/ColourComboBox.h"
#include "widgets/controls/EditedTables.h"
#include "widgets/controls/EditorNames.h"
#include "widgets/controls/NamedRecordCombo.h"

class QLayout;
class QPushButton;

class CPatternEditor : public QDialog {
    Q_OBJECT
public:
    // Runs the editor through the dialog service; QDialog::Accepted after OK.
    int DoModal();

    // OK: pending changes to the shown pattern are offered for compiling first.
    void accept() override;

    // What tells the editors apart, beside their own controls.
    struct Texts {
        int dialog; // its number: the object name and the help context
        const char* title;
        const char* nameLabel;
        int nameComboId;
        int pendingChangesMessage; // asks whether to compile the pending changes
        const wchar_t* newName;    // the name the prompt of Add starts with
        EditorNames::NamePrompt prompt;
    };

protected:
    CPatternEditor(const Texts& texts, QWidget* parent);

    // The table the name combo lists; `make` builds a new pattern from its name.
    template <class Pattern, class Make>
    void ListTable(std::vector<Pattern>& patterns, Make make)
    {
        m_names = std::make_unique<NamedRecordCombo>(patterns, nameCombo, m_texts.prompt, make);
    }
    // Button 1259, which compiles the typed values: made where the editor lays it out, so that the
    // focus reaches it in its place.
    QPushButton* MakeCompileButton();
    // The dialog's layout: the name row, the pattern's own controls, the previews (which take the
    // room to spare) and the buttons, at least `minimum` large.
    void Layout(QLayout* controls, QWidget* previews, const QSize& minimum);
    // Lists the names, selects the first and shows it.
    void OnInitDialog();

    // The position in the table of the selected pattern; -1 without a selection.
    int SelectedPosition() const;
    // A choice in the name combo: the pending changes are settled, then the chosen pattern shown.
    void SelectionChanged();
    // Offers to compile the pattern whose changes are pending; false when the user said Yes and the
    // compile failed, its item then being selected again.
    bool SettlePendingChanges();
    // Shows the selected pattern (or none) in the controls and the previews.
    void ShowSelection();
    void UpdateControls();

    // Compiles the shown pattern's typed values; the pattern changes only when they compile. False
    // when they did not.
    virtual bool CompileShown() = 0;
    // The end of every compile: the typed values are taken when they compiled, their messages shown
    // when they did not, and the previews and the item show the pattern. False when the messages
    // hold an error.
    bool CompileDone(bool compiled, const ConfigMessageList& messages);
    // Fills the pattern's own controls with the pattern at `position`, or empties them for -1.
    virtual void ShowPattern(int position) = 0;
    // Points the previews at the shown pattern, which may have moved in memory.
    virtual void PointPreviews() = 0;
    virtual void UpdatePatternControls(bool selected) = 0;
    // Gives the pattern's item the colour of its state (the vector editor's items have none).
    virtual void ColourItemOf(int position) { (void)position; }

    CColourComboBox* nameCombo = nullptr;
    QPushButton* compileButton = nullptr;
    bool modified = false;
    int lastSelection = -1;
    // The pattern whose values the controls show (its position), which pending changes belong to.
    int shownPosition = -1;

protected slots:
    void OnChangeDefinition();
    void OnCompileAndUpdate();
    void OnAdd();
    void OnDelete();
    void OnRename();
    void OnHelp();

private:
    Texts m_texts;
    std::unique_ptr<NamedRecordCombo> m_names;
    QPushButton* m_add = nullptr;    // 1242
    QPushButton* m_delete = nullptr; // 1264
    QPushButton* m_rename = nullptr; // 1249
};

// A pattern editor on the copy of one table.
template <class Pattern>
class PatternTableEditor : public CPatternEditor {
public:
    // The edited copy, handed back after OK.
    std::vector<Pattern> patterns;

protected:
    // Copies the table's patterns in ascending id; `make` builds a new pattern from its name.
    template <class Table, class Make>
    PatternTableEditor(const Texts& texts, const Table& table, Make make, QWidget* parent)
        : CPatternEditor(texts, parent), patterns(EditedTables::Copy(table))
    {
        ListTable(patterns, make);
    }
};
