#pragma once
// Percentages that a read finds to be no whole number, each read as 100 percent or as the whole number
// it begins with: told in one warning after the read, not one per row, naming the first (its place,
// its text and the value read) and counting them all.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/model/LoadMessage.h"

namespace ORBAX_Logging {

class BadPercentages {
public:
    // One more, at row or line `where`, whose text is `text` (wide, or code page 1252 as a file holds
    // it), read as `readAs`; only the first one's place, text and value are kept.
    void note(std::size_t where, std::wstring_view text, std::int32_t readAs = 100);
    void note(std::size_t where, std::string_view cp1252, std::int32_t readAs = 100);

    // Adds warning `messageId` of `kind`: %1 the first one's place, %2 its text (its first 40
    // characters, "..." after them when there are more), %3 the count, %4 the first one's value read.
    // Nothing when none was noted.
    void report(LoadMessages& messages, std::int32_t kind, int messageId) const;

private:
    std::size_t m_count = 0;
    std::size_t m_first = 0;
    std::int32_t m_readAs = 100;
    std::wstring m_text;
};

} // namespace ORBAX_Logging
