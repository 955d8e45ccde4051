// Drawing a section with the borehole view's own routines: each borehole column as the view draws a
// column, each trace field as the view draws a trace column, all from the depth of the section's top end.
#include "docview/document/history/BoreholeDocument.h"
#include "docview/view/geometry/DrawingResources.h"
#include "layout/geometry/LayoutItemView.h"
#include "layout/geometry/SectionLayoutItem.h"
#include "layout/geometry/TextHeight.h"
#include "platform/qt/Graphics.h"

void SectionLayoutItem::Draw(ORBAX_Platform::Graphics& graphics, const QRectF& area, const BoreholeDocument& document,
                             const LayoutItemView& view, const DrawingResources& resources) const
{
    // The view's routines divide depths by the scale: a stored section of no usable scale has nothing
    // to draw (its bounds are the header bands alone).
    if (!IsUsableSectionScale(scale))
        return;
    const QPen greyPen = MakeDrawingPen(0xFF808080u, 0.1);
    const double lineHeight = MeasureTextHeight(graphics, resources.generalFont);
    const double tickHeight = MeasureTextHeight(graphics, resources.tickFont);
    const QPointF textOffset(2, tickHeight / 2);
    const double top = TopDepth(document);
    const double bottom = BottomDepth(document);
    // The whole of each column is drawn (the painter clips what lies off the page); the page's area
    // does not limit a section.
    (void)area;
    for (const Column& column : Columns(lineHeight, top, bottom)) {
        ORBAX_Platform::GraphicsState state(graphics);
        switch (column.kind) {
        case LeftBorehole:
        case RightBorehole: {
            const int pane = column.kind == LeftBorehole ? BoreholeDocument::Left : BoreholeDocument::Right;
            view.DrawBoreholeColumn(graphics, column.column, column.field, lineHeight, top, scale,
                                    static_cast<int>(textOffset.x()), resources, document.GetBorehole(pane));
            break;
        }
        case Trace1:
        case Trace2:
        case Trace3:
            view.DrawTraceField(graphics, column.field, column.column, scale, column.kind - Trace1, lineHeight, top,
                                textOffset, resources, greyPen);
            break;
        }
    }
}
