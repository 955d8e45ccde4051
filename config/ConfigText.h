#pragma once
// Small text helpers of the configuration: names are narrow code page 1252 text in the file and wide
// in memory; names are compared without regard to case.
#include <string>

#include "platform/Text.h"

namespace ConfigText {

inline std::string Narrow(const std::wstring& text) { return ORBAX_Platform::narrow_cp1252(text); }
inline std::wstring Widen(const std::string& text) { return ORBAX_Platform::widen_cp1252(text); }

// Upper-cased character by character through the global locale's facet.
std::wstring UpperCase(const std::wstring& text);
std::string UpperCase(const std::string& text);
bool EqualNoCase(const std::wstring& a, const std::wstring& b);

} // namespace ConfigText
