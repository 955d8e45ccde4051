#include "las/LasHeaderLine.h"

#include <locale>

namespace ORBAX_Geophysics {
namespace {

bool is_trim_char(char c) { return c == ' ' || c == '\t' || c == '\n'; }

} // namespace

std::string upper_case(std::string text)
{
    const auto& ct = std::use_facet<std::ctype<char>>(std::locale());
    ct.toupper(text.data(), text.data() + text.size());
    return text;
}

std::string trim_las_text(std::string_view text)
{
    std::size_t first = 0;
    while (first < text.size() && is_trim_char(text[first]))
        ++first;
    if (first == text.size())
        return std::string(text);
    std::size_t last = text.size();
    while (last > first && is_trim_char(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

bool starts_with_tilde(std::string_view line)
{
    std::size_t i = line.find_first_not_of(' ');
    return i != std::string_view::npos && line[i] == '~';
}

std::optional<std::string> parse_section_title(std::string_view line)
{
    std::size_t tilde = line.find_first_not_of(' ');
    if (tilde == std::string_view::npos || line[tilde] != '~' || tilde + 1 >= line.size())
        return std::nullopt;
    std::size_t start = tilde + 1;
    std::size_t stop = line.find_first_of(" |", start);
    if (stop == start)
        return std::nullopt;
    if (stop == std::string_view::npos)
        stop = line.size();
    return std::string(line.substr(start, stop - start));
}

std::optional<HeaderLine> split_header_line(std::string_view line)
{
    std::size_t dot = line.find('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    std::size_t colon = line.rfind(':');
    if (colon == std::string_view::npos || colon < dot)
        return std::nullopt;

    HeaderLine out;
    out.mnemonic = trim_las_text(line.substr(0, dot));

    std::size_t valueStart = dot + 1;
    if (dot + 1 < line.size() && line[dot + 1] != ' ') {
        std::size_t gap = line.find_first_of(" \t", dot + 1);
        if (gap != std::string_view::npos && gap < colon) {
            out.unit = std::string(line.substr(dot + 1, gap - (dot + 1)));
            valueStart = gap;
        }
    }
    out.value = trim_las_text(line.substr(valueStart, colon - valueStart));

    // A format in braces or an association after "|" follows the description and is not kept.
    std::size_t end = line.size();
    std::size_t bar = line.rfind('|');
    if (bar != std::string_view::npos && bar > colon)
        end = bar;
    std::size_t brace = line.rfind('{');
    if (brace != std::string_view::npos && brace > colon && brace < end)
        end = brace;
    out.description = trim_las_text(line.substr(colon + 1, end - (colon + 1)));
    return out;
}

} // namespace ORBAX_Geophysics
