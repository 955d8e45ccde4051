// Every problem of the reader with its code, severity, text and line number; the stop rule after
// an error; and the same line numbers when the file has Windows line ends.
#include <gtest/gtest.h>

#include "tests/config/configfile/ConfigTestTables.h"

using namespace ConfigTest;

namespace {

const std::string Header = "Quorlog Configuration v3\n";

struct Case {
    const char* title;
    std::string body;
    std::uint32_t word;
    std::wstring text;
};

class ConfigMessages : public ConfigFixture {
protected:
    ConfigMessageList read(const std::string& text)
    {
        config.ResetConfiguration();
        ConfigMessageList messages;
        config.ReadConfigurationText(text, L"cfg.txt", messages);
        return messages;
    }
    static std::string withCrLf(const std::string& text)
    {
        std::string out;
        for (char c : text) {
            if (c == '\n')
                out += '\r';
            out += c;
        }
        return out;
    }
};

TEST_F(ConfigMessages, EachProblemHasItsCodeSeverityTextAndLine)
{
    const std::vector<Case> cases = {
        {"section word", "\nBitmap {\n}\n", 0x3000E,
         L"Unrecognised section \"Bitmap\" in configuration file on line 3"},
        {"missing section brace", "Bitmaps\n  Coal mono 4 \"0x1\"\n", 0x30005,
         L"Format problem with configuration file on line 3"},
        {"bitmap kind", "Bitmaps {\n  Coal jpeg\n  Sand mono 4 \"0x1\" }", 0x30005,
         L"Format problem with configuration file on line 3"},
        {"bitmap width", "Bitmaps {\n  Coal mono wide \"0x1\" }", 0x30005,
         L"Format problem with configuration file on line 3"},
        {"bitmap file", "Bitmaps {\n  Sand rgb\n  \"no/such/file.png\"\n}", 0x20008, L""},
        {"vector size", "Vectors {\n  V (1, 2, 3) 10\n  0 { }\n}", 0x3002E,
         L"Vector V has height or width less than or equal to zero on line 4"},
        {"vector negative size", "Vectors { V (1, 2, 3) -10 10 { } }", 0x3002E,
         L"Vector V has height or width less than or equal to zero on line 2"},
        {"vector primitive", "Vectors {\n V (1, 2, 3) 10 10 {\n   square 1 2\n }\n}", 0x30005,
         L"Unrecognized drawing primitive \"square\" on line 5"},
        {"hatch entry kind", "Definitions {\n L {\n  Picture P { ROCK }\n }\n}", 0x30005,
         L"Format problem with configuration file on line 4"},
        {"hatch unresolved", "Definitions {\n L {\n  Bitmap Missing { A, B }\n }\n}", 0x20006,
         L"In the L hatch list, the bitmap name for the \"A\" rocktype element (Missing) does not exist in the list "
         L"of bitmaps (line 4)"},
        {"site name", "Correlations {\n  ( }", 0x3001B, L"Expected a name in the config file on line 3, got ( instead"},
        {"ply name", "Correlations {\n  S { A { p ( } } }", 0x30005,
         L"Format problem with configuration file on line 3"},
        {"trace colour", "Traces {\n  GR 0 100 PINK 1 Y\n}", 0x30009, L"Unrecognised colour PINK on line 3"},
        {"trace flag", "Traces {\n  GR 0 100 RED 1 Maybe\n}", 0x3000A, L"Unrecognised boolean flag Maybe on line 3"},
        {"trace number", "Traces {\n  GR low 100 RED 1 Y\n}", 0x30005,
         L"Format problem with configuration file on line 3"},
        {"trace infinite", "Traces {\n  GR 1e999 100 RED 1 Y\n}", 0x30005,
         L"Format problem with configuration file on line 3"},
        {"vector infinite", "Vectors {\n  V (1, 2, 3) 1e999 10 { }\n}", 0x30005,
         L"Format problem with configuration file on line 3"},
        {"trace end", "Traces {\n  GR 0 100 RED 1", 0x30005, L"Format problem with configuration file on line 3"},
        {"schema kind", "SchemaDefinitions {\n S {\n  ROCKTYPE r\n  DEPTH d\n }\n}", 0x3001A,
         L"Unrecognised record type DEPTH on line 5"},
        {"schema duplicate of the built-in one", "SchemaDefinitions {\n BASIC { ROCKTYPE r BOTTOM b }\n}", 0x30030,
         L"Duplicate SchemaDefinition name \"BASIC\" in configuration file on line 3."},
    };
    for (const Case& c : cases) {
        for (bool crlf : {false, true}) {
            const std::string text = Header + c.body;
            const ConfigMessageList messages = read(crlf ? withCrLf(text) : text);
            ASSERT_FALSE(messages.empty()) << c.title;
            EXPECT_EQ(messages[0].word(), c.word) << c.title << (crlf ? " (CR LF)" : "") << "\n" << describe(messages);
            if (!c.text.empty()) {
                EXPECT_EQ(messages[0].text, c.text) << c.title << (crlf ? " (CR LF)" : "");
            }
        }
    }
}

TEST_F(ConfigMessages, HeaderProblems)
{
    ConfigMessageList messages = read("");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].word(), 0x30003u);
    EXPECT_EQ(messages[0].text,
              L"cfg.txt does not appear to be a configuration file (needs to start with Quorlog Configuration v3)");

    messages = read("quorlog configuration v2 old\r\nBitmaps { }");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              L"Wrong version of configuration file for this version of QuorLog (quorlog configuration v2 old)");

    EXPECT_TRUE(read("QUORLOG CONFIGURATION V3 and more\nBitmaps { }").empty());
    // A byte-order mark is not the header.
    EXPECT_EQ(read("\xEF\xBB\xBFQuorlog Configuration v3\n").at(0).code, 3);
}

