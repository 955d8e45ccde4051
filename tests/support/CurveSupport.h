#pragma once
// Curve tests compare what the view draws from its per-row summary with the plain drawing: every
// sample of the curve joined by lines, broken at null values.
#include <cmath>
#include <vector>

#include <QPainter>

#include "config/traces/LasProperty.h"

namespace PaintTest {

// Every sample of `curve` as lines, with the painter's pen and transform, `width` mm across.
inline void DrawEverySample(QPainter& painter, const LasProperty& las, const CurveProperty& curve, float width,
                            double depthScale)
{
    std::vector<QPointF> run;
    for (int r = 0; r <= las.row_count(); ++r) {
        const PointF p = r < las.row_count() ? curve.PointAt(r, width, depthScale) : PointF{NAN, NAN};
        if (std::isnan(p.X)) {
            if (run.size() >= 2)
                painter.drawPolyline(run.data(), static_cast<int>(run.size()));
            run.clear();
        } else {
            run.emplace_back(p.X, p.Y);
        }
    }
}

} // namespace PaintTest
