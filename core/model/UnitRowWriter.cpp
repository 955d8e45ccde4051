#include "core/model/UnitRowWriter.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

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

WrittenFields::WrittenFields(const SchemaDefinition& written) : m_written(written)
{
    m_keys.reserve(written.fields.size());
    m_first.reserve(written.fields.size());
    for (std::size_t k = 0; k < written.fields.size(); ++k) {
        m_keys.push_back(m_compare.UpperCase(written.fields[k].name));
        m_first.emplace(m_keys.back(), static_cast<int>(k));
    }
}

const WrittenFields::Match& WrittenFields::matchOf(const SchemaDefinition& source)
{
    const auto known = m_matches.find(&source);
    if (known != m_matches.end())
        return known->second;
    Match match;
    const std::size_t count = source.fields.size();
    // A copy of the written schema whose names all differ: each field is its own match.
    if (source.fields == m_written.fields && m_first.size() == count) {
        match.sources.resize(count);
        for (std::size_t k = 0; k < count; ++k)
            match.sources[k] = static_cast<int>(k);
        match.written = match.sources;
        return m_matches.emplace(&source, std::move(match)).first->second;
    }
    std::unordered_map<std::wstring, int> first;
    first.reserve(count);
    match.written.assign(count, -1);
    for (std::size_t k = 0; k < count; ++k) {
        std::wstring key = m_compare.UpperCase(source.fields[k].name);
        const auto found = m_first.find(key);
        if (found != m_first.end())
            match.written[k] = found->second;
        first.emplace(std::move(key), static_cast<int>(k));
    }
    match.sources.assign(m_keys.size(), -1);
    for (std::size_t k = 0; k < m_keys.size(); ++k) {
        const auto found = first.find(m_keys[k]);
        if (found != first.end())
            match.sources[k] = found->second;
    }
    return m_matches.emplace(&source, std::move(match)).first->second;
}

void writeUnitRow(const LithData& element, LoadMessages& messages, const Interval& unit, const WrittenDepths& depths,
                  void* formatContext, const OptionsData& options, WrittenFields& fields, FieldWriter writeField,
                  SeparatorWriter writeSeparator, bool intervalRow, bool lineFields)
{
    const SchemaDefinition& schema = fields.schema();
    const bool sameSchema = &schema == unit.schema.get();
    // Where each written field finds its value in a row of another schema; the row's values are read
    // once, not once per field.
    const std::vector<int>* sources = !sameSchema && element.schema ? &fields.sourcesIn(*element.schema) : nullptr;
    const std::vector<std::wstring> values = element.values.toVector();

    for (std::size_t k = 0; k < schema.fields.size(); ++k) {
        if (k > 0)
            writeSeparator(formatContext, options);
        const FieldDefinition& field = schema.fields[k];
        bool lost = false;
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
                text = ORBAX_Platform::narrow_cp1252(options.intervalRockType, '?', &lost);
            } else {
                text = ORBAX_Platform::narrow_cp1252(element.rockType, '?', &lost);
                printable = true;
            }
            break;
        case SAMPLE: text = ORBAX_Platform::narrow_cp1252(unit.sample, '?', &lost); break;
        case PLY: text = ORBAX_Platform::narrow_cp1252(unit.ply, '?', &lost); break;
        case SEAM:
            text = ORBAX_Platform::narrow_cp1252(unit.seam, '?', &lost);
            printable = true;
            break;
        case STRING:
        case REAL:
        case INTEGER: {
            std::wstring value;
            if (sameSchema) {
                if (k < values.size())
                    value = values[k];
            } else if (sources && (*sources)[k] >= 0) {
                fieldTextAt(value, element, static_cast<std::size_t>((*sources)[k]), &values);
            }
            text = ORBAX_Platform::narrow_cp1252(value, '?', &lost);
            break;
        }
        default:
            // A field of a kind this library does not know writes nothing; its separators stand.
            continue;
        }
        if (lineFields && blankLineBreaks(text))
            lost = true;
        if (printable)
            text = printableOnly(std::move(text));
        if (lost)
            addLostCharactersWarning(messages, field.name, unit, options.precision);
        writeField(formatContext, text, options);
    }
}

void addLostCharactersWarning(LoadMessages& messages, const std::wstring& fieldName, const Interval& unit, int decimals,
                              int id)
{
    addMessage(messages, 4, SeverityWarning,
               ORBAX_Utilities::format_message(
                   id, {fieldName, realText(decimals, unit.bottom - unit.thickness), realText(decimals, unit.bottom)}));
}

