#pragma once
// The bitmap pattern editor: adds, renames and deletes bitmap patterns, switches a pattern between an
// image file and mono rows, chooses its file, compiles its rows and width, and previews the result.
// It works on a copy of the application's bitmap table; after OK the launcher puts `patterns` back
// (EditedTables::ApplyBitmaps), Cancel drops it.
#include <vector>

#include "config/BitmapPattern.h"
#include "config/HatchList.h"
#include "editors/patterns/PatternEditor.h"

class CBitmapView;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class UpDownControl;

class CBitmapEditor : public PatternTableEditor<BitmapPattern> {
    Q_OBJECT
public:
    explicit CBitmapEditor(const BitmapTable& table, QWidget* parent = nullptr);

private slots:
    void OnSelchangeBitmap();
    void OnSourceType();
    void OnBrowseFile();

private:
    void build();
    // Red for a pattern without width or height, the normal colour otherwise.
    void ColourItemOf(int position) override;
    void PointPreviews() override;
    void ShowPattern(int position) override;
    // An image-file pattern has nothing to compile; mono rows compile with the typed width.
    bool CompileShown() override;
    void UpdatePatternControls(bool selected) override;

    CBitmapView* preview = nullptr; // 1253
    // An image file: its name and the prompt for it.
    QRadioButton* externalRadio = nullptr; // 1265
    QLineEdit* fileEdit = nullptr;         // 1267
    QPushButton* browseButton = nullptr;   // 1268
    // Mono rows: the rows and their width.
    QRadioButton* monoRadio = nullptr;  // 1266
    QPlainTextEdit* rowsEdit = nullptr; // 1256
    QLineEdit* widthEdit = nullptr;     // 1009
    UpDownControl* spin = nullptr;      // 1170
};
