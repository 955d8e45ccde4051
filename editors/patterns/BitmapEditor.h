#pragma once
// The bitmap pattern editor: adds, renames and deletes bitmap patterns, switches a pattern between an
// image file and mono rows, chooses its file, compiles its rows and width, and previews the result.
// It works on a copy of the application's bitmap table; after OK the launcher puts `patterns` back
// (EditedTables::ApplyBitmaps), Cancel drops it.
#include <vector>

#include <QDialog>

#include "config/BitmapPattern.h"
#include "config/HatchList.h"

class CBitmapView;
class CColourComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class UpDownControl;

class CBitmapEditor : public QDialog {
    Q_OBJECT
public:
    // Copies the table's patterns in ascending id.
    explicit CBitmapEditor(const BitmapTable& table, QWidget* parent = nullptr);

    // Runs the editor through the dialog service; QDialog::Accepted after OK.
    int DoModal();

    // OK: pending changes to the shown pattern are offered for compiling first.
    void accept() override;

    // The edited copy, handed back after OK.
    std::vector<BitmapPattern> patterns;

    CBitmapView* previewWindow() const { return preview; }

private slots:
    void OnSelchangeBitmap();
    void OnChangeDefinition();
    void OnCompileAndUpdate();
    void OnAdd();
    void OnDelete();
    void OnRename();
    void OnSourceType();
    void OnBrowseFile();
    void OnHelp();

private:
    void build();
    void OnInitDialog();
    // The position in `patterns` of the selected item; -1 without a selection.
    int SelectedPosition() const;
    // Red for a pattern without width or height, the normal colour otherwise.
    void ColourItemOf(int position);
    // Offers to compile the pattern whose changes are pending; false when the user said Yes and the
    // compile failed, its item then being selected again.
    bool SettlePendingChanges();
    // Compiles the shown pattern's rows and width; the pattern changes only when they compile.
    bool CompileShown();
    // Shows the selected pattern (or none) in the controls and the preview.
    void ShowSelection();
    void UpdateControls();
    void PointPreview();

    CColourComboBox* nameCombo = nullptr;  // 1174
    CBitmapView* preview = nullptr;        // 1253
    QPlainTextEdit* rowsEdit = nullptr;    // 1256
    QLineEdit* widthEdit = nullptr;        // 1009
    UpDownControl* spin = nullptr;         // 1170
    QRadioButton* externalRadio = nullptr; // 1265
    QRadioButton* monoRadio = nullptr;     // 1266
    QLineEdit* fileEdit = nullptr;         // 1267
    QPushButton* browseButton = nullptr;   // 1268
    QPushButton* compileButton = nullptr;  // 1259
    QPushButton* deleteButton = nullptr;   // 1264
    QPushButton* renameButton = nullptr;   // 1249
    bool modified = false;
    int lastSelection = -1;
    // The pattern whose values the controls show (its position), which pending changes belong to.
    int shownPosition = -1;
};
