#include "las/LasDataSection.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <exception>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <utility>

#include "las/LasDataCommon.h"
#include "las/LasLineSource.h"
#include "las/LasNumber.h"

namespace ORBAX_Geophysics {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Values are separated by any white space, as a string stream reads strings.
constexpr std::array<bool, 256> make_space_table()
{
    std::array<bool, 256> table{};
    table[' '] = table['\t'] = table['\n'] = table['\v'] = table['\f'] = table['\r'] = true;
    return table;
}
constexpr std::array<bool, 256> kSpace = make_space_table();

inline bool is_space(char c) { return kSpace[static_cast<unsigned char>(c)]; }

inline bool next_token(const char*& p, const char* end, std::string_view& token)
{
    while (p != end && is_space(*p))
        ++p;
    if (p == end)
        return false;
    const char* start = p;
    while (p != end && !is_space(*p))
        ++p;
    token = std::string_view(start, static_cast<std::size_t>(p - start));
    return true;
}

inline std::size_t count_tokens(std::string_view line, std::size_t limit)
{
    const char* p = line.data();
    const char* end = p + line.size();
    std::size_t n = 0;
    std::string_view token;
    while (n < limit && next_token(p, end, token))
        ++n;
    return n;
}

// One line of a block: the text without its line feed and carriage return, and where the next begins.
inline std::string_view take_line(const char*& p, const char* end)
{
    const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    const char* lineEnd = nl ? nl : end;
    std::string_view line(p, static_cast<std::size_t>(lineEnd - p));
    p = nl ? nl + 1 : end;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// The null rule: the NULL text itself, then (only when a NULL item gave a number) any value within
// 0.001 of it, is a missing value; so is a token that is no number. Everything else is a reading,
// zero included.
struct ValueRule {
    std::string_view nullText;
    bool nullIsNumber;
    double nullValue;

    double operator()(std::string_view token) const
    {
        if (!nullText.empty() && token == nullText)
            return kNaN;
        double value;
        if (!parse_las_number(token, value))
            return kNaN;
        if (nullIsNumber && std::fabs(value - nullValue) < 0.001)
            return kNaN;
        return value;
    }
};

// Stores a value and widens the curve's range as Curve::set_sample does, in a part's own range.
inline void store(double* const* columns, std::size_t curve, std::size_t row, double value, double* minimum,
                  double* maximum)
{
    columns[curve][row] = value;
    if (!std::isnan(value)) {
        if (std::isnan(minimum[curve]) || minimum[curve] > value)
            minimum[curve] = value;
        if (std::isnan(maximum[curve]) || maximum[curve] < value)
            maximum[curve] = value;
    }
}

// Merges a later part's range into the running one, keeping the rule "the first extreme wins".
inline void merge_range(double& minimum, double& maximum, double partMinimum, double partMaximum)
{
    if (!std::isnan(partMinimum) && (std::isnan(minimum) || minimum > partMinimum))
        minimum = partMinimum;
    if (!std::isnan(partMaximum) && (std::isnan(maximum) || maximum < partMaximum))
        maximum = partMaximum;
}

using Part = std::pair<const char*, const char*>;

std::vector<Part> split_block(std::string_view block, unsigned parts)
{
    std::vector<Part> out;
    const char* begin = block.data();
    const char* end = begin + block.size();
    const char* start = begin;
    for (unsigned i = 1; i < parts; ++i) {
        const char* target = begin + block.size() / parts * i;
        if (target < start)
            target = start;
        const void* nl = target < end ? std::memchr(target, '\n', static_cast<std::size_t>(end - target)) : nullptr;
        const char* cut = nl ? static_cast<const char*>(nl) + 1 : end;
        out.emplace_back(start, cut);
        start = cut;
    }
    out.emplace_back(start, end);
    return out;
}

// Runs f(0) .. f(n - 1), f(0) on this thread and the others on threads of their own.
template <class F>
void run_parallel(std::size_t n, F&& f)
{
    if (n <= 1) {
        if (n == 1)
            f(0);
        return;
    }
    std::vector<std::exception_ptr> errors(n);
    std::vector<std::thread> threads;
    threads.reserve(n - 1);
    try {
        for (std::size_t i = 1; i < n; ++i) {
            threads.emplace_back([&f, &errors, i] {
                try {
                    f(i);
                } catch (...) {
                    errors[i] = std::current_exception();
                }
            });
        }
        f(0);
    } catch (...) {
        errors[0] = std::current_exception();
    }
    for (std::thread& t : threads)
        t.join();
    for (const std::exception_ptr& e : errors) {
        if (e)
            std::rethrow_exception(e);
    }
}

} // namespace

struct LasDataSectionReader::PartScan {
    long long lines = 0;
    long long records = 0;
    bool stopped = false;      // a short line ended the data in this part
    std::size_t stopBytes = 0; // bytes of the part up to and including that line
};

LasDataSectionReader::LasDataSectionReader(LasDataCommon& las, LasLineSource& source, bool wrapped,
                                           const DataSectionTuning& tuning)
    : m_las(las), m_source(source), m_wrapped(wrapped), m_tuning(tuning), m_curveCount(0)
{
}

unsigned LasDataSectionReader::threads_for(std::size_t bytes) const
{
    unsigned most = m_tuning.maxThreads;
    if (most == 0) {
        most = std::thread::hardware_concurrency();
        if (most == 0)
            most = 1;
        if (most > 8)
            most = 8;
    }
    std::size_t minPart = m_tuning.minPartBytes ? m_tuning.minPartBytes : 1;
    std::size_t byParts = bytes / minPart;
    if (byParts < 1)
        byParts = 1;
    return static_cast<unsigned>(byParts < most ? byParts : most);
}

void LasDataSectionReader::read()
{
    m_curveCount = m_las.curve_count();
    m_downwards = m_las.m_stopDepth < m_las.m_startDepth; // false when either is NaN
    m_nullText = m_las.m_nullText;
    m_nullIsNumber = !m_nullText.empty() && parse_las_number(m_nullText, m_nullValue);
    m_las.m_rowCount = 0;

    const std::uint64_t dataStart = m_source.position();
    const std::int64_t dataLine = m_source.line_number();
    const bool byBlocks = !m_wrapped && !m_tuning.lineByLine;

    long long rows = byBlocks ? count_blocks() : count_lines();
    if (rows > INT_MAX)
        throw std::length_error("The LAS file has too many data rows");
    const std::uint64_t endPosition = m_source.position();
    const std::int64_t endLine = m_source.line_number();

    m_rows = rows;
    m_las.m_rowCount = static_cast<int>(rows);
    m_columns.assign(m_curveCount, nullptr);
    m_minimum.assign(m_curveCount, kNaN);
    m_maximum.assign(m_curveCount, kNaN);
    for (std::size_t c = 0; c < m_curveCount; ++c) {
        Curve& curve = m_las.curve_at(c);
        curve.allocate_samples(static_cast<int>(rows));
        m_columns[c] = curve.m_samples.data();
    }

    if (m_curveCount > 0 && rows > 0) {
        m_source.seek(dataStart, dataLine);
        if (byBlocks)
            fill_blocks(rows);
        else
            fill_lines(rows);
    }
    finish_ranges();
    m_source.seek(endPosition, endLine);

    if (m_curveCount > 0)
        m_las.m_depthIndex.build(m_las.curve_at(0).m_samples, m_downwards);
    else
        m_las.m_depthIndex.clear();
}

void LasDataSectionReader::finish_ranges()
{
    for (std::size_t c = 0; c < m_curveCount; ++c) {
        Curve& curve = m_las.curve_at(c);
        curve.m_minimum = m_minimum[c];
        curve.m_maximum = m_maximum[c];
    }
}

// Unwrapped data, block by block: each part of a block counts its lines and rows and looks for the
// first short line; the first part that has one ends the data.
long long LasDataSectionReader::count_blocks()
{
    long long rows = 0;
    const std::size_t curves = m_curveCount;
    for (;;) {
        std::string_view block = m_source.peek_block();
        if (block.empty())
            break;
        std::vector<Part> parts = split_block(block, threads_for(block.size()));
        std::vector<PartScan> scans(parts.size());
        run_parallel(parts.size(), [&](std::size_t i) {
            PartScan& s = scans[i];
            const char* p = parts[i].first;
            const char* end = parts[i].second;
            while (p != end) {
                std::string_view line = take_line(p, end);
                ++s.lines;
                if (LasLineSource::is_comment(line))
                    continue;
                ++s.records;
                if (count_tokens(line, curves) < curves) {
                    s.stopped = true;
                    s.stopBytes = static_cast<std::size_t>(p - parts[i].first);
                    return;
                }
            }
        });
        long long lines = 0;
        std::size_t consumed = block.size();
        bool stopped = false;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            lines += scans[i].lines;
            rows += scans[i].records;
            if (scans[i].stopped) {
                consumed = static_cast<std::size_t>(parts[i].first - block.data()) + scans[i].stopBytes;
                stopped = true;
                break;
            }
        }
        m_source.consume(consumed, lines);
        if (stopped)
            break;
    }
    return rows;
}

