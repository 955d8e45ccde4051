#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "core/model/Exception.h"
#include "docview/view/geometry/FittedText.h"
#include "docview/view/geometry/ViewGeometry.h"
#include "tests/core/model/ModelTestSupport.h"

using namespace ViewGeometry;
using ORBAX_Logging::Borehole;

namespace {

Borehole holeWithBottoms(const std::vector<double>& bottoms)
{
    return ModelTest::column(ModelTest::fullSchema(), bottoms);
}

std::vector<double> labelledDepths(const std::vector<DepthTick>& ticks)
{
    std::vector<double> depths;
    for (const DepthTick& tick : ticks)
        if (tick.labelled)
            depths.push_back(tick.depth);
    return depths;
}

} // namespace

TEST(RulerStep, FollowsTheStepTableAtCommonScales)
{
    // 250 mm at 1:100: c = max(12.5, 20) x 0.1 = 2, so 0.2 x 10.
    RulerStep step = ComputeRulerStep(250, 0.1);
    EXPECT_DOUBLE_EQ(step.step, 2);
    EXPECT_DOUBLE_EQ(step.halfStep, 1);
    EXPECT_EQ(step.decimals, 0);
    // The step never goes beyond 5 x 10: at 1:1000 it stays 5 m.
    EXPECT_DOUBLE_EQ(ComputeRulerStep(250, 1.0).step, 5);
    // Fine scales give decimals: 1:10, c = 0.2 -> 0.2 m with one decimal.
    step = ComputeRulerStep(250, 0.01);
    EXPECT_DOUBLE_EQ(step.step, 0.2);
    EXPECT_EQ(step.decimals, 1);
    // 1:1, c = 0.02 -> 0.2 x 0.1.
    step = ComputeRulerStep(250, 0.001);
    EXPECT_NEAR(step.step, 0.02, 1e-12);
    EXPECT_EQ(step.decimals, 2);
}

TEST(RulerStep, AtSmallScalesGoesOnUpTheProgressionUntilLabelsStandApart)
{
    // Labels 3.5 mm high. Where the table's step leaves them room it stays: 2 m at 1:100, 5 m at 1:1000.
    EXPECT_DOUBLE_EQ(ComputeRulerStep(250, 0.1, 3.5).step, 2);
    EXPECT_DOUBLE_EQ(ComputeRulerStep(250, 1.0, 3.5).step, 5);
    // Beyond that 10, 20, 50, 100 m ...: the first step whose labels are no closer than their height.
    const double expected[][2] = {{2, 10}, {5, 20}, {20, 100}, {100, 500}, {1000, 5000}};
    for (const auto& [scale, metres] : expected) {
        const RulerStep step = ComputeRulerStep(250, scale, 3.5);
        EXPECT_DOUBLE_EQ(step.step, metres) << scale;
        EXPECT_DOUBLE_EQ(step.halfStep, metres / 2) << scale;
        EXPECT_EQ(step.decimals, 0) << scale;
        EXPECT_GE(step.step / scale, 3.5) << scale;
    }
    // The ticks follow: at 1:20000 every label stands 5 mm from the next, every tick 2.5 mm.
    RulerStep step;
    const std::vector<DepthTick> ticks = DepthTicks(250, 0, 0, 20, step, 3.5);
    ASSERT_GE(ticks.size(), 2u);
    EXPECT_NEAR(ticks[1].y - ticks[0].y, 2.5, 1e-9);
    EXPECT_EQ(labelledDepths(ticks).back(), 5000);
}

