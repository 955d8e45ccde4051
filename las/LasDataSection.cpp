#include "las/LasDataSection.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "las/LasDataCommon.h"
#include "las/LasLineSource.h"
#include "las/LasNumber.h"
#include "las/ParseThreads.h"

namespace ORBAX_Geophysics {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Values are separated by any white space, as a string stream reads strings; a line feed also ends
// the line.
enum CharClass : unsigned char { ValueChar, Blank, LineFeed };

constexpr std::array<CharClass, 256> make_classes()
{
    std::array<CharClass, 256> table{};
    table[' '] = table['\t'] = table['\v'] = table['\f'] = table['\r'] = Blank;
    table['\n'] = LineFeed;
    return table;
}
// The tables the parse reads at every character or value start on a cache line, so that none of them
// spans one more line than it must, wherever the linker puts it.
constexpr std::size_t kCacheLine = 64;
alignas(kCacheLine) constexpr std::array<CharClass, 256> kClass = make_classes();

// The unit in which threads contend for memory: a cache line, and the neighbour that the hardware
// fetches with it.
constexpr std::size_t kLineBytes = 2 * kCacheLine;
constexpr std::size_t kLineDoubles = kLineBytes / sizeof(double);

double* align_to_line(double* p)
{
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(p);
    return reinterpret_cast<double*>((address + kLineBytes - 1) / kLineBytes * kLineBytes);
}

inline CharClass class_of(char c) { return kClass[static_cast<unsigned char>(c)]; }

// Eight characters at once, as the bytes of a little-endian word (the first character lowest).
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the word-at-a-time scanning reads little-endian words");

inline std::uint64_t load_word(const char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// How many of the word's characters, from the first, are decimal digits (8 when all are).
inline unsigned leading_digits(std::uint64_t word)
{
    // A digit becomes 0 to 9, and stays below 16 when 6 is added; anything else has a high bit in
    // one of the two. A carry out of a byte only reaches characters after a non-digit.
    const std::uint64_t x = word ^ 0x3030303030303030u;
    const std::uint64_t nonDigits = (x | (x + 0x0606060606060606u)) & 0xF0F0F0F0F0F0F0F0u;
    return nonDigits ? static_cast<unsigned>(__builtin_ctzll(nonDigits)) >> 3 : 8;
}

// The value of the word's first `n` characters (1 to 8 digits): they are moved to the top of the
// word behind zeros, then combined pairwise into 2-, 4- and 8-digit numbers.
inline std::uint64_t digits_value(std::uint64_t word, unsigned n)
{
    std::uint64_t x = (word ^ 0x3030303030303030u) << (8 * (8 - n));
    x = (x * 2561) >> 8;
    x = ((x & 0x00FF00FF00FF00FFu) * 6553601) >> 16;
    return static_cast<std::uint32_t>(((x & 0x0000FFFF0000FFFFu) * 42949672960001u) >> 32);
}

// The usual data value, read a word at a time: an optional sign, at most 7 digits, and a point with at
// most 7 more, ending at white space. The mantissa stays below 2^53 and the division is by an exact
// power of ten, so the value is the correctly rounded one, the same as parse_las_number gives. False
// (and `p` unchanged) for anything else. Reads up to 24 bytes from `p`.
inline bool parse_common_number(const char*& p, double& value)
{
    alignas(kCacheLine) static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
    alignas(kCacheLine) static constexpr std::uint64_t kScales[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
    const char* q = p;
    const bool negative = *q == '-';
    q += *q == '-' || *q == '+';
    std::uint64_t word = load_word(q);
    const unsigned whole = leading_digits(word);
    if (whole == 8)
        return false;
    std::uint64_t mantissa = whole ? digits_value(word, whole) : 0;
    q += whole;
    unsigned fraction = 0;
    if (*q == '.') {
        ++q;
        word = load_word(q);
        fraction = leading_digits(word);
        if (fraction == 8)
            return false;
        if (fraction)
            mantissa = mantissa * kScales[fraction] + digits_value(word, fraction);
        q += fraction;
    }
    if (whole + fraction == 0 || class_of(*q) == ValueChar)
        return false;
    const double result = static_cast<double>(mantissa) / kPowers[fraction];
    value = negative ? -result : result;
    p = q;
    return true;
}

inline const char* after_line_feed(const char* p, const char* end)
{
    return static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))) + 1;
}

