#pragma once
// Which unit of a borehole column lies under a point, and whether the point is on one of its
// boundaries; and where the handles of a picked boundary are. Page millimetres throughout; nothing
// here needs a window.
#include <QPointF>
#include <QRectF>

#include "core/model/Borehole.h"

namespace UnitHitTest {

// How close (millimetres of the page) a point must be to a boundary to take it.
constexpr double PickDistance = 1.0;

struct UnitHit {
    int unit = -1; // the unit that holds the point, -1 none
    // 2: within the pick distance of the unit's base (or, with no unit, of the last unit's base);
    // 1: within it of the unit's top; 0 elsewhere.
    int edge = 0;
    friend bool operator==(const UnitHit& a, const UnitHit& b) { return a.unit == b.unit && a.edge == b.edge; }
};

// The units' rectangles in the column (whose top shows `topDepth`) are tried from the first down: the
// first that holds the point across and whose top is at or above it and bottom below it.
UnitHit HitTestUnit(const ORBAX_Logging::Borehole& borehole, const QRectF& column, double topDepth, double scale,
                    const QPointF& point, double pickDistance = PickDistance);

// The unit whose base is the boundary the hit lies on: the unit itself at its base, the unit above at
// its top, the last unit just below it; -1 when the hit is on no boundary (the top of the first unit
// is none).
int BoundaryUnit(const UnitHit& hit, int unitCount);

// The two 2 by 2 millimetre handles at the ends of a picked boundary, the base of the unit rectangle.
QRectF LeftHandle(const QRectF& unitRect);
QRectF RightHandle(const QRectF& unitRect);
// The point lies on one of them (edges included).
bool OnHandle(const QRectF& unitRect, const QPointF& point);

} // namespace UnitHitTest
