#pragma once
// The standard output and error of a console program. Where one of them is a terminal, control
// characters other than tab and line end are shown escaped, as "\033" (the octal of the character, as
// `ls -b` shows them): a borehole's texts, a LAS file's mnemonics and file names reach the screen, and
// an escape sequence among them could set the window's title or clear the screen. A file or a pipe
// gets the bytes as they are. At the end, the standard output is flushed and closed, and a failure
// there (a full disk, /dev/full) is reported instead of an exit that says all was written.
#include <ostream>
#include <streambuf>

namespace ORBAX_Platform {

// Passes what is written on to another buffer, with control characters escaped where `escape` says
// so, and keeps the system's error number of the first write that failed there.
class ControlEscapingBuffer : public std::streambuf {
public:
    enum class Escape {
        None,
        Controls,  // C0 controls and DEL only (encodings of several bytes to a character but UTF-8)
        Utf8,      // C0 controls and DEL, and the C1 controls as UTF-8 writes them
        SingleByte // C0 controls and DEL, and the bytes 0x80 to 0x9F, the C1 controls there
    };
    ControlEscapingBuffer(std::streambuf* target, Escape escape);

    // The error number of the first failed write; 0 while all went through.
    int failure() const { return m_failure; }
    // Passes on a byte held back to see what follows it, at the end of the output.
    void finish();

protected:
    std::streamsize xsputn(const char* text, std::streamsize size) override;
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool pass(const char* text, std::streamsize size);
    bool passEscaped(unsigned code);

    std::streambuf* m_target;
    Escape m_escape;
    bool m_leadPending = false; // a UTF-8 lead byte 0xC2 whose next byte is still to come
    int m_failure = 0;
};

// Puts std::cout and std::cerr through such buffers while it lives, escaping where each is a
// terminal.
class ConsoleStreams {
public:
    ConsoleStreams();
    ~ConsoleStreams();
    ConsoleStreams(const ConsoleStreams&) = delete;
    ConsoleStreams& operator=(const ConsoleStreams&) = delete;

    // Flushes and closes the standard output: 0, or the error number of a write or of the close
    // that failed. A standard output closed before the program began, written nothing, is no failure.
    int closeStandardOutput();

private:
    std::streambuf* m_outTarget;
    std::streambuf* m_errTarget;
    ControlEscapingBuffer m_out;
    ControlEscapingBuffer m_err;
};

} // namespace ORBAX_Platform
