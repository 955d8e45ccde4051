#include "core/prolog4/XmlText.h"

#include <type_traits>

namespace ORBAX_Logging {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool is_high_surrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool is_low_surrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

} // namespace

std::wstring wide_from_xml(const XMLCh* text, std::size_t length)
{
    std::wstring out;
    if (!text)
        return out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        char32_t c = static_cast<char16_t>(text[i]);
        if (is_high_surrogate(c)) {
            if (i + 1 < length && is_low_surrogate(static_cast<char16_t>(text[i + 1]))) {
                char32_t low = static_cast<char16_t>(text[i + 1]);
                out += static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                ++i;
            } else {
                out += static_cast<wchar_t>(kReplacement);
            }
        } else if (is_low_surrogate(c)) {
            out += static_cast<wchar_t>(kReplacement);
        } else {
            out += static_cast<wchar_t>(c);
        }
    }
    return out;
}

std::wstring wide_from_xml(const XMLCh* text)
{
    if (!text)
        return std::wstring();
    std::size_t length = 0;
    while (text[length])
        ++length;
    return wide_from_xml(text, length);
}

std::basic_string<XMLCh> xml_from_wide(const std::wstring& text)
{
    std::basic_string<XMLCh> out;
    out.reserve(text.size());
    for (wchar_t w : text) {
        // wchar_t is signed on this platform: go through the unsigned value so negative units are
        // seen as out of range rather than as small characters.
        char32_t c = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(w));
        if (c > 0x10FFFF || is_high_surrogate(c) || is_low_surrogate(c)) {
            out += static_cast<XMLCh>(kReplacement);
        } else if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<XMLCh>(0xD800 + (c >> 10));
            out += static_cast<XMLCh>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<XMLCh>(c);
        }
    }
    return out;
}

} // namespace ORBAX_Logging
