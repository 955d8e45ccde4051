#include "core/model/InternalError.h"

#include "core/catalogue/Messages.h"
#include "platform/Paths.h"

namespace ORBAX_Logging {

void addInternalError(LoadMessages& messages, const std::string& sourceFile, int line, const std::string& detail)
{
    std::vector<std::wstring> args{ORBAX_Platform::wide_from_utf8(sourceFile), std::to_wstring(line),
                                   ORBAX_Platform::wide_from_utf8(detail)};
    addError(messages, 11, ORBAX_Utilities::format_message(11005, args));
}

std::wstring prolog4ErrorText(int id)
{
    return ORBAX_Utilities::format_message1(11008, ORBAX_Utilities::get_message_wide(id));
}

CodedError codedError(std::int32_t code, const std::wstring& text) { return CodedError{code, text}; }

} // namespace ORBAX_Logging