// Cuts a block of complete lines into `parts` runs of whole lines of about equal size.
std::vector<std::pair<const char*, const char*>> split_lines(std::string_view block, std::size_t parts)
{
    std::vector<std::pair<const char*, const char*>> out;
    const char* begin = block.data();
    const char* end = begin + block.size();
    const char* start = begin;
    for (std::size_t i = 1; i < parts && start != end; ++i) {
        const char* target = begin + block.size() / parts * i;
        if (target < start)
            target = start;
        const char* cut = after_line_feed(target, end); // the block ends with a line feed
        out.emplace_back(start, cut);
        start = cut;
    }
    if (start != end)
        out.emplace_back(start, end);
    return out;
}

// The records of complete lines: every line that is no comment.
std::size_t count_records(const char* p, const char* end)
{
    std::size_t records = 0;
    while (p != end) {
        const char* q = p;
        while (*q == ' ')
            ++q;
        records += *q != '#';
        p = after_line_feed(q, end);
    }
    return records;
}

} // namespace

// What one part of a block read: its rows, its lines, where a short line stopped it, and the range
// of each curve's values in it.
struct LasDataSectionReader::PartResult {
    std::size_t records = 0;
    std::int64_t lines = 0;
    bool stopped = false;
    std::size_t bytes = 0;
    double* minimum = nullptr;
    double* maximum = nullptr;
};

LasDataSectionReader::LasDataSectionReader(LasDataCommon& las, LasLineSource& source, bool wrapped,
                                           const LasReadTuning& tuning)
    : m_las(las), m_source(source), m_wrapped(wrapped), m_tuning(tuning)
{
}

std::size_t LasDataSectionReader::parts_for(std::size_t bytes) const
{
    // Several parts a thread: a thread that the system holds back delays the block by one small part,
    // while the others take the rest.
    std::size_t most = m_tuning.maxParts ? m_tuning.maxParts : 4 * std::size_t(parse_width());
    const std::size_t byBytes = bytes / (m_tuning.minPartBytes ? m_tuning.minPartBytes : 1);
    return std::max<std::size_t>(1, std::min(most, byBytes));
}

void LasDataSectionReader::make_room(std::size_t rows)
{
    for (std::size_t c = 0; c < m_curveCount; ++c) {
        SampleArray& samples = m_las.curve_at(c).m_samples;
        if (rows > samples.capacity()) {
            samples.set_written(m_rows); // the rows written so far move with the array
            samples.reserve(std::max(rows, samples.capacity() * 2));
        }
        m_columns[c] = samples.data();
    }
}

