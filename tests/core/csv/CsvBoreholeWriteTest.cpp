// Writing boreholes as CSV: heading rows, row order of interbedded units, quoting, the backup rule,
// and write-then-read round trips under every quoting style.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/csv/Borehole_CSV.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Logging;

namespace {

SchemaPtr fullSchema()
{
    auto schema = std::make_shared<SchemaDefinition>(L"full", std::vector<FieldDefinition>{{ROCKTYPE, L"Rock"},
                                                                                           {PERCENTAGE, L"Pct"},
                                                                                           {SEAM, L"Seam, name"},
                                                                                           {SAMPLE, L"Sample"},
                                                                                           {STRING, L"Note"},
                                                                                           {THICKNESS, L"Thick"},
                                                                                           {BOTTOM, L"Base"}});
    LoadMessages ignored;
    schema->validate(ignored);
    return schema;
}

CSVOptionsData optionsFor(SchemaPtr schema, std::int32_t quoting = 1, std::int32_t mode = 0,
                          std::int32_t location = CSVOptionsData::IntervalAfter)
{
    CSVOptionsData options;
    options.schema = std::move(schema);
    options.precision = 3;
    options.backup = false;
    options.quotingStyle = quoting;
    options.quoteQuoteStyle = mode;
    options.escapeCharacter = '\\';
    options.headingRows = 1;
    options.intervalLocation = location;
    options.intervalRockType = L"IN GENERAL";
    return options;
}

// A borehole with awkward texts: commas, both quote characters, the escape character and
// characters above 0x7F.
Borehole sampleBorehole(const SchemaPtr& schema)
{
    Borehole borehole(schema);
    LithData sand(schema);
    sand.rockType = std::wstring(L"SAND, \"fine\" caf\x00E9");
    sand.values.set(4, L"it's \\ a \"note\", in one line");
    Interval first(schema, sand);
    first.bottom = 2.0;
    first.thickness = 2.0;
    first.seam = L"A,1";
    first.sample = std::wstring(L"S\x20AC-01'");
    borehole.push_back(first);

    LithData coal(schema);
    coal.rockType = L"COAL";
    coal.percentage = 60;
    coal.values.set(4, L"'quoted'");
    LithData shale(schema);
    shale.rockType = L"SHALE";
    shale.percentage = 40;
    Interval mixed(schema, coal);
    mixed.elements.push_back(shale);
    mixed.compositeRow().rockType = L"IN GENERAL";
    mixed.bottom = 5.5;
    mixed.thickness = 3.5;
    mixed.seam = L"B";
    borehole.push_back(mixed);
    return borehole;
}

} // namespace

TEST(CsvWrite, HeadingRowsAndRowOrder)
{
    QuorTest::TempDir dir;
    const SchemaPtr schema = fullSchema();
    Borehole borehole = sampleBorehole(schema);
    const std::wstring file = (dir / "out.csv").wstring();
    LoadMessages messages;

    CSVOptionsData options = optionsFor(schema);
    options.headingRows = 2;
    Borehole_CSV::save(file, borehole, options, messages);
    ASSERT_TRUE(messages.empty());
    std::string text = QuorTest::read_file(dir / "out.csv");
    EXPECT_EQ(text.rfind("Rock,Pct,\"Seam, name\",Sample,Note,Thick,Base\n,,,,,,\n", 0), 0u);
    // The interval row comes last with location 1.
    EXPECT_NE(text.find("COAL,60,B,,'quoted',3.500,5.500\nSHALE,40,B,,,3.500,5.500\nIN GENERAL,100,B,,,3.500,5.500\n"),
              std::string::npos);
    EXPECT_EQ(borehole.name, L"out");

    options.headingRows = 0;
    options.intervalLocation = CSVOptionsData::IntervalNone;
    Borehole_CSV::save(file, borehole, options, messages);
    text = QuorTest::read_file(dir / "out.csv");
    EXPECT_EQ(text.rfind("\"SAND, ", 0), 0u);
    EXPECT_EQ(text.find("IN GENERAL"), std::string::npos);

    options.intervalLocation = CSVOptionsData::IntervalBefore;
    Borehole_CSV::save(file, borehole, options, messages);
    text = QuorTest::read_file(dir / "out.csv");
    EXPECT_NE(text.find("\nIN GENERAL,100,B,,,3.500,5.500\nCOAL,60"), std::string::npos);
}

