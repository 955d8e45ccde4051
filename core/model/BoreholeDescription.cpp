#include "core/model/BoreholeDescription.h"

#include <string>

#include "core/model/SchemaDefinition.h"
#include "core/model/UnitRowWriter.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

namespace ORBAX_Logging {
namespace {

// The description's depths, whatever the file's options say.
constexpr int DescriptionDecimals = 2;

std::string padLeft(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::wstring padLeft(const std::wstring& text, std::size_t width)
{
    return text.size() >= width ? text : std::wstring(width - text.size(), L' ') + text;
}

std::string codePage(const std::wstring& text, bool* lost) { return ORBAX_Platform::narrow_cp1252(text, '?', lost); }

// The name a warning gives the unit's field of a kind: its schema's, or the kind's keyword where the
// unit has no such field.
std::wstring fieldName(const Borehole& borehole, const Interval& unit, std::int32_t kind)
{
    const SchemaDefinition* schema = unit.schema ? unit.schema.get() : borehole.schema.get();
    const int at = schema ? schema->indexOf(kind) : -1;
    return at >= 0 ? schema->fields[static_cast<std::size_t>(at)].name : fieldKindKeyword(kind);
}

} // namespace

void writeDescription(std::ostream& out, const Borehole& borehole, LoadMessages& messages)
{
    writeDescription(out, borehole, codePage, 11111, messages);
}

void writeDescription(std::ostream& out, const Borehole& borehole, TextEncoder encode, int lostMessage,
                      LoadMessages& messages)
{
    // Each text as written, warned about when it loses a character: a seam once per unit, a rock type
    // once per element line.
    auto written = [&](const std::wstring& text, const Interval& unit, std::int32_t kind) {
        bool lost = false;
        std::string bytes = encode(text, &lost);
        if (lost)
            addLostCharactersWarning(messages, fieldName(borehole, unit, kind), unit, DescriptionDecimals, lostMessage);
        return bytes;
    };
    out << "Unit           Percentage  EndDist       RL     Seam\n";
    out << std::string(52, '-') << '\n';
    for (const Interval& unit : borehole) {
        if (unit.elements.empty())
            continue;
        // The same depth columns stand on every element line of a unit.
        const std::string depths = padLeft(ORBAX_Platform::format_fixed(unit.thickness, DescriptionDecimals), 8) + " " +
                                   padLeft(ORBAX_Platform::format_fixed(unit.bottom, DescriptionDecimals), 8) + " " +
                                   written(padLeft(unit.seam.str(), 8), unit, SEAM);
        for (const LithData& element : unit.elements) {
            std::wstring rock = element.rockType.str().substr(0, 20);
            rock.resize(20, L' ');
            out << written(rock, unit, ROCKTYPE) << ' ' << padLeft(std::to_string(element.percentage), 3) << "% "
                << depths << '\n';
        }
    }
    // Once, at the end: a flush per line costs a write call per unit.
    out.flush();
}

} // namespace ORBAX_Logging