void LasDataSectionReader::add_rows(std::size_t rows)
{
    m_rows += rows;
    if (m_rows > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("The LAS file has too many data rows");
}

void LasDataSectionReader::read()
{
    m_curveCount = m_las.curve_count();
    const bool downwards = m_las.m_stopDepth < m_las.m_startDepth; // false when either is NaN
    m_nullText = m_las.m_nullText;
    m_nullIsNumber = !m_nullText.empty() && parse_las_number(m_nullText, m_nullValue);
    // Equal text reads as the equal number, which the numeric test catches, unless the NULL value is
    // no finite number.
    m_compareNullText = !m_nullText.empty() && !(m_nullIsNumber && std::isfinite(m_nullValue));
    m_las.m_rowCount = 0;
    m_rows = 0;

    m_columns.assign(m_curveCount, nullptr);
    m_minimum.assign(m_curveCount, kInf);
    m_maximum.assign(m_curveCount, -kInf);
    // Room for every row the text can hold: a full row takes at least two bytes a value. Only the
    // rows written take memory; the rest is given back at the end.
    std::size_t rows = std::size_t(1) << 14;
    const std::optional<std::uint64_t> remaining = m_source.remaining_bytes();
    if (remaining && m_curveCount)
        rows = static_cast<std::size_t>(std::min<std::uint64_t>(*remaining / (2 * m_curveCount) + 2, rows << 20));
    for (std::size_t c = 0; c < m_curveCount; ++c) {
        Curve& curve = m_las.curve_at(c);
        curve.m_samples.clear();
        curve.m_hasSamples = true;
        curve.m_minimum = curve.m_maximum = kNaN;
    }
    try {
        make_room(rows);
    } catch (const std::bad_alloc&) {
        make_room(std::size_t(1) << 14); // no room for that much at once (a limit on address space): grow
    }

    if (m_wrapped || m_tuning.lineByLine)
        read_lines();
    else
        read_blocks();

    m_las.m_rowCount = static_cast<int>(m_rows);
    for (std::size_t c = 0; c < m_curveCount; ++c) {
        Curve& curve = m_las.curve_at(c);
        curve.m_samples.set_written(m_rows);
        curve.m_samples.release_spare();
        if (m_minimum[c] <= m_maximum[c]) {
            curve.m_minimum = m_minimum[c];
            curve.m_maximum = m_maximum[c];
        }
    }
    // The rows were stored in the file's order; filling downwards makes row 0 the last record.
    if (downwards && m_rows > 1) {
        run_parallel(m_curveCount, [&](std::size_t c) {
            double* samples = m_las.curve_at(c).m_samples.data();
            std::reverse(samples, samples + m_rows);
        });
    }

    if (m_curveCount > 0)
        m_las.m_depthIndex.build(m_las.curve_at(0).m_samples.data(), m_rows, downwards);
    else
        m_las.m_depthIndex.clear();
}

// Stores the values of complete lines [begin, end) into rows from `firstRow` on, with the null rule:
// the NULL text itself, then (only when a NULL item gave a number) any value within 0.001 of it, is a
// missing value, and so is a token that is no number. Stops after the first short line, whose missing
// values are NaN. Below `limit` at least 32 bytes can be read, so values are read a word at a time.
void LasDataSectionReader::parse_part(const char* begin, const char* end, const char* limit, std::size_t firstRow,
                                      PartResult& out) const
{
    const std::size_t curves = m_curveCount;
    double* const* columns = m_columns.data();
    double* minimum = out.minimum;
    double* maximum = out.maximum;
    const bool nullIsNumber = m_nullIsNumber;
    const double nullValue = m_nullValue;
    const bool compareText = m_compareNullText;
    const std::string_view nullText = m_nullText;

    std::size_t row = firstRow;
    std::int64_t lines = 0;
    const char* p = begin;
    while (p != end) {
        const char* q = p;
        while (*q == ' ')
            ++q;
        if (*q == '#') {
            p = after_line_feed(q, end);
            ++lines;
            continue;
        }
        std::size_t c = 0;
        for (; c < curves; ++c) {
            // Runs of spaces a word at a time while a whole word can be read, then any other blanks.
            while (q < limit) {
                const std::uint64_t notSpace = load_word(q) ^ 0x2020202020202020u;
                if (notSpace) {
                    q += static_cast<unsigned>(__builtin_ctzll(notSpace)) >> 3;
                    break;
                }
                q += 8;
            }
            while (class_of(*q) == Blank)
                ++q;
            if (*q == '\n')
                break;
            const char* token = q;
            double value;
            if (q < limit && parse_common_number(q, value)) {
                if (nullIsNumber && std::fabs(value - nullValue) < 0.001)
                    value = kNaN;
            } else {
                while (class_of(*q) == ValueChar)
                    ++q;
                const std::string_view text(token, static_cast<std::size_t>(q - token));
                if (!parse_las_number(text, value))
                    value = kNaN;
                else if (nullIsNumber && std::fabs(value - nullValue) < 0.001)
                    value = kNaN;
            }
            if (compareText && nullText == std::string_view(token, static_cast<std::size_t>(q - token)))
                value = kNaN;
            columns[c][row] = value;
            // NaN fails both tests; among equal values the first stays.
            minimum[c] = value < minimum[c] ? value : minimum[c];
            maximum[c] = value > maximum[c] ? value : maximum[c];
        }
        ++lines;
        ++row;
        if (c < curves) {
            for (; c < curves; ++c)
                columns[c][row - 1] = kNaN;
            out.stopped = true;
            p = q + 1;
            break;
        }
        p = *q == '\n' ? q + 1 : after_line_feed(q, end);
    }
    out.records = row - firstRow;
    out.lines = lines;
    out.bytes = static_cast<std::size_t>(p - begin);
}

// Unwrapped data, block by block. The parts of a block first count their records, so that each knows
// its first row; then each stores its values straight into the sample arrays. The first part that
// meets a short line ends the data; what later parts stored lies past the rows and is dropped.
void LasDataSectionReader::read_blocks()
{
    const std::size_t curves = m_curveCount;
    std::string lastLine;
    bool first = true;
    for (;;) {
        const std::optional<std::uint64_t> remaining = m_source.remaining_bytes();
        std::string_view block = m_source.peek_block();
        if (block.empty())
            break;
        // The input's last line may lack its line feed: it is read from a copy that has one.
        std::string_view lines = block;
        if (block.back() != '\n') {
            const void* nl = ::memrchr(block.data(), '\n', block.size());
            const std::size_t cut = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - block.data()) + 1 : 0;
            lines = block.substr(0, cut);
            lastLine.assign(block.substr(cut));
            lastLine += '\n';
        } else {
            lastLine.clear();
        }

        const auto parts = split_lines(lines, parts_for(lines.size()));
        const std::size_t n = parts.size() + (lastLine.empty() ? 0 : 1);
        auto part_range = [&](std::size_t i) {
            return i < parts.size() ? parts[i] : std::make_pair(lastLine.data(), lastLine.data() + lastLine.size());
        };
        std::vector<std::size_t> firstRow(n + 1, 0);
        run_parallel(n, [&](std::size_t i) {
            auto [begin, end] = part_range(i);
            firstRow[i + 1] = count_records(begin, end);
        });
        firstRow[0] = m_rows;
        for (std::size_t i = 0; i < n; ++i)
            firstRow[i + 1] += firstRow[i];
        make_room(firstRow[n]);
        if (first && remaining && curves && firstRow[n] > m_rows) {
            // Huge pages for the rows the whole text will likely hold, judged by this block's lines; not
            // beyond, where a part-used huge page would be memory for nothing.
            const double estimate = static_cast<double>(firstRow[n] - m_rows) * static_cast<double>(*remaining) /
                                    static_cast<double>(block.size());
            const std::size_t rows =
                std::min(static_cast<std::size_t>(estimate * 0.98), m_las.curve_at(0).m_samples.capacity());
            for (std::size_t c = 0; c < curves; ++c)
                m_las.curve_at(c).m_samples.prefer_huge_pages(rows);
        }
        first = false;
        // The memory of this block's rows, committed a curve per thread rather than page by page as the
        // parts write.
        run_parallel(curves, [&](std::size_t c) { m_las.curve_at(c).m_samples.commit(m_rows, firstRow[n]); });

        std::vector<PartResult> results(n);
        // A part's thread writes its range at every value, so each part's range stands on lines of its
        // own, wherever the heap puts the vector: two threads writing one line slow each other down.
        const std::size_t stride = (2 * curves + kLineDoubles - 1) / kLineDoubles * kLineDoubles;
        std::vector<double> ranges(n * stride + kLineDoubles);
        double* const firstRange = align_to_line(ranges.data());
        for (std::size_t i = 0; i < n; ++i) {
            results[i].minimum = firstRange + i * stride;
            results[i].maximum = results[i].minimum + curves;
            std::fill_n(results[i].minimum, curves, kInf);
            std::fill_n(results[i].maximum, curves, -kInf);
        }
        run_parallel(n, [&](std::size_t i) {
            auto [begin, end] = part_range(i);
            // Words may be read up to the end of the block, but not past the last line's copy.
            const char* limit = i < parts.size() && lines.size() >= 32 ? lines.data() + lines.size() - 32 : begin;
            parse_part(begin, end, limit, firstRow[i], results[i]);
        });

        std::size_t bytes = 0;
        std::int64_t lineCount = 0;
        bool stopped = false;
        for (std::size_t i = 0; i < n && !stopped; ++i) {
            const PartResult& r = results[i];
            for (std::size_t c = 0; c < curves; ++c) {
                if (r.minimum[c] < m_minimum[c])
                    m_minimum[c] = r.minimum[c];
                if (r.maximum[c] > m_maximum[c])
                    m_maximum[c] = r.maximum[c];
            }
            add_rows(r.records);
            lineCount += r.lines;
            // The copied last line stands for the rest of the block.
            bytes += i < parts.size() ? r.bytes : block.size() - lines.size();
            stopped = r.stopped;
        }
        m_source.consume(bytes, lineCount);
        if (stopped)
            break;
    }
}

