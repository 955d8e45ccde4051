#pragma once
// The borehole view as the layout items see it: a section draws its borehole columns and trace
// fields with the view's own routines, settings and loaded traces. The page-layout view hands in its
// borehole view through this.
#include <QPen>
#include <QPointF>
#include <QRectF>

#include "core/model/Borehole.h"

struct DrawingResources;

namespace ORBAX_Platform {
class Graphics;
}

class LayoutItemView {
public:
    virtual ~LayoutItemView() = default;

    // A borehole column as the view draws one, without a selection: the units of `units` from depth
    // `top` at `scale` depth units per millimetre in `field`, the depth strip and annotations in
    // `column`, texts `textOffsetX` millimetres in.
    virtual void DrawBoreholeColumn(ORBAX_Platform::Graphics& graphics, const QRectF& column, const QRectF& field,
                                    double lineHeight, double top, double scale, int textOffsetX,
                                    const DrawingResources& resources, const ORBAX_Logging::Borehole& units) const = 0;
    // The view's trace column `traceColumn` (0 to 2) as the view draws one, from depth `top`, the
    // curves' grid and frame drawn with `greyPen`.
    virtual void DrawTraceField(ORBAX_Platform::Graphics& graphics, const QRectF& field, const QRectF& column,
                                double scale, int traceColumn, double lineHeight, double top, const QPointF& textOffset,
                                const DrawingResources& resources, const QPen& greyPen) const = 0;
};
