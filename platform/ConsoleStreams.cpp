#include "platform/ConsoleStreams.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

#include <unistd.h>

#include "platform/TerminalText.h"

namespace ORBAX_Platform {
namespace {

constexpr unsigned char Utf8C1Lead = 0xC2; // U+0080 to U+009F are 0xC2 0x80 to 0xC2 0x9F

bool is_c0_or_delete(unsigned char c) { return (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F; }
bool is_c1(unsigned char c) { return c >= 0x80 && c <= 0x9F; }

// How the terminal on `fd` needs its controls escaped; None where it is no terminal.
ControlEscapingBuffer::Escape escape_for(int fd)
{
    if (!::isatty(fd))
        return ControlEscapingBuffer::Escape::None;
    const TerminalEncoding& terminal = terminal_encoding();
    if (terminal.isUtf8())
        return ControlEscapingBuffer::Escape::Utf8;
    return terminal.isSingleByte() ? ControlEscapingBuffer::Escape::SingleByte
                                   : ControlEscapingBuffer::Escape::Controls;
}

} // namespace

ControlEscapingBuffer::ControlEscapingBuffer(std::streambuf* target, Escape escape) : m_target(target), m_escape(escape)
{
}

bool ControlEscapingBuffer::pass(const char* text, std::streamsize size)
{
    if (size <= 0 || m_failure != 0)
        return m_failure == 0;
    errno = 0;
    if (m_target->sputn(text, size) == size)
        return true;
    m_failure = errno ? errno : EIO;
    return false;
}

bool ControlEscapingBuffer::passEscaped(unsigned code)
{
    const char text[] = {'\\', static_cast<char>('0' + ((code >> 6) & 7)), static_cast<char>('0' + ((code >> 3) & 7)),
                         static_cast<char>('0' + (code & 7))};
    return pass(text, sizeof text);
}

std::streamsize ControlEscapingBuffer::xsputn(const char* text, std::streamsize size)
{
    if (m_escape == Escape::None)
        return pass(text, size) ? size : 0;
    std::streamsize start = 0; // the first byte not yet passed on
    for (std::streamsize i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (m_leadPending) {
            m_leadPending = false;
            if (is_c1(c)) {
                if (!passEscaped(c))
                    return 0;
                start = i + 1;
                continue;
            }
            const char lead = static_cast<char>(Utf8C1Lead);
            if (!pass(&lead, 1))
                return 0;
        }
        const bool lead = m_escape == Escape::Utf8 && c == Utf8C1Lead;
        const bool control = is_c0_or_delete(c) || (m_escape == Escape::SingleByte && is_c1(c));
        if (!lead && !control)
            continue;
        if (!pass(text + start, i - start))
            return 0;
        start = i + 1;
        if (lead)
            m_leadPending = true; // its next byte tells whether it starts a C1 control
        else if (!passEscaped(c))
            return 0;
    }
    return pass(text + start, size - start) ? size : 0;
}

ControlEscapingBuffer::int_type ControlEscapingBuffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

int ControlEscapingBuffer::sync()
{
    if (m_failure != 0)
        return -1;
    errno = 0;
    if (m_target->pubsync() == 0)
        return 0;
    m_failure = errno ? errno : EIO;
    return -1;
}

void ControlEscapingBuffer::finish()
{
    if (!m_leadPending)
        return;
    m_leadPending = false;
    const char lead = static_cast<char>(Utf8C1Lead);
    pass(&lead, 1);
}

ConsoleStreams::ConsoleStreams()
    : m_outTarget(std::cout.rdbuf()), m_errTarget(std::cerr.rdbuf()), m_out(m_outTarget, escape_for(STDOUT_FILENO)),
      m_err(m_errTarget, escape_for(STDERR_FILENO))
{
    std::cout.rdbuf(&m_out);
    std::cerr.rdbuf(&m_err);
}

ConsoleStreams::~ConsoleStreams()
{
    m_out.finish();
    m_err.finish();
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(m_outTarget);
    std::cerr.rdbuf(m_errTarget);
}

int ConsoleStreams::closeStandardOutput()
{
    m_out.finish();
    std::cout.flush();
    int code = m_out.failure();
    if (code == 0 && !std::cout)
        code = EIO;
    // What went through C's stdio, if anything did.
    if (std::fflush(stdout) != 0 && code == 0)
        code = errno;
    if (code == 0 && std::ferror(stdout))
        code = EIO;
    // The close itself reports what some file systems report only then.
    if (::close(STDOUT_FILENO) != 0 && code == 0 && errno != EBADF && errno != EINTR)
        code = errno;
    return code;
}

} // namespace ORBAX_Platform
