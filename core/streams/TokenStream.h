#pragma once
// The tokenizing input stream behind the configuration file and the small grammars inside it
// (schema definitions, vector-pattern elements). It splits its input into words, numbers,
// double-quoted strings and single punctuation characters, skips blanks and "#" comments, and keeps
// the line number of the next unread character for error messages.
//
// Token grammar (classification by the classic "C" rules, so any character outside ASCII is a
// punctuation token of its own):
//   word    a letter or "_", then letters, digits and "_"
//   number  a digit or ".", then letters, digits and "." ("1e5", "2.5x" and "1.2.3" are one token
//           each); a sign is never part of a number: "-5" is the token "-" and then "5", and "1e-5"
//           is "1e", "-", "5"
//   quoted  from a double quote up to and including the next one, newlines included, no escapes
//   other   any other non-blank character, one per token
#include <cstdint>
#include <istream>
#include <locale>
#include <string>
#include <vector>

namespace ORBAX_Utilities {

template <class CharT>
class TokenStream : public std::basic_istream<CharT> {
public:
    using string_type = std::basic_string<CharT>;

    enum Kind { End = 0, Word = 1, Number = 2, QuotedString = 3, Other = 4 };

    // Reads from `buffer`, which the caller owns and keeps alive for the life of the stream.
    explicit TokenStream(std::basic_streambuf<CharT>* buffer);

    // The next token's kind (0 at the end of input or when the stream is not good); `token` gets its
    // text (a quoted string with its quotes) and `blanks` the blanks skipped before it, comment text
    // excluded. Both are cleared first.
    int nextToken(string_type& token, string_type& blanks);
    // nextToken, with the quotes of a quoted string removed.
    int nextWordOrString(string_type& token);
    // Raw characters up to the next "}", which is left unread; "}" before the first character is
    // skipped, and "#" comments after it are left out (their newline kept). True when at least one
    // character was taken.
    bool readRawUntilBrace(string_type& text);
    // The raw body of a brace block whose "{" has been read, up to the matching "}" (consumed, not
    // returned). Braces in quoted strings and comments do not count. False at end of input.
    bool skipBlock(string_type& text);
    // The rest of the current line without its newline; false only when nothing was left to read.
    bool readLine(string_type& text);
    // A colour as «(r, g, b)» or as hexadecimal 0xRRGGBB, stored red in bits 0 to 7, green in 8 to
    // 15, blue in 16 to 23. False (colour untouched) on a format error or at end of input.
    bool readColour(std::uint32_t& colour);
    // Consumes blanks (not comments); false at end of input.
    bool skipBlanks();

    // Case-insensitive comparison through the stream's upper-casing; 0 when equal.
    int compare_nocase(const string_type& a, const string_type& b) const;
    int compare_nocase_cstr(const CharT* keyword, const string_type& b) const;
    string_type to_upper_copy(const string_type& text) const;

    // The line of the next unread character (1 at the start unless set).
    int lineNumber() const { return m_line; }
    void setLineNumber(int line) { m_line = line; }
    bool inComment() const { return m_inComment; }
    // The character facet of the global locale at construction.
    const std::ctype<CharT>& ctype() const { return *m_ctype; }

protected:
    // One character, counting a newline; false at end of input.
    bool getChar(CharT& c);
    // Returns the character just read to the stream; a newline is uncounted.
    void putBack(CharT c);

    static bool isLetter(CharT c);
    static bool isDigit(CharT c);
    static bool isBlank(CharT c);

private:
    bool m_inComment = false;
    int m_line = 1;
    std::locale m_locale;
    const std::ctype<CharT>* m_ctype;
    // While a block is skipped, every character read is recorded here (and a put-back removed).
    string_type* m_recording = nullptr;
    CharT m_newline, m_hash, m_quote, m_underscore, m_dot, m_openBrace, m_closeBrace;
};

extern template class TokenStream<char>;
extern template class TokenStream<wchar_t>;

} // namespace ORBAX_Utilities

// The token stream of the vector-pattern grammar: adds the line-style keywords, whose position in
// the table (0 to 4) is the stored line style.
template <class CharT>
class TokenStreamPlus : public ORBAX_Utilities::TokenStream<CharT> {
public:
    using string_type = std::basic_string<CharT>;

    explicit TokenStreamPlus(std::basic_streambuf<CharT>* buffer);

    const std::vector<string_type>& keywords() const { return m_keywords; }

private:
    std::vector<string_type> m_keywords;
};

extern template class TokenStreamPlus<char>;
extern template class TokenStreamPlus<wchar_t>;
