#include "docview/mouse/rules/TracePick.h"

#include <algorithm>
#include <cmath>

#include "docview/view/geometry/ViewGeometry.h"

namespace TracePick {

namespace {

// How many rows above the pointer's depth the walk starts, so that a steep segment that reaches down to
// the pointer is found.
constexpr int kRowsBefore = 10;

bool usablePoint(const PointF& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

} // namespace

bool NearSegment(const QPointF& a, const QPointF& b, const QPointF& point, double pickDistance)
{
    const double left = std::min(a.x(), b.x()) - pickDistance;
    const double right = std::max(a.x(), b.x()) + pickDistance;
    const double top = std::min(a.y(), b.y()) - pickDistance;
    const double bottom = std::max(a.y(), b.y()) + pickDistance;
    if (point.x() < left || point.x() > right || point.y() < top || point.y() > bottom)
        return false;
    const double dx = b.x() - a.x();
    if (dx == 0)
        return std::fabs(point.x() - a.x()) < pickDistance;
    const double lineY = a.y() + (point.x() - a.x()) * (b.y() - a.y()) / dx;
    return std::fabs(lineY - point.y()) < pickDistance;
}

std::vector<TraceRef> PickTraces(const std::vector<std::unique_ptr<LasProperty>>& traces, const QRectF columns[3],
                                 const QRectF plots[3], double topDepth, double scale, const QPointF& point,
                                 double pickDistance)
{
    std::vector<TraceRef> found;
    if (!ViewGeometry::IsUsableScale(scale))
        return found;
    for (int k = 0; k < 3; ++k) {
        if (!columns[k].contains(point))
            continue;
        const QRectF& plot = plots[k];
        // Curve points are drawn from the plot's corner, moved up by the top depth.
        const double originY = plot.top() - topDepth / scale;
        const double pointerDepth = topDepth + (point.y() - plot.top()) * scale;
        for (std::size_t f = 0; f < traces.size(); ++f) {
            const LasProperty* file = traces[f].get();
            if (!file || file->curve_count() == 0 || file->depth_index().empty())
                continue;
            const auto& curves = file->curves();
            for (std::size_t c = 0; c < curves.size(); ++c) {
                const CurveProperty& curve = curves[c];
                if (!curve.visible || curve.displayField != k || curve.colourIndex < 0 || curve.colourIndex >= 16)
                    continue;
                const int rows = file->row_count();
                if (rows < 2)
                    continue;
                int row = ViewGeometry::IndexAtDepth(*file, pointerDepth - curve.depthOffset);
                row = std::max(0, row - kRowsBefore);
                // The rows placed as the drawing places them, for this plot and scale.
                const float width = static_cast<float>(plot.width());
                PointF next = curve.PointAt(row, width, scale);
                auto at = [&](const PointF& p) { return QPointF(plot.left() + p.X, originY + p.Y); };
                for (int r = row; r + 1 < rows; ++r) {
                    const PointF here = next;
                    next = curve.PointAt(r + 1, width, scale);
                    if (std::isfinite(here.Y) && at(here).y() > point.y() + pickDistance)
                        break;
                    if (!usablePoint(here) || !usablePoint(next))
                        continue;
                    if (NearSegment(at(here), at(next), point, pickDistance)) {
                        found.push_back({static_cast<int>(f), static_cast<int>(c)});
                        break;
                    }
                }
            }
        }
    }
    return found;
}

} // namespace TracePick
