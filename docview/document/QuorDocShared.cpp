#include "docview/document/QuorDocShared.h"

#include <algorithm>

#include "core/catalogue/Messages.h"
#include "dialogs/ApplicationServices.h"
#include "platform/Paths.h"

namespace QuorDocShared {

void addCancel(ErrorEntries& entries)
{
    addErrorEntry(ORBAX_Utilities::get_message_wide(1023), entries, status(1, 23));
}

std::optional<std::wstring> fileExtension(const std::wstring& path)
{
    const std::wstring name = ORBAX_Platform::wide_from_path(ORBAX_Platform::path_from_wide(path).filename());
    const std::size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos)
        return std::nullopt;
    return name.substr(dot + 1);
}

bool hasFailure(const ErrorEntries& entries, std::size_t from)
{
    for (std::size_t i = from; i < entries.size(); ++i)
        if (entries[i].severity >= 3)
            return true;
    return false;
}

bool hasCancel(const ErrorEntries& entries, std::size_t from)
{
    for (std::size_t i = from; i < entries.size(); ++i)
        if (entries[i].code == 23)
            return true;
    return false;
}

bool blocksClosing(const ErrorEntries& entries)
{
    return std::any_of(entries.begin(), entries.end(),
                       [](const ErrorEntry& e) { return e.severity >= 2 || e.code == 23; });
}

const ORBAX_Logging::SchemaDefinitionList& schemaList(ApplicationServices* app)
{
    static const ORBAX_Logging::SchemaDefinitionList none;
    return app ? app->Tables().schemas : none;
}

const StartupSettings& startupSettings(ApplicationServices* app)
{
    static const StartupSettings firstStart;
    return app ? app->Startup() : firstStart;
}

} // namespace QuorDocShared
