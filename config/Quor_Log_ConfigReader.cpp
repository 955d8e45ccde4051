// Reading the configuration file: the header, the section dispatch and the stop rule, and the
// sections of bitmaps, vector patterns and hatch lists.
#include <algorithm>

#include "config/Quor_Log_Config.h"
#include "core/configfile/ConfigFileReader.h"
#include "core/configfile/ConfigSchemaSection.h"
#include "core/configfile/ConfigSyntax.h"
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

void QuorLogConfig::ReadConfiguration(const std::wstring& path, ConfigMessageList& messages, ConfigFileOrigin origin)
{
    std::string bytes;
    if (ReadConfigurationFile(ORBAX_Platform::path_from_wide(path), path, origin, bytes, messages))
        ReadConfigurationText(bytes, path, messages);
}

void QuorLogConfig::ReadConfigurationText(const std::string& bytes, const std::wstring& path,
                                          ConfigMessageList& messages)
{
    auto section = [this](void (QuorLogConfig::*reader)(ConfigTokenStream&, ConfigMessageList&)) {
        return [this, reader](ConfigTokenStream& stream, ConfigMessageList& list) { (this->*reader)(stream, list); };
    };
    m_read = ReadIndexes();
    const std::vector<ConfigSectionReader> sections = {
        {"bitmaps", section(&QuorLogConfig::ReadBitmapsSection)},
        {"vectors", section(&QuorLogConfig::ReadVectorsSection)},
        {"definitions", section(&QuorLogConfig::ReadDefinitionsSection)},
        {"correlations", section(&QuorLogConfig::ReadCorrelationsSection)},
        {"traces", section(&QuorLogConfig::ReadTracesSection)},
        {"schemadefinitions", section(&QuorLogConfig::ReadSchemaDefinitionsSection)},
    };
    ReadConfigurationSections(bytes, path, sections, OtherSections::Refuse, messages);
}

void QuorLogConfig::ReadBitmapsSection(ConfigTokenStream& stream, ConfigMessageList& messages)
{
    std::string token;
    ReadRecordList(stream, messages, token, [&](int kind) {
        if (!IsName(kind)) {
            FormatProblem(stream, messages);
            return false;
        }
        BitmapPattern& pattern = m_tables.bitmaps.FindOrCreate(ORBAX_Platform::widen_cp1252(token), m_read.bitmaps);

        kind = stream.nextWordOrString(token);
        if (kind == ConfigTokenStream::End)
            return false;
        if (kind != ConfigTokenStream::Word) {
            FormatProblem(stream, messages);
            return false;
        }
        if (stream.compare_nocase_cstr("mono", token) == 0) {
            std::string widthText, blanks;
            if (stream.nextToken(widthText, blanks) != ConfigTokenStream::Number) {
                FormatProblem(stream, messages);
                return false;
            }
            std::string rows;
            if (stream.nextToken(rows, blanks) != ConfigTokenStream::QuotedString) {
                FormatProblem(stream, messages);
                return false;
            }
            pattern.width = static_cast<int>(ORBAX_Platform::parse_long(widthText));
            BitmapPattern::ParseMonoData(messages, ORBAX_Platform::widen_cp1252(StripQuotes(rows)), pattern,
                                         stream.lineNumber());
        } else if (stream.compare_nocase_cstr("rgb", token) == 0) {
            std::string file, blanks;
            if (stream.nextToken(file, blanks) != ConfigTokenStream::QuotedString) {
                FormatProblem(stream, messages);
                return false;
            }
            const std::wstring fileName = ORBAX_Platform::widen_cp1252(StripQuotes(file));
            std::wstring error;
            if (!BitmapPattern::LoadImageFile(fileName, pattern, error, programFolder))
                AddConfigMessage(messages, 8, 2, 1008, {fileName, LineText(stream), error});
        } else {
            FormatProblem(stream, messages); // the next record is read all the same
        }
        return true;
    });
}

