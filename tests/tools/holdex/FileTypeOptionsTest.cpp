#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "tools/holdex/FileTypeOptions.h"

namespace po = boost::program_options;
using Holdex::FileTypeOptions;
using ORBAX_Logging::CSVOptionsData;
using ORBAX_Logging::SchemaDefinition;
using ORBAX_Logging::SchemaDefinitionList;

namespace {

class FileTypeOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const wchar_t* name : {L"Short", L"G\x00E9ologie", L"Coal"}) {
            auto schema = std::make_shared<SchemaDefinition>();
            schema->name = name;
            schemas.push_back(schema);
        }
    }

    // Describes one side, parses `words` against it as a command does, and parses the options.
    int parse(const std::vector<std::string>& words, bool outputSide = false)
    {
        po::options_description description;
        options.describe(outputSide, description);
        po::variables_map map;
        po::store(po::command_line_parser(words).options(description).run(), map);
        po::notify(map);
        return options.parse(map, schemas);
    }

    // The text of the exception that parse throws, or "" when it succeeds.
    std::string failure(const std::vector<std::string>& words, bool outputSide = false)
    {
        try {
            parse(words, outputSide);
        } catch (const std::exception& e) {
            EXPECT_FALSE(options.parsed());
            return e.what();
        }
        return std::string();
    }

    SchemaDefinitionList schemas;
    FileTypeOptions options;
};

TEST_F(FileTypeOptionsTest, PrologNeedsAKnownSchema)
{
    EXPECT_EQ(failure({}), "option --schema must be specified if type is prolog");
    EXPECT_EQ(failure({"-t", "prolog3"}), "option --schema must be specified if type is prolog");
    EXPECT_EQ(failure({"-s", "Deep"}), "Unknown schema Deep");

    // Names are looked up without regard to case; the record holds the table's schema.
    EXPECT_EQ(parse({"-s", "COAL"}), Holdex::FileTypeProlog);
    auto record = options.prolog_options();
    EXPECT_EQ(record->schema, schemas.back());
    EXPECT_EQ(record->formatCode, ORBAX_Logging::FormatProlog21);
    EXPECT_EQ(record->precision, 3);
    EXPECT_TRUE(record->backup);
    EXPECT_EQ(record->intervalRockType, L"IN GENERAL");
    EXPECT_FALSE(record->prolog21Schema);
    EXPECT_FALSE(record->prolog30Schema);

    EXPECT_EQ(parse({"--type=prolog2", "-s", "short"}), Holdex::FileTypeProlog);
    EXPECT_EQ(options.prolog_options()->formatCode, ORBAX_Logging::FormatProlog21);
    EXPECT_EQ(parse({"-t", "prolog3", "--schema", "Short"}), Holdex::FileTypeProlog3);
    EXPECT_EQ(options.prolog_options()->formatCode, ORBAX_Logging::FormatProlog30);
}

TEST_F(FileTypeOptionsTest, TypeWords)
{
    EXPECT_EQ(failure({"-t", "xml"}), "unknown file type \"xml\"");
    EXPECT_EQ(failure({"-t", "CSV", "-s", "Short"}), "unknown file type \"CSV\"");
    // The written file has no default type: "prolog" alone does not say which version to write.
    EXPECT_EQ(failure({"-s", "Short"}, true), "\"prolog\" is not a valid file for output files.");
    EXPECT_EQ(failure({"-t", "prolog", "-s", "Short"}, true), "\"prolog\" is not a valid file for output files.");
    EXPECT_EQ(parse({"-t", "prolog2", "-s", "Short"}, true), Holdex::FileTypeProlog);
    EXPECT_TRUE(options.outputSide());
}

TEST_F(FileTypeOptionsTest, OptionsThatDoNotApplyToTheType)
{
    EXPECT_EQ(failure({"-t", "csv", "-s", "Short", "--deduce"}), "option deduce is not valid for file type of csv");
    EXPECT_EQ(failure({"-t", "prolog3", "-s", "Short", "--hrows", "2", "--quoting", "single"}),
              "options hrows and quoting are not valid for file type of prolog3");
    // Listed in the fixed option order, not in the order typed.
    EXPECT_EQ(failure({"--deduce", "--quoting", "none", "--hrows", "0", "-s", "Short"}),
              "options hrows, quoting and deduce are not valid for file type of prolog");
    EXPECT_EQ(failure({"-t", "prolog4", "--deduce", "--quoting", "single"}),
              "option quoting is not valid for file type of prolog4");
    EXPECT_EQ(failure({"-t", "prolog2", "-s", "Short", "--suppress-percent", "--interval-rocktype", "X"}),
              "options interval-rocktype and suppress-percent are not valid for file type of prolog2");
    // A value equal to the default is not counted as given.
    EXPECT_EQ(failure({"-s", "Short", "--hrows", "1", "--quoting", "double", "--quote-quote", "two",
                       "--interval-location", "after", "--interval-rocktype", "IN GENERAL"}),
              "");
}

