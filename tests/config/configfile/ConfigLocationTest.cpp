// Where the configuration is found, the built-in state every load starts from, where it is saved and
// how the previous file is kept.
#include <gtest/gtest.h>

#include "tests/config/configfile/ConfigTestTables.h"

using namespace ConfigTest;

namespace {

const std::string Minimal = "Quorlog Configuration v3\nBitmaps { Dots mono 4 \"0xA 0x5\" }\n";
const std::string Other = "Quorlog Configuration v3\nBitmaps { Other mono 4 \"0xA 0x5\" }\n";

class ConfigLocation : public ConfigFixture {
protected:
    std::filesystem::path userFile() const { return config.userFolder / "QuorLogConfig.txt"; }
    std::filesystem::path programFile() const { return config.programFolder / "QuorLogConfig.txt"; }
    void writeUserFile(const std::string& text)
    {
        std::filesystem::create_directories(config.userFolder);
        QuorTest::write_file(userFile(), text);
    }
    std::wstring load(ConfigMessageList& messages)
    {
        std::wstring loaded = L"unchanged";
        config.LoadConfiguration(messages, loaded);
        return loaded;
    }
    std::wstring firstBitmapName() const
    {
        return tables.bitmaps.empty() ? std::wstring() : tables.bitmaps.begin()->second.name;
    }
};

TEST_F(ConfigLocation, NoFileLeavesTheBuiltInStateAndListsThePathsTried)
{
    tables.bitmaps.Insert(monoBitmap(L"Old"));
    config.configurationModified = true;
    ConfigMessageList messages;
    EXPECT_EQ(load(messages), L"");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].word(), 0x4001Eu);
    EXPECT_EQ(messages[0].text, L"Unable to find a configuration file (QuorLogConfig.txt).  The following paths were "
                                L"checked:\n\n" +
                                    ORBAX_Platform::wide_from_path(userFile()) + L"\n" +
                                    ORBAX_Platform::wide_from_path(programFile()) +
                                    L"\n\nFind a configuration file and copy into one of the given paths, or "
                                    L"re-install QUOR_Log.");
    EXPECT_TRUE(tables.bitmaps.empty());
    ASSERT_EQ(tables.schemas.size(), 1u);
    const auto& basic = *tables.schemas.front();
    EXPECT_EQ(basic.name, L"Basic");
    using namespace ORBAX_Logging;
    const std::vector<FieldDefinition> fields = {
        {ROCKTYPE, L"Rock type"}, {PERCENTAGE, L"Percentage"}, {BOTTOM, L"Depth"},       {SEAM, L"Seam"}, {PLY, L"Ply"},
        {SAMPLE, L"Sample"},      {RECOVERED, L"Recovered"},   {THICKNESS, L"Thickness"}};
    EXPECT_EQ(basic.fields, fields);
    EXPECT_TRUE(basic.has(SchemaDefinition::Valid));
    EXPECT_NE(basic.id, 0);
}

TEST_F(ConfigLocation, SearchOrderExplicitThenUserThenProgramFolder)
{
    QuorTest::write_file(programFile(), Other);
    ConfigMessageList messages;
    EXPECT_EQ(load(messages), ORBAX_Platform::wide_from_path(programFile()));
    EXPECT_EQ(firstBitmapName(), L"Other");

    writeUserFile(Minimal);
    config.configurationModified = true;
    EXPECT_EQ(load(messages), ORBAX_Platform::wide_from_path(userFile()));
    EXPECT_EQ(firstBitmapName(), L"Dots");
    EXPECT_FALSE(config.configurationModified);
    EXPECT_TRUE(messages.empty()) << describe(messages);

    // An explicit path is read without looking elsewhere, even when it is missing.
    config.explicitPath = ORBAX_Platform::wide_from_path(dir / "missing.txt");
    EXPECT_EQ(load(messages), config.explicitPath);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].word(), 0x30001u);
    EXPECT_EQ(messages[0].text.rfind(L"Unable to open " + config.explicitPath + L"\n(", 0), 0u);
    EXPECT_TRUE(tables.bitmaps.empty());

    // A relative explicit path is taken from the program folder.
    messages.clear();
    config.explicitPath = L"QuorLogConfig.txt";
    EXPECT_EQ(load(messages), L"QuorLogConfig.txt");
    EXPECT_TRUE(messages.empty()) << describe(messages);
    EXPECT_EQ(firstBitmapName(), L"Other");
    // Named so, the installed file is still never written: the user's file takes the save, and says so.
    config.SaveConfiguration(messages);
    EXPECT_EQ(QuorTest::read_file(programFile()), Other);
    EXPECT_NE(QuorTest::read_file(userFile()).find("Other"), std::string::npos);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].word(), 0x20020u);
}

