#include "widgets/text/NoCaseCompare.h"

NoCaseCompare::NoCaseCompare() : m_locale(), m_facet(&std::use_facet<std::ctype<wchar_t>>(m_locale)) {}

std::wstring NoCaseCompare::UpperCase(const std::wstring& text) const
{
    std::wstring out(text);
    for (wchar_t& c : out)
        c = m_facet->toupper(c);
    return out;
}

int NoCaseCompare::Compare(const std::wstring& a, const std::wstring& b) const
{
    return UpperCase(a).compare(UpperCase(b));
}

bool NoCaseCompare::StartsWith(const std::wstring& text, const std::wstring& prefix) const
{
    if (prefix.size() > text.size())
        return false;
    return UpperCase(text.substr(0, prefix.size())) == UpperCase(prefix);
}
