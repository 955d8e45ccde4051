// Reading boreholes from CSV files: heading rows, the three interval-record modes, values by kind,
// messages and the repair read.
#include <gtest/gtest.h>

#include <sstream>

#include <cmath>

#include "core/csv/Borehole_CSV.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Logging;

namespace {

SchemaPtr schemaOf(std::vector<FieldDefinition> fields)
{
    auto schema = std::make_shared<SchemaDefinition>(L"csv", std::move(fields));
    LoadMessages ignored;
    schema->validate(ignored);
    return schema;
}

SchemaPtr rockPercentBottom() { return schemaOf({{ROCKTYPE, L"Rock"}, {PERCENTAGE, L"Pct"}, {BOTTOM, L"Base"}}); }

CSVOptionsData optionsFor(SchemaPtr schema, std::int32_t location = CSVOptionsData::IntervalAfter,
                          std::uint32_t headingRows = 1)
{
    CSVOptionsData options;
    options.schema = std::move(schema);
    options.precision = 3;
    options.intervalLocation = location;
    options.headingRows = headingRows;
    options.intervalRockType = L"IN GENERAL";
    return options;
}

std::unique_ptr<Borehole> readText(const std::string& bytes, CSVOptionsData& options, LoadMessages& messages)
{
    return Borehole_CSV::loadBytes(bytes, L"bore.csv", options, messages);
}

} // namespace

TEST(CsvRead, HeadingRowsAndUnits)
{
    CSVOptionsData options = optionsFor(rockPercentBottom());
    LoadMessages messages;
    auto borehole = readText("Rock,Pct,Base\nSAND,100,10\nCLAY,100,12\n\nLOST,100,20\n", options, messages);
    // The empty line ends the data, and the user is told that rows after it are not read.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].severity, SeverityWarning);
    EXPECT_EQ(messages[0].text, L"The empty line 4 ends the data; the lines after it are not read.");
    ASSERT_EQ(borehole->size(), 2u);
    EXPECT_DOUBLE_EQ((*borehole)[0].bottom, 10.0);
    EXPECT_DOUBLE_EQ((*borehole)[1].thickness, 2.0);
    EXPECT_EQ(options.formatCode, 5);
    EXPECT_EQ(borehole->name, L"bore");
    EXPECT_NE(dynamic_cast<Borehole_CSV*>(borehole.get()), nullptr);

    // Heading rows are skipped whatever they hold; CR LF line ends read like LF.
    CSVOptionsData three = optionsFor(rockPercentBottom(), CSVOptionsData::IntervalAfter, 3);
    auto skipped = readText("a\r\nb,c\r\nd\r\nSAND,100,4\r\n", three, messages);
    ASSERT_EQ(skipped->size(), 1u);
    EXPECT_EQ((*skipped)[0].elements[0].rockType, L"SAND");

    // A heading that opens a quote does not reach into the data, and an empty heading line is a
    // heading line like any other.
    CSVOptionsData quoted = optionsFor(rockPercentBottom(), CSVOptionsData::IntervalAfter, 2);
    LoadMessages quotedMessages;
    auto afterQuote = readText("Rock,\"Pct,Base\n\nSAND,100,4\n\"CLAY\",100,6\n", quoted, quotedMessages);
    EXPECT_TRUE(quotedMessages.empty());
    ASSERT_EQ(afterQuote->size(), 2u);
    EXPECT_EQ((*afterQuote)[1].elements[0].rockType, L"CLAY");
}

TEST(CsvRead, ValuesByKind)
{
    CSVOptionsData options = optionsFor(schemaOf({{ROCKTYPE, L"Rock"},
                                                  {PERCENTAGE, L"Pct"},
                                                  {SEAM, L"Seam"},
                                                  {PLY, L"Ply"},
                                                  {SAMPLE, L"Sample"},
                                                  {STRING, L"Note"},
                                                  {RECOVERED, L"Rec"},
                                                  {THICKNESS, L"Thick"}}));
    LoadMessages messages;
    auto borehole = readText("h\n  caf\xE9 \t,,  S1 ,P, 007 ,\x80 note,0.5,2m\nSAND,100,,,,,,3\n", options, messages);
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(borehole->size(), 2u);
    const Interval& unit = (*borehole)[0];
    EXPECT_EQ(unit.elements[0].rockType, std::wstring(L"caf\x00E9")); // trimmed, widened as code page 1252
    EXPECT_EQ(unit.elements[0].percentage, 100);                      // empty percentage
    EXPECT_EQ(unit.seam, L"  S1 ");                                   // not trimmed
    EXPECT_EQ(unit.ply, L"P");
    EXPECT_EQ(unit.sample, L" 007 ");
    EXPECT_EQ(unit.elements[0].values[5], std::wstring(L"\x20AC note"));
    EXPECT_DOUBLE_EQ(unit.recovered, 0.5);
    EXPECT_DOUBLE_EQ(unit.thickness, 2.0); // "2m" reads as 2
    EXPECT_DOUBLE_EQ((*borehole)[1].bottom, 5.0);
    EXPECT_TRUE(std::isnan((*borehole)[1].recovered));
}

