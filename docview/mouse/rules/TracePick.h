#pragma once
// Which drawn traces pass close to a point of the trace columns: each curve shown in a column that
// holds the point is walked from a little above the pointer's depth down to just below it, and a
// segment of its line within the pick distance takes the curve. Page millimetres; no window.
#include <memory>
#include <vector>

#include <QPointF>
#include <QRectF>

#include "config/traces/LasProperty.h"

namespace TracePick {

struct TraceRef {
    int file = -1;
    int curve = -1;
    friend bool operator==(const TraceRef& a, const TraceRef& b) { return a.file == b.file && a.curve == b.curve; }
};

// The curves near the point in column, file and curve order. `columns` and `plots` are the three trace
// columns and their plot rectangles; `topDepth` the depth at the plots' top (the right pane's).
std::vector<TraceRef> PickTraces(const std::vector<std::unique_ptr<LasProperty>>& traces, const QRectF columns[3],
                                 const QRectF plots[3], double topDepth, double scale, const QPointF& point,
                                 double pickDistance);

// The point lies within the pick distance of the segment from a to b: inside its bounding box widened
// by the distance, and within the distance across from the line through it (beside a vertical one).
bool NearSegment(const QPointF& a, const QPointF& b, const QPointF& point, double pickDistance);

} // namespace TracePick
