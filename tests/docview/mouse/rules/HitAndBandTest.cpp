#include <gtest/gtest.h>

#include "docview/mouse/rules/BandSelection.h"
#include "docview/mouse/rules/MouseModes.h"
#include "docview/mouse/rules/UnitHitTest.h"
#include "tests/docview/DocviewTestSupport.h"

using DocviewTest::column;
using DocviewTest::fullSchema;
using UnitHitTest::BoundaryUnit;
using UnitHitTest::HitTestUnit;
using UnitHitTest::UnitHit;

namespace {

// A column 30 mm wide from y = 20 at 1:100 (0.1 m a millimetre): depth d lies at y = 20 + 10 d
// while the column's top shows depth 0.
const QRectF kColumn(10, 20, 30, 300);
constexpr double kScale = 0.1;

double RowOf(double depth, double topDepth = 0) { return kColumn.top() + (depth - topDepth) / kScale; }

} // namespace

TEST(UnitHitTest, PointsTakeTheUnitThatHoldsThemAndItsNearestBoundary)
{
    auto hole = column(fullSchema(), {10, 20, 30});
    const double x = 25;
    EXPECT_EQ(HitTestUnit(*hole, kColumn, 0, kScale, {x, RowOf(15)}), (UnitHit{1, 0}));
    // Within 1 mm above a base: that unit's base; within 1 mm below it: the next unit's top.
    EXPECT_EQ(HitTestUnit(*hole, kColumn, 0, kScale, {x, RowOf(19.95)}), (UnitHit{1, 2}));
    EXPECT_EQ(HitTestUnit(*hole, kColumn, 0, kScale, {x, RowOf(20.05)}), (UnitHit{2, 1}));
    EXPECT_EQ(HitTestUnit(*hole, kColumn, 0, kScale, {x, RowOf(20.15)}), (UnitHit{2, 0}));
    // The base is tried before the top: in a unit thinner than 2 mm the base wins.
    auto thin = column(fullSchema(), {10, 10.15, 30});
    EXPECT_EQ(HitTestUnit(*thin, kColumn, 0, kScale, {x, RowOf(10.08)}), (UnitHit{1, 2}));
    // Outside the column across: no unit.
    EXPECT_EQ(HitTestUnit(*hole, kColumn, 0, kScale, {45, RowOf(15)}).unit, -1);
    EXPECT_EQ(HitTestUnit(*hole, kColumn, 0, kScale, {kColumn.right(), RowOf(15)}).unit, -1);
    // The pane's scroll position moves the units up.
    EXPECT_EQ(HitTestUnit(*hole, kColumn, 12, kScale, {x, RowOf(15, 12)}), (UnitHit{1, 0}));
    EXPECT_EQ(HitTestUnit(*hole, kColumn, 12, kScale, {x, RowOf(19.95, 12)}), (UnitHit{1, 2}));
}

TEST(UnitHitTest, BoundariesAreBasesAndTheTopOfTheFirstUnitIsNone)
{
    auto hole = column(fullSchema(), {10, 20, 30});
    const double x = 25;
    // Just below the last unit: no unit, but its base.
    UnitHit below = HitTestUnit(*hole, kColumn, 0, kScale, {x, RowOf(30.05)});
    EXPECT_EQ(below, (UnitHit{-1, 2}));
    EXPECT_EQ(BoundaryUnit(below, 3), 2);
    UnitHit farBelow = HitTestUnit(*hole, kColumn, 0, kScale, {x, RowOf(30.2)});
    EXPECT_EQ(farBelow, (UnitHit{-1, 0}));
    EXPECT_EQ(BoundaryUnit(farBelow, 3), -1);
    // Near the top of the first unit: edge 1, but no boundary.
    UnitHit top = HitTestUnit(*hole, kColumn, 0, kScale, {x, RowOf(0.05)});
    EXPECT_EQ(top, (UnitHit{0, 1}));
    EXPECT_EQ(BoundaryUnit(top, 3), -1);
    EXPECT_EQ(BoundaryUnit(UnitHit{2, 1}, 3), 1);
    EXPECT_EQ(BoundaryUnit(UnitHit{1, 2}, 3), 1);
    EXPECT_EQ(BoundaryUnit(UnitHit{1, 0}, 3), -1);
    EXPECT_EQ(BoundaryUnit(UnitHit{-1, 2}, 0), -1);

    // Units of no thickness hold no point: the unit above takes the press on the shared base.
    auto zero = column(fullSchema(), {10, 10, 20});
    EXPECT_EQ(HitTestUnit(*zero, kColumn, 0, kScale, {x, RowOf(9.95)}), (UnitHit{0, 2}));
    EXPECT_EQ(HitTestUnit(*zero, kColumn, 0, kScale, {x, RowOf(10.05)}), (UnitHit{2, 1}));

    ORBAX_Logging::Borehole empty(fullSchema());
    EXPECT_EQ(HitTestUnit(empty, kColumn, 0, kScale, {x, RowOf(0)}), (UnitHit{-1, 0}));
    EXPECT_EQ(HitTestUnit(*hole, kColumn, 0, 0, {x, RowOf(5)}), (UnitHit{-1, 0})) << "an unusable scale";
}