TEST_F(FileTypeOptionsTest, Prolog4SchemaOrDeduce)
{
    EXPECT_EQ(parse({"-t", "prolog4", "--deduce"}), Holdex::FileTypeProlog4);
    auto deduced = options.prolog4_options();
    EXPECT_TRUE(deduced->deduce);
    EXPECT_FALSE(deduced->schema);
    EXPECT_EQ(deduced->dataLogIndex, 0u);
    EXPECT_EQ(deduced->formatCode, ORBAX_Logging::FormatUnknown);

    EXPECT_EQ(parse({"-t", "prolog4", "-s", "short"}), Holdex::FileTypeProlog4);
    auto named = options.prolog4_options();
    EXPECT_FALSE(named->deduce);
    EXPECT_EQ(named->schema, schemas.front());
    EXPECT_EQ(named->formatCode, ORBAX_Logging::FormatProlog40);

    EXPECT_EQ(failure({"-t", "prolog4", "--deduce", "-s", "Short"}), "option deduce is not valid with option schema");
    EXPECT_EQ(failure({"-t", "prolog4"}),
              "either option --schema or option --deduce must be specified if type is prolog4");
    EXPECT_EQ(failure({"-t", "prolog4", "-s", "None"}), "Unknown schema None");
}

// The terminal gives UTF-8; the schema names and rock types it must match are code page text.
// Bytes that are no UTF-8 are taken as code page characters.
TEST_F(FileTypeOptionsTest, TypedNamesAreUtf8OrCodePageText)
{
    parse({"-s", "G\xC3\xA9ologie"});
    EXPECT_EQ(options.prolog_options()->schema->name, L"G\x00E9ologie");
    parse({"-s", "G\xE9ologie"});
    EXPECT_EQ(options.prolog_options()->schema->name, L"G\x00E9ologie");
    EXPECT_EQ(failure({"-s", "G\xC3\xA9o"}), "Unknown schema G\xC3\xA9o");

    parse({"-t", "csv", "-s", "Short", "--interval-rocktype", "\xC3\x84LTER"});
    EXPECT_EQ(options.csv_options()->intervalRockType, L"\x00C4LTER");
    parse({"-t", "csv", "-s", "Short", "--interval-rocktype", "\xC4LTER"});
    EXPECT_EQ(options.csv_options()->intervalRockType, L"\x00C4LTER");
}

TEST_F(FileTypeOptionsTest, CsvRecord)
{
    EXPECT_EQ(failure({"-t", "csv"}), "option --schema must be specified if type is csv");

    EXPECT_EQ(parse({"-t", "csv", "-s", "Short"}), Holdex::FileTypeCSV);
    auto plain = options.csv_options();
    EXPECT_EQ(plain->quotingStyle, CSVOptionsData::DoubleQuotes);
    EXPECT_EQ(plain->quoteQuoteStyle, CSVOptionsData::QuoteDoubled);
    EXPECT_EQ(plain->escapeCharacter, ' ');
    EXPECT_EQ(plain->headingRows, 1u);
    EXPECT_EQ(plain->intervalLocation, CSVOptionsData::IntervalAfter);
    EXPECT_EQ(plain->intervalRockType, L"IN GENERAL");
    EXPECT_FALSE(plain->suppress100Percent);
    EXPECT_EQ(plain->formatCode, ORBAX_Logging::FormatCSV);
    EXPECT_EQ(plain->precision, 3);

    parse({"-t", "csv", "-s", "Short", "--quoting", "single", "--quote-quote", "\\", "--hrows", "3",
           "--interval-location", "before", "--interval-rocktype", "COMPOSITE", "--suppress-percent"});
    auto full = options.csv_options();
    EXPECT_EQ(full->quotingStyle, CSVOptionsData::SingleQuotes);
    EXPECT_EQ(full->quoteQuoteStyle, CSVOptionsData::QuoteEscaped);
    EXPECT_EQ(full->escapeCharacter, '\\');
    EXPECT_EQ(full->headingRows, 3u);
    EXPECT_EQ(full->intervalLocation, CSVOptionsData::IntervalBefore);
    EXPECT_EQ(full->intervalRockType, L"COMPOSITE");
    EXPECT_TRUE(full->suppress100Percent);

    parse({"-t", "csv", "-s", "Short", "--quoting", "none", "--quote-quote", "none", "--interval-location", "none"});
    auto none = options.csv_options();
    EXPECT_EQ(none->quotingStyle, CSVOptionsData::NoQuotes);
    EXPECT_EQ(none->quoteQuoteStyle, CSVOptionsData::QuoteUntreated);
    EXPECT_EQ(none->escapeCharacter, ' ');
    EXPECT_EQ(none->intervalLocation, CSVOptionsData::IntervalNone);
}

