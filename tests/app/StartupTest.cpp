#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QUrl>

#include "app/MainFrame.h"
#include "app/QuorApp.h"
#include "core/catalogue/Messages.h"
#include "docview/view/QuorView.h"
#include "editors/patterns/BitmapEditor.h"
#include "platform/Paths.h"
#include "platform/services/QtNames.h"
#include "tests/support/AppTestSupport.h"
#include "widgets/dialogs/ErrorList.h"

namespace {

using ORBAX_Platform::MessageResult;
using ORBAX_Platform::Settings;

const char* const kGoodConfiguration = "Quorlog Configuration v3\n# nothing else\n";

// A site, two hatch lists and a schema, to find by name from the profile.
const char* const kNamedConfiguration = "Quorlog Configuration v3\n"
                                        "Correlations { Main { Upper { U1 } } }\n"
                                        "Definitions {\n"
                                        "   Other { Inbuilt Red { RED CLAY } }\n"
                                        "   Standard { Inbuilt Black { COAL } }\n"
                                        "}\n"
                                        "SchemaDefinitions { Coal { ROCKTYPE \"Rock\" TOP \"From\" BOTTOM \"To\" } }\n";

struct ShownList {
    QString caption;
    QStringList lines;
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sandbox.dialogs.inspect = [this](QDialog& dialog) {
            if (auto* list = qobject_cast<CErrorList*>(&dialog)) {
                ShownList shown{dialog.windowTitle(), {}};
                for (int i = 0; i < list->list()->count(); ++i)
                    shown.lines << list->list()->item(i)->text();
                lists.push_back(shown);
                if (helpOnFirstLine && list->list()->count() > 0) {
                    list->list()->item(0)->setSelected(true);
                    list->OnHelp();
                }
            }
        };
    }

    void writeProgramConfiguration(const std::string& text)
    {
        QuorTest::write_file(sandbox.programFolder() / "QuorLogConfig.txt", text);
    }
    void writeUserConfiguration(const std::string& text)
    {
        std::filesystem::create_directories(sandbox.userFolder());
        QuorTest::write_file(sandbox.userFolder() / "QuorLogConfig.txt", text);
    }
    static std::string shippedConfiguration()
    {
        return QuorTest::read_file(QuorTest::source_dir() / "resources" / "QuorLogConfig.txt");
    }

    AppTest::Sandbox sandbox;
    std::vector<ShownList> lists;
    bool helpOnFirstLine = false;
};

// The entry of a hatch list for a rock type, or null.
const HatchListEntry* entryFor(CQuorApp& app, const std::wstring& list, const std::wstring& rockType)
{
    for (auto& [id, hatchList] : app.Tables().hatchLists)
        if (hatchList.GetName() == list)
            return HatchList::FindRockType(hatchList, rockType);
    return nullptr;
}

TEST_F(StartupTest, ShippedConfigurationFillsTheTables)
{
    writeProgramConfiguration(shippedConfiguration());
    Settings(L"Options").writeInt(L"ShowSplash", 0);
    CQuorApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(lists.empty()) << "the shipped configuration loads without a problem";
    EXPECT_TRUE(sandbox.boxes.shown.empty());
    ConfigurationTables& tables = app.Tables();

    // Hatch entries of every kind resolved against the patterns read before them.
    const HatchListEntry* sand = entryFor(app, L"Standard", L"sandstone");
    ASSERT_NE(sand, nullptr);
    EXPECT_EQ(sand->kind, HatchListEntry::Bitmap);
    ASSERT_TRUE(tables.bitmaps.Contains(sand->patternId));
    EXPECT_EQ(tables.bitmaps.Get(sand->patternId).name, L"Sand");
    EXPECT_EQ(tables.bitmaps.Get(sand->patternId).width, 8);
    EXPECT_EQ(tables.bitmaps.Get(sand->patternId).height, 8);
    const HatchListEntry* shale = entryFor(app, L"Standard", L"MUDSTONE");
    ASSERT_NE(shale, nullptr);
    ASSERT_TRUE(tables.vectors.Contains(shale->patternId));
    EXPECT_TRUE(tables.vectors.Get(shale->patternId).compiled);
    EXPECT_EQ(tables.vectors.Get(shale->patternId).elements.size(), 2u);
    const HatchListEntry* conglomerate = entryFor(app, L"Standard", L"CONGLOMERATE");
    ASSERT_NE(conglomerate, nullptr);
    EXPECT_EQ(conglomerate->kind, HatchListEntry::Anivector);
    EXPECT_TRUE(tables.vectors.Contains(conglomerate->patternId));
    const HatchListEntry* coal = entryFor(app, L"Simple", L"COAL");
    ASSERT_NE(coal, nullptr);
    EXPECT_EQ(coal->kind, HatchListEntry::Inbuilt);
    EXPECT_EQ(coal->patternId, 1) << "Black is the first inbuilt pattern";

    // Schemas: the built-in Basic first, then the file's, each with an id of its own.
    std::vector<std::wstring> schemaNames;
    for (const auto& schema : tables.schemas)
        schemaNames.push_back(schema->name);
    EXPECT_EQ(schemaNames, std::vector<std::wstring>({L"Basic", L"Coal", L"Lithology", L"Prolog21"}));
    // Prolog 2.1 records are 25 lines: the schema for them can be chosen and is valid.
    EXPECT_EQ(tables.schemas.back()->fields.size(), 25u);
    EXPECT_TRUE(tables.schemas.back()->has(ORBAX_Logging::SchemaDefinition::Valid));
    EXPECT_NE(tables.schemas.back()->id, tables.schemas.front()->id);

    // Trace definitions in file order; the pattern one matches whole names ignoring case.
    ASSERT_EQ(tables.traceDefinitions.size(), 6u);
    EXPECT_EQ(tables.traceDefinitions[0].name, "GR");
    EXPECT_EQ(tables.traceDefinitions[0].maximum, 150.0);
    const TraceDefinition* sgr = FindTraceDefinition(tables.traceDefinitions, "sgr");
    ASSERT_NE(sgr, nullptr);
    EXPECT_EQ(sgr->pattern, 1);
    EXPECT_FALSE(tables.traceDefinitions[3].visible);

    ASSERT_EQ(tables.correlations.size(), 1u);
    EXPECT_EQ(tables.correlations.begin()->second.name, L"North Field");
    EXPECT_EQ(tables.correlations.begin()->second.seams.size(), 3u);

    // Shutdown empties the tables.
    app.ExitInstance();
    EXPECT_TRUE(tables.hatchLists.empty());
    EXPECT_TRUE(tables.traceDefinitions.empty());
    EXPECT_TRUE(tables.schemas.empty());
    EXPECT_EQ(tables.inbuilts.size(), 6u) << "the inbuilt patterns stay";
}

