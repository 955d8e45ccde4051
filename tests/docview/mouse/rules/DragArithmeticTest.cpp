#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/model/Exception.h"
#include "docview/mouse/rules/DragArithmetic.h"
#include "tests/docview/DocviewTestSupport.h"

using namespace DragArithmetic;
using DocviewTest::column;
using DocviewTest::fullSchema;

namespace {

// Applies a plan to the borehole as the view does: upward (or staying) from the first unit of the group,
// downward from the last, only the last passing the shift on.
void Apply(ORBAX_Logging::Borehole& hole, const BaseMove& move, bool shifting)
{
    ASSERT_TRUE(move.changes);
    if (!move.downward) {
        for (int i = move.first; i < move.last; ++i)
            hole.setUnitDepth(i, false, move.depth);
        hole.setUnitDepth(move.last, shifting, move.depth);
    } else {
        hole.setUnitDepth(move.last, shifting, move.depth);
        for (int i = move.last - 1; i >= move.first; --i)
            hole.setUnitDepth(i, false, move.depth);
    }
}

bool IsStep(double depth, int tolerance)
{
    const double ticks = depth * tolerance;
    return std::fabs(ticks - std::round(ticks)) < 1e-6;
}

} // namespace

TEST(DragArithmetic, BasesMoveInWholeStepsOfTheTolerance)
{
    auto hole = column(fullSchema(), {10, 20, 30});
    BaseMove move = PlanBaseMove(*hole, 0, 12.3456, false, 100, 0.01);
    EXPECT_TRUE(move.changes);
    EXPECT_DOUBLE_EQ(move.depth, 12.35);
    EXPECT_TRUE(move.downward);
    EXPECT_DOUBLE_EQ(PlanBaseMove(*hole, 0, 12.3456, false, 10, 0.01).depth, 12.3);
    // A tolerance of 0 or below cannot divide: whole metres.
    EXPECT_DOUBLE_EQ(PlanBaseMove(*hole, 0, 12.3456, false, 0, 0.01).depth, 12.0);

    // Snapping back onto the old base is no move; nor is a depth that is no number.
    EXPECT_FALSE(PlanBaseMove(*hole, 1, 20.004, false, 100, 0.01).changes);
    EXPECT_FALSE(PlanBaseMove(*hole, 1, std::numeric_limits<double>::quiet_NaN(), false, 100, 0.01).changes);
    EXPECT_FALSE(PlanBaseMove(*hole, 1, 1e300, true, 100, 0.01).changes);

    EXPECT_THROW(PlanBaseMove(*hole, 3, 25, false, 100, 0.01), ORBAX_Logging::Exception);
    EXPECT_THROW(PlanBaseMove(*hole, -1, 25, false, 100, 0.01), ORBAX_Logging::Exception);
}

TEST(DragArithmetic, UpwardDragsLeaveTheUnitAboveTheMinimumThickness)
{
    auto hole = column(fullSchema(), {10, 20, 30});
    // Far above the unit's top: it keeps exactly the minimum, in either kind of drag.
    for (bool shifting : {false, true}) {
        BaseMove move = PlanBaseMove(*hole, 1, 3.0, shifting, 100, 0.01);
        ASSERT_TRUE(move.changes);
        EXPECT_FALSE(move.downward);
        EXPECT_DOUBLE_EQ(move.depth, 10.01);
    }
    // The first unit's top is depth 0.
    EXPECT_DOUBLE_EQ(PlanBaseMove(*hole, 0, -5, false, 100, 0.01).depth, 0.01);
    // A minimum that is no multiple of the step: raised to the first step that keeps it.
    EXPECT_DOUBLE_EQ(PlanBaseMove(*hole, 1, 9, false, 100, 0.015).depth, 10.02);
    // Exactly the minimum is enough (0.01 has no exact binary form).
    EXPECT_DOUBLE_EQ(PlanBaseMove(*hole, 1, 10.01, false, 100, 0.01).depth, 10.01);

    Apply(*hole, PlanBaseMove(*hole, 1, 3.0, false, 100, 0.01), false);
    EXPECT_NEAR((*hole)[1].thickness, 0.01, 1e-9);
    EXPECT_NEAR((*hole)[2].thickness, 19.99, 1e-9) << "the next unit takes up the change";
    EXPECT_DOUBLE_EQ((*hole)[2].bottom, 30);
}

