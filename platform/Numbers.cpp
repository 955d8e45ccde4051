#include "platform/Numbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>

namespace ORBAX_Platform {
namespace {

bool is_space(unsigned c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Copies the leading part of a wide text that can hold a number into a narrow buffer; characters
// beyond ASCII end it.
std::string narrow_number_prefix(std::wstring_view text)
{
    std::string out;
    out.reserve(std::min<std::size_t>(text.size(), 64));
    for (wchar_t c : text) {
        if (c <= 0 || c >= 0x80)
            break;
        out += static_cast<char>(c);
        if (out.size() > 4096)
            break;
    }
    return out;
}

} // namespace

double parse_double(std::string_view text, std::size_t* consumed)
{
    std::size_t i = 0;
    while (i < text.size() && is_space(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // from_chars takes no "+" and reads the sign itself; keep our sign and hand it the rest.
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (consumed)
            *consumed = 0;
        return 0.0;
    }
    double value = 0.0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument || result.ptr == first) {
        if (consumed)
            *consumed = 0;
        return 0.0;
    }
    if (result.ec == std::errc::result_out_of_range) {
        // strtod gives HUGE_VAL for overflow and 0 for underflow; tell the two apart by the exponent.
        bool tiny = false;
        for (const char* p = first; p != result.ptr; ++p) {
            if (*p == 'e' || *p == 'E') {
                tiny = p + 1 != result.ptr && p[1] == '-';
                break;
            }
        }
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    if (consumed)
        *consumed = static_cast<std::size_t>(result.ptr - text.data());
    return negative ? -value : value;
}

double parse_double(std::wstring_view text, std::size_t* consumed)
{
    std::size_t lead = 0;
    while (lead < text.size() && text[lead] >= 0 && text[lead] < 0x80 && is_space(static_cast<unsigned>(text[lead])))
        ++lead;
    std::string narrow = narrow_number_prefix(text.substr(lead));
    std::size_t used = 0;
    double value = parse_double(std::string_view(narrow), &used);
    if (consumed)
        *consumed = used ? lead + used : 0;
    return value;
}

long parse_long(std::string_view text, std::size_t* consumed)
{
    std::size_t i = 0;
    while (i < text.size() && is_space(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::size_t digitsStart = i;
    long value = 0;
    bool overflow = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        int d = text[i] - '0';
        if (!overflow) {
            if (value > (LONG_MAX - d) / 10)
                overflow = true;
            else
                value = value * 10 + d;
        }
    }
    if (i == digitsStart) {
        if (consumed)
            *consumed = 0;
        return 0;
    }
    if (consumed)
        *consumed = i;
    if (overflow)
        return negative ? LONG_MIN : LONG_MAX;
    return negative ? -value : value;
}

long parse_long(std::wstring_view text, std::size_t* consumed)
{
    std::size_t lead = 0;
    while (lead < text.size() && text[lead] >= 0 && text[lead] < 0x80 && is_space(static_cast<unsigned>(text[lead])))
        ++lead;
    std::string narrow = narrow_number_prefix(text.substr(lead));
    std::size_t used = 0;
    long value = parse_long(std::string_view(narrow), &used);
    if (consumed)
        *consumed = used ? lead + used : 0;
    return value;
}

std::string format_fixed(double value, int decimals)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    if (decimals < 0)
        decimals = 0;
    if (decimals > 30)
        decimals = 30;
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return "inf";
    return std::string(buffer, result.ptr);
}

std::wstring format_fixed_wide(double value, int decimals)
{
    std::string narrow = format_fixed(value, decimals);
    return std::wstring(narrow.begin(), narrow.end());
}

std::string format_shortest(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string format_stream(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    // The C library's "%g" follows LC_NUMERIC: put the point back whatever the separator.
    for (char* c = buffer; *c; ++c)
        if (*c == ',')
            *c = '.';
    return buffer;
}

std::wstring format_stream_wide(double value)
{
    const std::string text = format_stream(value);
    return std::wstring(text.begin(), text.end());
}

bool read_stream_number(std::string_view text, double& value)
{
    std::size_t used = 0;
    const double read = parse_double(text, &used);
    if (used == 0 || !std::isfinite(read))
        return false;
    value = read;
    return true;
}

bool read_stream_number(std::wstring_view text, double& value)
{
    std::size_t used = 0;
    const double read = parse_double(text, &used);
    if (used == 0 || !std::isfinite(read))
        return false;
    value = read;
    return true;
}

} // namespace ORBAX_Platform
