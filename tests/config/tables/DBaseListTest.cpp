#include <gtest/gtest.h>

#include <string>
#include <unordered_map>

#include "config/BitmapPattern.h"
#include "config/DBaseList.h"
#include "config/HatchList.h"

using ORBAX_Utilities::DBaseList;

namespace {

BitmapPattern Named(const std::wstring& name, int id = 0)
{
    BitmapPattern pattern(name);
    pattern.id = id;
    return pattern;
}

} // namespace

TEST(DBaseList, HandsOutIdsInOrderAndReplacesByKnownId)
{
    DBaseList<BitmapPattern> table;
    BitmapPattern first = Named(L"a");
    EXPECT_EQ(table.Insert(first)->first, 1);
    EXPECT_EQ(first.id, 0) << "the caller's record is not changed";
    EXPECT_EQ(table.Insert(Named(L"b"))->second.id, 2);
    EXPECT_EQ(table.Insert(Named(L"c"))->first, 3);

    table.Insert(Named(L"b2", 2));
    EXPECT_EQ(table.size(), 3u);
    EXPECT_EQ(table.Get(2).name, L"b2");
    EXPECT_EQ(table.LastId(), 3);

    std::wstring order;
    for (const auto& record : table)
        order += record.second.name;
    EXPECT_EQ(order, L"ab2c");
}

TEST(DBaseList, KnownIdRaisesTheCounterSoNoRecordIsReplacedLater)
{
    DBaseList<BitmapPattern> table;
    table.Insert(Named(L"edited", 10));
    EXPECT_EQ(table.LastId(), 10);
    const int next = table.Insert(Named(L"new"))->first;
    EXPECT_EQ(next, 11);
    EXPECT_EQ(table.Get(10).name, L"edited");
}

TEST(DBaseList, ClearKeepsTheLastIdSoIdsAreNeverReused)
{
    DBaseList<BitmapPattern> table;
    table.Insert(Named(L"a"));
    table.Insert(Named(L"b"));
    table.Clear();
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(table.Insert(Named(L"a"))->first, 3);
}

TEST(DBaseList, GetOfMissingIdThrowsNamingTheRecordType)
{
    DBaseList<HatchList> table;
    table.Insert(HatchList(L"Default"));
    EXPECT_NO_THROW(table.Get(1));
    try {
        table.Get(2);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        const std::string text = e.what();
        EXPECT_EQ(text.rfind("id not found in DBaseList for class ", 0), 0u) << text;
        EXPECT_NE(text.find("HatchList"), std::string::npos) << text;
    }
}

TEST(DBaseList, FindOrCreateComparesNamesExactly)
{
    DBaseList<BitmapPattern> table;
    BitmapPattern& coal = table.FindOrCreate(std::wstring(L"Coal"));
    EXPECT_EQ(coal.id, 1);
    EXPECT_EQ(coal.kind, BitmapPattern::ImageFile);
    coal.width = 8;
    EXPECT_EQ(table.FindOrCreate(std::wstring(L"Coal")).width, 8) << "a repeated name finds the same record";
    EXPECT_EQ(table.FindOrCreate(std::wstring(L"coal")).id, 2);
    EXPECT_EQ(table.FindOrCreate(std::wstring(L"Coal ")).id, 3);
    EXPECT_EQ(table.size(), 3u);

    DBaseList<VectorPattern> vectors;
    VectorPattern& sand = vectors.FindOrCreate(std::wstring(L"Sand"));
    EXPECT_EQ(sand.colour, 0xFFFFFFFFu);
    EXPECT_FALSE(sand.compiled);
}

// A read's look-ups through an index find what a pass over the table would: the first record of a name
// (in id order) or a new one under the next id; and, ignoring case, the first pattern of an entry's
// kind, patterns added since taken in by update().
TEST(DBaseList, IndexedLookUpsFindWhatAPassWould)
{
    DBaseList<BitmapPattern> bitmaps;
    bitmaps.Insert(Named(L"Coal", 5));
    bitmaps.Insert(Named(L"Coal", 7));
    std::unordered_map<std::wstring, int> index;
    EXPECT_EQ(bitmaps.FindOrCreate(std::wstring(L"Coal"), index).id, 5);
    BitmapPattern& sand = bitmaps.FindOrCreate(std::wstring(L"Sand"), index);
    EXPECT_EQ(sand.id, 8);
    EXPECT_EQ(&bitmaps.FindOrCreate(std::wstring(L"Sand"), index), &sand);
    EXPECT_EQ(bitmaps.FindOrCreate(std::wstring(L"sand"), index).id, 9);

    VectorTable vectors;
    InbuiltTable inbuilts;
    PatternNames names;
    names.update(bitmaps, vectors, inbuilts);
    HatchListEntry coal(HatchListEntry::Bitmap, L"COAL", L"C");
    EXPECT_TRUE(HatchListEntry::Resolve(names, coal));
    EXPECT_EQ(coal.patternId, 5);
    HatchListEntry shale(HatchListEntry::Isovector, L"shale", L"S");
    EXPECT_FALSE(HatchListEntry::Resolve(names, shale));
    const int shaleId = vectors.Insert(VectorPattern(L"Shale"))->first;
    names.update(bitmaps, vectors, inbuilts);
    EXPECT_TRUE(HatchListEntry::Resolve(names, shale));
    EXPECT_EQ(shale.patternId, shaleId);
}