TEST_F(FileTypeOptionsTest, CsvValuesRefused)
{
    EXPECT_EQ(failure({"-t", "csv", "-s", "Short", "--quoting", "Double"}),
              "\"Double\" is not a valid argument for option quoting.");
    // The word the help text shows is not one of the accepted values.
    EXPECT_EQ(failure({"-t", "csv", "-s", "Short", "--quote-quote", "non"}),
              "non is not a valid argument to option quote-quote");
    EXPECT_EQ(failure({"-t", "csv", "-s", "Short", "--interval-location", "middle"}),
              "middle is not a valid argument to option interval-location");
}

TEST_F(FileTypeOptionsTest, HeadingRowsMustBeAnUnsignedNumber)
{
    for (const char* bad : {"-1", "2x", "", "4294967296", "99999999999"})
        EXPECT_THROW(parse({"-t", "csv", "-s", "Short", std::string("--hrows=") + bad}), po::error) << bad;
    EXPECT_EQ(parse({"-t", "csv", "-s", "Short", "--hrows", "4294967295"}), Holdex::FileTypeCSV);
    EXPECT_EQ(options.csv_options()->headingRows, 4294967295u);
    EXPECT_EQ(parse({"-t", "csv", "-s", "Short", "--hrows", "0"}), Holdex::FileTypeCSV);
    EXPECT_EQ(options.csv_options()->headingRows, 0u);
}

TEST_F(FileTypeOptionsTest, RecordCopies)
{
    try {
        options.csv_options();
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "command line not parsed");
    }
    parse({"-t", "csv", "-s", "Short"});
    try {
        options.prolog_options();
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "wrong file type");
    }
    EXPECT_THROW(options.prolog4_options(), std::runtime_error);

    // Each call hands out a copy of its own.
    auto first = options.csv_options();
    first->headingRows = 9;
    EXPECT_EQ(options.csv_options()->headingRows, 1u);

    // A failed parse leaves nothing behind from the earlier one.
    EXPECT_NE(failure({"-t", "csv"}), "");
    EXPECT_EQ(options.fileType(), Holdex::FileTypeNone);
    EXPECT_THROW(options.csv_options(), std::runtime_error);
}

TEST_F(FileTypeOptionsTest, DescribedOptionsPerSide)
{
    po::options_description input(80, 40);
    options.describe(false, input);
    po::options_description output(80, 40);
    FileTypeOptions other;
    other.describe(true, output);

    std::vector<std::string> inNames;
    for (const auto& option : input.options())
        inNames.push_back(option->long_name());
    EXPECT_EQ(inNames, (std::vector<std::string>{"type", "schema", "hrows", "interval-location", "quoting",
                                                 "quote-quote", "deduce", "interval-rocktype", "suppress-percent"}));
    std::vector<std::string> outNames;
    for (const auto& option : output.options())
        outNames.push_back(option->long_name());
    EXPECT_EQ(outNames, (std::vector<std::string>{"type", "interval-rocktype", "schema", "hrows", "interval-location",
                                                  "quoting", "quote-quote", "deduce", "suppress-percent"}));

    EXPECT_EQ(input.options().front()->description(),
              "Specify the type of the borehole file, either \"prolog\", \"prolog4\" or \"csv\"");
    EXPECT_EQ(output.options().front()->description(),
              "Specify the type of the borehole file, either \"prolog2\", \"prolog3\", \"prolog4\" or \"csv\"");
    EXPECT_EQ(input.options()[7]->description(),
              "Specify the name of the unit level record for an interbedded unit (CSV only)");
    EXPECT_EQ(output.options()[1]->description(),
              "Specify the rock type to use for interval level data for interbedded units (CSV only)");
    std::ostringstream inText;
    inText << input;
    EXPECT_NE(inText.str().find("--hrows arg (=1)"), std::string::npos) << inText.str();
    EXPECT_NE(inText.str().find("-t [ --type ] arg (=prolog)"), std::string::npos) << inText.str();
}

TEST_F(FileTypeOptionsTest, FindSchema)
{
    EXPECT_EQ(Holdex::find_schema(schemas, L"coal"), schemas.back());
    try {
        Holdex::find_schema(schemas, L"Peat");
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Item Peat not found");
    }
}

} // namespace
