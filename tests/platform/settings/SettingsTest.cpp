// The profile layer: values survive a write and a new reader, absent or unparsable values give the
// defaults, and client mode comes from the machine-wide profile only.
#include <gtest/gtest.h>

#include "platform/settings/Settings.h"
#include "tests/support/TestSupport.h"

using ORBAX_Platform::Settings;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { Settings::SetProfileFolders(m_dir / "user", m_dir / "system"); }
    void TearDown() override { Settings::SetProfileFolders({}, {}); }

    std::filesystem::path userFile() const { return m_dir.path() / "user" / "ORBAX" / "QUOR_Log 3.0.conf"; }

    QuorTest::TempDir m_dir;
};

TEST_F(SettingsTest, ValuesWrittenInASectionAreReadBackByANewObject)
{
    {
        Settings csv(L"CSVOptions");
        csv.writeString(L"Schema", L"Coal \x00E9tude");
        csv.writeInt(L"Escape", 92);
        csv.writeInt(L"Negative", -7);
        csv.writeBinary(L"Blob", {0x00, 0xFF, 0x10, 0x80});
        EXPECT_TRUE(csv.sync());
    }
    ASSERT_TRUE(std::filesystem::exists(userFile()));

    Settings csv(L"CSVOptions");
    EXPECT_EQ(csv.readString(L"Schema", L"none"), L"Coal \x00E9tude");
    EXPECT_EQ(csv.readInt(L"Escape", 0), 92);
    EXPECT_EQ(csv.readInt(L"Negative", 0), -7);
    EXPECT_EQ(csv.readBinary(L"Blob"), (std::vector<std::uint8_t>{0x00, 0xFF, 0x10, 0x80}));

    // Sections are separate: the same key elsewhere is absent.
    Settings prolog(L"PrologOptions");
    EXPECT_FALSE(prolog.contains(L"Schema"));
    EXPECT_EQ(prolog.readString(L"Schema", L"default"), L"default");
}

// A file name that is not UTF-8 reads back as the same name; a profile written before, with its names
// as UTF-8 text, reads as it did.
TEST_F(SettingsTest, FileNamesThatAreNotUtf8ReadBackAsThemselves)
{
    std::filesystem::create_directories(userFile().parent_path());
    QuorTest::write_file(userFile(), "[Recent%20File%20List]\nFile1=/d/\xC3\xA9t\xC3\xA9.csv\n");
    const std::wstring latin1 = ORBAX_Platform::wide_from_name("/d/a\xE9.csv");
    {
        Settings recent(L"Recent File List");
        EXPECT_EQ(recent.readString(L"File1", L""), L"/d/\u00E9t\u00E9.csv");
        recent.writeString(L"File2", latin1);
        EXPECT_TRUE(recent.sync());
    }
    EXPECT_EQ(Settings(L"Recent File List").readString(L"File2", L""), latin1);
}

TEST_F(SettingsTest, AbsentOrUnreadableNumbersGiveTheDefault)
{
    std::filesystem::create_directories(userFile().parent_path());
    QuorTest::write_file(userFile(), "[Options]\nSaveSettings=yes\nSaveBackups=0\nEmpty=\n");
    Settings options(L"Options");
    EXPECT_EQ(options.readInt(L"SaveSettings", 1), 1);
    EXPECT_EQ(options.readInt(L"SaveBackups", 1), 0);
    EXPECT_EQ(options.readInt(L"Empty", 5), 5);
    EXPECT_EQ(options.readInt(L"Missing", 3), 3);
    EXPECT_TRUE(options.readBinary(L"Missing").empty());
}

TEST_F(SettingsTest, ClientModeIsOnOnlyForTheNumberOneInTheMachineProfile)
{
    EXPECT_FALSE(Settings::ClientMode());

    // A user value does not count: the value is machine-wide.
    {
        Settings user;
        user.writeInt(L"ClientMode", 1);
        user.sync();
    }
    EXPECT_FALSE(Settings::ClientMode());

    // QSettings keeps what it has read of a file, so each value gets a profile folder of its own.
    auto clientModeWith = [this](const std::string& name, const std::string& text) {
        const std::filesystem::path system = m_dir.path() / name;
        std::filesystem::create_directories(system / "ORBAX");
        QuorTest::write_file(system / "ORBAX" / "QUOR_Log 3.0.conf", text);
        Settings::SetProfileFolders(m_dir / "user", system);
        return Settings::ClientMode();
    };
    EXPECT_FALSE(clientModeWith("two", "[General]\nClientMode=2\n"));
    EXPECT_FALSE(clientModeWith("text", "[General]\nClientMode=on\n"));
    EXPECT_TRUE(clientModeWith("one", "[General]\nClientMode=1\n"));
}

TEST(SettingsFolders, UserFolderFollowsXdgConfigHomeAndCanBeReplaced)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", "/tmp/xdg-test-home", 1);
    EXPECT_EQ(Settings::UserDataFolder(), std::filesystem::path("/tmp/xdg-test-home/ORBAX/QUOR_Log 3.0"));
    Settings::SetUserDataFolder("/somewhere/else");
    EXPECT_EQ(Settings::UserDataFolder(), std::filesystem::path("/somewhere/else"));
    Settings::SetUserDataFolder({});
    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST(SettingsFolders, ProgramFolderIsTheFolderOfTheRunningProgram)
{
    const std::filesystem::path folder = Settings::ProgramFolder();
    EXPECT_TRUE(std::filesystem::exists(folder / "config_configfile_tests"));
}

} // namespace
