#pragma once
// What a console program prints goes out in the terminal's encoding, whatever it holds: file names,
// messages, the texts of a borehole. The terminal's encoding is the one of the user's locale
// (LC_ALL, LC_CTYPE, LANG); a locale that names no encoding of its own (the plain "C" locale) is
// taken as UTF-8, as on today's systems. File contents are not concerned: they stay code page 1252.
#include <string>
#include <string_view>

#include <locale.h>

namespace ORBAX_Platform {

class TerminalEncoding {
public:
    // The encoding of the named locale; "" is the user's.
    explicit TerminalEncoding(const char* localeName = "");
    ~TerminalEncoding();
    TerminalEncoding(const TerminalEncoding&) = delete;
    TerminalEncoding& operator=(const TerminalEncoding&) = delete;

    bool isUtf8() const { return m_locale == nullptr; }
    // One byte to a character (ISO 8859 and the like, whose bytes 0x80 to 0x9F are controls).
    bool isSingleByte() const;
    // Wide text in this encoding; a character it lacks becomes "?" (and sets `*lost`, where given), and
    // a byte of a file name that is no character is shown as `ls -b` shows it, "\351".
    std::string encode(const std::wstring& text, bool* lost = nullptr) const;

private:
    // The locale whose multibyte conversion is used; null for UTF-8.
    locale_t m_locale = nullptr;
};

// The encoding of the user's terminal, found once for the whole run.
const TerminalEncoding& terminal_encoding();

// Wide text in the terminal's encoding; `*lost` (where given) set when a character became "?".
std::string terminal_text(const std::wstring& text, bool* lost = nullptr);
// Narrow text of unknown origin (an exception's text, a typed argument) in the terminal's encoding:
// valid UTF-8 is taken as such, anything else as code page 1252.
std::string terminal_text_of_bytes(std::string_view bytes);
// A file name as typed (bytes, mostly UTF-8) in the terminal's encoding.
std::string terminal_name(std::string_view bytes);

} // namespace ORBAX_Platform
