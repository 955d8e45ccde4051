#pragma once
// The legend entries of a printed page: the rock types of the shown boreholes collected by the page
// setup's include mode (every rock type of the hatch list, every one of the hole, or those in the
// page's depth range), looked up in the current hatch list, sorted by the page setup's order and
// merged where two are drawn alike. Without a hatch list there are no entries.
#include "core/model/Borehole.h"
#include "printsetup/legend/LegendUtils.h"

class HatchList;
struct ConfigurationTables;

// `left` and `right` are the shown boreholes (null when not shown). `top` and `bottom` bound the
// page's depth range (include mode 2 only). The entries' swatches are drawn with the patterns of
// `tables` (none, so every hatch shows as missing, when null).
LegendUtils::LegendItems BuildPrintLegend(const ORBAX_Logging::Borehole* left, const ORBAX_Logging::Borehole* right,
                                          const HatchList* hatchList, int includeMode, int sortOrder, double top,
                                          double bottom, const ConfigurationTables* tables = nullptr);
