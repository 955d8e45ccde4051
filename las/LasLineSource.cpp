#include "las/LasLineSource.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/Paths.h"

namespace ORBAX_Geophysics {

LasLineSource::LasLineSource(std::size_t blockBytes) : m_blockBytes(blockBytes < 16 ? 16 : blockBytes) {}

void LasLineSource::grow()
{
    std::size_t capacity = m_capacity * 2;
    std::unique_ptr<char[]> bigger(new char[capacity]);
    std::memcpy(bigger.get(), m_buffer.get(), m_end);
    m_buffer = std::move(bigger);
    m_capacity = capacity;
}

bool LasLineSource::open(const std::filesystem::path& path, int& error)
{
    errno = 0;
    if (!ORBAX_Platform::open_input(m_in, path)) {
        error = errno ? errno : ENOENT;
        return false;
    }
    // A folder opens on this system but cannot be read; say so rather than report an empty file.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        m_in.close();
        error = EISDIR;
        return false;
    }
    // A pipe cannot go back to the start of the data for the second pass, so it is kept whole.
    m_keepAll = !std::filesystem::is_regular_file(path, ec);
    // Small files get a buffer of their own size, large ones a block.
    std::uintmax_t size = std::filesystem::file_size(path, ec);
    std::size_t capacity = m_blockBytes;
    if (!ec && size + 1 < capacity)
        capacity = size + 1 < 16 ? 16 : static_cast<std::size_t>(size + 1);
    m_buffer.reset(new char[capacity]);
    m_capacity = capacity;
    m_begin = m_end = 0;
    m_bufferOffset = 0;
    m_atEnd = false;
    m_lineNumber = 0;
    return true;
}

bool LasLineSource::is_comment(std::string_view line)
{
    std::size_t i = line.find_first_not_of(' ');
    return i != std::string_view::npos && line[i] == '#';
}

bool LasLineSource::refill()
{
    if (m_atEnd)
        return false;
    if (m_begin > 0 && !m_keepAll) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, m_end - m_begin);
        m_bufferOffset += m_begin;
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_capacity) // one line fills the buffer: make room for the rest of it
        grow();
    std::size_t added = 0;
    while (m_end < m_capacity) {
        m_in.read(m_buffer.get() + m_end, static_cast<std::streamsize>(m_capacity - m_end));
        std::size_t got = static_cast<std::size_t>(m_in.gcount());
        m_end += got;
        added += got;
        if (!m_in) {
            m_atEnd = true; // the end of the file, or a read error: either way no more lines
            break;
        }
    }
    return added > 0;
}

bool LasLineSource::read_line(std::string_view& line)
{
    for (;;) {
        const char* start = m_buffer.get() + m_begin;
        std::size_t available = m_end - m_begin;
        const void* nl = available ? std::memchr(start, '\n', available) : nullptr;
        if (nl) {
            std::size_t length = static_cast<std::size_t>(static_cast<const char*>(nl) - start);
            m_begin += length + 1;
            line = std::string_view(start, length);
            break;
        }
        if (!refill()) {
            if (m_begin == m_end)
                return false;
            // The last line of the file, without a line feed.
            line = std::string_view(m_buffer.get() + m_begin, m_end - m_begin);
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

void LasLineSource::seek(std::uint64_t offset, std::int64_t lineNumber)
{
    m_lineNumber = lineNumber;
    if (offset >= m_bufferOffset && offset <= m_bufferOffset + m_end) {
        m_begin = static_cast<std::size_t>(offset - m_bufferOffset);
        return;
    }
    m_in.clear();
    m_in.seekg(static_cast<std::streamoff>(offset));
    m_bufferOffset = offset;
    m_begin = m_end = 0;
    m_atEnd = !m_in;
}

std::string_view LasLineSource::peek_block()
{
    for (;;) {
        if (m_begin > 0 || m_end < m_capacity)
            refill();
        const char* start = m_buffer.get() + m_begin;
        std::size_t available = m_end - m_begin;
        if (m_atEnd)
            return std::string_view(start, available);
        // Up to the last line feed; a line longer than the buffer makes the buffer grow.
        for (std::size_t i = available; i > 0; --i) {
            if (start[i - 1] == '\n')
                return std::string_view(start, i);
        }
        if (m_begin == 0 && m_end == m_capacity)
            grow();
    }
}

void LasLineSource::consume(std::size_t bytes, std::int64_t lines)
{
    m_begin += bytes;
    m_lineNumber += lines;
}

} // namespace ORBAX_Geophysics
