#pragma once
// Messages for failures inside the library: the readers and writers never throw to their callers, so
// an escaping exception becomes an internal-error message naming the source and a line.
#include <cstdint>
#include <string>

#include "core/model/LoadMessage.h"

namespace ORBAX_Logging {

// Appends message 11005 (kind 11, severity 3) naming `sourceFile` and `line`. `detail` (such as an
// exception's text) is passed on but the message does not show it.
void addInternalError(LoadMessages& messages, const std::string& sourceFile, int line, const std::string& detail = {});

// "Error while reading Prolog 4 file: " with the text of message `id`.
std::wstring prolog4ErrorText(int id);

// A numbered problem of the Prolog 4 template reader.
struct CodedError {
    std::int32_t code = 0;
    std::wstring text;
};
CodedError codedError(std::int32_t code, const std::wstring& text);

} // namespace ORBAX_Logging
