#include "docview/print/pagination/PrintLegend.h"

#include "config/HatchList.h"
#include "config/Quor_Log_Config.h"

LegendUtils::LegendItems BuildPrintLegend(const ORBAX_Logging::Borehole* left, const ORBAX_Logging::Borehole* right,
                                          const HatchList* hatchList, int includeMode, int sortOrder, double top,
                                          double bottom, const ConfigurationTables* tables)
{
    if (!hatchList)
        return {};
    LegendUtils::LegendMap map;
    for (const ORBAX_Logging::Borehole* hole : {left, right}) {
        if (!hole)
            continue;
        LegendUtils::AddByIncludeMode(includeMode, *hole, *hatchList, map, top, bottom);
    }
    LegendUtils::LegendItems entries = LegendUtils::BuildItems(map, hatchList, sortOrder);
    if (tables)
        LegendUtils::DrawWithTables(entries, *tables);
    return entries;
}