TEST(DepthTicks, ASpanStartingOnATickShowsThatTickAndItsLabel)
{
    // The top of the view at depth 0, a printed page-column from 24 m, and a top that is a sum of
    // tenths (0.6 is not exact in binary).
    const double cases[][3] = {{0, 0.1, 2}, {24, 0.1, 2}, {0.1 + 0.2 + 0.3, 0.01, 0.2}};
    for (const auto& [top, scale, labelStep] : cases) {
        RulerStep step;
        const std::vector<DepthTick> ticks = DepthTicks(100, top, top, scale, step);
        ASSERT_FALSE(ticks.empty()) << top;
        EXPECT_DOUBLE_EQ(step.step, labelStep);
        EXPECT_NEAR(ticks.front().depth, top, 1e-9);
        EXPECT_NEAR(ticks.front().y, 0, 1e-6);
        EXPECT_TRUE(ticks.front().labelled) << top;
    }
}

TEST(DepthTicks, LabelOnlyWholeStepsAndStartAtTheTopDepth)
{
    RulerStep step;
    // 100 mm at 1:100 shows 10 m from depth 3.3; step max(5, 20) x 0.1 = 2 -> 0.2 x 10 = 2 m.
    std::vector<DepthTick> ticks = DepthTicks(100, 3.3, 3.3, 0.1, step);
    ASSERT_DOUBLE_EQ(step.step, 2);
    ASSERT_FALSE(ticks.empty());
    EXPECT_DOUBLE_EQ(ticks.front().depth, 4); // 3 lies above the top
    EXPECT_NEAR(ticks.front().y, (4 - 3.3) / 0.1, 1e-9);
    EXPECT_EQ(labelledDepths(ticks), (std::vector<double>{4, 6, 8, 10, 12}));
    EXPECT_DOUBLE_EQ(ticks.back().depth, 13);
    // Half steps carry ticks only.
    EXPECT_EQ(ticks.size(), 10u);
}

TEST(DepthTicks, LabelTestStaysExactFarDown)
{
    // Repeated addition of 0.05 drifts; whole multiples of the half step do not.
    RulerStep step;
    std::vector<DepthTick> ticks = DepthTicks(100, 1234.0, 0, 0.005, step);
    ASSERT_NEAR(step.step, 0.1, 1e-12);
    int labels = 0;
    for (const DepthTick& tick : ticks) {
        const double k = tick.depth / step.halfStep;
        EXPECT_EQ(tick.labelled, std::llround(k) % 2 == 0) << tick.depth;
        labels += tick.labelled;
    }
    EXPECT_GT(labels, 3);
}

TEST(DepthTicks, UnusableScalesAndSpansGiveNoTicksAndNeverHang)
{
    RulerStep step;
    EXPECT_TRUE(DepthTicks(100, 0, 0, 0, step).empty());
    EXPECT_TRUE(DepthTicks(100, 0, 0, -0.1, step).empty());
    EXPECT_TRUE(DepthTicks(100, 0, 0, std::nan(""), step).empty());
    EXPECT_TRUE(DepthTicks(0, 0, 0, 0.1, step).empty());
    EXPECT_TRUE(DepthTicks(-5, 0, 0, 0.1, step).empty());
    // 1:1,000,000,000 would ask for a hundred million ticks of 5 m.
    EXPECT_TRUE(DepthTicks(250, 0, 0, 1e6, step).empty());
    EXPECT_FALSE(DepthTicks(250, 0, 0, 10, step).empty());
}

TEST(SnapDepth, RoundsToTheTolerance)
{
    EXPECT_DOUBLE_EQ(SnapDepth(7.126, 100), 7.13);
    EXPECT_DOUBLE_EQ(SnapDepth(12.34, 10), 12.3);
    EXPECT_DOUBLE_EQ(SnapDepth(-0.004, 100), 0);
    // A tolerance of 0 or below snaps nothing rather than dividing by zero.
    EXPECT_DOUBLE_EQ(SnapDepth(1.234, 0), 1.234);
    EXPECT_DOUBLE_EQ(SnapDepth(1.234, -5), 1.234);
}

