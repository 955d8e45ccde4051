// The schema list and the "SchemaDefinitions" section on their own, as the console tool uses them.
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "core/configfile/ConfigSchemaSection.h"

using namespace ORBAX_Logging;
using ORBAX_Config::ConfigTokenStream;

namespace {

struct SectionRead {
    ConfigMessageList messages;
    SchemaDefinitionList schemas;
    int line = 0;
};

SectionRead readSection(const std::string& text, SchemaDefinitionList start = {})
{
    std::stringbuf buffer(text);
    ConfigTokenStream stream(&buffer);
    SectionRead result;
    result.schemas = std::move(start);
    ORBAX_Config::ReadSchemaDefinitionsSection(stream, result.messages, result.schemas);
    result.line = stream.lineNumber();
    return result;
}

TEST(SchemaList, NamesAreUniqueIgnoringCaseAndEverySchemaGetsItsOwnId)
{
    SchemaDefinitionList list;
    auto first = InsertSchemaDefinition(list, SchemaDefinition(L"Basic", {}), list.end());
    auto second = InsertSchemaDefinition(list, SchemaDefinition(L"Coal", {}), list.end());
    ASSERT_TRUE(first.second);
    ASSERT_TRUE(second.second);
    EXPECT_NE((*first.first)->id, 0);
    EXPECT_NE((*first.first)->id, (*second.first)->id);

    auto again = InsertSchemaDefinition(list, SchemaDefinition(L"BASIC", {{STRING, L"x"}}), list.end());
    EXPECT_FALSE(again.second);
    EXPECT_EQ(again.first, first.first);
    EXPECT_EQ(list.size(), 2u);
    EXPECT_TRUE((*first.first)->fields.empty());

    SchemaDefinition sameId(L"Other", {});
    sameId.id = (*second.first)->id;
    EXPECT_FALSE(InsertSchemaDefinition(list, sameId, list.begin()).second);

    EXPECT_EQ(findSchemaById(list, (*second.first)->id)->name, L"Coal");
    EXPECT_EQ(findSchemaByName(list, L"coal")->id, (*second.first)->id);
    EXPECT_THROW(findSchemaByName(list, L"Gone"), std::runtime_error);
    EXPECT_THROW(findSchemaById(list, 0), std::runtime_error);
}

TEST(SchemaSection, ReadsSchemasWithAnyCaseOfKindWordsAndValidatesThem)
{
    const SectionRead read = readSection("{\n"
                                         "   Coal {\n"
                                         "      rocktype \"Rock Type\"\n"
                                         "      Percentage Pct\n"
                                         "      BOTTOM \"Depth\"\n"
                                         "   }\n"
                                         "   \"2 fields\" { STRING a STRING b }\n"
                                         "}\n");
    ASSERT_EQ(read.schemas.size(), 2u);
    const SchemaPtr coal = read.schemas.front();
    EXPECT_EQ(coal->name, L"Coal");
    ASSERT_EQ(coal->fields.size(), 3u);
    EXPECT_EQ(coal->fields[0], FieldDefinition(ROCKTYPE, L"Rock Type"));
    EXPECT_EQ(coal->fields[1], FieldDefinition(PERCENTAGE, L"Pct"));
    EXPECT_TRUE(coal->has(SchemaDefinition::Valid));

    // The second schema is unusable: its validation warnings are carried over with their codes.
    EXPECT_EQ(read.schemas.back()->name, L"2 fields");
    ASSERT_EQ(read.messages.size(), 2u);
    for (const ConfigMessage& m : read.messages)
        EXPECT_EQ(m.severity, 2);
    EXPECT_EQ(read.messages[0].code, 35);
    EXPECT_EQ(read.messages[1].code, 36);
}

TEST(SchemaSection, ADuplicateNameEndsTheSectionWithItsLine)
{
    SchemaDefinitionList builtIn;
    InsertSchemaDefinition(builtIn, SchemaDefinition(L"Basic", {}), builtIn.end());
    const SectionRead read = readSection("{\n"
                                         "   basic { ROCKTYPE r BOTTOM d }\n"
                                         "   Later { ROCKTYPE r BOTTOM d }\n"
                                         "}\n",
                                         builtIn);
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0].word(), 0x30030u);
    EXPECT_EQ(read.messages[0].text, L"Duplicate SchemaDefinition name \"basic\" in configuration file on line 2.");
    EXPECT_EQ(read.schemas.size(), 1u);
}

