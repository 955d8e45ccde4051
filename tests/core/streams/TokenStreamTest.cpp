#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/streams/TokenStream.h"

using ORBAX_Utilities::TokenStream;

namespace {

// Every token of a text as (kind, text) pairs, up to the end.
template <class CharT>
std::vector<std::pair<int, std::basic_string<CharT>>> all_tokens(const std::basic_string<CharT>& text)
{
    std::basic_stringbuf<CharT> buffer(text);
    TokenStream<CharT> in(&buffer);
    std::vector<std::pair<int, std::basic_string<CharT>>> tokens;
    std::basic_string<CharT> token, blanks;
    for (int kind; (kind = in.nextToken(token, blanks)) != 0;)
        tokens.emplace_back(kind, token);
    return tokens;
}

using Tokens = std::vector<std::pair<int, std::string>>;
using WideTokens = std::vector<std::pair<int, std::wstring>>;

} // namespace

TEST(TokenStream, TokenKinds)
{
    EXPECT_EQ(all_tokens<char>("abc_1 2.5x \"a b\" {"), (Tokens{{1, "abc_1"}, {2, "2.5x"}, {3, "\"a b\""}, {4, "{"}}));
    EXPECT_EQ(all_tokens<char>("_x9 .5 a.b 12abc 1.2.3"),
              (Tokens{{1, "_x9"}, {2, ".5"}, {1, "a"}, {2, ".b"}, {2, "12abc"}, {2, "1.2.3"}}));
    // Punctuation is one character per token, even when repeated.
    EXPECT_EQ(all_tokens<char>("{}(,)"), (Tokens{{4, "{"}, {4, "}"}, {4, "("}, {4, ","}, {4, ")"}}));
    // A byte outside ASCII is punctuation, so an unquoted accented name splits.
    EXPECT_EQ(all_tokens<char>("Gr\xE8s"), (Tokens{{1, "Gr"}, {4, "\xE8"}, {1, "s"}}));
    EXPECT_EQ(all_tokens<char>(""), Tokens{});
    EXPECT_EQ(all_tokens<char>(" \t\r\n"), Tokens{});
}

TEST(TokenStream, NumberGrammarHasNoSigns)
{
    // What a writer of numbers must keep in mind: signs and exponent signs are separate tokens.
    EXPECT_EQ(all_tokens<char>("-5"), (Tokens{{4, "-"}, {2, "5"}}));
    EXPECT_EQ(all_tokens<char>("+3"), (Tokens{{4, "+"}, {2, "3"}}));
    EXPECT_EQ(all_tokens<char>("1e5 2.5E10"), (Tokens{{2, "1e5"}, {2, "2.5E10"}}));
    EXPECT_EQ(all_tokens<char>("-1.5e-3"), (Tokens{{4, "-"}, {2, "1.5e"}, {4, "-"}, {2, "3"}}));
    EXPECT_EQ(all_tokens<char>("nan inf"), (Tokens{{1, "nan"}, {1, "inf"}}));
}

TEST(TokenStream, BlanksAndComments)
{
    std::stringbuf buffer("  # a comment { \" \n\tname#tail\n x");
    TokenStream<char> in(&buffer);
    std::string token, blanks;
    EXPECT_EQ(in.nextToken(token, blanks), 1);
    EXPECT_EQ(token, "name");
    EXPECT_EQ(blanks, "  \t"); // neither the comment nor the newline ending it
    EXPECT_EQ(in.lineNumber(), 2);
    EXPECT_EQ(in.nextToken(token, blanks), 1);
    EXPECT_EQ(token, "x");
    EXPECT_EQ(blanks, " ");
    EXPECT_EQ(in.lineNumber(), 3);
    EXPECT_EQ(in.nextToken(token, blanks), 0);
    EXPECT_TRUE(token.empty());
    EXPECT_TRUE(blanks.empty());
    // Once at the end, the stream stays there.
    EXPECT_EQ(in.nextToken(token, blanks), 0);
}

