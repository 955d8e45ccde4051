#include "printsetup/legend/LegendGrid.h"

#include <algorithm>
#include <cmath>

#include "printsetup/legend/LegendStyle.h"

using ORBAX_Platform::Graphics;

namespace {

// One entry: its swatch outlined in the box, its name beside it, centred in the box height.
// `font` is the style's as drawn on the device (see `LegendStyle::DrawnNameFont`), made once for all.
void DrawEntry(const LegendStyle& style, Graphics& graphics, const LegendUtils::LegendItemDetails& entry,
               const QPointF& at, float cellWidth, const QFont& font, const QPen& boxPen, const QBrush& textBrush)
{
    const QRectF box(at.x(), at.y(), style.boxWidth, style.boxHeight);
    {
        ORBAX_Platform::GraphicsState state(graphics);
        entry.DrawSwatch(graphics, box);
    }
    QPainter& painter = graphics.painter();
    painter.setPen(boxPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);

    const QRectF text(at.x() + style.boxWidth + style.spacing, at.y(),
                      static_cast<double>(cellWidth) - style.boxWidth - style.spacing, style.boxHeight);
    // Names are drawn at the device's resolution in the font they were measured with, so that a cell
    // measured for a name holds it (see `LegendStyle::MeasureName`); a cell narrower than its name
    // (one that would not fit the page) holds it smaller or wrapped.
    const LegendStyle::FittedName name = style.FitName(graphics, font, entry.GetName(), text.width());
    const QRectF onDevice = graphics.worldToDevice().mapRect(text);
    painter.save();
    painter.resetTransform();
    painter.setFont(name.font);
    painter.setPen(QPen(textBrush, 0));
    painter.drawText(onDevice, name.flags | Qt::TextDontClip, name.text);
    painter.restore();
}

} // namespace

LegendGrid LegendGrid::Compute(const LegendStyle& style, Graphics& graphics, const LegendUtils::LegendItems& entries,
                               float maxHeight, float minCellWidth)
{
    return Compute(style, entries.size(), maxHeight, style.MeasureCellWidth(graphics, entries, minCellWidth));
}

LegendGrid LegendGrid::Compute(const LegendStyle& style, std::size_t count, float maxHeight, float cellWidth)
{
    LegendGrid grid;
    grid.cellWidth = cellWidth;
    const double rowStep = static_cast<double>(style.boxHeight) + style.verticalGap;
    double rows = rowStep > 0 ? std::floor(maxHeight / rowStep) : 0.0;
    // At least one row; and a row per entry is all a legend can use.
    if (!(rows >= 1) || !std::isfinite(rows))
        rows = 1;
    const std::size_t rowCount =
        rows >= static_cast<double>(count) ? std::max<std::size_t>(count, 1) : static_cast<std::size_t>(rows);
    grid.columns = static_cast<unsigned>((count + rowCount - 1) / rowCount);
    grid.rows = static_cast<unsigned>(std::min(rowCount, count));
    return grid;
}

unsigned LegendGrid::GetMaxRow() const
{
    if (!explicitCells)
        return rows;
    unsigned most = 0;
    for (const Cell& cell : cells)
        most = std::max(most, cell.row + 1);
    return most;
}

unsigned LegendGrid::GetMaxColumn() const
{
    if (!explicitCells)
        return columns;
    unsigned most = 0;
    for (const Cell& cell : cells)
        most = std::max(most, cell.column + 1);
    return most;
}

std::size_t LegendGrid::Capacity() const
{
    return explicitCells ? cells.size() : static_cast<std::size_t>(rows) * columns;
}

QSizeF LegendGrid::GetSize(const LegendStyle& style) const
{
    const double width = 2.0 * style.horizontalMargin +
                         (static_cast<double>(cellWidth) + style.horizontalGap) * GetMaxColumn() - style.horizontalGap;
    const double height = 2.0 * style.verticalMargin +
                          (static_cast<double>(style.boxHeight) + style.verticalGap) * GetMaxRow() - style.verticalGap;
    return QSizeF(width, height);
}

QPointF LegendGrid::CellOrigin(const LegendStyle& style, float cellWidth, const QPointF& origin, unsigned row,
                               unsigned column)
{
    return QPointF(
        origin.x() + style.horizontalMargin + column * (static_cast<double>(cellWidth) + style.horizontalGap),
        origin.y() + style.verticalMargin + row * (static_cast<double>(style.boxHeight) + style.verticalGap));
}

void LegendGrid::DrawByColumns(const LegendStyle& style, Graphics& graphics, const LegendUtils::LegendItems& entries,
                               const QPointF& origin, const QPen& boxPen, const QBrush& textBrush) const
{
    if (rows == 0)
        return;
    const QFont font = style.DrawnNameFont(graphics);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const auto row = static_cast<unsigned>(k % rows);
        const auto column = static_cast<unsigned>(k / rows);
        DrawEntry(style, graphics, *entries[k], CellOrigin(style, cellWidth, origin, row, column), cellWidth, font,
                  boxPen, textBrush);
    }
}

void LegendGrid::DrawByRows(const LegendStyle& style, Graphics& graphics, const LegendUtils::LegendItems& entries,
                            const QPointF& origin, const QPen& boxPen, const QBrush& textBrush) const
{
    if (columns == 0)
        return;
    const QFont font = style.DrawnNameFont(graphics);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const auto row = static_cast<unsigned>(k / columns);
        const auto column = static_cast<unsigned>(k % columns);
        DrawEntry(style, graphics, *entries[k], CellOrigin(style, cellWidth, origin, row, column), cellWidth, font,
                  boxPen, textBrush);
    }
}

void LegendGrid::Draw(const LegendStyle& style, Graphics& graphics, const LegendUtils::LegendItems& entries,
                      const QPointF& origin, const QPen& boxPen, const QBrush& textBrush) const
{
    if (!explicitCells) {
        DrawByColumns(style, graphics, entries, origin, boxPen, textBrush);
        return;
    }
    const QFont font = style.DrawnNameFont(graphics);
    const std::size_t count = std::min(entries.size(), cells.size());
    for (std::size_t i = 0; i < count; ++i)
        DrawEntry(style, graphics, *entries[i], CellOrigin(style, cellWidth, origin, cells[i].row, cells[i].column),
                  cellWidth, font, boxPen, textBrush);
}
