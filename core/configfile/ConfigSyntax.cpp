#include "core/configfile/ConfigSyntax.h"

#include <cmath>
#include <iomanip>
#include <sstream>

#include "core/configfile/ConfigSchemaSection.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

namespace QuorLogConfigSyntax {

bool IsName(int kind) { return kind == Stream::Word || kind == Stream::QuotedString; }

bool IsBrace(int kind, const std::string& token, char brace)
{
    return kind == Stream::Other && token.size() == 1 && token[0] == brace;
}

bool EndsRecordList(int kind, const std::string& token) { return kind == Stream::End || IsBrace(kind, token, '}'); }

void FormatProblem(const Stream& stream, ConfigMessageList& messages)
{
    ORBAX_Config::AddConfigMessage(messages, 5, 3, 1005, {ORBAX_Config::LineText(stream)});
}

bool OpenSection(Stream& stream, ConfigMessageList& messages)
{
    std::string token, blanks;
    const int kind = stream.nextToken(token, blanks);
    if (IsBrace(kind, token, '{'))
        return true;
    FormatProblem(stream, messages);
    return false;
}

bool OpenRecord(Stream& stream, ConfigMessageList& messages)
{
    std::string token;
    const int kind = stream.nextWordOrString(token);
    if (kind == Stream::End)
        return false;
    if (IsBrace(kind, token, '{'))
        return true;
    FormatProblem(stream, messages);
    return false;
}

void ReadRecordList(Stream& stream, ConfigMessageList& messages, std::string& token,
                    const std::function<bool(int kind)>& readRecord)
{
    if (!OpenSection(stream, messages))
        return;
    for (;;) {
        const int kind = stream.nextWordOrString(token);
        if (EndsRecordList(kind, token) || !ORBAX_Config::CountConfigItems(stream, messages))
            return;
        const std::size_t problems = messages.size();
        // Where the record begins, kept as it is: it is made into text only when the record is cut off.
        const std::string name = token;
        const int line = stream.lineNumber();
        if (!readRecord(kind)) {
            // A record that the end of the file cuts off says so, unless its reader has already said
            // why it stopped: a hand-edited or truncated file must not lose entries without a word.
            if (messages.size() == problems && stream.peek() == Stream::traits_type::eof())
                ORBAX_Config::AddConfigMessage(messages, 53, 2, 1053,
                                               {ORBAX_Platform::widen_cp1252(name), std::to_wstring(line)});
            return;
        }
    }
}

std::string StripQuotes(const std::string& token)
{
    if (token.empty() || token[0] != '"')
        return token;
    if (token.size() >= 2 && token.back() == '"')
        return token.substr(1, token.size() - 2);
    return token.substr(1);
}

namespace {

bool startsNumber(int c) { return (c >= '0' && c <= '9') || c == '.'; }

} // namespace

bool ReadNumberToken(Stream& stream, int kind, const std::string& token, std::string& number)
{
    std::string blanks, rest;
    if (kind == Stream::Number) {
        number = token;
    } else if (kind == Stream::Other && (token == "-" || token == "+") && startsNumber(stream.peek())) {
        stream.nextToken(rest, blanks);
        number = token + rest;
    } else {
        return false;
    }
    const char last = number.back();
    if (last == 'e' || last == 'E') {
        const int sign = stream.peek();
        if (sign == '+' || sign == '-') {
            stream.get();
            if (startsNumber(stream.peek())) {
                stream.nextToken(rest, blanks);
                number += static_cast<char>(sign);
                number += rest;
            } else {
                stream.unget();
            }
        }
    }
    return true;
}

bool ReadFiniteNumber(Stream& stream, int kind, const std::string& token, double& value)
{
    std::string number;
    if (!ReadNumberToken(stream, kind, token, number))
        return false;
    value = ORBAX_Platform::parse_double(number);
    return std::isfinite(value);
}

bool ReadRockTypes(Stream& stream, std::string& raw)
{
    raw.clear();
    if (!stream.skipBlanks())
        return false;
    // The raw reader skips a "}" that comes first, so empty braces are taken here.
    if (stream.peek() == '}') {
        stream.get();
        return true;
    }
    stream.readRawUntilBrace(raw);
    return stream.get() == '}';
}

std::string FormatNumber(double value)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    std::string text = out.str();
    if (text.find_first_of("eE") == std::string::npos || !std::isfinite(value))
        return text;
    // Large or tiny values: fixed notation keeps the digits the default form would have shown.
    int decimals = 0;
    if (std::fabs(value) < 1) {
        const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
        decimals = std::min(30, 5 - exponent);
    }
    text = ORBAX_Platform::format_fixed(value, decimals);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

} // namespace QuorLogConfigSyntax
