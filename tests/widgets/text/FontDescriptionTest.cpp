#include <gtest/gtest.h>

#include <QFont>
#include <QImage>

#include "platform/settings/Settings.h"
#include "tests/support/PaintSupport.h"
#include "tests/support/ScratchProfile.h"
#include "widgets/text/FontDescription.h"

using ORBAX_Platform::Settings;

namespace {

std::wstring Stored(const std::wstring& key) { return Settings(L"View").readString(key, L"<none>"); }

TEST(FontDescription, SavedUnderItsPrefixAndReadBack)
{
    QuorTest::ScratchProfile scratch;
    FontDescription title(L"Times New Roman", true, true, 12.0f);
    FontDescription tick(L"Courier", false, true, 8.26f);
    ASSERT_TRUE(title.Save(L"TitleFont"));
    ASSERT_TRUE(tick.Save(L"TickFont"));

    EXPECT_EQ(Stored(L"TitleFont-FaceName"), L"Times New Roman");
    EXPECT_EQ(Stored(L"TitleFont-Height"), L"12.0");
    EXPECT_EQ(Stored(L"TitleFont-Style"), L"Bold Italic");
    EXPECT_EQ(Stored(L"TickFont-Style"), L"Italic");
    EXPECT_EQ(Stored(L"TickFont-Height"), L"8.3");
    EXPECT_EQ(Stored(L"GeneralFont-FaceName"), L"<none>");

    FontDescription read;
    ASSERT_TRUE(read.Load(L"TitleFont"));
    EXPECT_EQ(read.face, L"Times New Roman");
    EXPECT_TRUE(read.bold);
    EXPECT_TRUE(read.italic);
    EXPECT_FLOAT_EQ(read.size, 12.0f);
    ASSERT_TRUE(read.Load(L"TickFont"));
    EXPECT_EQ(read.face, L"Courier");
    EXPECT_FALSE(read.bold);
    EXPECT_TRUE(read.italic);
    EXPECT_FLOAT_EQ(read.size, 8.3f);

    FontDescription plain(L"Arial", true, false, 10.0f);
    plain.Save(L"GeneralFont");
    EXPECT_EQ(Stored(L"GeneralFont-Style"), L"Bold");
    plain.bold = false;
    plain.Save(L"GeneralFont");
    EXPECT_EQ(Stored(L"GeneralFont-Style"), L"");
}

TEST(FontDescription, MissingKeysKeepFaceAndRoundedSizeButClearTheStyle)
{
    QuorTest::ScratchProfile scratch;
    FontDescription font(L"Verdana", true, true, 10.26f);
    ASSERT_TRUE(font.Load(L"GeneralFont"));
    EXPECT_EQ(font.face, L"Verdana");
    EXPECT_FLOAT_EQ(font.size, 10.3f);
    EXPECT_FALSE(font.bold);
    EXPECT_FALSE(font.italic);
}

TEST(FontDescription, StyleWordsFoundInAnyCaseInsideLongerText)
{
    QuorTest::ScratchProfile scratch;
    Settings view(L"View");
    view.writeString(L"A-Style", L"BOLD");
    view.writeString(L"B-Style", L"xxBoLdyy semiItalics");
    view.writeString(L"C-Style", L"Regular");

    FontDescription font;
    font.Load(L"A");
    EXPECT_TRUE(font.bold);
    EXPECT_FALSE(font.italic);
    font.Load(L"B");
    EXPECT_TRUE(font.bold);
    EXPECT_TRUE(font.italic);
    font.Load(L"C");
    EXPECT_FALSE(font.bold);
    EXPECT_FALSE(font.italic);
}

TEST(FontDescription, HeightThatIsNoSizeKeepsTheCurrentSize)
{
    QuorTest::ScratchProfile scratch;
    Settings view(L"View");
    const std::wstring bad[] = {L"abc", L"0", L"-4.5", L"nan", L"inf", L"", L"1e-300", L"1e39"};
    for (const std::wstring& height : bad) {
        view.writeString(L"TickFont-Height", height);
        FontDescription font(L"Arial", false, false, 8.0f);
        font.Load(L"TickFont");
        EXPECT_FLOAT_EQ(font.size, 8.0f) << "height " << std::string(height.begin(), height.end());
    }
    // A leading number is read as the stored height, whatever follows it.
    view.writeString(L"TickFont-Height", L" 9.5pt");
    FontDescription font(L"Arial", false, false, 8.0f);
    font.Load(L"TickFont");
    EXPECT_FLOAT_EQ(font.size, 9.5f);
}

TEST(FontDescription, DisplayText)
{
    EXPECT_EQ(FontDescription(L"Arial", false, false, 12.0f).ToString(), L"12pt Arial");
    EXPECT_EQ(FontDescription(L"Arial", false, false, 10.5f).ToString(), L"10.5pt Arial");
    EXPECT_EQ(FontDescription(L"Arial", false, false, 0.5f).ToString(), L"0.5pt Arial");
    EXPECT_EQ(FontDescription(L"Times", true, false, 100.0f).ToString(), L"100pt Times");
    EXPECT_EQ(FontDescription().ToString(), L"3pt Arial");
}

TEST(FontDescription, LogicalFontForADevice)
{
    PaintTest::EnsureGuiApplication();
    EXPECT_EQ(FontDescription::LogicalHeight(10.0f, 96.0), -13);
    EXPECT_EQ(FontDescription::LogicalHeight(12.0f, 96.0), -16);
    EXPECT_EQ(FontDescription::LogicalHeight(8.0f, 600.0), -66);
    // A size from a damaged profile beyond any pixel count gives no height, not an overflow.
    EXPECT_EQ(FontDescription::LogicalHeight(1e30f, 96.0), 0);
    EXPECT_EQ(FontDescription::LogicalHeight(-1e30f, 96.0), 0);

    QImage device(10, 10, QImage::Format_ARGB32);
    device.setDotsPerMeterX(3780);
    device.setDotsPerMeterY(3780);
    QFont logical;
    FontDescription(L"Some Face Whose Name Runs Beyond Thirty-One Characters", true, true, 10.0f)
        .ToLogFont(logical, &device);
    EXPECT_EQ(logical.pixelSize(), 13);
    EXPECT_EQ(logical.weight(), QFont::Bold);
    EXPECT_TRUE(logical.italic());
    EXPECT_EQ(logical.family(), "Some Face Whose Name Runs Beyond Thirty-One Characters");
    FontDescription(L"Arial", false, false, 10.0f).ToLogFont(logical, &device);
    EXPECT_EQ(logical.weight(), QFont::Normal);
    EXPECT_FALSE(logical.italic());
}

TEST(FontDescription, DrawingFontIsRegularAtThePointSize)
{
    PaintTest::EnsureGuiApplication();
    auto font = FontDescription(L"DejaVu Sans", true, true, 11.5f).CreateGdiplusFont();
    ASSERT_TRUE(font);
    EXPECT_DOUBLE_EQ(font->pointSizeF(), 11.5);
    EXPECT_FALSE(font->bold());
    EXPECT_FALSE(font->italic());
}

} // namespace
