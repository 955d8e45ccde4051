// The commands' decisions that need no window: zoom steps, pane texts, focus order, Esc, relabelling
// and the values the unit dialogs propose.
#include <gtest/gtest.h>

#include <climits>

#include "docview/commands/rules/ViewCommandRules.h"
#include "docview/document/history/BoreholeDocument.h"
#include "tests/docview/DocviewTestSupport.h"

namespace {

using namespace ViewCommandRules;
using DocviewTest::picture;

class TestDocument : public BoreholeDocument {
public:
    TestDocument() : BoreholeDocument(DocviewTest::fullSchema())
    {
        replaceBorehole(Left, DocviewTest::column(GetBorehole(Left).schema, {1, 2, 3, 4, 5}));
    }
};

TEST(ViewCommandRules, ZoomStepsThroughTheTableCountingNearEntriesAsThem)
{
    EXPECT_EQ(ZoomInDenominator(200), 100);
    EXPECT_EQ(ZoomInDenominator(1), -1) << "1:1 is as near as it goes";
    EXPECT_EQ(ZoomInDenominator(3000), 1000);
    EXPECT_EQ(ZoomInDenominator(210), 100) << "within 10% of 1:200";
    EXPECT_EQ(ZoomInDenominator(230), 200);
    EXPECT_EQ(ZoomOutDenominator(200), 500);
    EXPECT_EQ(ZoomOutDenominator(1000), -1);
    EXPECT_EQ(ZoomOutDenominator(0.5), 1);
    EXPECT_EQ(ZoomOutDenominator(210), 500);
    EXPECT_EQ(ZoomOutDenominator(185), 500) << "within 10% of 1:200";
}

TEST(ViewCommandRules, ScaleValueIsTruncatedButNeverLosesAWholeDenominator)
{
    EXPECT_EQ(ScaleDialogValue(0.1239), 123);
    EXPECT_EQ(ScaleDialogValue(0.1), 100);
    for (int n : {1, 3, 7, 1001, 1003, 2049, 99999})
        EXPECT_EQ(ScaleDialogValue(n / 1000.0), n) << n;
    // A scale no whole number holds shows as the largest one rather than overflowing.
    EXPECT_EQ(ScaleDialogValue(1e297), INT_MAX);
}

TEST(ViewCommandRules, PanesAndModeTicks)
{
    using namespace MouseModes;
    EXPECT_EQ(ToolPaneText(Normal), L"Normal");
    EXPECT_EQ(ToolPaneText(BandAdd), L"Normal") << "a mode without a name of its own";
    EXPECT_EQ(ToolPaneMessage(InsertDrag), 206) << "the insert states";
    EXPECT_EQ(ToolPaneMessage(PickedDrag), 203) << "the pick-and-drag states";
    EXPECT_EQ(ToolPaneMessage(CorrelatePick), 208);
    EXPECT_EQ(ToolPaneMessage(SetBaseDepth), 207);
    EXPECT_EQ(ToolPaneMessage(Delete), 201);
    EXPECT_EQ(ScalePaneText(0.1), L"Scale 1:100");
    EXPECT_EQ(ScalePaneText(0.2505), L"Scale 1:250") << "no decimals";

    EXPECT_TRUE(ModeTicked(PickAndDrag, PickedDragShift));
    EXPECT_FALSE(ModeTicked(Insert, InsertDrag)) << "Insert is ticked in its first state only";
    EXPECT_FALSE(ModeTicked(Correlate, CorrelatePick));
    EXPECT_TRUE(ModeTicked(Delete, Delete));
}

TEST(ViewCommandRules, FocusGoesRoundPanesAndCurves)
{
    const std::vector<CurveRef> curves = {{0, 2}, {1, 0}, {0, 1}};
    Selection s;
    s.pane = 0;
    s.unit = 3;
    std::vector<Selection> visited;
    for (int step = 0; step < 6; ++step) {
        s = MoveFocusRight(s, curves);
        visited.push_back(s);
    }
    EXPECT_EQ(visited[0].pane, 1);
    EXPECT_EQ(visited[0].unit, -1) << "moving the focus drops the unit";
    EXPECT_EQ(visited[1].traceFile, 0);
    EXPECT_EQ(visited[1].curve, 2);
    EXPECT_EQ(visited[3].curve, 1);
    EXPECT_EQ(visited[4].pane, 0) << "after the last curve, the left pane";
    EXPECT_EQ(visited[5].pane, 1);

    Selection left;
    left.pane = 0;
    EXPECT_EQ(MoveFocusLeft(left, curves).curve, 1) << "from the left pane to the last curve";
    EXPECT_EQ(MoveFocusLeft(left, {}).pane, 1) << "without traces, to the right pane";
    Selection first;
    first.traceFile = 0;
    first.curve = 2;
    EXPECT_EQ(MoveFocusLeft(first, curves).pane, 1);
    EXPECT_EQ(MoveFocusRight(Selection(), curves).pane, 0) << "nothing selected: the left pane";
    EXPECT_EQ(MoveFocusLeft(Selection(), curves).pane, 1);

    // A curve that has left the order (hidden since) counts as nothing selected.
    Selection gone;
    gone.traceFile = 5;
    gone.curve = 0;
    EXPECT_EQ(MoveFocusRight(gone, curves).pane, 0);
}

TEST(ViewCommandRules, EscDropsTheUnitThenThePane)
{
    Selection s;
    s.pane = 1;
    s.unit = 4;
    s = NarrowSelection(s);
    EXPECT_EQ(s.pane, 1);
    EXPECT_EQ(s.unit, -1);
    s = NarrowSelection(s);
    EXPECT_EQ(s, Selection());
    Selection trace;
    trace.traceFile = 0;
    trace.curve = 1;
    EXPECT_EQ(NarrowSelection(trace), Selection());
}

TEST(ViewCommandRules, RelabelWorksOnTheSelectionTheRestOfTheHoleOrAllOfIt)
{
    EXPECT_EQ(RelabelUnits({}, 5), UnitRangeList({{0, 4}}));
    EXPECT_EQ(RelabelUnits({{2, 2}}, 5), UnitRangeList({{2, 4}}));
    EXPECT_EQ(RelabelUnits({{1, 1}, {3, 3}}, 5), UnitRangeList({{1, 1}, {3, 3}}));
    EXPECT_TRUE(RelabelUnits({}, 0).empty());

    RelabelRequest request;
    EXPECT_EQ(ChooseRelabel(request), RelabelOperation::Renumber);
    request.maintainOrder = false;
    EXPECT_EQ(ChooseRelabel(request), RelabelOperation::Resequence);
    request.maintainNumber = true;
    request.maintainOrder = true;
    EXPECT_EQ(ChooseRelabel(request), RelabelOperation::Change) << "keeping the number wins";
}

TEST(ViewCommandRules, RelabelRunsTheChosenOperationAndReportsANumberItCannotSplit)
{
    TestDocument document;
    auto& hole = document.GetBorehole(0);
    std::wstring prefix;
    std::wstring suffix;
    std::int32_t number = 0;
    std::int32_t width = 0;
    ASSERT_TRUE(FindSampleNumberPattern(hole, {{0, 4}}, prefix, suffix, number, width));
    EXPECT_EQ(prefix, L"S");
    EXPECT_EQ(number, 1);

    RelabelRequest request;
    request.newPrefix = L"K-";
    request.newStart = 11;
    request.currentStart = 1;
    request.width = 3;
    ASSERT_TRUE(RunRelabel(document, 0, {{1, 4}}, request));
    EXPECT_EQ(hole[1].sample.str(), L"K-012") << "offset 10, the prefix replaced, three digits";
    EXPECT_EQ(hole[0].sample.str(), L"S1");
    EXPECT_EQ(document.GetLastStepDescription(), L"Renumber sample numbers");

    request.maintainPrefix = true;
    request.maintainOrder = false;
    request.newStart = 1;
    ASSERT_TRUE(RunRelabel(document, 0, {{0, 1}}, request));
    EXPECT_EQ(hole[0].sample.str(), L"S001");
    EXPECT_EQ(hole[1].sample.str(), L"K-002") << "its own prefix kept";

    // A unit whose number has no digits: the operation refuses and everything goes back.
    hole[3].sample = L"none";
    const auto before = picture(hole);
    const auto steps = document.GetUndoCount();
    EXPECT_FALSE(RunRelabel(document, 0, {{2, 4}}, request));
    EXPECT_EQ(picture(hole), before);
    EXPECT_EQ(document.GetUndoCount(), steps);

    hole[2].sample = L"";
    EXPECT_FALSE(FindSampleNumberPattern(hole, {{2, 3}}, prefix, suffix, number, width));
}

TEST(ViewCommandRules, ProposalsAgreeIgnoringCaseOrStayEmpty)
{
    TestDocument document;
    auto& hole = document.GetBorehole(0);
    hole[0].seam = L"Upper";
    hole[0].ply = L"U1";
    hole[1].seam = L"UPPER";
    hole[1].ply = L"u1";
    hole[2].seam = L"Lower";
    std::wstring seam;
    std::wstring ply;
    ProposeSeamAndPly(hole, {{0, 1}}, seam, ply);
    EXPECT_EQ(seam, L"Upper");
    EXPECT_EQ(ply, L"U1");
    ProposeSeamAndPly(hole, {{0, 2}}, seam, ply);
    EXPECT_EQ(seam, L"");
    EXPECT_EQ(ply, L"");
    EXPECT_ANY_THROW(ProposeSeamAndPly(hole, {{3, 7}}, seam, ply)) << "a unit beyond the borehole";

    hole[3].sample = L"s1";
    EXPECT_EQ(ProposeSampleNumber(hole, {{0, 0}, {3, 3}}), L"S1");
    EXPECT_EQ(ProposeSampleNumber(hole, {{0, 1}}), L"");
    hole[1].sample = L"";
    hole[2].sample = L"";
    EXPECT_EQ(ProposeSampleNumber(hole, {{1, 2}}), hole.nextSampleNumber()) << "all empty: the next number";
    EXPECT_FALSE(hole.nextSampleNumber().empty());
}

TEST(ViewCommandRules, InterbeddedSelectionAndSampleLabels)
{
    TestDocument document;
    auto& hole = document.GetBorehole(0);
    EXPECT_FALSE(SelectionHasInterbedded(hole, {{0, 4}}));
    hole[0].setRockTypes(L"MIX", {50, 50}, {L"A", L"B"});
    EXPECT_TRUE(SelectionHasInterbedded(hole, {{0, 0}})) << "the first unit too";
    EXPECT_FALSE(SelectionHasInterbedded(hole, {{1, 4}}));

    EXPECT_TRUE(HasSampleLabels(hole));
    for (auto& unit : hole)
        unit.sample = L"";
    EXPECT_FALSE(HasSampleLabels(hole));
}

} // namespace
