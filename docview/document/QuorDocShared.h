#pragma once
// Small helpers of the document's file operations.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/model/SchemaList.h"
#include "widgets/dialogs/ErrorList.h"

class ApplicationServices;
struct StartupSettings;

namespace QuorDocShared {

constexpr std::uint32_t status(int level, int code)
{
    return (static_cast<std::uint32_t>(level) << 16) | static_cast<std::uint32_t>(code);
}

// Appends "Operation cancelled by user" (code 23, level 1).
void addCancel(ErrorEntries& entries);
// Whether the entries from `from` on hold an error or a fatal problem; a cancellation.
bool hasFailure(const ErrorEntries& entries, std::size_t from = 0);
bool hasCancel(const ErrorEntries& entries, std::size_t from = 0);
// Whether the entries hold a warning or worse, or a cancellation: closing is refused then.
bool blocksClosing(const ErrorEntries& entries);
// The extension of a path's file name (a folder's name may hold dots too), without its dot; none when
// the name has no dot.
std::optional<std::wstring> fileExtension(const std::wstring& path);
// The application's schemas (an empty list without an application).
const ORBAX_Logging::SchemaDefinitionList& schemaList(ApplicationServices* app);
// The application's start-up settings (those of a first start without an application).
const StartupSettings& startupSettings(ApplicationServices* app);

} // namespace QuorDocShared