TEST_F(StartupTest, GoodConfigurationStartsTheMainWindow)
{
    writeProgramConfiguration(kGoodConfiguration);
    CQuorApp app;
    ASSERT_TRUE(app.InitInstance({L"-dev"}));
    EXPECT_TRUE(lists.empty());
    ASSERT_NE(app.GetMainFrame(), nullptr);
    EXPECT_TRUE(app.GetMainFrame()->isVisible());
    // The view shows in the frame's stack of views.
    EXPECT_EQ(app.GetMainFrame()->ViewStack()->currentWidget(), app.GetView());
    EXPECT_TRUE(app.m_developer);
    EXPECT_EQ(app.m_clipboardFormat, "application/x-quorlog-bore-data");
    // First start: the welcome dialog shows once with its box clear, and is not shown again.
    EXPECT_EQ(sandbox.dialogs.shown, std::vector<QString>({"dlg316"}));
    EXPECT_EQ(Settings(L"Options").readInt(L"ShowSplash", 1), 0);
    app.ExitInstance();
}

TEST_F(StartupTest, ApplicationObjectPutsTheGlobalLocaleBack)
{
    const std::locale before;
    {
        CQuorApp app;
        EXPECT_FALSE(std::locale() == before) << "its own message facets are installed";
        EXPECT_EQ(ORBAX_Utilities::get_message_wide(169), L"Error");
    }
    EXPECT_TRUE(std::locale() == before);
}

TEST_F(StartupTest, MissingConfigurationEndsStartupWithoutTheQuestion)
{
    helpOnFirstLine = true;
    CQuorApp app;
    EXPECT_FALSE(app.InitInstance({}));
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].caption, "Errors or warnings occurred while loading the configuration file");
    ASSERT_EQ(lists[0].lines.size(), 1);
    const QString user = QString::fromStdWString((sandbox.userFolder() / "QuorLogConfig.txt").wstring());
    const QString program = QString::fromStdWString((sandbox.programFolder() / "QuorLogConfig.txt").wstring());
    EXPECT_EQ(lists[0].lines[0], "Fatal: Unable to find a configuration file (QuorLogConfig.txt).  The following paths "
                                 "were checked:\n\n" +
                                     user + "\n" + program +
                                     "\n\nFind a configuration file and copy into one of the given paths, or "
                                     "re-install QUOR_Log.");
    EXPECT_EQ(sandbox.help.contexts, std::vector<unsigned>({0x1000 + 30}));
    EXPECT_TRUE(sandbox.boxes.shown.empty());
    EXPECT_EQ(app.GetMainFrame(), nullptr);
    // Only the built-in schema is left.
    ASSERT_EQ(app.Tables().schemas.size(), 1u);
    EXPECT_EQ(app.Tables().schemas.front()->name, L"Basic");

    app.ExitInstance();
    EXPECT_FALSE(Settings(L"Options").contains(L"SaveSettings")) << "a failed start-up writes no settings";
}

