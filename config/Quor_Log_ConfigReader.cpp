// Reading the configuration file: the header, the section dispatch and the stop rule, and the
// sections of bitmaps, vector patterns and hatch lists.
#include <sstream>

#include "config/Quor_Log_Config.h"
#include "config/Quor_Log_ConfigSyntax.h"
#include "core/configfile/ConfigSchemaSection.h"
#include "platform/LineReader.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"

using namespace ORBAX_Config;
using namespace QuorLogConfigSyntax;

namespace {

// The vector element block as the pattern compiles it: leading white space up to and including the
// last line feed before the first other character, and trailing blanks, tabs and line feeds, removed.
std::string trimElementBlock(const std::string& text)
{
    std::size_t first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos)
        return std::string();
    std::size_t start = 0;
    std::size_t lastFeed = text.rfind('\n', first);
    if (lastFeed != std::string::npos)
        start = lastFeed + 1;
    std::size_t last = text.find_last_not_of(" \t\n");
    return text.substr(start, last + 1 - start);
}

std::vector<std::string> splitRockTypes(const std::string& raw)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = raw.find(',', start);
        std::string field = raw.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        std::size_t first = field.find_first_not_of(" \t\n");
        std::size_t last = field.find_last_not_of(" \t\n");
        out.push_back(first == std::string::npos ? std::string() : field.substr(first, last + 1 - first));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return out;
}

} // namespace

void QuorLogConfig::ReadConfiguration(const std::wstring& path, ConfigMessageList& messages)
{
    std::string bytes;
    std::string error;
    if (!ORBAX_Platform::read_file_bytes(ORBAX_Platform::path_from_wide(path), bytes, &error)) {
        AddConfigMessage(messages, 1, 3, 1001, {path, ORBAX_Platform::wide_from_utf8(error)});
        return;
    }
    ReadConfigurationText(bytes, path, messages);
}

void QuorLogConfig::ReadConfigurationText(const std::string& bytes, const std::wstring& path,
                                          ConfigMessageList& messages)
{
    std::stringbuf buffer(ORBAX_Platform::drop_line_end_carriage_returns(bytes));
    ConfigTokenStream stream(&buffer);
    std::string firstLine;
    stream.readLine(firstLine);
    if (!CheckConfigurationHeader(firstLine, path, messages))
        return;

    using Reader = void (QuorLogConfig::*)(ConfigTokenStream&, ConfigMessageList&);
    static const struct {
        const char* word;
        Reader reader;
    } sections[] = {
        {"bitmaps", &QuorLogConfig::ReadBitmapsSection},
        {"vectors", &QuorLogConfig::ReadVectorsSection},
        {"definitions", &QuorLogConfig::ReadDefinitionsSection},
        {"correlations", &QuorLogConfig::ReadCorrelationsSection},
        {"traces", &QuorLogConfig::ReadTracesSection},
        {"schemadefinitions", &QuorLogConfig::ReadSchemaDefinitionsSection},
    };

    std::string token;
    while (stream.good()) {
        if (stream.nextWordOrString(token) == ConfigTokenStream::End)
            break;
        Reader reader = nullptr;
        for (const auto& section : sections)
            if (stream.compare_nocase_cstr(section.word, token) == 0) {
                reader = section.reader;
                break;
            }
        if (reader)
            (this->*reader)(stream, messages);
        else
            AddConfigMessage(messages, 14, 3, 1014, {WidenName(token), LineText(stream)});
        if (HasConfigFailure(messages) || stream.fail())
            break;
    }
}

void QuorLogConfig::ReadBitmapsSection(ConfigTokenStream& stream, ConfigMessageList& messages)
{
    if (!OpenSection(stream, messages))
        return;
    std::string token;
    for (;;) {
        int kind = stream.nextWordOrString(token);
        if (EndsRecordList(kind, token))
            return;
        if (!IsName(kind)) {
            FormatProblem(stream, messages);
            return;
        }
        BitmapPattern& pattern = m_tables.bitmaps.FindOrCreate(WidenName(token));

        kind = stream.nextWordOrString(token);
        if (kind == ConfigTokenStream::End)
            return;
        if (kind != ConfigTokenStream::Word) {
            FormatProblem(stream, messages);
            return;
        }
        if (stream.compare_nocase_cstr("mono", token) == 0) {
            std::string widthText, blanks;
            if (stream.nextToken(widthText, blanks) != ConfigTokenStream::Number) {
                FormatProblem(stream, messages);
                return;
            }
            std::string rows;
            if (stream.nextToken(rows, blanks) != ConfigTokenStream::QuotedString) {
                FormatProblem(stream, messages);
                return;
            }
            pattern.width = static_cast<int>(ORBAX_Platform::parse_long(widthText));
            BitmapPattern::ParseMonoData(messages, WidenName(StripQuotes(rows)), pattern, stream.lineNumber());
        } else if (stream.compare_nocase_cstr("rgb", token) == 0) {
            std::string file, blanks;
            if (stream.nextToken(file, blanks) != ConfigTokenStream::QuotedString) {
                FormatProblem(stream, messages);
                return;
            }
            const std::wstring fileName = WidenName(StripQuotes(file));
            std::wstring error;
            if (!BitmapPattern::LoadImageFile(fileName, pattern, error, programFolder))
                AddConfigMessage(messages, 8, 2, 1008, {fileName, LineText(stream), error});
        } else {
            FormatProblem(stream, messages); // the next record is read all the same
        }
    }
}

