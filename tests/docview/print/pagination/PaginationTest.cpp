#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numeric>

#include "docview/print/pagination/LogPagination.h"
#include "tests/core/model/ModelTestSupport.h"

using namespace LogPagination;

namespace {

// A4 portrait less 5 mm of unprintable edge all round; 20 mm margins; a 4 mm line.
Input A4(double deepest)
{
    Input input;
    input.printable = QSizeF(200, 287);
    input.lineHeight = 4;
    input.tickLineHeight = 3;
    input.scale = 0.1;
    input.deepestDepth = deepest;
    return input;
}

// `count` entries for any depth range, named E0, E1...
LegendSource Entries(std::size_t count)
{
    return [count](double, double) {
        LegendUtils::LegendItems items;
        for (std::size_t i = 0; i < count; ++i) {
            auto entry = LegendUtils::MakeLegendItemDetails();
            entry->name = L"E" + std::to_wstring(i);
            items.push_back(entry);
        }
        return items;
    };
}

std::size_t LegendPages(const Layout& layout)
{
    return static_cast<std::size_t>(
        std::count_if(layout.pages.begin(), layout.pages.end(), [](const PageRecord& p) { return p.legendPage; }));
}

bool IsWholeSteps(double depth, double step) { return std::fabs(depth / step - std::round(depth / step)) < 1e-9; }

} // namespace

TEST(Pagination, DepthPerColumnIsTheMostWholeRulerStepsTheBodyHolds)
{
    const Layout layout = Paginate(A4(100));
    ASSERT_EQ(layout.outcome, Outcome::Pages);
    EXPECT_EQ(layout.content, QRectF(20, 20, 160, 247));
    EXPECT_DOUBLE_EQ(layout.bodyTop, 20 + 3 * 4);
    const double body = 267 - 10 * 4 - layout.bodyTop; // 195 mm
    const double step = ViewGeometry::ComputeRulerStep(body, 0.1).step;
    EXPECT_DOUBLE_EQ(layout.ruler.step, step);
    EXPECT_TRUE(IsWholeSteps(layout.depthPerColumn, step));
    EXPECT_LE(layout.depthPerColumn, 0.1 * body + 1e-9);
    EXPECT_GT(layout.depthPerColumn + step, 0.1 * body);
    // The body is as tall as its depth range needs, in whole millimetres.
    EXPECT_DOUBLE_EQ(layout.bodyBottom - layout.bodyTop, std::ceil(layout.depthPerColumn / 0.1 - 1e-9));

    // At 1:20000 the step is the one whose labels stand their height apart, as on screen: 100 m, 5 mm.
    Input small = A4(100000);
    small.scale = 20;
    const Layout smallScale = Paginate(small);
    EXPECT_DOUBLE_EQ(smallScale.ruler.step, 100);
    EXPECT_DOUBLE_EQ(smallScale.depthPerColumn, std::floor(20 * body / 100) * 100);
}

TEST(Pagination, PageTopsFollowEachOtherByTheColumnsOfAPage)
{
    Input input = A4(100);
    input.setup.columnsPerPage = 2;
    const Layout layout = Paginate(input);
    const double D = layout.depthPerColumn; // 18 m
    ASSERT_EQ(layout.pages.size(), static_cast<std::size_t>(std::ceil(100 / (2 * D))));
    for (std::size_t i = 0; i < layout.pages.size(); ++i)
        EXPECT_DOUBLE_EQ(layout.pages[i].topDepth, i * 2 * D);
    // The second page-column shows the range after the first's.
    EXPECT_DOUBLE_EQ(layout.ColumnTopDepth(layout.pages[1], 1), 3 * D);
    EXPECT_DOUBLE_EQ(layout.pageColumnWidth, 160.0 / 2);

    // A depth exactly at the end of a page makes no further page; the smallest depth makes one.
    EXPECT_EQ(Paginate(A4(2 * D)).pages.size(), 2u);
    EXPECT_EQ(Paginate(A4(1e-6)).pages.size(), 1u);
    EXPECT_TRUE(Paginate(A4(0)).pages.empty());
}