void LasDataSectionReader::fill_blocks(long long rows)
{
    const std::size_t curves = m_curveCount;
    const ValueRule rule{m_nullText, m_nullIsNumber, m_nullValue};
    double* const* columns = m_columns.data();
    const bool downwards = m_downwards;
    long long done = 0;
    while (done < rows) {
        std::string_view block = m_source.peek_block();
        if (block.empty())
            break;
        std::vector<Part> parts = split_block(block, threads_for(block.size()));
        const std::size_t n = parts.size();
        std::vector<long long> records(n, 0);
        run_parallel(n, [&](std::size_t i) {
            const char* p = parts[i].first;
            const char* end = parts[i].second;
            while (p != end) {
                if (!LasLineSource::is_comment(take_line(p, end)))
                    ++records[i];
            }
        });
        std::vector<long long> first(n);
        long long next = done;
        for (std::size_t i = 0; i < n; ++i) {
            first[i] = next;
            next += records[i];
        }
        std::vector<double> minimum(n * curves, kNaN);
        std::vector<double> maximum(n * curves, kNaN);
        run_parallel(n, [&](std::size_t i) {
            long long record = first[i];
            const char* p = parts[i].first;
            const char* end = parts[i].second;
            double* partMinimum = minimum.data() + i * curves;
            double* partMaximum = maximum.data() + i * curves;
            while (p != end && record < rows) {
                std::string_view line = take_line(p, end);
                if (LasLineSource::is_comment(line))
                    continue;
                const std::size_t row = static_cast<std::size_t>(downwards ? rows - 1 - record : record);
                const char* q = line.data();
                const char* lineEnd = q + line.size();
                std::string_view token;
                for (std::size_t c = 0; c < curves && next_token(q, lineEnd, token); ++c)
                    store(columns, c, row, rule(token), partMinimum, partMaximum);
                ++record;
            }
        });
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t c = 0; c < curves; ++c)
                merge_range(m_minimum[c], m_maximum[c], minimum[i * curves + c], maximum[i * curves + c]);
        }
        done = next;
        m_source.consume(block.size(), 0);
    }
}

