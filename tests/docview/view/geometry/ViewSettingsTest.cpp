#include <gtest/gtest.h>

#include "docview/view/geometry/ViewSettings.h"
#include "platform/settings/Settings.h"
#include "tests/support/TestSupport.h"

namespace {

class ViewSettingsTest : public ::testing::Test {
protected:
    ViewSettingsTest() { ORBAX_Platform::Settings::SetProfileFolders(m_dir / "user", m_dir / "system"); }
    ~ViewSettingsTest() override { ORBAX_Platform::Settings::SetProfileFolders({}, {}); }

    QuorTest::TempDir m_dir;
};

} // namespace

TEST_F(ViewSettingsTest, AFreshProfileGivesTheDefaults)
{
    ORBAX_Platform::Settings section(L"View");
    ViewSettings settings;
    settings.Load(section);
    EXPECT_DOUBLE_EQ(settings.scale, 0.1);
    EXPECT_EQ(settings.tolerance, 100);
    EXPECT_DOUBLE_EQ(settings.minimumThickness, 0.01);
    EXPECT_EQ(settings.displayPrecision, 2);
    EXPECT_EQ(settings.traceRangePrecision, 1);
    EXPECT_TRUE(settings.showRuler);
    EXPECT_TRUE(settings.showFilteredTraces);
    EXPECT_FALSE(settings.showSampleNumbers);
    EXPECT_TRUE(settings.linkScrolling);
    EXPECT_FALSE(settings.fineScroll);
    EXPECT_FALSE(settings.insertMode);
}

TEST_F(ViewSettingsTest, SavedValuesReadBackWithTheirOwnTexts)
{
    {
        ORBAX_Platform::Settings section(L"View");
        ViewSettings settings;
        settings.scale = 0.25;
        settings.tolerance = 10;
        settings.minimumThickness = 0.05; // not 1 / tolerance
        settings.displayPrecision = 12;   // beyond the options page's spin: kept
        settings.projectName = L"Caf\u00e9 field";
        settings.showSampleNumbers = true;
        settings.Save(section);
        EXPECT_EQ(section.readString(L"Scale", L""), L"250.000000");
        EXPECT_EQ(section.readString(L"MinimumThickness", L""), L"0.050000");
        section.sync();
    }
    ORBAX_Platform::Settings section(L"View");
    ViewSettings settings;
    settings.Load(section);
    EXPECT_DOUBLE_EQ(settings.scale, 0.25);
    EXPECT_EQ(settings.tolerance, 10);
    EXPECT_DOUBLE_EQ(settings.minimumThickness, 0.05);
    EXPECT_EQ(settings.displayPrecision, 12);
    EXPECT_EQ(settings.projectName, L"Caf\u00e9 field");
    EXPECT_TRUE(settings.showSampleNumbers);
}

TEST_F(ViewSettingsTest, ValuesThatCannotServeReadAsTheDefault)
{
    ORBAX_Platform::Settings section(L"View");
    for (const wchar_t* scale : {L"0", L"-100", L"abc", L"", L"nan", L"inf"}) {
        section.writeString(L"Scale", scale);
        section.writeInt(L"Tolerance", 0);
        section.writeString(L"MinimumThickness", L"-0.5");
        ViewSettings settings;
        settings.Load(section);
        EXPECT_DOUBLE_EQ(settings.scale, 0.1) << scale;
        EXPECT_EQ(settings.tolerance, 100);
        EXPECT_DOUBLE_EQ(settings.minimumThickness, 0.01);
    }
    section.writeInt(L"Tolerance", -3);
    section.writeString(L"Scale", L" 500 ");
    section.writeString(L"MinimumThickness", L"0");
    ViewSettings settings;
    settings.Load(section);
    EXPECT_EQ(settings.tolerance, 100);
    EXPECT_DOUBLE_EQ(settings.scale, 0.5);
    EXPECT_DOUBLE_EQ(settings.minimumThickness, 0); // no minimum is a usable minimum
}

TEST(FixedText, HoldsThePrecisionToWhatCanBeShown)
{
    EXPECT_EQ(FixedText(12.345, 2), L"12.35");
    EXPECT_EQ(FixedText(12.345, -3), L"12");
    EXPECT_EQ(FixedText(1.5, 99).size(), std::wstring(L"1.").size() + 30);
}