TEST(Pagination, AColumnCountBelowOneIsOne)
{
    for (int columns : {0, -3}) {
        Input input = A4(100);
        input.setup.columnsPerPage = columns;
        const Layout layout = Paginate(input);
        EXPECT_EQ(layout.columns, 1);
        ASSERT_GE(layout.pages.size(), 2u);
        EXPECT_DOUBLE_EQ(layout.pages[1].topDepth, layout.depthPerColumn);
        EXPECT_DOUBLE_EQ(layout.pageColumnWidth, 160);
    }
}

TEST(Pagination, MarginsOrTextThatLeaveNoBodyAreRefused)
{
    Input margins = A4(100);
    margins.setup.topMargin = 140;
    margins.setup.bottomMargin = 120; // 27 mm left, 13 line heights need 52
    EXPECT_EQ(Paginate(margins).outcome, Outcome::NoBodyHeight);
    EXPECT_TRUE(Paginate(margins).pages.empty());

    Input wide = A4(100);
    wide.setup.leftMargin = 100;
    wide.setup.rightMargin = 100;
    EXPECT_EQ(Paginate(wide).outcome, Outcome::NoWidth);

    Input bigText = A4(100);
    bigText.lineHeight = 20; // a title font of some 50 points
    EXPECT_EQ(Paginate(bigText).outcome, Outcome::NoBodyHeight);

    // A body shorter than one ruler step at this scale cannot hold a whole step.
    Input tiny = A4(100);
    tiny.printable = QSizeF(200, 93); // 53 mm of content, 1 mm of body: 1 cm at 1:10, the step 5 cm
    tiny.scale = 0.01;
    EXPECT_EQ(Paginate(tiny).outcome, Outcome::NoBodyHeight);
}

TEST(Pagination, NothingShownGivesOnePageWithTheTitleBlockOnly)
{
    Input input = A4(0);
    input.setup.showLeftBorehole = input.setup.showRightBorehole = false;
    input.setup.showTrace1 = input.setup.showTrace2 = input.setup.showTrace3 = false;
    const Layout layout = Paginate(input);
    ASSERT_EQ(layout.outcome, Outcome::Pages);
    ASSERT_EQ(layout.pages.size(), 1u);
    EXPECT_TRUE(layout.NothingShown());
    for (const Field& field : layout.fields)
        EXPECT_FALSE(field.shown);
}

TEST(Pagination, TitleBlockAndLogoSitAtTheBottomRight)
{
    Input input = A4(10);
    input.setup.logoFile = L"logo.png";
    const Layout layout = Paginate(input);
    EXPECT_EQ(layout.titleBlock, QRectF(180 - 75, 267 - 20, 75, 20));
    ASSERT_TRUE(layout.hasLogo);
    EXPECT_EQ(layout.logoBox, QRectF(105 - 20, 247, 20, 20));
    EXPECT_DOUBLE_EQ(layout.LegendRightLimit(), 85);

    // Content narrower than the block gets a block as wide as it, inside the frame.
    Input narrow = A4(10);
    narrow.printable = QSizeF(90, 287);
    EXPECT_EQ(Paginate(narrow).titleBlock, QRectF(20, 247, 50, 20));
}