// Line by line, as the section is defined: wrapped records go on over as many lines as they need;
// unwrapped data ends after its first short line. Either way the record that runs out is counted,
// and the values it lacks are NaN.
void LasDataSectionReader::read_lines()
{
    const std::size_t curves = m_curveCount;
    std::string_view line;
    while (m_source.read_las_line(line)) {
        make_room(m_rows + 1);
        const std::size_t row = m_rows;
        const char* p = line.data();
        const char* end = p + line.size();
        bool ended = false;
        for (std::size_t c = 0; c < curves; ++c) {
            while (!ended) {
                while (p != end && class_of(*p) != ValueChar)
                    ++p;
                if (p != end)
                    break;
                if (m_wrapped && m_source.read_las_line(line)) {
                    p = line.data();
                    end = p + line.size();
                } else {
                    ended = true;
                }
            }
            if (ended) {
                m_columns[c][row] = kNaN;
                continue;
            }
            const char* token = p;
            while (p != end && class_of(*p) == ValueChar)
                ++p;
            const std::string_view text(token, static_cast<std::size_t>(p - token));
            double value;
            if (!parse_las_number(text, value))
                value = kNaN;
            else if ((m_nullIsNumber && std::fabs(value - m_nullValue) < 0.001) ||
                     (m_compareNullText && m_nullText == text))
                value = kNaN;
            m_columns[c][row] = value;
            if (value < m_minimum[c])
                m_minimum[c] = value;
            if (value > m_maximum[c])
                m_maximum[c] = value;
        }
        add_rows(1);
        if (ended)
            break;
    }
}

} // namespace ORBAX_Geophysics
