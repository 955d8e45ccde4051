#pragma once
// The vector pattern editor: adds, renames and deletes vector patterns, sets a pattern's cell size and
// background colour, compiles its element text and previews it tiled and at full width. It works on a
// copy of the application's vector table; after OK the launcher puts `patterns` back
// (EditedTables::ApplyVectors), Cancel drops it.
#include <vector>

#include <QDialog>

#include "config/HatchList.h"
#include "config/VectorPattern.h"

class CColourComboBox;
class CColourPatch;
class CVectorView;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CVectorEditor : public QDialog {
    Q_OBJECT
public:
    // Copies the table's patterns in ascending id.
    explicit CVectorEditor(const VectorTable& table, QWidget* parent = nullptr);

    // Runs the editor through the dialog service; QDialog::Accepted after OK.
    int DoModal();

    // OK: pending changes to the shown pattern are offered for compiling first.
    void accept() override;

    // The edited copy, handed back after OK.
    std::vector<VectorPattern> patterns;

private slots:
    void OnSelchangeVector();
    void OnChangeDefinition();
    void OnCompileAndUpdate();
    void OnChooseColour();
    void OnAdd();
    void OnDelete();
    void OnRename();
    void OnHelp();

private:
    void build();
    void OnInitDialog();
    int SelectedPosition() const;
    // Offers to compile the pattern whose changes are pending; false when the user said Yes and the
    // compile failed, its item then being selected again.
    bool SettlePendingChanges();
    // Compiles the shown pattern's size, colour and elements; the pattern changes only when all of
    // them are accepted.
    bool CompileShown();
    void ShowSelection();
    void UpdateControls();
    void PointPreviews();

    CColourComboBox* nameCombo = nullptr;     // 1254
    CVectorView* fullWidthPreview = nullptr;  // 1255
    CVectorView* tiledPreview = nullptr;      // 1253
    CColourPatch* colourPatch = nullptr;      // 1142
    QPlainTextEdit* definitionEdit = nullptr; // 1256
    QLineEdit* widthEdit = nullptr;           // 1009
    QLineEdit* heightEdit = nullptr;          // 1258
    QPushButton* colourButton = nullptr;      // 1260
    QPushButton* compileButton = nullptr;     // 1259
    QPushButton* deleteButton = nullptr;      // 1264
    QPushButton* renameButton = nullptr;      // 1249
    bool modified = false;
    int lastSelection = -1;
    // The pattern whose values the controls show (its position), which pending changes belong to.
    int shownPosition = -1;
};
