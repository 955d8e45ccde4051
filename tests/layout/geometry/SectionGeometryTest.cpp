// A section's depths, columns, bounds and hit tests: plain millimetre geometry, no application object.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "docview/document/history/BoreholeDocument.h"
#include "layout/geometry/SectionLayoutItem.h"
#include "tests/docview/DocviewTestSupport.h"

namespace {

constexpr double H = 4.5; // a line height as a font might measure

// Units with bases 1..n; the seams given per unit (empty for none).
ORBAX_Logging::Borehole SeamHole(const std::vector<std::wstring>& seams)
{
    std::vector<double> bases;
    for (std::size_t i = 0; i < seams.size(); ++i)
        bases.push_back(static_cast<double>(i + 1));
    auto hole = DocviewTest::column(DocviewTest::fullSchema(), bases);
    for (std::size_t i = 0; i < seams.size(); ++i)
        (*hole)[i].seam = seams[i];
    return *hole;
}

SectionLayoutItem AllColumns()
{
    SectionLayoutItem item;
    item.showLeftBorehole = item.showRightBorehole = item.showTrace1 = item.showTrace2 = item.showTrace3 = true;
    return item;
}

} // namespace

TEST(DepthSpec, SeamsResolveToTheFirstTopAndTheLastBottomExactly)
{
    // Units 3 to 5 (bases 3..5) carry "Main"; unit 7 carries "main" in another case.
    const auto hole = SeamHole({L"", L"Upper", L"Main", L"Main", L"Main", L"", L"main"});
    EXPECT_DOUBLE_EQ((DepthSpec{DepthSpec::TopOfSeam, 99, L"Main"}.Resolve(hole)), 2.0);
    EXPECT_DOUBLE_EQ((DepthSpec{DepthSpec::BottomOfSeam, 99, L"Main"}.Resolve(hole)), 5.0);
    EXPECT_DOUBLE_EQ((DepthSpec{DepthSpec::TopOfSeam, 99, L"main"}.Resolve(hole)), 6.0);
    // A seam no unit carries: 0 at the top, the hole's last base at the bottom.
    EXPECT_DOUBLE_EQ((DepthSpec{DepthSpec::TopOfSeam, 99, L"Lower"}.Resolve(hole)), 0.0);
    EXPECT_DOUBLE_EQ((DepthSpec{DepthSpec::BottomOfSeam, 99, L"Lower"}.Resolve(hole)), 7.0);
    EXPECT_DOUBLE_EQ((DepthSpec{DepthSpec::BottomOfSeam, 99, L"Lower"}.Resolve(ORBAX_Logging::Borehole())), 0.0);
    // A depth is itself; an unknown option is 0.
    EXPECT_DOUBLE_EQ((DepthSpec{DepthSpec::Depth, 12.5, L"Main"}.Resolve(hole)), 12.5);
    EXPECT_DOUBLE_EQ((DepthSpec{7, 12.5, L"Main"}.Resolve(hole)), 0.0);
}

TEST(SectionGeometry, TheTopAndBottomComeFromTheBoreholesTheyName)
{
    BoreholeDocument document(DocviewTest::fullSchema());
    document.GetBorehole(0) = SeamHole({L"", L"A", L"A"});
    document.GetBorehole(1) = SeamHole({L"B", L"B", L"B", L"B", L"", L""});
    SectionLayoutItem item;
    item.topBorehole = 0;
    item.topSpec = {DepthSpec::TopOfSeam, 0, L"A"};
    item.bottomBorehole = 1;
    item.bottomSpec = {DepthSpec::BottomOfSeam, 0, L"B"};
    EXPECT_DOUBLE_EQ(item.TopDepth(document), 1.0);
    EXPECT_DOUBLE_EQ(item.BottomDepth(document), 4.0);
    // 3 m at 0.1 m per mm.
    EXPECT_DOUBLE_EQ(item.FieldHeight(item.TopDepth(document), item.BottomDepth(document)), 30.0);
}

