#include <gtest/gtest.h>

#include <sstream>

#include "config/Quor_Log_Config.h"
#include "widgets/controls/EditedTables.h"

namespace {

HatchList ListOf(const std::wstring& name, std::vector<HatchListEntry> entries)
{
    HatchList list(name);
    list.entries = std::move(entries);
    return list;
}

} // namespace

TEST(EditedTables, PutBackKeepsIdsAndGivesNewRecordsIdsAboveAnyGivenBefore)
{
    BitmapTable table;
    table.Insert(BitmapPattern(L"a"));
    table.Insert(BitmapPattern(L"b"));
    table.Insert(BitmapPattern(L"c")); // ids 1..3
    std::vector<BitmapPattern> copy = EditedTables::Copy(table);
    ASSERT_EQ(copy.size(), 3u);
    EXPECT_EQ(copy[2].id, 3);
    copy.erase(copy.begin() + 2); // deleting the last does not free its id
    copy.push_back(BitmapPattern(L"new"));
    EditedTables::Replace(table, copy);
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table.Get(1).name, L"a");
    EXPECT_EQ(table.Get(4).name, L"new");
    EXPECT_FALSE(table.Contains(3));
}

TEST(EditedTables, RenamedPatternsAreRenamedInTheHatchListsThatUseThem)
{
    ConfigurationTables tables;
    tables.bitmaps.Insert(BitmapPattern(L"Coal"));         // 1
    tables.bitmaps.Insert(BitmapPattern(L"Sand"));         // 2
    tables.vectors.Insert(VectorPattern(L"Dots", 10, 10)); // 1
    tables.hatchLists.Insert(ListOf(L"Main", {{HatchListEntry::Bitmap, L"coal", L"Coal"},
                                              {HatchListEntry::Anivector, L"Coal", L"Coaly shale"},
                                              {HatchListEntry::Bitmap, L"Sand", L"Sandstone"},
                                              {HatchListEntry::Isovector, L"DOTS", L"Siltstone"}}));

    std::vector<BitmapPattern> bitmaps = EditedTables::Copy(tables.bitmaps);
    bitmaps[0].name = L"Black coal";
    EditedTables::ApplyBitmaps(tables, bitmaps);
    std::vector<VectorPattern> vectors = EditedTables::Copy(tables.vectors);
    vectors[0].name = L"Fine dots";
    EditedTables::ApplyVectors(tables, vectors);

    const std::vector<HatchListEntry>& entries = tables.hatchLists.Get(1).entries;
    EXPECT_EQ(entries[0].patternName, L"Black coal");
    EXPECT_EQ(entries[1].patternName, L"Coal"); // a vector entry: no vector was called Coal
    EXPECT_EQ(entries[2].patternName, L"Sand");
    EXPECT_EQ(entries[3].patternName, L"Fine dots");
    EXPECT_EQ(tables.bitmaps.Get(1).name, L"Black coal");
}

TEST(EditedTables, SwappedNamesFollowThePatternsTheEntriesMeant)
{
    ConfigurationTables tables;
    tables.bitmaps.Insert(BitmapPattern(L"A"));
    tables.bitmaps.Insert(BitmapPattern(L"B"));
    tables.hatchLists.Insert(
        ListOf(L"L", {{HatchListEntry::Bitmap, L"A", L"first"}, {HatchListEntry::Bitmap, L"B", L"second"}}));
    std::vector<BitmapPattern> bitmaps = EditedTables::Copy(tables.bitmaps);
    bitmaps[0].name = L"B";
    bitmaps[1].name = L"A";
    EditedTables::ApplyBitmaps(tables, bitmaps);
    EXPECT_EQ(tables.hatchLists.Get(1).entries[0].patternName, L"B");
    EXPECT_EQ(tables.hatchLists.Get(1).entries[1].patternName, L"A");
}
