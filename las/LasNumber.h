#pragma once
// Numbers of LAS data tokens, read without regard to the process locale.
#include <cstdint>
#include <string_view>

namespace ORBAX_Geophysics {

// Reads a token that is wholly a number, as the locale-free parser of the platform reads one (a sign,
// ".5", "5.", an exponent, "inf" and "nan"), also with one comma after it (LAS 3.0 data written
// "1.0, 2.0"). False for any other token, even one that begins with a number: "-1.#IND0000" (a value
// some programs write for no number), a decimal comma "123,420", a time "00:00:01" or "1.2D+03" is no
// number, not the number it begins with. Plain decimal numbers take a fast path whose results are the
// same correctly rounded values as std::from_chars; everything else goes through the general parser.
bool parse_las_number(std::string_view token, double& value);

// The fast path alone, for a whole token [p, end): an optional sign, up to 19 digits with an optional
// point, an optional exponent, and an exponent of ten that leaves the value exact enough for one
// correctly rounded multiplication or division (a mantissa up to 2^53 and a power of ten up to 10^22
// are both exact doubles, so the single IEEE operation gives the correctly rounded result). False for
// anything else, which parse_las_number then reads.
inline bool parse_plain_number(const char* p, const char* end, double& value)
{
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fractionDigits = 0;
    while (p != end && static_cast<unsigned>(*p - '0') < 10) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        ++digits;
        ++p;
    }
    if (p != end && *p == '.') {
        ++p;
        while (p != end && static_cast<unsigned>(*p - '0') < 10) {
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
            ++digits;
            ++fractionDigits;
            ++p;
        }
    }
    if (digits == 0 || digits > 19)
        return false;
    int exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negativeExponent = false;
        if (p != end && (*p == '-' || *p == '+')) {
            negativeExponent = *p == '-';
            ++p;
        }
        int expDigits = 0;
        while (p != end && static_cast<unsigned>(*p - '0') < 10) {
            if (exponent < 10000)
                exponent = exponent * 10 + (*p - '0');
            ++expDigits;
            ++p;
        }
        if (expDigits == 0)
            return false;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (p != end)
        return false;
    const int scale = exponent - fractionDigits;
    double result;
    if (mantissa == 0) {
        result = 0.0;
    } else {
        if (mantissa > (std::uint64_t(1) << 53) || scale < -22 || scale > 22)
            return false;
        const double m = static_cast<double>(mantissa);
        result = scale < 0 ? m / kPowersOfTen[-scale] : m * kPowersOfTen[scale];
    }
    value = negative ? -result : result;
    return true;
}

} // namespace ORBAX_Geophysics
