// The Settings page: each editor works on a copy that replaces the application's table only after
// its OK, marking the configuration changed, checking it and, while settings are remembered, writing
// the file (even when the sheet is then cancelled); Cancel leaves table and flag alone; in client mode
// the editors cannot be reached.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/QuorApp.h"
#include "dialogs/OptionsSettings.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/NamePrompts.h"

namespace {

struct SettingsFixture {
    AppTest::Sandbox sandbox;
    CQuorApp app;
    AppTest::NamePrompts prompts{sandbox.dialogs};
    // What to do in each dialog, by its object name; the sheet itself is driven by `onSheet`.
    std::map<QString, std::function<void(QDialog&)>> drive;
    std::function<void(COptionsSettings&)> onSheet;

    SettingsFixture()
    {
        app.Configuration().userFolder = sandbox.userFolder();
        TraceDefinition gr;
        gr.name = "GR";
        app.Tables().traceDefinitions = {gr, gr};
        app.Tables().traceDefinitions[1].name = "SP";
        CorrelationDefinition north(L"North");
        north.seams.emplace_back(L"B1");
        app.Tables().correlations.Insert(north);
        prompts.other = [this](QDialog& dialog) {
            auto found = drive.find(dialog.objectName());
            if (found != drive.end())
                found->second(dialog);
        };
    }

    int run(bool editingDisabled = false, bool cancelSheet = false)
    {
        PropertySheet sheet(L"QUOR_Log Options");
        auto* page = new COptionsSettings(true, true, editingDisabled);
        page->SetApplication(&app);
        sheet.AddPage(page);
        drive[QStringLiteral("PropertySheet")] = [&](QDialog&) {
            onSheet(*page);
            if (cancelSheet)
                sheet.reject();
            else
                sheet.accept();
        };
        return sheet.DoModal();
    }