// Line by line, as the section is defined: wrapped records go on over as many lines as they need;
// unwrapped data ends after its first short line. Either way the record that runs out is counted.
long long LasDataSectionReader::count_lines()
{
    long long rows = 0;
    std::string_view line;
    while (m_source.read_las_line(line)) {
        const char* p = line.data();
        const char* end = p + line.size();
        bool ended = false;
        std::string_view token;
        for (std::size_t c = 0; c < m_curveCount && !ended; ++c) {
            while (!next_token(p, end, token)) {
                if (m_wrapped && m_source.read_las_line(line)) {
                    p = line.data();
                    end = p + line.size();
                } else {
                    ended = true;
                    break;
                }
            }
        }
        ++rows;
        if (ended)
            break;
    }
    return rows;
}

void LasDataSectionReader::fill_lines(long long rows)
{
    const ValueRule rule{m_nullText, m_nullIsNumber, m_nullValue};
    std::string_view line;
    for (long long record = 0; record < rows; ++record) {
        if (!m_source.read_las_line(line))
            break;
        const std::size_t row = static_cast<std::size_t>(m_downwards ? rows - 1 - record : record);
        const char* p = line.data();
        const char* end = p + line.size();
        bool ended = false;
        std::string_view token;
        for (std::size_t c = 0; c < m_curveCount && !ended; ++c) {
            while (!next_token(p, end, token)) {
                if (m_wrapped && m_source.read_las_line(line)) {
                    p = line.data();
                    end = p + line.size();
                } else {
                    ended = true;
                    break;
                }
            }
            if (!ended)
                store(m_columns.data(), c, row, rule(token), m_minimum.data(), m_maximum.data());
        }
    }
}

} // namespace ORBAX_Geophysics
