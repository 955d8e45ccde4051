#pragma once
// The desktop program's remembered choices per borehole format: kept in the user's profile sections
// "CSVOptions", "PrologOptions" and "Prolog4Options", and turned into the library's option records
// when a borehole is opened or saved. A schema is remembered by name in the profile and by id in
// memory.
#include <cstdint>
#include <string>

#include "core/model/SchemaList.h"
#include "core/options/OptionsData.h"

namespace ORBAX_Utilities {

// One section of the user's profile. Each read answers the default when the profile holds no value.
class SettingsReader {
public:
    virtual ~SettingsReader() = default;
    virtual std::wstring ReadString(const std::wstring& key, const std::wstring& defaultValue) = 0;
    virtual std::string ReadNarrowString(const std::wstring& key, const std::string& defaultValue) = 0;
    virtual int ReadInt(const std::wstring& key, int defaultValue) = 0;
};

class SettingsWriter {
public:
    virtual ~SettingsWriter() = default;
    virtual void WriteString(const std::wstring& key, const std::wstring& value) = 0;
    virtual void WriteNarrowString(const std::wstring& key, const std::string& value) = 0;
    virtual void WriteInt(const std::wstring& key, int value) = 0;
};

} // namespace ORBAX_Utilities

class CSVOptions {
public:
    std::uint32_t schemaId = 0; // 0: none
    std::wstring schemaName;    // as read from the profile
    std::wstring intervalRockType = ORBAX_Logging::DefaultIntervalRockType;
    std::int32_t precision = 3;
    std::int32_t quotingStyle = 1;
    std::int32_t quoteQuoteStyle = 0;
    std::int32_t escapeCharacter = 92; // a backslash
    std::int32_t headingRows = 1;
    std::int32_t intervalLocation = 1;
    bool suppress100Percent = false;

    CSVOptions() = default;
    // What a read borehole's options say: its schema, precision, interval rock type and suppress flag;
    // the other CSV choices go back to their defaults.
    explicit CSVOptions(const ORBAX_Logging::OptionsData& options);
    virtual ~CSVOptions() = default;

    virtual void load(ORBAX_Utilities::SettingsReader& reader, const ORBAX_Logging::SchemaDefinitionList& schemas);
    virtual void save(ORBAX_Utilities::SettingsWriter& writer,
                      const ORBAX_Logging::SchemaDefinitionList& schemas) const;

    // Throws std::runtime_error "Item <id> not found" when the schema is not in the list.
    ORBAX_Logging::CSVOptionsData toOptionsData(const ORBAX_Logging::SchemaDefinitionList& schemas, bool backup) const;
};

class PrologOptions {
public:
    std::uint32_t schemaId = 0;
    std::wstring schemaName;

    virtual ~PrologOptions() = default;
    virtual void load(ORBAX_Utilities::SettingsReader& reader, const ORBAX_Logging::SchemaDefinitionList& schemas);
    virtual void save(ORBAX_Utilities::SettingsWriter& writer,
                      const ORBAX_Logging::SchemaDefinitionList& schemas) const;

    // Starts as Prolog 3.0; a read replaces the format code by the version of the file. Throws as
    // CSVOptions::toOptionsData does.
    ORBAX_Logging::PrologOptionsData toOptionsData(const ORBAX_Logging::SchemaDefinitionList& schemas,
                                                   bool backup) const;
};

class Prolog4Options {
public:
    std::uint32_t dataLogIndex = 0;
    bool deduce = true;
    std::uint32_t schemaId = 0;
    std::wstring schemaName;

    virtual ~Prolog4Options() = default;
    virtual void load(ORBAX_Utilities::SettingsReader& reader, const ORBAX_Logging::SchemaDefinitionList& schemas);
    virtual void save(ORBAX_Utilities::SettingsWriter& writer,
                      const ORBAX_Logging::SchemaDefinitionList& schemas) const;

    // With deduce on, no schema is needed; otherwise throws as CSVOptions::toOptionsData does.
    ORBAX_Logging::Prolog4OptionsData toOptionsData(const ORBAX_Logging::SchemaDefinitionList& schemas,
                                                    bool backup) const;
};
