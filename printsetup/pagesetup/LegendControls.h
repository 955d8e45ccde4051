#pragma once
// The controls of a legend's order, contents, box size and font, in labelled rows of a grid: the
// page-setup sheet's Legend page and a page layout's legend properties edit the same values with
// the same controls.
#include <QString>

class FontDescription;
class LegendStyle;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// Adds a row to `grid` at `row` and moves `row` on: the label (the control's buddy), the control and,
// when there is one, the unit.
void AddLabelledRow(QGridLayout* grid, int& row, const QString& label, QWidget* control,
                    const QString& unit = QString());

struct LegendControls {
    QComboBox* sort = nullptr;      // 1324
    QComboBox* include = nullptr;   // 1325
    QLineEdit* boxWidth = nullptr;  // 1009
    QLineEdit* boxHeight = nullptr; // 1258
    QPushButton* font = nullptr;    // 1329

    // The order, the contents and the box size (height, then width); a box size that is not a
    // number is refused.
    void Exchange(bool save, int& sortOrder, int& includeMode, LegendStyle& style) const;
    // The font button shows the font's description.
    void ShowFont(const FontDescription& description) const;
    // The font prompt, starting at the font; the button shows the font chosen.
    void ChooseFont(FontDescription& description, QWidget* parent) const;
};

// Makes the controls on `parent` and lays them out in rows of `grid` from `row` on.
LegendControls AddLegendRows(QWidget* parent, QGridLayout* grid, int& row);
