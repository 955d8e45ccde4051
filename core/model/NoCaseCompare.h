#pragma once
// The program's one case-insensitive test of names: both names upper-cased character by character
// through the global locale's character facet (code page 1252 text with Unicode case mapping), then
// compared ordinally. Every look-up, list, editor and drawing rule that says "the same name" uses it:
// schemas and their fields, patterns, hatch lists and rock types, seams, plies and samples, free
// fields on the clipboard and the curve names of trace definitions (narrow, through the narrow facet).
#include <locale>
#include <string>

class NoCaseCompare {
public:
    // Takes the global locale as it is now; make one after the program has installed its facets.
    NoCaseCompare();

    // Below 0, 0 or above 0 as `a` sorts before, equals or sorts after `b`; 0 means the same name.
    int Compare(const std::wstring& a, const std::wstring& b) const;
    int operator()(const std::wstring& a, const std::wstring& b) const { return Compare(a, b); }

    bool Equal(const std::wstring& a, const std::wstring& b) const;
    bool Equal(const std::string& a, const std::string& b) const;
    // True when `text` begins with `prefix`, ignoring case.
    bool StartsWith(const std::wstring& text, const std::wstring& prefix) const;

    // The form the comparison sees: a case-blind key for sets of names.
    std::wstring UpperCase(const std::wstring& text) const;

private:
    std::locale m_locale;
    const std::ctype<wchar_t>* m_facet;
    const std::ctype<char>* m_narrow;
};

// The index of the name that `name` selects in `names`: the first that equals it ignoring case, or
// else the first that begins with it ignoring case; -1 when none does. An empty name selects nothing.
template <class Names, class NameOf>
int FindNameExactOrPrefix(const Names& names, const std::wstring& name, NameOf nameOf)
{
    if (name.empty())
        return -1;
    const NoCaseCompare compare;
    int prefix = -1;
    int index = 0;
    for (const auto& item : names) {
        const std::wstring candidate = nameOf(item);
        if (compare.Equal(candidate, name))
            return index;
        if (prefix < 0 && compare.StartsWith(candidate, name))
            prefix = index;
        ++index;
    }
    return prefix;
}
