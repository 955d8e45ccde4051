// A title block's rows and cells and where they are drawn: no application object.
#include <gtest/gtest.h>

#include "layout/geometry/TitleLayoutItem.h"

namespace {

std::wstring Text(const TitleLayoutItem& item, std::size_t row, std::size_t cell)
{
    return dynamic_cast<const TitleLayoutItem::string_cell&>(*item.rows.at(row)->cells.at(cell)).text;
}

} // namespace

TEST(TitleBlock, ANewBlockHasOneRowOfHelloAndThere)
{
    const TitleLayoutItem item;
    EXPECT_EQ(item.Bounds(), QRectF(0, 0, 50, 50));
    ASSERT_EQ(item.rows.size(), 1u);
    EXPECT_FLOAT_EQ(item.rows[0]->heightWeight, 1.0f);
    ASSERT_EQ(item.rows[0]->cells.size(), 2u);
    EXPECT_EQ(Text(item, 0, 0), L"Hello");
    EXPECT_EQ(Text(item, 0, 1), L"There");
    const auto& cell = dynamic_cast<const TitleLayoutItem::string_cell&>(*item.rows[0]->cells[0]);
    EXPECT_EQ(cell.font.face, L"Arial");
    EXPECT_FLOAT_EQ(cell.font.size, 3.0f);
    EXPECT_EQ(cell.owner, item.rows[0].get());
    // Two equal cells side by side over the whole block.
    const auto rects = item.CellRects(item.Bounds());
    ASSERT_EQ(rects[0].size(), 2u);
    EXPECT_EQ(rects[0][0], QRectF(0, 0, 25, 50));
    EXPECT_EQ(rects[0][1], QRectF(25, 0, 25, 50));
}

TEST(TitleBlock, InsertedRowsGoToTheBottomWithAWeightAndShareTheHeight)
{
    TitleLayoutItem item;
    item.InsertRow();
    item.InsertRow();
    ASSERT_EQ(item.rows.size(), 3u);
    for (std::size_t r = 1; r < 3; ++r) {
        EXPECT_FLOAT_EQ(item.rows[r]->heightWeight, 1.0f);
        ASSERT_EQ(item.rows[r]->cells.size(), 1u);
        EXPECT_EQ(Text(item, r, 0), L"Hello");
    }
    EXPECT_EQ(Text(item, 0, 1), L"There");
    // Three rows of equal weight over 60 mm: 20 mm each, from the top of the rectangle.
    const auto rects = item.CellRects(QRectF(5, 10, 40, 60));
    EXPECT_EQ(rects[0][1], QRectF(25, 10, 20, 20));
    EXPECT_EQ(rects[2][0], QRectF(5, 50, 40, 20));
}

TEST(TitleBlock, WeightsShareTheSpaceAndNoWeightsDrawNothing)
{
    TitleLayoutItem item;
    item.InsertRow();
    item.rows[0]->heightWeight = 3.0f;
    item.rows[0]->cells[1]->widthWeight = 3.0f;
    auto rects = item.CellRects(QRectF(0, 0, 40, 40));
    EXPECT_EQ(rects[0][0], QRectF(0, 0, 10, 30));
    EXPECT_EQ(rects[0][1], QRectF(10, 0, 30, 30));
    EXPECT_EQ(rects[1][0], QRectF(0, 30, 40, 10));

    // Weights that add up to nothing give no rectangles rather than a division by zero.
    item.rows[0]->heightWeight = 0.0f;
    item.rows[1]->heightWeight = 0.0f;
    rects = item.CellRects(QRectF(0, 0, 40, 40));
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_TRUE(rects[0].empty() && rects[1].empty());
    item.rows[1]->heightWeight = 1.0f;
    item.rows[1]->cells[0]->widthWeight = 0.0f;
    rects = item.CellRects(QRectF(0, 0, 40, 40));
    EXPECT_TRUE(rects[1].empty());
}

TEST(TitleBlock, CopiesShareRowsButNotTheRowList)
{
    TitleLayoutItem item;
    TitleLayoutItem copy(item);
    EXPECT_EQ(copy.rows[0], item.rows[0]);
    copy.InsertRow();
    EXPECT_EQ(item.rows.size(), 1u);
    EXPECT_EQ(copy.rows.size(), 2u);
}

TEST(TitleBlock, HitTestIsHalfOpen)
{
    const TitleLayoutItem item;
    EXPECT_TRUE(LayoutGeometry::Contains(item.Bounds(), QPointF(0, 0)));
    EXPECT_TRUE(LayoutGeometry::Contains(item.Bounds(), QPointF(49.99, 49.99)));
    EXPECT_FALSE(LayoutGeometry::Contains(item.Bounds(), QPointF(50, 10)));
    EXPECT_FALSE(LayoutGeometry::Contains(item.Bounds(), QPointF(10, 50)));
    EXPECT_FALSE(LayoutGeometry::Contains(item.Bounds(), QPointF(-0.01, 10)));
}
