#include "core/model/BoreholeDescription.h"

#include <locale>
#include <string>

#include "platform/Numbers.h"

namespace ORBAX_Logging {
namespace {

std::string padLeft(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string narrowed(const std::wstring& text, const std::ctype<wchar_t>& facet)
{
    std::string out(text.size(), '?');
    facet.narrow(text.data(), text.data() + text.size(), '?', out.data());
    return out;
}

} // namespace

std::ostream& operator<<(std::ostream& out, const Borehole& borehole)
{
    const std::locale global;
    const auto& facet = std::use_facet<std::ctype<wchar_t>>(global);
    out << "Unit           Percentage  EndDist       RL     Seam\n";
    out << std::string(52, '-') << '\n';
    for (const Interval& unit : borehole) {
        // The same depth columns stand on every element line of a unit.
        const std::string depths = padLeft(ORBAX_Platform::format_fixed(unit.thickness, 2), 8) + " " +
                                   padLeft(ORBAX_Platform::format_fixed(unit.bottom, 2), 8) + " " +
                                   padLeft(narrowed(unit.seam, facet), 8);
        for (const LithData& element : unit.elements) {
            std::string rock = narrowed(element.rockType.str().substr(0, 20), facet);
            rock.resize(20, ' ');
            out << rock << ' ' << padLeft(std::to_string(element.percentage), 3) << "% " << depths << std::endl;
        }
    }
    return out;
}

} // namespace ORBAX_Logging
