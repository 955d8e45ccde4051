// The font description chosen in the font dialog, which the tests answer.
#include <gtest/gtest.h>

#include <QFont>

#include "tests/support/AppTestSupport.h"
#include "widgets/text/FontDescription.h"

namespace {

TEST(FontDescription, ChosenInTheFontDialog)
{
    AppTest::Sandbox sandbox;
    ORBAX_Platform::ScriptedFilePrompts prompts;
    ORBAX_Platform::ScopedFilePrompts installed(prompts);

    FontDescription font(L"Arial", false, false, 10.0f);
    // Cancel changes nothing.
    EXPECT_FALSE(font.Choose(nullptr));
    EXPECT_EQ(font.ToString(), L"10pt Arial");
    ASSERT_EQ(prompts.fontsOffered.size(), 1u);
    EXPECT_DOUBLE_EQ(prompts.fontsOffered[0].pointSizeF(), 10.0);

    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSizeF(14.04);
    chosen.setBold(true);
    chosen.setItalic(true);
    prompts.fonts.push_back(chosen);
    EXPECT_TRUE(font.Choose(nullptr));
    EXPECT_EQ(font.face, L"DejaVu Serif");
    EXPECT_FLOAT_EQ(font.size, 14.0f);
    EXPECT_TRUE(font.bold);
    EXPECT_TRUE(font.italic);

    // The dialog starts from the chosen font, in points.
    font.Choose(nullptr);
    ASSERT_EQ(prompts.fontsOffered.size(), 3u);
    EXPECT_DOUBLE_EQ(prompts.fontsOffered[2].pointSizeF(), 14.0);
    EXPECT_TRUE(prompts.fontsOffered[2].bold());
    EXPECT_TRUE(prompts.fontsOffered[2].italic());
}

} // namespace
