// A layout legend's entries collected from the sections placed, by its include mode: no application
// object.
#include <gtest/gtest.h>

#include "config/HatchList.h"
#include "docview/document/history/BoreholeDocument.h"
#include "layout/geometry/LegendLayoutItem.h"
#include "layout/geometry/SectionLayoutItem.h"
#include "tests/docview/DocviewTestSupport.h"

namespace {

std::vector<std::wstring> Names(const LegendUtils::LegendItems& entries)
{
    std::vector<std::wstring> names;
    for (const auto& entry : entries)
        names.push_back(entry->name);
    return names;
}

// Left: R0..R3 with bases 1..4; right: R0..R5 with bases 2, 4, ... 12 renamed to "Right" rock types.
struct Fixture {
    BoreholeDocument document{DocviewTest::fullSchema()};
    HatchList list{L"Standard"};

    Fixture()
    {
        document.GetBorehole(0) = *DocviewTest::column(DocviewTest::fullSchema(), {1, 2, 3, 4});
        auto right = DocviewTest::column(DocviewTest::fullSchema(), {2, 4, 6, 8, 10, 12});
        for (std::size_t i = 0; i < right->size(); ++i)
            (*right)[i].elements[0].rockType = L"Q" + std::to_wstring(i);
        document.GetBorehole(1) = *right;
        list.entries = {{HatchListEntry::Bitmap, L"dots", L"R1"},
                        {HatchListEntry::Bitmap, L"dots", L"Q1"},
                        {HatchListEntry::Isovector, L"x", L"Extra"}};
    }
};

} // namespace

TEST(LegendRebuild, OnThePageTakesEachShownBoreholeBetweenTheSectionsDepths)
{
    Fixture f;
    SectionLayoutItem section; // right borehole, 0 to 10
    section.bottomSpec.depth = 5;
    LegendLayoutItem legend;
    legend.Rebuild({&section}, f.document, &f.list);
    // Q0..Q2 lie between 0 and 5 m; Q1 has a hatch, Q0 and Q2 none and merge into one entry.
    EXPECT_EQ(Names(legend.entries), (std::vector<std::wstring>{L"Q0; Q2", L"Q1"}));

    // With the left borehole shown too, its units in the same range (0 to 5 of the right's depths).
    section.showLeftBorehole = true;
    legend.Rebuild({&section}, f.document, &f.list);
    EXPECT_EQ(Names(legend.entries), (std::vector<std::wstring>{L"Q0; Q2; R0; R2; R3", L"Q1; R1"}));
}

TEST(LegendRebuild, InTheHoleAndInTheHatchList)
{
    Fixture f;
    SectionLayoutItem section;
    section.bottomSpec.depth = 1;
    LegendLayoutItem legend;
    legend.includeMode = LegendUtils::AllInHole;
    legend.Rebuild({&section}, f.document, &f.list);
    // Every unit of the right hole, whatever the section's depths.
    EXPECT_EQ(Names(legend.entries), (std::vector<std::wstring>{L"Q0; Q2; Q3; Q4; Q5", L"Q1"}));

    legend.includeMode = LegendUtils::AllInHatchList;
    legend.Rebuild({&section}, f.document, &f.list);
    bool extra = false;
    for (const auto& entry : legend.entries)
        extra = extra || entry->name.find(L"Extra") != std::wstring::npos;
    EXPECT_TRUE(extra);
}

TEST(LegendRebuild, NothingCollectedKeepsTheEntries)
{
    Fixture f;
    SectionLayoutItem section;
    LegendLayoutItem legend;
    legend.Rebuild({&section}, f.document, &f.list);
    const auto before = legend.entries;
    ASSERT_FALSE(before.empty());
    // No hatch list, no sections, or sections that show no borehole: the entries stay.
    legend.Rebuild({&section}, f.document, nullptr);
    EXPECT_EQ(legend.entries, before);
    legend.Rebuild({}, f.document, &f.list);
    EXPECT_EQ(legend.entries, before);
    SectionLayoutItem traces;
    traces.showRightBorehole = false;
    traces.showTrace1 = true;
    legend.Rebuild({&traces}, f.document, &f.list);
    EXPECT_EQ(legend.entries, before);
}

TEST(LegendRebuild, AssignCopiesTheStyleAndSharesTheEntries)
{
    Fixture f;
    SectionLayoutItem section;
    LegendLayoutItem legend;
    legend.Rebuild({&section}, f.document, &f.list);
    LegendLayoutItem copy;
    copy.Assign(legend);
    copy.style.boxHeight = 12;
    copy.sortOrder = LegendUtils::Frequency;
    EXPECT_FLOAT_EQ(legend.style.boxHeight, 8);
    EXPECT_EQ(legend.sortOrder, LegendUtils::Alphabetical);
    ASSERT_EQ(copy.entries.size(), legend.entries.size());
    EXPECT_EQ(copy.entries[0].get(), legend.entries[0].get());
}
