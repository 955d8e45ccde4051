// Collecting, sorting and merging a legend's entries: plain functions, no application object.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "printsetup/legend/LegendUtils.h"

using namespace LegendUtils;
using ORBAX_Logging::Borehole;

namespace {

// A hole of units (rock types, thickness) stacked from depth 0.
Borehole MakeHole(const std::vector<std::pair<std::vector<std::wstring>, double>>& units)
{
    Borehole hole;
    double base = 0;
    for (const auto& [rocks, thickness] : units) {
        ORBAX_Logging::Interval unit;
        base += std::isfinite(thickness) ? thickness : 1.0;
        unit.bottom = base;
        unit.thickness = thickness;
        for (const std::wstring& rock : rocks) {
            ORBAX_Logging::LithData element;
            element.rockType = rock;
            unit.elements.push_back(element);
        }
        hole.push_back(unit);
    }
    return hole;
}

HatchList MakeList(const std::vector<HatchListEntry>& entries)
{
    HatchList list(L"Standard");
    list.entries = entries;
    return list;
}

const LegendItemDetails& Entry(const LegendMap& map, const std::wstring& name)
{
    static const LegendItemDetails none;
    auto found = map.find(name);
    return found == map.end() ? none : *found->second;
}

std::vector<std::wstring> Names(const LegendItems& entries)
{
    std::vector<std::wstring> names;
    for (const auto& entry : entries)
        names.push_back(entry->name);
    return names;
}

TEST(LegendCollect, UnitsOfTheHoleWithFirstAppearanceAndTotals)
{
    const Borehole hole = MakeHole({{{L"Sand"}, 1}, {{L"Clay"}, 2}, {{L"Sand"}, 3}});
    const HatchList list =
        MakeList({{HatchListEntry::Bitmap, L"dots", L"Clay"}, {HatchListEntry::Isovector, L"sand", L"sand"}});
    LegendMap map;
    AddUnits(map, 0, hole, hole.unitCount(), list);
    ASSERT_EQ(map.size(), 2u);
    EXPECT_EQ(Entry(map, L"Clay").firstAppearance, 2);
    EXPECT_DOUBLE_EQ(Entry(map, L"Clay").totalThickness, 2);
    EXPECT_EQ(Entry(map, L"Clay").hatchListPosition, 1);
    EXPECT_EQ(Entry(map, L"Sand").firstAppearance, 1);
    EXPECT_DOUBLE_EQ(Entry(map, L"Sand").totalThickness, 4);
    // The hatch list's look-up ignores case.
    EXPECT_EQ(Entry(map, L"Sand").hatchListPosition, 2);
    EXPECT_EQ(Entry(map, L"Sand").frequency, 0);

    // A range is clipped to the hole; a rock type missing from the list is placed after it.
    LegendMap part;
    const Borehole coal = MakeHole({{{L"Coal", L"Shale"}, 0.5}, {{L"Clay"}, 1}});
    AddUnits(part, -3, coal, 99, list);
    EXPECT_EQ(Entry(part, L"Coal").hatchListPosition, 3);
    EXPECT_EQ(Entry(part, L"Shale").firstAppearance, 1);
    EXPECT_EQ(Entry(part, L"Clay").firstAppearance, 2);
    LegendMap none;
    AddUnits(none, 1, coal, 1, list);
    EXPECT_TRUE(none.empty());
}

TEST(LegendCollect, UnitWithoutThicknessAddsNothingToTheTotal)
{
    const Borehole hole = MakeHole({{{L"Sand"}, std::numeric_limits<double>::quiet_NaN()}, {{L"Sand"}, 2}});
    LegendMap map;
    AddUnits(map, 0, hole, 2, HatchList());
    EXPECT_EQ(Entry(map, L"Sand").firstAppearance, 1);
    EXPECT_DOUBLE_EQ(Entry(map, L"Sand").totalThickness, 2);
}

TEST(LegendCollect, HatchListItemsFollowTheHole)
{
    const Borehole hole = MakeHole({{{L"Sand"}, 1}, {{L"Clay"}, 2}});
    const HatchList list = MakeList({{HatchListEntry::Bitmap, L"a", L"Coal"}, {HatchListEntry::Bitmap, L"b", L"Sand"}});
    LegendMap map;
    AddHatchListItems(hole, list, map);
    ASSERT_EQ(map.size(), 3u);
    EXPECT_EQ(Entry(map, L"Coal").firstAppearance, 3);
    EXPECT_EQ(Entry(map, L"Coal").hatchListPosition, 1);
    EXPECT_DOUBLE_EQ(Entry(map, L"Coal").totalThickness, 0);
    EXPECT_EQ(Entry(map, L"Sand").firstAppearance, 1);
    EXPECT_EQ(Entry(map, L"Sand").hatchListPosition, 2);
    EXPECT_EQ(Entry(map, L"Clay").hatchListPosition, 3);

    // A hole without units adds nothing, not even the hatch list.
    LegendMap empty;
    AddHatchListItems(Borehole(), list, empty);
    EXPECT_TRUE(empty.empty());
}

TEST(LegendCollect, DepthRangeReachesPastEitherEndOfTheHole)
{
    // Units: Sand 0-1, Clay 1-3, Coal 3-6.
    const Borehole hole = MakeHole({{{L"Sand"}, 1}, {{L"Clay"}, 2}, {{L"Coal"}, 3}});
    auto collect = [&hole](double top, double bottom) {
        LegendMap map;
        AddUnitsInDepthRange(hole, HatchList(), map, top, bottom);
        std::vector<std::wstring> names;
        for (const auto& [name, entry] : map)
            names.push_back(name);
        return names;
    };
    EXPECT_EQ(collect(1.5, 2.5), std::vector<std::wstring>({L"Clay"}));
    EXPECT_EQ(collect(0.5, 3.5), std::vector<std::wstring>({L"Clay", L"Coal", L"Sand"}));
    EXPECT_EQ(collect(-2, 0.5), std::vector<std::wstring>({L"Sand"}));
    EXPECT_EQ(collect(2, 100), std::vector<std::wstring>({L"Clay", L"Coal"}));
    EXPECT_EQ(collect(-1, 100).size(), 3u);
    // A top below the hole, or a depth that is no number, finds no unit and adds nothing.
    EXPECT_TRUE(collect(50, 100).empty());
    EXPECT_TRUE(collect(std::nan(""), 2).empty());
    LegendMap map;
    AddUnitsInDepthRange(Borehole(), HatchList(), map, -1, 10);
    EXPECT_TRUE(map.empty());
}

TEST(LegendBuild, SameHatchMergesNamesInSortedOrder)
{
    // "Sand" and "sand" are two names that find the same entry; Coal and Peat have no entry and
    // merge with each other; Clay's pattern differs.
    const Borehole hole = MakeHole({{{L"sand"}, 1}, {{L"Clay"}, 2}, {{L"Sand"}, 3}, {{L"Peat"}, 1}, {{L"Coal"}, 4}});
    const HatchList list =
        MakeList({{HatchListEntry::Isovector, L"Dots", L"Sand"}, {HatchListEntry::Isovector, L"Lines", L"Clay"}});
    LegendMap map;
    AddUnits(map, 0, hole, hole.unitCount(), list);
    const LegendItems items = BuildItems(map, &list, Alphabetical);
    ASSERT_EQ(Names(items), std::vector<std::wstring>({L"Clay", L"Coal; Peat", L"Sand; sand"}));
    EXPECT_FALSE(items[1]->hatchEntry.has_value());
    ASSERT_TRUE(items[2]->hatchEntry.has_value());
    EXPECT_EQ(items[2]->hatchEntry->patternName, L"Dots");
    EXPECT_EQ(items[2]->firstAppearance, 1);
    EXPECT_DOUBLE_EQ(items[2]->totalThickness, 4);
    EXPECT_DOUBLE_EQ(items[1]->totalThickness, 5);
    EXPECT_EQ(items[1]->firstAppearance, 4);

    // Two rock types drawn by patterns that differ only in case are one legend entry; the same name
    // under another kind is not.
    const HatchList shared = MakeList({{HatchListEntry::Bitmap, L"Grey", L"Mud"},
                                       {HatchListEntry::Bitmap, L"GREY", L"Silt"},
                                       {HatchListEntry::Isovector, L"Grey", L"Tuff"}});
    LegendMap three;
    AddUnits(three, 0, MakeHole({{{L"Mud"}, 1}, {{L"Silt"}, 1}, {{L"Tuff"}, 1}}), 3, shared);
    EXPECT_EQ(Names(BuildItems(three, &shared, Alphabetical)), std::vector<std::wstring>({L"Mud; Silt", L"Tuff"}));

    EXPECT_TRUE(BuildItems(LegendMap(), &list, Alphabetical).empty());
}

TEST(LegendBuild, MergeIntoAnUnnamedEntryTakesEverything)
{
    LegendItemDetails from;
    from.firstAppearance = 4;
    from.hatchListPosition = 2;
    from.frequency = 3;
    from.totalThickness = 1.5;
    from.name = L"Sand";
    from.hatchEntry = HatchListEntry(HatchListEntry::Inbuilt, L"Red", L"Sand");
    LegendItemDetails into = *MakeLegendItemDetails();
    MergeItemDetails(from, into);
    EXPECT_EQ(into.name, L"Sand");
    EXPECT_EQ(into.firstAppearance, 4);
    EXPECT_EQ(into.frequency, 3);
    ASSERT_TRUE(into.hatchEntry.has_value());

    LegendItemDetails other;
    other.firstAppearance = 1;
    other.hatchListPosition = 7;
    other.frequency = 1;
    other.totalThickness = 2;
    other.name = L"Gravel";
    MergeItemDetails(other, into);
    EXPECT_EQ(into.name, L"Sand; Gravel");
    EXPECT_EQ(into.firstAppearance, 1);
    EXPECT_EQ(into.hatchListPosition, 2);
    EXPECT_EQ(into.frequency, 4);
    EXPECT_DOUBLE_EQ(into.totalThickness, 3.5);
}

TEST(LegendBuild, SortOrders)
{
    // Units: Sand 2 m, Clay 5 m, Coal 1 m, Sand 1 m; the list holds Coal, Tuff, Clay.
    const Borehole hole = MakeHole({{{L"Sand"}, 2}, {{L"Clay"}, 5}, {{L"Coal"}, 1}, {{L"Sand"}, 1}});
    const HatchList list = MakeList({{HatchListEntry::Bitmap, L"c", L"Coal"},
                                     {HatchListEntry::Bitmap, L"t", L"Tuff"},
                                     {HatchListEntry::Bitmap, L"k", L"Clay"},
                                     {HatchListEntry::Bitmap, L"s", L"Sand"}});
    LegendMap map;
    AddHatchListItems(hole, list, map);
    auto sorted = [&](int order) { return Names(BuildItems(map, &list, order)); };
    EXPECT_EQ(sorted(Alphabetical), std::vector<std::wstring>({L"Clay", L"Coal", L"Sand", L"Tuff"}));
    // Nothing counts the frequency, so every entry ties and the name order stays.
    EXPECT_EQ(sorted(Frequency), sorted(Alphabetical));
    // Thinnest first; the rock type only in the list has 0.
    EXPECT_EQ(sorted(TotalThickness), std::vector<std::wstring>({L"Tuff", L"Coal", L"Sand", L"Clay"}));
    // Rock types of the list alone come after every rock type of the hole.
    EXPECT_EQ(sorted(OrderOfAppearance), std::vector<std::wstring>({L"Sand", L"Clay", L"Coal", L"Tuff"}));
    EXPECT_EQ(sorted(OrderInHatchList), std::vector<std::wstring>({L"Coal", L"Tuff", L"Clay", L"Sand"}));
    EXPECT_EQ(sorted(17), sorted(Alphabetical));

    // A position that was never set sorts last; equal keys keep their order.
    LegendItems items;
    for (int position : {0, 2, 0, 1, 2}) {
        auto entry = MakeLegendItemDetails();
        entry->hatchListPosition = position;
        entry->name = std::to_wstring(items.size());
        items.push_back(entry);
    }
    SortItems(OrderInHatchList, items);
    EXPECT_EQ(Names(items), std::vector<std::wstring>({L"3", L"1", L"4", L"0", L"2"}));
}

} // namespace
