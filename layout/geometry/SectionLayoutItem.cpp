// The section's columns, bounds and hit test: plain millimetre geometry from the two resolved depths
// and the measured line height.
#include "layout/geometry/SectionLayoutItem.h"

#include <cmath>

#include "docview/document/history/BoreholeDocument.h"
#include "docview/view/geometry/DrawingResources.h"
#include "layout/geometry/TextHeight.h"

using LayoutGeometry::Contains;
using LayoutGeometry::Union;

bool IsUsableSectionScale(double scale) { return std::isfinite(scale) && scale > 0.0; }

bool SectionLayoutItem::Shows(ColumnKind kind) const
{
    switch (kind) {
    case LeftBorehole: return showLeftBorehole;
    case RightBorehole: return showRightBorehole;
    case Trace1: return showTrace1;
    case Trace2: return showTrace2;
    case Trace3: return showTrace3;
    }
    return false;
}

bool SectionLayoutItem::ShowsAnything() const
{
    return showLeftBorehole || showRightBorehole || showTrace1 || showTrace2 || showTrace3;
}

double SectionLayoutItem::FieldHeight(double top, double bottom) const
{
    // A stored scale of 0 or below (or not a number) cannot divide: such a section has no field.
    if (!IsUsableSectionScale(scale))
        return 0.0;
    return (bottom - top) / scale;
}

std::vector<SectionLayoutItem::Column> SectionLayoutItem::Columns(double lineHeight, double top, double bottom) const
{
    std::vector<Column> columns;
    const double fieldHeight = FieldHeight(top, bottom);
    double x = 0.0;
    for (int k = 0; k < ColumnKinds; ++k) {
        const auto kind = static_cast<ColumnKind>(k);
        if (!Shows(kind))
            continue;
        const bool borehole = kind == LeftBorehole || kind == RightBorehole;
        const double fieldWidth = borehole ? boreFieldWidth : traceFieldWidth;
        const double width =
            static_cast<double>(depthWidth) + fieldWidth + (borehole ? annotationWidth : traceAnnotationWidth);
        Column column{kind, QRectF(x, 0.0, width, 4 * lineHeight + fieldHeight),
                      QRectF(x + depthWidth, 3 * lineHeight, fieldWidth, fieldHeight)};
        columns.push_back(column);
        x += width;
    }
    return columns;
}

QRectF SectionLayoutItem::Bounds(double lineHeight, double top, double bottom) const
{
    QRectF bounds(0, 0, 0, 0);
    for (const Column& column : Columns(lineHeight, top, bottom))
        bounds = Union(bounds, column.column);
    return bounds;
}

bool SectionLayoutItem::HitsField(double lineHeight, double top, double bottom, const QPointF& point) const
{
    for (const Column& column : Columns(lineHeight, top, bottom))
        if (Contains(column.field, point))
            return true;
    return false;
}

namespace {

int Pane(int borehole) { return borehole == BoreholeDocument::Left ? BoreholeDocument::Left : BoreholeDocument::Right; }

} // namespace

double SectionLayoutItem::TopDepth(const BoreholeDocument& document) const
{
    return topSpec.Resolve(document.GetBorehole(Pane(topBorehole)));
}

double SectionLayoutItem::BottomDepth(const BoreholeDocument& document) const
{
    return bottomSpec.Resolve(document.GetBorehole(Pane(bottomBorehole)));
}

QRectF SectionLayoutItem::GetBounds(ORBAX_Platform::Graphics& graphics, const BoreholeDocument& document,
                                    const LayoutItemView&, const DrawingResources& resources) const
{
    return Bounds(MeasureTextHeight(graphics, resources.generalFont), TopDepth(document), BottomDepth(document));
}

bool SectionLayoutItem::HitTest(ORBAX_Platform::Graphics& graphics, const BoreholeDocument& document,
                                const LayoutItemView&, const DrawingResources& resources, const QPointF& point) const
{
    return HitsField(MeasureTextHeight(graphics, resources.generalFont), TopDepth(document), BottomDepth(document),
                     point);
}
