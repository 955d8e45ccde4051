#include <gtest/gtest.h>

#include <filesystem>

#include "core/prolog/Borehole_Prolog.h"
#include "tests/core/prolog/PrologTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Logging;
using namespace PrologTest;

namespace {

std::size_t countLines(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// A canonical version 3.0 file: every value as the writer prints it with 2 decimals.
std::string canonical30()
{
    return lines(
        head("v3.0  entries=10") +
        record30("SANDSTONE", "100", "0.00", "2.00", "2.00", "S001", "Upper", "U1", "1.50", "grey", "2.5", "7") +
        record30("GR\xC8S \x80", "60", "2.00", "3.25", "1.25", "S002", "\xC9tage", "L", "0.80", "buff") +
        record30("COAL", "40", "2.00", "3.25", "1.25", "S002", "\xC9tage", "L", "0.80", "black") +
        record30("IN GENERAL", "100", "2.00", "3.25", "1.25", "S002", "\xC9tage", "L", "0.80", "mixed") +
        record30("SHALE", "100", "3.25", "5.00", "1.75", "", "", "", "0.00"));
}

} // namespace

TEST(PrologWrite, Version30RoundTripKeepsEveryByte)
{
    QuorTest::TempDir dir;
    const std::string original = canonical30();
    QuorTest::write_file(dir / "in.pro", original);
    auto opts = options(schema30());
    LoadMessages messages;
    auto hole = Borehole_Prolog::load((dir / "in.pro").wstring(), opts, messages);
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(hole->size(), 3u);

    Borehole_Prolog::save((dir / "out.pro").wstring(), messages, *hole, opts);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(QuorTest::read_file(dir / "out.pro"), original);
    EXPECT_EQ(hole->name, L"out");
}

TEST(PrologWrite, EveryCodePageByteSurvivesInUnitAndFreeFields)
{
    std::string every;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            every += static_cast<char>(b);
    QuorTest::TempDir dir;
    const std::string original = lines(head("v3.0  entries=10") + record30("COAL", "100", "0.00", "1.00", "1.00", every,
                                                                           "SEAM", every, "0.50", every, every, every));
    QuorTest::write_file(dir / "in.pro", original);
    auto opts = options(schema30());
    LoadMessages messages;
    auto hole = Borehole_Prolog::load((dir / "in.pro").wstring(), opts, messages);
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(hole->size(), 1u);
    Borehole_Prolog::save((dir / "out.pro").wstring(), messages, *hole, opts);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(QuorTest::read_file(dir / "out.pro"), original);
}

TEST(PrologWrite, Version21RecordsAreTwentyFiveLines)
{
    QuorTest::TempDir dir;
    auto schema = schema21();
    Borehole hole(schema);
    for (double bottom : {1.0, 2.5, 4.0})
        hole.appendUnit(bottom);
    hole[1].elements[0].rockType = L"CLAY";
    hole[1].elements[0].values.set(10, L"note");
    hole[1].sample = L"S9";
    auto opts = options(schema);
    opts.formatCode = 1;
    LoadMessages messages;
    Borehole_Prolog::save((dir / "h.pro").wstring(), messages, hole, opts);
    ASSERT_TRUE(messages.empty());
    const std::string text = QuorTest::read_file(dir / "h.pro");
    EXPECT_EQ(countLines(text), 1u + 3u * 25u);
    EXPECT_EQ(text.substr(0, 6), "v2.1\r\n");

    auto back = options(schema);
    auto reread = Borehole_Prolog::load((dir / "h.pro").wstring(), back, messages);
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(reread->size(), 3u);
    EXPECT_EQ((*reread)[1].elements[0].rockType, L"CLAY");
    EXPECT_EQ((*reread)[1].elements[0].values[10], L"note");
    EXPECT_EQ((*reread)[1].sample, L"S9");
    EXPECT_EQ((*reread)[2].bottom, 4.0);
    EXPECT_EQ(back.formatCode, 1);
}

TEST(PrologWrite, UnitWithoutElementsKeepsTheRecordsAligned)
{
    QuorTest::TempDir dir;
    auto schema = schema30();
    Borehole hole(schema);
    hole.appendUnit(1);
    hole.appendUnit(3);
    hole[0].elements.clear(); // a blank unit, as a paste can leave one
    hole[1].elements[0].rockType = L"SILT";
    auto opts = options(schema);
    opts.formatCode = 2;
    LoadMessages messages;
    Borehole_Prolog::save((dir / "b.pro").wstring(), messages, hole, opts);
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(countLines(QuorTest::read_file(dir / "b.pro")), 1u + 2u * 12u);
    auto reread = Borehole_Prolog::load((dir / "b.pro").wstring(), opts, messages);
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(reread->size(), 2u);
    EXPECT_EQ((*reread)[0].elements.at(0).rockType, L"");
    EXPECT_EQ((*reread)[1].elements.at(0).rockType, L"SILT");
    EXPECT_EQ((*reread)[1].bottom, 3.0);
}

TEST(PrologWrite, RefusalsLeaveTheFileAlone)
{
    QuorTest::TempDir dir;
    const auto target = dir / "keep.pro";
    QuorTest::write_file(target, "old content");
    auto schema = schema30();
    Borehole hole(schema);
    hole.appendUnit(2);

    auto opts = options(schema);
    opts.formatCode = 1; // a 12-field schema cannot make a version 2.1 file, and the refusal says why
    LoadMessages messages;
    Borehole_Prolog::save(target.wstring(), messages, hole, opts);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"A Prolog version 2.1 file needs a schema of 25 fields, and schema coal12 has 12.  "
                                L"Choose a schema of 25 fields, or save as version 3.0.");
    EXPECT_EQ(messages[0].severity, 3);

