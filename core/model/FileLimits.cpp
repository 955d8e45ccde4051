#include "core/model/FileLimits.h"

#include <cerrno>

#include "core/catalogue/Messages.h"

namespace ORBAX_Logging {

std::wstring FileReadFailureText(ORBAX_Platform::FileRead outcome, int code, std::size_t maxBytes)
{
    switch (outcome) {
    case ORBAX_Platform::FileRead::TooLarge:
        return ORBAX_Utilities::format_message1(1090, std::to_wstring(maxBytes >> 20));
    case ORBAX_Platform::FileRead::NotRegular: return ORBAX_Utilities::get_message_wide(1091);
    default: return ORBAX_Utilities::SystemErrorText(code ? code : EIO);
    }
}

std::wstring SaveFailureText(const std::string& error, const std::filesystem::path& refusedLink)
{
    if (refusedLink.empty())
        return ORBAX_Platform::wide_from_utf8(error);
    return ORBAX_Utilities::format_message1(1092, ORBAX_Platform::wide_from_path(refusedLink));
}

} // namespace ORBAX_Logging