TEST(DragArithmetic, DownwardDragsStopWhereTheNextUnitKeepsTheMinimum)
{
    auto hole = column(fullSchema(), {10, 20, 30});
    BaseMove move = PlanBaseMove(*hole, 0, 25, false, 100, 0.01);
    ASSERT_TRUE(move.changes);
    EXPECT_DOUBLE_EQ(move.depth, 19.99);
    Apply(*hole, move, false);
    EXPECT_NEAR((*hole)[1].thickness, 0.01, 1e-9);

    // In binary 10.5 - 10.49 is below 0.01: a step-by-step lowering would stop one step early.
    auto close = column(fullSchema(), {10, 10.5, 12});
    EXPECT_DOUBLE_EQ(PlanBaseMove(*close, 0, 11, false, 100, 0.01).depth, 10.49);

    // Units that move with the boundary set no limit below.
    auto shifted = column(fullSchema(), {10, 20, 30});
    move = PlanBaseMove(*shifted, 0, 25, true, 100, 0.01);
    EXPECT_DOUBLE_EQ(move.depth, 25);
    Apply(*shifted, move, true);
    EXPECT_DOUBLE_EQ((*shifted)[1].bottom, 35);
    EXPECT_DOUBLE_EQ((*shifted)[2].bottom, 45);

    // The last unit has nothing below it.
    EXPECT_DOUBLE_EQ(PlanBaseMove(*hole, 2, 80, false, 100, 0.01).depth, 80);
}

TEST(DragArithmetic, AMoveTheNextUnitCutsShorterThanTheMinimumIsNone)
{
    // The next unit is 0.015 thick: the boundary could only go down 0.005.
    auto hole = column(fullSchema(), {10, 10.015, 20});
    EXPECT_FALSE(PlanBaseMove(*hole, 0, 11, false, 100, 0.01).changes);
    // A unit already thinner than the minimum below: no downward move at all.
    auto thin = column(fullSchema(), {10, 10.005, 20});
    EXPECT_FALSE(PlanBaseMove(*thin, 0, 10.3, false, 100, 0.01).changes);
    // Upward moves are never refused by the unit below.
    BaseMove up = PlanBaseMove(*thin, 0, 9.5, false, 100, 0.01);
    EXPECT_TRUE(up.changes);
    EXPECT_DOUBLE_EQ(up.depth, 9.5);
}

TEST(DragArithmetic, UnitsOfNoThicknessMoveWithTheBoundaryTheyShare)
{
    // Units 1 and 2 have no thickness: they share unit 0's base.
    auto hole = column(fullSchema(), {10, 10, 10, 20});
    for (int unit : {0, 1, 2}) {
        BaseMove move = PlanBaseMove(*hole, unit, 12.5, false, 100, 0.01);
        EXPECT_EQ(move.first, 0) << unit;
        EXPECT_EQ(move.last, 2) << unit;
        EXPECT_DOUBLE_EQ(move.depth, 12.5);
    }
    Apply(*hole, PlanBaseMove(*hole, 0, 12.5, false, 100, 0.01), false);
    for (int unit : {0, 1, 2})
        EXPECT_DOUBLE_EQ((*hole)[static_cast<std::size_t>(unit)].bottom, 12.5) << unit;
    EXPECT_DOUBLE_EQ((*hole)[1].thickness, 0);
    EXPECT_DOUBLE_EQ((*hole)[2].thickness, 0);
    EXPECT_DOUBLE_EQ((*hole)[3].thickness, 7.5);

    Apply(*hole, PlanBaseMove(*hole, 2, 4.25, true, 100, 0.01), true);
    for (int unit : {0, 1, 2})
        EXPECT_DOUBLE_EQ((*hole)[static_cast<std::size_t>(unit)].bottom, 4.25) << unit;
    EXPECT_DOUBLE_EQ((*hole)[3].bottom, 11.75) << "the units below moved up with the group";
    EXPECT_DOUBLE_EQ((*hole)[3].thickness, 7.5);
}

