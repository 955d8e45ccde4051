#include "layout/view/BoreholeViewAdapter.h"

#include "docview/document/history/UnitRangeList.h"
#include "docview/view/QuorView.h"
#include "docview/view/geometry/DrawingResources.h"

void BoreholeViewAdapter::DrawBoreholeColumn(ORBAX_Platform::Graphics& graphics, const QRectF& column,
                                             const QRectF& field, double lineHeight, double top, double scale,
                                             int textOffsetX, const DrawingResources& resources,
                                             const ORBAX_Logging::Borehole& units) const
{
    static const UnitRangeList noSelection;
    m_view.DrawBorehole(column, field, column, lineHeight, false, top, scale, m_view.Layout().tickOrigin, textOffsetX,
                        resources, noSelection, m_view.m_settings.showSampleNumbers, true, true, units, graphics);
}

void BoreholeViewAdapter::DrawTraceField(ORBAX_Platform::Graphics& graphics, const QRectF& field, const QRectF& column,
                                         double scale, int traceColumn, double lineHeight, double top,
                                         const QPointF& textOffset, const DrawingResources& resources,
                                         const QPen& greyPen) const
{
    CQuorView::DrawTraceColumn(graphics, field, column, scale, traceColumn, -1, -1,
                               m_view.m_settings.traceRangePrecision, lineHeight, top, m_view.Layout().tickOrigin,
                               textOffset, resources, greyPen, resources.hairlinePen, greyPen, true, m_view.Traces(),
                               m_view.m_traceColours);
}
