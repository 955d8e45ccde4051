#pragma once
// Numbers in files are read and written the same way whatever locale the process runs under:
// "2.5" is two and a half even where the user's decimal separator is a comma.
#include <string>
#include <string_view>

namespace ORBAX_Platform {

// The C library's atof rules without its locale: leading white space is skipped, then an optional
// sign and the longest prefix that forms a number ("12abc" is 12, "inf" and "nan" are read);
// 0 when there is none. `consumed`, when given, receives the number of characters used (0 for none).
double parse_double(std::string_view text, std::size_t* consumed = nullptr);
double parse_double(std::wstring_view text, std::size_t* consumed = nullptr);

// atol's rules: white space, optional sign, decimal digits; 0 when there are none. Values beyond
// the range of long are clamped.
long parse_long(std::string_view text, std::size_t* consumed = nullptr);
long parse_long(std::wstring_view text, std::size_t* consumed = nullptr);

// Fixed notation with `decimals` places (0 to 30), "." as the separator; "nan", "inf", "-inf" for
// the non-finite values.
std::string format_fixed(double value, int decimals);
std::wstring format_fixed_wide(double value, int decimals);

// The shortest text that reads back to the same value ("%g"-like but exact and locale-free).
std::string format_shortest(double value);

// What a text stream writes with its default formatting: six significant digits, no trailing zeros,
// an exponent only for very large or small values ("20", "12.5", "1e+07").
std::string format_stream(double value);
std::wstring format_stream_wide(double value);

// What a stream's number extraction reads: blanks skipped, the longest leading number taken and the
// rest ignored ("12mm" is 12). False, leaving `value` alone, when the text holds no finite number.
bool read_stream_number(std::string_view text, double& value);
bool read_stream_number(std::wstring_view text, double& value);

} // namespace ORBAX_Platform