TEST(DragArithmetic, EveryDragEndsOnAStepAndKeepsEveryUnitAtTheMinimum)
{
    // A sweep of pointer depths over a borehole with odd bases: whatever the pointer does, the bases
    // stay in order, on steps of 1/T once moved, and no unit becomes thinner than the minimum.
    for (int tolerance : {10, 100, 1000}) {
        for (bool shifting : {false, true}) {
            auto hole = column(fullSchema(), {3.3, 7.77, 7.8, 15, 15.004});
            const double m = 0.02;
            for (double pointer = -1; pointer < 25; pointer += 0.0731) {
                BaseMove move = PlanBaseMove(*hole, 2, pointer, shifting, tolerance, m);
                if (!move.changes)
                    continue;
                EXPECT_TRUE(IsStep(move.depth, tolerance)) << move.depth;
                Apply(*hole, move, shifting);
                EXPECT_GE((*hole)[2].thickness, m - 1e-9) << pointer;
                if (!shifting) {
                    EXPECT_GE((*hole)[3].thickness, m - 1e-9) << pointer;
                }
                for (int i = 1; i < hole->unitCount(); ++i)
                    EXPECT_LE((*hole)[i - 1].bottom, (*hole)[i].bottom);
            }
        }
    }
}

TEST(DragArithmetic, InsertPressesKeepTheMinimumOnBothSides)
{
    auto hole = column(fullSchema(), {10, 20});
    const double m = 0.01;
    // Below the last unit: strictly more than the minimum below its base.
    EXPECT_EQ(InsertPlace(*hole, -1, 20.01, m), PressPlace::Refused);
    EXPECT_EQ(InsertPlace(*hole, -1, 20.02, m), PressPlace::Append);
    EXPECT_EQ(InsertPlace(*hole, -1, 19, m), PressPlace::Refused);
    // Inside a unit: the minimum or more on each side.
    EXPECT_EQ(InsertPlace(*hole, 1, 10.01, m), PressPlace::Split);
    EXPECT_EQ(InsertPlace(*hole, 1, 19.99, m), PressPlace::Split);
    EXPECT_EQ(InsertPlace(*hole, 1, 10.0, m), PressPlace::Refused);
    EXPECT_EQ(InsertPlace(*hole, 1, 19.995, m), PressPlace::Refused);
    EXPECT_EQ(InsertPlace(*hole, 0, 0.01, m), PressPlace::Split) << "the first unit's top is 0";
    EXPECT_EQ(InsertPlace(*hole, 0, 0.005, m), PressPlace::Refused);

    ORBAX_Logging::Borehole empty(fullSchema());
    EXPECT_EQ(InsertPlace(empty, -1, 0.01, m), PressPlace::Refused);
    EXPECT_EQ(InsertPlace(empty, -1, 0.02, m), PressPlace::Append);
}

TEST(DragArithmetic, TheSplitsSecondBoundaryStaysBetweenItsNeighbours)
{
    auto hole = column(fullSchema(), {10, 20, 30});
    double depth = 0;
    // Not above the first boundary plus the minimum, snapped.
    ASSERT_TRUE(SplitDepth(*hole, 0, 4.0, true, 100, 0.01, depth));
    EXPECT_DOUBLE_EQ(depth, 10.01);
    ASSERT_TRUE(SplitDepth(*hole, 0, 13.337, true, 100, 0.01, depth));
    EXPECT_DOUBLE_EQ(depth, 13.34);
    // Absorbing: held above the next base by the minimum.
    ASSERT_TRUE(SplitDepth(*hole, 0, 26, true, 100, 0.01, depth));
    EXPECT_DOUBLE_EQ(depth, 19.99);
    // Shifting: nothing holds it.
    ASSERT_TRUE(SplitDepth(*hole, 0, 26, false, 100, 0.01, depth));
    EXPECT_DOUBLE_EQ(depth, 26);
    // No room between two boundaries closer than twice the minimum.
    auto tight = column(fullSchema(), {10, 10.015});
    EXPECT_FALSE(SplitDepth(*tight, 0, 10.01, true, 100, 0.01, depth));
    EXPECT_TRUE(SplitDepth(*tight, 0, 10.01, false, 100, 0.01, depth));
    EXPECT_THROW(SplitDepth(*hole, 5, 1, true, 100, 0.01, depth), ORBAX_Logging::Exception);
}

TEST(DragArithmetic, TheDoubleClickRectangleIsFourPixelsEachWay)
{
    EXPECT_TRUE(WithinDoubleClickRect({100, 100}, {104, 96}));
    EXPECT_FALSE(WithinDoubleClickRect({100, 100}, {105, 100}));
    EXPECT_FALSE(WithinDoubleClickRect({100, 100}, {100, 95}));
}