TEST(UnitHitTest, HandlesSitAtBothEndsOfThePickedBase)
{
    const QRectF unit(10, 20, 30, 40); // base at y = 60
    EXPECT_EQ(UnitHitTest::LeftHandle(unit), QRectF(7, 59, 2, 2));
    EXPECT_EQ(UnitHitTest::RightHandle(unit), QRectF(41, 59, 2, 2));
    EXPECT_TRUE(UnitHitTest::OnHandle(unit, {8, 60}));
    EXPECT_TRUE(UnitHitTest::OnHandle(unit, {43, 61}));
    EXPECT_FALSE(UnitHitTest::OnHandle(unit, {25, 60})) << "the line between the handles is no handle";
    EXPECT_FALSE(UnitHitTest::OnHandle(unit, {8, 62}));
}

TEST(BandSelection, RightwardBandsContainAndLeftwardBandsCross)
{
    using BandSelection::Rule;
    using BandSelection::RuleFor;
    EXPECT_EQ(RuleFor(MouseModes::BandNew, 10, 10), Rule::Containment);
    EXPECT_EQ(RuleFor(MouseModes::BandAdd, 10, 50), Rule::Containment);
    EXPECT_EQ(RuleFor(MouseModes::BandNew, 10, 9), Rule::Crossing);
    for (MouseModes::Mode mode :
         {MouseModes::SelectSingle, MouseModes::SelectAdd, MouseModes::SelectExtend, MouseModes::CorrelatePick})
        EXPECT_EQ(RuleFor(mode, 10, 50), Rule::Crossing) << mode;

    auto hole = column(fullSchema(), {10, 20, 30, 40});
    // From across the column, from depth 5 to 32: wholly inside are units 1 and 2 only.
    const QRectF band(QPointF(5, RowOf(5)), QPointF(45, RowOf(32)));
    EXPECT_EQ(BandSelection::UnitsInBand(*hole, kColumn, 0, kScale, band, Rule::Containment), (UnitRangeList{{1, 2}}));
    EXPECT_EQ(BandSelection::UnitsInBand(*hole, kColumn, 0, kScale, band, Rule::Crossing), (UnitRangeList{{0, 3}}));
    // Corners in any order make the same band.
    const QRectF reversed(QPointF(45, RowOf(32)), QPointF(5, RowOf(5)));
    EXPECT_EQ(BandSelection::UnitsInBand(*hole, kColumn, 0, kScale, reversed, Rule::Crossing), (UnitRangeList{{0, 3}}));
    // Containment needs the column's width inside the band; crossing is strict: a band ending on a
    // unit's top takes nothing of it.
    const QRectF narrow(QPointF(20, RowOf(5)), QPointF(30, RowOf(20)));
    EXPECT_TRUE(BandSelection::UnitsInBand(*hole, kColumn, 0, kScale, narrow, Rule::Containment).empty());
    EXPECT_EQ(BandSelection::UnitsInBand(*hole, kColumn, 0, kScale, narrow, Rule::Crossing), (UnitRangeList{{0, 1}}));
    // A band touching no unit's area.
    const QRectF beside(QPointF(50, RowOf(5)), QPointF(60, RowOf(25)));
    EXPECT_TRUE(BandSelection::UnitsInBand(*hole, kColumn, 0, kScale, beside, Rule::Crossing).empty());
}