TEST(RectsIntersect, TouchingEdgesDoNotCount)
{
    EXPECT_TRUE(RectsIntersect(QRectF(0, 0, 10, 10), QRectF(9, 9, 5, 5)));
    EXPECT_FALSE(RectsIntersect(QRectF(0, 0, 10, 10), QRectF(10, 0, 5, 5)));
    EXPECT_FALSE(RectsIntersect(QRectF(0, 0, 10, 10), QRectF(0, 10, 5, 5)));
    EXPECT_FALSE(RectsIntersect(QRectF(0, 0, 10, 10), QRectF(-5, 0, 5, 5)));
}

TEST(UnitGeometry, RowStartsAtZeroWhileTheColumnRectUsesTheThickness)
{
    Borehole hole = holeWithBottoms({2, 5, 5, 9});
    hole[0].thickness = 1.5; // a first unit whose top is stored as 0.5
    QRectF row = UnitRowRect(30, 0.1, 0, hole);
    EXPECT_DOUBLE_EQ(row.y(), 0);
    EXPECT_DOUBLE_EQ(row.height(), 20);
    EXPECT_DOUBLE_EQ(row.width(), 30);
    QRectF inColumn = UnitRectInColumn(QRectF(10, 12, 30, 200), 0, 0.1, 0, hole);
    EXPECT_DOUBLE_EQ(inColumn.y(), 12 + 5);
    EXPECT_DOUBLE_EQ(inColumn.height(), 15);
    EXPECT_DOUBLE_EQ(inColumn.x(), 10);
    // A unit of no thickness.
    EXPECT_DOUBLE_EQ(UnitRowRect(30, 0.1, 2, hole).height(), 0);
    // Scrolled: the column's top shows depth 3.
    EXPECT_DOUBLE_EQ(UnitRectInColumn(QRectF(10, 12, 30, 200), 3, 0.1, 3, hole).y(), 12 + (5 - 3) / 0.1);
}

TEST(UnitGeometry, ElementsShareTheRowLeftToRight)
{
    auto schema = ModelTest::fullSchema();
    Borehole hole = ModelTest::column(schema, {3});
    hole[0].setRockTypes(L"IB", {60, 40}, {L"SAND", L"SHALE"});
    QRectF first = ElementRect(0, 0, 30, 0.1, hole);
    QRectF second = ElementRect(0, 1, 30, 0.1, hole);
    EXPECT_DOUBLE_EQ(first.x(), 0);
    EXPECT_DOUBLE_EQ(first.width(), 18);
    EXPECT_DOUBLE_EQ(second.x(), 18);
    EXPECT_DOUBLE_EQ(second.width(), 12);
    EXPECT_DOUBLE_EQ(second.height(), 30);
    // Any whole numbers a file gives as percentages place the elements without overflow.
    hole[0].setRockTypes(L"IB", {INT32_MAX, INT32_MAX, INT32_MIN}, {L"SAND", L"SHALE", L"COAL"});
    EXPECT_DOUBLE_EQ(ElementRect(0, 2, 30, 0.1, hole).x(), 30 * (4294967296.0 - 2) / 100);
}

TEST(UnitGeometry, BadIndexesThrowUnitOutOfRange)
{
    Borehole hole = holeWithBottoms({1, 2});
    for (int bad : {-1, 2}) {
        try {
            UnitRowRect(10, 0.1, bad, hole);
            ADD_FAILURE() << bad;
        } catch (const ORBAX_Logging::Exception& e) {
            EXPECT_EQ(e.type(), ORBAX_Logging::Exception::UnitOutOfRange);
        }
        EXPECT_THROW(UnitRectInColumn(QRectF(), 0, 0.1, bad, hole), ORBAX_Logging::Exception);
    }
    EXPECT_THROW(ElementRect(0, 1, 10, 0.1, hole), ORBAX_Logging::Exception); // one element only
}

