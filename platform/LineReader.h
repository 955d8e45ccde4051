#pragma once
// Reading one line of text: a trailing carriage return is dropped, so files with CR LF line ends
// read exactly like files with LF line ends.
#include <cstddef>
#include <istream>
#include <string>

namespace ORBAX_Platform {

template <class CharT, class Traits, class Alloc>
std::basic_istream<CharT, Traits>& read_line(std::basic_istream<CharT, Traits>& in,
                                             std::basic_string<CharT, Traits, Alloc>& line)
{
    std::getline(in, line);
    if (!line.empty() && line.back() == CharT('\r'))
        line.pop_back();
    return in;
}

// One line as read_line reads it, but of at most `maxBytes` characters: a longer line is not read on,
// `tooLong` is set and the stream fails, so that a file of one endless line (or a device) cannot fill
// the memory.
template <class CharT, class Traits, class Alloc>
std::basic_istream<CharT, Traits>& read_line(std::basic_istream<CharT, Traits>& in,
                                             std::basic_string<CharT, Traits, Alloc>& line, std::size_t maxBytes,
                                             bool& tooLong)
{
    line.clear();
    tooLong = false;
    const typename std::basic_istream<CharT, Traits>::sentry ready(in, true);
    if (!ready)
        return in;
    std::basic_streambuf<CharT, Traits>* buffer = in.rdbuf();
    try {
        for (;;) {
            const typename Traits::int_type c = buffer->sbumpc();
            if (Traits::eq_int_type(c, Traits::eof())) {
                in.setstate(line.empty() ? std::ios::eofbit | std::ios::failbit : std::ios::eofbit);
                break;
            }
            if (Traits::to_char_type(c) == CharT('\n'))
                break;
            if (line.size() >= maxBytes) {
                tooLong = true;
                in.setstate(std::ios::failbit);
                break;
            }
            line.push_back(Traits::to_char_type(c));
        }
    } catch (...) {
        // The file's buffer reports a failed read (a folder opened as a file) by throwing.
        in.setstate(std::ios::badbit);
    }
    if (!line.empty() && line.back() == CharT('\r'))
        line.pop_back();
    return in;
}

// A whole text with the carriage return of every CR LF pair (and a CR at the very end) dropped, so
// that text saved by a Windows editor reads like its original; every other byte is kept.
inline std::string drop_line_end_carriage_returns(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] == '\n'))
            continue;
        out += bytes[i];
    }
    return out;
}

} // namespace ORBAX_Platform
