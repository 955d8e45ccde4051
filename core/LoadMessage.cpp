#include "LoadMessage.h"

#include <algorithm>

namespace ORBAX_Logging {

LoadMessage& addMessage(LoadMessages& list, std::int32_t kind, std::int16_t severity, const std::wstring& text)
{
    list.push_back(LoadMessage{kind, severity, text});
    return list.back();
}

LoadMessage& addError(LoadMessages& list, std::int32_t kind, const std::wstring& text)
{
    return addMessage(list, kind, SeverityError, text);
}

bool hasFailure(const LoadMessages& list)
{
    return std::any_of(list.begin(), list.end(),
                       [](const LoadMessage& m) { return m.severity == SeverityError || m.severity == SeverityFatal; });
}

} // namespace ORBAX_Logging
