// Tools > Options end to end: the sheet with its seven pages over the view's and the application's
// values; every configuration editor opened from it on a configuration written here; each editor's OK
// writes the user's configuration file while settings are remembered, and the file reads back to the
// same tables (the shipped file untouched, the first user file of the run kept as ".backup"); OK
// copies the values back; Cancel copies nothing, but keeps what an editor has already saved.
#include <filesystem>
#include <functional>
#include <map>

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "app/MainFrame.h"
#include "app/QuorApp.h"
#include "docview/view/QuorView.h"
#include "platform/Paths.h"
#include "resources/CommandIds.h"
#include "tests/config/configfile/ConfigTestTables.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/NamePrompts.h"
#include "widgets/dialogs/PropertySheet.h"

namespace {

namespace fs = std::filesystem;
using ORBAX_Platform::Settings;

const char kConfiguration[] = R"(Quorlog Configuration v3
# Written by the options command's tests.
Bitmaps {
   Sand                 mono   8 "0xFF 0xF7 0xFF 0xFF 0xFF 0x7F 0xFF 0xFF"
   Silt                 mono   4 "0xA 0x5"
}
Vectors {
   Shale (220, 220, 220)      100       50 {
      line           3   (0, 0, 0) solid {0, 120; 1000, 120}
   }
}
Definitions {
   Standard {
      Bitmap     Sand                 { SANDSTONE }
      Isovector  Shale                { SHALE, MUDSTONE }
      Inbuilt    Black                { COAL }
   }
   Coal {
      Inbuilt    Black                { COAL }
   }
}
Correlations {
   "North Field" {
      Upper { U1 U2 }
      Main { M1 }
   }
}
Traces {
   GR                            0        150 GREEN                     1  Y
   DEN                   1234567.8     -1e-07 RED                       2  N
   "^SGR|CGR" PATTERN            0        200 BLUE                      1  Y
   CALI INVISIBLE
}
SchemaDefinitions {
   Coal {
      ROCKTYPE "Lith"
      PERCENTAGE "Pct"
      BOTTOM "Depth"
      SEAM "Seam"
      PLY "Ply"
   }
}
)";

class OptionsCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        QuorTest::write_file(sandbox.programFolder() / "QuorLogConfig.txt", kConfiguration);
        Settings(L"Options").writeInt(L"ShowSplash", 0);
        prompts.other = [this](QDialog& dialog) {
            shown.push_back(dialog.objectName());
            auto found = respond.find(dialog.objectName());
            if (found != respond.end())
                found->second(dialog);
        };
        app = std::make_unique<CQuorApp>();
        ASSERT_TRUE(app->InitInstance({}));
        view = app->GetView();
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(app->m_saveSettings);
    }
    void TearDown() override { app->ExitInstance(); }

    fs::path userFile() const { return sandbox.userFolder() / "QuorLogConfig.txt"; }

    // Runs Options; `onSheet` works the sheet, which is then accepted (or cancelled).
    void options(const std::function<void(PropertySheet&)>& onSheet, bool accept = true)
    {
        respond[QStringLiteral("PropertySheet")] = [=](QDialog& dialog) {
            auto& sheet = static_cast<PropertySheet&>(dialog);
            EXPECT_EQ(sheet.windowTitle(), "QUOR_Log Options");
            onSheet(sheet);
            if (accept)
                sheet.accept();
            else
                sheet.reject();
        };
        QAction* action = app->GetMainFrame()->GetCommand(QuorCommand::ID_OPTIONS);
        ASSERT_NE(action, nullptr);
        action->trigger();
    }
    // Opens an editor from the Settings page.
    static void editor(PropertySheet& sheet, int button)
    {
        ASSERT_TRUE(sheet.SetActivePage(2));
        sheet.currentPage()->findChild<QPushButton*>(QStringLiteral("id%1").arg(button))->click();
    }
    static void choose(QComboBox* combo, const QString& text)
    {
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static void click(QDialog& dialog, int id)
    {
        dialog.findChild<QAbstractButton*>(QStringLiteral("id%1").arg(id))->click();
    }

    // The user's file read into fresh tables.
    void expectFileReadsBack()
    {
        ConfigurationTables read;
        QuorLogConfig reader(read);
        reader.programFolder = sandbox.programFolder();
        ConfigMessageList messages;
        reader.ResetConfiguration();
        reader.ReadConfiguration(ORBAX_Platform::wide_from_path(userFile()), messages);
        EXPECT_FALSE(HasConfigFailure(messages)) << ConfigTest::describe(messages);
        ConfigTest::expectSameTables(app->Tables(), read, false);
    }

    AppTest::Sandbox sandbox;
    AppTest::NamePrompts prompts{sandbox.dialogs};
    std::unique_ptr<CQuorApp> app;
    CQuorView* view = nullptr;
    std::map<QString, std::function<void(QDialog&)>> respond;
    std::vector<QString> shown;
};

