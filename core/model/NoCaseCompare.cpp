#include "core/model/NoCaseCompare.h"

namespace {

// Upper-casing maps one character to one, so names of different lengths never match, and equal
// characters need no look-up.
template <class Char, class Facet>
bool EqualUpperCased(const std::basic_string<Char>& a, const std::basic_string<Char>& b, const Facet& facet)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && facet.toupper(a[i]) != facet.toupper(b[i]))
            return false;
    return true;
}

} // namespace

NoCaseCompare::NoCaseCompare()
    : m_locale(), m_facet(&std::use_facet<std::ctype<wchar_t>>(m_locale)),
      m_narrow(&std::use_facet<std::ctype<char>>(m_locale))
{
}

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

bool NoCaseCompare::Equal(const std::wstring& a, const std::wstring& b) const
{
    return EqualUpperCased(a, b, *m_facet);
}

bool NoCaseCompare::Equal(const std::string& a, const std::string& b) const { return EqualUpperCased(a, b, *m_narrow); }

bool NoCaseCompare::StartsWith(const std::wstring& text, const std::wstring& prefix) const
{
    if (prefix.size() > text.size())
        return false;
    return Equal(text.substr(0, prefix.size()), prefix);
}