void QuorLogConfig::ReadVectorsSection(ConfigTokenStream& stream, ConfigMessageList& messages)
{
    std::string token;
    ReadRecordList(stream, messages, token, [&](int kind) {
        if (!IsName(kind)) {
            FormatProblem(stream, messages);
            return false;
        }
        const std::wstring name = ORBAX_Platform::widen_cp1252(token);
        VectorPattern& pattern = m_tables.vectors.FindOrCreate(name, m_read.vectors);

        std::uint32_t colorref = 0;
        if (stream.readColour(colorref))
            pattern.colour = ArgbFromColorref(colorref);
        else
            FormatProblem(stream, messages);

        double size[2] = {0, 0};
        for (double& value : size) {
            kind = stream.nextWordOrString(token);
            if (kind == ConfigTokenStream::End)
                return false;
            if (!ReadFiniteNumber(stream, kind, token, value)) {
                FormatProblem(stream, messages);
                return false;
            }
            value /= 10.0;
        }
        // A size a float cannot hold is no size either.
        if (!(size[0] > 0) || !(size[1] > 0) || size[0] > 1e30 || size[1] > 1e30) {
            AddConfigMessage(messages, 46, 3, 1046, {name, LineText(stream)});
            return false;
        }
        pattern.width = static_cast<float>(size[0]);
        pattern.height = static_cast<float>(size[1]);

        kind = stream.nextWordOrString(token);
        if (kind == ConfigTokenStream::End)
            return false;
        if (!IsBrace(kind, token, '{'))
            FormatProblem(stream, messages);
        // Brace-balanced: line and polygon elements hold braces of their own.
        std::string block;
        if (!stream.skipBlock(block))
            return false;
        VectorPattern::Compile(pattern, ORBAX_Platform::widen_cp1252(trimElementBlock(block)), messages,
                               stream.lineNumber());
        return true;
    });
}

void QuorLogConfig::ReadDefinitionsSection(ConfigTokenStream& stream, ConfigMessageList& messages)
{
    std::string token;
    ReadRecordList(stream, messages, token, [&](int kind) {
        if (!IsName(kind)) {
            FormatProblem(stream, messages);
            return false;
        }
        HatchList& list = m_tables.hatchLists.FindOrCreate(ORBAX_Platform::widen_cp1252(token), m_read.hatchLists);
        if (!OpenRecord(stream, messages))
            return false;
        for (;;) {
            kind = stream.nextWordOrString(token);
            if (kind == ConfigTokenStream::End)
                return false;
            if (IsBrace(kind, token, '}'))
                break;
            if (kind != ConfigTokenStream::Word) {
                FormatProblem(stream, messages);
                return false;
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
                return false;
            if (!IsName(kind))
                FormatProblem(stream, messages);

            if (!OpenRecord(stream, messages))
                return false;
            std::string raw;
            if (!ReadRockTypes(stream, raw))
                return false;

            // One entry per rock type, counted before the list is split.
            if (!CountConfigItems(stream, messages,
                                  static_cast<std::size_t>(std::count(raw.begin(), raw.end(), ',')) + 1))
                return false;
            m_read.patterns.update(m_tables.bitmaps, m_tables.vectors, m_tables.inbuilts);
            bool reported = false;
            for (const std::string& rockType : splitRockTypes(raw)) {
                if (entryKind < 0)
                    continue;
                HatchListEntry entry(entryKind, ORBAX_Platform::widen_cp1252(patternName),
                                     ORBAX_Platform::widen_cp1252(rockType));
                if (!HatchListEntry::Resolve(m_read.patterns, entry) && !reported) {
                    reported = true;
                    AddConfigMessage(messages, 6, 2, 1006,
                                     {list.name, ORBAX_Platform::widen_cp1252(HatchListEntry::KindWord(entryKind)),
                                      entry.rockType, entry.patternName, LineText(stream)});
                }
                list.entries.push_back(entry);
            }
        }
        return true;
    });
}
