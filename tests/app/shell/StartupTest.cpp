#include <gtest/gtest.h>

#include <QCheckBox>
#include <QSettings>

#include "AppTestSupport.h"
#include "ErrorList.h"
#include "MainFrame.h"
#include "QuorApp.h"
#include "QuorView.h"

namespace {

using ORBAX_Platform::MessageResult;
using ORBAX_Platform::Settings;

const char* const kGoodConfiguration = "Quorlog Configuration v3\n# nothing else\n";

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
            }
        };
    }

    void writeProgramConfiguration(const std::string& text)
    {
        QuorTest::write_file(sandbox.programFolder() / "QuorLogConfig.txt", text);
    }

    AppTest::Sandbox sandbox;
    std::vector<ShownList> lists;
};

TEST_F(StartupTest, GoodConfigurationStartsTheMainWindow)
{
    writeProgramConfiguration(kGoodConfiguration);
    CQuorApp app;
    ASSERT_TRUE(app.InitInstance({L"-dev"}));
    EXPECT_TRUE(lists.empty());
    ASSERT_NE(app.GetMainFrame(), nullptr);
    EXPECT_TRUE(app.GetMainFrame()->isVisible());
    EXPECT_EQ(app.GetMainFrame()->centralWidget(), app.GetView());
    EXPECT_TRUE(app.m_developer);
    EXPECT_EQ(app.m_clipboardFormat, "application/x-quorlog-bore-data");
    // First start: the welcome dialog shows once with its box clear, and is not shown again.
    EXPECT_EQ(sandbox.dialogs.shown, std::vector<QString>({"dlg316"}));
    EXPECT_EQ(Settings(L"Options").readInt(L"ShowSplash", 1), 0);
    app.ExitInstance();
}

TEST_F(StartupTest, MissingConfigurationEndsStartupWithoutTheQuestion)
{
    CQuorApp app;
    EXPECT_FALSE(app.InitInstance({}));
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].caption, "Errors or warnings occurred while loading the configuration file");
    ASSERT_EQ(lists[0].lines.size(), 1);
    EXPECT_TRUE(lists[0].lines[0].startsWith("Fatal: Unable to find a configuration file (QuorLogConfig.txt)."));
    EXPECT_TRUE(lists[0].lines[0].contains(QString::fromStdWString((sandbox.userFolder() / "QuorLogConfig.txt").wstring())));
    EXPECT_TRUE(sandbox.boxes.shown.empty());
    EXPECT_EQ(app.GetMainFrame(), nullptr);

    // Help on the line opens the context of code 30.
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
    ASSERT_EQ(lists[0].lines.size(), 1);
    EXPECT_TRUE(lists[0].lines[0].startsWith("Error: " + QString::fromStdWString(programFile) + " does not appear"));
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_NE(sandbox.boxes.shown[0].text.find(L"(" + programFile + L") that prevents"), std::wstring::npos);
    EXPECT_EQ(sandbox.boxes.shown[0].buttons, ORBAX_Platform::MessageButtons::YesNo);

    // Yes: the program folder's file is copied to the user's folder, which the next start reads.
    std::filesystem::path user = sandbox.userFolder() / "QuorLogConfig.txt";
    ASSERT_EQ(sandbox.shell.files, std::vector<std::wstring>({user.wstring()}));
    EXPECT_EQ(QuorTest::read_file(user), "Not a configuration\n");
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
    writeProgramConfiguration(kGoodConfiguration);
    std::filesystem::path mine = sandbox.file("mine.txt");
    QuorTest::write_file(mine, "broken");
    sandbox.setClientMode(1);
    CQuorApp app;
    EXPECT_TRUE(app.InitInstance({L"-c:" + mine.wstring()}));
    EXPECT_TRUE(app.m_clientMode);
    EXPECT_TRUE(lists.empty());
    app.ExitInstance();
}

TEST_F(StartupTest, ClientModeAcceptsOnlyTheNumberOne)
{
    writeProgramConfiguration(kGoodConfiguration);
    for (const QVariant& value : {QVariant(2), QVariant(QStringLiteral("yes")), QVariant(0)}) {
        sandbox.setClientMode(value);
        CQuorApp app;
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_FALSE(app.m_clientMode) << value.toString().toStdString();
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

// A loader that reports what the test asks for, so that the start-up's decisions can be seen alone.
class ScriptedLoaderApp : public CQuorApp {
public:
    ErrorEntries problems;
    void LoadConfiguration(ErrorEntries& out, std::wstring& path) override
    {
        m_correlationDefinitions.Insert(CorrelationDefinition(L"Main"));
        m_hatchLists.Insert(HatchList(L"Other"));
        m_hatchLists.Insert(HatchList(L"Standard"));
        out = problems;
        path = L"/somewhere/QuorLogConfig.txt";
    }
};

TEST_F(StartupTest, WarningsShowTheListAndStartupGoesOn)
{
    ScriptedLoaderApp app;
    addErrorEntry(L"In the Standard hatch list ...", app.problems, 0x20006);
    EXPECT_TRUE(app.InitInstance({}));
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].lines, QStringList({"Warning: In the Standard hatch list ..."}));
    app.ExitInstance();
}

