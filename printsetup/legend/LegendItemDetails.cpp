// The legend's swatches, drawn with the patterns of the application's configuration.
#include "app/QuorApp.h"
#include "config/InbuiltPattern.h"
#include "printsetup/legend/LegendUtils.h"

namespace LegendUtils {

void LegendItemDetails::DrawSwatch(ORBAX_Platform::Graphics& graphics, const QRectF& rect) const
{
    if (CQuorApp* app = CQuorApp::instance()) {
        DrawSwatch(graphics, rect, app->Tables());
        return;
    }
    // Without the application there are no patterns: each hatch shows as missing.
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
