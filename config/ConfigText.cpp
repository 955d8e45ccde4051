#include "config/ConfigText.h"

#include "core/configfile/ConfigSchemaSection.h"

#include <locale>

namespace ConfigText {

namespace {

bool IsClassicLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsClassicDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool IsPlainWord(const std::string& name)
{
    if (name.empty() || !(IsClassicLetter(name[0]) || name[0] == '_'))
        return false;
    for (char c : name)
        if (!(IsClassicLetter(c) || IsClassicDigit(c) || c == '_'))
            return false;
    return true;
}

std::string QuoteIfNeeded(const std::string& name)
{
    if (IsPlainWord(name))
        return name;
    return "\"" + name + "\"";
}

// The configuration's names and the schema section share one conversion through the global locale.
std::string Narrow(const std::wstring& text) { return ORBAX_Config::NarrowName(text); }

std::wstring Widen(const std::string& text) { return ORBAX_Config::WidenName(text); }

std::wstring UpperCase(const std::wstring& text)
{
    const auto& facet = std::use_facet<std::ctype<wchar_t>>(std::locale());
    std::wstring out(text);
    for (wchar_t& c : out)
        c = facet.toupper(c);
    return out;
}

std::string UpperCase(const std::string& text)
{
    const auto& facet = std::use_facet<std::ctype<char>>(std::locale());
    std::string out(text);
    for (char& c : out)
        c = facet.toupper(c);
    return out;
}

bool EqualNoCase(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

} // namespace ConfigText