TEST_F(StartupTest, BrokenConfigurationOffersToEditTheUsersCopy)
{
    writeProgramConfiguration("Not a configuration\n");
    sandbox.boxes.answers = {MessageResult::Yes};
    CQuorApp app;
    EXPECT_FALSE(app.InitInstance({}));
    ASSERT_EQ(lists.size(), 1u);
    std::wstring programFile = (sandbox.programFolder() / "QuorLogConfig.txt").wstring();
    EXPECT_EQ(lists[0].lines, QStringList({"Error: " + QString::fromStdWString(programFile) +
                                           " does not appear to be a configuration file (needs to start with "
                                           "Quorlog Configuration v3)"}));
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_NE(sandbox.boxes.shown[0].text.find(L"(" + programFile + L") that prevents"), std::wstring::npos);
    EXPECT_EQ(sandbox.boxes.shown[0].buttons, ORBAX_Platform::MessageButtons::YesNo);

    // Yes: the program folder's file is copied to the user's folder, which the next start reads.
    std::filesystem::path user = sandbox.userFolder() / "QuorLogConfig.txt";
    ASSERT_EQ(sandbox.shell.files, std::vector<std::wstring>({user.wstring()}));
    EXPECT_EQ(QuorTest::read_file(user), "Not a configuration\n");
    app.ExitInstance();
    EXPECT_FALSE(Settings(L"Options").contains(L"SaveSettings"));

    // The user mends the copy; the next start reads it and not the program folder's file.
    QuorTest::write_file(user, kNamedConfiguration);
    lists.clear();
    Settings(L"Options").writeInt(L"ShowSplash", 0);
    CQuorApp again;
    ASSERT_TRUE(again.InitInstance({}));
    EXPECT_TRUE(lists.empty());
    EXPECT_EQ(again.Tables().hatchLists.size(), 2u);
    again.ExitInstance();
}

TEST_F(StartupTest, ErrorsInsideTheFileAreListedWithTheirLines)
{
    // A hatch entry naming a missing bitmap is a warning; an unknown section word ends the read.
    writeUserConfiguration("Quorlog Configuration v3\n"
                           "Definitions {\n"
                           "   Standard {\n"
                           "      Bitmap Sand { SANDSTONE }\n"
                           "   }\n"
                           "}\n"
                           "Bitmap { Sand mono 4 \"0xA 0x5\" }\n");
    helpOnFirstLine = true;
    CQuorApp app;
    EXPECT_FALSE(app.InitInstance({}));
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].caption, "Errors or warnings occurred while loading the configuration file");
    EXPECT_EQ(
        lists[0].lines,
        QStringList({"Warning: In the Standard hatch list, the bitmap name for the \"SANDSTONE\" rocktype element "
                     "(Sand) does not exist in the list of bitmaps (line 4)",
                     "Error: Unrecognised section \"Bitmap\" in configuration file on line 7"}));
    EXPECT_EQ(sandbox.help.contexts, std::vector<unsigned>({0x1006u}));
    // The question names the user's file, and No leaves everything as it was.
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_NE(sandbox.boxes.shown[0].text.find((sandbox.userFolder() / "QuorLogConfig.txt").wstring()),
              std::wstring::npos);
    EXPECT_TRUE(sandbox.shell.files.empty());
    EXPECT_EQ(app.GetMainFrame(), nullptr);
}

TEST_F(StartupTest, WarningsShowTheListAndStartupGoesOn)
{
    writeProgramConfiguration("Quorlog Configuration v3\nDefinitions { Standard { Inbuilt Purple { SHALE } } }\n");
    Settings(L"Options").writeInt(L"ShowSplash", 0);
    CQuorApp app;
    EXPECT_TRUE(app.InitInstance({}));
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].lines,
              QStringList({"Warning: In the Standard hatch list, the inbuilt name for the \"SHALE\" "
                           "rocktype element (Purple) does not exist in the list of inbuilts (line 2)"}));
    EXPECT_TRUE(sandbox.boxes.shown.empty());
    ASSERT_NE(app.GetMainFrame(), nullptr);
    EXPECT_TRUE(app.GetMainFrame()->isVisible());
    app.ExitInstance();
}

TEST_F(StartupTest, BrokenExplicitConfigurationIsTheFileEdited)
{
    writeProgramConfiguration(kGoodConfiguration);
    std::filesystem::path mine = sandbox.file("mine.txt");
    QuorTest::write_file(mine, "Quorlog Configuration v2\r\n");
    sandbox.boxes.answers = {MessageResult::Yes};
    CQuorApp app;
    EXPECT_FALSE(app.InitInstance({L"-c:" + mine.wstring()}));
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].lines, QStringList({"Error: Wrong version of configuration file for this version of QuorLog "
                                           "(Quorlog Configuration v2)"}));
    EXPECT_EQ(sandbox.shell.files, std::vector<std::wstring>({mine.wstring()}));
    EXPECT_FALSE(std::filesystem::exists(sandbox.userFolder() / "QuorLogConfig.txt"));
}

