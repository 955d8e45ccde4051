#include "docview/mouse/rules/UnitHitTest.h"

#include <algorithm>
#include <cmath>

#include "docview/view/geometry/ViewGeometry.h"

using ORBAX_Logging::Borehole;

namespace UnitHitTest {

UnitHit HitTestUnit(const Borehole& borehole, const QRectF& column, double topDepth, double scale, const QPointF& point,
                    double pickDistance)
{
    UnitHit hit;
    const int count = borehole.unitCount();
    if (count == 0 || !ViewGeometry::IsUsableScale(scale))
        return hit;
    // Units above the point's depth cannot hold it: start just before the first unit whose base lies at
    // or below it (two back, for rounding), and stop at the first unit that starts below the point.
    const double depth = topDepth + (point.y() - column.top()) * scale;
    const int start = std::max(0, ViewGeometry::FirstUnitWithBaseAtOrBelow(borehole, depth) - 2);
    for (int i = start; i < count; ++i) {
        const QRectF r = ViewGeometry::UnitRectInColumn(column, topDepth, scale, i, borehole);
        if (r.top() > point.y())
            break;
        if (point.x() < r.left() || point.x() >= r.right() || !(r.top() <= point.y() && r.bottom() > point.y()))
            continue;
        hit.unit = i;
        if (std::fabs(point.y() - r.bottom()) < pickDistance)
            hit.edge = 2;
        else if (std::fabs(point.y() - r.top()) < pickDistance)
            hit.edge = 1;
        return hit;
    }
    // Just below the last unit: its base.
    const QRectF last = ViewGeometry::UnitRectInColumn(column, topDepth, scale, count - 1, borehole);
    if (std::fabs(point.y() - last.bottom()) < pickDistance)
        hit.edge = 2;
    return hit;
}

int BoundaryUnit(const UnitHit& hit, int unitCount)
{
    if (unitCount <= 0)
        return -1;
    if (hit.unit < 0)
        return hit.edge == 2 ? unitCount - 1 : -1;
    if (hit.unit >= unitCount)
        return -1;
    if (hit.edge == 2)
        return hit.unit;
    if (hit.edge == 1 && hit.unit > 0)
        return hit.unit - 1;
    return -1;
}

QRectF LeftHandle(const QRectF& unitRect) { return QRectF(unitRect.left() - 3, unitRect.bottom() - 1, 2, 2); }

QRectF RightHandle(const QRectF& unitRect) { return QRectF(unitRect.right() + 1, unitRect.bottom() - 1, 2, 2); }

bool OnHandle(const QRectF& unitRect, const QPointF& point)
{
    auto within = [&point](const QRectF& r) {
        return point.x() >= r.left() && point.x() <= r.right() && point.y() >= r.top() && point.y() <= r.bottom();
    };
    return within(LeftHandle(unitRect)) || within(RightHandle(unitRect));
}

} // namespace UnitHitTest
