#include "core/catalogue/InternalErrorText.h"

#include <filesystem>

#include "core/catalogue/Messages.h"
#include "platform/Paths.h"

namespace ORBAX_Utilities {

std::wstring internal_error_text(const char* source, int line, SourceName name)
{
    const char* text = source ? source : "";
    std::wstring shown;
    if (name == SourceName::AsGiven) {
        shown = ORBAX_Platform::wide_from_utf8(text);
    } else {
        const std::filesystem::path path(text);
        shown = ORBAX_Platform::wide_from_path(name == SourceName::FileName ? path.filename() : path.stem());
    }
    return format_message(1022, {shown, std::to_wstring(line)});
}

} // namespace ORBAX_Utilities