    opts.formatCode = 7;
    messages.clear();
    Borehole_Prolog::save(target.wstring(), messages, hole, opts);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"An internal error occurred.  Save your work and restart QUOR_Log.\n"
                                L"File: Borehole_Prolog, Line 403");
    EXPECT_EQ(messages[0].kind, 11);

    opts = options(nullptr);
    opts.formatCode = 2;
    messages.clear();
    Borehole_Prolog::save(target.wstring(), messages, hole, opts);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 6);

    EXPECT_EQ(QuorTest::read_file(target), "old content");
    EXPECT_FALSE(std::filesystem::exists(dir / "keep.pro.backup"));
    EXPECT_EQ(hole.name, L"<unnamed>");
}

TEST(PrologWrite, BackupsAndFailedSaves)
{
    QuorTest::TempDir dir;
    const auto target = dir / "bh.pro";
    QuorTest::write_file(target, "previous");
    QuorTest::write_file(dir / "bh.pro.backup", "older");
    auto schema = schema30();
    Borehole hole(schema);
    hole.appendUnit(2);
    auto opts = options(schema);
    opts.formatCode = 2;
    LoadMessages messages;
    Borehole_Prolog::save(target.wstring(), messages, hole, opts);
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(QuorTest::read_file(dir / "bh.pro.backup"), "previous");
    EXPECT_EQ(QuorTest::read_file(target).substr(0, 16), "v3.0  entries=10");

    opts.backup = false;
    const std::string current = QuorTest::read_file(target);
    hole.appendUnit(3);
    Borehole_Prolog::save(target.wstring(), messages, hole, opts);
    EXPECT_EQ(QuorTest::read_file(dir / "bh.pro.backup"), "previous");
    EXPECT_NE(QuorTest::read_file(target), current);

    // A backup that cannot be replaced (a folder with something in it) stops the save.
    const auto blocked = dir / "blocked.pro";
    QuorTest::write_file(blocked, "precious");
    std::filesystem::create_directories(dir / "blocked.pro.backup" / "inside");
    opts.backup = true;
    Borehole_Prolog::save(blocked.wstring(), messages, hole, opts);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 7);
    EXPECT_EQ(messages[0].text.rfind(
                  L"Error copying file from " + blocked.wstring() + L" to " + blocked.wstring() + L".backup\n", 0),
              0u);
    EXPECT_EQ(QuorTest::read_file(blocked), "precious");

    messages.clear();
    Borehole_Prolog::save((dir / "no" / "such" / "x.pro").wstring(), messages, hole, opts);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 5);
    EXPECT_EQ(messages[0].text.rfind(L"Unable to open ", 0), 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()),
              4); // no temporary file left behind
}

TEST(PrologWrite, UnsavableCharactersAreWarnedAndReplaced)
{
    QuorTest::TempDir dir;
    auto schema = schema30();
    Borehole hole(schema);
    hole.appendUnit(2);
    hole[0].seam = L"S\u4E2D1";
    hole[0].elements[0].rockType = L"CO\u4E2DAL\u00C9";
    // A line break would shift every later line of the record.
    hole[0].elements[0].values.set(9, L"grey\r\nbrown");
    auto opts = options(schema);
    opts.formatCode = 2;
    LoadMessages messages;
    Borehole_Prolog::save((dir / "w.pro").wstring(), messages, hole, opts);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text, L"The Lithology field in the unit from 0.00 to 2.00 contains characters that "
                                L"cannot be saved with this file format.");
    EXPECT_EQ(messages[0].kind, 4);
    EXPECT_EQ(messages[0].severity, 2);
    EXPECT_NE(messages[1].text.find(L"The Seam field"), std::wstring::npos);
    const std::string text = QuorTest::read_file(dir / "w.pro");
    EXPECT_NE(text.find("\r\nCO?AL\xC9\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nS?1\r\n"), std::string::npos);
    EXPECT_NE(messages[2].text.find(L"The Colour field"), std::wstring::npos);
    EXPECT_NE(text.find("\r\ngrey  brown\r\n"), std::string::npos);
}
