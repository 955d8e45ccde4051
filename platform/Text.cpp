#include "platform/Text.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace ORBAX_Platform {
namespace {

// Bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
const wchar_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::locale unicode_locale()
{
    for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
        try {
            return std::locale(std::locale::classic(), new std::ctype_byname<wchar_t>(name));
        } catch (const std::runtime_error&) {
        }
    }
    return std::locale::classic();
}

} // namespace

wchar_t cp1252_to_unicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return static_cast<wchar_t>(byte);
}

bool unicode_to_cp1252(wchar_t ch, char& byte)
{
    if ((ch >= 0 && ch < 0x80) || (ch >= 0xA0 && ch <= 0xFF)) {
        byte = static_cast<char>(static_cast<unsigned char>(ch));
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == ch) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::wstring widen_cp1252(std::string_view bytes)
{
    std::wstring out;
    widen_cp1252(bytes, out);
    return out;
}

void widen_cp1252(std::string_view bytes, std::wstring& out)
{
    out.resize(bytes.size());
    for (std::size_t k = 0; k < bytes.size(); ++k)
        out[k] = cp1252_to_unicode(static_cast<unsigned char>(bytes[k]));
}

std::string narrow_cp1252(const std::wstring& text, char replacement, bool* lost)
{
    std::string out(text.size(), '\0');
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (!unicode_to_cp1252(text[k], out[k])) {
            out[k] = replacement;
            if (lost)
                *lost = true;
        }
    }
    return out;
}

namespace {

void append_utf8(std::string& out, std::uint32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool is_surrogate(std::uint32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The length of the valid UTF-8 sequence at `p` and its character; 0 when the byte there starts none.
int utf8_sequence(const unsigned char* p, const unsigned char* end, std::uint32_t& c)
{
    const unsigned char b = *p;
    int extra;
    if (b < 0x80) {
        c = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        c = b & 0x1F;
        extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
        c = b & 0x0F;
        extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
        c = b & 0x07;
        extra = 3;
    } else {
        return 0;
    }
    if (end - p < extra + 1)
        return 0;
    for (int i = 1; i <= extra; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    static const std::uint32_t minimum[4] = {0, 0x80, 0x800, 0x10000};
    if (c < minimum[extra] || c > 0x10FFFF || is_surrogate(c))
        return 0;
    return extra + 1;
}

// UTF-8 as wide text; a byte that starts no valid sequence becomes `invalid(byte)`.
template <typename Invalid>
std::wstring decode_utf8(std::string_view text, Invalid invalid)
{
    std::wstring out;
    out.reserve(text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        std::uint32_t c = 0;
        const int length = utf8_sequence(p, end, c);
        if (length == 0) {
            out += invalid(*p);
            ++p;
        } else {
            out += static_cast<wchar_t>(c);
            p += length;
        }
    }
    return out;
}

} // namespace

std::string utf8_from_wide(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        auto c = static_cast<std::uint32_t>(wc);
        append_utf8(out, c > 0x10FFFF || is_surrogate(c) ? 0xFFFD : c);
    }
    return out;
}

std::wstring wide_from_utf8(std::string_view text)
{
    return decode_utf8(text, [](unsigned char) { return L'\xFFFD'; });
}

std::wstring wide_from_name(std::string_view bytes)
{
    return decode_utf8(bytes, [](unsigned char b) { return static_cast<wchar_t>(FirstCarriedByte + (b - 0x80)); });
}

bool name_from_wide(const std::wstring& name, std::string& bytes)
{
    bytes.clear();
    bytes.reserve(name.size());
    for (wchar_t wc : name) {
        const auto c = static_cast<std::uint32_t>(wc);
        if (is_carried_byte(wc))
            bytes += static_cast<char>(0x80 + (c - FirstCarriedByte));
        else if (c == 0 || c > 0x10FFFF || is_surrogate(c))
            return false;
        else
            append_utf8(bytes, c);
    }
    return true;
}

bool holds_carried_bytes(const std::wstring& name)
{
    return std::any_of(name.begin(), name.end(), [](wchar_t c) { return is_carried_byte(c); });
}

std::wstring shown_name(std::wstring name)
{
    std::replace_if(
        name.begin(), name.end(), [](wchar_t c) { return is_carried_byte(c); }, L'\xFFFD');
    return name;
}

std::string utf8_from_cp1252(std::string_view bytes) { return utf8_from_wide(widen_cp1252(bytes)); }

namespace {

constexpr std::wstring_view blanks = L" \t\n";

} // namespace

std::wstring trimmed_blanks(std::wstring_view text)
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::wstring_view::npos)
        return std::wstring();
    const auto last = text.find_last_not_of(blanks);
    return std::wstring(text.substr(first, last - first + 1));
}