void reportFieldsWithoutColumn(const Borehole& borehole, WrittenFields& fields, LoadMessages& messages)
{
    const SchemaDefinition& written = fields.schema();
    std::vector<std::wstring> lost;
    std::unordered_set<std::wstring> lostNames;
    auto note = [&](const std::wstring& name) {
        if (lostNames.insert(name).second)
            lost.push_back(name);
    };
    bool writtenKinds[FieldKindCount] = {};
    for (const FieldDefinition& field : written.fields)
        if (field.kind >= 0 && field.kind < FieldKindCount)
            writtenKinds[field.kind] = true;

    // Per schema of the units and rows: the first field of each kind, and which free fields the
    // written schema has no field for (a value goes to the written field of the same name, ignoring
    // case, and only a free field takes it), each named once.
    struct Source {
        int firstOfKind[FieldKindCount];
        std::vector<bool> lacking;
        std::size_t lackingCount = 0;
    };
    std::unordered_map<const SchemaDefinition*, Source> known;
    auto sourceOf = [&](const SchemaDefinition& schema) -> Source& {
        const auto found = known.find(&schema);
        if (found != known.end())
            return found->second;
        Source source;
        std::fill(std::begin(source.firstOfKind), std::end(source.firstOfKind), -1);
        source.lacking.assign(schema.fields.size(), false);
        for (std::size_t k = schema.fields.size(); k-- > 0;) {
            const std::int32_t kind = schema.fields[k].kind;
            if (kind >= 0 && kind < FieldKindCount)
                source.firstOfKind[kind] = static_cast<int>(k);
        }
        if (&schema != &written) {
            for (std::size_t k = 0; k < schema.fields.size(); ++k) {
                if (!isFreeField(schema.fields[k].kind))
                    continue;
                const int at = fields.writtenFieldsOf(schema)[k];
                source.lacking[k] = at < 0 || !isFreeField(written.fields[static_cast<std::size_t>(at)].kind);
                source.lackingCount += source.lacking[k] ? 1 : 0;
            }
        }
        return known.emplace(&schema, std::move(source)).first->second;
    };
    // A unit-level field is lost when the borehole's schema has it, the written one has not, and the
    // unit holds a value for it.
    auto checkUnitField = [&](const SchemaDefinition* schema, std::int32_t kind, bool hasValue) {
        if (!hasValue || !schema || writtenKinds[kind])
            return;
        const int at = sourceOf(*schema).firstOfKind[kind];
        if (at >= 0)
            note(schema->fields[static_cast<std::size_t>(at)].name);
    };
    auto checkRow = [&](const LithData& row) {
        if (!row.schema)
            return;
        Source& source = sourceOf(*row.schema);
        if (source.lackingCount > 0) {
            const std::vector<std::wstring> values = row.values.toVector();
            const std::size_t count = std::min(source.lacking.size(), values.size());
            for (std::size_t k = 0; k < count; ++k)
                if (source.lacking[k] && !values[k].empty()) {
                    // Named once: the field is no longer looked at in later rows.
                    source.lacking[k] = false;
                    --source.lackingCount;
                    note(row.schema->fields[k].name);
                }
        }
        checkUnitField(row.schema.get(), PERCENTAGE, row.percentage != 100);
    };

    for (const Interval& unit : borehole) {
        const SchemaDefinition* schema = unit.schema ? unit.schema.get() : borehole.schema.get();
        checkUnitField(schema, SEAM, !unit.seam.empty());
        checkUnitField(schema, PLY, !unit.ply.empty());
        checkUnitField(schema, SAMPLE, !unit.sample.empty());
        checkUnitField(schema, RECOVERED, !std::isnan(unit.recovered));
        for (const LithData& row : unit.elements)
            checkRow(row);
        if (unit.composite)
            checkRow(*unit.composite);
    }
    if (lost.empty())
        return;
    addMessage(messages, 4, SeverityWarning,
               ORBAX_Utilities::format_message(11198, {written.name, quotedFieldNames(lost)}));
}

std::wstring quotedFieldNames(const std::vector<std::wstring>& names)
{
    // A schema of thousands of fields would otherwise make a warning of megabytes: name the first ones
    // and count the rest.
    constexpr std::size_t namedAtMost = 20;
    std::wstring text;
    for (std::size_t i = 0; i < names.size() && i < namedAtMost; ++i)
        text += (text.empty() ? L"\"" : L", \"") + names[i] + L"\"";
    if (names.size() > namedAtMost)
        text += ORBAX_Utilities::format_message(11193, {std::to_wstring(names.size() - namedAtMost)});
    return text;
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
