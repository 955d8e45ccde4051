#pragma once
// The vector pattern editor: adds, renames and deletes vector patterns, sets a pattern's cell size and
// background colour, compiles its element text and previews it tiled and at full width. It works on a
// copy of the application's vector table; after OK the launcher puts `patterns` back
// (EditedTables::ApplyVectors), Cancel drops it.
#include <vector>

#include "config/HatchList.h"
#include "config/VectorPattern.h"
#include "editors/patterns/PatternEditor.h"

class CColourPatch;
class CVectorView;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CVectorEditor : public PatternTableEditor<VectorPattern> {
    Q_OBJECT
public:
    explicit CVectorEditor(const VectorTable& table, QWidget* parent = nullptr);

private slots:
    void OnSelchangeVector();
    void OnChooseColour();

private:
    void build();
    // Both previews show the pattern, tiled and stretched to their width.
    void PointPreviews() override;
    void ShowPattern(int position) override;
    void UpdatePatternControls(bool selected) override;
    // The shown pattern's size, colour and elements; the pattern changes only when all of them are
    // accepted.
    bool CompileShown() override;

    CVectorView* fullWidthPreview = nullptr; // 1255
    CVectorView* tiledPreview = nullptr;     // 1253
    // The cell: its size in millimetres and its background colour.
    QLineEdit* widthEdit = nullptr;      // 1009
    QLineEdit* heightEdit = nullptr;     // 1258
    CColourPatch* colourPatch = nullptr; // 1142
    QPushButton* colourButton = nullptr; // 1260
    // The drawing elements, as text.
    QPlainTextEdit* definitionEdit = nullptr; // 1256
};
