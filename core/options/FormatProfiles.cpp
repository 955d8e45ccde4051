#include "core/options/FormatProfiles.h"

using ORBAX_Logging::SchemaDefinitionList;
using ORBAX_Logging::SchemaPtr;

namespace {

// The id of the first schema whose name matches (ignoring case), 0 when none does.
std::uint32_t schemaIdOfName(const SchemaDefinitionList& schemas, const std::wstring& name)
{
    if (name.empty())
        return 0;
    SchemaPtr found = ORBAX_Logging::lookupSchemaByName(schemas, name);
    return found ? static_cast<std::uint32_t>(found->id) : 0;
}

void loadSchema(ORBAX_Utilities::SettingsReader& reader, const SchemaDefinitionList& schemas, std::uint32_t& id,
                std::wstring& name)
{
    name = reader.ReadString(L"Schema", std::wstring());
    id = schemaIdOfName(schemas, name);
}

// "Schema" is written only for a schema the configuration still has.
void saveSchema(ORBAX_Utilities::SettingsWriter& writer, const SchemaDefinitionList& schemas, std::uint32_t id)
{
    SchemaPtr schema = ORBAX_Logging::lookupSchemaById(schemas, static_cast<std::int32_t>(id));
    if (schema)
        writer.WriteString(L"Schema", schema->name);
}

SchemaPtr schemaOfId(const SchemaDefinitionList& schemas, std::uint32_t id)
{
    return ORBAX_Logging::findSchemaById(schemas, static_cast<std::int32_t>(id));
}

} // namespace

CSVOptions::CSVOptions(const ORBAX_Logging::OptionsData& options)
    : schemaId(options.schema ? static_cast<std::uint32_t>(options.schema->id) : 0),
      intervalRockType(options.intervalRockType), precision(options.precision),
      suppress100Percent(options.suppress100Percent)
{
}

void CSVOptions::load(ORBAX_Utilities::SettingsReader& reader, const SchemaDefinitionList& schemas)
{
    loadSchema(reader, schemas, schemaId, schemaName);
    intervalRockType = reader.ReadString(L"IntervalRocktype", ORBAX_Logging::DefaultIntervalRockType);
    quotingStyle = reader.ReadInt(L"QuotingStyle", 1);
    quoteQuoteStyle = reader.ReadInt(L"QuoteQuoting", 0);
    escapeCharacter = reader.ReadInt(L"Escape", 92);
    headingRows = reader.ReadInt(L"HeadingRows", 1);
    intervalLocation = reader.ReadInt(L"InGeneralLocation", 1);
    suppress100Percent = reader.ReadInt(L"Suppress100LithPercent", 0) != 0;
}

void CSVOptions::save(ORBAX_Utilities::SettingsWriter& writer, const SchemaDefinitionList& schemas) const
{
    saveSchema(writer, schemas, schemaId);
    writer.WriteString(L"IntervalRocktype", intervalRockType);
    writer.WriteInt(L"QuotingStyle", quotingStyle);
    writer.WriteInt(L"QuoteQuoting", quoteQuoteStyle);
    writer.WriteInt(L"Escape", escapeCharacter);
    writer.WriteInt(L"HeadingRows", headingRows);
    writer.WriteInt(L"InGeneralLocation", intervalLocation);
    writer.WriteInt(L"Suppress100LithPercent", suppress100Percent ? 1 : 0);
}

ORBAX_Logging::CSVOptionsData CSVOptions::toOptionsData(const SchemaDefinitionList& schemas, bool backup) const
{
    return ORBAX_Logging::CSVOptionsData(
        schemaOfId(schemas, schemaId), precision, backup, intervalRockType, ORBAX_Logging::FormatCSV,
        suppress100Percent, quotingStyle, quoteQuoteStyle, static_cast<char>(escapeCharacter),
        static_cast<std::uint32_t>(headingRows < 0 ? 0 : headingRows), intervalLocation);
}

void PrologOptions::load(ORBAX_Utilities::SettingsReader& reader, const SchemaDefinitionList& schemas)
{
    loadSchema(reader, schemas, schemaId, schemaName);
}

void PrologOptions::save(ORBAX_Utilities::SettingsWriter& writer, const SchemaDefinitionList& schemas) const
{
    saveSchema(writer, schemas, schemaId);
}

ORBAX_Logging::PrologOptionsData PrologOptions::toOptionsData(const SchemaDefinitionList& schemas, bool backup) const
{
    return ORBAX_Logging::PrologOptionsData(schemaOfId(schemas, schemaId), 2, backup,
                                            ORBAX_Logging::DefaultIntervalRockType, ORBAX_Logging::FormatProlog30,
                                            false, ORBAX_Logging::lookupSchemaByName(schemas, L"prolog21"),
                                            ORBAX_Logging::lookupSchemaByName(schemas, L"prolog3"));
}

void Prolog4Options::load(ORBAX_Utilities::SettingsReader& reader, const SchemaDefinitionList& schemas)
{
    loadSchema(reader, schemas, schemaId, schemaName);
    deduce = reader.ReadInt(L"DeduceSchema", 1) != 0;
}

void Prolog4Options::save(ORBAX_Utilities::SettingsWriter& writer, const SchemaDefinitionList& schemas) const
{
    saveSchema(writer, schemas, schemaId);
    writer.WriteInt(L"DeduceSchema", deduce ? 1 : 0);
}

ORBAX_Logging::Prolog4OptionsData Prolog4Options::toOptionsData(const SchemaDefinitionList& schemas, bool backup) const
{
    if (deduce)
        return ORBAX_Logging::Prolog4OptionsData(nullptr, 2, backup, ORBAX_Logging::DefaultIntervalRockType,
                                                 ORBAX_Logging::FormatUnknown, false, true, dataLogIndex);
    return ORBAX_Logging::Prolog4OptionsData(schemaOfId(schemas, schemaId), 2, backup,
                                             ORBAX_Logging::DefaultIntervalRockType, ORBAX_Logging::FormatProlog40,
                                             false, false, dataLogIndex);
}
