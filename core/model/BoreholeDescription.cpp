#include "core/model/BoreholeDescription.h"

#include <string>

#include "platform/Numbers.h"
#include "platform/Text.h"

namespace ORBAX_Logging {
namespace {

std::string padLeft(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::wstring padLeft(const std::wstring& text, std::size_t width)
{
    return text.size() >= width ? text : std::wstring(width - text.size(), L' ') + text;
}

std::string codePage(const std::wstring& text) { return ORBAX_Platform::narrow_cp1252(text); }

} // namespace

std::ostream& operator<<(std::ostream& out, const Borehole& borehole)
{
    writeDescription(out, borehole, codePage);
    return out;
}

void writeDescription(std::ostream& out, const Borehole& borehole, TextEncoder encode)
{
    out << "Unit           Percentage  EndDist       RL     Seam\n";
    out << std::string(52, '-') << '\n';
    for (const Interval& unit : borehole) {
        // The same depth columns stand on every element line of a unit.
        const std::string depths = padLeft(ORBAX_Platform::format_fixed(unit.thickness, 2), 8) + " " +
                                   padLeft(ORBAX_Platform::format_fixed(unit.bottom, 2), 8) + " " +
                                   encode(padLeft(unit.seam.str(), 8));
        for (const LithData& element : unit.elements) {
            std::wstring rock = element.rockType.str().substr(0, 20);
            rock.resize(20, L' ');
            out << encode(rock) << ' ' << padLeft(std::to_string(element.percentage), 3) << "% " << depths << '\n';
        }
    }
    // Once, at the end: a flush per line costs a write call per unit.
    out.flush();
}

} // namespace ORBAX_Logging
