// The page-setup record in the profile section "PageSetup".
#include <gtest/gtest.h>

#include "platform/settings/Settings.h"
#include "printsetup/settings/PageSetupSettings.h"
#include "tests/support/ScratchProfile.h"
#include "widgets/profile/QuorSettings.h"

using ORBAX_Platform::Settings;

namespace {

PageSetupSettings LoadFromProfile(PageSetupSettings start = PageSetupSettings())
{
    CQuorSettings reader(L"PageSetup");
    start.Load(reader);
    return start;
}

void SaveToProfile(const PageSetupSettings& settings)
{
    CQuorSettings writer(L"PageSetup");
    settings.Save(writer);
}

std::wstring Stored(const std::wstring& key) { return Settings(L"PageSetup").readString(key, L"<none>"); }

TEST(PageSetupSettings, FirstStartGivesTheDefaults)
{
    QuorTest::ScratchProfile scratch;
    const PageSetupSettings s = LoadFromProfile();
    EXPECT_EQ(s.columnsPerPage, 1);
    EXPECT_TRUE(s.showLeftBorehole && s.showRightBorehole && s.showTrace1 && s.showTrace2 && s.showTrace3);
    EXPECT_FLOAT_EQ(s.maxBoreWidth, 20.0f);
    EXPECT_FLOAT_EQ(s.maxTraceWidth, 40.0f);
    EXPECT_EQ(s.topText, L"%r");
    EXPECT_EQ(s.middleText, L"");
    EXPECT_EQ(s.leftText, L"Page %p/%t");
    EXPECT_EQ(s.rightText, L"%d");
    EXPECT_FLOAT_EQ(s.topMargin, 20.0f);
    EXPECT_FLOAT_EQ(s.rightMargin, 20.0f);
    EXPECT_EQ(s.logoFile, L"");
    EXPECT_EQ(s.legendPosition, 0);
    EXPECT_EQ(s.legendSort, 0);
    EXPECT_EQ(s.legendInclude, 0);
    EXPECT_FLOAT_EQ(s.legendStyle.boxWidth, 8.0f);
    EXPECT_FLOAT_EQ(s.legendStyle.boxHeight, 8.0f);
    EXPECT_EQ(s.legendStyle.font.ToString(), L"10pt Arial");
}

TEST(PageSetupSettings, EveryFieldRoundTripsThroughTheProfile)
{
    QuorTest::ScratchProfile scratch;
    PageSetupSettings edited;
    edited.columnsPerPage = 3;
    edited.showLeftBorehole = false;
    edited.showTrace2 = false;
    edited.maxBoreWidth = 12.5f;
    edited.maxTraceWidth = 33.25f;
    edited.topText = L"Project %n";
    edited.middleText = L"Scale %s";
    edited.leftText = L"%l \x00e9";
    edited.rightText = L"100%%";
    edited.topMargin = 5.0f;
    edited.bottomMargin = 7.5f;
    edited.leftMargin = 0.0f;
    edited.rightMargin = 31.0f;
    edited.logoFile = L"/home/geo/logo.png";
    edited.legendPosition = PageSetupSettings::EndOfDocument;
    edited.legendSort = 3;
    edited.legendInclude = 2;
    edited.legendStyle.boxWidth = 12.5f;
    edited.legendStyle.boxHeight = 6.0f;
    edited.legendStyle.font = FontDescription(L"Courier", true, false, 14.0f);
    SaveToProfile(edited);

    // Millimetres as six significant digits, the flags packed into bits, the box size as text.
    EXPECT_EQ(Stored(L"MaxBoreWidth"), L"12.5");
    EXPECT_EQ(Stored(L"TopMargin"), L"5");
    EXPECT_EQ(Settings(L"PageSetup").readInt(L"ShowBoreholes", -1), 2);
    EXPECT_EQ(Settings(L"PageSetup").readInt(L"ShowTraces", -1), 5);
    EXPECT_EQ(Stored(L"LegendBoxWidth"), L"12.5");
    EXPECT_EQ(Stored(L"LegendBoxHeight"), L"6");

    const PageSetupSettings read = LoadFromProfile();
    EXPECT_EQ(read.columnsPerPage, 3);
    EXPECT_FALSE(read.showLeftBorehole);
    EXPECT_TRUE(read.showRightBorehole);
    EXPECT_TRUE(read.showTrace1);
    EXPECT_FALSE(read.showTrace2);
    EXPECT_TRUE(read.showTrace3);
    EXPECT_FLOAT_EQ(read.maxBoreWidth, 12.5f);
    EXPECT_FLOAT_EQ(read.maxTraceWidth, 33.25f);
    EXPECT_EQ(read.topText, edited.topText);
    EXPECT_EQ(read.middleText, edited.middleText);
    EXPECT_EQ(read.leftText, edited.leftText);
    EXPECT_EQ(read.rightText, edited.rightText);
    EXPECT_FLOAT_EQ(read.bottomMargin, 7.5f);
    EXPECT_FLOAT_EQ(read.leftMargin, 0.0f);
    EXPECT_FLOAT_EQ(read.rightMargin, 31.0f);
    EXPECT_EQ(read.logoFile, edited.logoFile);
    EXPECT_EQ(read.legendPosition, 4);
    EXPECT_EQ(read.legendSort, 3);
    EXPECT_EQ(read.legendInclude, 2);
    EXPECT_FLOAT_EQ(read.legendStyle.boxWidth, 12.5f);
    EXPECT_FLOAT_EQ(read.legendStyle.boxHeight, 6.0f);
    // Only the box size is kept: a chosen legend font lasts while the record does.
    EXPECT_EQ(read.legendStyle.font.ToString(), L"10pt Arial");
}

TEST(PageSetupSettings, StoredValuesThatCannotBeUsed)
{
    QuorTest::ScratchProfile scratch;
    Settings profile(L"PageSetup");
    profile.writeString(L"MaxBoreWidth", L"abc");
    profile.writeString(L"MaxTraceWidth", L"15mm");
    profile.writeString(L"TopMargin", L"nan");
    profile.writeString(L"LegendBoxWidth", L"wide");
    profile.writeString(L"LegendBoxHeight", L" 9.5 ");
    profile.writeInt(L"LegendPosition", 7);
    profile.writeInt(L"LegendSort", -1);
    profile.writeInt(L"LegendInclude", 3);

    PageSetupSettings start;
    start.maxBoreWidth = 18.0f;
    start.topMargin = 11.0f;
    start.legendStyle.boxWidth = 7.0f;
    const PageSetupSettings read = LoadFromProfile(start);
    EXPECT_FLOAT_EQ(read.maxBoreWidth, 18.0f);
    EXPECT_FLOAT_EQ(read.maxTraceWidth, 15.0f);
    EXPECT_FLOAT_EQ(read.topMargin, 11.0f);
    EXPECT_FLOAT_EQ(read.legendStyle.boxWidth, 7.0f);
    EXPECT_FLOAT_EQ(read.legendStyle.boxHeight, 9.5f);
    EXPECT_EQ(read.legendPosition, 0);
    EXPECT_EQ(read.legendSort, 0);
    EXPECT_EQ(read.legendInclude, 0);

    // A page of no columns, or of a negative count, would never be printed: it reads as one column.
    for (int stored : {0, -4, 101, 1000000}) {
        profile.writeInt(L"PageCols", stored);
        PageSetupSettings columns;
        columns.columnsPerPage = 5;
        EXPECT_EQ(LoadFromProfile(columns).columnsPerPage, 1) << stored;
    }
    profile.writeInt(L"PageCols", 100);
    EXPECT_EQ(LoadFromProfile().columnsPerPage, 100);
}

TEST(PageSetupSettings, SwapExchangesEveryField)
{
    PageSetupSettings a;
    PageSetupSettings b;
    b.columnsPerPage = 2;
    b.showTrace3 = false;
    b.rightText = L"right";
    b.bottomMargin = 3.0f;
    b.logoFile = L"logo.bmp";
    b.legendInclude = 1;
    b.legendStyle.boxHeight = 4.0f;
    b.legendStyle.font = FontDescription(L"Times", false, true, 9.0f);
    swap(a, b);
    EXPECT_EQ(a.columnsPerPage, 2);
    EXPECT_FALSE(a.showTrace3);
    EXPECT_EQ(a.rightText, L"right");
    EXPECT_FLOAT_EQ(a.bottomMargin, 3.0f);
    EXPECT_EQ(a.logoFile, L"logo.bmp");
    EXPECT_EQ(a.legendInclude, 1);
    EXPECT_FLOAT_EQ(a.legendStyle.boxHeight, 4.0f);
    EXPECT_EQ(a.legendStyle.font.face, L"Times");
    EXPECT_EQ(b.columnsPerPage, 1);
    EXPECT_TRUE(b.showTrace3);
    EXPECT_EQ(b.rightText, L"%d");
    EXPECT_EQ(b.legendStyle.font.face, L"Arial");
}

} // namespace
