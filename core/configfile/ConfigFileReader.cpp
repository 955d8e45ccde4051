#include "core/configfile/ConfigFileReader.h"

#include <sstream>

#include "core/model/FileLimits.h"
#include "platform/LineReader.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace ORBAX_Config {

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

const ConfigSectionReader* findSection(const ConfigTokenStream& stream, const std::string& token,
                                       const std::vector<ConfigSectionReader>& sections)
{
    for (const ConfigSectionReader& section : sections)
        if (stream.compare_nocase_cstr(section.word, token) == 0)
            return &section;
    return nullptr;
}

} // namespace

bool ReadConfigurationFile(const std::filesystem::path& path, const std::wstring& fileName, ConfigFileOrigin origin,
                           std::string& bytes, ConfigMessageList& messages)
{
    int code = 0;
    const ORBAX_Platform::FileRead outcome =
        origin == ConfigFileOrigin::Found
            ? ORBAX_Platform::read_regular_file(path, MaxConfigurationFileBytes, bytes, code)
            : ORBAX_Platform::read_file_bytes(path, MaxConfigurationFileBytes, bytes, code);
    if (outcome == ORBAX_Platform::FileRead::Read)
        return true;
    AddConfigMessage(messages, 1, 3, 1001,
                     {fileName, ORBAX_Logging::FileReadFailureText(outcome, code, MaxConfigurationFileBytes)});
    return false;
}

void ReadConfigurationSections(const std::string& bytes, const std::wstring& fileName,
                               const std::vector<ConfigSectionReader>& sections, OtherSections others,
                               ConfigMessageList& messages)
{
    std::stringbuf buffer(ORBAX_Platform::line_feeds_only(bytes));
    ConfigTokenStream stream(&buffer);
    std::string firstLine;
    stream.readLine(firstLine);
    if (!CheckConfigurationHeader(firstLine, fileName, messages))
        return;

    std::string token;
    while (stream.nextWordOrString(token) != ConfigTokenStream::End) {
        if (!CountConfigItems(stream, messages))
            break;
        if (const ConfigSectionReader* section = findSection(stream, token, sections)) {
            section->read(stream, messages);
        } else if (others == OtherSections::Refuse) {
            AddConfigMessage(messages, 14, 3, 1014, {ORBAX_Platform::widen_cp1252(token), LineText(stream)});
        } else {
            std::string next;
            const int kind = stream.nextWordOrString(next);
            if (kind == ConfigTokenStream::End || next != "{")
                AddConfigMessage(messages, 14, 3, 1014, {ORBAX_Platform::widen_cp1252(token), LineText(stream)});
            else
                skipSection(stream);
        }
        if (HasConfigFailure(messages))
            break;
    }
}

} // namespace ORBAX_Config