TEST_F(ConfigLocation, ClientModeReadsOnlyTheProgramFolder)
{
    writeUserFile(Minimal);
    config.explicitPath = ORBAX_Platform::wide_from_path(userFile());
    config.clientMode = true;
    ConfigMessageList messages;
    EXPECT_EQ(load(messages), L"");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find(L"checked:\n\n" + ORBAX_Platform::wide_from_path(programFile()) + L"\n\n"),
              std::wstring::npos);
    EXPECT_EQ(messages[0].text.find(ORBAX_Platform::wide_from_path(userFile())), std::wstring::npos);

    QuorTest::write_file(programFile(), Other);
    messages.clear();
    EXPECT_EQ(load(messages), ORBAX_Platform::wide_from_path(programFile()));
    EXPECT_EQ(firstBitmapName(), L"Other");
    // Which is never written, nor a file that client mode does not read.
    config.SaveConfiguration(messages);
    EXPECT_EQ(messages.back().word(), 0x3001Fu);
    EXPECT_EQ(QuorTest::read_file(programFile()), Other);
    EXPECT_EQ(QuorTest::read_file(userFile()), Minimal);
}

TEST_F(ConfigLocation, IdsAreNotReusedAfterAReload)
{
    QuorTest::write_file(programFile(), Minimal);
    ConfigMessageList messages;
    load(messages);
    const int first = tables.bitmaps.begin()->first;
    load(messages);
    EXPECT_GT(tables.bitmaps.begin()->first, first);
}

