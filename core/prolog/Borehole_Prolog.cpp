#include "core/prolog/Borehole_Prolog.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <string_view>
#include <system_error>

#include "core/catalogue/Messages.h"
#include "core/model/DepthResolution.h"
#include "core/model/FileLimits.h"
#include "core/model/InternalError.h"
#include "core/model/OneRowUnits.h"
#include "core/model/UnitRowValues.h"
#include "core/model/UnitRowWriter.h"
#include "core/model/ValueText.h"
#include "platform/InputFile.h"
#include "platform/LineReader.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace ORBAX_Logging {
namespace {

// Where the internal-error messages of this format say they come from.
const char* const sourceName = "Borehole_Prolog";
constexpr int readerLine = 294;
constexpr int badFormatLine = 403;
constexpr int writerLine = 422;

constexpr std::size_t prolog21FieldCount = 25;

// Message kinds of this format.
constexpr int kindIncomplete = 3;
constexpr int kindOpen = 5;
constexpr int kindUnknownSchema = 6;
constexpr int kindDefaultSchema = 8;
constexpr int kindReadError = 9;
constexpr int kindNotProlog = 10;
constexpr int kindFieldCount = 16;

std::wstring systemText(int code) { return ORBAX_Platform::wide_from_utf8(std::generic_category().message(code)); }

// Lines of a file held in memory; a line ends at a line feed, a carriage return (files of old Mac
// programs) or the two together. A last line without a line end still counts.
class LineCursor {
public:
    explicit LineCursor(const std::string& bytes) : m_bytes(bytes) {}

    bool next(std::string_view& line)
    {
        if (m_pos >= m_bytes.size())
            return false;
        // A plain loop: find_first_of looks each byte up in the set by a call of its own.
        std::size_t end = m_pos;
        while (end < m_bytes.size() && m_bytes[end] != '\n' && m_bytes[end] != '\r')
            ++end;
        line = std::string_view(m_bytes.data() + m_pos, end - m_pos);
        m_pos = end;
        if (m_pos < m_bytes.size() && m_bytes[m_pos++] == '\r' && m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
            ++m_pos;
        return true;
    }

    // About the number of lines left (line feeds, or carriage returns in a file without any).
    std::size_t remainingLines() const
    {
        const auto from = m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pos);
        const auto feeds = static_cast<std::size_t>(std::count(from, m_bytes.end(), '\n'));
        return (feeds ? feeds : static_cast<std::size_t>(std::count(from, m_bytes.end(), '\r'))) + 1;
    }

private:
    const std::string& m_bytes;
    std::size_t m_pos = 0;
};

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::int32_t toInt32(long value) { return static_cast<std::int32_t>(std::clamp<long>(value, INT32_MIN, INT32_MAX)); }

void appendLine(void* context, const std::string& text, const OptionsData&)
{
    std::string& out = *static_cast<std::string*>(context);
    out += text;
    out += "\r\n";
}

void noSeparator(void*, const OptionsData&) {}

} // namespace

Borehole_Prolog::~Borehole_Prolog() = default;

int Borehole_Prolog::entriesCount(const std::string& upperLine)
{
    const std::size_t at = upperLine.find("ENTRIES");
    if (at == std::string::npos)
        return -1;
    std::size_t p = at + 7;
    while (p < upperLine.size() && isBlank(upperLine[p]))
        ++p;
    if (p >= upperLine.size() || upperLine[p] != '=')
        return -1;
    ++p;
    while (p < upperLine.size() && isBlank(upperLine[p]))
        ++p;
    if (p >= upperLine.size())
        return -1;
    return toInt32(ORBAX_Platform::parse_long(std::string_view(upperLine).substr(p)));
}

std::unique_ptr<Borehole> Borehole_Prolog::load(const std::wstring& fileName, PrologOptionsData& options,
                                                LoadMessages& messages)
{
    std::string bytes;
    int code = 0;
    try {
        const ORBAX_Platform::FileRead outcome = ORBAX_Platform::read_file_bytes(
            ORBAX_Platform::path_from_wide(fileName), MaxBoreholeTextFileBytes, bytes, code, &options.fileRead);
        if (outcome == ORBAX_Platform::FileRead::Read)
            return loadBytes(bytes, fileName, options, messages);
        messages.clear();
        addError(messages, kindOpen,
                 ORBAX_Utilities::format_message(
                     11001, {fileName, FileReadFailureText(outcome, code, MaxBoreholeTextFileBytes)}));
    } catch (const std::exception& e) {
        messages.clear();
        addInternalError(messages, sourceName, readerLine, e.what());
    }
    return std::make_unique<Borehole>(options.schema);
}