    bool fileWritten() const { return std::filesystem::exists(sandbox.userFolder() / "QuorLogConfig.txt"); }
};

void click(QWidget& parent, int id) { parent.findChild<QAbstractButton*>(QStringLiteral("id%1").arg(id))->click(); }

TEST(OptionsSettings, EditorOkReplacesTheTableAndCancelDoesNot)
{
    SettingsFixture f;
    // Trace defaults: delete SP, then OK.
    f.drive[QStringLiteral("dlg209")] = [](QDialog& editor) {
        editor.findChild<QListWidget*>(QStringLiteral("id1174"))->setCurrentRow(1);
        click(editor, 1264);
        click(editor, 1);
    };
    f.onSheet = [](COptionsSettings& page) { click(page, 1253); };
    ASSERT_EQ(f.run(), QDialog::Accepted);
    ASSERT_EQ(f.app.Tables().traceDefinitions.size(), 1u);
    EXPECT_EQ(f.app.Tables().traceDefinitions[0].name, "GR");
    EXPECT_TRUE(f.app.Configuration().configurationModified);
    EXPECT_FALSE(f.fileWritten()) << "settings are not remembered";

    // Seams and plies: a site added and the editor cancelled changes nothing, not even the flag.
    f.app.Configuration().configurationModified = false;
    f.prompts.answers = {QStringLiteral("South")};
    f.drive[QStringLiteral("dlg211")] = [](QDialog& editor) {
        click(editor, 1242);
        click(editor, 2);
    };
    f.onSheet = [](COptionsSettings& page) { click(page, 1254); };
    ASSERT_EQ(f.run(), QDialog::Accepted);
    EXPECT_EQ(f.app.Tables().correlations.size(), 1u);
    EXPECT_FALSE(f.app.Configuration().configurationModified);

    // ... and with OK the new site gets an id above every id given, the old one keeps its own.
    const int lastId = f.app.Tables().correlations.LastId();
    f.prompts.answers = {QStringLiteral("South")};
    f.drive[QStringLiteral("dlg211")] = [](QDialog& editor) {
        click(editor, 1242);
        click(editor, 1);
    };
    ASSERT_EQ(f.run(), QDialog::Accepted);
    ASSERT_EQ(f.app.Tables().correlations.size(), 2u);
    EXPECT_EQ(f.app.Tables().correlations.Get(1).name, L"North");
    EXPECT_EQ(f.app.Tables().correlations.Get(lastId + 1).name, L"South");
    EXPECT_TRUE(f.app.Configuration().configurationModified);
    EXPECT_FALSE(f.fileWritten());
}

TEST(OptionsSettings, AnEditorsOkIsSavedWhenTheSheetIsThenCancelled)
{
    SettingsFixture f;
    f.app.m_saveSettings = true;
    f.prompts.answers = {QStringLiteral("South")};
    f.drive[QStringLiteral("dlg211")] = [](QDialog& editor) {
        click(editor, 1242);
        click(editor, 1);
    };
    f.onSheet = [](COptionsSettings& page) { click(page, 1254); };
    ASSERT_EQ(f.run(false, true), QDialog::Rejected);
    ASSERT_TRUE(f.fileWritten());
    EXPECT_NE(QuorTest::read_file(f.sandbox.userFolder() / "QuorLogConfig.txt").find("South"), std::string::npos);
    EXPECT_FALSE(f.app.Configuration().configurationModified);
}

TEST(OptionsSettings, TheCheckAfterAnEditorShowsItsProblems)
{
    SettingsFixture f;
    HatchList list(L"Standard");
    list.entries.emplace_back(HatchListEntry::Bitmap, L"Missing", L"SAND");
    f.app.Tables().hatchLists.Insert(list);
    QStringList shown;
    f.drive[QStringLiteral("dlg209")] = [](QDialog& editor) { click(editor, 1); };
    f.drive[QStringLiteral("dlg191")] = [&](QDialog& errors) {
        auto* lines = errors.findChild<QListWidget*>(QStringLiteral("id1182"));
        for (int i = 0; i < lines->count(); ++i)
            shown << lines->item(i)->text();
    };
    f.onSheet = [](COptionsSettings& page) { click(page, 1253); };
    ASSERT_EQ(f.run(), QDialog::Accepted);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], "Warning: In the Standard hatch list, the bitmap name for the \"SAND\" rocktype element "
                        "(Missing) does not exist in the list of bitmaps.");
    EXPECT_FALSE(f.fileWritten());
}

TEST(OptionsSettings, ClientModeHidesTheEditors)
{
    SettingsFixture f;
    f.onSheet = [](COptionsSettings& page) {
        for (int id : {1178, 1249, 1250, 1251, 1252, 1253, 1254}) {
            auto* button = page.findChild<QPushButton*>(QStringLiteral("id%1").arg(id));
            EXPECT_FALSE(button->isVisibleTo(&page)) << id;
            EXPECT_FALSE(button->isEnabled()) << id;
        }
        EXPECT_TRUE(page.findChild<QLabel*>(QStringLiteral("id1306"))->isVisibleTo(&page));
        EXPECT_FALSE(page.findChild<QLabel*>(QStringLiteral("id1307"))->isVisibleTo(&page));
        page.findChild<QCheckBox*>(QStringLiteral("id1227"))->setChecked(false);
        // Even a call from code opens no editor.
        page.OnEditTraceDefaults();
    };
    EXPECT_EQ(f.run(true), QDialog::Accepted);
    EXPECT_EQ(f.sandbox.dialogs.shown, std::vector<QString>{QStringLiteral("PropertySheet")});
    EXPECT_EQ(f.app.Tables().traceDefinitions.size(), 2u);

    SettingsFixture g;
    g.onSheet = [](COptionsSettings& page) {
        EXPECT_TRUE(page.findChild<QPushButton*>(QStringLiteral("id1253"))->isVisibleTo(&page));
        EXPECT_FALSE(page.findChild<QLabel*>(QStringLiteral("id1306"))->isVisibleTo(&page));
        EXPECT_TRUE(page.findChild<QLabel*>(QStringLiteral("id1307"))->isVisibleTo(&page));
    };
    EXPECT_EQ(g.run(false), QDialog::Accepted);
}

} // namespace
