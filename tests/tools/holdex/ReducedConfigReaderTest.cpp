#include <gtest/gtest.h>

#include "core/configfile/ConfigSchemaSection.h"
#include "platform/Text.h"
#include "tests/support/TestSupport.h"
#include "tools/holdex/ReducedConfigReader.h"

using ORBAX_Logging::SchemaDefinitionList;

namespace {

struct ReadResult {
    ConfigMessageList problems;
    SchemaDefinitionList schemas;

    std::vector<std::wstring> names() const
    {
        std::vector<std::wstring> out;
        for (const auto& schema : schemas)
            out.push_back(schema->name);
        return out;
    }
};

ReadResult readText(const std::string& text)
{
    ReadResult result;
    Holdex::read_configuration_schemas_text(text, L"QuorLogConfig.txt", result.problems, result.schemas);
    return result;
}

const std::string header = "Quorlog Configuration v3\n";

TEST(ReducedConfigReader, MissingFile)
{
    ReadResult result;
    Holdex::read_configuration_schemas("no/such/QuorLogConfig.txt", true, result.problems, result.schemas);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].word(), 0x30001u);
    EXPECT_EQ(result.problems[0].text, L"Unable to open no/such/QuorLogConfig.txt\n(No such file or directory)");
    EXPECT_TRUE(result.schemas.empty());
}

TEST(ReducedConfigReader, Header)
{
    auto upper =
        readText("QUORLOG CONFIGURATION V3 written by hand\nSchemaDefinitions { A { ROCKTYPE R BOTTOM B } }\n");
    EXPECT_TRUE(upper.problems.empty());
    EXPECT_EQ(upper.names(), std::vector<std::wstring>{L"A"});

    auto version2 = readText("Quorlog Configuration v2\nSchemaDefinitions { A { ROCKTYPE R BOTTOM B } }\n");
    ASSERT_EQ(version2.problems.size(), 1u);
    EXPECT_EQ(version2.problems[0].word(), 0x30004u);
    EXPECT_EQ(version2.problems[0].text,
              L"Wrong version of configuration file for this version of QuorLog (Quorlog Configuration v2)");
    EXPECT_TRUE(version2.schemas.empty());

    QuorTest::TempDir dir;
    const std::string path = (dir / "notes.txt").string();
    QuorTest::write_file(path, "Some notes\n");
    ReadResult other;
    Holdex::read_configuration_schemas(path, true, other.problems, other.schemas);
    ASSERT_EQ(other.problems.size(), 1u);
    EXPECT_EQ(other.problems[0].word(), 0x30003u);
    EXPECT_EQ(other.problems[0].text,
              ORBAX_Platform::widen_cp1252(path) +
                  L" does not appear to be a configuration file (needs to start with Quorlog Configuration v3)");

    auto empty = readText("");
    ASSERT_EQ(empty.problems.size(), 1u);
    EXPECT_EQ(empty.problems[0].word(), 0x30003u);
}

TEST(ReducedConfigReader, OtherSectionsAreSkippedWhole)
{
    auto result = readText(header + "Bitmaps {\n"
                                    "   Sand mono 8 \"0xFF 0xF7\" whatever = ( 1, 2 ) {\n"
                                    "   Nested { deeper { } } }\n"
                                    "   SchemaDefinitions { NotASchema { ROCKTYPE R BOTTOM B } }\n"
                                    "}\n"
                                    "Traces { \"GR\" 0 150 Green 1 Y }\n"
                                    "schemadefinitions {\n"
                                    "   Short { ROCKTYPE \"Lith\" BOTTOM \"Depth\" }\n"
                                    "   \"Long name\" { ROCKTYPE R PERCENTAGE P THICKNESS T }\n"
                                    "}\n"
                                    "Vectors { }\n");
    EXPECT_TRUE(result.problems.empty()) << (result.problems.empty() ? ""
                                                                     : std::string(result.problems[0].text.begin(),
                                                                                   result.problems[0].text.end()));
    EXPECT_EQ(result.names(), (std::vector<std::wstring>{L"Short", L"Long name"}));
    ASSERT_EQ(result.schemas.front()->fields.size(), 2u);
    EXPECT_EQ(result.schemas.front()->fields[1].name, L"Depth");
}

TEST(ReducedConfigReader, QuotedBracesCountWhileSkipping)
{
    // The quoted "}" ends the skipped section, so the schemas after it are read.
    auto result = readText(header + "Definitions { Name \"}\"\nSchemaDefinitions { S { ROCKTYPE R BOTTOM B } }\n");
    EXPECT_TRUE(result.problems.empty());
    EXPECT_EQ(result.names(), std::vector<std::wstring>{L"S"});

    auto opened = readText(header + "Definitions { \"{\" } }\nSchemaDefinitions { S { ROCKTYPE R BOTTOM B } }\n");
    EXPECT_TRUE(opened.problems.empty());
    EXPECT_EQ(opened.names(), std::vector<std::wstring>{L"S"});
}

TEST(ReducedConfigReader, UnrecognisedSectionEndsReading)
{
    for (const std::string lineEnd : {"\n", "\r\n"}) {
        auto result = readText("Quorlog Configuration v3" + lineEnd + "# comment" + lineEnd + "Stray word" + lineEnd +
                               "SchemaDefinitions { S { ROCKTYPE R BOTTOM B } }" + lineEnd);
        ASSERT_EQ(result.problems.size(), 1u);
        EXPECT_EQ(result.problems[0].word(), 0x3000Eu);
        EXPECT_EQ(result.problems[0].text, L"Unrecognised section \"Stray\" in configuration file on line 3");
        EXPECT_TRUE(result.schemas.empty());
    }
}

TEST(ReducedConfigReader, DuplicateSchemaEndsReading)
{
    auto result = readText(header + "SchemaDefinitions {\n"
                                    "  Coal { ROCKTYPE R BOTTOM B }\n"
                                    "  COAL { ROCKTYPE R BOTTOM B THICKNESS T }\n"
                                    "  After { ROCKTYPE R BOTTOM B }\n"
                                    "}\n"
                                    "SchemaDefinitions { Later { ROCKTYPE R BOTTOM B } }\n");
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].word(), 0x30030u);
    EXPECT_EQ(result.problems[0].text, L"Duplicate SchemaDefinition name \"COAL\" in configuration file on line 4.");
    EXPECT_EQ(result.names(), std::vector<std::wstring>{L"Coal"});
    EXPECT_EQ(result.schemas.front()->fields.size(), 2u);
}

TEST(ReducedConfigReader, NoBuiltInSchemas)
{
    auto result = readText(header + "SchemaDefinitions { Basic { ROCKTYPE R BOTTOM B } }\n");
    EXPECT_TRUE(result.problems.empty());
    EXPECT_EQ(result.names(), std::vector<std::wstring>{L"Basic"});
}

TEST(ReducedConfigReader, WarningsDoNotStopReading)
{
    // A schema without a rock type is kept with a warning; reading goes on.
    auto result = readText(header + "SchemaDefinitions { NoRock { BOTTOM B } Good { ROCKTYPE R BOTTOM B } }\n");
    ASSERT_FALSE(result.problems.empty());
    EXPECT_EQ(result.problems[0].severity, 2);
    EXPECT_FALSE(HasConfigFailure(result.problems));
    EXPECT_EQ(result.names(), (std::vector<std::wstring>{L"NoRock", L"Good"}));
}

} // namespace
