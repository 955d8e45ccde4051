#pragma once
// The drawing and measuring shared by the owner-drawn lists and combo boxes: banded rows (even rows
// on the button-highlight colour, odd rows on the base colour, the selected row on the highlight
// colour), the text inset by the border width and drawn in the item's own colour when it has one,
// and, for the hatch controls, a swatch of the item's pattern at the right-hand end.
#include <QStyledItemDelegate>

#include "config/HatchList.h"

// The application's three pattern tables that the hatch controls draw swatches from (not owned).
struct HatchTables {
    const VectorTable* vectors = nullptr;
    const BitmapTable* bitmaps = nullptr;
    const InbuiltTable* inbuilts = nullptr;
};

class OwnerDrawDelegate : public QStyledItemDelegate {
public:
    enum Style {
        ColourText, // wrapped text in the item's colour
        HatchList,  // wrapped text in the item's colour and a swatch
        HatchCombo  // one line of text, centred vertically, and a swatch; rows two lines tall
    };

    // `control` is the list or combo box that owns the delegate; `swatchWidth` points at the
    // control's swatch width (negative: none yet).
    OwnerDrawDelegate(Style style, QWidget* control, const HatchTables& tables = HatchTables(),
                      const int* swatchWidth = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Draws an item's text and swatch (no background) into `rect`: the closed field of a combo box
    // uses it. `selected` picks the highlighted text colour for an item without its own colour.
    void paintContent(QPainter* painter, const QRect& rect, const QModelIndex& index, const QFont& font,
                      const QPalette& palette, bool selected) const;

    // The size of `text` measured as the items are: wrapped at `width` less the margins (one line for
    // the hatch combo, doubled in height), margins included.
    QSize measure(const QString& text, const QFont& font, int width) const;

    // Draws the pattern `name` of `kind` into `swatch` (device pixels of the painter) with a one-pixel
    // black outline; nothing when the name is empty or names no pattern.
    static void DrawSwatch(QPainter* painter, const QRectF& swatch, const std::wstring& name, int kind,
                           const HatchTables& tables);

    // The border width that insets the text left and right, and the inset top and bottom.
    static constexpr int marginX = 1;
    static constexpr int marginY = 0;

private:
    int availableWidth() const;

    Style m_style;
    QWidget* m_control;
    HatchTables m_tables;
    const int* m_swatchWidth;
};
