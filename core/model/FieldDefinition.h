#pragma once
// One typed column of a schema.
#include <cstdint>
#include <string>

namespace ORBAX_Logging {

// Field kinds; the numbers are stored in configuration files.
enum FieldKind : std::int32_t {
    BOTTOM = 0,
    PERCENTAGE = 1,
    ROCKTYPE = 2,
    SAMPLE = 3,
    PLY = 4,
    STRING = 5,
    REAL = 6,
    INTEGER = 7,
    THICKNESS = 8,
    RECOVERED = 9,
    SEAM = 10,
    TOP = 11,
};

constexpr std::int32_t FieldKindCount = 12;

struct FieldDefinition {
    std::int32_t kind = STRING;
    // The column heading or description.
    std::wstring name;

    FieldDefinition() = default;
    FieldDefinition(std::int32_t k, std::wstring n) : kind(k), name(std::move(n)) {}
    bool operator==(const FieldDefinition& other) const { return kind == other.kind && name == other.name; }
};

// The upper-case keyword of a kind ("BOTTOM" ... "TOP"); empty for a kind outside 0 to 11.
const std::wstring& fieldKindKeyword(std::int32_t kind);
// The kind of a keyword, ignoring case; -1 when it names none.
std::int32_t fieldKindFromKeyword(const std::wstring& keyword);
// Free fields keep their text in the element row's values.
inline bool isFreeField(std::int32_t kind) { return kind == STRING || kind == REAL || kind == INTEGER; }

} // namespace ORBAX_Logging
