#pragma once
// The reading loop of the configuration file, shared by the desktop program's full reader and the
// console tool's reader of schemas: the file's bytes, the header line, then section words each
// followed by its section, until the input ends or a problem of severity 3 or 4 has been met.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/configfile/ConfigMessage.h"
#include "core/configfile/ConfigSchemaSection.h"

namespace ORBAX_Config {

// The most of a configuration file that is read: far above any real one (the shipped file has 6 KB).
constexpr std::size_t MaxConfigurationFileBytes = std::size_t(16) << 20;

// Where the name of a configuration file came from. A file the user named may be a pipe; one the
// program found by itself (beside it, in the user's folder) is read only when it is a regular file,
// so that a pipe or device put there can neither stop nor swamp the program.
enum class ConfigFileOrigin { Named, Found };

// The whole file as bytes; false with message 1001 (`fileName`, the reason) when it cannot be read,
// is larger than MaxConfigurationFileBytes or, when found, is no regular file.
bool ReadConfigurationFile(const std::filesystem::path& path, const std::wstring& fileName, ConfigFileOrigin origin,
                           std::string& bytes, ConfigMessageList& messages);

// A section word (compared without regard to case) and the reader called just after it.
struct ConfigSectionReader {
    const char* word;
    std::function<void(ConfigTokenStream&, ConfigMessageList&)> read;
};

// What a word that names no known section gives: message 1014 (Refuse), or, when a "{" follows it,
// its brace-balanced block skipped unread (Skip; 1014 still when no "{" follows).
enum class OtherSections { Refuse, Skip };

// Reads configuration text (the file's bytes; CR LF and a lone CR read as a line feed).
// `fileName` names the text in messages. A header that does not name a configuration of this version
// gives its message and nothing is read.
void ReadConfigurationSections(const std::string& bytes, const std::wstring& fileName,
                               const std::vector<ConfigSectionReader>& sections, OtherSections others,
                               ConfigMessageList& messages);

} // namespace ORBAX_Config