TEST_F(ConfigMessages, ReadingStopsAfterTheSectionOfTheFirstErrorButNotAfterWarnings)
{
    ConfigMessageList messages = read(Header + "Vectors { V (1, 2, 3) 0 10 { } }\nBitmaps { B mono 4 \"0x1\" }\n");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(tables.bitmaps.empty());
    // What was read before the stop stays, the failing record included.
    EXPECT_EQ(tables.vectors.size(), 1u);

    messages = read(Header + "Definitions { L { Bitmap B { X } } }\n\"Bitmaps\" { B mono 4 \"0x1\" }\n");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].severity, 2);
    EXPECT_EQ(tables.bitmaps.size(), 1u);
    EXPECT_EQ(tables.hatchLists.begin()->second.entries[0].patternId, 0);

    // The end of the file after a whole record ends reading without a message; inside a record, the
    // cut record is named with its line, whatever the section.
    EXPECT_TRUE(read(Header + "Bitmaps {\n B mono 4 \"0x1\"\n").empty());
    EXPECT_EQ(tables.bitmaps.size(), 1u);
    for (const std::string& cut :
         {std::string("Definitions {\n L { Inbuilt black { X } }\n Main {\n  Inbuilt black { Y }\n"),
          std::string("Correlations {\n S { A }\n Main { A { p"),
          std::string("Traces {\n GR 0 1 red 1 Y\n Main PATTERN")}) {
        messages = read(Header + cut);
        ASSERT_EQ(messages.size(), 1u) << cut;
        EXPECT_EQ(messages[0].word(), 0x20035u);
        EXPECT_EQ(messages[0].text, L"The configuration file ends inside the record \"Main\" that begins on line 4: "
                                    L"the file is cut short, and that record is not read whole.");
    }
}

