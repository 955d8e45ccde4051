#include "core/model/LoadMessage.h"

#include <algorithm>

#include "core/catalogue/Messages.h"

namespace ORBAX_Logging {

LoadMessage& addMessage(LoadMessages& list, std::int32_t kind, std::int16_t severity, const std::wstring& text)
{
    if (list.size() >= MaxListedMessages) {
        // A file of a million faulty units would otherwise keep (and show) a million messages. Past
        // the note, an error is kept once for each kind, so that whether the list holds a failure, and
        // of which kind, stays as it would have been.
        if (list.size() == MaxListedMessages)
            list.push_back(LoadMessage{0, SeverityInfo, ORBAX_Utilities::get_message_wide(11179)});
        const auto note = list.begin() + static_cast<std::ptrdiff_t>(MaxListedMessages);
        if (severity < SeverityError)
            return *note;
        for (auto kept = note + 1; kept != list.end(); ++kept)
            if (kept->kind == kind && kept->severity == severity)
                return *kept;
    }
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
