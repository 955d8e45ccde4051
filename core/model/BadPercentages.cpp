#include "core/model/BadPercentages.h"

#include "core/catalogue/Messages.h"
#include "platform/Text.h"

namespace ORBAX_Logging {
namespace {

// The characters of the first text that the warning shows.
constexpr std::size_t shownCharacters = 40;

} // namespace

void BadPercentages::note(std::size_t where, std::wstring_view text, std::int32_t readAs)
{
    if (m_count++ > 0)
        return;
    m_first = where;
    m_readAs = readAs;
    m_text.assign(text.substr(0, shownCharacters));
    if (text.size() > shownCharacters)
        m_text += L"...";
}

void BadPercentages::note(std::size_t where, std::string_view cp1252, std::int32_t readAs)
{
    if (m_count++ > 0)
        return;
    m_first = where;
    m_readAs = readAs;
    // One character a byte: only the bytes shown are widened.
    m_text = ORBAX_Platform::widen_cp1252(cp1252.substr(0, shownCharacters));
    if (cp1252.size() > shownCharacters)
        m_text += L"...";
}

void BadPercentages::report(LoadMessages& messages, std::int32_t kind, int messageId) const
{
    if (m_count == 0)
        return;
    addMessage(messages, kind, SeverityWarning,
               ORBAX_Utilities::format_message(
                   messageId, {std::to_wstring(m_first), m_text, std::to_wstring(m_count), std::to_wstring(m_readAs)}));
}

} // namespace ORBAX_Logging
