#include "las/LasDataCommon.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "core/catalogue/Messages.h"
#include "las/LasDataSection.h"
#include "las/LasException.h"
#include "las/LasHeaderLine.h"
#include "las/LasLineSource.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"

namespace ORBAX_Geophysics {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

enum Section { Version, Well, Parameter, CurveSection, Ascii, SectionCount, Unknown = SectionCount };

// The names a message gives a section: a second data section is "~A", a missing one "~Ascii".
const wchar_t* const kDuplicateNames[SectionCount] = {L"~Version", L"~Well", L"~Parameter", L"~Curve", L"~A"};

} // namespace

// The file-level reader: titles, their dispatch, the header sections and the result codes.
class LasFileReader {
public:
    LasFileReader(LasDataCommon& las, LasLineSource& source, std::wstring& errorText)
        : m_las(las), m_source(source), m_errorText(errorText)
    {
    }

    // Reads the file; a line too long to read ends it with its own message, whatever the sections
    // read so far would have said.
    int run();

private:
    int read_sections();
    Section classify(const std::string& word) const;
    // Each parser returns true when it stopped at a line that starts with "~" (kept in m_line).
    bool parse_version_section();
    bool parse_well_section();
    bool parse_curve_section();
    bool parse_parameter_section();
    bool skip_unknown_section();

    int fail(int code, int message, const std::vector<std::wstring>& args)
    {
        m_errorText = ORBAX_Utilities::format_message(message, args);
        return code;
    }
    int format_problem()
    {
        return fail(3, 20003, {m_las.m_fileName, L"(global)", std::to_wstring(m_source.line_number())});
    }

    LasDataCommon& m_las;
    LasLineSource& m_source;
    std::wstring& m_errorText;
    std::string m_line; // the current line, copied out of the source's buffer
    int m_versionMajor = 0;
    bool m_wrapped = false;
    std::int64_t m_tooManyCurves = 0; // the line of the curve beyond kMaxCurves, which ended the read
};

Section LasFileReader::classify(const std::string& word) const
{
    const char first = word.empty() ? '\0' : word[0];
    const bool byLetter = m_versionMajor < 3;
    if (first == 'V')
        return Version;
    if ((byLetter && first == 'W') || word == "WELL")
        return Well;
    if ((byLetter && first == 'P') || word == "PARAMETER")
        return Parameter;
    if ((byLetter && first == 'C') || word == "CURVE")
        return CurveSection;
    if ((byLetter && first == 'A') || word == "ASCII")
        return Ascii;
    return Unknown;
}

bool LasFileReader::parse_version_section()
{
    std::string_view line;
    while (m_source.read_las_line(line)) {
        if (starts_with_tilde(line)) {
            m_line.assign(line);
            return true;
        }
        auto header = split_header_line(line);
        if (!header)
            continue;
        if (header->mnemonic == "VERS") {
            // atoi's reading, with a number beyond an int held at the int's limit.
            long major = ORBAX_Platform::parse_long(header->value);
            m_versionMajor = major > INT_MAX ? INT_MAX : major < INT_MIN ? INT_MIN : static_cast<int>(major);
        } else if (header->mnemonic == "WRAP")
            m_wrapped = upper_case(header->value) == "YES";
        // DLM is recognised and has no effect: data values are always separated by white space.
    }
    return false;
}

bool LasFileReader::parse_well_section()
{
    std::string_view line;
    while (m_source.read_las_line(line)) {
        if (starts_with_tilde(line)) {
            m_line.assign(line);
            return true;
        }
        auto header = split_header_line(line);
        if (!header)
            continue;
        if (header->mnemonic == "STRT")
            m_las.m_startDepth = ORBAX_Platform::parse_double(header->value);
        else if (header->mnemonic == "STOP")
            m_las.m_stopDepth = ORBAX_Platform::parse_double(header->value);
        else if (header->mnemonic == "STEP")
            m_las.m_step = ORBAX_Platform::parse_double(header->value);
        else if (header->mnemonic == "NULL")
            m_las.m_nullText = header->value;
    }
    return false;
}

bool LasFileReader::parse_curve_section()
{
    std::string_view line;
    while (m_source.read_las_line(line)) {
        if (starts_with_tilde(line)) {
            m_line.assign(line);
            return true;
        }
        auto header = split_header_line(line);
        if (!header)
            return false; // a malformed line (a blank line too) ends the section and is dropped
        if (m_las.curve_count() >= LasDataCommon::kMaxCurves) {
            m_tooManyCurves = m_source.line_number();
            return false;
        }
        Curve& curve = m_las.append_curve();
        curve.mnemonic = std::move(header->mnemonic);
        curve.unit = std::move(header->unit);
        curve.value = std::move(header->value);
        curve.description = std::move(header->description);
    }
    return false;
}