TEST(TokenStream, LineCountsAcrossPutBacks)
{
    std::stringbuf buffer("word\n12\n\"two\nlines\"\n{\n# c\n\nlast");
    TokenStream<char> in(&buffer);
    std::string token, blanks;
    EXPECT_EQ(in.nextToken(token, blanks), 1);
    // The newline after the word was put back: still on the word's line.
    EXPECT_EQ(in.lineNumber(), 1);
    EXPECT_EQ(in.nextToken(token, blanks), 2);
    EXPECT_EQ(blanks, "\n");
    EXPECT_EQ(in.lineNumber(), 2);
    EXPECT_EQ(in.nextToken(token, blanks), 3);
    EXPECT_EQ(token, "\"two\nlines\"");
    EXPECT_EQ(in.lineNumber(), 4);
    EXPECT_EQ(in.nextToken(token, blanks), 4);
    EXPECT_EQ(in.lineNumber(), 5);
    EXPECT_EQ(in.nextToken(token, blanks), 1);
    EXPECT_EQ(token, "last");
    EXPECT_EQ(in.lineNumber(), 8);

    std::stringbuf other("a\nb");
    TokenStream<char> from10(&other);
    from10.setLineNumber(10);
    EXPECT_EQ(from10.nextToken(token, blanks), 1);
    EXPECT_EQ(from10.lineNumber(), 10);
    EXPECT_EQ(from10.nextToken(token, blanks), 1);
    EXPECT_EQ(from10.lineNumber(), 11);
}

TEST(TokenStream, StreamNotGoodGivesEnd)
{
    std::stringbuf buffer("abc");
    TokenStream<char> in(&buffer);
    in.setstate(std::ios::failbit);
    std::string token = "x", blanks = "y";
    EXPECT_EQ(in.nextToken(token, blanks), 0);
    EXPECT_TRUE(token.empty());
    EXPECT_TRUE(blanks.empty());

    TokenStream<char> none(nullptr);
    EXPECT_EQ(none.nextToken(token, blanks), 0);
}

TEST(TokenStream, WordOrStringDropsQuotes)
{
    std::stringbuf buffer("\"a b\" word \"\" \"open");
    TokenStream<char> in(&buffer);
    std::string token;
    EXPECT_EQ(in.nextWordOrString(token), 3);
    EXPECT_EQ(token, "a b");
    EXPECT_EQ(in.nextWordOrString(token), 1);
    EXPECT_EQ(token, "word");
    EXPECT_EQ(in.nextWordOrString(token), 3);
    EXPECT_EQ(token, "");
    // Unterminated at the end of input: only the opening quote goes.
    EXPECT_EQ(in.nextWordOrString(token), 3);
    EXPECT_EQ(token, "open");

    std::stringbuf lone("\"");
    TokenStream<char> single(&lone);
    EXPECT_EQ(single.nextWordOrString(token), 3);
    EXPECT_EQ(token, "");
}

TEST(TokenStream, ReadColour)
{
    auto colour_of = [](const std::string& text, bool& ok) {
        std::stringbuf buffer(text);
        TokenStream<char> in(&buffer);
        std::uint32_t colour = 0xDEADBEEF;
        ok = in.readColour(colour);
        return colour;
    };
    bool ok = false;
    EXPECT_EQ(colour_of("( 10 , 20 , 30 )", ok), 0x1E140Au);
    EXPECT_TRUE(ok);
    EXPECT_EQ(colour_of("\n  0x0A141E", ok), 0x1E140Au);
    EXPECT_TRUE(ok);
    EXPECT_EQ(colour_of("0Xff0080", ok), 0x8000FFu);
    EXPECT_TRUE(ok);
    // Only the low eight bits of each number count.
    EXPECT_EQ(colour_of("(256,257,300)", ok), 0x2C0100u);
    EXPECT_TRUE(ok);

    for (const char* bad : {"(10 20 30)", "(10, 20, 30", "(10, 20; 30)", "0x", "0xg", "07", "red", "", "0x1FFFFFFFF"}) {
        EXPECT_EQ(colour_of(bad, ok), 0xDEADBEEFu) << bad;
        EXPECT_FALSE(ok) << bad;
    }

    // The stream goes on after the colour.
    std::stringbuf buffer("(1,2,3) next");
    TokenStream<char> in(&buffer);
    std::uint32_t colour = 0;
    ASSERT_TRUE(in.readColour(colour));
    std::string token;
    EXPECT_EQ(in.nextWordOrString(token), 1);
    EXPECT_EQ(token, "next");
}

