// The CSV field grammar: quoting styles, quote-in-quote modes, the escape character, text after a
// closing quote, line ends inside quotes, and the writer's fields reading back.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/csv/CsvFields.h"

using namespace ORBAX_Logging;

namespace {

CsvSyntax syntax(int quoting, int quoteQuote = 0, char escape = '\\')
{
    CsvSyntax s;
    s.quoting = quoting;
    s.quoteQuote = quoteQuote;
    s.escape = escape;
    return s;
}

std::vector<std::vector<std::string>> rows(const std::string& bytes, const CsvSyntax& s)
{
    CsvRowReader reader(bytes, s);
    std::vector<std::vector<std::string>> out;
    std::vector<std::string> fields;
    while (reader.nextRow(fields))
        out.push_back(fields);
    return out;
}

using Row = std::vector<std::string>;

} // namespace

TEST(CsvGrammar, QuotingStylesChooseTheQuoteCharacter)
{
    const std::string line = "\"a,b\",'c,d',e\n";
    EXPECT_EQ(rows(line, syntax(0)), (std::vector<Row>{{"\"a", "b\"", "'c", "d'", "e"}}));
    EXPECT_EQ(rows(line, syntax(1)), (std::vector<Row>{{"a,b", "'c", "d'", "e"}}));
    // The apostrophe quotes in style 2, the same character its writer puts around fields.
    EXPECT_EQ(rows(line, syntax(2)), (std::vector<Row>{{"\"a", "b\"", "c,d", "e"}}));
}

TEST(CsvGrammar, OnlyAFieldThatStartsWithTheQuoteIsQuoted)
{
    EXPECT_EQ(rows("a\"b,c\n", syntax(1)), (std::vector<Row>{{"a\"b", "c"}}));
    // Text after a closing quote is kept up to the next comma.
    EXPECT_EQ(rows("\"ab\"cd,e\n", syntax(1)), (std::vector<Row>{{"abcd", "e"}}));
    EXPECT_EQ(rows("\"\",x\n", syntax(1)), (std::vector<Row>{{"", "x"}}));
}

TEST(CsvGrammar, DoubledQuotesStandForOne)
{
    EXPECT_EQ(rows("\"say \"\"hi\"\", ok\",2\n", syntax(1, 0)), (std::vector<Row>{{"say \"hi\", ok", "2"}}));
    EXPECT_EQ(rows("'it''s',2\n", syntax(2, 0)), (std::vector<Row>{{"it's", "2"}}));
}

TEST(CsvGrammar, EscapeCharacterMode)
{
    const CsvSyntax s = syntax(1, 1, '\\');
    EXPECT_EQ(rows("\"a\\\"b\",c\n", s), (std::vector<Row>{{"a\"b", "c"}}));
    EXPECT_EQ(rows("\"a\\\\b\",c\n", s), (std::vector<Row>{{"a\\b", "c"}}));
    // Before any other byte the escape character is kept and the byte read normally.
    EXPECT_EQ(rows("\"a\\nb\",c\n", s), (std::vector<Row>{{"a\\nb", "c"}}));
    // An unescaped quote closes; as the last byte of a line the escape character closes too.
    EXPECT_EQ(rows("\"a\"x,c\n", s), (std::vector<Row>{{"ax", "c"}}));
    EXPECT_EQ(rows("x,\"ab\\\nnext,row\n", s), (std::vector<Row>{{"x", "ab"}, {"next", "row"}}));
    // Another escape character.
    EXPECT_EQ(rows("\"a#\"b##\",c\n", syntax(1, 1, '#')), (std::vector<Row>{{"a\"b#", "c"}}));
}

TEST(CsvGrammar, NoEscapingModeClosesOnlyAtTheFieldEnd)
{
    const CsvSyntax s = syntax(1, 2);
    EXPECT_EQ(rows("\"a\"b\",c\n", s), (std::vector<Row>{{"a\"b", "c"}}));
    EXPECT_EQ(rows("\"x,y\"\n", s), (std::vector<Row>{{"x,y"}}));
    EXPECT_EQ(rows("\"ends\"\"\n", s), (std::vector<Row>{{"ends\""}}));
}