TEST(Pagination, FieldsFillThePageColumnInTheirOrder)
{
    Input input = A4(10);
    input.setup.columnsPerPage = 2;
    input.setup.showTrace2 = false;
    const Layout layout = Paginate(input);
    const double P = 80;
    const int b = 2, t = 2;
    // Widths capped by the page setup's maxima and by the page-column's share.
    const double u = 160 / (45.0 * t + 22.5 * b);
    const double r = P / (20.0 * (b + t));
    const double bw = std::min({22.5 * u, 20.0, 7 * r});
    const double tw = std::min({45 * u, 40.0, 14 * r});
    const double g = (P - b * bw - t * tw) / (13 * b + 6 * t);
    const int order[] = {LeftBorehole, RightBorehole, Trace1, Trace3};
    double x = 0;
    for (int f : order) {
        const Field& field = layout.fields[f];
        ASSERT_TRUE(field.shown);
        const bool borehole = f < Trace1;
        EXPECT_NEAR(field.field.left(), x, 1e-9);
        EXPECT_NEAR(field.field.width(), (borehole ? bw + 13 * g : tw + 6 * g), 1e-9);
        EXPECT_NEAR(field.body.left(), x + 5 * g, 1e-9);
        EXPECT_NEAR(field.body.width(), borehole ? bw : tw, 1e-9);
        EXPECT_DOUBLE_EQ(field.body.top(), layout.bodyTop);
        EXPECT_DOUBLE_EQ(field.body.bottom(), layout.bodyBottom);
        EXPECT_DOUBLE_EQ(field.field.top(), layout.content.top());
        x = field.field.right();
    }
    EXPECT_FALSE(layout.fields[Trace2].shown);
    EXPECT_NEAR(x, P, 1e-9) << "the fields take the page-column's whole width";
}

TEST(Pagination, BottomLegendTakesDepthOffEveryColumnUntilItFits)
{
    Input input = A4(100);
    input.setup.legendPosition = PageSetupSettings::BottomOfPage;
    input.legend = Entries(10);
    input.cellWidth = [](const LegendUtils::LegendItems&, float min) { return std::max(min, 30.0f); };
    const Layout plain = Paginate(A4(100));
    const Layout layout = Paginate(input);
    ASSERT_EQ(layout.outcome, Outcome::Pages);
    const double step = layout.ruler.step;
    EXPECT_LT(layout.depthPerColumn, plain.depthPerColumn);
    EXPECT_TRUE(IsWholeSteps(layout.depthPerColumn, step));
    // 10 entries of 30 mm cells beside the title block (85 mm): 2 columns, 5 rows of 10 mm.
    const PageRecord& page = layout.pages.front();
    EXPECT_EQ(page.grid.columns, 2u);
    EXPECT_EQ(page.grid.rows, 5u);
    EXPECT_DOUBLE_EQ(layout.depthPerColumn, plain.depthPerColumn - step);
    const double height = page.legendSize.height();
    EXPECT_GE(layout.content.bottom(), layout.bodyBottom + height + input.lineHeight);
    // One step more would not have fitted.
    const double longer = layout.bodyTop + std::ceil((layout.depthPerColumn + step) / 0.1 - 1e-9);
    EXPECT_LT(layout.content.bottom(), longer + height + input.lineHeight);

    // A legend that never fits leaves two steps, the least a page-column shows.
    input.legend = Entries(400);
    const Layout crowded = Paginate(input);
    ASSERT_EQ(crowded.outcome, Outcome::Pages);
    EXPECT_NEAR(crowded.depthPerColumn, 2 * crowded.ruler.step, 1e-9);
}

TEST(Pagination, EveryPageLegendGetsTheWidestCell)
{
    Input input = A4(100);
    input.setup.legendPosition = PageSetupSettings::BottomOfPage;
    input.legend = [](double top, double) {
        auto entry = LegendUtils::MakeLegendItemDetails();
        entry->name = top > 0 ? L"a much longer name" : L"short";
        return LegendUtils::LegendItems{entry};
    };
    input.cellWidth = [](const LegendUtils::LegendItems& entries, float min) {
        return std::max(min, 10.0f + 2.0f * static_cast<float>(entries.front()->name.size()));
    };
    const Layout layout = Paginate(input);
    ASSERT_GE(layout.pages.size(), 3u);
    for (const PageRecord& page : layout.pages)
        EXPECT_FLOAT_EQ(page.grid.cellWidth, 10.0f + 2.0f * 18);
}