bool LasFileReader::parse_parameter_section()
{
    std::string_view line;
    while (m_source.read_las_line(line)) {
        if (starts_with_tilde(line)) {
            m_line.assign(line);
            return true;
        }
        if (!split_header_line(line))
            return false;
    }
    return false;
}

bool LasFileReader::skip_unknown_section()
{
    std::string_view line;
    while (m_source.read_las_line(line)) {
        if (starts_with_tilde(line)) {
            m_line.assign(line);
            return true;
        }
    }
    return false;
}

int LasFileReader::run()
{
    const int code = read_sections();
    if (m_source.overlong_line() > 0)
        return fail(3, 20006,
                    {m_las.m_fileName, std::to_wstring(m_source.overlong_line()),
                     std::to_wstring(LasLineSource::kMaxLineBytes >> 20)});
    return code;
}

int LasFileReader::read_sections()
{
    bool seen[SectionCount] = {};
    std::string_view line;
    if (!m_source.read_las_line(line))
        return fail(2, 20002, {m_las.m_fileName, std::to_wstring(m_source.line_number())});
    std::optional<std::string> word = parse_section_title(line);
    if (!word)
        return format_problem();

    for (;;) {
        Section section = classify(upper_case(*word));
        bool leftTitle = false;
        if (section == Unknown) {
            leftTitle = skip_unknown_section();
        } else {
            if (seen[section])
                return fail(4, 20004, {m_las.m_fileName, kDuplicateNames[section]});
            seen[section] = true;
            switch (section) {
            case Version: leftTitle = parse_version_section(); break;
            case Well: leftTitle = parse_well_section(); break;
            case Parameter: leftTitle = parse_parameter_section(); break;
            case CurveSection:
                leftTitle = parse_curve_section();
                if (m_tooManyCurves > 0)
                    return fail(3, 20007,
                                {m_las.m_fileName, std::to_wstring(LasDataCommon::kMaxCurves),
                                 std::to_wstring(m_tooManyCurves)});
                break;
            case Ascii: {
                LasDataSectionReader data(m_las, m_source, m_wrapped, m_las.m_tuning);
                data.read();
                break;
            }
            default: break;
            }
        }
        if (leftTitle) {
            word = parse_section_title(m_line);
            if (!word)
                return format_problem();
            continue;
        }
        // The section stopped without a title: the next line must be one, or the file must end.
        if (!m_source.read_las_line(line))
            break;
        word = parse_section_title(line);
        if (!word)
            return format_problem();
    }

    if (!seen[Ascii])
        return fail(5, 20005, {m_las.m_fileName, L"~Ascii"});
    if (!seen[Version])
        return fail(5, 20005, {m_las.m_fileName, L"~Version"});
    if (!seen[CurveSection])
        return fail(5, 20005, {m_las.m_fileName, L"~Curve"});
    if (!seen[Well])
        return fail(5, 20005, {m_las.m_fileName, L"~Well"});
    return 0;
}

LasDataCommon::LasDataCommon() : m_startDepth(kNaN), m_stopDepth(kNaN), m_step(kNaN) {}

LasDataCommon::~LasDataCommon() = default;

double LasDataCommon::index_value(int row) const
{
    if (curve_count() == 0)
        throw LasException();
    if (row < 0 || row >= m_rowCount)
        return kNaN;
    return curve_at(0).sample(row);
}

int LasDataCommon::read(const std::wstring& fileName, std::wstring& errorText)
{
    LasLineSource source(m_tuning);
    int error = 0;
    const ORBAX_Platform::FileRead outcome = source.open(ORBAX_Platform::path_from_wide(fileName), error);
    if (outcome != ORBAX_Platform::FileRead::Read) {
        const std::wstring reason = outcome == ORBAX_Platform::FileRead::NotRegular
                                        ? ORBAX_Utilities::get_message_wide(1091)
                                        : ORBAX_Utilities::SystemErrorText(error);
        errorText = ORBAX_Utilities::format_message(20001, {fileName, reason});
        return 1;
    }
    return read_source(source, fileName, errorText);
}

int LasDataCommon::read_bytes(std::string_view bytes, const std::wstring& name, std::wstring& errorText)
{
    LasLineSource source(bytes, m_tuning);
    return read_source(source, name, errorText);
}

int LasDataCommon::read_source(LasLineSource& source, const std::wstring& name, std::wstring& errorText)
{
    // Every read starts clean: nothing of an earlier file survives into this one.
    clear_curves();
    m_fileName = name;
    m_rowCount = 0;
    m_startDepth = kNaN;
    m_stopDepth = kNaN;
    m_step = kNaN;
    m_nullText.clear();
    m_depthIndex.clear();

    LasFileReader reader(*this, source, errorText);
    return reader.run();
}

} // namespace ORBAX_Geophysics