std::unique_ptr<Borehole> Borehole_Prolog::loadBytes(const std::string& bytes, const std::wstring& fileName,
                                                     PrologOptionsData& options, LoadMessages& messages)
{
    messages.clear();
    try {
        auto borehole = std::make_unique<Borehole_Prolog>(options.schema);
        try {
            borehole->read(bytes, fileName, options, messages);
        } catch (const std::exception& e) {
            // A read that broke off is a failed read: it keeps no units.
            borehole->std::vector<Interval>::clear();
            addInternalError(messages, sourceName, readerLine, e.what());
        }
        return borehole;
    } catch (const std::exception& e) {
        // Not even an empty borehole of this format could be made; the caller still gets one, and
        // the message says that the read failed.
        addInternalError(messages, sourceName, readerLine, e.what());
        return std::make_unique<Borehole>(options.schema);
    }
}

void Borehole_Prolog::read(const std::string& bytes, const std::wstring& fileName, PrologOptionsData& options,
                           LoadMessages& messages)
{
    using ORBAX_Utilities::format_message;
    clear();
    // A file whose every line end is a doubled carriage return reads as the file it was.
    std::string single;
    if (ORBAX_Platform::doubled_carriage_returns(bytes))
        single = ORBAX_Platform::single_carriage_returns(bytes);
    LineCursor lines(single.empty() ? bytes : single);
    std::string_view first;
    if (!lines.next(first)) {
        addError(messages, kindReadError, format_message(11112, {fileName, systemText(ENODATA)}));
        return;
    }
    if (first.empty() || (first[0] != 'v' && first[0] != 'V')) {
        addError(messages, kindNotProlog, format_message(11113, {fileName}));
        return;
    }
    const bool version30 = first.find("3.") != std::string_view::npos;
    options.formatCode = version30 ? FormatProlog30 : FormatProlog21;

    // Choose the schema: the nominated one when it has as many fields as the file's records, else the
    // configuration's default for the version.
    schema.reset();
    const SchemaPtr nominated = options.schema;
    long long wanted = static_cast<long long>(prolog21FieldCount);
    SchemaPtr fallback = options.prolog21Schema;
    const wchar_t* fallbackName = L"prolog21";
    if (version30) {
        const int entries = entriesCount(upperAscii(first));
        wanted = entries > 0 ? static_cast<long long>(entries) + 2 : -1;
        fallback = options.prolog30Schema;
        fallbackName = L"prolog3";
    }
    SchemaPtr chosen;
    bool switched = false;
    if (nominated && wanted > 0 && static_cast<long long>(nominated->fields.size()) == wanted) {
        chosen = nominated;
    } else if (fallback) {
        chosen = fallback;
        switched = static_cast<bool>(nominated);
    }
    // A schema that does not give the file's record length would read every record misaligned.
    if (chosen && (chosen->fields.empty() || (wanted > 0 && static_cast<long long>(chosen->fields.size()) != wanted)))
        chosen.reset();
    if (!chosen) {
        if (nominated || fallback)
            addError(messages, kindFieldCount, ORBAX_Utilities::get_message_wide(11007));
        else
            addError(messages, kindUnknownSchema, format_message(11002, {fallbackName}));
        return;
    }
    schema = std::make_shared<const SchemaDefinition>(*chosen);
    if (switched)
        addMessage(messages, kindDefaultSchema, SeverityWarning,
                   format_message(11116, {nominated->name, chosen->name}));
    options.schema = chosen;

    const std::vector<FieldDefinition>& fields = schema->fields;
    const std::size_t fieldCount = fields.size();
    const UnitValueFields unitFields(*schema);
    const std::wstring& intervalText = options.intervalRockType;
    reserve(std::min(lines.remainingLines() / fieldCount + 1, MaxBoreholeUnits + 1));
    BoreholeCounts counts;

    double runningDepth = 0.0;
    bool unitOpen = false;
    auto widenInto = [](std::string_view line, std::wstring& out) { ORBAX_Platform::widen_cp1252(line, out); };
    // Reused from record to record: the free fields' texts (lines of the file, packed straight from
    // its bytes; the other positions stay empty), the rock type and the unit-level values.
    std::vector<std::string_view> texts(fieldCount);
    std::wstring rock;
    UnitRowValues record;
    // The lines of a record, found before any of them is read: a record cut short is dropped, and
    // one of more text than a read holds is refused, without a character of either being widened.
    std::vector<std::string_view> recordLines(fieldCount);

    for (;;) {
        std::size_t found = 0;
        std::size_t recordCharacters = 0;
        bool anyText = false;
        while (found < fieldCount && lines.next(recordLines[found])) {
            const std::string_view line = recordLines[found++];
            recordCharacters += line.size();
            anyText = anyText || line.find_first_not_of(" \t") != std::string_view::npos;
        }
        if (recordCharacters > MaxRowCharacters) {
            counts.addOverlongRow();
            counts.reportRead(messages, fileName);
            break;
        }
        if (found < fieldCount) {
            // A record cut short by the end of the file is dropped; when it holds any text the file
            // was probably cut short, and the user is told what was left out.
            if (anyText)
                addMessage(messages, kindIncomplete, SeverityWarning,
                           ORBAX_Utilities::format_message1(11118, fileName));
            break;
        }
        LithData row(schema);
        record.reset();
        rock.clear();
        for (std::size_t k = 0; k < fieldCount; ++k) {
            const std::string_view line = recordLines[k];
            switch (fields[k].kind) {
            case TOP: record.top = ORBAX_Platform::parse_double(line); break;
            case BOTTOM: record.bottom = ORBAX_Platform::parse_double(line); break;
            case THICKNESS: record.thickness = ORBAX_Platform::parse_double(line); break;
            case RECOVERED:
                // The writer leaves the line empty when nothing was measured: that reads back as
                // absent, never as "nothing recovered".
                if (line.find_first_not_of(" \t") != std::string_view::npos)
                    record.recovered = ORBAX_Platform::parse_double(line);
                break;
            case PERCENTAGE: row.percentage = toInt32(ORBAX_Platform::parse_long(line)); break;
            case ROCKTYPE:
                widenInto(line, rock);
                ORBAX_Platform::trim_blanks(rock);
                break;
            case SAMPLE: widenInto(line, record.sample); break;
            case SEAM: widenInto(line, record.seam); break;
            case PLY: widenInto(line, record.ply); break;
            case STRING:
            case REAL:
            case INTEGER: texts[k] = line; break;
            default: break;
            }
        }
        row.rockType = rock;
        row.values.assignCp1252(texts);
        counts.addRow(fieldCount, rock, texts);

        const bool compositeRecord = rock.compare(0, intervalText.size(), intervalText) == 0;
        int resolution = ResolvedConsistent;
        if (!unitOpen) {
            emplace_back(schema);
            Interval& unit = back();
            const std::int32_t percentage = row.percentage;
            unit.elements.push_back(std::move(row));
            if (percentage == 100)
                resolution = resolveAndReport(messages, options.precision, unit, runningDepth, record.top,
                                              record.bottom, record.thickness, options.keepGivenDepths);
            setUnitValues(unit, record, unitFields, counts.characters);
            unitOpen = percentage != 100;
        } else if (!compositeRecord) {
            Interval& unit = back();
            unitOpen = row.percentage != 100;
            unit.elements.push_back(std::move(row));
        } else {
            Interval& unit = back();
            unit.composite = std::move(row);
            setUnitValues(unit, record, unitFields, counts.characters);
            resolution = resolveAndReport(messages, options.precision, unit, runningDepth, record.top, record.bottom,
                                          record.thickness, options.keepGivenDepths);
            unitOpen = false;
        }
        // A unit that cannot be placed ends the read, as its message says.
        if (resolution >= OnlyTopGiven)
            break;
        counts.units = size();
        if (counts.exceeded()) {
            counts.reportRead(messages, fileName);
            break;
        }
    }

    // Records that give no unit depths are no borehole (a file read with the wrong line ends shows
    // so): the read fails, naming where the records begin (line 2, after the version line). Otherwise an interbedded
    // unit left open has no depths, and the user is told, as in the other formats.
    if (!empty() && !hasFailure(messages) &&
        std::none_of(begin(), end(), [](const Interval& unit) { return unit.depthsKnown(); }))
        addError(messages, kindReadError, format_message(11146, {fileName, L"2"}));
    else if (unitOpen)
        addMessage(messages, kindIncomplete, SeverityWarning,
                   ORBAX_Utilities::format_message1(11142, realText(options.precision, runningDepth)));

    // The repair read keeps the units through the inconsistencies it exists to mend.
    const bool failed = hasReadFailure(messages, options.keepGivenDepths);
    if (failed)
        std::vector<Interval>::clear();
    else
        setNameFromPath(fileName);
}