TEST_F(StartupTest, AnsweringNoOpensNothing)
{
    writeProgramConfiguration("garbage");
    sandbox.boxes.answers = {MessageResult::No};
    CQuorApp app;
    EXPECT_FALSE(app.InitInstance({}));
    EXPECT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_TRUE(sandbox.shell.files.empty());
}

TEST_F(StartupTest, ClientModeReadsOnlyTheProgramFolder)
{
    writeProgramConfiguration(kNamedConfiguration);
    writeUserConfiguration("broken");
    std::filesystem::path mine = sandbox.file("mine.txt");
    QuorTest::write_file(mine, "broken");
    sandbox.setClientMode(1);
    Settings(L"Options").writeInt(L"ShowSplash", 0);
    CQuorApp app;
    EXPECT_TRUE(app.InitInstance({L"-c:" + mine.wstring()}));
    EXPECT_TRUE(app.ClientMode());
    EXPECT_TRUE(lists.empty());
    EXPECT_EQ(app.Tables().hatchLists.size(), 2u);
    app.ExitInstance();
}

TEST_F(StartupTest, ClientModeWithoutAProgramFolderFileListsOnlyThatPath)
{
    writeUserConfiguration(kGoodConfiguration);
    sandbox.setClientMode(1);
    CQuorApp app;
    EXPECT_FALSE(app.InitInstance({}));
    ASSERT_EQ(lists.size(), 1u);
    ASSERT_EQ(lists[0].lines.size(), 1);
    EXPECT_TRUE(lists[0].lines[0].contains(
        QString::fromStdWString((sandbox.programFolder() / "QuorLogConfig.txt").wstring()) + "\n\nFind"));
    EXPECT_FALSE(lists[0].lines[0].contains(QString::fromStdWString(sandbox.userFolder().wstring())));
    EXPECT_TRUE(sandbox.boxes.shown.empty());
}

TEST_F(StartupTest, ClientModeAcceptsOnlyTheNumberOne)
{
    writeProgramConfiguration(kGoodConfiguration);
    for (const QVariant& value : {QVariant(2), QVariant(QStringLiteral("yes")), QVariant(0)}) {
        sandbox.setClientMode(value);
        CQuorApp app;
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_FALSE(app.ClientMode()) << value.toString().toStdString();
        app.ExitInstance();
    }
}

TEST_F(StartupTest, BrokenConfigurationInClientModeAsksNothing)
{
    writeProgramConfiguration("garbage");
    sandbox.setClientMode(1);
    CQuorApp app;
    EXPECT_FALSE(app.InitInstance({}));
    EXPECT_EQ(lists.size(), 1u);
    EXPECT_TRUE(sandbox.boxes.shown.empty());
}

TEST_F(StartupTest, RelativeExplicitFileIsTheProgramFoldersAndIsTheFileEdited)
{
    QuorTest::write_file(sandbox.programFolder() / "alternative.txt", "Quorlog Configuration v2\n");
    sandbox.boxes.answers = {MessageResult::Yes};
    CQuorApp app;
    EXPECT_FALSE(app.InitInstance({L"-c:alternative.txt"}));
    const std::wstring full = (sandbox.programFolder() / "alternative.txt").wstring();
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_NE(sandbox.boxes.shown[0].text.find(L"(" + full + L")"), std::wstring::npos);
    EXPECT_EQ(sandbox.shell.files, std::vector<std::wstring>({full}));
}

TEST_F(StartupTest, MissingExplicitFileEndsWithoutTheQuestion)
{
    writeProgramConfiguration(kGoodConfiguration);
    CQuorApp app;
    EXPECT_FALSE(app.InitInstance({L"-c:" + sandbox.file("absent.txt").wstring()}));
    ASSERT_EQ(lists.size(), 1u);
    ASSERT_EQ(lists[0].lines.size(), 1);
    EXPECT_TRUE(lists[0].lines[0].startsWith("Error: Unable to open " +
                                             QString::fromStdWString(sandbox.file("absent.txt").wstring())));
    EXPECT_TRUE(sandbox.boxes.shown.empty());
}

// Start-up's decision on a list of problems, whatever made them.
class ReportingApp : public CQuorApp {
public:
    using CQuorApp::ReportConfigurationProblems;
};

TEST_F(StartupTest, CancelledOrLevelZeroProblemsShowNothing)
{
    ReportingApp app;
    ErrorEntries problems;
    addErrorEntry(L"Operation cancelled by user", problems, 0x10017);
    addErrorEntry(L"noted", problems, 0x00005);
    EXPECT_TRUE(app.ReportConfigurationProblems(problems, L"/somewhere/QuorLogConfig.txt"));
    EXPECT_TRUE(lists.empty());
    // A fatal cancellation is not shown, yet it still ends start-up.
    addErrorEntry(L"Operation cancelled by user", problems, 0x40017);
    EXPECT_FALSE(app.ReportConfigurationProblems(problems, L"/somewhere/QuorLogConfig.txt"));
    EXPECT_TRUE(lists.empty());
}

