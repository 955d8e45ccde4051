#include "core/csv/Borehole_CSV.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/catalogue/Messages.h"
#include "core/csv/CsvFields.h"
#include "core/model/BadPercentages.h"
#include "core/model/DepthResolution.h"
#include "core/model/FileLimits.h"
#include "core/model/InternalError.h"
#include "core/model/UnitRowValues.h"
#include "core/model/ValueText.h"
#include "platform/InputFile.h"
#include "platform/LineReader.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace ORBAX_Logging {
namespace {

// Line numbers of the internal-error messages of this reader.
constexpr int kReadLine = 160;
constexpr int kLoadLine = 40;

} // namespace

Borehole_CSV::Borehole_CSV(SchemaPtr boreholeSchema) : Borehole(std::move(boreholeSchema)) {}

Borehole_CSV::~Borehole_CSV() = default;

std::unique_ptr<Borehole> Borehole_CSV::load(const std::wstring& fileName, CSVOptionsData& options,
                                             LoadMessages& messages)
{
    return loadFrom(fileName, nullptr, options, messages);
}

std::unique_ptr<Borehole> Borehole_CSV::loadBytes(const std::string& bytes, const std::wstring& fileName,
                                                  CSVOptionsData& options, LoadMessages& messages)
{
    return loadFrom(fileName, &bytes, options, messages);
}

std::unique_ptr<Borehole> Borehole_CSV::loadFrom(const std::wstring& fileName, const std::string* bytes,
                                                 CSVOptionsData& options, LoadMessages& messages)
{
    try {
        auto borehole = std::make_unique<Borehole_CSV>(options.schema);
        if (bytes)
            borehole->readBytes(*bytes, fileName, options, messages);
        else
            borehole->read(fileName, options, messages);
        return borehole;
    } catch (const std::exception& e) {
        addError(messages, 10, ORBAX_Utilities::format_message1(11015, ORBAX_Platform::widen_cp1252(e.what())));
    } catch (...) {
        addInternalError(messages, "Borehole_CSV", kLoadLine);
    }
    options.formatCode = FormatUnknown;
    try {
        return std::make_unique<Borehole>(options.schema);
    } catch (...) {
        return std::unique_ptr<Borehole>(); // out of memory even for an empty borehole
    }
}

void Borehole_CSV::read(const std::wstring& fileName, CSVOptionsData& options, LoadMessages& messages)
{
    std::string bytes;
    int code = 0;
    try {
        const ORBAX_Platform::FileRead outcome = ORBAX_Platform::read_file_bytes(
            ORBAX_Platform::path_from_wide(fileName), MaxBoreholeTextFileBytes, bytes, code, &options.fileRead);
        if (outcome == ORBAX_Platform::FileRead::Read) {
            readBytes(bytes, fileName, options, messages);
            return;
        }
        addError(messages, 5,
                 ORBAX_Utilities::format_message2(11001, fileName,
                                                  FileReadFailureText(outcome, code, MaxBoreholeTextFileBytes)));
    } catch (const std::exception& e) {
        addInternalError(messages, "Borehole_CSV", kReadLine, e.what());
        std::vector<Interval>::clear();
    }
    options.formatCode = FormatUnknown;
}

