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

std::wstring SaveFailureText(const ORBAX_Platform::SafeSaveResult& result)
{
    using ORBAX_Platform::Refusal;
    const std::wstring name = ORBAX_Platform::wide_from_path(result.refused);
    switch (result.refusal) {
    case Refusal::OthersLink: return ORBAX_Utilities::format_message1(1092, name);
    case Refusal::OthersDevice: return ORBAX_Utilities::format_message1(1093, name);
    case Refusal::PipeWithoutReader: return ORBAX_Utilities::format_message1(1094, name);
    case Refusal::Attributes:
        return ORBAX_Utilities::format_message2(1095, name, ORBAX_Platform::wide_from_utf8(result.error));
    case Refusal::None: break;
    }
    return ORBAX_Platform::wide_from_utf8(result.error);
}

} // namespace ORBAX_Logging