TEST_F(OptionsCommand, EveryEditorThenOkWritesTheUsersFile)
{
    const std::string shipped = QuorTest::read_file(sandbox.programFolder() / "QuorLogConfig.txt");
    respond[QStringLiteral("dlg203")] = [](QDialog& schemas) {
        click(schemas, 1242);
        click(schemas, 1);
    };
    respond[QStringLiteral("dlg317")] = [](QDialog& newSchema) {
        newSchema.findChild<QLineEdit*>("id1309")->setText("Coal copy");
        newSchema.findChild<QCheckBox*>("id1310")->setChecked(true);
        auto* source = newSchema.findChild<QComboBox*>("id1241");
        source->setCurrentIndex(source->findText("Coal"));
        newSchema.accept();
    };
    respond[QStringLiteral("dlg206")] = [](QDialog& vectors) {
        choose(vectors.findChild<QComboBox*>("id1254"), "Shale");
        click(vectors, 1249);
        click(vectors, 1);
    };
    respond[QStringLiteral("dlg207")] = [](QDialog& bitmaps) {
        choose(bitmaps.findChild<QComboBox*>("id1174"), "Sand");
        click(bitmaps, 1249);
        click(bitmaps, 1);
    };
    respond[QStringLiteral("dlg208")] = [](QDialog& lists) {
        choose(lists.findChild<QComboBox*>("id1274"), "Coal");
        click(lists, 1249);
        click(lists, 1);
    };
    respond[QStringLiteral("dlg209")] = [](QDialog& traces) {
        auto* list = traces.findChild<QListWidget*>("id1174");
        for (int row : {1, 0, 2, 1, 3})
            list->setCurrentRow(row);
        click(traces, 1);
    };
    respond[QStringLiteral("dlg211")] = [](QDialog& sites) {
        click(sites, 1243);
        click(sites, 1);
    };
    prompts.answers = {QStringLiteral("Mudstone"), QStringLiteral("Sandy"), QStringLiteral("Coal measures"),
                       QStringLiteral("Lower")};
    options([](PropertySheet& sheet) {
        ASSERT_EQ(sheet.tabs()->count(), 7);
        for (int button : {1249, 1250, 1251, 1252, 1253, 1254})
            editor(sheet, button);
    });
    for (const char* name : {"dlg203", "dlg206", "dlg207", "dlg208", "dlg209", "dlg211"})
        EXPECT_NE(std::find(shown.begin(), shown.end(), QString::fromLatin1(name)), shown.end()) << name;

    const ConfigurationTables& tables = app->Tables();
    ASSERT_EQ(tables.schemas.size(), 3u);
    EXPECT_EQ(tables.schemas.back()->name, L"Coal copy");
    EXPECT_EQ(tables.schemas.back()->fields.size(), 5u);
    EXPECT_EQ(tables.vectors.begin()->second.name, L"Mudstone");
    EXPECT_EQ(tables.bitmaps.begin()->second.name, L"Sandy");
    EXPECT_EQ(tables.traceDefinitions[1].minimum, 1234567.8);
    EXPECT_EQ(tables.traceDefinitions[1].maximum, -1e-7);
    // The hatch list entries follow the renamed patterns.
    const HatchList& standard = tables.hatchLists.begin()->second;
    EXPECT_EQ(standard.entries[0].patternName, L"Sandy");
    EXPECT_EQ(standard.entries[1].patternName, L"Mudstone");
    EXPECT_EQ(tables.correlations.begin()->second.seams.back().name, L"Lower");

    ASSERT_TRUE(fs::exists(userFile()));
    EXPECT_FALSE(app->Configuration().configurationModified);
    expectFileReadsBack();
    EXPECT_NE(QuorTest::read_file(userFile()).find("1234567.8"), std::string::npos);
    EXPECT_EQ(QuorTest::read_file(sandbox.programFolder() / "QuorLogConfig.txt"), shipped);
    // The first editor's OK made the user's file; the second kept that one as the backup.
    const std::string backup = QuorTest::read_file(userFile().string() + ".backup");
    EXPECT_NE(backup.find("Coal copy"), std::string::npos);
    EXPECT_NE(backup.find("Shale"), std::string::npos);

    // A second change: the backup stays the file as it first was in this run.
    respond[QStringLiteral("dlg211")] = [](QDialog& sites) {
        click(sites, 1264);
        click(sites, 1);
    };
    options([](PropertySheet& sheet) { editor(sheet, 1254); });
    EXPECT_TRUE(app->Tables().correlations.empty());
    EXPECT_EQ(QuorTest::read_file(userFile().string() + ".backup"), backup);
    expectFileReadsBack();
}

