#include "docview/mouse/rules/BandSelection.h"

#include <algorithm>

#include "docview/mouse/rules/MouseModes.h"
#include "docview/view/geometry/ViewGeometry.h"

namespace BandSelection {

Rule RuleFor(MouseModes::Mode mode, int startX, int pointerX)
{
    const bool bandMode = mode == MouseModes::BandNew || mode == MouseModes::BandAdd;
    return bandMode && pointerX >= startX ? Rule::Containment : Rule::Crossing;
}

UnitRangeList UnitsInBand(const ORBAX_Logging::Borehole& borehole, const QRectF& column, double topDepth, double scale,
                          const QRectF& band, Rule rule)
{
    UnitRangeList taken;
    if (!ViewGeometry::IsUsableScale(scale))
        return taken;
    const QRectF b = band.normalized();
    auto inside = [](double v, double from, double to) { return v >= from && v < to; };
    // Units that end above the band take no part: start just before the first one that reaches it.
    const double bandTopDepth = topDepth + (b.top() - column.top()) * scale;
    const int start = std::max(0, ViewGeometry::FirstUnitWithBaseAtOrBelow(borehole, bandTopDepth) - 2);
    for (int i = start; i < borehole.unitCount(); ++i) {
        const QRectF r = ViewGeometry::UnitRectInColumn(column, topDepth, scale, i, borehole);
        bool takes = false;
        if (rule == Rule::Containment)
            takes = inside(r.left(), b.left(), b.right()) && inside(r.right(), b.left(), b.right()) &&
                    inside(r.top(), b.top(), b.bottom()) && inside(r.bottom(), b.top(), b.bottom());
        else
            takes = r.left() < b.right() && r.right() > b.left() && r.top() < b.bottom() && r.bottom() > b.top();
        if (takes)
            taken.add(i);
        if (r.top() > b.bottom())
            break;
    }
    return taken;
}

UnitRangeList Combine(MouseModes::Mode mode, const UnitRangeList& taken, const UnitRangeList& saved, int selectedUnit)
{
    UnitRangeList result;
    result.assign(taken);
    if (mode == MouseModes::SelectAdd || mode == MouseModes::BandAdd) {
        for (const UnitRange& range : saved)
            result.add(range.first, range.last);
    } else if (mode == MouseModes::SelectExtend && selectedUnit >= 0 && !taken.empty()) {
        const int first = std::min(taken.ranges().front().first, selectedUnit);
        const int last = std::max(taken.ranges().back().last, selectedUnit);
        result.clear();
        result.add(first, last);
    }
    return result;
}

bool LeftColumn(int startRow, int pointerRow, int columnTopRow, int columnBottomRow)
{
    return (startRow < columnBottomRow && pointerRow > columnBottomRow) ||
           (startRow > columnTopRow && pointerRow < columnTopRow);
}

} // namespace BandSelection
