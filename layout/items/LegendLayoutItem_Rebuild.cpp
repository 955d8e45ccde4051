// A new legend collects its entries from the sections of the layout view it is added to.
#include "config/HatchList.h"
#include "config/Quor_Log_Config.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "layout/geometry/LegendLayoutItem.h"
#include "layout/view/QuorLayout.h"

LegendLayoutItem::LegendLayoutItem(const CQuorLayout& layout, const CQuorDoc& document) { Rebuild(document, layout); }

void LegendLayoutItem::Rebuild(const CQuorDoc& document, const CQuorLayout& layout)
{
    // The hatch list the borehole view draws with.
    const CQuorView* view = layout.LinkedView();
    const ConfigurationTables* tables = view ? view->GetConfigurationTables() : nullptr;
    const HatchList* hatchList = tables ? GetHatchList(tables->hatchLists, tables->currentHatchListId) : nullptr;
    Rebuild(layout.Page().Sections(), document, hatchList, tables);
}
