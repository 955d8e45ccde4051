#pragma once
// The borehole view behind the layout items' view: a section's columns are drawn by the view's own
// routines, with its settings, layout and loaded traces.
#include "layout/geometry/LayoutItemView.h"

class CQuorView;

class BoreholeViewAdapter : public LayoutItemView {
public:
    explicit BoreholeViewAdapter(const CQuorView& view) : m_view(view) {}

    void DrawBoreholeColumn(ORBAX_Platform::Graphics& graphics, const QRectF& column, const QRectF& field,
                            double lineHeight, double top, double scale, int textOffsetX,
                            const DrawingResources& resources, const ORBAX_Logging::Borehole& units) const override;
    void DrawTraceField(ORBAX_Platform::Graphics& graphics, const QRectF& field, const QRectF& column, double scale,
                        int traceColumn, double lineHeight, double top, const QPointF& textOffset,
                        const DrawingResources& resources, const QPen& greyPen) const override;

private:
    const CQuorView& m_view;
};