TEST(SchemaSection, ThousandsOfSchemasKeepNamesAndIdsUnique)
{
    // Read in bulk, the names and ids are tracked rather than searched: the result must be what one
    // insert at a time gives, duplicates found whatever their case or distance.
    SchemaDefinitionList builtIn;
    InsertSchemaDefinition(builtIn, SchemaDefinition(L"Basic", {}), builtIn.end());
    const std::int32_t basicId = builtIn.front()->id;
    std::string text = "{\n";
    for (int i = 0; i < 3000; ++i)
        text += "   Extra" + std::to_string(i) + " { ROCKTYPE r BOTTOM d }\n";
    text += "   EXTRA7 { ROCKTYPE r BOTTOM d }\n   After { ROCKTYPE r BOTTOM d }\n}\n";
    const SectionRead read = readSection(text, builtIn);
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0].text, L"Duplicate SchemaDefinition name \"EXTRA7\" in configuration file on line 3002.");
    ASSERT_EQ(read.schemas.size(), 3001u);
    std::set<std::int32_t> ids;
    for (const SchemaPtr& schema : read.schemas)
        ids.insert(schema->id);
    EXPECT_EQ(ids.size(), read.schemas.size());
    EXPECT_EQ(*ids.begin(), basicId);
    EXPECT_EQ(read.schemas.back()->name, L"Extra2999");
    // A schema inserted one at a time afterwards still gets an id no schema had.
    SchemaDefinitionList list = read.schemas;
    auto later = InsertSchemaDefinition(list, SchemaDefinition(L"Later", {}), list.end());
    EXPECT_TRUE(later.second);
    EXPECT_GT((*later.first)->id, *ids.rbegin());

    // A schema that brings its own id is refused when the list holds that id.
    SchemaListAppender appender(list);
    SchemaDefinition sameId(L"Fresh", {});
    sameId.id = basicId;
    EXPECT_FALSE(appender.append(sameId));
    EXPECT_FALSE(appender.append(SchemaDefinition(L"later", {})));
    EXPECT_TRUE(appender.append(SchemaDefinition(L"Fresh", {})));
    EXPECT_EQ(list.size(), 3003u);
}

TEST(SchemaSection, BadRecordsGiveTheirMessages)
{
    {
        const SectionRead read = readSection("{\n A { ROCKTYPE r\n DEPTHS d BOTTOM d } }");
        ASSERT_EQ(read.messages.size(), 1u);
        EXPECT_EQ(read.messages[0].code, 26);
        EXPECT_EQ(read.messages[0].text, L"Unrecognised record type DEPTHS on line 3");
        ASSERT_EQ(read.schemas.size(), 1u);
        EXPECT_EQ(read.schemas.front()->fields.size(), 2u);
    }
    {
        const SectionRead read = readSection("{\n A { ROCKTYPE ( } }");
        ASSERT_FALSE(read.messages.empty());
        EXPECT_EQ(read.messages[0].code, 27);
        EXPECT_EQ(read.messages[0].text, L"Expected a name in the config file on line 2, got ( instead");
    }
    {
        // No "{" after the name: the schema is dropped.
        const SectionRead read = readSection("{\n A ROCKTYPE r }");
        ASSERT_EQ(read.messages.size(), 1u);
        EXPECT_EQ(read.messages[0].word(), 0x30005u);
        EXPECT_TRUE(read.schemas.empty());
    }
    {
        const SectionRead read = readSection("Schemas");
        ASSERT_EQ(read.messages.size(), 1u);
        EXPECT_EQ(read.messages[0].text, L"Format problem with configuration file on line 1");
    }
    {
        // A file cut off inside a record loses that schema, and says so; one that ends after a whole
        // record, without the section's own "}", loses nothing and says nothing.
        for (const char* cut : {"{ A { ROCKTYPE r BOTTOM b }\n B {\n ROCKTYPE r", "{\n B {\n ROCKTYPE"}) {
            const SectionRead read = readSection(cut);
            ASSERT_EQ(read.messages.size(), 1u);
            EXPECT_EQ(read.messages[0].text,
                      L"The configuration file ends inside the schema \"B\" that begins on line 2: "
                      L"the file is cut short, and the schema is not read.");
        }
        EXPECT_TRUE(readSection("{ A { ROCKTYPE r BOTTOM b }").messages.empty());
    }
}

