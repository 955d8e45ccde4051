// The page-setup sheet, driven by its controls' object names; and the view's Page Setup command.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "platform/settings/Settings.h"
#include "printsetup/pagesetup/PageSetup.h"
#include "tests/support/AppTestSupport.h"
#include "widgets/dialogs/SpinButton.h"

namespace {

template <class T = QLineEdit>
T* Control(QDialog& sheet, int page, int id)
{
    auto* tabs = sheet.findChild<QTabWidget*>();
    tabs->setCurrentIndex(page);
    return tabs->widget(page)->findChild<T*>(QStringLiteral("id%1").arg(id));
}

void Press(QDialog& sheet, int id) { sheet.findChild<QPushButton*>(QStringLiteral("id%1").arg(id))->click(); }

TEST(PageSetupSheet, PagesAndControlsShowTheRecord)
{
    AppTest::Sandbox sandbox;
    PageSetupSettings settings;
    settings.maxBoreWidth = 12.34f;
    settings.legendPosition = 2;
    settings.legendStyle.font = FontDescription(L"Times", false, false, 10.5f);
    CPageSetup sheet(settings);
    bool checked = false;
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Page Setup");
        auto* tabs = dialog.findChild<QTabWidget*>();
        ASSERT_EQ(tabs->count(), 4);
        EXPECT_EQ(tabs->widget(0)->objectName(), "dlg202");
        EXPECT_EQ(tabs->widget(1)->objectName(), "dlg200");
        EXPECT_EQ(tabs->widget(2)->objectName(), "dlg201");
        EXPECT_EQ(tabs->widget(3)->objectName(), "dlg323");
        EXPECT_EQ(tabs->tabText(3), "Legend");

        EXPECT_EQ(Control(dialog, 0, 1158)->text(), "1");
        EXPECT_EQ(Control(dialog, 0, 1159)->text(), "12.3");
        EXPECT_EQ(Control(dialog, 0, 1160)->text(), "40.0");
        EXPECT_TRUE(Control<QCheckBox>(dialog, 0, 1153)->isChecked());
        // The spin steps within 1 to 100.
        auto* spin = Control<SpinButton>(dialog, 0, 1157);
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->minimum(), 1);
        EXPECT_EQ(spin->maximum(), 100);
        spin->downButton()->click();
        EXPECT_EQ(Control(dialog, 0, 1158)->text(), "1");
        spin->upButton()->click();
        EXPECT_EQ(Control(dialog, 0, 1158)->text(), "2");

        EXPECT_EQ(Control(dialog, 1, 1238)->text(), "20.0");
        EXPECT_FALSE(Control<QLabel>(dialog, 1, 1237)->pixmap().isNull());
        // Controls of the same number on two pages are each their page's own.
        EXPECT_EQ(Control(dialog, 1, 1239)->text(), "20.0");
        EXPECT_EQ(Control(dialog, 2, 1239)->text(), "");
        EXPECT_EQ(Control(dialog, 2, 1003)->text(), "Page %p/%t");

        auto* position = Control<QComboBox>(dialog, 3, 1323);
        EXPECT_EQ(position->currentText(), "Right of page");
        EXPECT_EQ(position->count(), 5);
        EXPECT_EQ(Control<QComboBox>(dialog, 3, 1325)->itemText(2), "All items on page");
        EXPECT_EQ(Control(dialog, 3, 1009)->text(), "8");
        EXPECT_EQ(Control<QPushButton>(dialog, 3, 1329)->text(), "10.5pt Times");
        // No legend: nothing to sort or include.
        EXPECT_TRUE(Control<QComboBox>(dialog, 3, 1324)->isEnabled());
        position->setCurrentIndex(0);
        EXPECT_FALSE(Control<QComboBox>(dialog, 3, 1324)->isEnabled());
        EXPECT_FALSE(Control<QComboBox>(dialog, 3, 1325)->isEnabled());
        EXPECT_TRUE(Control(dialog, 3, 1009)->isEnabled());
        position->setCurrentIndex(1);
        EXPECT_TRUE(Control<QComboBox>(dialog, 3, 1325)->isEnabled());
        checked = true;
    };
    sheet.DoModal();
    EXPECT_TRUE(checked);
}

TEST(PageSetupSheet, OkTakesEveryPageCancelNone)
{
    AppTest::Sandbox sandbox;
    const PageSetupSettings original;
    auto edit = [](QDialog& dialog) {
        Control(dialog, 0, 1158)->setText(" 3 ");
        Control<QCheckBox>(dialog, 0, 1154)->setChecked(false);
        Control(dialog, 0, 1160)->setText("35.55");
        Control(dialog, 1, 1238)->setText("12mm");
        Control(dialog, 1, 1236)->setText("letters");
        Control(dialog, 2, 1004)->setText("Middle %n");
        Control(dialog, 2, 1239)->setText("/tmp/logo.png");
        Control<QComboBox>(dialog, 3, 1323)->setCurrentIndex(4);
        Control<QComboBox>(dialog, 3, 1324)->setCurrentIndex(2);
        Control(dialog, 3, 1258)->setText("6.5");
    };

    CPageSetup cancelled(original);
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        edit(dialog);
        Press(dialog, 2);
    };
    EXPECT_EQ(cancelled.DoModal(), QDialog::Rejected);
    EXPECT_EQ(original.columnsPerPage, 1);

    CPageSetup accepted(original);
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        edit(dialog);
        Press(dialog, 1);
    };
    ASSERT_EQ(accepted.DoModal(), QDialog::Accepted);
    const PageSetupSettings& s = accepted.Settings();
    EXPECT_EQ(s.columnsPerPage, 3);
    EXPECT_FALSE(s.showLeftBorehole);
    EXPECT_FLOAT_EQ(s.maxTraceWidth, 35.55f);
    // A leading number is taken; letters keep the old margin, without a word.
    EXPECT_FLOAT_EQ(s.topMargin, 12.0f);
    EXPECT_FLOAT_EQ(s.rightMargin, 20.0f);
    EXPECT_EQ(s.middleText, L"Middle %n");
    EXPECT_EQ(s.logoFile, L"/tmp/logo.png");
    EXPECT_EQ(s.legendPosition, 4);
    EXPECT_EQ(s.legendSort, 2);
    EXPECT_FLOAT_EQ(s.legendStyle.boxHeight, 6.5f);
    EXPECT_TRUE(sandbox.boxes.shown.empty());
    // The caller's record is untouched by either sheet.
    EXPECT_EQ(original.middleText, L"");
}

