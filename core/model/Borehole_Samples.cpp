// Sample numbers: splitting one into prefix, digit run and suffix, and the pattern, range and next
// number of a borehole's samples.
#include <cstdint>
#include <limits>

#include "core/model/Borehole.h"

namespace ORBAX_Logging {
namespace {

// Digits are the ASCII ones: other scripts' digits would not read back as numbers.
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The digit run as a number; false when it is empty or too large for 32 bits.
bool digitsValue(const std::wstring& digits, std::int32_t& number)
{
    if (digits.empty())
        return false;
    std::int64_t value = 0;
    for (wchar_t c : digits) {
        value = value * 10 + (c - L'0');
        if (value > std::numeric_limits<std::int32_t>::max())
            return false;
    }
    number = static_cast<std::int32_t>(value);
    return true;
}

// Splits a text; false (with an empty prefix and the whole text as suffix) when it holds no digit.
bool splitText(const std::wstring& text, std::wstring& prefix, std::wstring& digits, std::wstring& suffix,
               std::int32_t& width)
{
    std::size_t end = text.size();
    while (end > 0 && !isDigit(text[end - 1]))
        --end;
    if (end == 0) {
        prefix.clear();
        digits.clear();
        suffix = text;
        width = 0;
        return false;
    }
    std::size_t start = end - 1;
    while (start > 0 && isDigit(text[start - 1]))
        --start;
    prefix = text.substr(0, start);
    digits = text.substr(start, end - start);
    suffix = text.substr(end);
    width = digits[0] == L'0' ? static_cast<std::int32_t>(digits.size()) : 0;
    return true;
}

} // namespace

bool Borehole::splitSampleNumber(int i, std::wstring& prefix, std::wstring& digits, std::wstring& suffix,
                                 std::int32_t& width) const
{
    if (i < 0 || static_cast<std::size_t>(i) >= size())
        return false;
    const std::wstring& text = (*this)[static_cast<std::size_t>(i)].sample;
    if (text.empty())
        return false;
    return splitText(text, prefix, digits, suffix, width);
}

bool Borehole::parseSampleNumber(int i, std::wstring& prefix, std::int32_t& number, std::wstring& suffix,
                                 std::int32_t& width) const
{
    std::wstring p, digits, s;
    std::int32_t w = 0, n = 0;
    if (!splitSampleNumber(i, p, digits, s, w) || !digitsValue(digits, n))
        return false;
    prefix = p;
    number = n;
    suffix = s;
    width = w;
    return true;
}

bool Borehole::sampleNumberPattern(int first, int last, std::wstring& prefix, std::wstring& suffix,
                                   std::int32_t& firstNumber, std::int32_t& width, bool& prefixDiffers,
                                   bool& suffixDiffers, bool& widthDiffers) const
{
    if (first < 0)
        first = 0;
    if (last < 0)
        last = static_cast<int>(size()) - 1;
    bool found = false;
    for (int k = first; k <= last; ++k) {
        if (static_cast<std::size_t>(k) >= size())
            return false;
        if ((*this)[static_cast<std::size_t>(k)].sample.empty())
            continue;
        std::wstring p, digits, s;
        std::int32_t w = 0;
        if (!splitSampleNumber(k, p, digits, s, w))
            return false;
        if (!found) {
            found = true;
            prefix = p;
            suffix = s;
            width = w;
            std::int32_t n = 0;
            firstNumber = digitsValue(digits, n) ? n : 0;
            continue;
        }
        if (p != prefix)
            prefixDiffers = true;
        if (s != suffix)
            suffixDiffers = true;
        if (w != 0 && width != 0 && w != width)
            widthDiffers = true;
        if (w != 0 && width == 0)
            width = w;
    }
    return found;
}

void Borehole::sampleNumberRange(std::wstring& lowest, std::wstring& highest) const
{
    bool found = false;
    std::int32_t low = 0, high = 0;
    std::size_t lowAt = 0, highAt = 0;
    for (std::size_t k = 0; k < size(); ++k) {
        std::wstring p, s;
        std::int32_t n = 0, w = 0;
        if (!parseSampleNumber(static_cast<int>(k), p, n, s, w))
            continue;
        if (!found || n < low) {
            low = n;
            lowAt = k;
        }
        if (!found || n > high) {
            high = n;
            highAt = k;
        }
        found = true;
    }
    if (found) {
        lowest = (*this)[lowAt].sample;
        highest = (*this)[highAt].sample;
    }
}

std::wstring Borehole::nextSampleNumber() const
{
    bool found = false;
    std::int64_t highest = 0;
    for (std::size_t k = 0; k < size(); ++k) {
        std::wstring p, s;
        std::int32_t n = 0, w = 0;
        if (parseSampleNumber(static_cast<int>(k), p, n, s, w) && (!found || n > highest)) {
            highest = n;
            found = true;
        }
    }
    const std::int64_t next = found ? highest + 1 : 1;

    // The form of the new number follows the last sample number given.
    std::wstring prefix, digits, suffix;
    std::int32_t width = 0;
    for (std::size_t k = size(); k-- > 0;) {
        if (!(*this)[k].sample.empty()) {
            splitText((*this)[k].sample, prefix, digits, suffix, width);
            break;
        }
    }
    std::wstring number = std::to_wstring(next);
    if (width > 0 && number.size() < static_cast<std::size_t>(width))
        number.insert(0, static_cast<std::size_t>(width) - number.size(), L'0');
    return prefix + number + suffix;
}

} // namespace ORBAX_Logging