bool Borehole_Prolog::writeBytes(std::string& out, LoadMessages& messages, const Borehole& borehole,
                                 const OptionsData& options)
{
    using ORBAX_Utilities::format_message;
    out.clear();
    if (options.formatCode != FormatProlog21 && options.formatCode != FormatProlog30) {
        addInternalError(messages, sourceName, badFormatLine);
        return false;
    }
    if (!options.schema) {
        addError(messages, kindUnknownSchema,
                 format_message(11002, {options.formatCode == FormatProlog21 ? L"prolog21" : L"prolog3"}));
        return false;
    }
    const std::size_t fieldCount = options.schema->fields.size();
    // Refuse what the reader could not read back: version 2.1 records are always 25 lines, and a
    // version 3.0 header must announce at least one entry.
    if (options.formatCode == FormatProlog21 && fieldCount != prolog21FieldCount) {
        addError(messages, kindFieldCount,
                 format_message(
                     11197, {std::to_wstring(prolog21FieldCount), options.schema->name, std::to_wstring(fieldCount)}));
        return false;
    }
    if (options.formatCode == FormatProlog30 && fieldCount < 3) {
        addError(messages, kindFieldCount, ORBAX_Utilities::get_message_wide(11007));
        return false;
    }

    WrittenFields written(*options.schema);
    reportFieldsWithoutColumn(borehole, written, messages);
    const OneRowUnits oneRow(borehole, *options.schema, RowMarking::PercentAndRockType, options.intervalRockType);
    oneRow.report(borehole, *options.schema, options.precision, messages);
    out.reserve(64 + borehole.size() * fieldCount * 10);
    if (options.formatCode == FormatProlog21)
        out += "v2.1\r\n";
    else
        out += "v3.0  entries=" + std::to_string(fieldCount - 2) + "\r\n";
    forEachWrittenRow(borehole, oneRow, UnitRowPlace::AfterElements, options.precision,
                      [&](const Interval& unit, const WrittenDepths& depths, const LithData& row, bool unitRow) {
                          writeUnitRow(row, messages, unit, depths, &out, options, written, appendLine, noSeparator,
                                       unitRow, true);
                      });
    return true;
}

