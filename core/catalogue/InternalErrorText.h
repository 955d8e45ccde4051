#pragma once
// The internal-error report of the desktop program: message 1022 naming the source file and the line
// where a failure that should never happen was met. Every report builds its text here; the macro
// names the file and line it stands at.
#include <string>

namespace ORBAX_Utilities {

// How a report names its source: as the caller gives it, or as the file that a path (__FILE__) ends
// in, with its extension or without.
enum class SourceName { AsGiven, FileName, Stem };

// Message 1022 with %1 the source named as `name` says and %2 the line in decimal.
std::wstring internal_error_text(const char* source, int line, SourceName name = SourceName::AsGiven);

} // namespace ORBAX_Utilities

// Message 1022 naming the file this stands in, without its extension, and this line.
#define QUOR_INTERNAL_ERROR_TEXT()                                                                                     \
    ORBAX_Utilities::internal_error_text(__FILE__, __LINE__, ORBAX_Utilities::SourceName::Stem)
