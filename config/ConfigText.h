#pragma once
// Small text helpers of the configuration: names are narrow code page 1252 text in the file and wide
// in memory, converted through the global locale; names that are not plain words are written in
// double quotes so that the token reader reads them back whole.
#include <string>

namespace ConfigText {

// True for a word token of the configuration reader: a letter or "_" first, then letters, digits
// and "_" (letters and digits of the classic "C" classification).
bool IsPlainWord(const std::string& name);
// The name as written in the file: in double quotes unless it is a plain word.
std::string QuoteIfNeeded(const std::string& name);

std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& text);

// Upper-cased character by character through the global locale's facet.
std::wstring UpperCase(const std::wstring& text);
std::string UpperCase(const std::string& text);
bool EqualNoCase(const std::wstring& a, const std::wstring& b);

} // namespace ConfigText
