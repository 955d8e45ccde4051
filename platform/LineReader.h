#pragma once
// Reading one line of text: a trailing carriage return is dropped, so files with CR LF line ends
// read exactly like files with LF line ends.
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
