#pragma once
// A legend's arrangement: rows and columns of cells of one width, filled column by column, or, when a
// legend had to fit a region, an explicit cell for each entry. All lengths are millimetres.
#include <cstddef>
#include <vector>

#include <QBrush>
#include <QPen>
#include <QPointF>
#include <QSizeF>

#include "platform/qt/Graphics.h"
#include "printsetup/legend/LegendUtils.h"

class LegendStyle;

class LegendGrid {
public:
    struct Cell {
        unsigned row = 0;
        unsigned column = 0;
    };

    // A grid whose height is at most `maxHeight` (boxes and vertical gaps; the inner margins are not
    // counted), as many columns as the entries need. The cell width is the widest entry measured on
    // the graphics' device, at least `minCellWidth`.
    static LegendGrid Compute(const LegendStyle& style, ORBAX_Platform::Graphics& graphics,
                              const LegendUtils::LegendItems& entries, float maxHeight, float minCellWidth);
    // The same for `count` entries of a known cell width.
    static LegendGrid Compute(const LegendStyle& style, std::size_t count, float maxHeight, float cellWidth);

    // The rows: `rows`, or with explicit cells the largest row index + 1 (0 without cells).
    unsigned GetMaxRow() const;
    unsigned GetMaxColumn() const;
    // How many entries the grid holds: rows x columns, or the number of explicit cells.
    std::size_t Capacity() const;

    // Width and height of the legend with its inner margins.
    QSizeF GetSize(const LegendStyle& style) const;

    // Draw the entries from `origin` (the legend's top-left corner): column after column, row after
    // row, or each in its explicit cell (by columns when there are none). Boxes are outlined with
    // `boxPen`, names written with `textBrush`.
    void DrawByColumns(const LegendStyle& style, ORBAX_Platform::Graphics& graphics,
                       const LegendUtils::LegendItems& entries, const QPointF& origin, const QPen& boxPen,
                       const QBrush& textBrush) const;
    void DrawByRows(const LegendStyle& style, ORBAX_Platform::Graphics& graphics,
                    const LegendUtils::LegendItems& entries, const QPointF& origin, const QPen& boxPen,
                    const QBrush& textBrush) const;
    void Draw(const LegendStyle& style, ORBAX_Platform::Graphics& graphics, const LegendUtils::LegendItems& entries,
              const QPointF& origin, const QPen& boxPen, const QBrush& textBrush) const;

    // The top-left corner of the cell at (row, column) in a legend drawn from `origin`.
    static QPointF CellOrigin(const LegendStyle& style, float cellWidth, const QPointF& origin, unsigned row,
                              unsigned column);

    unsigned rows = 0;
    unsigned columns = 0;
    float cellWidth = 0.0f;
    bool explicitCells = false;
    std::vector<Cell> cells;
};
