#include "core/catalogue/TextConversion.h"

#include <algorithm>
#include <cwchar>
#include <stdexcept>
#include <vector>

namespace ORBAX_Utilities {

Trimmer<wchar_t>::Trimmer(const std::locale& loc)
    : m_locale(loc), m_ctype(&std::use_facet<std::ctype<wchar_t>>(m_locale))
{
    const char blanks[] = " \t\n";
    m_set.resize(3);
    m_ctype->widen(blanks, blanks + 3, m_set.data());
}

Trimmer<wchar_t>::Trimmer(const std::locale& loc, bool widenThroughGlobal)
    : m_locale(loc), m_ctype(&std::use_facet<std::ctype<wchar_t>>(m_locale))
{
    const char blanks[] = " \t\n";
    m_set.resize(3);
    const std::ctype<wchar_t>& facet =
        widenThroughGlobal ? std::use_facet<std::ctype<wchar_t>>(std::locale()) : *m_ctype;
    facet.widen(blanks, blanks + 3, m_set.data());
}

std::wstring Trimmer<wchar_t>::trimmed(const std::wstring& text) const
{
    auto first = text.find_first_not_of(m_set);
    if (first == std::wstring::npos)
        return std::wstring();
    auto last = text.find_last_not_of(m_set);
    return text.substr(first, last - first + 1);
}

void Trimmer<wchar_t>::trim(std::wstring& text) const
{
    auto first = text.find_first_not_of(m_set);
    if (first == std::wstring::npos) {
        text.clear();
        return;
    }
    auto last = text.find_last_not_of(m_set);
    text.erase(last + 1);
    text.erase(0, first);
}

Trimmer<char>::Trimmer(const std::locale& loc)
    : m_locale(loc), m_ctype(&std::use_facet<std::ctype<char>>(m_locale)), m_set(" \t\n")
{
}

std::string Trimmer<char>::trim(const std::string& text) const
{
    auto first = text.find_first_not_of(m_set);
    if (first == std::string::npos)
        return std::string();
    auto last = text.find_last_not_of(m_set);
    return text.substr(first, last - first + 1);
}

std::wstring widen_string(const WideTrimmer& trimmer, const char* cText)
{
    if (!cText || !*cText)
        return std::wstring();
    return widen_text(trimmer, std::string(cText));
}

std::wstring widen_text(const WideTrimmer& trimmer, const std::string& text)
{
    std::wstring out(text.size(), L'\0');
    if (!text.empty())
        trimmer.ctype().widen(text.data(), text.data() + text.size(), out.data());
    return out;
}

std::string narrow_string(const std::wstring& text, const WideTrimmer& trimmer)
{
    std::string out(text.size(), '\0');
    if (!text.empty())
        trimmer.ctype().narrow(text.data(), text.data() + text.size(), '?', out.data());
    return out;
}

namespace {

using Codecvt = std::codecvt<wchar_t, char, std::mbstate_t>;

[[noreturn]] void conversion_failed() { throw std::runtime_error("String conversion failed"); }

} // namespace

std::string narrow_with_codecvt(const std::wstring& text, const std::locale& loc)
{
    if (text.empty())
        return std::string();
    const Codecvt& cvt = std::use_facet<Codecvt>(loc);
    const std::size_t step = static_cast<std::size_t>(std::max(1, cvt.max_length()));
    std::string out(text.size() * step, '\0');
    std::mbstate_t state{};
    const wchar_t* from = text.data();
    const wchar_t* fromEnd = text.data() + text.size();
    std::size_t produced = 0;
    for (;;) {
        const wchar_t* fromNext = from;
        char* toNext = out.data() + produced;
        auto result = cvt.out(state, from, fromEnd, fromNext, out.data() + produced, out.data() + out.size(), toNext);
        if (result == Codecvt::noconv)
            return std::string(text.begin(), text.end());
        if (result == Codecvt::error)
            conversion_failed();
        bool progress = fromNext != from || toNext != out.data() + produced;
        produced = static_cast<std::size_t>(toNext - out.data());
        from = fromNext;
        if (result == Codecvt::ok)
            break;
        // partial: enlarge and go on with the rest, unless the facet is stuck
        if (!progress && produced < out.size())
            conversion_failed();
        out.resize(out.size() + 10 * step);
    }
    out.resize(produced);
    return out;
}

std::wstring NarrowToWide(const std::string& text, const std::locale& loc)
{
    if (text.empty())
        return std::wstring();
    const Codecvt& cvt = std::use_facet<Codecvt>(loc);
    const std::size_t step = static_cast<std::size_t>(std::max(1, cvt.max_length()));
    std::wstring out(text.size() * step, L'\0');
    std::mbstate_t state{};
    const char* from = text.data();
    const char* fromEnd = text.data() + text.size();
    std::size_t produced = 0;
    for (;;) {
        const char* fromNext = from;
        wchar_t* toNext = out.data() + produced;
        auto result = cvt.in(state, from, fromEnd, fromNext, out.data() + produced, out.data() + out.size(), toNext);
        if (result == Codecvt::noconv) {
            std::wstring plain;
            for (char c : text)
                plain += static_cast<wchar_t>(static_cast<unsigned char>(c));
            return plain;
        }
        if (result == Codecvt::error)
            conversion_failed();
        bool progress = fromNext != from || toNext != out.data() + produced;
        produced = static_cast<std::size_t>(toNext - out.data());
        from = fromNext;
        if (result == Codecvt::ok)
            break;
        if (!progress && produced < out.size())
            conversion_failed();
        out.resize(out.size() + 10 * step);
    }
    out.resize(produced);
    return out;
}

std::string make_string(const char* cText) { return cText ? std::string(cText) : std::string(); }

std::wstring WidenCString(const wchar_t* cText) { return cText ? std::wstring(cText) : std::wstring(); }

void wstring_clear(std::wstring& text) { text.erase(text.begin(), text.end()); }

std::string nextCommaField(const std::string& text, int& position)
{
    if (position < 0 || static_cast<std::size_t>(position) >= text.size())
        return std::string();
    const std::size_t start = static_cast<std::size_t>(position);
    const std::size_t comma = text.find(',', start);
    if (comma == std::string::npos || comma + 1 == text.size()) {
        position = -1;
        return text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    }
    position = static_cast<int>(comma + 1);
    return text.substr(start, comma - start);
}

} // namespace ORBAX_Utilities