void QuorLogConfig::ReadVectorsSection(ConfigTokenStream& stream, ConfigMessageList& messages)
{
    if (!OpenSection(stream, messages))
        return;
    std::string token;
    for (;;) {
        int kind = stream.nextWordOrString(token);
        if (EndsRecordList(kind, token))
            return;
        if (!IsName(kind)) {
            FormatProblem(stream, messages);
            return;
        }
        const std::wstring name = WidenName(token);
        VectorPattern& pattern = m_tables.vectors.FindOrCreate(name);

        std::uint32_t colorref = 0;
        if (stream.readColour(colorref))
            pattern.colour = ArgbFromColorref(colorref);
        else
            FormatProblem(stream, messages);

        double size[2] = {0, 0};
        for (double& value : size) {
            kind = stream.nextWordOrString(token);
            if (kind == ConfigTokenStream::End)
                return;
            if (!ReadFiniteNumber(stream, kind, token, value)) {
                FormatProblem(stream, messages);
                return;
            }
            value /= 10.0;
        }
        // A size a float cannot hold is no size either.
        if (!(size[0] > 0) || !(size[1] > 0) || size[0] > 1e30 || size[1] > 1e30) {
            AddConfigMessage(messages, 46, 3, 1046, {name, LineText(stream)});
            return;
        }
        pattern.width = static_cast<float>(size[0]);
        pattern.height = static_cast<float>(size[1]);

        kind = stream.nextWordOrString(token);
        if (kind == ConfigTokenStream::End)
            return;
        if (!IsBrace(kind, token, '{'))
            FormatProblem(stream, messages);
        // Brace-balanced: line and polygon elements hold braces of their own.
        std::string block;
        if (!stream.skipBlock(block))
            return;
        VectorPattern::Compile(pattern, WidenName(trimElementBlock(block)), messages, stream.lineNumber());
    }
}

void QuorLogConfig::ReadDefinitionsSection(ConfigTokenStream& stream, ConfigMessageList& messages)
{
    if (!OpenSection(stream, messages))
        return;
    std::string token;
    for (;;) {
        int kind = stream.nextWordOrString(token);
        if (EndsRecordList(kind, token))
            return;
        if (!IsName(kind)) {
            FormatProblem(stream, messages);
            return;
        }
        HatchList& list = m_tables.hatchLists.FindOrCreate(WidenName(token));
        kind = stream.nextWordOrString(token);
        if (kind == ConfigTokenStream::End)
            return;
        if (!IsBrace(kind, token, '{')) {
            FormatProblem(stream, messages);
            return;
        }
        for (;;) {
            kind = stream.nextWordOrString(token);
            if (kind == ConfigTokenStream::End)
                return;
            if (IsBrace(kind, token, '}'))
                break;
            if (kind != ConfigTokenStream::Word) {
                FormatProblem(stream, messages);
                return;
            }
            int entryKind = -1;
            if (stream.compare_nocase_cstr("bitmap", token) == 0)
                entryKind = HatchListEntry::Bitmap;
            else if (stream.compare_nocase_cstr("anivector", token) == 0)
                entryKind = HatchListEntry::Anivector;
            else if (stream.compare_nocase_cstr("isovector", token) == 0)
                entryKind = HatchListEntry::Isovector;
            else if (stream.compare_nocase_cstr("inbuilt", token) == 0)
                entryKind = HatchListEntry::Inbuilt;
            else
                FormatProblem(stream, messages); // the line is read, its entries are not kept

            std::string patternName;
            kind = stream.nextWordOrString(patternName);
            if (kind == ConfigTokenStream::End)
                return;
            if (!IsName(kind))
                FormatProblem(stream, messages);

            kind = stream.nextWordOrString(token);
            if (kind == ConfigTokenStream::End)
                return;
            if (!IsBrace(kind, token, '{')) {
                FormatProblem(stream, messages);
                return;
            }
            std::string raw;
            if (!ReadRockTypes(stream, raw))
                return;

            bool reported = false;
            for (const std::string& rockType : splitRockTypes(raw)) {
                if (entryKind < 0)
                    continue;
                HatchListEntry entry(entryKind, WidenName(patternName), WidenName(rockType));
                if (!HatchListEntry::Resolve(m_tables.bitmaps, entry, m_tables.vectors, m_tables.inbuilts, true) &&
                    !reported) {
                    reported = true;
                    AddConfigMessage(messages, 6, 2, 1006,
                                     {list.name, WidenName(HatchListEntry::KindWord(entryKind)), entry.rockType,
                                      entry.patternName, LineText(stream)});
                }
                list.entries.push_back(entry);
            }
        }
    }
}
