#pragma once
// The field grammar of CSV borehole files, shared by the reader, the writer and the column count.
// Text here is bytes (code page 1252); the borehole widens it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ORBAX_Logging {

class CSVOptionsData;

struct CsvSyntax {
    int quoting = 1;    // 0 none, 1 double quotation mark, 2 apostrophe
    int quoteQuote = 0; // quote inside quotes: 0 doubled, 1 after the escape character, 2 as it is
    char escape = '\\';

    // The quote character of the quoting style, 0 when there is none.
    char quoteChar() const { return quoting == 1 ? '"' : quoting == 2 ? '\'' : '\0'; }
};

// The syntax that the options of a read or write choose.
CsvSyntax csvSyntaxOf(const CSVOptionsData& options);

// Splits a file's bytes into rows of fields, one row per line. The end of a line ends the field and
// the row, inside quotes or not: a stray quote must never swallow the rows after it. A line ends at
// a line feed, a carriage return, or the two together.
class CsvRowReader {
public:
    // `maxFields` limits how many fields of a record are kept; the rest are read and dropped.
    CsvRowReader(std::string_view bytes, const CsvSyntax& syntax, std::size_t maxFields = static_cast<std::size_t>(-1));

    // Reads the next record. False at the end of the file or at an empty line, either of which ends
    // the data; `fields` is then empty.
    bool nextRow(std::vector<std::string>& fields);

    // A row whose fields (the dropped ones too) hold more than `maxCharacters` characters is read no
    // further: nextRow gives it up and returns false, then and after, with rowTooLong() set. The
    // characters are counted as the fields are built, so a line of endless text costs no more.
    void limitRowCharacters(std::size_t maxCharacters) { m_maxRowCharacters = maxCharacters; }
    bool rowTooLong() const { return m_rowTooLong; }

    // Steps over one line as it stands, quotes or not (heading rows are skipped whatever they hold).
    // False when nothing is left to read.
    bool skipLine();

    // The line (from 1) of the last row.
    std::size_t rowLine() const { return m_rowLine; }
    // True when the last row's line ended inside a quoted field.
    bool unterminated() const { return m_unterminated; }
    // How many fields the last row had, those beyond `maxFields` included.
    std::size_t rowFieldCount() const { return m_rowFields; }
    // True when a field of the last row beyond `maxFields` held more than blanks: text that was
    // dropped (empty fields at the end of a spreadsheet's row lose nothing).
    bool droppedText() const { return m_droppedText; }
    // True when anything but blanks and line ends is left to read (after an empty line ended the data).
    bool textLeft() const { return m_bytes.find_first_not_of(" \t\r\n", m_pos) != std::string_view::npos; }

private:
    // True when a line ends at `pos` (a line feed or a carriage return).
    bool lineEndAt(std::size_t pos) const;
    // Steps over the line end at `pos` and counts the line.
    void skipLineEnd();
    // Reads one field into `field`; false when the row passed its character limit there.
    bool readField(std::string& field);

    std::string_view m_bytes;
    CsvSyntax m_syntax;
    char m_quote;
    std::size_t m_maxFields;
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
    std::size_t m_rowLine = 0;
    std::size_t m_rowFields = 0;
    std::size_t m_maxRowCharacters = static_cast<std::size_t>(-1);
    std::size_t m_rowCharacters = 0;
    bool m_rowTooLong = false;
    bool m_unterminated = false;
    bool m_droppedText = false;
    bool m_rowEnded = false;
};

// Appends one field as the writer puts it: quoted when it holds a comma or the quote character
// (quoting styles 1 and 2), with quote characters inside escaped by the quote-in-quote mode. A line
// break cannot stand in a field: each carriage return or line feed is written as a blank.
void appendCsvField(std::string& out, std::string_view text, const CsvSyntax& syntax);

// True when a field written by appendCsvField reads back as the same text (never for a text with a
// line break).
bool csvFieldReadsBack(std::string_view text, const CsvSyntax& syntax);

// True when a field written by appendCsvField reads back as more than one field: a comma that the
// quoting cannot hold moves the rest of the text into the columns after it.
bool csvFieldSplits(std::string_view text, const CsvSyntax& syntax);

// The number of columns of a header line: commas outside double-quoted text (a doubled quotation mark
// inside quotes stands for one), plus one. Used whatever the file's own quoting is.
unsigned countCsvColumns(std::string_view line);

// Numbers of a field as stream extraction reads them, without regard to the locale: leading blanks,
// the longest number, trailing characters ignored. A field that does not begin with a number gives
// not-a-number (real) or 100 (percentage).
double csvReal(std::string_view field);
// The whole number a field begins with, or 100 when it begins with none that fits. `read`, where
// given, is set false when that is not what the field says: it holds more than a whole number and a
// percent sign ("50.5", "70abc", "1e2" give 50, 70 and 1) or one beyond any a percentage holds, or no
// number; true otherwise (a blank field is a missing one).
int csvPercentage(std::string_view field, bool* read = nullptr);

} // namespace ORBAX_Logging
