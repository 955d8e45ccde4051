#pragma once
// Reading one line of text: a line ends at a line feed, a carriage return (files of old Mac programs)
// or the two together, so files with CR LF, LF or CR line ends read alike.
#include <cstddef>
#include <istream>
#include <limits>
#include <string>
#include <string_view>

namespace ORBAX_Platform {

// One line as read_line below reads it, but of at most `maxBytes` characters: a longer line is not
// read on, `tooLong` is set and the stream fails, so that a file of one endless line (or a device)
// cannot fill the memory.
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
            if (Traits::to_char_type(c) == CharT('\r')) {
                // The buffer looks ahead past its own blocks, so a CR LF split between two reads
                // is still one line end.
                const typename Traits::int_type next = buffer->sgetc();
                if (!Traits::eq_int_type(next, Traits::eof()) && Traits::to_char_type(next) == CharT('\n'))
                    buffer->sbumpc();
                break;
            }
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
    return in;
}

template <class CharT, class Traits, class Alloc>
std::basic_istream<CharT, Traits>& read_line(std::basic_istream<CharT, Traits>& in,
                                             std::basic_string<CharT, Traits, Alloc>& line)
{
    bool tooLong = false;
    return read_line(in, line, std::numeric_limits<std::size_t>::max(), tooLong);
}

// A whole text with every line end made a line feed: a CR LF pair and a carriage return alone (files
// of old Mac programs) become one line feed; every other byte is kept.
inline std::string line_feeds_only(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                continue;
            out += '\n';
        } else {
            out += bytes[i];
        }
    }
    return out;
}

// True when every line end of the text is a doubled carriage return: it holds no line feed, and its
// carriage returns come in runs of even length. That is a file whose CR LF line ends had their line
// feeds turned into carriage returns; read as it stands, an empty line would follow every line.
inline bool doubled_carriage_returns(std::string_view bytes)
{
    if (bytes.find('\n') != std::string_view::npos)
        return false;
    bool any = false;
    for (std::size_t i = bytes.find('\r'); i != std::string_view::npos; i = bytes.find('\r', i)) {
        const std::size_t end = bytes.find_first_not_of('\r', i);
        const std::size_t run = (end == std::string_view::npos ? bytes.size() : end) - i;
        if (run % 2 != 0)
            return false;
        any = true;
        i += run;
    }
    return any;
}

// The text with each pair of carriage returns made one.
inline std::string single_carriage_returns(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out += bytes[i];
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\r')
            ++i;
    }
    return out;
}

} // namespace ORBAX_Platform
