// The format profile records: defaults of an empty profile, the schema remembered by name in the
// profile and by id in memory, and the library records made from them.
#include <map>
#include <stdexcept>

#include <gtest/gtest.h>

#include "core/options/FormatProfiles.h"

using namespace ORBAX_Logging;

namespace {

// A profile section in memory; integers are kept as text as the profile does.
class MemoryProfile : public ORBAX_Utilities::SettingsReader, public ORBAX_Utilities::SettingsWriter {
public:
    std::map<std::wstring, std::wstring> values;
    std::vector<std::wstring> writtenKeys;

    std::wstring ReadString(const std::wstring& key, const std::wstring& defaultValue) override
    {
        auto it = values.find(key);
        return it == values.end() ? defaultValue : it->second;
    }
    std::string ReadNarrowString(const std::wstring& key, const std::string& defaultValue) override
    {
        auto it = values.find(key);
        return it == values.end() ? defaultValue : std::string(it->second.begin(), it->second.end());
    }
    int ReadInt(const std::wstring& key, int defaultValue) override
    {
        auto it = values.find(key);
        return it == values.end() ? defaultValue : std::stoi(it->second);
    }
    void WriteString(const std::wstring& key, const std::wstring& value) override
    {
        values[key] = value;
        writtenKeys.push_back(key);
    }
    void WriteNarrowString(const std::wstring& key, const std::string& value) override
    {
        WriteString(key, std::wstring(value.begin(), value.end()));
    }
    void WriteInt(const std::wstring& key, int value) override { WriteString(key, std::to_wstring(value)); }
};

SchemaDefinitionList makeSchemas()
{
    SchemaDefinitionList list;
    for (const wchar_t* name : {L"Basic", L"Coal", L"prolog21", L"Prolog3"}) {
        SchemaDefinition schema(name, {{ROCKTYPE, L"Rock"}, {BOTTOM, L"Depth"}});
        LoadMessages ignored;
        schema.validate(ignored);
        InsertSchemaDefinition(list, schema, list.end());
    }
    return list;
}

TEST(FormatProfiles, AnEmptyProfileGivesTheDefaults)
{
    const SchemaDefinitionList schemas = makeSchemas();
    MemoryProfile profile;
    CSVOptions csv;
    csv.quotingStyle = 2;
    csv.load(profile, schemas);
    EXPECT_EQ(csv.schemaId, 0u);
    EXPECT_EQ(csv.intervalRockType, L"IN GENERAL");
    EXPECT_EQ(csv.quotingStyle, 1);
    EXPECT_EQ(csv.quoteQuoteStyle, 0);
    EXPECT_EQ(csv.escapeCharacter, '\\');
    EXPECT_EQ(csv.headingRows, 1);
    EXPECT_EQ(csv.intervalLocation, 1);
    EXPECT_FALSE(csv.suppress100Percent);

    Prolog4Options prolog4;
    prolog4.deduce = false;
    prolog4.load(profile, schemas);
    EXPECT_TRUE(prolog4.deduce);
    EXPECT_EQ(prolog4.schemaId, 0u);
}

TEST(FormatProfiles, SchemaNameBecomesTheIdAndAnUnknownNameWritesNoSchemaKey)
{
    const SchemaDefinitionList schemas = makeSchemas();
    const SchemaPtr coal = findSchemaByName(schemas, L"Coal");

    MemoryProfile profile;
    profile.values[L"Schema"] = L"COAL";
    PrologOptions prolog;
    prolog.load(profile, schemas);
    EXPECT_EQ(prolog.schemaId, static_cast<std::uint32_t>(coal->id));
    EXPECT_NE(prolog.schemaId, 0u);

    MemoryProfile written;
    prolog.save(written, schemas);
    EXPECT_EQ(written.values[L"Schema"], L"Coal");

    MemoryProfile stale;
    stale.values[L"Schema"] = L"Gone";
    CSVOptions csv;
    csv.load(stale, schemas);
    EXPECT_EQ(csv.schemaId, 0u);
    MemoryProfile out;
    csv.save(out, schemas);
    EXPECT_EQ(out.values.count(L"Schema"), 0u);
    EXPECT_EQ(out.writtenKeys,
              (std::vector<std::wstring>{L"IntervalRocktype", L"QuotingStyle", L"QuoteQuoting", L"Escape",
                                         L"HeadingRows", L"InGeneralLocation", L"Suppress100LithPercent"}));
}

TEST(FormatProfiles, CsvValuesSurviveASaveAndALoad)
{
    const SchemaDefinitionList schemas = makeSchemas();
    CSVOptions csv;
    csv.schemaId = static_cast<std::uint32_t>(findSchemaByName(schemas, L"coal")->id);
    csv.intervalRockType = L"GENERAL";
    csv.quotingStyle = 2;
    csv.quoteQuoteStyle = 1;
    csv.escapeCharacter = '^';
    csv.headingRows = 3;
    csv.intervalLocation = 0;
    csv.suppress100Percent = true;
    MemoryProfile profile;
    csv.save(profile, schemas);
    EXPECT_EQ(profile.values[L"Suppress100LithPercent"], L"1");

    CSVOptions back;
    back.load(profile, schemas);
    EXPECT_EQ(back.schemaId, csv.schemaId);
    EXPECT_EQ(back.intervalRockType, L"GENERAL");
    EXPECT_EQ(back.quotingStyle, 2);
    EXPECT_EQ(back.quoteQuoteStyle, 1);
    EXPECT_EQ(back.escapeCharacter, '^');
    EXPECT_EQ(back.headingRows, 3);
    EXPECT_EQ(back.intervalLocation, 0);
    EXPECT_TRUE(back.suppress100Percent);

    const CSVOptionsData data = back.toOptionsData(schemas, false);
    ASSERT_TRUE(data.schema);
    EXPECT_EQ(data.schema->name, L"Coal");
    EXPECT_EQ(data.precision, 3);
    EXPECT_FALSE(data.backup);
    EXPECT_EQ(data.formatCode, FormatCSV);
    EXPECT_EQ(data.escapeCharacter, '^');
    EXPECT_EQ(data.headingRows, 3u);
    EXPECT_TRUE(data.suppress100Percent);
}

TEST(FormatProfiles, MissingSchemaIdFailsAsTheLookupDoes)
{
    const SchemaDefinitionList schemas = makeSchemas();
    CSVOptions csv; // schema id 0: no schema has it
    try {
        csv.toOptionsData(schemas, true);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Item 0 not found");
    }
    PrologOptions prolog;
    prolog.schemaId = 999999;
    EXPECT_THROW(prolog.toOptionsData(schemas, true), std::runtime_error);
}

TEST(FormatProfiles, PrologRecordsCarryTheDefaultSchemasAndProlog4DeduceNeedsNone)
{
    const SchemaDefinitionList schemas = makeSchemas();
    PrologOptions prolog;
    prolog.schemaId = static_cast<std::uint32_t>(findSchemaByName(schemas, L"Basic")->id);
    const PrologOptionsData data = prolog.toOptionsData(schemas, true);
    EXPECT_EQ(data.precision, 2);
    EXPECT_TRUE(data.backup);
    EXPECT_EQ(data.intervalRockType, L"IN GENERAL");
    ASSERT_TRUE(data.prolog21Schema);
    EXPECT_EQ(data.prolog21Schema->name, L"prolog21");
    ASSERT_TRUE(data.prolog30Schema);
    EXPECT_EQ(data.prolog30Schema->name, L"Prolog3");

    Prolog4Options prolog4;
    prolog4.dataLogIndex = 2;
    const Prolog4OptionsData deduced = prolog4.toOptionsData(schemas, false);
    EXPECT_FALSE(deduced.schema);
    EXPECT_EQ(deduced.formatCode, 0);
    EXPECT_TRUE(deduced.deduce);
    EXPECT_EQ(deduced.dataLogIndex, 2u);

    prolog4.deduce = false;
    EXPECT_THROW(prolog4.toOptionsData(schemas, false), std::runtime_error);
    prolog4.schemaId = prolog.schemaId;
    const Prolog4OptionsData fixed = prolog4.toOptionsData(schemas, false);
    ASSERT_TRUE(fixed.schema);
    EXPECT_EQ(fixed.formatCode, 3);
    EXPECT_FALSE(fixed.deduce);
}

TEST(FormatProfiles, CsvRecordFromAReadBoreholeResetsTheFileLayout)
{
    const SchemaDefinitionList schemas = makeSchemas();
    CSVOptionsData read(findSchemaByName(schemas, L"Coal"), 4, true, L"MIXED", FormatCSV, true, 2, 2, '!', 5, 0);
    const CSVOptions remembered(read);
    EXPECT_EQ(remembered.schemaId, static_cast<std::uint32_t>(read.schema->id));
    EXPECT_EQ(remembered.precision, 4);
    EXPECT_EQ(remembered.intervalRockType, L"MIXED");
    EXPECT_TRUE(remembered.suppress100Percent);
    EXPECT_EQ(remembered.quotingStyle, 1);
    EXPECT_EQ(remembered.quoteQuoteStyle, 0);
    EXPECT_EQ(remembered.escapeCharacter, '\\');
    EXPECT_EQ(remembered.headingRows, 1);
    EXPECT_EQ(remembered.intervalLocation, 1);
}

} // namespace