TEST_F(StartupTest, SettingsWrittenAtExitAreReadBack)
{
    writeProgramConfiguration(shippedConfiguration());
    Settings(L"Options").writeInt(L"ShowSplash", 0);
    std::uint32_t coal = 0;
    std::uint32_t lithology = 0;
    {
        CQuorApp app;
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_TRUE(app.m_saveSettings);
        EXPECT_TRUE(app.m_saveBackups);
        EXPECT_TRUE(app.m_alwaysAskSchema);
        EXPECT_TRUE(app.m_csvAlwaysAsk);
        EXPECT_EQ(app.m_csvOptions.schemaId, 0u) << "nothing stored yet";
        app.m_saveBackups = false;
        app.m_alwaysAskSchema = false;
        app.m_csvAlwaysAsk = false;
        app.m_defaultSchema = L"Coal";
        coal = static_cast<std::uint32_t>(ORBAX_Logging::findSchemaByName(app.Tables().schemas, L"Coal")->id);
        lithology = static_cast<std::uint32_t>(ORBAX_Logging::findSchemaByName(app.Tables().schemas, L"Lithology")->id);
        app.m_csvOptions.schemaId = coal;
        app.m_csvOptions.headingRows = 2;
        app.m_csvOptions.suppress100Percent = true;
        app.m_csvOptions.intervalRockType = L"GAP \x00C9";
        app.m_prologOptions.schemaId = lithology;
        app.m_prolog4Options.schemaId = coal;
        app.m_prolog4Options.deduce = false;
        app.AddToRecentFileList(L"/data/a.hole");
        app.AddToRecentFileList(L"/data/b.hole");
        app.AddToRecentFileList(L"/data/a.hole");
        app.GetMainFrame()->close();
        app.ExitInstance();
    }
    EXPECT_FALSE(Settings(L"Options").readBinary(L"WindowPlacement").empty());
    // The format records keep their schema by name in the profile.
    EXPECT_EQ(Settings(L"CSVOptions").readString(L"Schema", L""), L"Coal");
    EXPECT_EQ(Settings(L"PrologOptions").readString(L"Schema", L""), L"Lithology");
    EXPECT_EQ(Settings(L"CSVOptions").readInt(L"AlwaysAsk", 1), 0);
    EXPECT_FALSE(Settings(L"Prolog4Options").contains(L"AlwaysAsk"));

    CQuorApp again;
    ASSERT_TRUE(again.InitInstance({}));
    EXPECT_FALSE(again.m_saveBackups);
    EXPECT_FALSE(again.m_alwaysAskSchema);
    EXPECT_FALSE(again.m_csvAlwaysAsk);
    EXPECT_TRUE(again.m_prologAlwaysAsk);
    EXPECT_EQ(again.m_defaultSchema, L"Coal");
    EXPECT_EQ(again.GetRecentFiles(), std::vector<std::wstring>({L"/data/a.hole", L"/data/b.hole"}));
    // Read back by name against this run's schemas.
    const auto& schemas = again.Tables().schemas;
    EXPECT_EQ(again.m_csvOptions.schemaId,
              static_cast<std::uint32_t>(ORBAX_Logging::findSchemaByName(schemas, L"Coal")->id));
    EXPECT_EQ(again.m_csvOptions.headingRows, 2);
    EXPECT_TRUE(again.m_csvOptions.suppress100Percent);
    EXPECT_EQ(again.m_csvOptions.intervalRockType, L"GAP \x00C9");
    EXPECT_EQ(again.m_prologOptions.schemaId,
              static_cast<std::uint32_t>(ORBAX_Logging::findSchemaByName(schemas, L"Lithology")->id));
    EXPECT_EQ(again.m_prolog4Options.schemaId, again.m_csvOptions.schemaId);
    EXPECT_FALSE(again.m_prolog4Options.deduce);
    EXPECT_NO_THROW(again.m_csvOptions.toOptionsData(schemas, again.m_saveBackups));
    again.ExitInstance();
}

TEST_F(StartupTest, SiteAndHatchListAreFoundByExactName)
{
    writeProgramConfiguration(kNamedConfiguration);
    Settings options(L"Options");
    options.writeInt(L"ShowSplash", 0);
    options.writeString(L"CorrelationSite", L"Main");
    options.writeString(L"HatchList", L"standard");
    options.sync();
    {
        CQuorApp app;
        ASSERT_TRUE(app.InitInstance({}));
        ASSERT_NE(app.GetCorrelationSite(), nullptr);
        EXPECT_EQ(app.GetCorrelationSite()->GetName(), L"Main");
        EXPECT_EQ(app.GetHatchList(), nullptr) << "the name differs in case";
        app.ExitInstance();
    }
    // No current hatch list: the stored name is left alone.
    EXPECT_EQ(Settings(L"Options").readString(L"HatchList", L""), L"standard");
    EXPECT_EQ(Settings(L"Options").readString(L"CorrelationSite", L""), L"Main");

    Settings(L"Options").writeString(L"HatchList", L"Standard");
    CQuorApp again;
    ASSERT_TRUE(again.InitInstance({}));
    ASSERT_NE(again.GetHatchList(), nullptr);
    EXPECT_EQ(again.GetHatchList()->GetName(), L"Standard");
    again.ExitInstance();
}

