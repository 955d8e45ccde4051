#include "core/model/LoadMessage.h"

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

bool hasReadFailure(const LoadMessages& list, bool keepGivenDepths)
{
    for (const LoadMessage& m : list) {
        if (m.severity >= SeverityError && !(keepGivenDepths && m.kind == 1))
            return true;
    }
    return false;
}

} // namespace ORBAX_Logging
