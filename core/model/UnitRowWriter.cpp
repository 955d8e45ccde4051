#include "core/model/UnitRowWriter.h"

#include <algorithm>
#include <cmath>

#include "core/catalogue/Messages.h"
#include "core/model/SchemaDefinition.h"
#include "core/model/ValueText.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

namespace ORBAX_Logging {

bool isPrintableByte(unsigned char byte)
{
    if (byte < 0x20 || byte == 0x7F)
        return false;
    switch (byte) {
    case 0x81:
    case 0x8D:
    case 0x8F:
    case 0x90:
    case 0x9D: return false;
    default: return true;
    }
}

namespace {

// Line breaks become blanks; true when there was one.
bool blankLineBreaks(std::string& text)
{
    bool found = false;
    for (char& c : text)
        if (c == '\r' || c == '\n') {
            c = ' ';
            found = true;
        }
    return found;
}

std::string printableOnly(std::string text)
{
    std::size_t kept = 0;
    for (char c : text)
        if (isPrintableByte(static_cast<unsigned char>(c)))
            text[kept++] = c;
    text.resize(kept);
    return text;
}

std::string number(const OptionsData& options, double x)
{
    std::string out;
    realText(out, options.precision, x);
    return out;
}

// x as a file holds it when printed with the decimals.
double asWritten(int decimals, double x)
{
    std::string text;
    realText(text, decimals, x);
    return ORBAX_Platform::parse_double(text);
}

} // namespace

WrittenDepths DepthsAsWritten::next(const Interval& unit)
{
    WrittenDepths depths;
    depths.bottom = asWritten(m_decimals, unit.bottom);
    const double top = unit.top();
    const double halfPlace = 0.5 * std::pow(10.0, -std::clamp(m_decimals, 0, 30));
    // A difference smaller than the file shows is none: the unit begins where the one above ends.
    if (!m_first && std::fabs(top - m_bottomAbove) <= halfPlace)
        depths.top = m_writtenAbove;
    else
        depths.top = asWritten(m_decimals, top);
    depths.thickness = depths.bottom - depths.top;
    m_first = false;
    m_bottomAbove = unit.bottom;
    m_writtenAbove = depths.bottom;
    return depths;
}

bool checkDepthsKnown(const Borehole& borehole, const std::wstring& fileName, int decimals, LoadMessages& messages)
{
    std::size_t first = borehole.size();
    std::size_t count = 0;
    for (std::size_t i = 0; i < borehole.size(); ++i) {
        if (borehole[i].depthsKnown())
            continue;
        if (count++ == 0)
            first = i;
    }
    if (count == 0)
        return true;
    const Interval& unit = borehole[first];
    // The unit by its first rock types, as many as name it.
    std::wstring rockTypes;
    std::size_t named = 0;
    for (const LithData& element : unit.elements) {
        if (element.rockType.empty())
            continue;
        if (named++ == 3) {
            rockTypes += L", ...";
            break;
        }
        rockTypes += (rockTypes.empty() ? L" (" : L", ") + element.rockType.str();
    }
    if (!rockTypes.empty())
        rockTypes += L")";
    // The depth above the unit: the last known bottom before it.
    double above = 0.0;
    for (std::size_t i = first; i-- > 0;)
        if (std::isfinite(borehole[i].bottom)) {
            above = borehole[i].bottom;
            break;
        }
    addError(messages, 5,
             ORBAX_Utilities::format_message(11119, {fileName, std::to_wstring(first + 1) + rockTypes,
                                                     realText(decimals, above), std::to_wstring(count)}));
    return false;
}

void writeUnitRow(const LithData& element, LoadMessages& messages, const Interval& unit, const WrittenDepths& depths,
                  void* formatContext, const OptionsData& options, FieldWriter writeField,
                  SeparatorWriter writeSeparator, bool intervalRow, bool lineFields)
{
    if (!options.schema)
        return;
    const SchemaDefinition& schema = *options.schema;
    const bool sameSchema = options.schema.get() == unit.schema.get();

    for (std::size_t k = 0; k < schema.fields.size(); ++k) {
        if (k > 0)
            writeSeparator(formatContext, options);
        const FieldDefinition& field = schema.fields[k];
        bool lost = false;
        bool checked = false;
        bool printable = false; // control characters are dropped
        std::string text;
        switch (field.kind) {
        case BOTTOM: text = number(options, depths.bottom); break;
        case TOP: text = number(options, depths.top); break;
        case THICKNESS: text = number(options, depths.thickness); break;
        case RECOVERED:
            if (!std::isnan(unit.recovered))
                text = number(options, unit.recovered);
            break;
        case PERCENTAGE:
            if (intervalRow)
                text = options.suppress100Percent ? std::string() : std::string("100");
            else if (!(options.suppress100Percent && element.percentage == 100))
                text = std::to_string(element.percentage);
            break;
        case ROCKTYPE:
            if (intervalRow && element.rockType.empty()) {
                text = ORBAX_Platform::narrow_cp1252(options.intervalRockType);
            } else {
                text = ORBAX_Platform::narrow_cp1252(element.rockType, '?', &lost);
                printable = true;
                checked = true;
            }
            break;
        case SAMPLE:
            text = ORBAX_Platform::narrow_cp1252(unit.sample, '?', &lost);
            checked = true;
            break;
        case PLY:
            text = ORBAX_Platform::narrow_cp1252(unit.ply, '?', &lost);
            checked = true;
            break;
        case SEAM:
            text = ORBAX_Platform::narrow_cp1252(unit.seam, '?', &lost);
            printable = true;
            checked = true;
            break;
        case STRING:
        case REAL:
        case INTEGER: {
            std::wstring value;
            if (sameSchema) {
                if (k < element.values.size())
                    value = element.values[k];
            } else {
                fieldText(value, element, field.name);
            }
            text = ORBAX_Platform::narrow_cp1252(value);
            break;
        }
        default:
            // A field of a kind this library does not know writes nothing; its separators stand.
            continue;
        }
        if (lineFields && blankLineBreaks(text))
            lost = checked = true;
        if (printable)
            text = printableOnly(std::move(text));
        if (checked && lost) {
            addMessage(messages, 4, SeverityWarning,
                       ORBAX_Utilities::format_message(
                           11111, {field.name, realText(options.precision, unit.bottom - unit.thickness),
                                   realText(options.precision, unit.bottom)}));
        }
        writeField(formatContext, text, options);
    }
}

void reportFieldsWithoutColumn(const Borehole& borehole, const OptionsData& options, LoadMessages& messages)
{
    if (!options.schema)
        return;
    const SchemaDefinition& written = *options.schema;
    std::vector<std::wstring> lost;
    auto note = [&lost](const std::wstring& name) {
        if (std::find(lost.begin(), lost.end(), name) == lost.end())
            lost.push_back(name);
    };
    // A unit-level field is lost when the borehole's schema has it, the written one has not, and the
    // unit holds a value for it.
    std::vector<std::int32_t> writtenKinds;
    for (const FieldDefinition& field : written.fields)
        writtenKinds.push_back(field.kind);
    auto checkUnitField = [&](const SchemaDefinition* source, std::int32_t kind, bool hasValue) {
        if (!hasValue || !source || std::find(writtenKinds.begin(), writtenKinds.end(), kind) != writtenKinds.end())
            return;
        const int at = source->indexOf(kind);
        if (at >= 0)
            note(source->fields[static_cast<std::size_t>(at)].name);
    };

    // Per schema of the rows, which free fields the written schema has no field for: a value goes to
    // the written field of the same name (ignoring case), and only a free field takes it.
    struct Lacking {
        const SchemaDefinition* schema;
        std::vector<bool> fields;
    };
    std::vector<Lacking> known;
    auto lackingOf = [&](const SchemaDefinition& schema) -> const std::vector<bool>& {
        for (const Lacking& entry : known)
            if (entry.schema == &schema)
                return entry.fields;
        std::vector<bool> fields(schema.fields.size(), false);
        if (&schema != &written) {
            for (std::size_t k = 0; k < schema.fields.size(); ++k) {
                const std::int32_t kind = schema.fields[k].kind;
                if (kind != STRING && kind != REAL && kind != INTEGER)
                    continue;
                const int at = findField(written.fields, schema.fields[k].name);
                const std::int32_t target = at >= 0 ? written.fields[static_cast<std::size_t>(at)].kind : -1;
                fields[k] = target != STRING && target != REAL && target != INTEGER;
            }
        }
        known.push_back({&schema, std::move(fields)});
        return known.back().fields;
    };
    auto checkRow = [&](const LithData& row) {
        if (!row.schema)
            return;
        const std::vector<bool>& lacking = lackingOf(*row.schema);
        const std::size_t count = std::min(lacking.size(), row.values.size());
        for (std::size_t k = 0; k < count; ++k)
            if (lacking[k] && !row.values.isEmpty(k))
                note(row.schema->fields[k].name);
        checkUnitField(row.schema.get(), PERCENTAGE, row.percentage != 100);
    };

    for (const Interval& unit : borehole) {
        const SchemaDefinition* source = unit.schema ? unit.schema.get() : borehole.schema.get();
        checkUnitField(source, SEAM, !unit.seam.empty());
        checkUnitField(source, PLY, !unit.ply.empty());
        checkUnitField(source, SAMPLE, !unit.sample.empty());
        checkUnitField(source, RECOVERED, !std::isnan(unit.recovered));
        for (const LithData& row : unit.elements)
            checkRow(row);
        if (unit.composite)
            checkRow(*unit.composite);
    }
    if (lost.empty())
        return;
    std::wstring names;
    for (const std::wstring& name : lost)
        names += (names.empty() ? L"\"" : L", \"") + name + L"\"";
    addMessage(messages, 4, SeverityWarning, ORBAX_Utilities::format_message(11198, {written.name, names}));
}

void unitFieldText(const Interval& unit, const LithData& element, std::wstring& out, const OptionsData& options,
                   bool intervalRow, int fieldIndex)
{
    if (!element.schema || fieldIndex < 0 || static_cast<std::size_t>(fieldIndex) >= element.schema->fields.size())
        return;
    const FieldDefinition& field = element.schema->fields[static_cast<std::size_t>(fieldIndex)];
    switch (field.kind) {
    case BOTTOM: out = realText(options.precision, unit.bottom); break;
    case TOP: out = realText(options.precision, unit.bottom - unit.thickness); break;
    case THICKNESS: out = realText(options.precision, unit.thickness); break;
    case RECOVERED:
        out = std::isnan(unit.recovered) ? std::wstring() : realText(options.precision, unit.recovered);
        break;
    case PERCENTAGE: out = intervalRow ? std::wstring(L"100") : std::to_wstring(element.percentage); break;
    case ROCKTYPE: out = intervalRow ? options.intervalRockType : element.rockType.str(); break;
    case SAMPLE: out = unit.sample; break;
    case PLY: out = unit.ply; break;
    case SEAM: out = unit.seam; break;
    case STRING:
    case REAL:
    case INTEGER: fieldText(out, element, field.name); break;
    default: break;
    }
}

} // namespace ORBAX_Logging