// A percentage that is not wholly a whole number is read by the one it begins with, or as 100 percent
// where none fits, but never in silence: one warning names the first such line, what it was read as,
// and counts them. A blank one is missing; "100%" is 100.
TEST(CsvRead, APercentageReadOtherwiseThanTheFileGivesItIsTold)
{
    CSVOptionsData options = optionsFor(rockPercentBottom());
    LoadMessages messages;
    auto borehole =
        readText("Rock,Pct,Base\nA, ,1\nB,50.5,2\nC,99999999999999999999,3\nD,100%,4\nE,abc,5\n", options, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              L"Line 3 gives \"50.5\" as its percentage, which is not a whole number that fits: it is "
              L"read as 50 percent (lines with such percentages: 3; each is read as the whole number "
              L"it begins with, or as 100 percent when it begins with none that fits).");
    EXPECT_EQ(borehole->size(), 4u);
}

TEST(CsvRead, IntervalRowAfterItsElements)
{
    CSVOptionsData options = optionsFor(rockPercentBottom(), CSVOptionsData::IntervalAfter);
    LoadMessages messages;
    auto borehole = readText("h\nCOAL,60,\nSHALE,40,\nOVERALL,100,3\nSAND,100,4\n", options, messages);
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(borehole->size(), 2u);
    const Interval& mixed = (*borehole)[0];
    ASSERT_EQ(mixed.elements.size(), 2u);
    EXPECT_EQ(mixed.composite->rockType, L"OVERALL");
    EXPECT_DOUBLE_EQ(mixed.bottom, 3.0);
    EXPECT_EQ(options.intervalRockType, L"OVERALL");

    // A unit the file leaves open keeps its elements, with a warning about its unknown depths.
    LoadMessages open;
    auto unclosed = readText("h\nSAND,100,2\nCOAL,60,\n", options, open);
    ASSERT_EQ(unclosed->size(), 2u);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].severity, SeverityWarning);
    EXPECT_EQ(open[0].text,
              L"The interbedded unit below 2.000 is not closed by its interval row.  Its depths are unknown.");
}

TEST(CsvRead, IntervalRowBeforeItsElements)
{
    CSVOptionsData options = optionsFor(rockPercentBottom(), CSVOptionsData::IntervalBefore);
    LoadMessages messages;
    auto borehole = readText("h\nSAND,100,1\nGENERAL,100,4\nCOAL,70,\nSHALE,30,\nCLAY,100,5\n", options, messages);
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(borehole->size(), 3u);
    EXPECT_EQ((*borehole)[0].elements.size(), 1u);
    const Interval& mixed = (*borehole)[1];
    ASSERT_EQ(mixed.elements.size(), 2u);
    EXPECT_EQ(mixed.elements[0].rockType, L"COAL");
    EXPECT_EQ(mixed.composite->rockType, L"GENERAL");
    EXPECT_DOUBLE_EQ(mixed.bottom, 4.0);
    EXPECT_EQ(options.intervalRockType, L"GENERAL");

    // An element row before any interval row has no unit to join.
    LoadMessages orphan;
    CSVOptionsData again = optionsFor(rockPercentBottom(), CSVOptionsData::IntervalBefore);
    auto refused = readText("h\nCOAL,60,\nGENERAL,100,4\n", again, orphan);
    EXPECT_TRUE(refused->empty());
    EXPECT_TRUE(hasFailure(orphan));
    EXPECT_EQ(orphan.back().text, L"The element row on line 2 does not follow an interval row.  Check the interval "
                                  L"record location of the CSV options.");
    EXPECT_EQ(again.formatCode, 0);
}

TEST(CsvRead, NoIntervalRowsGroupsByPercentage)
{
    CSVOptionsData options = optionsFor(rockPercentBottom(), CSVOptionsData::IntervalNone);
    LoadMessages messages;
    auto borehole = readText("h\nCOAL,60,2\nSHALE,40,2.001\nSAND,50,3\nCLAY,50,3.000001\n", options, messages);
    ASSERT_EQ(borehole->size(), 2u);
    EXPECT_EQ((*borehole)[0].elements.size(), 2u);
    EXPECT_EQ((*borehole)[1].elements.size(), 2u);
    EXPECT_DOUBLE_EQ((*borehole)[0].bottom, 2.0); // the first element's values are used
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 1);
    EXPECT_EQ(messages[0].severity, SeverityWarning);
    EXPECT_EQ(messages[0].text, L"Depths or thicknesses for the interbedded unit from 0.000 to 2.000 vary between "
                                L"elements.  Values read from the first element have been used.");
}

// Percentages far outside 0 to 100 are read as the file gives them; their running sum must not wrap
// round and keep a unit open.
TEST(CsvRead, HugePercentagesGroupWithoutOverflow)
{
    CSVOptionsData options = optionsFor(rockPercentBottom(), CSVOptionsData::IntervalNone);
    LoadMessages messages;
    auto borehole = readText("h\nCOAL,1111111111,2\nSHALE,1111111111,2\nSAND,50,3\nCLAY,-2147483648,3\n"
                             "SILT,2147483647,3\nMUD,2147483647,3\nGRIT,10,4\n",
                             options, messages);
    EXPECT_FALSE(hasFailure(messages));
    ASSERT_EQ(borehole->size(), 3u);
    EXPECT_EQ((*borehole)[0].elements.size(), 2u);
    EXPECT_EQ((*borehole)[0].elements[1].percentage, 1111111111);
    ASSERT_EQ((*borehole)[1].elements.size(), 4u);
    EXPECT_EQ((*borehole)[1].elements[1].percentage, INT32_MIN);
}

