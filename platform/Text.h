#pragma once
// The one place where text changes its encoding. Three encodings meet in this program:
// - Windows code page 1252, the single-byte character set of every borehole, configuration and LAS
//   file. Each of the 256 bytes maps to one character and back, so a file read and written again
//   keeps every byte (the five bytes the code page leaves undefined map to the C1 controls of the
//   same value).
// - wide text (`std::wstring`, one Unicode character per element), the form of text in memory.
// - UTF-8, the encoding of file names and of the terminal.
// The code page is also installed as the global locale's wide character facet and code conversion,
// for wide file streams and for code that asks the locale.
#include <cwchar>
#include <locale>
#include <string>
#include <string_view>

namespace ORBAX_Platform {

// The character of a byte.
wchar_t cp1252_to_unicode(unsigned char byte);
// The byte of a character; false when the code page has none.
bool unicode_to_cp1252(wchar_t ch, char& byte);

// Code page bytes as wide text; never fails. The second form reuses `out`'s storage.
std::wstring widen_cp1252(std::string_view bytes);
void widen_cp1252(std::string_view bytes, std::wstring& out);
// Wide text as code page bytes: `replacement` for a character the code page has none for, and then
// `lost` (when given) is set to true.
std::string narrow_cp1252(const std::wstring& text, char replacement = '?', bool* lost = nullptr);

// Text for the terminal, a message or a QString: a character that UTF-8 cannot hold (a surrogate, one
// past U+10FFFF) becomes U+FFFD, so a carried byte of a file name (below) is shown as one.
std::string utf8_from_wide(const std::wstring& text);
// Invalid sequences become U+FFFD, one per offending byte.
std::wstring wide_from_utf8(std::string_view text);

// File names are bytes, mostly UTF-8, but any byte but NUL may be part of one (a Latin-1 name from an
// older disk). As wide text, each byte that is not part of valid UTF-8 is carried as one of the
// reserved characters U+DC80 to U+DCFF, lone surrogates that no decoded text holds, so that a name
// read from the system, kept as wide text and given back is the same name byte for byte.
constexpr wchar_t FirstCarriedByte = 0xDC80;
constexpr bool is_carried_byte(wchar_t c) { return c >= FirstCarriedByte && c <= FirstCarriedByte + 0x7F; }
std::wstring wide_from_name(std::string_view bytes);
// The bytes of a name kept as wide text; false when it holds a character that no name can (NUL,
// another surrogate, one past U+10FFFF), for then it could only be given as another name.
bool name_from_wide(const std::wstring& name, std::string& bytes);
// True when the name holds a carried byte: it is not valid UTF-8 as the system has it.
bool holds_carried_bytes(const std::wstring& name);
// The name as text to show or write into a file: each carried byte becomes U+FFFD.
std::wstring shown_name(std::wstring name);
// Code page bytes as UTF-8, for the terminal.
std::string utf8_from_cp1252(std::string_view bytes);

// The blanks " ", tab and line feed removed from both ends (a carriage return is no blank here).
std::wstring trimmed_blanks(std::wstring_view text);
void trim_blanks(std::wstring& text);

// Character classification and case folding are Unicode's; widen and narrow are code page 1252.
class cp1252_ctype : public std::ctype<wchar_t> {
public:
    explicit cp1252_ctype(std::size_t refs = 0);
    ~cp1252_ctype() override;

protected:
    bool do_is(mask m, char_type c) const override;
    const char_type* do_is(const char_type* lo, const char_type* hi, mask* vec) const override;
    const char_type* do_scan_is(mask m, const char_type* lo, const char_type* hi) const override;
    const char_type* do_scan_not(mask m, const char_type* lo, const char_type* hi) const override;
    char_type do_toupper(char_type c) const override;
    const char_type* do_toupper(char_type* lo, const char_type* hi) const override;
    char_type do_tolower(char_type c) const override;
    const char_type* do_tolower(char_type* lo, const char_type* hi) const override;
    char_type do_widen(char c) const override;
    const char* do_widen(const char* lo, const char* hi, char_type* to) const override;
    char do_narrow(char_type c, char dfault) const override;
    const char_type* do_narrow(const char_type* lo, const char_type* hi, char dfault, char* to) const override;

private:
    // Classification and case mapping come from a Unicode-aware facet of the C.UTF-8 locale when
    // the system has it, and from the classic facet otherwise.
    std::locale m_unicode;
    const std::ctype<wchar_t>* m_base;
};

// Conversion between wide text and code page 1252 bytes for wide file streams and code conversions.
class cp1252_codecvt : public std::codecvt<wchar_t, char, std::mbstate_t> {
public:
    explicit cp1252_codecvt(std::size_t refs = 0) : std::codecvt<wchar_t, char, std::mbstate_t>(refs) {}

protected:
    result do_out(state_type& state, const intern_type* from, const intern_type* from_end,
                  const intern_type*& from_next, extern_type* to, extern_type* to_end,
                  extern_type*& to_next) const override;
    result do_in(state_type& state, const extern_type* from, const extern_type* from_end, const extern_type*& from_next,
                 intern_type* to, intern_type* to_end, intern_type*& to_next) const override;
    result do_unshift(state_type& state, extern_type* to, extern_type* to_end, extern_type*& to_next) const override;
    int do_encoding() const noexcept override { return 1; }
    bool do_always_noconv() const noexcept override { return false; }
    int do_length(state_type& state, const extern_type* from, const extern_type* end, std::size_t max) const override;
    int do_max_length() const noexcept override { return 1; }
};

// A copy of `base` whose wide character facet and code conversion are code page 1252.
std::locale with_cp1252(const std::locale& base);

} // namespace ORBAX_Platform