// Without unit-level rows, what an interbedded unit's own row holds (a note, a rock type of its own) is
// not in the file: the save says which fields, and nothing when the row held the interval rock type.
TEST(CsvWrite, UnitRowsLeftOutAreNamed)
{
    QuorTest::TempDir dir;
    const SchemaPtr schema = fullSchema();
    Borehole borehole = sampleBorehole(schema);
    const CSVOptionsData options = optionsFor(schema, 1, 0, CSVOptionsData::IntervalNone);
    LoadMessages messages;
    Borehole_CSV::save((dir / "a.csv").wstring(), borehole, options, messages);
    EXPECT_TRUE(messages.empty());
    borehole[1].compositeRow().values.set(4, L"interbedded");
    borehole[1].compositeRow().rockType = L"MIXED";
    Borehole_CSV::save((dir / "b.csv").wstring(), borehole, options, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"The file was written without unit-level rows, so the values of \"Rock\", \"Note\" "
                                L"that interbedded units hold in their own rows are not in the file (units: 1, the "
                                L"first from 2.000 to 5.500).  Write the unit-level rows before or after the "
                                L"elements to keep them.");
}

TEST(CsvWrite, QuotingStyles)
{
    QuorTest::TempDir dir;
    const SchemaPtr schema = fullSchema();
    Borehole borehole = sampleBorehole(schema);
    const std::wstring file = (dir / "q.csv").wstring();
    LoadMessages messages;

    CSVOptionsData escaped = optionsFor(schema, 1, 1);
    escaped.headingRows = 0;
    Borehole_CSV::save(file, borehole, escaped, messages);
    EXPECT_EQ(QuorTest::read_file(dir / "q.csv").rfind("\"SAND, \\\"fine\\\" caf\xE9\",100,\"A,1\"", 0), 0u);

    CSVOptionsData single = optionsFor(schema, 2, 0);
    single.headingRows = 0;
    Borehole_CSV::save(file, borehole, single, messages);
    const std::string text = QuorTest::read_file(dir / "q.csv");
    EXPECT_EQ(text.rfind("'SAND, \"fine\" caf\xE9',100,'A,1','S\x80-01'''", 0), 0u);
    EXPECT_TRUE(messages.empty());

    // Without quotes a comma or a line break cannot be kept: the writer says so.
    CSVOptionsData none = optionsFor(schema, 0, 0);
    Borehole_CSV::save(file, borehole, none, messages);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].kind, 4);
    EXPECT_EQ(messages[0].severity, SeverityWarning);
    EXPECT_EQ(messages[0].text.rfind(L"The Rock field in the unit from 0.000 to 2.000 holds a comma", 0), 0u);
}