TEST(CsvGrammar, LineEndsEmptyLinesAndCarriageReturns)
{
    // A carriage return before the line feed is dropped; an empty line ends the data.
    EXPECT_EQ(rows("a,b\r\nc,d\r\n\r\ne,f\r\n", syntax(1)), (std::vector<Row>{{"a", "b"}, {"c", "d"}}));
    // The last line may lack its line feed; a lone carriage return ends a line too (old Mac files),
    // inside quotes or not.
    EXPECT_EQ(rows("a\rb,c\r\"d\re\r", syntax(1)), (std::vector<Row>{{"a"}, {"b", "c"}, {"d"}, {"e"}}));
    EXPECT_EQ(rows("a,\n", syntax(1)), (std::vector<Row>{{"a", ""}}));
}

TEST(CsvGrammar, TheEndOfALineEndsTheFieldAndTheRowInsideQuotesOrNot)
{
    // A stray quote: the rows after it are read, and the reader tells which line ended inside quotes.
    CsvRowReader reader("a,\"open quote\r\nCLAY,\"stiff\"\n\"one\ntwo\",x\n", syntax(1));
    std::vector<std::string> fields;
    ASSERT_TRUE(reader.nextRow(fields));
    EXPECT_EQ(fields, (Row{"a", "open quote"}));
    EXPECT_TRUE(reader.unterminated());
    EXPECT_EQ(reader.rowLine(), 1u);
    ASSERT_TRUE(reader.nextRow(fields));
    EXPECT_EQ(fields, (Row{"CLAY", "stiff"}));
    EXPECT_FALSE(reader.unterminated());
    // A spreadsheet's multi-line field gives two rows, the first of them unterminated.
    ASSERT_TRUE(reader.nextRow(fields));
    EXPECT_EQ(fields, (Row{"one"}));
    EXPECT_TRUE(reader.unterminated());
    EXPECT_EQ(reader.rowLine(), 3u);
    ASSERT_TRUE(reader.nextRow(fields));
    EXPECT_EQ(fields, (Row{"two\"", "x"}));
    EXPECT_EQ(reader.rowLine(), 4u);
    EXPECT_FALSE(reader.nextRow(fields));
    // Every quote-in-quote mode ends there, and so does the end of the file.
    for (int mode = 0; mode <= 2; ++mode)
        EXPECT_EQ(rows("\"a\"\"\nb,c\n", syntax(1, mode)).size(), 2u) << mode;
    CsvRowReader last("x,\"no end", syntax(1));
    ASSERT_TRUE(last.nextRow(fields));
    EXPECT_EQ(fields, (Row{"x", "no end"}));
    EXPECT_TRUE(last.unterminated());
}

TEST(CsvGrammar, FieldsBeyondTheLimitAreDropped)
{
    CsvRowReader reader("1,2,3,4\n5\n", syntax(1), 2);
    std::vector<std::string> fields;
    ASSERT_TRUE(reader.nextRow(fields));
    EXPECT_EQ(fields, (Row{"1", "2"}));
    ASSERT_TRUE(reader.nextRow(fields));
    EXPECT_EQ(fields, (Row{"5"}));
}

TEST(CsvWriterFields, QuotesOnlyWhenNeeded)
{
    auto written = [](const std::string& text, const CsvSyntax& s) {
        std::string out;
        appendCsvField(out, text, s);
        return out;
    };
    EXPECT_EQ(written("plain", syntax(1)), "plain");
    EXPECT_EQ(written("a,b", syntax(1)), "\"a,b\"");
    EXPECT_EQ(written("say \"x\", y", syntax(1, 0)), "\"say \"\"x\"\", y\"");
    EXPECT_EQ(written("say \"x\", y", syntax(1, 1)), "\"say \\\"x\\\", y\"");
    EXPECT_EQ(written("say \"x\", y", syntax(1, 2)), "\"say \"x\", y\"");
    // Style 2 quotes with the apostrophe; a double quotation mark alone needs no quotes there.
    EXPECT_EQ(written("a \"b\"", syntax(2)), "a \"b\"");
    EXPECT_EQ(written("it's", syntax(2)), "'it''s'");
    // A line break would end the row: it is written as a blank.
    EXPECT_EQ(written("two\nlines", syntax(1)), "two lines");
    EXPECT_EQ(written("a,b\r\nc", syntax(2)), "'a,b  c'");
    EXPECT_EQ(written("a,b", syntax(0)), "a,b");
}