void Borehole_CSV::readBytes(const std::string& bytes, const std::wstring& fileName, CSVOptionsData& options,
                             LoadMessages& messages)
{
    std::size_t line = 0;
    try {
        clear();
        if (!options.schema) {
            addError(messages, 6, ORBAX_Utilities::format_message1(11002, std::wstring()));
            options.formatCode = FormatUnknown;
            return;
        }
        schema = std::make_shared<SchemaDefinition>(*options.schema);
        const std::vector<FieldDefinition>& fields = schema->fields;
        const UnitValueFields unitFields(*schema);
        const bool keep = options.keepGivenDepths;

        // A file whose every line end is a doubled carriage return reads as the file it was.
        std::string single;
        if (ORBAX_Platform::doubled_carriage_returns(bytes))
            single = ORBAX_Platform::single_carriage_returns(bytes);
        CsvRowReader reader(single.empty() ? bytes : single, csvSyntaxOf(options), fields.size());
        reader.limitRowCharacters(MaxRowCharacters);
        std::vector<std::string> cells;
        // Heading rows are lines, skipped whatever they hold: a quote in a heading opens nothing.
        for (std::uint32_t h = 0; h < options.headingRows; ++h) {
            if (!reader.skipLine())
                break;
        }

        // Reused from row to row: the free fields' texts (the row's cells, packed straight from the
        // file's bytes), the rock type and the unit-level values.
        std::vector<std::string_view> texts;
        std::wstring rock;
        UnitRowValues v;
        BoreholeCounts counts;
        bool newUnit = true;
        bool rockTypeTaken = false;
        // Any whole number the file gives is a percentage; their sum over a unit's rows is kept wide
        // enough that no rows of the file can overflow it.
        std::int64_t percentageSum = 0;
        double runningDepth = 0.0;

        // False when the unit cannot be placed: it is removed and no further row is read.
        auto resolve = [&](const UnitRowValues& v) {
            int code =
                resolveAndReport(messages, options.precision, back(), runningDepth, v.top, v.bottom, v.thickness, keep);
            if (code >= OnlyTopGiven) {
                pop_back();
                return false;
            }
            return true;
        };

        // Rows with text beyond the schema's fields, told in one message after the read.
        std::size_t overfullRows = 0;
        std::size_t firstOverfullLine = 0;
        std::size_t firstOverfullCount = 0;
        // Percentages that are no whole number, read as 100 percent or by the whole number they begin
        // with, told in one message after the read too.
        BadPercentages badPercentages;
        bool stopped = false;
        std::size_t firstRowLine = 0;
        while (reader.nextRow(cells)) {
            line = reader.rowLine();
            if (firstRowLine == 0)
                firstRowLine = line;
            if (reader.droppedText() && overfullRows++ == 0) {
                firstOverfullLine = line;
                firstOverfullCount = reader.rowFieldCount();
            }
            // The line has been read as a row all the same; a stray quote or a spreadsheet's
            // multi-line field is told, never passed in silence.
            if (reader.unterminated())
                addMessage(messages, 9, SeverityWarning,
                           ORBAX_Utilities::format_message1(11199, std::to_wstring(line)));
            LithData row(schema);
            v.reset();
            rock.clear();
            // The free fields' texts, given to the row in one go.
            texts.assign(fields.size(), std::string_view());
            for (std::size_t k = 0; k < cells.size(); ++k) {
                const std::string& cell = cells[k];
                switch (fields[k].kind) {
                case BOTTOM: v.bottom = csvReal(cell); break;
                case THICKNESS: v.thickness = csvReal(cell); break;
                case RECOVERED: v.recovered = csvReal(cell); break;
                case TOP: v.top = csvReal(cell); break;
                case PERCENTAGE: {
                    bool read = true;
                    row.percentage = csvPercentage(cell, &read);
                    if (!read)
                        badPercentages.note(line, std::string_view(cell), row.percentage);
                    break;
                }
                case ROCKTYPE:
                    ORBAX_Platform::widen_cp1252(cell, rock);
                    ORBAX_Platform::trim_blanks(rock);
                    break;
                case SEAM: ORBAX_Platform::widen_cp1252(cell, v.seam); break;
                case PLY: ORBAX_Platform::widen_cp1252(cell, v.ply); break;
                case SAMPLE: ORBAX_Platform::widen_cp1252(cell, v.sample); break;
                case STRING:
                case REAL:
                case INTEGER: texts[k] = cell; break;
                default: break;
                }
            }
            row.rockType = rock;
            row.values.assignCp1252(texts);
            counts.addRow(fields.size(), rock, texts);
            // The row is moved into its unit whole (it has the unit's schema), not copied.
            const std::int32_t percentage = row.percentage;
            auto addUnit = [&] {
                emplace_back(schema);
                back().elements.push_back(std::move(row));
            };

            bool goOn = true;
            switch (options.intervalLocation) {
            case CSVOptionsData::IntervalBefore:
                if (percentage == 100) {
                    addUnit();
                    goOn = resolve(v);
                    if (goOn)
                        setUnitValues(back(), v, unitFields, counts.characters);
                    newUnit = false;
                } else if (empty()) {
                    // An element row with no interval row before it has no unit to join.
                    addError(messages, 10, ORBAX_Utilities::format_message1(11141, std::to_wstring(line)));
                    goOn = false;
                } else {
                    Interval& unit = back();
                    if (!newUnit && unit.elements.size() == 1) {
                        unit.composite = std::move(unit.elements.front());
                        unit.elements.clear();
                        if (!rockTypeTaken) {
                            options.intervalRockType = unit.composite->rockType.str();
                            rockTypeTaken = true;
                        }
                        newUnit = true;
                    }
                    unit.elements.push_back(std::move(row));
                }
                break;
            case CSVOptionsData::IntervalAfter:
                if (newUnit) {
                    addUnit();
                    if (percentage == 100) {
                        goOn = resolve(v);
                        if (goOn)
                            setUnitValues(back(), v, unitFields, counts.characters);
                    } else {
                        newUnit = false;
                    }
                } else if (percentage != 100) {
                    back().elements.push_back(std::move(row));
                } else {
                    if (!rockTypeTaken) {
                        options.intervalRockType = rock;
                        rockTypeTaken = true;
                    }
                    back().composite = std::move(row);
                    goOn = resolve(v);
                    if (goOn)
                        setUnitValues(back(), v, unitFields, counts.characters);
                    newUnit = true;
                }
                break;
            default: // no interval rows: elements are grouped by their percentages
                if (percentage == 100 || newUnit) {
                    addUnit();
                    goOn = resolve(v);
                    if (goOn)
                        setUnitValues(back(), v, unitFields, counts.characters);
                    if (percentage == 100) {
                        newUnit = true;
                    } else {
                        newUnit = false;
                        percentageSum = percentage;
                    }
                } else {
                    Interval& unit = back();
                    unit.elements.push_back(std::move(row));
                    const double unitTop = unit.bottom - unit.thickness;
                    bool differs = (!std::isnan(v.thickness) && std::fabs(v.thickness - unit.thickness) > 1e-05) ||
                                   (!std::isnan(v.bottom) && std::fabs(v.bottom - unit.bottom) > 1e-05) ||
                                   (!std::isnan(v.top) && std::fabs(v.top - unitTop) > 1e-4);
                    if (differs)
                        addMessage(messages, 1, SeverityWarning,
                                   ORBAX_Utilities::format_message2(11003, realText(options.precision, unitTop),
                                                                    realText(options.precision, unit.bottom)));
                    percentageSum += percentage;
                    if (percentageSum > 99)
                        newUnit = true;
                }
                break;
            }
            counts.units = size();
            if (goOn && counts.exceeded()) {
                counts.reportRead(messages, fileName);
                goOn = false;
            }
            if (!goOn) {
                stopped = true;
                break;
            }
        }
        if (reader.rowTooLong()) {
            counts.addOverlongRow();
            counts.reportRead(messages, fileName);
            stopped = true;
        }
        // An empty line ends the data; rows after it are not lost without a word. One before any row
        // leaves nothing read from a file full of rows: that read fails.
        if (!stopped && reader.textLeft()) {
            if (firstRowLine == 0)
                addError(messages, 9,
                         ORBAX_Utilities::format_message2(11147, fileName, std::to_wstring(reader.rowLine())));
            else
                addMessage(messages, 9, SeverityWarning,
                           ORBAX_Utilities::format_message1(11169, std::to_wstring(reader.rowLine())));
        }

        if (overfullRows > 0)
            addMessage(messages, 16, SeverityWarning,
                       ORBAX_Utilities::format_message(
                           11191, {std::to_wstring(firstOverfullLine), std::to_wstring(firstOverfullCount),
                                   std::to_wstring(fields.size()), schema->name, std::to_wstring(overfullRows)}));
        badPercentages.report(messages, 16, 11194);
        // Rows that give no unit depths are no borehole: the read fails, naming where they begin.
        if (!empty() && !hasFailure(messages) &&
            std::none_of(begin(), end(), [](const Interval& unit) { return unit.depthsKnown(); }))
            addError(messages, 9, ORBAX_Utilities::format_message2(11146, fileName, std::to_wstring(firstRowLine)));
        else if (options.intervalLocation == CSVOptionsData::IntervalAfter && !newUnit && !empty())
            addMessage(messages, 3, SeverityWarning,
                       ORBAX_Utilities::format_message1(11142, realText(options.precision, runningDepth)));

        if (hasReadFailure(messages, keep)) {
            std::vector<Interval>::clear();
            options.formatCode = FormatUnknown;
        } else {
            setNameFromPath(fileName);
            options.formatCode = FormatCSV;
        }
    } catch (const std::exception& e) {
        // A read cut short is a failed read: no partial column is handed on.
        addInternalError(messages, "Borehole_CSV", kReadLine, e.what());
        std::vector<Interval>::clear();
        options.formatCode = FormatUnknown;
    }
}

