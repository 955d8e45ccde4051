#include "core/csv/Borehole_CSV.h"

#include "core/catalogue/Messages.h"
#include "core/csv/CsvFields.h"
#include "core/model/FileLimits.h"
#include "core/model/InternalError.h"
#include "core/model/OneRowUnits.h"
#include "core/model/UnitRowWriter.h"
#include "core/model/ValueText.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace ORBAX_Logging {
namespace {

constexpr int kSaveLine = 300;

// What the row writer's callbacks need: the text built so far and which column is being written.
struct CsvWriteContext {
    std::string* out = nullptr;
    CsvSyntax syntax;
    LoadMessages* messages = nullptr;
    const Interval* unit = nullptr;
    const SchemaDefinition* schema = nullptr;
    std::size_t column = 0;
};

void writeSeparator(void* context, const OptionsData&)
{
    auto* c = static_cast<CsvWriteContext*>(context);
    *c->out += ',';
    ++c->column;
}

void writeField(void* context, const std::string& text, const OptionsData& options)
{
    auto* c = static_cast<CsvWriteContext*>(context);
    appendCsvField(*c->out, text, c->syntax);
    if (!csvFieldReadsBack(text, c->syntax)) {
        // Without quotes (or without escaping) a comma moves the columns: the user is told that the
        // field will read back split, which is worse than a character lost.
        const std::wstring name =
            c->column < c->schema->fields.size() ? c->schema->fields[c->column].name : std::wstring();
        addMessage(*c->messages, 4, SeverityWarning,
                   ORBAX_Utilities::format_message(csvFieldSplits(text, c->syntax) ? 11192 : 11111,
                                                   {name, realText(options.precision, c->unit->top()),
                                                    realText(options.precision, c->unit->bottom)}));
    }
}

// The texts a row writes, field by field (a field of a kind no writer knows stays empty).
struct CollectedRow {
    std::vector<std::string> texts;
    std::size_t column = 0;
};

void collectText(void* context, const std::string& text, const OptionsData&)
{
    auto* row = static_cast<CollectedRow*>(context);
    row->texts[row->column] = text;
}

void nextColumn(void* context, const OptionsData&) { ++static_cast<CollectedRow*>(context)->column; }

// Without unit-level rows an interbedded unit keeps in the file only what its element rows carry: the
// values its unit-level row has of its own (a comment such as "interbedded", a rock type other than the
// interval rock type) are lost. One warning (11195) names those fields, the number of such units and
// the first, so that they are never dropped without a word.
void reportUnitRowsLeftOut(const Borehole& borehole, const OneRowUnits& oneRow, const CSVOptionsData& options,
                           WrittenFields& written, LoadMessages& messages)
{
    const std::vector<FieldDefinition>& fields = written.schema().fields;
    std::vector<bool> lost(fields.size(), false);
    std::size_t units = 0;
    const Interval* first = nullptr;
    LoadMessages unused;
    for (std::size_t i = 0; i < borehole.size(); ++i) {
        const Interval& unit = borehole[i];
        if (unit.elements.size() < 2 || !unit.composite || oneRow.contains(i))
            continue;
        CollectedRow row;
        row.texts.resize(fields.size());
        writeUnitRow(*unit.composite, unused, unit, WrittenDepths(), &row, options, written, collectText, nextColumn,
                     true);
        const std::wstring rockType = ORBAX_Platform::trimmed_blanks(unit.composite->rockType.str());
        bool any = false;
        for (std::size_t k = 0; k < fields.size(); ++k) {
            const bool own = isFreeField(fields[k].kind) ? !row.texts[k].empty()
                                                         : fields[k].kind == ROCKTYPE && !rockType.empty() &&
                                                               rockType != options.intervalRockType;
            lost[k] = lost[k] || own;
            any = any || own;
        }
        if (any && units++ == 0)
            first = &unit;
    }
    if (!first)
        return;
    std::vector<std::wstring> names;
    for (std::size_t k = 0; k < fields.size(); ++k)
        if (lost[k])
            names.push_back(fields[k].name);
    addMessage(messages, 4, SeverityWarning,
               ORBAX_Utilities::format_message(11195, {quotedFieldNames(names), std::to_wstring(units),
                                                       realText(options.precision, first->top()),
                                                       realText(options.precision, first->bottom)}));
}

} // namespace

void Borehole_CSV::save(const std::wstring& fileName, Borehole& borehole, const CSVOptionsData& options,
                        LoadMessages& messages)
{
    try {
        if (!options.schema) {
            addError(messages, 6, ORBAX_Utilities::format_message1(11002, std::wstring()));
            return;
        }
        if (!checkDepthsKnown(borehole, fileName, options.precision, messages))
            return;
        // What the file holds is said once it is written.
        LoadMessages notes;
        WrittenFields written(*options.schema);
        reportFieldsWithoutColumn(borehole, written, notes);
        const OneRowUnits oneRow(borehole, *options.schema,
                                 options.intervalLocation == CSVOptionsData::IntervalNone ? RowMarking::PercentSum
                                                                                          : RowMarking::Percent,
                                 options.intervalRockType);
        oneRow.report(borehole, *options.schema, options.precision, notes);
        if (options.intervalLocation == CSVOptionsData::IntervalNone)
            reportUnitRowsLeftOut(borehole, oneRow, options, written, notes);
        std::string bytes;
        CsvWriteContext context;
        context.out = &bytes;
        context.syntax = csvSyntaxOf(options);
        context.messages = &notes;
        context.schema = options.schema.get();

        const std::vector<FieldDefinition>& fields = options.schema->fields;
        if (options.headingRows >= 1) {
            for (std::size_t k = 0; k < fields.size(); ++k) {
                if (k)
                    bytes += ',';
                appendCsvField(bytes, ORBAX_Platform::narrow_cp1252(fields[k].name), context.syntax);
            }
            bytes += '\n';
            for (std::uint32_t h = 1; h < options.headingRows; ++h) {
                if (fields.size() > 1)
                    bytes.append(fields.size() - 1, ',');
                bytes += '\n';
            }
        }

        auto writeRow = [&](const Interval& unit, const WrittenDepths& depths, const LithData& row, bool intervalRow) {
            context.unit = &unit;
            context.column = 0;
            // A line break would split the row: it is written as a blank, with a warning.
            writeUnitRow(row, notes, unit, depths, &context, options, written, writeField, writeSeparator, intervalRow,
                         true);
            bytes += '\n';
        };
        const UnitRowPlace place =
            options.intervalLocation == CSVOptionsData::IntervalBefore  ? UnitRowPlace::BeforeElements
            : options.intervalLocation == CSVOptionsData::IntervalAfter ? UnitRowPlace::AfterElements
                                                                        : UnitRowPlace::None;
        forEachWrittenRow(borehole, oneRow, place, options.precision, writeRow);

        if (!writeBoreholeFile(fileName, bytes, MaxBoreholeTextFileBytes, options.backup, messages, notes,
                               options.replaces))
            return;
        borehole.setNameFromPath(fileName);
    } catch (const std::exception& e) {
        addInternalError(messages, "Borehole_CSV", kSaveLine, e.what());
    } catch (...) {
        addInternalError(messages, "Borehole_CSV", kSaveLine);
    }
}

} // namespace ORBAX_Logging
