// The page of the layout view without its window: the transform, fitting, picking in placing order,
// dragging and deleting.
#include <gtest/gtest.h>

#include <cmath>

#include "layout/geometry/LayoutPage.h"
#include "layout/geometry/SectionLayoutItem.h"
#include "layout/geometry/TitleLayoutItem.h"

namespace {

// Picks a title block by its bounds, as the view's hit test does.
bool HitsBlock(const LayoutItem& item, const QPointF& point)
{
    return LayoutGeometry::Contains(dynamic_cast<const TitleLayoutItem&>(item).Bounds(), point);
}

std::shared_ptr<TitleLayoutItem> Block(float width, float height)
{
    auto block = std::make_shared<TitleLayoutItem>();
    block->width = width;
    block->height = height;
    return block;
}

} // namespace

TEST(LayoutPage, ItemSpaceStartsInsideTheMarginsAndScalesWithTheZoom)
{
    LayoutPage page;
    page.zoom = 0.5f;
    // (p + margins) x zoom, in pixels of 96 dpi.
    const QTransform device = page.ToDevice(96, 96);
    const QPointF corner = device.map(QPointF(0, 0));
    EXPECT_NEAR(corner.x(), 20 * 0.5 * 96 / 25.4, 1e-9);
    EXPECT_NEAR(corner.y(), 20 * 0.5 * 96 / 25.4, 1e-9);
    const QPointF p = device.map(QPointF(30, 40));
    EXPECT_NEAR(p.x(), 50 * 0.5 * 96 / 25.4, 1e-9);
    EXPECT_NEAR(p.y(), 60 * 0.5 * 96 / 25.4, 1e-9);
    // A click maps back onto the same item-space point.
    const QPointF back = page.DeviceToItem(p, 96, 96);
    EXPECT_NEAR(back.x(), 30, 1e-9);
    EXPECT_NEAR(back.y(), 40, 1e-9);
    // Whole pixels covering a rectangle.
    const QRect pixels = page.ItemToDevicePixels(QRectF(0, 0, 10, 10), 96, 96);
    EXPECT_LE(pixels.left(), std::floor(corner.x()));
    EXPECT_GE(pixels.right() + 1, std::ceil(device.map(QPointF(10, 10)).x()));

    // After margins of 10 mm the same item point moves with the margin corner.
    page.leftMargin = page.topMargin = 10;
    EXPECT_NEAR(page.ToDevice(96, 96).map(QPointF(30, 40)).x(), 40 * 0.5 * 96 / 25.4, 1e-9);
    EXPECT_EQ(page.PaperRect(QSizeF(210, 297)), QRectF(-10, -10, 210, 297));
    page.rightMargin = 15;
    page.bottomMargin = 25;
    EXPECT_EQ(page.MarginRect(QSizeF(210, 297)), QRectF(0, 0, 185, 262));
}

TEST(LayoutPage, FittingTakesTheLesserRatioAndNothingFromAnEmptyWindow)
{
    EXPECT_FLOAT_EQ(LayoutPage::FitZoom(QSizeF(105, 297), QSizeF(210, 297)), 0.5f);
    EXPECT_FLOAT_EQ(LayoutPage::FitZoom(QSizeF(420, 148.5), QSizeF(210, 297)), 0.5f);
    EXPECT_FLOAT_EQ(LayoutPage::FitZoom(QSizeF(0, 100), QSizeF(210, 297)), 0.0f);
    EXPECT_FLOAT_EQ(LayoutPage::FitZoom(QSizeF(100, 100), QSizeF(0, 0)), 0.0f);
    // A zoom of 0 maps nothing (and does not divide).
    LayoutPage page;
    const QPointF p = page.DeviceToItem(QPointF(50, 50), 96, 96);
    EXPECT_TRUE(std::isfinite(p.x()) && std::isfinite(p.y()));
}

TEST(LayoutPage, AClickPicksTheFirstPlacedItemUnderIt)
{
    LayoutPage page;
    page.Append(Block(50, 50));
    page.Append(Block(50, 50));
    page.entries[1].position = QPointF(30, 30);
    EXPECT_EQ(page.entries[0].position, QPointF(0, 0));

    // Where they overlap, the one placed first.
    EXPECT_TRUE(page.SelectAt(QPointF(40, 40), HitsBlock));
    EXPECT_EQ(page.selection, 0);
    EXPECT_TRUE(page.dragging);
    // Only the second one: the point is taken relative to its position.
    EXPECT_TRUE(page.SelectAt(QPointF(70, 75), HitsBlock));
    EXPECT_EQ(page.selection, 1);
    EXPECT_EQ(page.dragOffset, QPointF(-40, -45));
    // The first one again, then once more: the second click changes nothing to repaint.
    EXPECT_TRUE(page.SelectAt(QPointF(31, 31), HitsBlock));
    EXPECT_EQ(page.selection, 0);
    EXPECT_FALSE(page.SelectAt(QPointF(40, 40), HitsBlock));
    // Empty paper clears the selection, which is a change.
    EXPECT_TRUE(page.SelectAt(QPointF(100, 10), HitsBlock));
    EXPECT_EQ(page.selection, -1);
    EXPECT_FALSE(page.dragging);
    EXPECT_EQ(page.Selected(), nullptr);
}

TEST(LayoutPage, DraggingKeepsThePointOnTheItemAndRepaintsBothExtents)
{
    LayoutPage page;
    page.Append(Block(50, 20));
    page.entries[0].position = QPointF(10, 10);
    ASSERT_TRUE(page.SelectAt(QPointF(15, 12), HitsBlock));
    const QRectF dirty = page.DragTo(QPointF(45, 72), QRectF(0, 0, 50, 20));
    EXPECT_EQ(page.entries[0].position, QPointF(40, 70));
    // Old (10, 10, 50, 20) and new (40, 70, 50, 20), united and grown by 2 mm.
    EXPECT_EQ(dirty, QRectF(8, 8, 84, 84));
    page.EndDrag();
    EXPECT_TRUE(page.DragTo(QPointF(0, 0), QRectF(0, 0, 50, 20)).isNull());
    EXPECT_EQ(page.entries[0].position, QPointF(40, 70));
}

TEST(LayoutPage, DeletingTakesOnlyTheSelection)
{
    LayoutPage page;
    EXPECT_FALSE(page.DeleteSelection());
    page.Append(Block(10, 10));
    page.Append(std::make_shared<SectionLayoutItem>());
    page.Append(std::make_shared<SectionLayoutItem>());
    EXPECT_EQ(page.Sections().size(), 2u);
    page.SelectAt(QPointF(5, 5), [](const LayoutItem& item, const QPointF&) {
        return dynamic_cast<const SectionLayoutItem*>(&item) != nullptr;
    });
    ASSERT_EQ(page.selection, 1);
    EXPECT_TRUE(page.DeleteSelection());
    EXPECT_EQ(page.entries.size(), 2u);
    EXPECT_EQ(page.selection, -1);
    EXPECT_EQ(page.Sections().size(), 1u);
    EXPECT_FALSE(page.DeleteSelection());
}