TEST(UnitGeometry, FirstVisibleUnitIsFoundByDepth)
{
    Borehole hole = holeWithBottoms({1, 2, 2, 3, 10});
    EXPECT_EQ(FirstUnitWithBaseAtOrBelow(hole, -5), 0);
    EXPECT_EQ(FirstUnitWithBaseAtOrBelow(hole, 1.5), 1);
    EXPECT_EQ(FirstUnitWithBaseAtOrBelow(hole, 2), 1);
    EXPECT_EQ(FirstUnitWithBaseAtOrBelow(hole, 2.5), 3);
    EXPECT_EQ(FirstUnitWithBaseAtOrBelow(hole, 11), 5);
}

TEST(Layout, PanesColumnsAndTraceColumnsFollowTheUnitOfWidth)
{
    LayoutInput in;
    in.pixelsPerMmX = in.pixelsPerMmY = 4; // easy numbers
    in.clientPixels = QSizeF(1016, 800);   // 254 x 200 mm
    in.scrollBarPixels = 16;               // 4 mm
    in.lineHeight = 5;
    in.tickLineHeight = 4;
    ViewLayout layout = ComputeLayout(in);
    EXPECT_DOUBLE_EQ(layout.u, 2.5);
    EXPECT_DOUBLE_EQ(layout.leftColumn.x(), 12.5);
    EXPECT_DOUBLE_EQ(layout.leftColumn.y(), 15);
    EXPECT_DOUBLE_EQ(layout.leftColumn.width(), 12.5);
    EXPECT_DOUBLE_EQ(layout.leftColumn.height(), 200 - 45);
    EXPECT_DOUBLE_EQ(layout.rightColumn.x(), 4 + 62.5);
    EXPECT_DOUBLE_EQ(layout.tracePlot[2].x(), 4 + 85 * 2.5);
    EXPECT_DOUBLE_EQ(layout.tracePlot[0].width(), 35);
    EXPECT_DOUBLE_EQ(layout.leftPane.height(), 200 - 25);
    EXPECT_DOUBLE_EQ(layout.leftPane.width(), 50);
    EXPECT_DOUBLE_EQ(layout.rightPane.x(), 54);
    EXPECT_DOUBLE_EQ(layout.traceColumn[0].x(), layout.rightPane.right());
    EXPECT_DOUBLE_EQ(layout.traceColumn[2].height(), 200);
    EXPECT_DOUBLE_EQ(layout.leftFooter.y(), layout.leftPane.bottom());
    EXPECT_DOUBLE_EQ(layout.rightFooter.bottom(), 200);
    EXPECT_EQ(layout.leftScrollBarX, 200);
    EXPECT_EQ(layout.rightPaneLeftPixel, 216);
    EXPECT_EQ(layout.lineStepPixels, 20);
    EXPECT_DOUBLE_EQ(layout.tickTextOffset, 2);
}

TEST(Layout, PaneEdgesLieOnWholePixels)
{
    LayoutInput in;
    in.pixelsPerMmX = in.pixelsPerMmY = 96 / 25.4;
    in.clientPixels = QSizeF(1283, 777);
    in.scrollBarPixels = 15;
    ViewLayout layout = ComputeLayout(in);
    for (const QRectF* r : {&layout.leftPane, &layout.rightPane, &layout.traceColumn[0], &layout.traceColumn[1],
                            &layout.traceColumn[2]}) {
        EXPECT_NEAR(r->x() * in.pixelsPerMmX, std::round(r->x() * in.pixelsPerMmX), 1e-6);
        EXPECT_NEAR(r->right() * in.pixelsPerMmX, std::round(r->right() * in.pixelsPerMmX), 1e-6);
    }
    EXPECT_NEAR(layout.rightPane.x() * in.pixelsPerMmX - layout.leftPane.right() * in.pixelsPerMmX, 15, 1e-6);
}

TEST(Layout, ATinyWindowGivesEmptyRectanglesNotNegativeOnes)
{
    LayoutInput in;
    in.clientPixels = QSizeF(5, 10);
    in.scrollBarPixels = 16;
    in.lineHeight = 5;
    ViewLayout layout = ComputeLayout(in);
    EXPECT_GE(layout.u, 0);
    EXPECT_GE(layout.leftColumn.height(), 0);
    EXPECT_GE(layout.leftPane.height(), 0);
    EXPECT_GE(layout.leftPane.width(), 0);
}

