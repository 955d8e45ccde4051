// Finding, loading and saving the configuration file, the built-in state and the check of bitmaps
// and hatch lists.
#include "config/Quor_Log_Config.h"

#include <system_error>

#include "core/catalogue/InternalErrorText.h"
#include "core/catalogue/Messages.h"
#include "core/configfile/ConfigSchemaSection.h"
#include "platform/FileIdentity.h"
#include "platform/Paths.h"

using namespace ORBAX_Config;

const wchar_t* const QuorLogConfig::FileName = L"QuorLogConfig.txt";

QuorLogConfig::QuorLogConfig(ConfigurationTables& tables) : m_tables(tables) {}

namespace {

// A file is there when its status can be read and it is not "not found".
bool fileIsThere(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return !error && status.type() != std::filesystem::file_type::not_found;
}

} // namespace

void QuorLogConfig::LoadConfiguration(ConfigMessageList& messages, std::wstring& loadedPath)
{
    // The built-in state comes first, so that a failed search still leaves a usable schema.
    ResetConfiguration();

    auto load = [&](const std::wstring& path, ConfigFileOrigin origin) {
        SetConfigurationDirectory(path, messages, origin);
        loadedPath = path;
        configurationModified = false;
    };

    std::wstring checked;
    if (!clientMode) {
        if (!explicitPath.empty()) {
            load(explicitPath, ConfigFileOrigin::Named);
            return;
        }
        const std::filesystem::path user = userFolder / FileName;
        if (fileIsThere(user)) {
            load(ORBAX_Platform::wide_from_path(user), ConfigFileOrigin::Found);
            return;
        }
        checked += ORBAX_Platform::wide_from_path(user) + L"\n";
    }
    const std::filesystem::path program = programFolder / FileName;
    if (fileIsThere(program)) {
        load(ORBAX_Platform::wide_from_path(program), ConfigFileOrigin::Found);
        return;
    }
    checked += ORBAX_Platform::wide_from_path(program) + L"\n";
    AddConfigMessage(messages, 30, 4, 1030, {FileName, checked});
    loadedPath.clear();
}

void QuorLogConfig::SetConfigurationDirectory(const std::wstring& path, ConfigMessageList& messages,
                                              ConfigFileOrigin origin)
{
    // Relative names (the file's own, and the image files of bitmaps) are taken from the program
    // folder. They are resolved here rather than by changing the process's current folder, which
    // other threads may rely on.
    ReadConfiguration(ORBAX_Platform::wide_from_path(ConfigurationFilePath(path)), messages, origin);
}

std::filesystem::path QuorLogConfig::ConfigurationFilePath(const std::wstring& path) const
{
    std::filesystem::path file = ORBAX_Platform::path_from_wide(path);
    if (file.is_relative() && !programFolder.empty())
        file = programFolder / file;
    return file;
}

void QuorLogConfig::SaveConfiguration()
{
    ConfigMessageList messages;
    SaveConfiguration(messages);
}

bool QuorLogConfig::NamesInstalledFile() const
{
    return !explicitPath.empty() &&
           ORBAX_Platform::same_file(ConfigurationFilePath(explicitPath), programFolder / FileName);
}

void QuorLogConfig::MakeUserFolder(ConfigMessageList& messages) const
{
    std::error_code error;
    std::filesystem::create_directories(userFolder, error);
    if (error)
        AddConfigMessage(messages, 42, 3, 1042,
                         {ORBAX_Platform::wide_from_path(userFolder), ORBAX_Platform::wide_from_utf8(error.message())});
}

std::filesystem::path QuorLogConfig::SavePath() const
{
    if (clientMode)
        return {};
    if (!explicitPath.empty() && !NamesInstalledFile())
        return ConfigurationFilePath(explicitPath);
    return UserConfigurationPath();
}