TEST_F(OptionsCommand, CancelRestoresThePagesValuesAndKeepsWhatTheEditorsSaved)
{
    const ViewSettings before = view->m_settings;
    respond[QStringLiteral("dlg209")] = [](QDialog& traces) {
        traces.findChild<QListWidget*>("id1174")->setCurrentRow(0);
        click(traces, 1264);
        click(traces, 1);
    };
    options(
        [](PropertySheet& sheet) {
            QWidget* page = sheet.currentPage();
            page->findChild<QCheckBox*>("id1149")->setChecked(!page->findChild<QCheckBox*>("id1149")->isChecked());
            page->findChild<QLineEdit*>("id1044")->setText("250");
            editor(sheet, 1253);
        },
        false);
    EXPECT_EQ(view->m_settings.showRuler, before.showRuler);
    EXPECT_EQ(view->m_settings.scale, before.scale);
    // What the editor put into the table stays, and its OK has written it to the user's file.
    EXPECT_EQ(app->Tables().traceDefinitions.size(), 3u);
    EXPECT_FALSE(app->Configuration().configurationModified);
    ASSERT_TRUE(fs::exists(userFile()));
    expectFileReadsBack();

    // Remembering settings switched off: neither an editor's OK nor the sheet's writes the file.
    const std::string saved = QuorTest::read_file(userFile());
    options([](PropertySheet& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(2));
        sheet.currentPage()->findChild<QCheckBox*>("id1177")->setChecked(false);
    });
    EXPECT_FALSE(app->m_saveSettings);
    options([](PropertySheet& sheet) { editor(sheet, 1253); });
    EXPECT_EQ(app->Tables().traceDefinitions.size(), 2u);
    EXPECT_TRUE(app->Configuration().configurationModified);
    EXPECT_EQ(QuorTest::read_file(userFile()), saved);
    // Switched on again, the change made meanwhile is written.
    options([](PropertySheet& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(2));
        sheet.currentPage()->findChild<QCheckBox*>("id1177")->setChecked(true);
    });
    ASSERT_TRUE(fs::exists(userFile()));
    expectFileReadsBack();
}

TEST_F(OptionsCommand, OkCopiesThePagesBack)
{
    options([](PropertySheet& sheet) {
        QWidget* viewPage = sheet.currentPage();
        EXPECT_EQ(viewPage->objectName(), "dlg314");
        viewPage->findChild<QLineEdit*>("id1044")->setText("250");
        viewPage->findChild<QLineEdit*>("id1230")->setText("3");
        ASSERT_TRUE(sheet.SetActivePage(1));
        QWidget* project = sheet.currentPage();
        choose(project->findChild<QComboBox*>("id1223"), "Coal");
        choose(project->findChild<QComboBox*>("id1048"), "North Field");
        project->findChild<QLineEdit*>("id1174")->setText("Bowen Basin");
        ASSERT_TRUE(sheet.SetActivePage(3));
        EXPECT_EQ(sheet.currentPage()->objectName(), "dlg315");
        ASSERT_TRUE(sheet.SetActivePage(6));
        EXPECT_EQ(sheet.currentPage()->objectName(), "dlg188");
    });
    EXPECT_DOUBLE_EQ(view->GetScale(), 0.25);
    EXPECT_EQ(view->m_settings.displayPrecision, 3);
    EXPECT_EQ(view->m_settings.projectName, L"Bowen Basin");
    ASSERT_NE(app->GetHatchList(), nullptr);
    EXPECT_EQ(app->GetHatchList()->name, L"Coal");
    ASSERT_NE(app->GetCorrelationSite(), nullptr);
    EXPECT_EQ(app->GetCorrelationSite()->name, L"North Field");
    // Nothing of the configuration changed: nothing written.
    EXPECT_FALSE(fs::exists(userFile()));
}

} // namespace
