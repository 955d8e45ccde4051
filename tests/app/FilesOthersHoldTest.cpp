// Files the desktop program does not hold alone: a borehole file nobody may write is left as it is by
// Save, Save As and Export, and the files the program finds by itself (its configuration, its
// profile, the guide) are read or opened only when they are regular files, never waited on.
#include <filesystem>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QListWidget>

#include "app/QuorApp.h"
#include "docview/document/QuorDoc.h"
#include "tests/support/AppTestSupport.h"
#include "widgets/dialogs/ErrorList.h"

namespace {

namespace fs = std::filesystem;
using ORBAX_Platform::Settings;

const std::wstring kNotRegular = L"\n(It is not a regular file; a pipe, device or folder found in its place is left "
                                 L"alone.)";

class FilesOthersHold : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(QuorTest::data_file("document/QuorLogConfig.txt"), sandbox.programFolder() / "QuorLogConfig.txt");
        Settings(L"Options").writeInt(L"ShowSplash", 0);
        Settings(L"PrologOptions").writeString(L"Schema", L"Coal");
        Settings(L"PrologOptions").writeInt(L"AlwaysAsk", 0);
        sandbox.dialogs.inspect = [this](QDialog& dialog) {
            if (auto* list = qobject_cast<CErrorList*>(&dialog))
                for (int i = 0; i < list->list()->count(); ++i)
                    listed.push_back(list->list()->item(i)->text().toStdWString());
        };
    }

    AppTest::Sandbox sandbox;
    std::vector<std::wstring> listed;
};

TEST_F(FilesOthersHold, SaveSaveAsAndExportLeaveAFileNobodyMayWrite)
{
    CQuorApp app;
    ASSERT_TRUE(app.InitInstance({}));
    CQuorDoc* doc = app.GetDocument();
    const fs::path file = sandbox.file("east_bore");
    fs::copy_file(QuorTest::data_file("document/east_bore"), file);
    ErrorEntries entries;
    ASSERT_TRUE(doc->openBoreholeByName(0, file.wstring(), entries));
    doc->EditSampleNumber(0, {{1, 1}}, L"S9");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const std::string before = QuorTest::read_file(file);
    const std::wstring denied = L"Unable to open " + file.wstring() + L"\n(Permission denied)";

    doc->saveBorehole(0, entries);
    ORBAX_Platform::ScriptedFilePrompts prompts;
    ORBAX_Platform::ScopedFilePrompts scopedPrompts{prompts};
    prompts.answers.push_back({QString::fromStdWString(file.wstring())});
    prompts.filterAnswers.push_back(2);
    doc->saveBoreholeAs(0, entries);
    ASSERT_EQ(entries.size(), 2u);
    for (const ConfigMessage& entry : entries)
        EXPECT_EQ(entry.text, denied);
    std::wstring message;
    EXPECT_EQ(doc->exportBorehole(0, file.wstring(), false, message), 1);
    EXPECT_EQ(message, denied);
    EXPECT_EQ(QuorTest::read_file(file), before);
    EXPECT_FALSE(fs::exists(file.native() + ".backup"));
    EXPECT_TRUE(doc->IsPaneModified(0));
    app.ExitInstance();
}

// A pipe where the configuration is found stops start-up with its message, as any configuration that
// cannot be read, and is not written into by a save; a pipe as the profile is left alone with a
// warning, and the program starts on the defaults; a pipe as the guide never reaches the desktop.
TEST_F(FilesOthersHold, FilesTheProgramFindsAreReadOnlyWhenRegular)
{
    const fs::path configuration = sandbox.userFolder() / "QuorLogConfig.txt";
    fs::create_directories(sandbox.userFolder());
    ASSERT_EQ(::mkfifo(configuration.c_str(), 0600), 0);
    {
        CQuorApp app;
        EXPECT_FALSE(app.InitInstance({}));
        EXPECT_EQ(listed, std::vector<std::wstring>{L"Error: Unable to open " + configuration.wstring() + kNotRegular});
        EXPECT_TRUE(sandbox.boxes.shown.empty()) << "nothing to edit, so no question";
    }
    fs::remove(configuration);

    const fs::path profile = sandbox.file("profile-user") / "ORBAX" / "QUOR_Log 3.0.conf";
    fs::remove(profile);
    ASSERT_EQ(::mkfifo(profile.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((sandbox.programFolder() / "Guide.pdf").c_str(), 0600), 0);
    CQuorApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_EQ(sandbox.dialogs.shown.back(), "dlg316") << "the welcome screen, as the defaults say";
    app.OnGettingStartedGuide();
    EXPECT_TRUE(sandbox.shell.files.empty());
    ASSERT_EQ(sandbox.boxes.shown.size(), 2u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, L"Unable to open " + profile.wstring() + kNotRegular);
    EXPECT_EQ(sandbox.boxes.shown[1].text,
              L"Unable to open " + (sandbox.programFolder() / "Guide.pdf").wstring() + kNotRegular);
    ASSERT_EQ(::mkfifo(configuration.c_str(), 0600), 0);
    listed.clear();
    app.SaveConfiguration();
    EXPECT_EQ(listed, std::vector<std::wstring>{L"Error: Unable to open " + configuration.wstring() + kNotRegular});
    app.ExitInstance();
    EXPECT_TRUE(fs::is_fifo(profile)) << "the settings are not written over it";
}

} // namespace
