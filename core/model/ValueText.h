#pragma once
// Numbers as text and back, the same way in every format of the library and whatever the user's
// locale: depths, thicknesses and recovered lengths are printed in fixed notation with the decimal
// places of the format options.
#include <cstdint>
#include <ostream>
#include <string>

namespace ORBAX_Logging {

// Leading white space is skipped and what follows the number is ignored (" 2.5m" reads 2.5); false
// when no number starts the text or it does not fit.
bool parseReal(const std::wstring& text, double& out);
bool parseInteger(const std::wstring& text, std::int32_t& out);

// x in fixed notation with `decimals` places.
std::wstring realText(int decimals, double x);
void realText(std::string& out, int decimals, double x);
// Writes onto a stream; the stream's format flags are as they were afterwards.
std::wostream& realText(std::wostream& out, int decimals, double x);

} // namespace ORBAX_Logging