void Borehole_Prolog::save(const std::wstring& fileName, LoadMessages& messages, Borehole& borehole,
                           const OptionsData& options)
{
    try {
        std::string out;
        if (!checkDepthsKnown(borehole, fileName, options.precision, messages))
            return;
        // What the file holds is said once it is written; a refusal of the bytes is said at once.
        LoadMessages notes;
        if (!writeBytes(out, notes, borehole, options)) {
            messages.insert(messages.end(), notes.begin(), notes.end());
            return;
        }
        if (!writeBoreholeFile(fileName, out, MaxBoreholeTextFileBytes, options.backup, messages, notes,
                               options.replaces))
            return;
        borehole.setNameFromPath(fileName);
    } catch (const std::exception& e) {
        addInternalError(messages, sourceName, writerLine, e.what());
    }
}

int Borehole_Prolog::importSchema(const std::wstring& fileName, LoadMessages& messages)
{
    using ORBAX_Utilities::format_message;
    ORBAX_Platform::InputFile in;
    int code = 0;
    const ORBAX_Platform::FileRead outcome =
        ORBAX_Platform::open_input(in, ORBAX_Platform::path_from_wide(fileName), code);
    if (outcome != ORBAX_Platform::FileRead::Read) {
        addError(messages, kindOpen,
                 format_message(11001, {fileName, FileReadFailureText(outcome, code, MaxBoreholeTextFileBytes)}));
        return -1;
    }
    return importSchema(in, fileName, messages);
}

int Borehole_Prolog::importSchema(std::istream& in, const std::wstring& fileName, LoadMessages& messages)
{
    using ORBAX_Utilities::format_message;
    try {
        // An empty file has no first line, so no "V" to begin it: it is not a Prolog file. A first
        // line longer than any file of its kind is not read whole.
        std::string line;
        bool tooLong = false;
        ORBAX_Platform::read_line(in, line, MaxBoreholeTextFileBytes, tooLong);
        if (tooLong) {
            addError(messages, kindOpen,
                     format_message(11001, {fileName, FileReadFailureText(ORBAX_Platform::FileRead::TooLarge, 0,
                                                                          MaxBoreholeTextFileBytes)}));
            return -1;
        }
        const std::string upper = upperAscii(line);
        if (upper.empty() || upper[0] != 'V') {
            addError(messages, kindNotProlog, format_message(11113, {fileName}));
            return -1;
        }
        if (upper.find("3.") == std::string::npos)
            return static_cast<int>(prolog21FieldCount);
        const int entries = entriesCount(upper);
        return entries > INT_MAX - 2 ? INT_MAX : entries + 2;
    } catch (const std::exception& e) {
        addInternalError(messages, sourceName, readerLine, e.what());
        return -1;
    }
}

} // namespace ORBAX_Logging
