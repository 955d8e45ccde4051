#pragma once
// The grammar of LAS header lines and section titles.
#include <optional>
#include <string>
#include <string_view>

namespace ORBAX_Geophysics {

// MNEM.UNIT VALUE : DESCRIPTION
struct HeaderLine {
    std::string mnemonic;
    std::string unit;
    std::string value;
    std::string description;
};

// The text upper-cased character by character through the global locale's narrow character facet,
// as section words, header values and command words are compared.
std::string upper_case(std::string text);

// Removes blanks, tabs and line feeds at both ends; a text made only of them is left as it is.
std::string trim_las_text(std::string_view text);

// The section word of a title line ("~Curve information" gives "Curve"), or nothing when the line is
// no title: its first character other than a space must be "~", followed by a word that runs to the
// first space or "|".
std::optional<std::string> parse_section_title(std::string_view line);

// The first character other than a space is "~": the line ends a section (whether or not it is a
// well-formed title).
bool starts_with_tilde(std::string_view line);

// Splits a header line; nothing when it is malformed (no "." or no ":" after the first ".").
std::optional<HeaderLine> split_header_line(std::string_view line);

} // namespace ORBAX_Geophysics