TEST(Pagination, RightLegendNarrowsTheLog)
{
    Input input = A4(100);
    input.setup.legendPosition = PageSetupSettings::RightOfPage;
    input.legend = Entries(30);
    input.cellWidth = [](const LegendUtils::LegendItems&, float min) { return std::max(min, 20.0f); };
    const Layout layout = Paginate(input);
    ASSERT_EQ(layout.outcome, Outcome::Pages);
    // 227 mm above the title block holds 22 rows of 10 mm: 2 columns of 20 mm cells.
    const PageRecord& page = layout.pages.front();
    EXPECT_EQ(page.grid.rows, 22u);
    EXPECT_EQ(page.grid.columns, 2u);
    const double width = page.legendSize.width(); // 2 margins, 2 cells, 1 gap
    EXPECT_DOUBLE_EQ(width, 2 * 2 + 2 * 22 - 2);
    EXPECT_DOUBLE_EQ(layout.usableRight, 180 - width);
    EXPECT_DOUBLE_EQ(layout.pageColumnWidth, 160 - width);
}

TEST(Pagination, LegendPagesComeFirstOrLastAndHoldEveryEntryOnce)
{
    for (int position : {PageSetupSettings::BeginningOfDocument, PageSetupSettings::EndOfDocument}) {
        Input input = A4(100);
        input.setup.legendPosition = position;
        input.legend = Entries(100);
        input.cellWidth = [](const LegendUtils::LegendItems&, float min) { return std::max(min, 40.0f); };
        const Layout layout = Paginate(input);
        ASSERT_EQ(layout.outcome, Outcome::Pages);
        const std::size_t legendPages = LegendPages(layout);
        ASSERT_GE(legendPages, 2u) << "100 entries of 40 x 8 mm need more than one page";
        const std::size_t logPages = Paginate(A4(100)).pages.size();
        EXPECT_EQ(layout.pages.size(), logPages + legendPages);
        const bool first = position == PageSetupSettings::BeginningOfDocument;
        std::size_t placed = 0;
        for (std::size_t i = 0; i < layout.pages.size(); ++i) {
            const PageRecord& page = layout.pages[i];
            EXPECT_EQ(page.legendPage, first ? i < legendPages : i >= logPages);
            if (!page.legendPage)
                continue;
            ASSERT_EQ(page.grid.cells.size(), page.legend.size());
            EXPECT_EQ(page.legend.front()->name, L"E" + std::to_wstring(placed));
            placed += page.legend.size();
            // Every cell stays off the title block.
            for (const LegendGrid::Cell& cell : page.grid.cells) {
                const QPointF at = LegendGrid::CellOrigin(input.setup.legendStyle, 40.0f, layout.content.topLeft(),
                                                          cell.row, cell.column);
                EXPECT_FALSE(QRectF(at, QSizeF(40, 8)).intersects(layout.titleBlock));
            }
        }
        EXPECT_EQ(placed, 100u);
    }
}

TEST(Pagination, LegendPagesWithoutRoomForOneEntryStop)
{
    Input input = A4(100);
    input.setup.legendPosition = PageSetupSettings::EndOfDocument;
    input.legend = Entries(5);
    input.setup.legendStyle.boxHeight = 300; // taller than the page
    const auto start = std::chrono::steady_clock::now();
    const Layout layout = Paginate(input);
    EXPECT_EQ(layout.outcome, Outcome::LegendDoesNotFit);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "it must not loop";

    // No entries (no hatch list, or empty boreholes) make no legend page.
    input.legend = Entries(0);
    const Layout none = Paginate(input);
    EXPECT_EQ(none.outcome, Outcome::Pages);
    EXPECT_EQ(LegendPages(none), 0u);
}

TEST(Pagination, AFarDepthIsRefusedInsteadOfMillionsOfPages)
{
    const Layout layout = Paginate(A4(1e12));
    EXPECT_EQ(layout.outcome, Outcome::TooManyPages);
    EXPECT_TRUE(layout.pages.empty());
    EXPECT_EQ(Paginate(A4(std::nan(""))).pages.size(), 0u);
}