TEST(CsvWrite, RoundTripsUnderEveryQuotingStyle)
{
    QuorTest::TempDir dir;
    const SchemaPtr schema = fullSchema();
    Borehole original = sampleBorehole(schema);
    const std::wstring file = (dir / "trip.csv").wstring();
    for (int quoting = 1; quoting <= 2; ++quoting) {
        for (int mode = 0; mode <= 1; ++mode) {
            for (int location = 0; location <= 2; ++location) {
                SCOPED_TRACE(testing::Message() << quoting << mode << location);
                CSVOptionsData options = optionsFor(schema, quoting, mode, location);
                LoadMessages messages;
                Borehole_CSV::save(file, original, options, messages);
                ASSERT_TRUE(messages.empty());
                auto back = Borehole_CSV::load(file, options, messages);
                ASSERT_TRUE(messages.empty()) << std::string(messages[0].text.begin(), messages[0].text.end());
                ASSERT_EQ(back->size(), 2u);
                const Interval& first = (*back)[0];
                EXPECT_EQ(first.elements[0].rockType, original[0].elements[0].rockType);
                EXPECT_EQ(first.elements[0].values[4], original[0].elements[0].values[4]);
                EXPECT_EQ(first.seam, L"A,1");
                EXPECT_EQ(first.sample, original[0].sample);
                EXPECT_DOUBLE_EQ(first.bottom, 2.0);
                const Interval& mixed = (*back)[1];
                ASSERT_EQ(mixed.elements.size(), 2u);
                EXPECT_EQ(mixed.elements[0].values[4], L"'quoted'");
                EXPECT_EQ(mixed.elements[1].percentage, 40);
                EXPECT_DOUBLE_EQ(mixed.bottom, 5.5);
                EXPECT_DOUBLE_EQ(mixed.thickness, 3.5);
            }
        }
    }
}

TEST(CsvWrite, BackupsAndFailures)
{
    QuorTest::TempDir dir;
    const SchemaPtr schema = fullSchema();
    Borehole borehole = sampleBorehole(schema);
    const std::wstring file = (dir / "b.csv").wstring();
    QuorTest::write_file(dir / "b.csv", "first version\n");
    CSVOptionsData options = optionsFor(schema);
    options.backup = true;
    LoadMessages messages;
    Borehole_CSV::save(file, borehole, options, messages);
    EXPECT_EQ(QuorTest::read_file(dir / "b.csv.backup"), "first version\n");
    const std::string second = QuorTest::read_file(dir / "b.csv");
    Borehole_CSV::save(file, borehole, options, messages);
    EXPECT_EQ(QuorTest::read_file(dir / "b.csv.backup"), second);
    EXPECT_TRUE(messages.empty());

    Borehole_CSV::save((dir / "no" / "such" / "x.csv").wstring(), borehole, options, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 5);
    EXPECT_EQ(messages[0].severity, SeverityError);

    messages.clear();
    CSVOptionsData noSchema = optionsFor(nullptr);
    Borehole_CSV::save(file, borehole, noSchema, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 6);
    EXPECT_EQ(QuorTest::read_file(dir / "b.csv"), second);

    // The repair's write-back replaces only the file it read, checked as the save's last step.
    messages.clear();
    const ORBAX_Platform::FileIdentity read = ORBAX_Platform::file_identity(dir / "b.csv");
    options.replaces = [read](const ORBAX_Platform::FileIdentity& current) { return current == read; };
    QuorTest::write_file(dir / "b.csv", second + "appended\n");
    Borehole_CSV::save(file, borehole, options, messages);
    EXPECT_NE(messages.at(0).text.find(L" was changed by another program while it was being saved"),
              std::wstring::npos);
    EXPECT_EQ(QuorTest::read_file(dir / "b.csv"), second + "appended\n");
}

TEST(CsvWrite, SampleFileRoundTrip)
{
    QuorTest::TempDir dir;
    CSVOptionsData options = optionsFor(fullSchema());
    options.schema = std::make_shared<SchemaDefinition>(L"coal", std::vector<FieldDefinition>{{ROCKTYPE, L"Lithology"},
                                                                                              {PERCENTAGE, L"Percent"},
                                                                                              {SEAM, L"Seam"},
                                                                                              {SAMPLE, L"Sample"},
                                                                                              {STRING, L"Comment"},
                                                                                              {RECOVERED, L"Recovered"},
                                                                                              {THICKNESS, L"Thickness"},
                                                                                              {BOTTOM, L"Depth"}});
    LoadMessages messages;
    auto borehole = Borehole_CSV::load(QuorTest::data_file("csv/coal.csv").wstring(), options, messages);
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(borehole->size(), 3u);
    EXPECT_EQ((*borehole)[2].elements[0].values[4], L"two, lines");
    EXPECT_DOUBLE_EQ((*borehole)[2].bottom, 6.25);

    Borehole_CSV::save((dir / "coal.csv").wstring(), *borehole, options, messages);
    ASSERT_TRUE(messages.empty());
    auto again = Borehole_CSV::load((dir / "coal.csv").wstring(), options, messages);
    ASSERT_EQ(again->size(), 3u);
    EXPECT_EQ((*again)[1].elements[1].values[4], L"says \"soft\"");
    EXPECT_EQ((*again)[2].elements[0].values[4], L"two, lines");
}

