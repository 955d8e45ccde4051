#include "docview/print/PrintLegend.h"

#include "config/HatchList.h"

LegendUtils::LegendItems BuildPrintLegend(const ORBAX_Logging::Borehole* left, const ORBAX_Logging::Borehole* right,
                                          const HatchList* hatchList, int includeMode, int sortOrder, double top,
                                          double bottom)
{
    if (!hatchList)
        return {};
    LegendUtils::LegendMap map;
    for (const ORBAX_Logging::Borehole* hole : {left, right}) {
        if (!hole)
            continue;
        switch (includeMode) {
        case LegendUtils::AllInHatchList: LegendUtils::AddHatchListItems(*hole, *hatchList, map); break;
        case LegendUtils::AllInHole: LegendUtils::AddUnits(map, 0, *hole, hole->unitCount(), *hatchList); break;
        case LegendUtils::AllOnPage: LegendUtils::AddUnitsInDepthRange(*hole, *hatchList, map, top, bottom); break;
        default: break;
        }
    }
    return LegendUtils::BuildItems(map, hatchList, sortOrder);
}