TEST(PageSetupSheet, BadColumnCountAndBoxSizeAreRefused)
{
    AppTest::Sandbox sandbox;
    const PageSetupSettings original;
    struct Case {
        int page;
        int id;
        const char* text;
        std::wstring message;
    };
    const Case cases[] = {{0, 1158, "two", L"Please enter an integer."},
                          {0, 1158, "0", L"Please enter an integer between 1 and 100."},
                          {0, 1158, "-2", L"Please enter an integer between 1 and 100."},
                          {0, 1158, "101", L"Please enter an integer between 1 and 100."},
                          {3, 1009, "wide", L"Please enter a number."},
                          {3, 1258, "8 mm", L"Please enter a number."}};
    for (const Case& c : cases) {
        sandbox.boxes.shown.clear();
        CPageSetup sheet(original);
        sandbox.dialogs.inspect = [&](QDialog& dialog) {
            QLineEdit* edit = Control(dialog, c.page, c.id);
            edit->setText(QString::fromLatin1(c.text));
            Press(dialog, 1);
            // Still open, on the same page; leaving the page is refused too.
            EXPECT_EQ(dialog.result(), -1) << c.text;
            auto* tabs = dialog.findChild<QTabWidget*>();
            EXPECT_EQ(tabs->currentIndex(), c.page);
            tabs->setCurrentIndex(c.page == 0 ? 1 : 0);
            EXPECT_EQ(tabs->currentIndex(), c.page);
        };
        EXPECT_EQ(sheet.DoModal(), QDialog::Rejected);
        ASSERT_EQ(sandbox.boxes.shown.size(), 2u) << c.text;
        EXPECT_EQ(sandbox.boxes.shown[0].text, c.message);
        EXPECT_EQ(sheet.Settings().columnsPerPage, 1);
        EXPECT_FLOAT_EQ(sheet.Settings().legendStyle.boxWidth, 8.0f);
    }
}

TEST(PageSetupSheet, LegendFontAndLogoPrompts)
{
    AppTest::Sandbox sandbox;
    ORBAX_Platform::ScriptedFilePrompts prompts;
    ORBAX_Platform::ScopedFilePrompts installed(prompts);
    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSizeF(12);
    prompts.fonts.push_back(chosen);
    prompts.answers.push_back({});                                        // cancelled
    prompts.answers.push_back({QStringLiteral("/data/logos/orbax.png")}); // chosen

    CPageSetup sheet{PageSetupSettings()};
    sandbox.dialogs.inspect = [&](QDialog& dialog) {
        auto* font = Control<QPushButton>(dialog, 3, 1329);
        EXPECT_EQ(font->text(), "10pt Arial");
        font->click();
        EXPECT_EQ(font->text(), "12pt DejaVu Serif");

        auto* browse = Control<QPushButton>(dialog, 2, 1240);
        browse->click();
        EXPECT_EQ(Control(dialog, 2, 1239)->text(), "");
        browse->click();
        EXPECT_EQ(Control(dialog, 2, 1239)->text(), "/data/logos/orbax.png");
        Press(dialog, 1);
    };
    ASSERT_EQ(sheet.DoModal(), QDialog::Accepted);
    EXPECT_EQ(sheet.Settings().legendStyle.font.ToString(), L"12pt DejaVu Serif");
    EXPECT_EQ(sheet.Settings().logoFile, L"/data/logos/orbax.png");
    ASSERT_EQ(prompts.captions.size(), 2u);
    EXPECT_EQ(prompts.captions[0], "Select print logo image file");
    ORBAX_Platform::Settings options(L"Options");
    EXPECT_EQ(options.readString(L"LogoPath", L""), L"/data/logos");
    EXPECT_EQ(options.readInt(L"LogoFilter", 0), 1);
}

TEST(PageSetupSheet, ViewCommandSwapsTheEditedRecordInOnlyOnOk)
{
    AppTest::Sandbox sandbox;
    CQuorDoc document;
    CQuorView view(&document);
    sandbox.dialogs.inspect = [](QDialog& dialog) {
        Control(dialog, 2, 1002)->setText("Hole %r");
        Press(dialog, 2);
    };
    view.OnPageSetup();
    EXPECT_EQ(view.PageSetup().topText, L"%r");

    sandbox.dialogs.inspect = [](QDialog& dialog) {
        Control(dialog, 2, 1002)->setText("Hole %r");
        Control(dialog, 0, 1158)->setText("2");
        Press(dialog, 1);
    };
    view.OnPageSetup();
    EXPECT_EQ(view.PageSetup().topText, L"Hole %r");
    EXPECT_EQ(view.PageSetup().columnsPerPage, 2);
    ASSERT_FALSE(sandbox.dialogs.shown.empty());
    EXPECT_EQ(sandbox.dialogs.shown.back(), "CPageSetup");
}

} // namespace
