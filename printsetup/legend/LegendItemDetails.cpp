// The legend's swatches, drawn with the patterns of the configuration the legend was built for.
#include "config/InbuiltPattern.h"
#include "config/Quor_Log_Config.h"
#include "printsetup/legend/LegendUtils.h"

namespace LegendUtils {

void LegendItemDetails::DrawSwatch(ORBAX_Platform::Graphics& graphics, const QRectF& rect) const
{
    // An entry not given its configuration (LegendUtils::DrawWithTables) has no patterns: its hatch
    // shows as missing.
    static const ConfigurationTables none;
    DrawSwatch(graphics, rect, none);
}

void LegendItemDetails::DrawSwatch(ORBAX_Platform::Graphics& graphics, const QRectF& rect,
                                   const ConfigurationTables& tables) const
{
    if (hatchEntry)
        HatchListEntry::Draw(tables.bitmaps, tables.inbuilts, *hatchEntry, graphics, rect, rect, tables.vectors, true);
    else
        DrawNoRecordPattern(graphics, rect, rect, true);
}

} // namespace LegendUtils