TEST(DeepestDepth, TakesTheDeepestBaseAndTraceEndWithItsShift)
{
    using namespace ORBAX_Logging;
    const Borehole left = ModelTest::column(ModelTest::fullSchema(), {2, 12.5});
    const Borehole right = ModelTest::column(ModelTest::fullSchema(), {30});
    const Borehole empty(ModelTest::fullSchema());
    std::vector<std::unique_ptr<LasProperty>> traces;
    EXPECT_DOUBLE_EQ(DeepestDepth(&left, &empty, traces), 12.5);
    EXPECT_DOUBLE_EQ(DeepestDepth(&left, &right, traces), 30);
    EXPECT_DOUBLE_EQ(DeepestDepth(&empty, &empty, traces), 0);

    auto las = [](const std::string& start, const std::string& stop, const std::string& step) {
        std::string text = "~Version\n VERS. 2.0 :\n WRAP. NO :\n~Well\n STRT.M " + start + " :\n STOP.M " + stop +
                           " :\n STEP.M " + step + " :\n NULL. -999.25 :\n~Curve\n DEPT.M :\n GR.API :\n~A\n" + start +
                           " 1\n" + stop + " 2\n";
        auto file = std::make_unique<LasProperty>();
        std::wstring error;
        file->read_bytes(text, L"test.las", error);
        return file;
    };
    traces.push_back(las("10", "40", "30"));
    EXPECT_DOUBLE_EQ(DeepestDepth(&left, &right, traces), 40);
    // A curve shifted down carries the file's end with it; one shifted up does not raise it.
    traces.back()->curves().front().depthOffset = 5;
    EXPECT_DOUBLE_EQ(DeepestDepth(&left, &right, traces), 45);
    traces.back()->curves().front().depthOffset = -5;
    EXPECT_DOUBLE_EQ(DeepestDepth(&left, &right, traces), 40);
    // A file listed from the bottom up ends at its start.
    traces.push_back(las("60", "50", "-10"));
    EXPECT_DOUBLE_EQ(DeepestDepth(&left, &right, traces), 60);
}

TEST(Pagination, TitleBlockAndLegendsStayInsideTheFrameOrAreRefused)
{
    // 50 mm of content: a 30 mm block beside the 20 mm logo; 35 mm leave the block less than its height.
    Input narrow = A4(100);
    narrow.printable = QSizeF(90, 287);
    narrow.setup.logoFile = L"logo.png";
    EXPECT_EQ(Paginate(narrow).titleBlock, QRectF(40, 247, 30, 20));
    EXPECT_EQ(Paginate(narrow).logoBox, QRectF(20, 247, 20, 20));
    narrow.setup.leftMargin = 35;
    EXPECT_EQ(Paginate(narrow).outcome, Outcome::NoWidth);

    // Names 200 mm long: the legend keeps beside the title block, to a third of the page at the right,
    // inside the page on pages of its own.
    for (int position :
         {PageSetupSettings::BottomOfPage, PageSetupSettings::RightOfPage, PageSetupSettings::EndOfDocument}) {
        Input input = A4(100);
        input.setup.legendPosition = position;
        input.legend = Entries(30);
        input.cellWidth = [](const LegendUtils::LegendItems&, float min) { return std::max(min, 200.0f); };
        const Layout layout = Paginate(input);
        const double room = position == PageSetupSettings::RightOfPage ? 160 / 3.0 : layout.LegendRightLimit() - 20;
        for (const PageRecord& page : layout.pages)
            EXPECT_LE(page.legendSize.width(), page.legendPage ? 160 : room + 1e-3) << position;
        EXPECT_TRUE(layout.outcome == Outcome::Pages && layout.pages.size() > 2) << position;
    }
    // So many entries that a third of the page holds no cell wide enough to read: refused.
    narrow = A4(100);
    narrow.setup.legendPosition = PageSetupSettings::RightOfPage;
    narrow.legend = Entries(200);
    EXPECT_EQ(Paginate(narrow).outcome, Outcome::LegendDoesNotFit);
}
