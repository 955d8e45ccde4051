#pragma once
// The arithmetic of the mouse's unit edits, apart from any window: where a dragged boundary may go
// (whole steps of 1/tolerance, never closer than the minimum thickness to the boundary above, nor,
// unless the units below move with it, to the boundary below), where a press may insert or split a
// unit, and where the second boundary of an Alt split goes.
//
// Depths are compared with a margin far below one step, so that a unit left exactly the minimum thick
// counts as that thick although 1/tolerance has no exact binary form.
#include <QPoint>

#include "core/model/Borehole.h"

namespace DragArithmetic {

// Depths closer than this (metres) are the same depth.
constexpr double DepthMargin = 1e-9;

// What moving the base of a unit to a depth comes to.
struct BaseMove {
    // False: the boundary stays where it is (no move, or the unit below cannot keep the minimum).
    bool changes = false;
    // The units that share the boundary: the unit, the units of no thickness above it back to the one
    // that has a thickness, and the units of no thickness below it. They move as one.
    int first = 0;
    int last = 0;
    // The new base, a multiple of 1/tolerance.
    double depth = 0;
    // The boundary goes deeper: the last unit of the group moves first.
    bool downward = false;
};

// Plans moving the base of unit `unit` to `depth`. The depth is snapped, then raised in steps until the
// first unit of the group keeps the minimum thickness; unless `shifting`, it is then lowered until the
// unit below keeps it, and a move that this leaves shorter than the minimum is no move at all. Throws
// ORBAX_Logging::Exception "Unit out of range" for a unit the borehole does not have.
BaseMove PlanBaseMove(const ORBAX_Logging::Borehole& borehole, int unit, double depth, bool shifting, int tolerance,
                      double minimum);

// Where a press of the Insert or Create Boundaries mode falls, at a depth already snapped.
enum class PressPlace {
    Refused, // too close to a boundary (or not below the last unit by more than the minimum): a beep
    Append,  // below the last unit: a unit is appended down to the depth
    Split,   // inside a unit that keeps the minimum thickness on both sides: it is split at the depth
};
// `unit` is the unit under the press, -1 below the last unit.
PressPlace InsertPlace(const ORBAX_Logging::Borehole& borehole, int unit, double depth, double minimum);

// The Alt split's second boundary, below the first one (the base of `unit`), for the depth under the
// pointer: snapped, at least the minimum below the first boundary and, when the unit below absorbs
// the change (`absorbing`), at least the minimum above that unit's base. False when no such depth
// exists.
bool SplitDepth(const ORBAX_Logging::Borehole& borehole, int unit, double pointerDepth, bool absorbing, int tolerance,
                double minimum, double& depth);

// The pointer has not yet left the double-click rectangle of the press (4 by 4 pixels each way), so an
// Alt press that is let go there leaves only its one boundary.
bool WithinDoubleClickRect(const QPoint& press, const QPoint& pointer);

} // namespace DragArithmetic
