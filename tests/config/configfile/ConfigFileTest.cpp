// The configuration file as a whole: a sample with every section and record kind is read into the
// tables, written back, and read again to the same tables; a second write repeats the first byte for
// byte; names, numbers and rock types that are easy to write unreadably come back whole.
#include <cmath>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/config/configfile/ConfigTestTables.h"
#include "tests/support/TestSupport.h"

#include <QImage>

using namespace ConfigTest;

namespace {

TEST_F(ConfigFixture, SampleWithEverySectionLoadsWithoutProblems)
{
    ConfigMessageList messages;
    std::wstring loaded;
    config.programFolder = QuorTest::data_file("config/full");
    config.LoadConfiguration(messages, loaded);
    EXPECT_TRUE(messages.empty()) << describe(messages);
    EXPECT_EQ(loaded, ORBAX_Platform::wide_from_path(QuorTest::data_file("config/full/QuorLogConfig.txt")));

    // Bitmaps: two mono patterns (one with rows over two lines) and an image file found relative to
    // the program folder.
    ASSERT_EQ(tables.bitmaps.size(), 3u);
    const BitmapPattern& coal = bitmapNamed(L"Coal");
    EXPECT_EQ(coal.kind, BitmapPattern::Mono);
    EXPECT_EQ(coal.width, 8);
    EXPECT_EQ(coal.height, 4);
    const BitmapPattern& sand = bitmapNamed(L"Sand stone");
    EXPECT_EQ(sand.kind, BitmapPattern::ImageFile);
    EXPECT_EQ(sand.fileName, L"images/sand.png");
    EXPECT_EQ(sand.width, 4);
    EXPECT_EQ(bitmapNamed(L"Chequer").height, 4);

    // Vectors: every element kind; the block is read brace-balanced although lines hold braces.
    ASSERT_EQ(tables.vectors.size(), 2u);
    const VectorPattern& shale = vectorNamed(L"Shale");
    EXPECT_TRUE(shale.compiled);
    EXPECT_EQ(shale.colour, 0xFFC8C8C8u);
    EXPECT_FLOAT_EQ(shale.width, 10.0f);
    EXPECT_FLOAT_EQ(shale.height, 5.0f);
    ASSERT_EQ(shale.elements.size(), 6u);
    EXPECT_EQ(shale.elements[0].type, VectorPatternElement::Line);
    EXPECT_EQ(shale.elements[1].lineStyle, 5);
    EXPECT_EQ(shale.elements[1].dashes, (std::vector<float>{2, 1}));
    EXPECT_EQ(shale.elements[2].type, VectorPatternElement::Rect);
    EXPECT_EQ(shale.elements[3].type, VectorPatternElement::Circle);
    EXPECT_EQ(shale.elements[4].type, VectorPatternElement::FillCircle);
    EXPECT_EQ(shale.elements[5].type, VectorPatternElement::FillPoly);
    EXPECT_EQ(shale.elements[5].points.size(), 3u);
    const VectorPattern& limestone = vectorNamed(L"2 Limestone");
    EXPECT_EQ(limestone.colour, 0xFF00FF00u);
    EXPECT_TRUE(limestone.compiled);
    EXPECT_TRUE(limestone.elements.empty());

    // Hatch lists: the four kinds, rock types split at commas and trimmed, all resolved.
    ASSERT_EQ(tables.hatchLists.size(), 2u);
    const HatchList& standard = tables.hatchLists.begin()->second;
    EXPECT_EQ(standard.name, L"Standard");
    std::vector<std::wstring> rocks;
    for (const HatchListEntry& entry : standard.entries) {
        rocks.push_back(entry.rockType);
        EXPECT_NE(entry.patternId, 0) << entry.patternName;
    }
    EXPECT_EQ(rocks, (std::vector<std::wstring>{L"COAL", L"BRIGHT COAL", L"SANDSTONE", L"SHALE", L"LIMESTONE", L"MARL",
                                                L"NO CORE"}));
    EXPECT_EQ(standard.entries[3].kind, HatchListEntry::Isovector);
    EXPECT_EQ(standard.entries[4].kind, HatchListEntry::Anivector);
    EXPECT_EQ(standard.entries[6].kind, HatchListEntry::Inbuilt);
    EXPECT_EQ(standard.entries[6].patternId, 6);

    // Correlation sites with plies (one named by digits).
    ASSERT_EQ(tables.correlations.size(), 2u);
    const CorrelationDefinition& north = tables.correlations.begin()->second;
    ASSERT_EQ(north.seams.size(), 3u);
    EXPECT_EQ(north.seams[0].plies, (std::vector<std::wstring>{L"U1", L"U2"}));
    EXPECT_TRUE(north.seams[1].plies.empty());
    EXPECT_EQ(std::next(tables.correlations.begin())->second.seams[0].plies, (std::vector<std::wstring>{L"1", L"2"}));

    // Traces: plain, pattern with a negative minimum, invisible, fractional range.
    ASSERT_EQ(tables.traceDefinitions.size(), 4u);
    const TraceDefinition& pattern = tables.traceDefinitions[1];
    EXPECT_EQ(pattern.name, "^GR|SGR");
    EXPECT_EQ(pattern.pattern, 1);
    EXPECT_DOUBLE_EQ(pattern.minimum, -100);
    EXPECT_EQ(pattern.colourIndex, 1);
    EXPECT_TRUE(pattern.ownRange);
    EXPECT_TRUE(pattern.Matches("sgr"));
    const TraceDefinition& cali = tables.traceDefinitions[2];
    EXPECT_FALSE(cali.visible);
    EXPECT_EQ(cali.colourIndex, 16);
    EXPECT_DOUBLE_EQ(cali.maximum, 1.0);
    EXPECT_TRUE(cali.ownRange);
    EXPECT_DOUBLE_EQ(tables.traceDefinitions[3].minimum, 1.95);
    EXPECT_FALSE(tables.traceDefinitions[3].ownRange);

    // Schemas: the built-in one first, then the file's, each with its own id.
    ASSERT_EQ(tables.schemas.size(), 3u);
    EXPECT_EQ(tables.schemas.front()->name, L"Basic");
    const auto coalSchema = ORBAX_Logging::findSchemaByName(tables.schemas, L"coal");
    EXPECT_EQ(coalSchema->fields.size(), 12u);
    EXPECT_TRUE(coalSchema->has(ORBAX_Logging::SchemaDefinition::Valid));
    EXPECT_NE(coalSchema->id, tables.schemas.front()->id);
    EXPECT_NE(coalSchema->id, 0);
}

TEST_F(ConfigFixture, WrittenConfigurationReadsBackToTheSameTablesAndRewritesIdentically)
{
    config.programFolder = QuorTest::data_file("config/full");
    ConfigMessageList messages;
    std::wstring loaded;
    config.LoadConfiguration(messages, loaded);
    ASSERT_TRUE(messages.empty()) << describe(messages);

    const std::string first = writeAndRead(config, dir / "first.txt");
    ConfigurationTables again;
    QuorLogConfig reread(again);
    reread.programFolder = config.programFolder;
    reread.ResetConfiguration();
    reread.ReadConfigurationText(first, L"first.txt", messages);
    EXPECT_TRUE(messages.empty()) << describe(messages);
    expectSameTables(tables, again);

    const std::string second = writeAndRead(reread, dir / "second.txt");
    EXPECT_EQ(first, second);
}

TEST_F(ConfigFixture, AwkwardNamesNumbersAndLongRockTypesSurviveARoundTrip)
{
    config.ResetConfiguration();
    // Names that are not plain words.
    tables.bitmaps.Insert(monoBitmap(L"9 lives"));
    tables.bitmaps.Insert(monoBitmap(L""));
    tables.bitmaps.Insert(monoBitmap(L"caf\x00E9"));
    VectorPattern huge(L"Big-one", 250000.0f, 0.25f);
    tables.vectors.Insert(huge);

    HatchList list(L"1");
    const std::wstring longRock = L"VERY FINE GRAINED CARBONACEOUS SANDSTONE WITH THIN COAL BANDS AND "
                                  L"SIDERITE NODULES, PARTLY WEATHERED";
    list.entries.emplace_back(HatchListEntry::Bitmap, L"9 lives",
                              L"VERY FINE GRAINED CARBONACEOUS SANDSTONE WITH "
                              L"THIN COAL BANDS AND SIDERITE NODULES");
    list.entries.emplace_back(HatchListEntry::Bitmap, L"", L"");
    list.entries.emplace_back(HatchListEntry::Inbuilt, L"White", L"A(B)");
    tables.hatchLists.Insert(list);

    CorrelationDefinition site(L"Pit 4/5");
    site.seams.emplace_back(L"1");
    site.seams.back().plies = {L"1", L"A B", L"x-y", L"_ok"};
    site.seams.emplace_back(L"2a");
    tables.correlations.Insert(site);

    TraceDefinition negative;
    negative.name = "";
    negative.minimum = -250.5;
    negative.maximum = 1e6;
    negative.ownRange = true;
    TraceDefinition tiny;
    tiny.SetName("^GR|SGR");
    tiny.minimum = -0.0001;
    tiny.maximum = 2.5e-7;
    tiny.displayField = 3;
    tiny.colourIndex = 0;
    TraceDefinition hidden;
    hidden.name = "3DEN";
    hidden.visible = false;
    hidden.colourIndex = 16;
    hidden.maximum = 1;
    hidden.ownRange = true;
    tables.traceDefinitions = {negative, tiny, hidden};

    ORBAX_Logging::SchemaDefinition schema(L"1st schema",
                                           {{ORBAX_Logging::ROCKTYPE, L"Rock"}, {ORBAX_Logging::BOTTOM, L"Depth (m)"}});
    ORBAX_Logging::LoadMessages ignored;
    schema.validate(ignored);
    ORBAX_Logging::InsertSchemaDefinition(tables.schemas, schema, tables.schemas.end());

    const std::string first = writeAndRead(config, dir / "awkward.txt");
    // No line break inside a hatch entry, however long its rock type.
    EXPECT_NE(first.find("{ VERY FINE GRAINED CARBONACEOUS SANDSTONE WITH THIN COAL BANDS AND SIDERITE NODULES }"),
              std::string::npos)
        << first;

    ConfigurationTables again;
    QuorLogConfig reread(again);
    reread.ResetConfiguration();
    ConfigMessageList messages;
    reread.ReadConfigurationText(first, L"awkward.txt", messages);
    for (const ConfigMessage& m : messages)
        EXPECT_EQ(m.code, 6) << describe(messages); // only the unresolvable empty pattern name
    expectSameTables(tables, again, false);
    EXPECT_DOUBLE_EQ(again.traceDefinitions[0].minimum, -250.5);
    EXPECT_DOUBLE_EQ(again.traceDefinitions[0].maximum, 1e6);
    EXPECT_NEAR(again.traceDefinitions[1].maximum, 2.5e-7, 1e-15);
    EXPECT_FLOAT_EQ(again.vectors.begin()->second.width, 250000.0f);
    EXPECT_EQ(again.hatchLists.begin()->second.entries[0].rockType, list.entries[0].rockType);
    (void)longRock;

    EXPECT_EQ(writeAndRead(reread, dir / "awkward2.txt"), first);
}

TEST_F(ConfigFixture, AVectorColourOfThreeDifferentChannelsKeepsItsChannelsInTheirPlaces)
{
    config.ResetConfiguration();
    VectorPattern tan(L"Tan", 10.0f, 5.0f);
    tan.colour = 0xFFD2B48Cu; // red 210, green 180, blue 140
    ConfigMessageList problems;
    ASSERT_TRUE(VectorPattern::Compile(tan, L"rect (200, 100, 50) 0 0 100 100", problems, 1)) << describe(problems);
    tables.vectors.Insert(tan);

    const std::string text = writeAndRead(config, dir / "colour.txt");
    EXPECT_NE(text.find("Tan (210, 180, 140)"), std::string::npos) << text;
    ConfigurationTables again;
    QuorLogConfig reread(again);
    reread.ResetConfiguration();
    ConfigMessageList messages;
    reread.ReadConfigurationText(text, L"colour.txt", messages);
    ASSERT_EQ(again.vectors.size(), 1u) << describe(messages);
    const VectorPattern& read = again.vectors.begin()->second;
    EXPECT_EQ(read.colour, 0xFFD2B48Cu);
    ASSERT_EQ(read.elements.size(), 1u);
    EXPECT_EQ(read.elements[0].colour, 0xFFC86432u);
}

TEST_F(ConfigFixture, OnlyTheBuiltInSchemaGivesAnEmptySchemaSection)
{
    config.ResetConfiguration();
    EXPECT_EQ(writeAndRead(config, dir / "empty.txt"),
              "Quorlog Configuration v3\n# Created by QUOR_Log\n\nSchemaDefinitions {\n}\n");
}

TEST_F(ConfigFixture, WriterLayout)
{
    config.ResetConfiguration();
    tables.bitmaps.Insert(monoBitmap(L"Dots"));
    HatchList list(L"Main");
    list.entries.emplace_back(HatchListEntry::Bitmap, L"Dots", L"SAND");
    tables.hatchLists.Insert(list);
    CorrelationDefinition site(L"Site");
    site.seams.emplace_back(L"Upper");
    site.seams.back().plies = {L"A", L"B"};
    site.seams.emplace_back(L"Lower");
    tables.correlations.Insert(site);
    ORBAX_Logging::SchemaDefinition schema(L"Mine", {{ORBAX_Logging::ROCKTYPE, L"Rock"}});
    ORBAX_Logging::InsertSchemaDefinition(tables.schemas, schema, tables.schemas.end());

    const std::string text = writeAndRead(config, dir / "layout.txt");
    EXPECT_NE(text.find("\nDefinitions {\n   Main {\n      Bitmap    Dots                 { SAND }\n   }\n}\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nCorrelations {\n   Site {\n      Upper {A B }\n      Lower\n   }\n}\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\nSchemaDefinitions {\n   Mine { \n      ROCKTYPE \"Rock\"\n   }\n}\n"), std::string::npos)
        << text;
}

TEST_F(ConfigFixture, OnlyARegularImageFileOfSaneSizeIsReadForABitmap)
{
    // A pipe named as an image would make the program wait at start for a writer that never comes;
    // it gives the bitmap its usual messages instead, and the rest of the file loads.
    const auto fifo = dir / "fifo1";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // An image larger than any pattern, and a file too large to be one (sparse: it takes no space).
    QImage wide(BitmapPattern::MaxSide + 1, 1, QImage::Format_ARGB32);
    wide.fill(0xFF000000u);
    ASSERT_TRUE(wide.save(QString::fromStdString((dir / "wide.png").string())));
    QuorTest::write_file(dir / "huge.png", "");
    std::filesystem::resize_file(dir / "huge.png", BitmapPattern::MaxImageFileBytes + 1);

    config.ResetConfiguration();
    ConfigMessageList messages;
    const std::string text = "Quorlog Configuration v3\nBitmaps {\n   Evil rgb \"" + fifo.string() +
                             "\"\n   Wide rgb \"" + (dir / "wide.png").string() + "\"\n   Huge rgb \"" +
                             (dir / "huge.png").string() + "\"\n   Dots mono 4 \"0xA 0x5\"\n}\n";
    config.ReadConfigurationText(text, L"evil.txt", messages);
    ASSERT_EQ(messages.size(), 3u) << describe(messages);
    EXPECT_EQ(messages[0].code, 8);
    EXPECT_NE(messages[0].text.find(L"(It is not a regular file"), std::wstring::npos) << describe(messages);
    EXPECT_NE(messages[1].text.find(L"(The image is 4097 by 1 pixels; a pattern has at most 4096 on a side.)"),
              std::wstring::npos)
        << describe(messages);
    EXPECT_NE(messages[2].text.find(L"(The file is larger than 65 MB"), std::wstring::npos) << describe(messages);
    EXPECT_EQ(bitmapNamed(L"Dots").height, 2);
    EXPECT_TRUE(bitmapNamed(L"Evil").image.isNull());

    messages = config.CheckHatchLists();
    ASSERT_EQ(messages.size(), 3u) << describe(messages);
    EXPECT_EQ(messages[0].text,
              L"Problem reading the bitmap file \"" + ORBAX_Platform::wide_from_path(fifo) + L"\" for bitmap Evil");
}

} // namespace
