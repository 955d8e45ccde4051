#pragma once
// Conversions between wide and narrow text, trimming of blanks, and small string helpers used by
// every reader and writer.
#include <locale>
#include <string>

namespace ORBAX_Utilities {

template <class CharT>
class Trimmer;

// The wide trimmer: a locale, its character facet and the blank set " \t\n".
template <>
class Trimmer<wchar_t> {
public:
    // The blank set is widened through the locale's own facet.
    explicit Trimmer(const std::locale& loc = std::locale());
    // The blank set is widened through the current global locale's facet; the facet member is still
    // the given locale's.
    Trimmer(const std::locale& loc, bool widenThroughGlobal);

    void trim(std::wstring& text) const;
    std::wstring trimmed(const std::wstring& text) const;

    const std::locale& locale() const { return m_locale; }
    const std::ctype<wchar_t>& ctype() const { return *m_ctype; }
    const std::wstring& set() const { return m_set; }

private:
    std::locale m_locale;
    const std::ctype<wchar_t>* m_ctype;
    std::wstring m_set;
};

// The narrow twin used by the token stream.
template <>
class Trimmer<char> {
public:
    explicit Trimmer(const std::locale& loc = std::locale());

    std::string trim(const std::string& text) const;

    const std::locale& locale() const { return m_locale; }
    const std::ctype<char>& ctype() const { return *m_ctype; }
    const std::string& set() const { return m_set; }

private:
    std::locale m_locale;
    const std::ctype<char>* m_ctype;
    std::string m_set;
};

using WideTrimmer = Trimmer<wchar_t>;
using NarrowTrimmer = Trimmer<char>;

// Character by character through the trimmer's facet; never fail.
std::wstring widen_string(const WideTrimmer& trimmer, const char* cText);
std::wstring widen_text(const WideTrimmer& trimmer, const std::string& text);
std::string narrow_string(const std::wstring& text, const WideTrimmer& trimmer);

// Through the locale's code conversion; throw std::runtime_error("String conversion failed").
std::string narrow_with_codecvt(const std::wstring& text, const std::locale& loc);
std::wstring NarrowToWide(const std::string& text, const std::locale& loc);

std::string make_string(const char* cText);
std::wstring WidenCString(const wchar_t* cText);
void wstring_clear(std::wstring& text);

// The next ","-separated field of `text` from `position`. Afterwards `position` is just past that
// comma, or -1 when there was no further comma (or the comma ended the text). A position at or past
// the end gives an empty field and is left as it is.
std::string nextCommaField(const std::string& text, int& position);

} // namespace ORBAX_Utilities
