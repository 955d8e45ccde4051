#include "platform/Cp1252.h"

#include <algorithm>
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
