#include "core/streams/TokenStream.h"

#include <limits>

#include "platform/Numbers.h"

namespace ORBAX_Utilities {

template <class CharT>
TokenStream<CharT>::TokenStream(std::basic_streambuf<CharT>* buffer)
    : std::basic_istream<CharT>(buffer), m_ctype(&std::use_facet<std::ctype<CharT>>(m_locale))
{
    const auto& ct = *m_ctype;
    m_newline = ct.widen('\n');
    m_hash = ct.widen('#');
    m_quote = ct.widen('"');
    m_underscore = ct.widen('_');
    m_dot = ct.widen('.');
    m_openBrace = ct.widen('{');
    m_closeBrace = ct.widen('}');
}

// Classification follows the classic "C" rules on purpose: the configuration grammar is ASCII, and
// a name with other letters has to be quoted whatever the user's locale says.
template <class CharT>
bool TokenStream<CharT>::isLetter(CharT c)
{
    return (c >= CharT('a') && c <= CharT('z')) || (c >= CharT('A') && c <= CharT('Z'));
}

template <class CharT>
bool TokenStream<CharT>::isDigit(CharT c)
{
    return c >= CharT('0') && c <= CharT('9');
}

template <class CharT>
bool TokenStream<CharT>::isBlank(CharT c)
{
    return c == CharT(' ') || c == CharT('\t') || c == CharT('\n') || c == CharT('\v') || c == CharT('\f') ||
           c == CharT('\r');
}

template <class CharT>
bool TokenStream<CharT>::getChar(CharT& c)
{
    if (!this->get(c))
        return false;
    if (c == m_newline)
        ++m_line;
    if (m_recording)
        m_recording->push_back(c);
    return true;
}

template <class CharT>
void TokenStream<CharT>::putBack(CharT c)
{
    this->unget();
    if (c == m_newline)
        --m_line;
    if (m_recording && !m_recording->empty())
        m_recording->pop_back();
}

template <class CharT>
int TokenStream<CharT>::nextToken(string_type& token, string_type& blanks)
{
    token.clear();
    blanks.clear();
    if (!this->good())
        return End;
    int kind = End;
    CharT c;
    while (getChar(c)) {
        if (kind == End) {
            if (m_inComment) {
                if (c == m_newline)
                    m_inComment = false;
                continue;
            }
            if (c == m_hash) {
                m_inComment = true;
                continue;
            }
            if (isBlank(c)) {
                blanks.push_back(c);
                continue;
            }
            token.push_back(c);
            if (isLetter(c) || c == m_underscore)
                kind = Word;
            else if (isDigit(c) || c == m_dot)
                kind = Number;
            else if (c == m_quote)
                kind = QuotedString;
            else
                return Other; // a single character; nothing can continue it
            continue;
        }
        bool continues = false;
        switch (kind) {
        case Word: continues = isLetter(c) || isDigit(c) || c == m_underscore; break;
        case Number: continues = isLetter(c) || isDigit(c) || c == m_dot; break;
        case QuotedString:
            token.push_back(c);
            if (c == m_quote)
                return kind;
            continue;
        default: break;
        }
        if (!continues) {
            putBack(c);
            return kind;
        }
        token.push_back(c);
    }
    // End of input: a token that had begun is returned whole.
    return kind;
}

template <class CharT>
int TokenStream<CharT>::nextWordOrString(string_type& token)
{
    string_type blanks;
    int kind = nextToken(token, blanks);
    if (kind == QuotedString) {
        // An unterminated string at the end of input has only its opening quote.
        token.erase(0, 1);
        if (!token.empty() && token.back() == m_quote)
            token.pop_back();
    }
    return kind;
}

template <class CharT>
bool TokenStream<CharT>::readRawUntilBrace(string_type& text)
{
    text.clear();
    bool taken = false;
    bool inComment = false;
    CharT c;
    while (getChar(c)) {
        if (!taken) {
            if (c == m_closeBrace)
                continue;
            text.push_back(c);
            taken = true;
            continue;
        }
        if (inComment) {
            // The comment is left out but its newline stays: callers split the body into lines.
            if (c == m_newline) {
                inComment = false;
                text.push_back(c);
            }
            continue;
        }
        if (c == m_hash) {
            inComment = true;
            continue;
        }
        if (c == m_closeBrace) {
            putBack(c);
            break;
        }
        text.push_back(c);
    }
    return taken;
}

template <class CharT>
bool TokenStream<CharT>::skipBlock(string_type& text)
{
    // The raw characters are recorded while the tokens are read, so the body comes back exactly as
    // written (comments included) without seeking the stream buffer back.
    text.clear();
    string_type raw;
    m_recording = &raw;
    string_type token, blanks;
    int depth = 1;
    bool found = false;
    while (nextToken(token, blanks) != End) {
        if (token.front() == m_openBrace) {
            ++depth;
        } else if (token.front() == m_closeBrace) {
            if (--depth == 0) {
                found = true;
                break;
            }
        }
    }
    m_recording = nullptr;
    if (!found)
        return false;
    raw.pop_back(); // the closing brace
    text.swap(raw);
    return true;
}

template <class CharT>
bool TokenStream<CharT>::readLine(string_type& text)
{
    text.clear();
    CharT c;
    if (!getChar(c))
        return false;
    do {
        if (c == m_newline)
            return true;
        text.push_back(c);
    } while (getChar(c));
    return true;
}

template <class CharT>
bool TokenStream<CharT>::skipBlanks()
{
    CharT c;
    while (getChar(c)) {
        if (!isBlank(c)) {
            putBack(c);
            return true;
        }
    }
    return false;
}

template <class CharT>
bool TokenStream<CharT>::readColour(std::uint32_t& colour)
{
    const auto& ct = *m_ctype;
    skipBlanks();
    CharT c;
    if (!getChar(c))
        return false;
    if (c == ct.widen('0')) {
        if (!getChar(c))
            return false;
        if (c != ct.widen('x') && c != ct.widen('X'))
            return false;
        // Hexadecimal 0xRRGGBB, read without regard to the stream's locale.
        std::uint64_t value = 0;
        int digits = 0;
        while (getChar(c)) {
            int digit;
            if (c >= CharT('0') && c <= CharT('9'))
                digit = static_cast<int>(c - CharT('0'));
            else if (c >= CharT('a') && c <= CharT('f'))
                digit = static_cast<int>(c - CharT('a')) + 10;
            else if (c >= CharT('A') && c <= CharT('F'))
                digit = static_cast<int>(c - CharT('A')) + 10;
            else {
                putBack(c);
                break;
            }
            value = value * 16 + static_cast<std::uint64_t>(digit);
            if (value > 0xFFFFFFFFu)
                return false;
            ++digits;
        }
        if (digits == 0)
            return false;
        std::uint32_t red = static_cast<std::uint32_t>(value >> 16) & 0xFF;
        std::uint32_t green = static_cast<std::uint32_t>(value >> 8) & 0xFF;
        std::uint32_t blue = static_cast<std::uint32_t>(value) & 0xFF;
        colour = red | (green << 8) | (blue << 16);
        return true;
    }
    if (c != ct.widen('('))
        return false;
    std::uint32_t parts[3] = {0, 0, 0};
    string_type token;
    for (int i = 0; i < 3; ++i) {
        nextWordOrString(token);
        long value = ORBAX_Platform::parse_long(token);
        parts[i] = static_cast<std::uint32_t>(static_cast<unsigned long>(value) & 0xFF);
        skipBlanks();
        if (!getChar(c) || c != ct.widen(i < 2 ? ',' : ')'))
            return false;
    }
    colour = parts[0] | (parts[1] << 8) | (parts[2] << 16);
    return true;
}

template <class CharT>
typename TokenStream<CharT>::string_type TokenStream<CharT>::to_upper_copy(const string_type& text) const
{
    string_type upper = text;
    if (!upper.empty())
        m_ctype->toupper(&upper[0], &upper[0] + upper.size());
    return upper;
}

template <class CharT>
int TokenStream<CharT>::compare_nocase(const string_type& a, const string_type& b) const
{
    return to_upper_copy(a).compare(to_upper_copy(b));
}

template <class CharT>
int TokenStream<CharT>::compare_nocase_cstr(const CharT* keyword, const string_type& b) const
{
    return compare_nocase(keyword ? string_type(keyword) : string_type(), b);
}

template class TokenStream<char>;
template class TokenStream<wchar_t>;

} // namespace ORBAX_Utilities

template <class CharT>
TokenStreamPlus<CharT>::TokenStreamPlus(std::basic_streambuf<CharT>* buffer)
    : ORBAX_Utilities::TokenStream<CharT>(buffer)
{
    const auto& ct = this->ctype();
    for (const char* keyword : {"solid", "dash", "dot", "dashdot", "dashdotdot"}) {
        string_type word;
        for (const char* p = keyword; *p; ++p)
            word.push_back(ct.widen(*p));
        m_keywords.push_back(word);
    }
}

template class TokenStreamPlus<char>;
template class TokenStreamPlus<wchar_t>;
