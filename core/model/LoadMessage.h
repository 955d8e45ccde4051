#pragma once
// A problem met while reading, writing or checking a borehole or a schema. Readers, writers, the
// depth resolution and schema validation only append to a list that the caller owns.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ORBAX_Logging {

struct LoadMessage {
    // Problem category: 1 depth/thickness inconsistency, 3 incomplete depths, 4 unsavable characters,
    // 5 open failure, 6 unknown schema, 7 backup failure, 8 default schema used, 9 read failure,
    // 10 not a borehole file, 11 internal error, 12-14 schema problems, 16 schema/file mismatch.
    std::int32_t kind = 0;
    // 0 none, 1 info, 2 warning, 3 error, 4 fatal.
    std::int16_t severity = 0;
    std::wstring text;
};

using LoadMessages = std::vector<LoadMessage>;

enum Severity : std::int16_t {
    SeverityNone = 0,
    SeverityInfo = 1,
    SeverityWarning = 2,
    SeverityError = 3,
    SeverityFatal = 4
};

// The messages a list shows in full. Beyond them a note says that more were found, and only the first
// error of each kind and severity is kept.
constexpr std::size_t MaxListedMessages = 1000;

LoadMessage& addMessage(LoadMessages& list, std::int32_t kind, std::int16_t severity, const std::wstring& text);
LoadMessage& addError(LoadMessages& list, std::int32_t kind, const std::wstring& text);
// True when the list holds an error or a fatal problem: a read with such a list has failed.
bool hasFailure(const LoadMessages& list);
// The same for a reader: the read that keeps the given depths (for repair) keeps its units through
// depth and thickness inconsistencies (kind 1), which it exists to mend.
bool hasReadFailure(const LoadMessages& list, bool keepGivenDepths);

} // namespace ORBAX_Logging