void QuorLogConfig::SaveConfiguration(ConfigMessageList& messages)
{
    const std::filesystem::path target = SavePath();
    const std::wstring path = ORBAX_Platform::wide_from_path(target);
    bool notice = false;
    if (target.empty()) {
        // Client mode reads only the installed file, which is never written: a save anywhere else
        // would be a change that no start reads.
        AddConfigMessage(messages, 31, 3, 1031, {ORBAX_Platform::wide_from_path(programFolder / FileName)});
    } else {
        if (target == UserConfigurationPath())
            MakeUserFolder(messages);
        // Only a regular file is written: a pipe or device in its place (found there, or named on the
        // command line) would not give the configuration back at the next start, and writing into
        // it could stop the program for good.
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::status(target, error);
        try {
            if (!error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
                AddConfigMessage(messages, 1, 3, 1001, {path, ORBAX_Utilities::get_message_wide(1091)});
            else
                WriteConfiguration(path, messages);
        } catch (const std::exception& e) {
            AddConfigMessage(messages, 43, 3, 1043, {std::wstring(), ORBAX_Platform::wide_from_utf8(e.what())});
        }
        if (HasConfigFailure(messages)) {
            // The edits are still in the tables: the user learns that the file the next start reads
            // does not hold them, and how to save them after all.
            AddConfigMessage(messages, 33, 1, 1033, {path});
        } else if (NamesInstalledFile() && !toldSavedElsewhere) {
            AddConfigMessage(messages, 32, 2, 1032, {path, explicitPath});
            toldSavedElsewhere = notice = true;
        }
    }
    if (!HasConfigFailure(messages))
        configurationModified = false;
    if ((notice || HasConfigFailure(messages)) && showErrors)
        showErrors(messages);
}

void QuorLogConfig::ResetConfiguration()
{
    m_tables.Clear();

    using namespace ORBAX_Logging;
    SchemaDefinition basic(L"Basic", {{ROCKTYPE, L"Rock type"},
                                      {PERCENTAGE, L"Percentage"},
                                      {BOTTOM, L"Depth"},
                                      {SEAM, L"Seam"},
                                      {PLY, L"Ply"},
                                      {SAMPLE, L"Sample"},
                                      {RECOVERED, L"Recovered"},
                                      {THICKNESS, L"Thickness"}});
    LoadMessages validation;
    if (basic.validate(validation))
        InsertSchemaDefinition(m_tables.schemas, basic, m_tables.schemas.end());
    else if (showInternalError)
        showInternalError(QUOR_INTERNAL_ERROR_TEXT());
}

ConfigMessageList QuorLogConfig::ValidateHatchLists(bool saveSettings)
{
    ConfigMessageList messages = CheckHatchLists();
    if (saveSettings && configurationModified)
        SaveConfiguration();
    return messages;
}

ConfigMessageList QuorLogConfig::CheckHatchLists()
{
    ConfigMessageList messages;
    for (const auto& item : m_tables.bitmaps) {
        const BitmapPattern& pattern = item.second;
        if (pattern.width != 0 && pattern.height != 0)
            continue;
        if (pattern.kind == BitmapPattern::ImageFile)
            AddConfigMessage(messages, 8, 2, 1108, {pattern.name, pattern.fileName});
        else
            AddConfigMessage(messages, 8, 2, 1208, {pattern.name});
    }
    PatternNames names;
    names.update(m_tables.bitmaps, m_tables.vectors, m_tables.inbuilts);
    for (auto& item : m_tables.hatchLists) {
        HatchList& list = item.second;
        for (HatchListEntry& entry : list.entries) {
            if (HatchListEntry::Resolve(names, entry))
                continue;
            // Unlike the same finding while reading the file, there is no line to name here.
            AddConfigMessage(messages, 6, 2, 1106,
                             {list.name, ORBAX_Platform::widen_cp1252(HatchListEntry::KindWord(entry.kind)),
                              entry.rockType, entry.patternName});
        }
    }
    bool show = false;
    for (const ConfigMessage& message : messages)
        if (message.severity != 0 && message.code != 23)
            show = true;
    if (show && showErrors)
        showErrors(messages);
    return messages;
}

void LoadCustomColours(std::uint32_t colours[16], const std::vector<std::uint8_t>& stored)
{
    for (int i = 0; i < 16; ++i)
        colours[i] = 0xFFFFFF;
    const std::size_t count = std::min<std::size_t>(16, stored.size() / 4);
    for (std::size_t i = 0; i < count; ++i)
        colours[i] = static_cast<std::uint32_t>(stored[i * 4]) | static_cast<std::uint32_t>(stored[i * 4 + 1]) << 8 |
                     static_cast<std::uint32_t>(stored[i * 4 + 2]) << 16 |
                     static_cast<std::uint32_t>(stored[i * 4 + 3]) << 24;
}