TEST(CsvRead, FailuresLeaveNoUnits)
{
    LoadMessages messages;
    {
        CSVOptionsData options = optionsFor(rockPercentBottom());
        auto borehole = Borehole_CSV::load(L"/nonexistent/folder/x.csv", options, messages);
        ASSERT_TRUE(borehole);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].kind, 5);
        EXPECT_EQ(messages[0].text.rfind(L"Unable to open /nonexistent/folder/x.csv\n(", 0), 0u);
    }
    {
        messages.clear();
        CSVOptionsData options = optionsFor(nullptr);
        auto borehole = readText("h\nSAND,100,1\n", options, messages);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].kind, 6);
    }
    {
        // A unit without depths stops the reading, and the error empties the borehole.
        messages.clear();
        CSVOptionsData options = optionsFor(rockPercentBottom());
        auto borehole = readText("h\nSAND,100,1\nCLAY,100,\nSILT,100,3\n", options, messages);
        EXPECT_TRUE(borehole->empty());
        EXPECT_TRUE(hasFailure(messages));
        EXPECT_EQ(options.formatCode, 0);
    }
}

// A line is a row: a quote left open ends with its line, the rows after it are read, and the line is
// named in a warning.
TEST(CsvRead, AStrayQuoteEndsWithItsLine)
{
    CSVOptionsData options = optionsFor(schemaOf({{ROCKTYPE, L"Lith"},
                                                  {PERCENTAGE, L"Pct"},
                                                  {BOTTOM, L"Depth"},
                                                  {THICKNESS, L"Thick"},
                                                  {SEAM, L"Seam"},
                                                  {STRING, L"Note"}}));
    LoadMessages messages;
    auto borehole = readText("Lith,Pct,Depth,Thick,Seam,Note\n"
                             "SAND,100,2.00,2.00,S1,\"open quote\n"
                             "CLAY,100,5.00,3.00,S1,stiff\n"
                             "SILT,100,7.00,2.00,S1,\"closing\"\n",
                             options, messages);
    ASSERT_EQ(borehole->size(), 3u);
    EXPECT_EQ((*borehole)[0].elements[0].values[5], L"open quote");
    EXPECT_EQ((*borehole)[1].elements[0].rockType, L"CLAY");
    EXPECT_EQ((*borehole)[2].elements[0].values[5], L"closing");
    EXPECT_DOUBLE_EQ((*borehole)[2].bottom, 7.0);
    EXPECT_EQ(options.formatCode, 5);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].severity, SeverityWarning);
    EXPECT_NE(messages[0].kind, 0);
    EXPECT_EQ(messages[0].text, L"The quoted field on line 2 is not closed by the end of the line.  The field ends "
                                L"there, and the next line is read as the next row.");
}

TEST(CsvRead, RepairReadKeepsTheGivenDepths)
{
    const SchemaPtr schema = schemaOf({{ROCKTYPE, L"Rock"}, {THICKNESS, L"Thick"}, {BOTTOM, L"Base"}});
    const std::string file = "h\nSAND,2,2\nCLAY,5,4\n";
    {
        CSVOptionsData options = optionsFor(schema);
        LoadMessages messages;
        EXPECT_TRUE(readText(file, options, messages)->empty());
    }
    CSVOptionsData options = optionsFor(schema);
    options.keepGivenDepths = true;
    LoadMessages messages;
    auto borehole = readText(file, options, messages);
    ASSERT_EQ(borehole->size(), 2u);
    EXPECT_DOUBLE_EQ((*borehole)[1].bottom, 4.0);
    EXPECT_DOUBLE_EQ((*borehole)[1].thickness, 5.0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 1);
    EXPECT_EQ(options.formatCode, 5);
}

TEST(CsvColumnCount, FirstLineOfAFile)
{
    QuorTest::TempDir dir;
    LoadMessages messages;
    std::istringstream first("Rock,\"Depth, m\",Seam\r\n1,2\n");
    EXPECT_EQ(Borehole_CSV::importSchema(first, L"a.csv", messages), 3u);
    std::istringstream empty;
    EXPECT_EQ(Borehole_CSV::importSchema(empty, L"empty.csv", messages), 1u);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Borehole_CSV::importSchema((dir / "none.csv").wstring(), messages), 0u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 5);
    EXPECT_EQ(messages[0].severity, SeverityError);

    // A folder opens but cannot be read.
    messages.clear();
    EXPECT_EQ(Borehole_CSV::importSchema(dir.path().wstring(), messages), 0u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 5);
    EXPECT_EQ(messages[0].text, L"Unable to open " + dir.path().wstring() + L"\n(Is a directory)");
}
