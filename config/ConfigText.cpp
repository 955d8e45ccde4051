#include "config/ConfigText.h"

#include <locale>

namespace ConfigText {

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
