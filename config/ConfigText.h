#pragma once
// Small text helpers of the configuration: names are narrow code page 1252 text in the file and wide
// in memory (they are compared by NoCaseCompare).
#include <string>

#include "platform/Text.h"

namespace ConfigText {

inline std::string Narrow(const std::wstring& text) { return ORBAX_Platform::narrow_cp1252(text); }
inline std::wstring Widen(const std::string& text) { return ORBAX_Platform::widen_cp1252(text); }

} // namespace ConfigText
