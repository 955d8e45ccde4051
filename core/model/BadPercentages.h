#pragma once
// Percentages that a read finds to be no whole number, each read as 100 percent: told in one warning
// after the read, not one per row, naming the first (its place and its text) and counting them all.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/model/LoadMessage.h"

namespace ORBAX_Logging {

class BadPercentages {
public:
    // One more, at row or line `where`, whose text is `text` (wide, or code page 1252 as a file holds
    // it); only the first one's place and text are kept.
    void note(std::size_t where, std::wstring_view text);
    void note(std::size_t where, std::string_view cp1252);

    // Adds warning `messageId` of `kind`: %1 the first one's place, %2 its text (its first 40
    // characters, "..." after them when there are more), %3 the count. Nothing when none was noted.
    void report(LoadMessages& messages, std::int32_t kind, int messageId) const;

private:
    std::size_t m_count = 0;
    std::size_t m_first = 0;
    std::wstring m_text;
};

} // namespace ORBAX_Logging
