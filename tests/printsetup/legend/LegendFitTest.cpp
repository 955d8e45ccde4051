// Arranging a legend for the room it has: plain arithmetic, no application object.
#include <gtest/gtest.h>

#include <QPainterPath>

#include "printsetup/legend/LegendGrid.h"
#include "printsetup/legend/LegendStyle.h"

namespace {

TEST(LegendFit, ComputeFillsTheHeightThenAddsColumns)
{
    const LegendStyle style; // 8 mm boxes, 2 mm gaps and margins
    LegendGrid grid = LegendGrid::Compute(style, 45, 200.0f, 30.0f);
    EXPECT_EQ(grid.rows, 20u);
    EXPECT_EQ(grid.columns, 3u);
    EXPECT_FALSE(grid.explicitCells);
    EXPECT_FLOAT_EQ(grid.cellWidth, 30.0f);
    // The inner margins are not counted against the height: 20 rows stand 202 mm tall.
    EXPECT_DOUBLE_EQ(grid.GetSize(style).height(), 202.0);
    EXPECT_DOUBLE_EQ(grid.GetSize(style).width(), 2 * 2 + 3 * 32 - 2);

    // Fewer entries than rows: one row per entry.
    grid = LegendGrid::Compute(style, 4, 200.0f, 30.0f);
    EXPECT_EQ(grid.rows, 4u);
    EXPECT_EQ(grid.columns, 1u);
    // A height below one row still gives one row.
    grid = LegendGrid::Compute(style, 3, 5.0f, 30.0f);
    EXPECT_EQ(grid.rows, 1u);
    EXPECT_EQ(grid.columns, 3u);
    grid = LegendGrid::Compute(style, 0, 200.0f, 0.0f);
    EXPECT_EQ(grid.rows, 0u);
    EXPECT_EQ(grid.columns, 0u);
    // Boxes and gaps that take no room cannot divide by zero.
    LegendStyle flat;
    flat.boxHeight = 0;
    flat.verticalGap = 0;
    grid = LegendGrid::Compute(flat, 5, 100.0f, 10.0f);
    EXPECT_EQ(grid.rows * grid.columns, 5u);
}

TEST(LegendFit, FitToWidthCountsTheGapsBetweenColumns)
{
    const LegendStyle style;
    const float cell = 30.0f;
    // Four columns need 2 margins + 4 cells + 3 gaps = 130 mm.
    LegendGrid grid = style.FitToWidth(10, 130.0f, cell);
    EXPECT_EQ(grid.columns, 4u);
    EXPECT_EQ(grid.rows, 3u);
    EXPECT_LE(grid.GetSize(style).width(), 130.0 + 1e-9);
    grid = style.FitToWidth(10, 129.9f, cell);
    EXPECT_EQ(grid.columns, 3u);
    EXPECT_EQ(grid.rows, 4u);
    for (float width : {40.0f, 75.0f, 150.0f, 333.0f}) {
        grid = style.FitToWidth(50, width, cell);
        if (grid.columns > 1) {
            EXPECT_LE(grid.GetSize(style).width(), width + 1e-6) << width;
        }
    }
    // Too narrow for one cell: still one column. More room than entries: one column each.
    grid = style.FitToWidth(3, 10.0f, cell);
    EXPECT_EQ(grid.columns, 1u);
    EXPECT_EQ(grid.rows, 3u);
    grid = style.FitToWidth(3, 1000.0f, cell);
    EXPECT_EQ(grid.columns, 3u);
    EXPECT_EQ(grid.rows, 1u);
    // No entries and no cell width: an empty grid, no division by zero.
    grid = style.FitToWidth(0, 100.0f, 0.0f);
    EXPECT_EQ(grid.columns, 0u);
    EXPECT_EQ(grid.rows, 0u);
    LegendStyle tight;
    tight.horizontalGap = 0;
    grid = tight.FitToWidth(6, 100.0f, 0.0f);
    EXPECT_GE(grid.columns, 1u);
    EXPECT_GE(static_cast<std::size_t>(grid.rows) * grid.columns, 6u);
}

TEST(LegendFit, FitToAreaPlacesWhatFitsInsideTheRegion)
{
    const LegendStyle style;
    const float cell = 40.0f;
    // A 100 x 50 mm page area less a 40 x 20 mm title block at its bottom right.
    QPainterPath region;
    region.addRect(QRectF(10, 20, 100, 50));
    QPainterPath title;
    title.addRect(QRectF(70, 50, 40, 20));
    region = region.subtracted(title);

    std::size_t placed = 99;
    LegendGrid grid = style.FitToArea(20, region, cell, placed);
    ASSERT_TRUE(grid.explicitCells);
    ASSERT_EQ(grid.cells.size(), placed);
    // Rows: floor((50 - 4) / 10) = 4, columns: floor((100 - 4) / 42) = 2; the second column's last two
    // candidates reach into the title block.
    EXPECT_EQ(placed, 6u);
    for (std::size_t i = 0; i < placed; ++i) {
        const QPointF at =
            LegendGrid::CellOrigin(style, cell, QPointF(10, 20), grid.cells[i].row, grid.cells[i].column);
        EXPECT_TRUE(
            region.contains(QRectF(at, QSizeF(cell + style.horizontalMargin, style.boxHeight + style.verticalMargin))));
    }
    // Column by column.
    EXPECT_EQ(grid.cells[3].column, 0u);
    EXPECT_EQ(grid.cells[3].row, 3u);
    EXPECT_EQ(grid.cells[4].column, 1u);
    EXPECT_EQ(grid.cells[4].row, 0u);
    EXPECT_EQ(grid.GetMaxRow(), 4u);
    EXPECT_EQ(grid.GetMaxColumn(), 2u);
    EXPECT_EQ(grid.Capacity(), 6u);

    // Fewer entries than room: all placed.
    grid = style.FitToArea(3, region, cell, placed);
    EXPECT_EQ(placed, 3u);

    // A region too small for one cell places nothing and ends.
    QPainterPath tiny;
    tiny.addRect(QRectF(0, 0, 5, 5));
    grid = style.FitToArea(10, tiny, cell, placed);
    EXPECT_EQ(placed, 0u);
    EXPECT_TRUE(grid.cells.empty());
    grid = style.FitToArea(10, QPainterPath(), cell, placed);
    EXPECT_EQ(placed, 0u);
    LegendStyle flat;
    flat.boxHeight = 0;
    flat.verticalGap = 0;
    QPainterPath page;
    page.addRect(QRectF(0, 0, 200, 300));
    grid = flat.FitToArea(10, page, 0.0f, placed);
    EXPECT_EQ(placed, 0u);
}

} // namespace
