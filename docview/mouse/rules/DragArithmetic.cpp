#include "docview/mouse/rules/DragArithmetic.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/model/Exception.h"

using ORBAX_Logging::Borehole;

namespace DragArithmetic {

namespace {

// Depths are worked in whole steps ("ticks") of 1/tolerance; beyond this many ticks a depth is no
// position on any borehole, and a pointer that far away moves nothing.
constexpr double kMaxTicks = 1e15;

bool below(double a, double b) { return a < b - DepthMargin; }

int usableTolerance(int tolerance) { return tolerance > 0 ? tolerance : 1; }

double depthOf(long long ticks, int tolerance) { return static_cast<double>(ticks) / tolerance; }

bool toTicks(double depth, int tolerance, long long& ticks)
{
    const double scaled = std::floor(depth * tolerance + 0.5);
    if (!std::isfinite(scaled) || std::fabs(scaled) > kMaxTicks)
        return false;
    ticks = static_cast<long long>(scaled);
    return true;
}

// The first tick from `ticks` upward that is not above `least` (by more than the margin).
long long raiseTo(long long ticks, int tolerance, double least)
{
    if (!below(depthOf(ticks, tolerance), least))
        return ticks;
    // Jump close, then step: the loop settles what rounding leaves open.
    ticks = std::max(ticks, static_cast<long long>(std::ceil(least * tolerance)) - 1);
    while (below(depthOf(ticks, tolerance), least))
        ++ticks;
    return ticks;
}

// The first tick from `ticks` downward that is not below `most` (by more than the margin).
long long lowerTo(long long ticks, int tolerance, double most)
{
    if (!below(most, depthOf(ticks, tolerance)))
        return ticks;
    ticks = std::min(ticks, static_cast<long long>(std::floor(most * tolerance)) + 1);
    while (below(most, depthOf(ticks, tolerance)))
        --ticks;
    return ticks;
}

const ORBAX_Logging::Interval& unitAt(const Borehole& borehole, int i)
{
    if (i < 0 || i >= borehole.unitCount())
        throw ORBAX_Logging::Exception(ORBAX_Logging::Exception::UnitOutOfRange);
    return borehole[static_cast<std::size_t>(i)];
}

double baseAbove(const Borehole& borehole, int i) { return i == 0 ? 0.0 : unitAt(borehole, i - 1).bottom; }

} // namespace

BaseMove PlanBaseMove(const Borehole& borehole, int unit, double depth, bool shifting, int tolerance, double minimum)
{
    unitAt(borehole, unit);
    const int t = usableTolerance(tolerance);
    const double m = std::max(0.0, minimum);
    BaseMove move;
    // Units of no thickness share their base with the unit above: the boundary moves them together.
    move.first = unit;
    while (move.first >= 1 && borehole[static_cast<std::size_t>(move.first)].thickness == 0)
        --move.first;
    move.last = unit;
    while (move.last + 1 < borehole.unitCount() && borehole[static_cast<std::size_t>(move.last) + 1].thickness == 0)
        ++move.last;

    long long ticks = 0;
    if (!toTicks(depth, t, ticks))
        return move;
    const double oldBase = borehole[static_cast<std::size_t>(move.first)].bottom;
    ticks = raiseTo(ticks, t, baseAbove(borehole, move.first) + m);
    if (!shifting && move.last + 1 < borehole.unitCount()) {
        const double most = borehole[static_cast<std::size_t>(move.last) + 1].bottom - m;
        if (below(most, depthOf(ticks, t))) {
            ticks = lowerTo(ticks, t, most);
            // Held back by the unit below: a move shorter than the minimum is none.
            if (below(depthOf(ticks, t) - oldBase, m))
                return move;
        }
    }
    move.depth = depthOf(ticks, t);
    if (std::fabs(move.depth - oldBase) <= DepthMargin)
        return move;
    move.changes = true;
    move.downward = move.depth > oldBase;
    return move;
}

PressPlace InsertPlace(const Borehole& borehole, int unit, double depth, double minimum)
{
    const int count = borehole.unitCount();
    if (unit < 0 || unit >= count) {
        const double last = count > 0 ? borehole.back().bottom : 0.0;
        return below(last + minimum, depth) ? PressPlace::Append : PressPlace::Refused;
    }
    const double top = baseAbove(borehole, unit);
    const double base = borehole[static_cast<std::size_t>(unit)].bottom;
    if (!below(depth, top + minimum) && !below(base - minimum, depth))
        return PressPlace::Split;
    return PressPlace::Refused;
}

bool SplitDepth(const Borehole& borehole, int unit, double pointerDepth, bool absorbing, int tolerance, double minimum,
                double& depth)
{
    const double first = unitAt(borehole, unit).bottom;
    const int t = usableTolerance(tolerance);
    const double m = std::max(0.0, minimum);
    long long ticks = 0;
    if (!toTicks(pointerDepth, t, ticks))
        return false;
    ticks = raiseTo(ticks, t, first + m);
    if (absorbing && unit + 1 < borehole.unitCount()) {
        ticks = lowerTo(ticks, t, borehole[static_cast<std::size_t>(unit) + 1].bottom - m);
        if (below(depthOf(ticks, t) - first, m))
            return false;
    }
    depth = depthOf(ticks, t);
    return true;
}

bool WithinDoubleClickRect(const QPoint& press, const QPoint& pointer)
{
    constexpr int kDoubleClickDistance = 4;
    return std::abs(pointer.x() - press.x()) <= kDoubleClickDistance &&
           std::abs(pointer.y() - press.y()) <= kDoubleClickDistance;
}

} // namespace DragArithmetic