TEST_F(ConfigLocation, SaveGoesToTheUserFolderAndKeepsTheFirstBackupOfTheRun)
{
    QuorTest::write_file(programFile(), Minimal);
    ConfigMessageList messages;
    load(messages);
    config.configurationModified = true;
    config.SaveConfiguration(messages);
    EXPECT_TRUE(messages.empty()) << describe(messages);
    EXPECT_FALSE(config.configurationModified);
    ASSERT_TRUE(std::filesystem::exists(userFile()));
    // No file was there, so no backup was made and the next save makes one.
    EXPECT_FALSE(config.backedUp);
    EXPECT_FALSE(std::filesystem::exists(userFile().string() + ".backup"));
    EXPECT_EQ(load(messages), ORBAX_Platform::wide_from_path(userFile()));
    const std::string firstSave = QuorTest::read_file(userFile());

    // A configuration the user made private stays private, and so does its backup.
    std::filesystem::permissions(userFile(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    tables.bitmaps.Insert(monoBitmap(L"Second"));
    config.SaveConfiguration(messages);
    EXPECT_TRUE(config.backedUp);
    EXPECT_EQ(QuorTest::read_file(userFile().string() + ".backup"), firstSave);
    for (const std::string& name : {userFile().string(), userFile().string() + ".backup"})
        EXPECT_EQ(std::filesystem::status(name).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
            << name;

    tables.bitmaps.Insert(monoBitmap(L"Third"));
    config.SaveConfiguration(messages);
    EXPECT_TRUE(messages.empty()) << describe(messages);
    EXPECT_EQ(QuorTest::read_file(userFile().string() + ".backup"), firstSave);
    EXPECT_NE(QuorTest::read_file(userFile()).find("Third"), std::string::npos);
    // Nothing but the file and its backup is left in the folder.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(config.userFolder))
        ++files;
    EXPECT_EQ(files, 2);
}

TEST_F(ConfigLocation, SavingThroughALinkedFileKeepsTheLink)
{
    // A user who keeps the configuration elsewhere and links it into the folder keeps the link; the
    // linked file gets the new content and its backup sits beside it.
    std::filesystem::create_directories(config.userFolder);
    const std::filesystem::path kept = dir / "kept" / "QuorLogConfig.txt";
    std::filesystem::create_directories(kept.parent_path());
    QuorTest::write_file(kept, Minimal);
    std::filesystem::create_symlink(kept, userFile());
    ConfigMessageList messages;
    load(messages);
    tables.bitmaps.Insert(monoBitmap(L"Second"));
    config.SaveConfiguration(messages);
    EXPECT_TRUE(messages.empty()) << describe(messages);
    EXPECT_TRUE(std::filesystem::is_symlink(userFile()));
    EXPECT_NE(QuorTest::read_file(kept).find("Second"), std::string::npos);
    EXPECT_EQ(QuorTest::read_file(kept.string() + ".backup"), Minimal);
    EXPECT_FALSE(std::filesystem::exists(userFile().string() + ".backup"));
}

TEST_F(ConfigLocation, AFailedSaveReportsItAndChangesNothing)
{
    // The per-user folder cannot be made: its parent is a file.
    QuorTest::write_file(dir / "blocker", "x");
    config.userFolder = dir / "blocker" / "ORBAX";
    std::vector<ConfigMessageList> shown;
    config.showErrors = [&](const ConfigMessageList& list) { shown.push_back(list); };
    config.configurationModified = true;
    config.ResetConfiguration();
    config.SaveConfiguration();
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_GE(shown[0].size(), 2u);
    EXPECT_EQ(shown[0][0].word(), 0x3002Au);
    EXPECT_EQ(shown[0][0].text.rfind(
                  L"Error creating directory \"" + ORBAX_Platform::wide_from_path(config.userFolder) + L"\".\n", 0),
              0u);
    EXPECT_EQ(shown[0][1].code, 1);
    EXPECT_TRUE(config.configurationModified);
    EXPECT_EQ(QuorTest::read_file(dir / "blocker"), "x");
}

TEST_F(ConfigLocation, CheckReportsUnusableBitmapsAndUnresolvedEntriesAndSavesWhenSettingsAreRemembered)
{
    BitmapPattern missing(L"Photo");
    missing.fileName = L"photo.png";
    BitmapPattern badMono(L"Bad");
    badMono.kind = BitmapPattern::Mono;
    HatchList list(L"Main");
    list.entries.emplace_back(HatchListEntry::Isovector, L"Nowhere", L"SHALE");
    list.entries.emplace_back(HatchListEntry::Inbuilt, L"white", L"CHALK");
    ConfigMessageList messages;
    config.ResetConfiguration();
    tables.bitmaps.Insert(missing);
    tables.bitmaps.Insert(badMono);
    tables.hatchLists.Insert(list);

    std::vector<ConfigMessageList> shown;
    config.showErrors = [&](const ConfigMessageList& l) { shown.push_back(l); };
    config.configurationModified = true;
    // Settings not remembered: checked, not saved.
    EXPECT_EQ(config.ValidateHatchLists(false).size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(userFile()));
    shown.clear();
    messages = config.ValidateHatchLists(true);
    ASSERT_EQ(messages.size(), 3u) << describe(messages);
    EXPECT_EQ(messages[0].word(), 0x20008u);
    EXPECT_EQ(messages[0].text, L"Problem reading the bitmap file \"photo.png\" for bitmap Photo");
    EXPECT_EQ(messages[1].text, L"Problem compiling bitmap Bad");
    EXPECT_EQ(messages[2].word(), 0x20006u);
    EXPECT_EQ(messages[2].text, L"In the Main hatch list, the vector name for the \"SHALE\" rocktype element "
                                L"(Nowhere) does not exist in the list of vectors.");
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_FALSE(config.configurationModified);
    EXPECT_TRUE(std::filesystem::exists(userFile()));
    EXPECT_EQ(tables.hatchLists.begin()->second.entries[1].patternId, 5);
}

TEST(CustomColours, StoredValuesReplaceTheWhiteDefaultsInOrder)
{
    std::uint32_t colours[16];
    LoadCustomColours(colours, {});
    for (std::uint32_t c : colours)
        EXPECT_EQ(c, 0xFFFFFFu);
    // Two whole values and a stray byte.
    LoadCustomColours(colours, {0x11, 0x22, 0x33, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x7F});
    EXPECT_EQ(colours[0], 0x00332211u);
    EXPECT_EQ(colours[1], 0x000000FFu);
    EXPECT_EQ(colours[2], 0xFFFFFFu);
    std::vector<std::uint8_t> many(20 * 4, 0x01);
    LoadCustomColours(colours, many);
    EXPECT_EQ(colours[15], 0x01010101u);
}

} // namespace
