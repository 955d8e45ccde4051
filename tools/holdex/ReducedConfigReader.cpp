#include "tools/holdex/ReducedConfigReader.h"

#include <sstream>

#include "core/configfile/ConfigSchemaSection.h"
#include "platform/LineReader.h"
#include "platform/Paths.h"

namespace Holdex {

using ORBAX_Config::AddConfigMessage;
using ORBAX_Config::ConfigTokenStream;
using ORBAX_Config::LineText;
using ORBAX_Config::WidenName;

namespace {

// Skips a section whose "{" has been read. Quotes are taken off a token before it is compared, so a
// quoted brace counts like a plain one.
void skipSection(ConfigTokenStream& stream)
{
    std::string token;
    int depth = 1;
    while (depth >= 1) {
        if (stream.nextWordOrString(token) == ConfigTokenStream::End)
            return;
        if (token == "{")
            ++depth;
        else if (token == "}")
            --depth;
    }
}

} // namespace

void read_configuration_schemas(const std::string& fileName, ConfigMessageList& problems,
                                ORBAX_Logging::SchemaDefinitionList& schemas)
{
    // The name goes into texts that are narrowed again for the terminal: widening it through the
    // same code page gives back the bytes as typed.
    const std::wstring wideName = WidenName(fileName);
    std::string bytes;
    std::string error;
    if (!ORBAX_Platform::read_file_bytes(ORBAX_Platform::path_from_utf8(fileName), bytes, &error)) {
        AddConfigMessage(problems, 1, 3, 1001, {wideName, WidenName(error)});
        return;
    }
    read_configuration_schemas_text(bytes, wideName, problems, schemas);
}

void read_configuration_schemas_text(const std::string& bytes, const std::wstring& fileName,
                                     ConfigMessageList& problems, ORBAX_Logging::SchemaDefinitionList& schemas)
{
    std::stringbuf buffer(ORBAX_Platform::drop_line_end_carriage_returns(bytes));
    ConfigTokenStream stream(&buffer);
    std::string firstLine;
    stream.readLine(firstLine);
    if (!ORBAX_Config::CheckConfigurationHeader(firstLine, fileName, problems))
        return;

    std::string token;
    while (stream.nextWordOrString(token) != ConfigTokenStream::End) {
        if (stream.compare_nocase_cstr("schemadefinitions", token) == 0) {
            ORBAX_Config::ReadSchemaDefinitionsSection(stream, problems, schemas);
        } else {
            std::string next;
            const int kind = stream.nextWordOrString(next);
            if (kind == ConfigTokenStream::End || next != "{")
                AddConfigMessage(problems, 14, 3, 1014, {WidenName(token), LineText(stream)});
            else
                skipSection(stream);
        }
        if (HasConfigFailure(problems))
            break;
    }
}

} // namespace Holdex