TEST(TokenStream, RawBodies)
{
    std::stringbuf buffer("}abc # note\ndef} rest");
    TokenStream<char> in(&buffer);
    std::string text;
    EXPECT_TRUE(in.readRawUntilBrace(text));
    EXPECT_EQ(text, "abc \ndef");
    EXPECT_EQ(in.lineNumber(), 2);
    EXPECT_EQ(in.get(), '}');

    std::stringbuf empty("}}");
    TokenStream<char> none(&empty);
    EXPECT_FALSE(none.readRawUntilBrace(text));
    EXPECT_TRUE(text.empty());

    std::stringbuf block("a { b } c } d");
    TokenStream<char> blocks(&block);
    EXPECT_TRUE(blocks.skipBlock(text));
    EXPECT_EQ(text, "a { b } c ");
    std::string token, blanks;
    EXPECT_EQ(blocks.nextToken(token, blanks), 1);
    EXPECT_EQ(token, "d");

    // Braces in strings and comments do not count; the lines inside the body are counted once.
    std::stringbuf tricky("1,2 \"}\" # } here\n;3,4\n}\nafter");
    TokenStream<char> trickyIn(&tricky);
    EXPECT_TRUE(trickyIn.skipBlock(text));
    EXPECT_EQ(text, "1,2 \"}\" # } here\n;3,4\n");
    EXPECT_EQ(trickyIn.lineNumber(), 3);
    EXPECT_EQ(trickyIn.nextToken(token, blanks), 1);
    EXPECT_EQ(token, "after");
    EXPECT_EQ(trickyIn.lineNumber(), 4);

    std::stringbuf open("a { b }");
    TokenStream<char> unfinished(&open);
    EXPECT_FALSE(unfinished.skipBlock(text));
}

TEST(TokenStream, LinesAndBlanks)
{
    std::stringbuf buffer("first line\n\nlast");
    TokenStream<char> in(&buffer);
    std::string text;
    EXPECT_TRUE(in.readLine(text));
    EXPECT_EQ(text, "first line");
    EXPECT_TRUE(in.readLine(text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(in.readLine(text));
    EXPECT_EQ(text, "last");
    EXPECT_EQ(in.lineNumber(), 3);
    EXPECT_FALSE(in.readLine(text));

    std::stringbuf blanks(" \n\t x");
    TokenStream<char> b(&blanks);
    EXPECT_TRUE(b.skipBlanks());
    EXPECT_EQ(b.lineNumber(), 2);
    EXPECT_EQ(b.get(), 'x');
    EXPECT_FALSE(b.skipBlanks());
}

TEST(TokenStream, CaseInsensitiveComparison)
{
    std::stringbuf buffer("");
    TokenStream<char> in(&buffer);
    EXPECT_EQ(in.compare_nocase_cstr("schemadefinitions", "SchemaDefinitions"), 0);
    EXPECT_LT(in.compare_nocase("Bitmap", "bitmaps"), 0);
    EXPECT_GT(in.compare_nocase("vectors", "Bitmaps"), 0);
    EXPECT_EQ(in.to_upper_copy("aB_1"), "AB_1");

    std::wstringbuf wbuffer(L"");
    TokenStream<wchar_t> win(&wbuffer);
    EXPECT_EQ(win.compare_nocase(L"gr\u00E8s", L"GR\u00C8S"), 0);
}

TEST(TokenStream, WideStreamAndKeywords)
{
    EXPECT_EQ(all_tokens<wchar_t>(L"line 5 (255, 0, 0) solid { 1,2 } \u00E9"), (WideTokens{{1, L"line"},
                                                                                           {2, L"5"},
                                                                                           {4, L"("},
                                                                                           {2, L"255"},
                                                                                           {4, L","},
                                                                                           {2, L"0"},
                                                                                           {4, L","},
                                                                                           {2, L"0"},
                                                                                           {4, L")"},
                                                                                           {1, L"solid"},
                                                                                           {4, L"{"},
                                                                                           {2, L"1"},
                                                                                           {4, L","},
                                                                                           {2, L"2"},
                                                                                           {4, L"}"},
                                                                                           {4, L"\u00E9"}}));

    std::wstringbuf buffer(L"dashdot\n (1, 2, 3)");
    TokenStreamPlus<wchar_t> in(&buffer);
    ASSERT_EQ(in.keywords().size(), 5u);
    EXPECT_EQ(in.keywords()[0], L"solid");
    EXPECT_EQ(in.keywords()[4], L"dashdotdot");
    std::wstring token;
    EXPECT_EQ(in.nextWordOrString(token), 1);
    EXPECT_EQ(token, in.keywords()[3]);
    std::uint32_t colour = 0;
    EXPECT_TRUE(in.readColour(colour));
    EXPECT_EQ(colour, 0x030201u);
    EXPECT_EQ(in.lineNumber(), 2);

    std::stringbuf narrow("");
    TokenStreamPlus<char> narrowIn(&narrow);
    EXPECT_EQ(narrowIn.keywords()[1], "dash");
}
