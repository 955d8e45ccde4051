#pragma once
// A problem found while loading, checking or saving the configuration, or while compiling a pattern:
// a code (usually the message number less 1000), a severity (2 warning, 3 error, 4 fatal) and the
// text. A list holding severity 3 or 4 has a failure.
#include <cstdint>
#include <string>
#include <vector>

struct ConfigMessage {
    std::uint16_t code = 0;
    std::uint16_t severity = 0;
    std::wstring text;

    ConfigMessage() = default;
    ConfigMessage(std::uint16_t c, std::uint16_t s, std::wstring t) : code(c), severity(s), text(std::move(t)) {}

    // The pair as one 32-bit word: severity times 65536 plus the code.
    std::uint32_t word() const { return (static_cast<std::uint32_t>(severity) << 16) | code; }
};

using ConfigMessageList = std::vector<ConfigMessage>;

inline bool HasConfigFailure(const ConfigMessageList& messages)
{
    for (const ConfigMessage& m : messages)
        if (m.severity >= 3)
            return true;
    return false;
}
