#pragma once
// The lines of a LAS file, read once from start to end. Header sections take a line at a time; the
// data section takes whole blocks of complete lines, which it splits between threads. The text comes
// from a file (a regular file is read in blocks by several threads at once; a pipe block by block)
// or from bytes the caller holds. Only one block of a file is held at a time, and no line longer than
// kMaxLineBytes: a file of one endless line (or a device) ends the reading instead of filling the
// memory.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "las/LargeBlock.h"
#include "las/LasReadTuning.h"
#include "platform/Paths.h"

namespace ORBAX_Geophysics {

class LasLineSource {
public:
    // The longest line read, far above any real one: a line of a thousand curves' values has some
    // 20 KB.
    static constexpr std::size_t kMaxLineBytes = std::size_t(16) << 20;

    // A file, given to open(); blocks of about `tuning.blockBytes`, read in `tuning.readSlices`.
    explicit LasLineSource(const LasReadTuning& tuning = {});
    // Bytes held by the caller, which outlive the source.
    explicit LasLineSource(std::string_view bytes, const LasReadTuning& tuning = {});
    LasLineSource(const LasLineSource&) = delete;
    LasLineSource& operator=(const LasLineSource&) = delete;
    ~LasLineSource();

    // Opens the file as every read of a named file is opened (ORBAX_Platform::open_for_reading): Read,
    // or Failed with the system's error number, or NotRegular for a pipe or device where only regular
    // files are read.
    ORBAX_Platform::FileRead open(const std::filesystem::path& path, int& error);

    // The next line, which ends at a line feed, a carriage return and a line feed, or a carriage return
    // alone (the blocks below end their lines alike); the line counter counts it. False at the end
    // of the input or on a read error. The view holds until the next call.
    bool read_line(std::string_view& line);
    // The next line that is no comment (its first character other than a space is "#"). Comment
    // lines are counted and skipped.
    bool read_las_line(std::string_view& line);

    std::int64_t line_number() const { return m_lineNumber; }
    // The number of a line longer than kMaxLineBytes, which ended the input; 0 when there was none.
    std::int64_t overlong_line() const { return m_overlongLine; }

    // Complete lines from the current position, about a block of them (more when one line is longer);
    // at the end of the input the last line may lack its line feed. Empty only at the end. Nothing is
    // consumed; the view holds until the next call.
    std::string_view peek_block();
    // Marks `bytes` of the block as read, holding `lines` lines.
    void consume(std::size_t bytes, std::int64_t lines);
    // The bytes not yet read, when the input's size is known (bytes in memory, a regular file).
    std::optional<std::uint64_t> remaining_bytes() const;

    static bool is_comment(std::string_view line);

private:
    // Moves the unread bytes to the front of the buffer and reads more; false when nothing was added.
    bool refill();
    // Reads into the buffer at `at`, up to `length` bytes, and ends lines at lone carriage returns in
    // them but the last byte; the number read, and in `first` the first byte as it was read.
    std::size_t read_into(char* at, std::size_t length, char& first);
    // True, and the input ended, when the line at the current position, `length` bytes so far, is too
    // long.
    bool overlong(std::size_t length);

    std::size_t m_blockBytes;
    unsigned m_readSlices;
    const char* m_data = nullptr; // the buffer, or the caller's bytes
    std::size_t m_begin = 0;      // first unread byte
    std::size_t m_end = 0;        // one past the last byte available
    bool m_atEnd = false;         // nothing more can be read into the buffer
    std::int64_t m_lineNumber = 0;
    std::int64_t m_overlongLine = 0;

    int m_fd = -1;
    bool m_regular = false;
    std::uint64_t m_fileSize = 0;   // when the file was opened
    std::uint64_t m_readOffset = 0; // the file offset of the next byte to read
    LargeBlock m_buffer;
};

} // namespace ORBAX_Geophysics
