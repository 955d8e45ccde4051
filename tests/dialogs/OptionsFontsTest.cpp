// The Fonts page: each button shows its font and changes only that font; a cancelled prompt keeps it.
#include <gtest/gtest.h>

#include <QPushButton>

#include "app/QuorApp.h"
#include "dialogs/OptionsFonts.h"
#include "tests/support/AppTestSupport.h"

namespace {

TEST(OptionsFonts, ButtonsShowAndChooseTheirFonts)
{
    AppTest::Sandbox sandbox;
    ORBAX_Platform::ScriptedFilePrompts prompts;
    ORBAX_Platform::ScopedFilePrompts installed(prompts);
    CQuorApp app;

    auto* page = new COptionsFonts(FontDescription(L"Arial", true, false, 12.0f),
                                   FontDescription(L"Times New Roman", false, false, 10.5f), FontDescription());
    PropertySheet sheet(L"QUOR_Log Options");
    sheet.AddPage(page);
    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSizeF(14.0);
    chosen.setBold(true);
    chosen.setItalic(true);
    prompts.fonts = {chosen};
    sandbox.dialogs.inspect = [&](QDialog&) {
        EXPECT_EQ(page->objectName(), "dlg188");
        EXPECT_EQ(page->findChild<QPushButton*>("id1214")->text(), "12pt Arial");
        EXPECT_EQ(page->findChild<QPushButton*>("id1212")->text(), "10.5pt Times New Roman");
        EXPECT_EQ(page->findChild<QPushButton*>("id1213")->text(), "3pt Arial");
        page->findChild<QPushButton*>("id1212")->click();
        EXPECT_EQ(page->findChild<QPushButton*>("id1212")->text(), "14pt DejaVu Serif");
        // No font left in the script: the prompt is cancelled and the font stays.
        page->findChild<QPushButton*>("id1213")->click();
        EXPECT_EQ(page->findChild<QPushButton*>("id1213")->text(), "3pt Arial");
        sheet.accept();
    };
    ASSERT_EQ(sheet.DoModal(), QDialog::Accepted);
    ASSERT_EQ(prompts.fontsOffered.size(), 2u);
    EXPECT_EQ(prompts.fontsOffered[0].family(), "Times New Roman");
    EXPECT_EQ(page->m_generalFont.face, L"DejaVu Serif");
    EXPECT_TRUE(page->m_generalFont.bold && page->m_generalFont.italic);
    EXPECT_FLOAT_EQ(page->m_generalFont.size, 14.0f);
    EXPECT_EQ(page->m_titleFont.face, L"Arial");
    EXPECT_TRUE(page->m_titleFont.bold);
    EXPECT_FLOAT_EQ(page->m_tickFont.size, 3.0f);
}

} // namespace
