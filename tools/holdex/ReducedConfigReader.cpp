#include "tools/holdex/ReducedConfigReader.h"

#include "core/configfile/ConfigFileReader.h"
#include "platform/Paths.h"

namespace Holdex {

void read_configuration_schemas(const std::string& fileName, bool named, ConfigMessageList& problems,
                                ORBAX_Logging::SchemaDefinitionList& schemas)
{
    // The name is read as typed, byte for byte. A file the user names may be a pipe.
    const std::wstring wideName = ORBAX_Platform::wide_from_name(fileName);
    std::string bytes;
    const auto origin = named ? ORBAX_Config::ConfigFileOrigin::Named : ORBAX_Config::ConfigFileOrigin::Found;
    if (ORBAX_Config::ReadConfigurationFile(ORBAX_Platform::path_from_utf8(fileName), wideName, origin, bytes,
                                            problems))
        read_configuration_schemas_text(bytes, wideName, problems, schemas);
}

void read_configuration_schemas_text(const std::string& bytes, const std::wstring& fileName,
                                     ConfigMessageList& problems, ORBAX_Logging::SchemaDefinitionList& schemas)
{
    const std::vector<ORBAX_Config::ConfigSectionReader> sections = {
        {"schemadefinitions", [&schemas](ORBAX_Config::ConfigTokenStream& stream, ConfigMessageList& list) {
             ORBAX_Config::ReadSchemaDefinitionsSection(stream, list, schemas);
         }}};
    ORBAX_Config::ReadConfigurationSections(bytes, fileName, sections, ORBAX_Config::OtherSections::Skip, problems);
}

} // namespace Holdex
