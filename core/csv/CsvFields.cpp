#include "core/csv/CsvFields.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "core/options/OptionsData.h"
#include "platform/Numbers.h"

namespace ORBAX_Logging {

CsvSyntax csvSyntaxOf(const CSVOptionsData& options)
{
    CsvSyntax syntax;
    syntax.quoting = options.quotingStyle;
    syntax.quoteQuote = options.quoteQuoteStyle;
    syntax.escape = options.escapeCharacter;
    return syntax;
}

CsvRowReader::CsvRowReader(std::string_view bytes, const CsvSyntax& syntax, std::size_t maxFields)
    : m_bytes(bytes), m_syntax(syntax), m_quote(syntax.quoteChar()), m_maxFields(maxFields)
{
    // An escape character equal to the quote character is the doubling rule.
    if (m_syntax.quoteQuote == 1 && m_syntax.escape == m_quote)
        m_syntax.quoteQuote = 0;
}

bool CsvRowReader::lineEndAt(std::size_t pos) const
{
    if (pos >= m_bytes.size())
        return false;
    // A carriage return ends a line alone too (files of old Mac programs); before a line feed the two
    // are one line end.
    return m_bytes[pos] == '\n' || m_bytes[pos] == '\r';
}

void CsvRowReader::skipLineEnd()
{
    if (m_bytes[m_pos] == '\r')
        ++m_pos;
    if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
        ++m_pos;
    ++m_line;
}

bool CsvRowReader::skipLine()
{
    if (m_pos >= m_bytes.size())
        return false;
    while (m_pos < m_bytes.size() && !lineEndAt(m_pos))
        ++m_pos;
    if (m_pos < m_bytes.size())
        skipLineEnd();
    else
        ++m_line;
    return true;
}

bool CsvRowReader::nextRow(std::vector<std::string>& fields)
{
    fields.clear();
    m_unterminated = false;
    if (m_rowTooLong)
        return false;
    if (m_pos >= m_bytes.size() || lineEndAt(m_pos)) {
        // An empty line ends the data; step over it so a caller skipping heading rows moves on.
        if (m_pos < m_bytes.size()) {
            m_rowLine = m_line;
            skipLineEnd();
        }
        return false;
    }
    m_rowLine = m_line;
    m_rowEnded = false;
    m_rowFields = 0;
    m_rowCharacters = 0;
    m_droppedText = false;
    std::string scratch;
    while (!m_rowEnded) {
        ++m_rowFields;
        bool whole;
        if (fields.size() < m_maxFields) {
            fields.emplace_back();
            whole = readField(fields.back());
            m_rowCharacters += fields.back().size();
        } else {
            scratch.clear();
            whole = readField(scratch);
            m_rowCharacters += scratch.size();
            m_droppedText = m_droppedText || scratch.find_first_not_of(" \t") != std::string::npos;
        }
        if (!whole || m_rowCharacters > m_maxRowCharacters) {
            m_rowTooLong = true;
            fields.clear();
            return false;
        }
    }
    return true;
}

bool CsvRowReader::readField(std::string& field)
{
    const std::size_t n = m_bytes.size();
    // Once the field holds more than this, the row is too long: it is built no further.
    const std::size_t room = m_maxRowCharacters - std::min(m_rowCharacters, m_maxRowCharacters);
    bool inQuotes = false;
    if (m_quote && m_pos < n && m_bytes[m_pos] == m_quote) {
        inQuotes = true;
        ++m_pos;
    }
    const char q = m_quote;
    const char e = m_syntax.escape;
    while (true) {
        if (m_pos >= n) {
            m_unterminated = m_unterminated || inQuotes;
            m_rowEnded = true;
            return true;
        }
        if (lineEndAt(m_pos)) {
            m_unterminated = m_unterminated || inQuotes;
            skipLineEnd();
            m_rowEnded = true;
            return true;
        }
        if (field.size() > room)
            return false;
        const char c = m_bytes[m_pos];
        if (!inQuotes) {
            ++m_pos;
            if (c == ',')
                return true;
            field += c;
            continue;
        }
        switch (m_syntax.quoteQuote) {
        case 1:
            if (c == e) {
                if (m_pos + 1 >= n || lineEndAt(m_pos + 1)) {
                    inQuotes = false; // an escape character closing the line ends the quotes
                    ++m_pos;
                } else if (m_bytes[m_pos + 1] == q || m_bytes[m_pos + 1] == e) {
                    field += m_bytes[m_pos + 1];
                    m_pos += 2;
                } else {
                    field += c;
                    ++m_pos;
                }
            } else if (c == q) {
                inQuotes = false;
                ++m_pos;
            } else {
                field += c;
                ++m_pos;
            }
            break;
        case 2:
            // No escaping: a quote character ends the quotes only where the field ends.
            if (c == q && (m_pos + 1 >= n || m_bytes[m_pos + 1] == ',' || lineEndAt(m_pos + 1)))
                inQuotes = false;
            else
                field += c;
            ++m_pos;
            break;
        default:
            if (c == q) {
                if (m_pos + 1 < n && m_bytes[m_pos + 1] == q) {
                    field += q;
                    m_pos += 2;
                } else {
                    inQuotes = false;
                    ++m_pos;
                }
            } else {
                field += c;
                ++m_pos;
            }
            break;
        }
    }
}

namespace {

bool needsQuotes(std::string_view text, char q)
{
    for (char c : text) {
        if (c == ',' || c == q)
            return true;
    }
    return false;
}

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

} // namespace

void appendCsvField(std::string& out, std::string_view text, const CsvSyntax& syntax)
{
    const std::size_t start = out.size();
    const char q = syntax.quoteChar();
    if (!q || !needsQuotes(text, q)) {
        out.append(text);
    } else {
        int mode = syntax.quoteQuote;
        if (mode == 1 && syntax.escape == q)
            mode = 0;
        out += q;
        for (char c : text) {
            if (c == q) {
                if (mode == 0)
                    out += q;
                else if (mode == 1)
                    out += syntax.escape;
            } else if (mode == 1 && c == syntax.escape) {
                // The reader turns a doubled escape character into one.
                out += c;
            }
            out += c;
        }
        out += q;
    }
    // Nothing written may end the row early, an escape character of CR or LF included.
    for (std::size_t i = start; i < out.size(); ++i)
        if (out[i] == '\r' || out[i] == '\n')
            out[i] = ' ';
}

bool csvFieldReadsBack(std::string_view text, const CsvSyntax& syntax)
{
    if (hasLineBreak(text))
        return false;
    const char q = syntax.quoteChar();
    if (!q)
        return text.find(',') == std::string_view::npos;
    if (!needsQuotes(text, q))
        return true;
    if (syntax.quoteQuote == 1 && syntax.escape != q && (syntax.escape == '\r' || syntax.escape == '\n'))
        return text.find(q) == std::string_view::npos; // its escape would be written as a blank
    if (syntax.quoteQuote == 2) {
        // Without escaping, a quote character before a comma would close the field.
        for (std::size_t i = 0; i + 1 < text.size(); ++i) {
            if (text[i] == q && text[i + 1] == ',')
                return false;
        }
    }
    return true;
}

bool csvFieldSplits(std::string_view text, const CsvSyntax& syntax)
{
    std::string written;
    appendCsvField(written, text, syntax);
    CsvRowReader reader(written, syntax);
    std::vector<std::string> fields;
    return reader.nextRow(fields) && fields.size() > 1;
}

unsigned countCsvColumns(std::string_view line)
{
    unsigned commas = 0;
    bool inQuotes = false;
    bool fieldStart = true;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inQuotes) {
            if (c == '"') {
                if (i + 1 < line.size() && line[i + 1] == '"')
                    ++i;
                else
                    inQuotes = false;
            }
            continue;
        }
        if (fieldStart && c == '"') {
            inQuotes = true;
            fieldStart = false;
            continue;
        }
        fieldStart = false;
        if (c == ',') {
            ++commas;
            fieldStart = true;
        }
    }
    return commas + 1;
}

double csvReal(std::string_view field)
{
    std::size_t used = 0;
    double value = ORBAX_Platform::parse_double(field, &used);
    if (used == 0 || !std::isfinite(value))
        return std::numeric_limits<double>::quiet_NaN();
    return value;
}

int csvPercentage(std::string_view field, bool* read)
{
    std::size_t used = 0;
    long value = ORBAX_Platform::parse_long(field, &used);
    const bool number = used != 0 && value >= INT_MIN && value <= INT_MAX;
    // Read as the file gives it when only blanks, or a percent sign ("60%"), stand after the number.
    if (read) {
        std::size_t rest = field.find_first_not_of(" \t", number ? used : 0);
        if (number && rest != std::string_view::npos && field[rest] == '%')
            rest = field.find_first_not_of(" \t", rest + 1);
        *read = rest == std::string_view::npos;
    }
    return number ? static_cast<int>(value) : 100;
}

} // namespace ORBAX_Logging