void trim_blanks(std::wstring& text)
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos) {
        text.clear();
        return;
    }
    text.erase(text.find_last_not_of(blanks) + 1);
    text.erase(0, first);
}

cp1252_ctype::cp1252_ctype(std::size_t refs)
    : std::ctype<wchar_t>(refs), m_unicode(unicode_locale()), m_base(&std::use_facet<std::ctype<wchar_t>>(m_unicode))
{
}

cp1252_ctype::~cp1252_ctype() = default;

bool cp1252_ctype::do_is(mask m, char_type c) const { return m_base->is(m, c); }

const cp1252_ctype::char_type* cp1252_ctype::do_is(const char_type* lo, const char_type* hi, mask* vec) const
{
    return m_base->is(lo, hi, vec);
}

const cp1252_ctype::char_type* cp1252_ctype::do_scan_is(mask m, const char_type* lo, const char_type* hi) const
{
    return m_base->scan_is(m, lo, hi);
}

const cp1252_ctype::char_type* cp1252_ctype::do_scan_not(mask m, const char_type* lo, const char_type* hi) const
{
    return m_base->scan_not(m, lo, hi);
}

cp1252_ctype::char_type cp1252_ctype::do_toupper(char_type c) const { return m_base->toupper(c); }

const cp1252_ctype::char_type* cp1252_ctype::do_toupper(char_type* lo, const char_type* hi) const
{
    return m_base->toupper(lo, hi);
}

cp1252_ctype::char_type cp1252_ctype::do_tolower(char_type c) const { return m_base->tolower(c); }

const cp1252_ctype::char_type* cp1252_ctype::do_tolower(char_type* lo, const char_type* hi) const
{
    return m_base->tolower(lo, hi);
}

cp1252_ctype::char_type cp1252_ctype::do_widen(char c) const
{
    return cp1252_to_unicode(static_cast<unsigned char>(c));
}

const char* cp1252_ctype::do_widen(const char* lo, const char* hi, char_type* to) const
{
    for (; lo != hi; ++lo, ++to)
        *to = cp1252_to_unicode(static_cast<unsigned char>(*lo));
    return hi;
}

char cp1252_ctype::do_narrow(char_type c, char dfault) const
{
    char byte;
    return unicode_to_cp1252(c, byte) ? byte : dfault;
}

const cp1252_ctype::char_type* cp1252_ctype::do_narrow(const char_type* lo, const char_type* hi, char dfault,
                                                       char* to) const
{
    for (; lo != hi; ++lo, ++to)
        *to = do_narrow(*lo, dfault);
    return hi;
}

cp1252_codecvt::result cp1252_codecvt::do_out(state_type&, const intern_type* from, const intern_type* from_end,
                                              const intern_type*& from_next, extern_type* to, extern_type* to_end,
                                              extern_type*& to_next) const
{
    while (from != from_end && to != to_end) {
        if (!unicode_to_cp1252(*from, *to)) {
            from_next = from;
            to_next = to;
            return error;
        }
        ++from;
        ++to;
    }
    from_next = from;
    to_next = to;
    return from == from_end ? ok : partial;
}

cp1252_codecvt::result cp1252_codecvt::do_in(state_type&, const extern_type* from, const extern_type* from_end,
                                             const extern_type*& from_next, intern_type* to, intern_type* to_end,
                                             intern_type*& to_next) const
{
    while (from != from_end && to != to_end)
        *to++ = cp1252_to_unicode(static_cast<unsigned char>(*from++));
    from_next = from;
    to_next = to;
    return from == from_end ? ok : partial;
}

cp1252_codecvt::result cp1252_codecvt::do_unshift(state_type&, extern_type* to, extern_type*,
                                                  extern_type*& to_next) const
{
    to_next = to;
    return noconv;
}

int cp1252_codecvt::do_length(state_type&, const extern_type* from, const extern_type* end, std::size_t max) const
{
    return static_cast<int>(std::min<std::size_t>(max, static_cast<std::size_t>(end - from)));
}

std::locale with_cp1252(const std::locale& base)
{
    std::locale withCtype(base, new cp1252_ctype);
    return std::locale(withCtype, new cp1252_codecvt);
}

} // namespace ORBAX_Platform
