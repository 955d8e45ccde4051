// Collecting, measuring and drawing a layout legend.
#include "layout/geometry/LegendLayoutItem.h"

#include <QPainter>

#include "config/HatchList.h"
#include "config/Quor_Log_Config.h"
#include "docview/document/history/BoreholeDocument.h"
#include "docview/view/geometry/DrawingResources.h"
#include "layout/geometry/SectionLayoutItem.h"
#include "printsetup/legend/LegendGrid.h"

void LegendLayoutItem::Rebuild(const std::vector<const SectionLayoutItem*>& sections, const BoreholeDocument& document,
                               const HatchList* hatchList, const ConfigurationTables* tables)
{
    if (!hatchList)
        return;
    LegendUtils::LegendMap map;
    for (const SectionLayoutItem* section : sections) {
        if (!section)
            continue;
        for (int pane : {BoreholeDocument::Left, BoreholeDocument::Right}) {
            if (!(pane == BoreholeDocument::Left ? section->showLeftBorehole : section->showRightBorehole))
                continue;
            const ORBAX_Logging::Borehole& units = document.GetBorehole(pane);
            LegendUtils::AddByIncludeMode(includeMode, units, *hatchList, map, section->TopDepth(document),
                                          section->BottomDepth(document));
        }
    }
    if (map.empty())
        return;
    entries = LegendUtils::BuildItems(map, hatchList, sortOrder);
    if (tables)
        LegendUtils::DrawWithTables(entries, *tables);
}

void LegendLayoutItem::Assign(const LegendLayoutItem& from)
{
    sortOrder = from.sortOrder;
    includeMode = from.includeMode;
    LegendStyle copy(from.style);
    swap(style, copy);
    entries = from.entries;
}

LegendGrid LegendLayoutItem::Grid(ORBAX_Platform::Graphics& graphics) const
{
    return LegendGrid::Compute(style, graphics, entries, MaxHeight, 0.0f);
}

QRectF LegendLayoutItem::GetBounds(ORBAX_Platform::Graphics& graphics, const BoreholeDocument&, const LayoutItemView&,
                                   const DrawingResources&) const
{
    const QSizeF size = Grid(graphics).GetSize(style);
    return QRectF(0, 0, size.width(), size.height());
}

bool LegendLayoutItem::HitTest(ORBAX_Platform::Graphics& graphics, const BoreholeDocument& document,
                               const LayoutItemView& view, const DrawingResources& resources,
                               const QPointF& point) const
{
    return LayoutGeometry::Contains(GetBounds(graphics, document, view, resources), point);
}

void LegendLayoutItem::Draw(ORBAX_Platform::Graphics& graphics, const QRectF&, const BoreholeDocument&,
                            const LayoutItemView&, const DrawingResources& resources) const
{
    const LegendGrid grid = Grid(graphics);
    const QSizeF size = grid.GetSize(style);
    const QRectF bounds(0, 0, size.width(), size.height());
    QPainter& painter = graphics.painter();
    painter.fillRect(bounds, resources.whiteBrush);
    grid.DrawByColumns(style, graphics, entries, QPointF(0, 0), MakeDrawingPen(0xFF000000u, 0.1), resources.blackBrush);
    painter.save();
    painter.setPen(DevicePen(resources.greyPen, graphics.worldToDevice()));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bounds);
    painter.restore();
}