TEST_F(StartupTest, EditedConfigurationIsCheckedAndSavedToTheUsersFolder)
{
    writeProgramConfiguration(kNamedConfiguration);
    Settings(L"Options").writeInt(L"ShowSplash", 0);
    {
        CQuorApp app;
        ASSERT_TRUE(app.InitInstance({}));
        // What an editor's OK does: change a table, flag the change, check.
        HatchList& standard = app.Tables().hatchLists.FindOrCreate(std::wstring(L"Standard"));
        standard.entries.emplace_back(HatchListEntry::Bitmap, L"Missing", L"SAND");
        app.Configuration().configurationModified = true;
        app.ValidateHatchLists();
        ASSERT_EQ(lists.size(), 1u);
        EXPECT_EQ(lists[0].caption, "Errors or warnings occurred");
        EXPECT_EQ(lists[0].lines, QStringList({"Warning: In the Standard hatch list, the bitmap name for the \"SAND\" "
                                               "rocktype element (Missing) does not exist in the list of bitmaps."}));
        EXPECT_FALSE(app.Configuration().configurationModified);
        app.ExitInstance();
    }
    // The next start reads the user's saved file, with the added entry.
    ASSERT_TRUE(std::filesystem::exists(sandbox.userFolder() / "QuorLogConfig.txt"));
    lists.clear();
    CQuorApp again;
    ASSERT_TRUE(again.InitInstance({}));
    ASSERT_NE(entryFor(again, L"Standard", L"sand"), nullptr);
    EXPECT_EQ(entryFor(again, L"Standard", L"sand")->patternName, L"Missing");
    ASSERT_EQ(lists.size(), 1u) << "the unresolved entry is reported again at start-up";
    again.ExitInstance();
}

// An editor's OK under -c writes that file, which the next start with the same -c reads, and the
// edit-file button opens it; a file that may not be written is refused by name, left as it was, and
// the edits wait in the tables for the next OK.
TEST_F(StartupTest, EditsUnderTheConfigurationOptionGoToThatFile)
{
    writeProgramConfiguration(kGoodConfiguration);
    Settings(L"Options").writeInt(L"ShowSplash", 0);
    const std::filesystem::path mine = sandbox.file("mine.txt");
    QuorTest::write_file(mine, kNamedConfiguration);
    auto acceptSeam = [](CQuorApp& app, const wchar_t* seam) {
        app.Tables().correlations.begin()->second.seams.emplace_back(seam);
        app.Configuration().configurationModified = true;
        app.ValidateHatchLists();
    };
    CQuorApp first;
    ASSERT_TRUE(first.InitInstance({L"-c:" + mine.wstring()}));
    acceptSeam(first, L"Lower");
    first.EditConfigurationFile();
    first.ExitInstance();
    EXPECT_EQ(sandbox.shell.files, std::vector<std::wstring>({mine.wstring()}));
    EXPECT_FALSE(std::filesystem::exists(sandbox.userFolder() / "QuorLogConfig.txt"));
    EXPECT_EQ(QuorTest::read_file(mine.string() + ".backup"), kNamedConfiguration);

    std::filesystem::permissions(mine, std::filesystem::perms::owner_read);
    const std::string kept = QuorTest::read_file(mine);
    CQuorApp second;
    ASSERT_TRUE(second.InitInstance({L"-c:" + mine.wstring()}));
    EXPECT_EQ(second.Tables().correlations.begin()->second.seams.back().name, L"Lower");
    acceptSeam(second, L"Base");
    const QString name = QString::fromStdString(mine.string());
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].lines.value(0), "Error: Unable to open " + name + "\n(Permission denied)");
    EXPECT_TRUE(lists[0].lines.value(1).startsWith("Info: The changes stay in use until QUOR_Log closes, but they "
                                                   "are not saved in " +
                                                   name + ", where the next start looks"));
    EXPECT_EQ(QuorTest::read_file(mine), kept);
    std::filesystem::permissions(mine, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    second.ValidateHatchLists();
    EXPECT_NE(QuorTest::read_file(mine).find("Base"), std::string::npos);
    second.ExitInstance();
}