// A line break would end the row where it stands: every field that holds one is written with a blank
// instead and named in a warning, so the file reads back row for row.
TEST(CsvWrite, LineBreaksInFieldsAreWrittenAsBlanks)
{
    QuorTest::TempDir dir;
    const SchemaPtr schema = fullSchema();
    Borehole borehole = sampleBorehole(schema);
    borehole[0].elements[0].values.set(4, L"two\nlines");
    borehole[0].seam = L"A\r\n1";
    const std::wstring file = (dir / "lines.csv").wstring();
    for (int quoting = 0; quoting <= 2; ++quoting) {
        SCOPED_TRACE(quoting);
        CSVOptionsData options = optionsFor(schema, quoting);
        LoadMessages messages;
        Borehole_CSV::save(file, borehole, options, messages);
        // Without quotes the rock type's comma is told first.
        const std::size_t seam = quoting == 0 ? 1 : 0;
        ASSERT_EQ(messages.size(), seam + 2);
        EXPECT_EQ(messages[seam].text, L"The Seam, name field in the unit from 0.000 to 2.000 contains characters that "
                                       L"cannot be saved with this file format.");
        EXPECT_EQ(messages[seam + 1].kind, 4);
        EXPECT_NE(messages[seam + 1].text.find(L"The Note field"), std::wstring::npos);
        const std::string text = QuorTest::read_file(dir / "lines.csv");
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
        EXPECT_EQ(text.find('\r'), std::string::npos);
        if (quoting == 0)
            continue;
        messages.clear();
        auto back = Borehole_CSV::load(file, options, messages);
        ASSERT_TRUE(messages.empty());
        ASSERT_EQ(back->size(), 2u);
        EXPECT_EQ((*back)[0].elements[0].values[4], L"two lines");
        EXPECT_EQ((*back)[0].seam, L"A  1");
        EXPECT_EQ((*back)[1].elements.size(), 2u);
    }
}

// A comma written without quotes splits its field: the read names the line whose text beyond the
// schema's fields it drops (empty fields there lose nothing and go untold).
TEST(CsvWrite, AnUnquotedCommaIsToldOnSaveAndOnRead)
{
    QuorTest::TempDir dir;
    Borehole borehole(fullSchema());
    borehole.appendUnit(2.0);
    borehole[0].elements[0].values.set(4, L"weathered, brown");
    const std::wstring file = (dir / "none.csv").wstring();
    CSVOptionsData options = optionsFor(borehole.schema, 0);
    LoadMessages saved, read, trailing;
    Borehole_CSV::save(file, borehole, options, saved); // told as in QuotingStyles
    EXPECT_EQ(Borehole_CSV::load(file, options, read)->at(0).elements[0].values[4], L"weathered");
    EXPECT_EQ(read.at(0).text.rfind(L"Line 2 has 8 fields, more than the 7 of schema full:", 0), 0u);
    QuorTest::write_file(dir / "none.csv", "h\nSAND,100,,,,2,2,, \n");
    EXPECT_EQ(Borehole_CSV::load(file, options, trailing)->size(), 1u);
    EXPECT_TRUE(trailing.empty());
}