TEST(CsvWriterFields, EveryFieldReadsBack)
{
    const std::vector<std::string> texts = {
        "",
        "plain",
        "a,b",
        "\"",
        "\"\"",
        "'",
        "x\"",
        "\"x",
        "a\\",
        "\\\"",
        "a\\\\b",
        "line\nbreak",
        "crlf\r\nbreak",
        ",",
        "\n",
        "end,",
        "caf\xE9 \x80\xFF",
        "  blanks  ",
        "'a','b'",
    };
    for (int quoting = 1; quoting <= 2; ++quoting) {
        for (int mode = 0; mode <= 2; ++mode) {
            for (char escape : {'\\', '#', '\n'}) {
                const CsvSyntax s = syntax(quoting, mode, escape);
                for (const std::string& text : texts) {
                    std::string line;
                    appendCsvField(line, text, s);
                    // Never a line end inside a field, whatever it holds and whatever the escape.
                    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << " [" << text << "]";
                    if (!csvFieldReadsBack(text, s))
                        continue;
                    line += ",next\n";
                    const auto got = rows(line, s);
                    ASSERT_EQ(got.size(), 1u) << quoting << mode << escape << " [" << text << "]";
                    EXPECT_EQ(got[0], (Row{text, "next"})) << quoting << mode << escape << " [" << line << "]";
                }
            }
        }
    }
}

TEST(CsvWriterFields, UnsafeTextsAreRecognised)
{
    EXPECT_FALSE(csvFieldReadsBack("a,b", syntax(0)));
    EXPECT_FALSE(csvFieldReadsBack("a\nb", syntax(0)));
    EXPECT_FALSE(csvFieldReadsBack("a\nb", syntax(1)));
    EXPECT_TRUE(csvFieldReadsBack("a\"b", syntax(0)));
    EXPECT_FALSE(csvFieldReadsBack("x\",y", syntax(1, 2)));
    EXPECT_TRUE(csvFieldReadsBack("x\",y", syntax(1, 0)));
    EXPECT_TRUE(csvFieldReadsBack("x\",y", syntax(1, 1)));
}

TEST(CsvColumns, CountsCommasOutsideDoubleQuotes)
{
    EXPECT_EQ(countCsvColumns("Rock,Percent,Bottom"), 3u);
    EXPECT_EQ(countCsvColumns(""), 1u);
    EXPECT_EQ(countCsvColumns("Rock,\"Depth, m\",Seam"), 3u);
    EXPECT_EQ(countCsvColumns("\"a \"\"q,\"\" b\",c"), 2u);
    // Only a field that starts with the quote is quoted; apostrophes never quote here.
    EXPECT_EQ(countCsvColumns("a\"b,\"c,d\",e"), 3u);
    EXPECT_EQ(countCsvColumns("'a,b',c"), 3u);
}

TEST(CsvNumbers, StreamExtractionRules)
{
    EXPECT_DOUBLE_EQ(csvReal(" 2.5m"), 2.5);
    EXPECT_DOUBLE_EQ(csvReal("2m"), 2.0);
    EXPECT_TRUE(std::isnan(csvReal("m")));
    EXPECT_TRUE(std::isnan(csvReal("")));
    EXPECT_TRUE(std::isnan(csvReal("inf")));
    EXPECT_EQ(csvPercentage("60"), 60);
    EXPECT_EQ(csvPercentage("12abc"), 12);
    EXPECT_EQ(csvPercentage(""), 100);
    EXPECT_EQ(csvPercentage("abc"), 100);
    EXPECT_EQ(csvPercentage("99999999999999999999"), 100);
}

// A row's characters are counted as its fields are built, those past the kept fields and a doubled
// quote (one character) included: a row of exactly the limit is read, one more stops the reader for
// good, without the row.
TEST(CsvGrammar, ARowLongerThanItsLimitStopsTheReader)
{
    CsvRowReader reader("ab,\"c\"\"d\",e\nabc,\"\"\"\"\"\",xy\nlast\n", syntax(1), 2);
    reader.limitRowCharacters(6);
    std::vector<std::string> fields;
    ASSERT_TRUE(reader.nextRow(fields));
    EXPECT_EQ(fields, (Row{"ab", "c\"d"}));
    EXPECT_FALSE(reader.rowTooLong());
    EXPECT_FALSE(reader.nextRow(fields));
    EXPECT_TRUE(reader.rowTooLong());
    EXPECT_TRUE(fields.empty());
    EXPECT_FALSE(reader.nextRow(fields));
}