TEST_F(StartupTest, SaveSettingsOffWritesOnlyItself)
{
    writeProgramConfiguration(kGoodConfiguration);
    Settings options(L"Options");
    options.writeInt(L"ShowSplash", 0);
    options.writeInt(L"SaveSettings", 0);
    options.writeString(L"DefaultSchema", L"kept");
    options.sync();
    CQuorApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_FALSE(app.m_saveSettings);
    app.m_defaultSchema = L"changed";
    app.GetMainFrame()->close();
    app.ExitInstance();
    Settings after(L"Options");
    EXPECT_EQ(after.readInt(L"SaveSettings", 1), 0);
    EXPECT_EQ(after.readString(L"DefaultSchema", L""), L"kept");
    EXPECT_FALSE(after.contains(L"SaveBackups"));
    EXPECT_FALSE(after.contains(L"WindowPlacement"));
}

TEST_F(StartupTest, WindowPlacementThatDoesNotRestoreIsIgnored)
{
    writeProgramConfiguration(kGoodConfiguration);
    Settings options(L"Options");
    options.writeInt(L"ShowSplash", 0);
    options.writeBinary(L"WindowPlacement", std::vector<std::uint8_t>(44, 0xAB));
    options.sync();
    CQuorApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(app.GetMainFrame()->isVisible());
    EXPECT_TRUE(app.GetMainFrame()->isMaximized());
    app.ExitInstance();
}

TEST_F(StartupTest, EditingTheConfigurationNeverOverwritesTheUsersCopy)
{
    writeProgramConfiguration(kGoodConfiguration);
    writeUserConfiguration("the user's own\n");
    CQuorApp app;
    app.Configuration().userFolder = sandbox.userFolder();
    app.Configuration().programFolder = sandbox.programFolder();
    app.EditConfigurationFile();
    const std::filesystem::path user = sandbox.userFolder() / "QuorLogConfig.txt";
    EXPECT_EQ(QuorTest::read_file(user), "the user's own\n");
    EXPECT_EQ(sandbox.shell.files, std::vector<std::wstring>({user.wstring()}));
    EXPECT_TRUE(lists.empty());
}

TEST_F(StartupTest, EditingTheConfigurationListsEveryFailedStep)
{
    // A file where the user's folder should be: the folder cannot be made, the copy cannot be
    // written, and the desktop cannot open what is not there.
    QuorTest::write_file(sandbox.userFolder(), "in the way");
    sandbox.shell.succeed = false;
    CQuorApp app;
    app.Configuration().userFolder = sandbox.userFolder();
    app.Configuration().programFolder = sandbox.programFolder();
    app.EditConfigurationFile();
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].caption, "Errors or warnings occurred");
    ASSERT_EQ(lists[0].lines.size(), 3);
    const QString folder = QString::fromStdWString(sandbox.userFolder().wstring());
    const QString user = QString::fromStdWString((sandbox.userFolder() / "QuorLogConfig.txt").wstring());
    const QString program = QString::fromStdWString((sandbox.programFolder() / "QuorLogConfig.txt").wstring());
    EXPECT_TRUE(lists[0].lines[0].startsWith("Error: Error creating directory \"" + folder + "\".\n"));
    EXPECT_TRUE(lists[0].lines[0].endsWith("."));
    EXPECT_TRUE(lists[0].lines[1].startsWith("Error: Error copying file from " + program + " to " + user + "\n"));
    EXPECT_TRUE(lists[0].lines[1].endsWith("."));
    EXPECT_EQ(lists[0].lines[2], "Error: Unable to open " + user + "\n(No such file or directory)");
    EXPECT_EQ(QuorTest::read_file(sandbox.userFolder()), "in the way");
}

TEST_F(StartupTest, ReleaseNotesFailureIsReported)
{
    writeProgramConfiguration(kGoodConfiguration);
    Settings(L"Options").writeInt(L"ShowSplash", 0);
    CQuorApp app;
    ASSERT_TRUE(app.InitInstance({}));
    sandbox.shell.succeed = false;
    app.OnReleaseNotes();
    std::wstring notes = (sandbox.programFolder() / "ReleaseNotes.txt").wstring();
    EXPECT_EQ(sandbox.shell.files, std::vector<std::wstring>({notes}));
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, L"Unable to open " + notes + L"\n(No such file or directory)");
    app.ExitInstance();
}

TEST_F(StartupTest, HelpWithNoPagesInstalledSaysSoAndNamesTheFolder)
{
    writeProgramConfiguration(kGoodConfiguration);
    CQuorApp app;
    ASSERT_TRUE(app.InitInstance({}));
    ORBAX_Platform::setHelpService(nullptr); // the program's own, over a program folder without pages
    app.OnHelpTopics();
    const ErrorEntries none;
    CErrorList list(none);
    list.OnHelp();
    ASSERT_EQ(sandbox.boxes.shown.size(), 2u);
    for (const auto& box : sandbox.boxes.shown)
        EXPECT_EQ(box.text, L"No help pages are installed. QUOR_Log looks for them in the folder\n" +
                                (sandbox.programFolder() / "help").wstring());
    app.ExitInstance();
}