TEST(BandSelection, CtrlAddsTheSavedSelectionAndShiftSpansFromTheSelectedUnit)
{
    const UnitRangeList taken{{4, 5}};
    const UnitRangeList saved{{0, 0}, {8, 9}};
    EXPECT_EQ(BandSelection::Combine(MouseModes::BandNew, taken, saved, 1), taken);
    EXPECT_EQ(BandSelection::Combine(MouseModes::SelectSingle, taken, saved, 1), taken);
    EXPECT_EQ(BandSelection::Combine(MouseModes::BandAdd, taken, saved, 1), (UnitRangeList{{0, 0}, {4, 5}, {8, 9}}));
    EXPECT_EQ(BandSelection::Combine(MouseModes::SelectAdd, UnitRangeList{{1, 1}}, UnitRangeList{{0, 0}}, 1),
              (UnitRangeList{{0, 1}}));
    EXPECT_EQ(BandSelection::Combine(MouseModes::SelectExtend, taken, saved, 1), (UnitRangeList{{1, 5}}));
    EXPECT_EQ(BandSelection::Combine(MouseModes::SelectExtend, taken, saved, 7), (UnitRangeList{{4, 7}}));
    EXPECT_EQ(BandSelection::Combine(MouseModes::SelectExtend, taken, saved, -1), taken);
}

TEST(BandSelection, TheDragLeavesTheColumnOnlyAcrossAnEdgeItStartedInsideOf)
{
    // Column rows 100 to 500.
    EXPECT_TRUE(BandSelection::LeftColumn(300, 501, 100, 500));
    EXPECT_TRUE(BandSelection::LeftColumn(300, 99, 100, 500));
    EXPECT_FALSE(BandSelection::LeftColumn(300, 500, 100, 500));
    EXPECT_FALSE(BandSelection::LeftColumn(300, 100, 100, 500));
    // Started below the column: going further down is no reason to scroll; coming up above is.
    EXPECT_FALSE(BandSelection::LeftColumn(600, 700, 100, 500));
    EXPECT_TRUE(BandSelection::LeftColumn(600, 50, 100, 500));
    EXPECT_FALSE(BandSelection::LeftColumn(50, 20, 100, 500));
}

TEST(MouseModes, EachTransientModeReturnsToItsStandingMode)
{
    using namespace MouseModes;
    for (Mode mode : {DragBoundary, DragBoundaryShift, SelectSingle, SelectAdd, SelectExtend, BandNew, BandAdd,
                      SplitWait, SplitWaitShift, SplitDrag, SplitDragShift})
        EXPECT_EQ(ModeAfterRelease(mode), Normal) << mode;
    EXPECT_EQ(ModeAfterRelease(InsertDrag), Insert);
    EXPECT_EQ(ModeAfterRelease(InsertDragShift), Insert);
    EXPECT_EQ(ModeAfterRelease(PickedDrag), Picked);
    EXPECT_EQ(ModeAfterRelease(PickedDragShift), Picked);
    EXPECT_EQ(ModeAfterRelease(CorrelatePick), Correlate);
    for (Mode mode :
         {Normal, SetBaseDepth, SetRock, Delete, Insert, Merge, CreateBoundaries, PickAndDrag, Picked, Correlate}) {
        EXPECT_EQ(ModeAfterRelease(mode), mode) << mode;
        EXPECT_FALSE(IsTransient(mode)) << mode;
        EXPECT_FALSE(HoldsDragStep(mode)) << mode;
    }
    // Every drag that moves a boundary holds a step; the split's wait holds one too.
    for (int number = Normal; number <= CorrelatePick; ++number) {
        const Mode mode = static_cast<Mode>(number);
        if (MovesBoundary(mode)) {
            EXPECT_TRUE(HoldsDragStep(mode)) << mode;
        }
    }
    EXPECT_TRUE(HoldsDragStep(SplitWait));
    EXPECT_FALSE(HoldsDragStep(SelectSingle));

    EXPECT_TRUE(ShiftingChoice(true, false));
    EXPECT_TRUE(ShiftingChoice(false, true));
    EXPECT_FALSE(ShiftingChoice(true, true));
    EXPECT_FALSE(ShiftingChoice(false, false));
}
