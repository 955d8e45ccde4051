#include "printsetup/legend/LegendUtils.h"

#include <algorithm>
#include <cmath>

#include "core/model/Exception.h"
#include "core/model/NoCaseCompare.h"

namespace LegendUtils {

namespace {

// The index of the rock type in the hatch list, or the list's length when it is not there. Names
// compare as the hatch list's own look-up does.
int HatchListIndex(const HatchList& hatchList, const std::wstring& rockType)
{
    const auto& entries = hatchList.entries;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (HatchListEntry::IsNamed(entries[i], rockType))
            return static_cast<int>(i);
    return static_cast<int>(entries.size());
}

LegendItemPtr& EntryFor(LegendMap& map, const std::wstring& name)
{
    LegendItemPtr& entry = map[name];
    if (!entry)
        entry = MakeLegendItemDetails();
    return entry;
}

// 0 (not set) sorts after every set position.
bool SetFirst(int a, int b)
{
    if (a == 0 || b == 0)
        return a != 0 && b == 0;
    return a < b;
}

} // namespace

LegendItemPtr MakeLegendItemDetails() { return std::make_shared<LegendItemDetails>(); }

void AddUnits(LegendMap& map, int firstRow, const ORBAX_Logging::Borehole& units, int endRow,
              const HatchList& hatchList)
{
    const int first = std::max(firstRow, 0);
    const int end = std::min(endRow, units.unitCount());
    for (int row = first; row < end; ++row) {
        const ORBAX_Logging::Interval& unit = units[static_cast<std::size_t>(row)];
        // A unit without a thickness still shows its rock types; it adds nothing to the totals, and a
        // NaN total would leave the thickness order undefined.
        const double thickness = std::isfinite(unit.thickness) ? unit.thickness : 0.0;
        for (const ORBAX_Logging::LithData& element : unit.elements) {
            const std::wstring name = element.rockType.str();
            const int position = HatchListIndex(hatchList, name);
            LegendItemPtr& entry = EntryFor(map, name);
            if (entry->firstAppearance == 0)
                entry->firstAppearance = row + 1;
            if (entry->hatchListPosition == 0)
                entry->hatchListPosition = position + 1;
            entry->totalThickness += thickness;
        }
    }
}

void AddUnitsInDepthRange(const ORBAX_Logging::Borehole& units, const HatchList& hatchList, LegendMap& map,
                          double topDepth, double bottomDepth)
{
    using ORBAX_Logging::Exception;
    int firstRow = 0;
    int lastRow = 0;
    try {
        firstRow = units.unitAtDepth(topDepth);
    } catch (const Exception& e) {
        if (e.type() != Exception::DepthTooShallow)
            return;
        firstRow = 0;
    }
    try {
        lastRow = units.unitAtDepth(bottomDepth);
    } catch (const Exception& e) {
        if (e.type() != Exception::DepthTooDeep)
            return;
        lastRow = units.unitCount() - 1;
    }
    AddUnits(map, firstRow, units, lastRow + 1, hatchList);
}

void AddHatchListItems(const ORBAX_Logging::Borehole& units, const HatchList& hatchList, LegendMap& map)
{
    const int count = units.unitCount();
    if (count == 0)
        return;
    AddUnits(map, 0, units, count, hatchList);
    for (std::size_t i = 0; i < hatchList.entries.size(); ++i) {
        LegendItemPtr& entry = EntryFor(map, hatchList.entries[i].rockType);
        if (entry->firstAppearance == 0)
            entry->firstAppearance = count + 1;
        if (entry->hatchListPosition == 0)
            entry->hatchListPosition = static_cast<int>(i) + 1;
    }
}

void SortItems(int sortOrder, LegendItems& entries)
{
    auto sortBy = [&entries](auto less) {
        std::stable_sort(entries.begin(), entries.end(),
                         [&less](const LegendItemPtr& a, const LegendItemPtr& b) { return less(*a, *b); });
    };
    switch (sortOrder) {
    case Alphabetical:
        sortBy([](const LegendItemDetails& a, const LegendItemDetails& b) { return a.name < b.name; });
        break;
    case Frequency:
        sortBy([](const LegendItemDetails& a, const LegendItemDetails& b) { return a.frequency < b.frequency; });
        break;
    case TotalThickness:
        sortBy(
            [](const LegendItemDetails& a, const LegendItemDetails& b) { return a.totalThickness < b.totalThickness; });
        break;
    case OrderOfAppearance:
        sortBy([](const LegendItemDetails& a, const LegendItemDetails& b) {
            return SetFirst(a.firstAppearance, b.firstAppearance);
        });
        break;
    case OrderInHatchList:
        sortBy([](const LegendItemDetails& a, const LegendItemDetails& b) {
            return SetFirst(a.hatchListPosition, b.hatchListPosition);
        });
        break;
    default: break;
    }
}

bool SameHatch(const HatchListEntry& a, const HatchListEntry& b)
{
    return a.kind == b.kind && NoCaseCompare().Equal(a.patternName, b.patternName);
}

void MergeItemDetails(const LegendItemDetails& from, LegendItemDetails& into)
{
    if (into.name.empty()) {
        into.firstAppearance = from.firstAppearance;
        into.hatchListPosition = from.hatchListPosition;
        into.frequency = from.frequency;
        into.totalThickness = from.totalThickness;
        into.name = from.name;
        into.hatchEntry = from.hatchEntry;
        return;
    }
    into.firstAppearance = std::min(into.firstAppearance, from.firstAppearance);
    into.hatchListPosition = std::min(into.hatchListPosition, from.hatchListPosition);
    into.frequency += from.frequency;
    into.totalThickness += from.totalThickness;
    into.name += L"; ";
    into.name += from.name;
}

LegendItems BuildItems(const LegendMap& map, const HatchList* hatchList, int sortOrder)
{
    LegendItems entries;
    entries.reserve(map.size());
    for (const auto& [name, collected] : map) {
        LegendItemPtr entry = std::make_shared<LegendItemDetails>(*collected);
        entry->name = name;
        entry->hatchEntry.reset();
        if (hatchList)
            if (const HatchListEntry* found = HatchList::FindRockType(*hatchList, name))
                entry->hatchEntry = *found;
        entries.push_back(entry);
    }

    SortItems(sortOrder, entries);

    for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
        for (std::size_t j = i + 1; j < entries.size();) {
            const auto& a = entries[i]->hatchEntry;
            const auto& b = entries[j]->hatchEntry;
            const bool same = (a && b && SameHatch(*a, *b)) || (!a && !b);
            if (same) {
                MergeItemDetails(*entries[j], *entries[i]);
                entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(j));
            } else {
                ++j;
            }
        }
    }
    return entries;
}

void AddByIncludeMode(int includeMode, const ORBAX_Logging::Borehole& units, const HatchList& hatchList, LegendMap& map,
                      double topDepth, double bottomDepth)
{
    switch (includeMode) {
    case AllInHatchList: AddHatchListItems(units, hatchList, map); break;
    case AllInHole: AddUnits(map, 0, units, units.unitCount(), hatchList); break;
    case AllOnPage: AddUnitsInDepthRange(units, hatchList, map, topDepth, bottomDepth); break;
    default: break;
    }
}

namespace {

// An entry whose swatch is drawn with the patterns of given tables.
class ConfiguredLegendItem : public LegendItemDetails {
public:
    ConfiguredLegendItem(const LegendItemDetails& details, const ConfigurationTables& tables)
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

void DrawWithTables(LegendItems& entries, const ConfigurationTables& tables)
{
    for (LegendItemPtr& entry : entries)
        entry = std::make_shared<ConfiguredLegendItem>(*entry, tables);
}

} // namespace LegendUtils