TEST_F(ConfigMessages, RepeatedRecordsMergeOrReplace)
{
    ConfigMessageList messages = read(Header + "Bitmaps { B mono 4 \"0x1\" B mono 8 \"0xFF 0xFF\" b mono 4 \"0x2\" }\n"
                                               "Correlations { S { A { p q } B C } }\n"
                                               "Correlations { S { D } }\n"
                                               "Definitions { L { Bitmap B { ONE , TWO  PARTS } } }\n"
                                               "Definitions { L { Inbuilt black { THREE } } }\n");
    EXPECT_TRUE(messages.empty()) << describe(messages);
    ASSERT_EQ(tables.bitmaps.size(), 2u); // names compare exactly
    EXPECT_EQ(tables.bitmaps.begin()->second.width, 8);
    EXPECT_EQ(tables.bitmaps.begin()->second.height, 2);

    ASSERT_EQ(tables.correlations.size(), 1u);
    const CorrelationDefinition& site = tables.correlations.begin()->second;
    ASSERT_EQ(site.seams.size(), 4u);
    EXPECT_EQ(site.seams[0].plies.size(), 2u);
    EXPECT_EQ(site.seams[3].name, L"D");

    const HatchList& list = tables.hatchLists.begin()->second;
    ASSERT_EQ(list.entries.size(), 3u);
    EXPECT_EQ(list.entries[1].rockType, L"TWO  PARTS");
    EXPECT_EQ(list.entries[2].patternId, 1); // inbuilt names resolve ignoring case
}

TEST_F(ConfigMessages, TraceRecordsAreReadByTokensNotLines)
{
    ConfigMessageList messages = read(Header + "Traces {\n"
                                               "  \"^GR|SGR\" PATTERN\n     -1.5e+02 2E-3 Olive\n 2 Yes\n"
                                               "  SP invisible NPHI -0.15 0.45 teal 3 0\n"
                                               "}\n");
    EXPECT_TRUE(messages.empty()) << describe(messages);
    ASSERT_EQ(tables.traceDefinitions.size(), 3u);
    EXPECT_DOUBLE_EQ(tables.traceDefinitions[0].minimum, -150);
    EXPECT_DOUBLE_EQ(tables.traceDefinitions[0].maximum, 0.002);
    EXPECT_EQ(tables.traceDefinitions[0].colourIndex, 12);
    EXPECT_FALSE(tables.traceDefinitions[0].ownRange);
    EXPECT_FALSE(tables.traceDefinitions[1].visible);
    EXPECT_EQ(tables.traceDefinitions[2].name, "NPHI");
    EXPECT_EQ(tables.traceDefinitions[2].pattern, 0);
    EXPECT_TRUE(tables.traceDefinitions[2].ownRange);

    // An unknown colour leaves a usable definition in the table.
    messages = read(Header + "Traces { GR 0 1 PINK 1 Y }");
    ASSERT_EQ(tables.traceDefinitions.size(), 1u);
    EXPECT_GE(tables.traceDefinitions[0].colourIndex, 0);
    EXPECT_LT(tables.traceDefinitions[0].colourIndex, 17);
}

TEST_F(ConfigMessages, VectorElementBlocksMayHoldBracesAndComments)
{
    ConfigMessageList messages = read(Header + "Vectors {\n"
                                               "  V (1, 2, 3) 10 10 {\n"
                                               "     # a comment with } and {\n"
                                               "     line 5 (0, 0, 0) dash { 0, 0; 10, 10 }\n"
                                               "     fillpoly (9, 9, 9) { 0, 0; 10, 0; 5, 5 }\n"
                                               "  }\n"
                                               "  W (1, 2, 3) 10 10 { rect (0, 0, 0) 0 0 5 5 }\n"
                                               "}\n");
    EXPECT_TRUE(messages.empty()) << describe(messages);
    ASSERT_EQ(tables.vectors.size(), 2u);
    EXPECT_EQ(tables.vectors.begin()->second.elements.size(), 2u);
    EXPECT_EQ(std::next(tables.vectors.begin())->second.elements.size(), 1u);
}

} // namespace
