#include "docview/print/PrintLegend.h"

#include "config/HatchList.h"
#include "config/Quor_Log_Config.h"

namespace {

// An entry whose swatch is drawn with the patterns of the configuration the view draws with.
class PrintLegendItem : public LegendUtils::LegendItemDetails {
public:
    PrintLegendItem(const LegendItemDetails& details, const ConfigurationTables& tables)
        : LegendItemDetails(details), m_tables(tables)
    {
    }
    void DrawSwatch(ORBAX_Platform::Graphics& graphics, const QRectF& rect) const override
    {
        LegendItemDetails::DrawSwatch(graphics, rect, m_tables);
    }

private:
    const ConfigurationTables& m_tables;
};

} // namespace

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
        switch (includeMode) {
        case LegendUtils::AllInHatchList: LegendUtils::AddHatchListItems(*hole, *hatchList, map); break;
        case LegendUtils::AllInHole: LegendUtils::AddUnits(map, 0, *hole, hole->unitCount(), *hatchList); break;
        case LegendUtils::AllOnPage: LegendUtils::AddUnitsInDepthRange(*hole, *hatchList, map, top, bottom); break;
        default: break;
        }
    }
    LegendUtils::LegendItems entries = LegendUtils::BuildItems(map, hatchList, sortOrder);
    if (tables)
        for (auto& entry : entries)
            entry = std::make_shared<PrintLegendItem>(*entry, *tables);
    return entries;
}
