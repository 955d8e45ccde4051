#include "platform/TerminalText.h"

#include <climits>
#include <cstdlib>
#include <cwchar>
#include <langinfo.h>

#include "platform/Text.h"

namespace ORBAX_Platform {
namespace {

// The codeset name upper-cased and without "-" and "_", so that "utf-8" and "UTF8" compare equal.
std::string plainCodeset(const char* codeset)
{
    std::string out;
    for (const char* p = codeset ? codeset : ""; *p; ++p) {
        if (*p == '-' || *p == '_')
            continue;
        out += (*p >= 'a' && *p <= 'z') ? static_cast<char>(*p - 'a' + 'A') : *p;
    }
    return out;
}

bool takenAsUtf8(const std::string& codeset)
{
    return codeset.empty() || codeset == "UTF8" || codeset == "ANSIX3.41968" || codeset == "ASCII" ||
           codeset == "USASCII";
}

} // namespace

TerminalEncoding::TerminalEncoding(const char* localeName)
{
    locale_t loc = ::newlocale(LC_CTYPE_MASK, localeName ? localeName : "", static_cast<locale_t>(nullptr));
    if (!loc)
        return; // a locale the system does not have: UTF-8
    if (takenAsUtf8(plainCodeset(::nl_langinfo_l(CODESET, loc))))
        ::freelocale(loc);
    else
        m_locale = loc;
}

TerminalEncoding::~TerminalEncoding()
{
    if (m_locale)
        ::freelocale(m_locale);
}

bool TerminalEncoding::isSingleByte() const
{
    if (!m_locale)
        return false;
    const locale_t previous = ::uselocale(m_locale);
    const bool single = MB_CUR_MAX == 1;
    ::uselocale(previous);
    return single;
}

namespace {

// A byte of a file name that is no character (see wide_from_name), as `ls -b` shows it: "\351".
void append_carried_byte(std::string& out, wchar_t c)
{
    const unsigned byte = 0x80 + static_cast<unsigned>(c - FirstCarriedByte);
    out += '\\';
    out += static_cast<char>('0' + ((byte >> 6) & 7));
    out += static_cast<char>('0' + ((byte >> 3) & 7));
    out += static_cast<char>('0' + (byte & 7));
}

std::string utf8_with_carried_bytes(const std::wstring& text)
{
    if (!holds_carried_bytes(text))
        return utf8_from_wide(text);
    std::string out;
    std::size_t start = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (!is_carried_byte(text[k]))
            continue;
        out += utf8_from_wide(text.substr(start, k - start));
        append_carried_byte(out, text[k]);
        start = k + 1;
    }
    return out + utf8_from_wide(text.substr(start));
}

} // namespace

std::string TerminalEncoding::encode(const std::wstring& text, bool* lost) const
{
    if (!m_locale)
        return utf8_with_carried_bytes(text);
    // The conversion of the locale, on this thread only: the program's own locale is left alone.
    const locale_t previous = ::uselocale(m_locale);
    std::string out;
    out.reserve(text.size());
    char buffer[MB_LEN_MAX];
    std::mbstate_t state{};
    for (wchar_t c : text) {
        if (is_carried_byte(c)) {
            append_carried_byte(out, c);
            continue;
        }
        const std::size_t n = std::wcrtomb(buffer, c, &state);
        if (n == static_cast<std::size_t>(-1)) {
            state = std::mbstate_t{};
            out += '?';
            if (lost)
                *lost = true;
        } else {
            out.append(buffer, n);
        }
    }
    const std::size_t n = std::wcrtomb(buffer, L'\0', &state);
    if (n != static_cast<std::size_t>(-1) && n > 1)
        out.append(buffer, n - 1); // a stateful encoding's return to its initial shift state
    ::uselocale(previous);
    return out;
}

const TerminalEncoding& terminal_encoding()
{
    static const TerminalEncoding terminal;
    return terminal;
}

std::string terminal_text(const std::wstring& text, bool* lost) { return terminal_encoding().encode(text, lost); }

std::string terminal_text_of_bytes(std::string_view bytes)
{
    const std::wstring wide = wide_from_utf8(bytes);
    if (utf8_from_wide(wide) == bytes)
        return terminal_text(wide);
    return terminal_text(widen_cp1252(bytes));
}

std::string terminal_name(std::string_view bytes) { return terminal_text(wide_from_name(bytes)); }

} // namespace ORBAX_Platform