TEST_F(StartupTest, CancelledOrLevelZeroProblemsShowNothing)
{
    ScriptedLoaderApp app;
    addErrorEntry(L"Operation cancelled by user", app.problems, 0x10017);
    addErrorEntry(L"noted", app.problems, 0x00005);
    EXPECT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(lists.empty());
    app.ExitInstance();
}

TEST_F(StartupTest, FileThatCannotBeOpenedEndsStartup)
{
    writeProgramConfiguration(kGoodConfiguration);
    CQuorApp app;
    EXPECT_FALSE(app.InitInstance({sandbox.file("absent.hole").wstring()}));
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown[0].text.rfind(L"Unable to open " + sandbox.file("absent.hole").wstring(), 0), 0u);
    app.ExitInstance();
    EXPECT_FALSE(Settings(L"Options").contains(L"SaveSettings"));
}

TEST_F(StartupTest, SettingsWrittenAtExitAreReadBack)
{
    writeProgramConfiguration(kGoodConfiguration);
    Settings(L"Options").writeInt(L"ShowSplash", 0);
    {
        CQuorApp app;
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_TRUE(app.m_saveSettings);
        EXPECT_TRUE(app.m_saveBackups);
        EXPECT_TRUE(app.m_alwaysAskSchema);
        EXPECT_TRUE(app.m_csvAlwaysAsk);
        app.m_saveBackups = false;
        app.m_alwaysAskSchema = false;
        app.m_csvAlwaysAsk = false;
        app.m_defaultSchema = L"Coal seams";
        app.AddToRecentFileList(L"/data/a.hole");
        app.AddToRecentFileList(L"/data/b.hole");
        app.AddToRecentFileList(L"/data/a.hole");
        app.GetMainFrame()->close();
        app.ExitInstance();
    }
    EXPECT_FALSE(Settings(L"Options").readBinary(L"WindowPlacement").empty());
    CQuorApp again;
    ASSERT_TRUE(again.InitInstance({}));
    EXPECT_FALSE(again.m_saveBackups);
    EXPECT_FALSE(again.m_alwaysAskSchema);
    EXPECT_FALSE(again.m_csvAlwaysAsk);
    EXPECT_TRUE(again.m_prologAlwaysAsk);
    EXPECT_EQ(again.m_defaultSchema, L"Coal seams");
    EXPECT_EQ(again.GetRecentFiles(), std::vector<std::wstring>({L"/data/a.hole", L"/data/b.hole"}));
    again.ExitInstance();
}

TEST_F(StartupTest, SiteAndHatchListAreFoundByExactName)
{
    Settings options(L"Options");
    options.writeInt(L"ShowSplash", 0);
    options.writeString(L"CorrelationSite", L"Main");
    options.writeString(L"HatchList", L"standard");
    options.sync();
    {
        ScriptedLoaderApp app;
        ASSERT_TRUE(app.InitInstance({}));
        ASSERT_NE(app.GetCorrelationSite(), nullptr);
        EXPECT_EQ(app.GetCorrelationSite()->GetName(), L"Main");
        EXPECT_EQ(app.GetHatchList(), nullptr) << "the name differs in case";
        app.m_csvOptions.quotingStyle = 2;
        app.m_prolog4Options.deduce = false;
        app.ExitInstance();
    }
    // No current hatch list: the stored name is left alone. The format records round-trip.
    EXPECT_EQ(Settings(L"Options").readString(L"HatchList", L""), L"standard");
    EXPECT_EQ(Settings(L"Options").readString(L"CorrelationSite", L""), L"Main");
    ScriptedLoaderApp again;
    ASSERT_TRUE(again.InitInstance({}));
    EXPECT_EQ(again.m_csvOptions.quotingStyle, 2);
    EXPECT_FALSE(again.m_prolog4Options.deduce);
    again.ExitInstance();
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

} // namespace
