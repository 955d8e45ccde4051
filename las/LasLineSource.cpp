#include "las/LasLineSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "las/ParseThreads.h"

namespace ORBAX_Geophysics {
namespace {

// A regular file's block is read by several threads when it is at least this large.
constexpr std::size_t kParallelReadBytes = std::size_t(1) << 20;
constexpr std::size_t kReadSliceBytes = std::size_t(128) << 10;

// Reads until `length` bytes are in, the file ends, or it fails; the number read.
std::size_t read_fully(int fd, char* at, std::size_t length, const std::uint64_t* offset)
{
    std::size_t got = 0;
    while (got < length) {
        ssize_t n = offset ? ::pread(fd, at + got, length - got, static_cast<off_t>(*offset + got))
                           : ::read(fd, at + got, length - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

// A line ends at a line feed, a carriage return followed by a line feed, or a carriage return alone
// (files of old Mac programs), as in ORBAX_Platform::read_line. Each lone carriage return in [p, end)
// becomes a line feed, so that the lines and blocks need look for line feeds only; a carriage return
// before a line feed stays and is dropped with the line end. The last byte is left: whether a line
// feed follows it is not known until the next bytes are read. Returns the first byte as it was read,
// which decides the last byte of the bytes before (end_line_at_join): once these bytes are changed, a
// lone carriage return at their start looks like a line feed.
char end_lines_at_lone_carriage_returns(char* p, char* end)
{
    if (p == end)
        return '\0';
    const char first = *p;
    char* const last = end - 1;
    while (p < last) {
        char* cr = static_cast<char*>(std::memchr(p, '\r', static_cast<std::size_t>(last - p)));
        if (!cr)
            break;
        if (cr[1] != '\n')
            *cr = '\n';
        p = cr + 1;
    }
    return first;
}

// The last byte of bytes read before others, left as it was read, given the first of those others
// as it was read.
void end_line_at_join(char& last, char next)
{
    if (last == '\r' && next != '\n')
        last = '\n';
}

bool has_lone_carriage_return(std::string_view bytes)
{
    for (std::size_t i = bytes.find('\r'); i != std::string_view::npos; i = bytes.find('\r', i + 1))
        if (i + 1 == bytes.size() || bytes[i + 1] != '\n')
            return true;
    return false;
}

} // namespace

LasLineSource::LasLineSource(const LasReadTuning& tuning)
    : m_blockBytes(std::max<std::size_t>(tuning.blockBytes, 16)), m_readSlices(tuning.readSlices)
{
}

LasLineSource::LasLineSource(std::string_view bytes, const LasReadTuning& tuning)
    : m_blockBytes(std::max<std::size_t>(tuning.blockBytes, 16)), m_readSlices(tuning.readSlices), m_data(bytes.data()),
      m_end(bytes.size()), m_atEnd(true)
{
    // The caller's bytes are not changed: a text with lone carriage returns is read from a copy.
    if (has_lone_carriage_return(bytes)) {
        m_buffer = LargeBlock(bytes.size());
        char* copy = static_cast<char*>(m_buffer.data());
        std::memcpy(copy, bytes.data(), bytes.size());
        end_lines_at_lone_carriage_returns(copy, copy + bytes.size());
        if (copy[bytes.size() - 1] == '\r')
            copy[bytes.size() - 1] = '\n';
        m_data = copy;
    }
}

LasLineSource::~LasLineSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

ORBAX_Platform::FileRead LasLineSource::open(const std::filesystem::path& path, int& error)
{
    ORBAX_Platform::FileDescriptor file;
    struct stat info {};
    const ORBAX_Platform::FileRead outcome = ORBAX_Platform::open_for_reading(path, false, file, info, error);
    if (outcome != ORBAX_Platform::FileRead::Read)
        return outcome;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = file.release();
    m_regular = S_ISREG(info.st_mode);
    std::size_t capacity = m_blockBytes;
    if (m_regular) {
        m_fileSize = static_cast<std::uint64_t>(info.st_size);
        // Small files get a buffer of their own size.
        if (m_fileSize + 1 < capacity)
            capacity = m_fileSize + 1 < 16 ? 16 : static_cast<std::size_t>(m_fileSize + 1);
#ifdef POSIX_FADV_SEQUENTIAL
        ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    }
    m_buffer = LargeBlock(capacity);
    m_buffer.prefer_huge_pages(capacity);
    m_buffer.commit(0, capacity);
    m_data = static_cast<const char*>(m_buffer.data());
    m_begin = m_end = 0;
    m_atEnd = false;
    m_readOffset = 0;
    m_lineNumber = 0;
    m_overlongLine = 0;
    return ORBAX_Platform::FileRead::Read;
}

bool LasLineSource::overlong(std::size_t length)
{
    if (length <= kMaxLineBytes)
        return false;
    m_overlongLine = m_lineNumber + 1;
    m_begin = m_end;
    m_atEnd = true;
    return true;
}

bool LasLineSource::is_comment(std::string_view line)
{
    std::size_t i = line.find_first_not_of(' ');
    return i != std::string_view::npos && line[i] == '#';
}

std::optional<std::uint64_t> LasLineSource::remaining_bytes() const
{
    const std::uint64_t buffered = m_end - m_begin;
    if (m_fd < 0)
        return buffered;
    if (!m_regular)
        return std::nullopt;
    return buffered + (m_fileSize > m_readOffset ? m_fileSize - m_readOffset : 0);
}

std::size_t LasLineSource::read_into(char* at, std::size_t length, char& first)
{
    std::size_t slices = 1;
    if (m_regular && m_readSlices)
        slices = std::min<std::size_t>(m_readSlices, length);
    else if (m_regular && length >= kParallelReadBytes)
        slices = std::min<std::size_t>(4 * std::size_t(parse_width()), length / kReadSliceBytes);
    if (slices <= 1) {
        const std::size_t got = read_fully(m_fd, at, length, m_regular ? &m_readOffset : nullptr);
        first = end_lines_at_lone_carriage_returns(at, at + got);
        return got;
    }
    // Slices of the block read by several threads at once: the copying out of the page cache is
    // shared between cores instead of running on one before the parsing can start.
    const std::size_t sliceBytes = (length + slices - 1) / slices;
    std::vector<std::size_t> got(slices, 0);
    std::vector<char> firsts(slices, '\0');
    run_parallel(slices, [&](std::size_t i) {
        const std::size_t start = i * sliceBytes;
        const std::size_t wanted = std::min(sliceBytes, length - start);
        const std::uint64_t offset = m_readOffset + start;
        got[i] = read_fully(m_fd, at + start, wanted, &offset);
        firsts[i] = end_lines_at_lone_carriage_returns(at + start, at + start + got[i]);
    });
    // The bytes in are those up to the first slice that came back short (the end of the file). The
    // last byte of each slice but the last is looked at now that the next slice is in.
    first = firsts[0];
    std::size_t total = 0;
    for (std::size_t i = 0; i < slices; ++i) {
        total += got[i];
        if (got[i] < std::min(sliceBytes, length - i * sliceBytes))
            break;
        if (i + 1 < slices && got[i + 1] > 0)
            end_line_at_join(at[total - 1], firsts[i + 1]);
    }
    return total;
}

bool LasLineSource::refill()
{
    if (m_atEnd || m_fd < 0)
        return false;
    char* buffer = static_cast<char*>(m_buffer.data());
    if (m_begin > 0) {
        std::memmove(buffer, buffer + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.bytes()) { // one line fills the buffer: make room for the rest of it
        m_buffer.resize(m_buffer.bytes() * 2, m_end);
        buffer = static_cast<char*>(m_buffer.data());
        m_data = buffer;
    }
    const std::size_t wanted = m_buffer.bytes() - m_end;
    char first = '\0';
    const std::size_t got = read_into(buffer + m_end, wanted, first);
    // The last byte read before, left for want of the byte after it.
    if (got > 0 && m_end > 0)
        end_line_at_join(buffer[m_end - 1], first);
    m_end += got;
    m_readOffset += got;
    if (got < wanted) {
        m_atEnd = true; // the end of the file, or a read error: either way no more lines
        if (m_end > 0 && buffer[m_end - 1] == '\r')
            buffer[m_end - 1] = '\n';
    }
    return got > 0;
}

bool LasLineSource::read_line(std::string_view& line)
{
    for (;;) {
        const char* start = m_data + m_begin;
        std::size_t available = m_end - m_begin;
        const void* nl = available ? std::memchr(start, '\n', available) : nullptr;
        if (overlong(nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - start) : available))
            return false;
        if (nl) {
            std::size_t length = static_cast<std::size_t>(static_cast<const char*>(nl) - start);
            m_begin += length + 1;
            line = std::string_view(start, length);
            break;
        }
        if (!refill()) {
            if (m_begin == m_end)
                return false;
            // The last line of the input, without a line feed.
            line = std::string_view(m_data + m_begin, m_end - m_begin);
            m_begin = m_end;
            break;
        }
    }
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    ++m_lineNumber;
    return true;
}

bool LasLineSource::read_las_line(std::string_view& line)
{
    while (read_line(line)) {
        if (!is_comment(line))
            return true;
    }
    return false;
}

std::string_view LasLineSource::peek_block()
{
    for (;;) {
        if (!m_atEnd && (m_begin > 0 || m_end < m_buffer.bytes()))
            refill();
        const char* start = m_data + m_begin;
        const std::size_t available = m_end - m_begin;
        if (available == 0)
            return {};
        // Up to the last line feed within a block; a longer line is taken whole.
        const std::size_t window = std::min(available, m_blockBytes);
        if (const void* nl = ::memrchr(start, '\n', window))
            return std::string_view(start, static_cast<std::size_t>(static_cast<const char*>(nl) - start) + 1);
        const void* nl = std::memchr(start + window, '\n', available - window);
        if (overlong(nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - start) : available))
            return {};
        if (nl)
            return std::string_view(start, static_cast<std::size_t>(static_cast<const char*>(nl) - start) + 1);
        if (m_atEnd)
            return std::string_view(start, available);
        // Not one whole line in the buffer: the next refill grows it.
        if (m_begin == 0 && m_end == m_buffer.bytes()) {
            m_buffer.resize(m_buffer.bytes() * 2, m_end);
            m_data = static_cast<const char*>(m_buffer.data());
        }
    }
}

void LasLineSource::consume(std::size_t bytes, std::int64_t lines)
{
    m_begin += bytes;
    m_lineNumber += lines;
}

} // namespace ORBAX_Geophysics