// A pipe where the configuration is found ends start-up as an unreadable one and takes no save; a pipe
// as the profile gives a warning and is left alone; a pipe as the guide never reaches the desktop.
TEST_F(StartupTest, FilesTheProgramFindsAreReadOnlyWhenRegular)
{
    writeProgramConfiguration(kGoodConfiguration);
    const std::filesystem::path configuration = sandbox.userFolder() / "QuorLogConfig.txt";
    const std::filesystem::path profile = sandbox.file("profile-user") / "ORBAX" / "QUOR_Log 3.0.conf";
    const std::filesystem::path guide = sandbox.programFolder() / "Guide.pdf";
    auto notRegular = [](const std::filesystem::path& file) {
        return "Unable to open " + QString::fromStdString(file.string()) + "\n(It is not a regular file; a pipe, " +
               "device or folder in its place is not read and is left alone.)";
    };
    for (const auto& folder : {sandbox.userFolder(), profile.parent_path()})
        std::filesystem::create_directories(folder);
    ASSERT_EQ(::mkfifo(configuration.c_str(), 0600), 0);
    EXPECT_FALSE(CQuorApp().InitInstance({}));
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].lines, QStringList{"Error: " + notRegular(configuration)});
    std::filesystem::remove(configuration);
    ASSERT_EQ(::mkfifo(profile.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(guide.c_str(), 0600), 0);
    CQuorApp app;
    ASSERT_TRUE(app.InitInstance({}));
    app.OnGettingStartedGuide();
    EXPECT_TRUE(sandbox.shell.files.empty());
    ASSERT_EQ(::mkfifo(configuration.c_str(), 0600), 0);
    app.SaveConfiguration();
    EXPECT_EQ(lists.back().lines.front(), "Error: " + notRegular(configuration));
    app.ExitInstance();
    ASSERT_EQ(sandbox.boxes.shown.size(), 2u);
    EXPECT_EQ(QString::fromStdWString(sandbox.boxes.shown[0].text), notRegular(profile));
    EXPECT_EQ(QString::fromStdWString(sandbox.boxes.shown[1].text), notRegular(guide));
    EXPECT_TRUE(std::filesystem::is_fifo(profile));
}

// A program folder and a profile folder whose names are not UTF-8 (a Latin-1 name from an older disk)
// are used under their own names: the profile's missing folders are made there and it is written and
// read there, the help pages are found there and handed on by their bytes, and the bitmap editor's
// prompt starts there. Nothing is made under a name with U+FFFD in place of the byte.
TEST_F(StartupTest, FoldersWhoseNamesAreNotUtf8AreUsedUnderTheirOwnNames)
{
    const std::filesystem::path program = sandbox.file("prog\xE9");
    const std::filesystem::path profile = sandbox.file("pro\xE9") / "config";
    std::filesystem::create_directories(program / "help");
    QuorTest::write_file(program / "QuorLogConfig.txt",
                         std::string(kNamedConfiguration) + "Bitmaps { Photo rgb \"photo.png\" }\n");
    QuorTest::write_file(program / "help" / "index.htm", "<p>Contents</p>");
    Settings::SetProgramFolder(program);
    Settings::SetProfileFolders(profile, sandbox.file("profile-system"));
    {
        CQuorApp app;
        ASSERT_TRUE(app.InitInstance({}));
        ORBAX_Platform::setHelpService(nullptr);
        app.OnHelpTopics();
        EXPECT_TRUE(sandbox.boxes.shown.empty()) << "the pages are there";
        app.SetCurrentHatchList(app.m_tables.hatchLists.begin()->first);
        ORBAX_Platform::ScriptedFilePrompts prompts;
        ORBAX_Platform::ScopedFilePrompts installed(prompts);
        CBitmapEditor(app.m_tables.bitmaps).findChild<QPushButton*>(QStringLiteral("id1268"))->click();
        std::wstring start;
        EXPECT_TRUE(!prompts.folders.empty() && ORBAX_Platform::name_from_qt(prompts.folders[0], start));
        EXPECT_EQ(start, ORBAX_Platform::wide_from_path(program / "photo.png"));
        app.ExitInstance();
    }
    EXPECT_NE(QuorTest::read_file(profile / "ORBAX" / "QUOR_Log 3.0.conf").find("HatchList=Other"), std::string::npos);
    EXPECT_EQ(Settings(L"Options").readString(L"HatchList", L""), L"Other");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(sandbox.file("")))
        EXPECT_EQ(entry.path().native().find("\xEF\xBF\xBD"), std::string::npos) << entry.path();
    const std::wstring page = ORBAX_Platform::wide_from_path(program / "help" / "a b(1)#%.htm");
    EXPECT_EQ(ORBAX_Platform::name_from_url(ORBAX_Platform::url_from_name(page)), page);
}

} // namespace
