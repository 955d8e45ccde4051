#pragma once
// Numbers of LAS data tokens, read without regard to the process locale.
#include <string_view>

namespace ORBAX_Geophysics {

// Reads the number at the start of a token as atof does (the longest numeric prefix). False when the
// token does not start with a number. Plain decimal numbers take a fast path whose results are the
// same correctly rounded values as std::from_chars; everything else goes through the general parser.
bool parse_las_number(std::string_view token, double& value);

} // namespace ORBAX_Geophysics