// Problems are listed up to their limit, then one note takes the highest severity of them all: warnings
// alone let the read go on to the end, an error among them ends it at the next record.
TEST(SchemaSection, ProblemsPastTheListedOnesKeepTheirWeight)
{
    std::string schemas = "{\n";
    for (int i = 0; i < 1200; ++i)
        schemas += " S" + std::to_string(i) + " { ROCKTYPE r }\n"; // a schema without depths: a warning
    const SectionRead warned = readSection(schemas + " Last { ROCKTYPE r BOTTOM b } }");
    ASSERT_EQ(warned.messages.size(), ORBAX_Config::MaxConfigMessages + 1);
    EXPECT_EQ(warned.messages.back().text, L"More problems were found than are listed here.");
    EXPECT_EQ(warned.messages.back().severity, 2);
    EXPECT_EQ(warned.schemas.size(), 1201u);

    const SectionRead failed = readSection(schemas + " Bad { DEPTHS d }\n Later { ROCKTYPE r BOTTOM b } }");
    EXPECT_EQ(failed.messages.back().severity, 3);
    EXPECT_TRUE(HasConfigFailure(failed.messages));
    EXPECT_EQ(failed.schemas.size(), 1201u) << "nothing after the error is read";
}

TEST(SchemaSection, HeaderCheck)
{
    ConfigMessageList messages;
    EXPECT_TRUE(ORBAX_Config::CheckConfigurationHeader("QUORLOG CONFIGURATION V3 extra", L"f", messages));
    EXPECT_FALSE(ORBAX_Config::CheckConfigurationHeader("Quorlog Configuration v2", L"f", messages));
    EXPECT_FALSE(ORBAX_Config::CheckConfigurationHeader("Quorlog Configuration v", L"f", messages));
    EXPECT_FALSE(ORBAX_Config::CheckConfigurationHeader("", L"f.txt", messages));
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text,
              L"Wrong version of configuration file for this version of QuorLog (Quorlog Configuration v2)");
    EXPECT_EQ(messages[1].code, 4);
    EXPECT_EQ(messages[2].text,
              L"f.txt does not appear to be a configuration file (needs to start with Quorlog Configuration v3)");
}

TEST(LibraryErrors, KindsMapToConfigurationCodes)
{
    const std::pair<int, int> table[] = {{0, 0},   {1, 24},  {2, 25},  {3, 37},  {4, 29},  {5, 1},   {6, 39},
                                         {7, 44},  {8, 38},  {9, 12},  {10, 13}, {11, 22}, {12, 34}, {13, 36},
                                         {14, 35}, {15, 49}, {16, 50}, {17, 51}, {18, 22}, {-1, 22}};
    LoadMessages library;
    for (const auto& row : table)
        library.push_back({row.first, 3, L"t" + std::to_wstring(row.first)});
    ConfigMessageList messages;
    ORBAX_Config::appendLibraryErrors(library, messages);
    ASSERT_EQ(messages.size(), std::size(table));
    for (std::size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].code, table[i].second) << "kind " << table[i].first;
        EXPECT_EQ(messages[i].severity, 3);
        EXPECT_EQ(messages[i].text, library[i].text);
    }
}

} // namespace