TEST(SectionGeometry, ANewSectionIsTheRightBoreholeOnly)
{
    const SectionLayoutItem item;
    const auto columns = item.Columns(H, 0.0, 10.0);
    ASSERT_EQ(columns.size(), 1u);
    EXPECT_EQ(columns[0].kind, SectionLayoutItem::RightBorehole);
    EXPECT_EQ(columns[0].column, QRectF(0, 0, 50, 4 * H + 100));
    EXPECT_EQ(columns[0].field, QRectF(10, 3 * H, 20, 100));
    EXPECT_EQ(item.Bounds(H, 0.0, 10.0), QRectF(0, 0, 50, 4 * H + 100));
}

TEST(SectionGeometry, FiveColumnsSideBySideInTheirOrder)
{
    const SectionLayoutItem item = AllColumns();
    const auto columns = item.Columns(H, 0.0, 10.0);
    ASSERT_EQ(columns.size(), 5u);
    const double lefts[] = {0, 50, 100, 145, 190};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(columns[k].kind, k);
        EXPECT_DOUBLE_EQ(columns[k].column.x(), lefts[k]);
        EXPECT_DOUBLE_EQ(columns[k].field.x(), lefts[k] + 10);
        EXPECT_DOUBLE_EQ(columns[k].field.width(), k < 2 ? 20 : 30);
    }
    EXPECT_DOUBLE_EQ(item.Bounds(H, 0.0, 10.0).width(), 235.0);

    // Nothing shown: no columns and an empty rectangle at the origin.
    SectionLayoutItem none;
    none.showRightBorehole = false;
    EXPECT_TRUE(none.Columns(H, 0, 10).empty());
    EXPECT_EQ(none.Bounds(H, 0, 10), QRectF(0, 0, 0, 0));
    EXPECT_FALSE(none.ShowsAnything());
}

TEST(SectionGeometry, OnlyTheFieldsPickTheSection)
{
    SectionLayoutItem item;
    item.showTrace2 = true; // right borehole at 0, second trace field at 50
    auto hits = [&](double x, double y) { return item.HitsField(H, 0.0, 10.0, QPointF(x, y)); };
    EXPECT_TRUE(hits(10, 3 * H));         // the field's top-left corner
    EXPECT_FALSE(hits(9.99, 3 * H + 10)); // the depth strip
    EXPECT_FALSE(hits(30, 3 * H + 10));   // the annotation strip: the right edge is outside
    EXPECT_FALSE(hits(15, 3 * H - 0.01)); // the header band
    EXPECT_FALSE(hits(15, 3 * H + 100));  // the bottom edge is outside
    EXPECT_TRUE(hits(60, 3 * H + 50));    // the trace field
    EXPECT_FALSE(hits(90, 3 * H + 50));   // its annotation strip
}

TEST(SectionGeometry, ABottomAboveTheTopIsMeasuredAsComputed)
{
    const SectionLayoutItem item;
    const auto columns = item.Columns(H, 10.0, 5.0);
    ASSERT_EQ(columns.size(), 1u);
    EXPECT_DOUBLE_EQ(columns[0].field.height(), -50.0);
    EXPECT_DOUBLE_EQ(columns[0].column.height(), 4 * H - 50);
    // A field of negative height holds no point.
    EXPECT_FALSE(item.HitsField(H, 10.0, 5.0, QPointF(15, 3 * H - 10)));
}

TEST(SectionGeometry, AStoredScaleOfNothingNeverDivides)
{
    for (double scale :
         {0.0, -0.1, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        SectionLayoutItem item;
        item.scale = scale;
        EXPECT_EQ(item.FieldHeight(0, 10), 0.0) << scale;
        const QRectF bounds = item.Bounds(H, 0, 10);
        EXPECT_TRUE(std::isfinite(bounds.height())) << scale;
        EXPECT_DOUBLE_EQ(bounds.height(), 4 * H) << scale;
        EXPECT_FALSE(item.HitsField(H, 0, 10, QPointF(15, 3 * H))) << scale;
    }
    EXPECT_TRUE(IsUsableSectionScale(0.1));
    EXPECT_FALSE(IsUsableSectionScale(0.0));
}
