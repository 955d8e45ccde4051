#pragma once
// Lines of a LAS file read through one large buffer. Header sections are read a line at a time; the
// data section takes whole blocks of complete lines so that it can split them between threads, and
// seeks back to read them a second time. A regular file is never held whole; a pipe or other stream
// that cannot seek is, since its data must be read twice.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>

namespace ORBAX_Geophysics {

class LasLineSource {
public:
    static constexpr std::size_t kDefaultBlockBytes = std::size_t(8) << 20;

    explicit LasLineSource(std::size_t blockBytes = kDefaultBlockBytes);

    // Opens the file; false with the system's error number when it cannot be read.
    bool open(const std::filesystem::path& path, int& error);

    // The next line, a trailing carriage return dropped; the line counter counts it. False at the end
    // of the file or on a read error. The view holds until the next call.
    bool read_line(std::string_view& line);
    // The next line that is no comment (its first character other than a space is "#"). Comment
    // lines are counted and skipped.
    bool read_las_line(std::string_view& line);

    std::int64_t line_number() const { return m_lineNumber; }
    // The file offset of the first byte not yet read.
    std::uint64_t position() const { return m_bufferOffset + m_begin; }
    // Goes back (or forward) to a position returned earlier, with the line counter it had there.
    void seek(std::uint64_t offset, std::int64_t lineNumber);

    // Complete lines from the current position, as many as the buffer holds (at the end of the file
    // the last line may lack its line feed). Empty at the end of the file. Nothing is consumed.
    std::string_view peek_block();
    // Marks `bytes` of the block as read, holding `lines` lines.
    void consume(std::size_t bytes, std::int64_t lines);

    static bool is_comment(std::string_view line);

private:
    // Moves the unread bytes to the front of the buffer and reads more; false when nothing was added.
    bool refill();
    // Doubles the buffer, keeping its bytes.
    void grow();

    std::ifstream m_in;
    std::size_t m_blockBytes;
    std::unique_ptr<char[]> m_buffer; // left uninitialised: it is always filled before it is read
    std::size_t m_capacity = 0;
    std::size_t m_begin = 0;          // first unread byte
    std::size_t m_end = 0;            // one past the last byte read into the buffer
    std::uint64_t m_bufferOffset = 0; // file offset of m_buffer[0]
    bool m_atEnd = false;
    bool m_keepAll = false; // the input cannot seek: no byte read is ever dropped
    std::int64_t m_lineNumber = 0;
};

} // namespace ORBAX_Geophysics