// ---- Unit labels

namespace {

Borehole sampleHole(const std::vector<double>& bottoms, const std::vector<std::wstring>& samples)
{
    Borehole hole = holeWithBottoms(bottoms);
    for (std::size_t i = 0; i < samples.size(); ++i)
        hole[i].sample = samples[i];
    return hole;
}

std::vector<const UnitLabel*> ofKind(const std::vector<UnitLabel>& labels, int kind)
{
    std::vector<const UnitLabel*> found;
    for (const UnitLabel& label : labels)
        if (label.kind == kind)
            found.push_back(&label);
    return found;
}

const QRectF kColumn(10, 20, 10, 300);

} // namespace

TEST(UnitLabels, SampleRunsIgnoreCaseAndGetBracketsAtTheirEnds)
{
    Borehole hole = sampleHole({1, 2, 3, 4}, {L"s1", L"S1", L"S2", L"S2"});
    auto labels = CollectUnitLabels(hole, kColumn, true, 0, 0.1, 4, 4);
    auto texts = ofKind(labels, UnitLabel::SampleText);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text, L"s1");
    EXPECT_DOUBLE_EQ(texts[0]->y, 20 + 10); // middle of 0..2 m
    EXPECT_DOUBLE_EQ(texts[1]->y, 20 + 30); // middle of 2..4 m
    auto brackets = ofKind(labels, UnitLabel::SampleBracket);
    ASSERT_EQ(brackets.size(), 3u); // top of the first run, between the runs, closing
    EXPECT_DOUBLE_EQ(brackets[0]->y, 20);
    EXPECT_DOUBLE_EQ(brackets[1]->y, 40);
    EXPECT_DOUBLE_EQ(brackets[2]->y, 60);
}

TEST(UnitLabels, CloseTextsArePushedOneLabelHeightApart)
{
    // Runs of 0.2 m at 1:100 are 2 mm high; labels are 4 mm high; the hole goes on below them.
    Borehole hole = sampleHole({0.2, 0.4, 1.0}, {L"A", L"B", L""});
    auto labels = CollectUnitLabels(hole, kColumn, true, 0, 0.1, 4, 4);
    auto texts = ofKind(labels, UnitLabel::SampleText);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NEAR(texts[1]->labelY - texts[0]->labelY, 4, 1e-9);
    EXPECT_DOUBLE_EQ(texts[0]->labelY, 22); // as near its middle as the column's top lets it stand
}

// A text moved off its row on paper (clear of the next ruler's numbers) takes the tails of its own
// bracket along, so that the bracket still points at it; other brackets stay, but out of its new row.
TEST(UnitLabels, BracketsFollowATextMovedOffItsRow)
{
    // Runs of 0.1 m at 1:100 are 1 mm high, thinner than the 4 mm texts: their tails meet the texts' edges.
    Borehole hole = sampleHole({1, 1.1, 3, 3.1, 6}, {L"", L"X", L"", L"Y", L""});
    const auto labels = CollectUnitLabels(hole, kColumn, true, 0, 0.1, 4, 4);
    std::vector<LabelText> texts(labels.size());
    std::vector<double> before(labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        before[i] = labels[i].labelY;
        texts[i].y = labels[i].labelY;
        texts[i].half = 2;
        if (labels[i].text == L"X") {
            texts[i].fitted.text = QStringLiteral("X");
            texts[i].y += 3;
        }
    }
    const std::vector<double> tails = FollowedTails(labels, texts, 2, 2);
    int moved = 0;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (labels[i].kind != UnitLabel::SampleBracket) {
            EXPECT_EQ(tails[i], before[i]);
        } else if (labels[i].y < 40) { // the brackets of X, at 30 and 31 mm
            EXPECT_DOUBLE_EQ(tails[i], before[i] + 3);
            ++moved;
        } else {
            EXPECT_EQ(tails[i], before[i]) << "Y's bracket stays";
        }
    }
    EXPECT_EQ(moved, 2);
}

