#pragma once
// Building a legend's entries: the rock types of a borehole's units (and of the hatch list) are
// collected into a map by name, looked up in the hatch list, sorted and merged where two draw with
// the same pattern.
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/HatchList.h"
#include "core/model/Borehole.h"
#include "printsetup/legend/LegendItem.h"

struct ConfigurationTables;

namespace LegendUtils {

// One legend entry.
class LegendItemDetails : public LegendSupport::LegendItem {
public:
    std::wstring GetName() const override { return name; }
    // The entry's hatch pattern (millimetre mode), or, without a hatch entry, the white box with two
    // red diagonals. A plain entry knows no pattern tables, so its hatch shows as missing; the entries
    // a legend draws are given the configuration's tables by DrawWithTables.
    void DrawSwatch(ORBAX_Platform::Graphics& graphics, const QRectF& rect) const override;
    // The same with the pattern tables given.
    void DrawSwatch(ORBAX_Platform::Graphics& graphics, const QRectF& rect, const ConfigurationTables& tables) const;

    // 1-based index of the first unit holding the rock type; the unit count + 1 for a rock type that
    // comes only from the hatch list; 0 while not set.
    int firstAppearance = 0;
    // 1-based index of the rock type in the hatch list; the list's length + 1 when it is not there;
    // 0 while not set.
    int hatchListPosition = 0;
    int frequency = 0;
    // The thicknesses of the units holding the rock type, added up (units without a thickness add 0).
    double totalThickness = 0.0;
    // The rock type, or several joined by "; " once merged.
    std::wstring name;
    // A copy of the hatch-list entry that draws the rock type, taken when the legend was built, so that
    // a later change of the configuration cannot leave the legend pointing at a freed record.
    std::optional<HatchListEntry> hatchEntry;
};

using LegendItemPtr = std::shared_ptr<LegendItemDetails>;
using LegendItems = std::vector<LegendItemPtr>;
// Rock-type names compare ordinally: names that differ in case are separate keys.
using LegendMap = std::map<std::wstring, LegendItemPtr>;

// Sort orders, as numbered in the page setup and the legend's properties.
enum SortOrder { Alphabetical = 0, Frequency = 1, TotalThickness = 2, OrderOfAppearance = 3, OrderInHatchList = 4 };
// Include modes.
enum IncludeMode { AllInHatchList = 0, AllInHole = 1, AllOnPage = 2 };

// A new entry: every number 0, no name, no hatch entry.
LegendItemPtr MakeLegendItemDetails();

// Adds the rock types of the units with index in [firstRow, endRow) (clipped to the borehole).
void AddUnits(LegendMap& map, int firstRow, const ORBAX_Logging::Borehole& units, int endRow,
              const HatchList& hatchList);
// Adds the units from the one at the top depth to the one at the bottom depth. A top above the hole
// starts at the first unit, a bottom below it ends at the last; any other failed look-up adds nothing.
void AddUnitsInDepthRange(const ORBAX_Logging::Borehole& units, const HatchList& hatchList, LegendMap& map,
                          double topDepth, double bottomDepth);
// Adds every unit of the hole, then every rock type of the hatch list; nothing for a hole without units.
void AddHatchListItems(const ORBAX_Logging::Borehole& units, const HatchList& hatchList, LegendMap& map);

// Stable sort by one of the five orders; an unknown order leaves the entries as they are.
void SortItems(int sortOrder, LegendItems& entries);
// The same pattern kind and pattern names equal ignoring case.
bool SameHatch(const HatchListEntry& a, const HatchListEntry& b);
// Merges `from` into `into`: into an unnamed entry everything is taken over; otherwise the smaller
// positions, the sums, and "; " with from's name appended.
void MergeItemDetails(const LegendItemDetails& from, LegendItemDetails& into);

// From a filled map to the entries a legend shows: one entry per name in name order, given its hatch
// entry from the list (none when the list has no entry for it or there is no list), sorted, and each
// later entry merged into an earlier one drawn the same way (two entries without a hatch count as the
// same). Empty for an empty map.
LegendItems BuildItems(const LegendMap& map, const HatchList* hatchList, int sortOrder);

// Adds a borehole's rock types by include mode: the hole and the whole hatch list, every unit of the
// hole, or the units between the two depths; an unknown mode adds nothing.
void AddByIncludeMode(int includeMode, const ORBAX_Logging::Borehole& units, const HatchList& hatchList, LegendMap& map,
                      double topDepth, double bottomDepth);
// Makes the entries draw their swatches with the patterns of `tables` (the configuration a view draws
// with). The tables must outlive the entries.
void DrawWithTables(LegendItems& entries, const ConfigurationTables& tables);

} // namespace LegendUtils