unsigned Borehole_CSV::importSchema(const std::wstring& fileName, LoadMessages& messages)
{
    ORBAX_Platform::InputFile in;
    int code = 0;
    const ORBAX_Platform::FileRead outcome =
        ORBAX_Platform::open_input(in, ORBAX_Platform::path_from_wide(fileName), code);
    if (outcome != ORBAX_Platform::FileRead::Read) {
        addError(messages, 5,
                 ORBAX_Utilities::format_message2(11001, fileName,
                                                  FileReadFailureText(outcome, code, MaxBoreholeTextFileBytes)));
        return 0;
    }
    return importSchema(in, fileName, messages);
}

unsigned Borehole_CSV::importSchema(std::istream& in, const std::wstring& fileName, LoadMessages& messages)
{
    std::string line;
    bool tooLong = false;
    errno = 0;
    ORBAX_Platform::read_line(in, line, MaxBoreholeTextFileBytes, tooLong);
    if (tooLong) {
        addError(
            messages, 5,
            ORBAX_Utilities::format_message2(
                11001, fileName, FileReadFailureText(ORBAX_Platform::FileRead::TooLarge, 0, MaxBoreholeTextFileBytes)));
        return 0;
    }
    if (in.bad()) {
        // Opening succeeds here for a folder; reading it is what fails.
        addError(
            messages, 5,
            ORBAX_Utilities::format_message2(11001, fileName, ORBAX_Utilities::SystemErrorText(errno ? errno : EIO)));
        return 0;
    }
    return countCsvColumns(line);
}

} // namespace ORBAX_Logging