TEST(UnitLabels, ZeroThicknessMarkerOnlyWithSampleNumbers)
{
    Borehole hole = sampleHole({1, 1, 2}, {L"A", L"A", L"A"});
    EXPECT_EQ(ofKind(CollectUnitLabels(hole, kColumn, true, 0, 0.1, 4, 4), UnitLabel::ZeroThickness).size(), 1u);
    EXPECT_TRUE(ofKind(CollectUnitLabels(hole, kColumn, false, 0, 0.1, 4, 4), UnitLabel::ZeroThickness).empty());
}

TEST(UnitLabels, ScrolledFarDownGivesWhatAWalkFromTheTopGives)
{
    std::vector<double> bottoms;
    std::vector<std::wstring> samples;
    for (int i = 0; i < 400; ++i) {
        bottoms.push_back(0.5 * (i + 1));
        samples.push_back(L"S" + std::to_wstring(i / 3));
    }
    Borehole hole = sampleHole(bottoms, samples);
    // The column shows 150.2 m to 180.2 m; the run S100 (150 m .. 151.5 m) straddles its top.
    auto labels = CollectUnitLabels(hole, kColumn, true, 150.2, 0.1, 4, 4);
    auto texts = ofKind(labels, UnitLabel::SampleText);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front()->text, L"S100");
    EXPECT_DOUBLE_EQ(texts.front()->y, (20 + (151.5 - 150.2) / 0.1 + 20) / 2);
    for (const UnitLabel& label : labels)
        EXPECT_GE(label.y, kColumn.top());
}

TEST(UnitLabels, SeamsAndPliesGiveNamesLeadersAndPlyBrackets)
{
    Borehole hole = holeWithBottoms({1, 2, 3, 4});
    hole[0].seam = L"Upper";
    hole[0].ply = L"U1";
    hole[1].seam = L"upper";
    hole[1].ply = L"U2";
    hole[2].seam = L"Main";
    hole[2].ply = L"M1";
    hole[3].seam = L"Main";
    hole[3].ply = L"m1";
    auto labels = CollectUnitLabels(hole, kColumn, false, 0, 0.1, 4, 3);
    auto plies = ofKind(labels, UnitLabel::PlyText);
    ASSERT_EQ(plies.size(), 3u);
    EXPECT_EQ(plies[0]->text, L"U1");
    EXPECT_EQ(plies[2]->text, L"M1");
    EXPECT_EQ(ofKind(labels, UnitLabel::PlyBracket).size(), 1u); // U1 | U2
    auto begins = ofKind(labels, UnitLabel::SeamBegins);
    auto ends = ofKind(labels, UnitLabel::SeamEnds);
    ASSERT_EQ(begins.size(), 2u); // Upper at the top, Main at 2 m
    ASSERT_EQ(ends.size(), 2u);   // Upper at 2 m, Main at the base
    EXPECT_EQ(ends[0]->text, L"Upper");
    EXPECT_DOUBLE_EQ(ends[1]->y, 60);
    // The seam that begins at 2 m is pushed below the one that ends there.
    EXPECT_GT(begins[1]->labelY, ends[0]->labelY);
}

TEST(UnitLabels, NothingForAnEmptyBoreholeOrAnUnusableScale)
{
    Borehole empty = holeWithBottoms({});
    EXPECT_TRUE(CollectUnitLabels(empty, kColumn, true, 0, 0.1, 4, 4).empty());
    Borehole hole = sampleHole({1}, {L"A"});
    EXPECT_TRUE(CollectUnitLabels(hole, kColumn, true, 0, 0, 4, 4).empty());
}
