#pragma once
// Every archive of units begins with the identifier of the running program that wrote it, so that
// a reader can tell an archive of its own (a copy and paste within one window) from one made by
// another running copy of the program.
#include <string>

namespace ORBAX_Utilities {

// This run's identifier: a time-based (version 1) UUID in its text form, 36 characters of
// lower-case hexadecimal in the groups 8-4-4-4-12. Made once, on first use, and unchanged for the
// whole run.
std::string processUuidString();

// `text` when it is a UUID in that text form (upper- or lower-case digits); otherwise throws
// std::runtime_error "Invalid UUID string " followed by the text.
std::string checkedUuidString(const std::string& text);

// A fresh time-based UUID text; successive calls in one run give different texts.
std::string makeSequentialUuidString();

} // namespace ORBAX_Utilities
