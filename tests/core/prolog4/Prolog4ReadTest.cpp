// Reading Prolog 4 documents: versions, templates, data logs, interbedded units and damaged files.
#include <gtest/gtest.h>

#include <cmath>

#include "core/prolog4/Borehole_Prolog4.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Logging;

namespace {

std::wstring wide(const std::filesystem::path& p) { return p.wstring(); }

Prolog4OptionsData deduced(std::uint32_t index = 0)
{
    Prolog4OptionsData options;
    options.deduce = true;
    options.dataLogIndex = index;
    options.precision = 2;
    return options;
}

bool holds(const LoadMessages& messages, const std::wstring& part, int kind = -1)
{
    for (const LoadMessage& m : messages) {
        if (m.text.find(part) != std::wstring::npos && (kind < 0 || m.kind == kind))
            return true;
    }
    return false;
}

std::unique_ptr<Borehole> loadText(const QuorTest::TempDir& dir, const std::string& xml, Prolog4OptionsData options,
                                   LoadMessages& messages)
{
    return Borehole_Prolog4::loadBytes(xml, wide(dir / "doc.prolog"), options, messages);
}

const char* const kMinimalTemplate = "<CHTemplates><CHTemplate><m_Name>T</m_Name><CHeadings>"
                                     "<m_HeadingItem><CItem><m_Heading>Rock</m_Heading></CItem></m_HeadingItem>"
                                     "<m_HeadingItem><CItem><m_Heading>Pct</m_Heading></CItem></m_HeadingItem>"
                                     "<m_HeadingItem><CItem><m_Heading>Seam</m_Heading></CItem></m_HeadingItem>"
                                     "<m_HeadingItem><CItem><m_Heading>Base</m_Heading></CItem></m_HeadingItem>"
                                     "</CHeadings></CHTemplate></CHTemplates>";

} // namespace

TEST(Prolog4Read, VersionFourOneWithInterbeddedUnits)
{
    Prolog4OptionsData options = deduced();
    LoadMessages messages;
    auto loaded = Borehole_Prolog4::load(wide(QuorTest::data_file("prolog4/two_logs.prolog")), options, messages);
    ASSERT_TRUE(messages.empty()) << std::string(messages[0].text.begin(), messages[0].text.end());
    auto* borehole = dynamic_cast<Borehole_Prolog4*>(loaded.get());
    ASSERT_NE(borehole, nullptr);
    EXPECT_EQ(borehole->version, 4);
    EXPECT_EQ(options.formatCode, 4);
    EXPECT_EQ(borehole->name, L"two_logs");
    ASSERT_EQ(borehole->size(), 3u);

    const Interval& first = (*borehole)[0];
    EXPECT_DOUBLE_EQ(first.bottom, 2.0);
    EXPECT_DOUBLE_EQ(first.thickness, 2.0);
    EXPECT_DOUBLE_EQ(first.recovered, 1.5);
    EXPECT_EQ(first.seam, L"A");
    EXPECT_EQ(first.ply, L"A1");
    EXPECT_EQ(first.sample, L"S-001");
    EXPECT_EQ(first.elements[0].values[5], L"grey");

    // 60 + 40, closed by the 100 percent composite row whose unit values replace the first row's.
    const Interval& mixed = (*borehole)[1];
    ASSERT_EQ(mixed.elements.size(), 2u);
    EXPECT_EQ(mixed.elements[0].rockType, L"COAL");
    EXPECT_EQ(mixed.elements[0].percentage, 60);
    EXPECT_EQ(mixed.elements[1].values[5], L"dark & soft");
    EXPECT_EQ(mixed.composite->rockType, L"IN GENERAL");
    EXPECT_DOUBLE_EQ(mixed.bottom, 5.0);
    EXPECT_DOUBLE_EQ(mixed.thickness, 3.0);
    EXPECT_EQ(mixed.ply, L"B2");
    EXPECT_EQ(mixed.sample, L"S-003");

    const Interval& last = (*borehole)[2];
    EXPECT_DOUBLE_EQ(last.bottom, 6.25);
    EXPECT_EQ(last.elements[0].values[5], std::wstring(L"caf\x00E9 \x20AC \x1F600"));
}

TEST(Prolog4Read, TemplatesBecomeSchemas)
{
    Prolog4OptionsData options = deduced();
    LoadMessages messages;
    auto loaded = Borehole_Prolog4::load(wide(QuorTest::data_file("prolog4/two_logs.prolog")), options, messages);
    ASSERT_TRUE(loaded->schema);
    const std::vector<std::int32_t> kinds = {ROCKTYPE, PERCENTAGE, SEAM,      PLY,       SAMPLE,
                                             STRING,   STRING,     RECOVERED, THICKNESS, BOTTOM};
    ASSERT_EQ(loaded->schema->fields.size(), kinds.size());
    for (std::size_t k = 0; k < kinds.size(); ++k)
        EXPECT_EQ(loaded->schema->fields[k].kind, kinds[k]) << k;
    EXPECT_EQ(loaded->schema->fields[6].name, L"(not in use)");
    EXPECT_EQ(loaded->schema->name, L"Coal log");

    // The second data log with its four-column template: the first three positions win.
    Prolog4OptionsData second = deduced(1);
    auto other = Borehole_Prolog4::load(wide(QuorTest::data_file("prolog4/two_logs.prolog")), second, messages);
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(other->size(), 1u);
    EXPECT_EQ(other->schema->fields[3].kind, BOTTOM);
    EXPECT_EQ(other->schema->fields[2].kind, SEAM);
    EXPECT_DOUBLE_EQ((*other)[0].bottom, 7.0);
    EXPECT_EQ((*other)[0].seam, L"Z");

    std::vector<std::wstring> names;
    std::vector<unsigned> counts;
    Borehole_Prolog4::listTemplates(wide(QuorTest::data_file("prolog4/two_logs.prolog")), names, counts);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Coal log", L"Short"}));
    EXPECT_EQ(counts, (std::vector<unsigned>{10, 4}));
}

TEST(Prolog4Read, VersionFourZeroDocument)
{
    Prolog4OptionsData options = deduced();
    LoadMessages messages;
    auto loaded = Borehole_Prolog4::load(wide(QuorTest::data_file("prolog4/old_format.prolog")), options, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(holds(messages, L"Row 1 of the data gives \"abc\" as its percentage"));
    EXPECT_EQ(options.formatCode, 3);
    EXPECT_EQ(loaded->schema->name, L"RockType");
    const auto& fields = loaded->schema->fields;
    EXPECT_EQ(fields[3].kind, SAMPLE);
    EXPECT_EQ(fields[4].kind, STRING); // a second "sample" heading is a plain column
    EXPECT_EQ(fields[5].name, L"(not in use)");
    EXPECT_EQ(fields[6].name, L"(not in use 1)");
    ASSERT_EQ(loaded->size(), 2u);
    // A percentage that is not a number counts as 100; the surplus child is ignored.
    EXPECT_EQ((*loaded)[0].elements[0].percentage, 100);
    EXPECT_EQ((*loaded)[0].sample, L"7");
    EXPECT_DOUBLE_EQ((*loaded)[0].bottom, 1.5);
    EXPECT_DOUBLE_EQ((*loaded)[1].bottom, 4.0);
    EXPECT_DOUBLE_EQ((*loaded)[1].recovered, 0.2);

    std::vector<std::wstring> names;
    std::vector<unsigned> counts;
    Borehole_Prolog4::listTemplates(wide(QuorTest::data_file("prolog4/old_format.prolog")), names, counts);
    EXPECT_EQ(names, std::vector<std::wstring>{L"RockType"});
}

TEST(Prolog4Read, RefusedDocumentsGiveAnEmptyPlainBorehole)
{
    QuorTest::TempDir dir;
    struct Case {
        std::string xml;
        std::wstring expected;
        int kind;
    };
    const std::string logs = std::string("<CDataLogs><CDataLog><m_Data/></CDataLog></CDataLogs>");
    const std::vector<Case> cases = {
        {"<D><m_Version>4.0</m_Version>" + std::string(kMinimalTemplate) + logs + "</D>",
         L"Error while reading Prolog 4 file: File version is not 4.0 or 4.1.", 10},
        {"<D><CHeadings/><m_Data/><m_Data/></D>",
         L"Error while reading Prolog 4 file: File contains a section with no data.", 10},
        {"<D><m_Version>4.1</m_Version>" + std::string(kMinimalTemplate) + "</D>",
         L"Error while reading Prolog 4 file: File contains a section with no data.", 10},
        {"<D><m_Version>4.1</m_Version>" + logs + "</D>", L"File contains no templates.", 10},
        {"<D><m_Version>4.1</m_Version><CHTemplates><CHTemplate><CHeadings/></CHTemplate></CHTemplates></D>",
         L"File contains a template with no name.", 10},
        {"<D><m_Version>4.1</m_Version><CHTemplates><CHTemplate><m_Name>x</m_Name></CHTemplate></CHTemplates></D>",
         L"File contains a template with no headings.", 10},
        {"", L"Error while reading Prolog 4 file:", 10},
        {"this is not XML", L"Error while reading Prolog 4 file:", 10},
        {"<D><m_Version>4.1</m_Version>" + std::string(kMinimalTemplate) +
             "<CDataLogs><CDataLog><m_Data><CLithData><a>X",
         L"is not a complete XML document", 10},
    };
    for (const Case& c : cases) {
        LoadMessages messages;
        auto loaded = loadText(dir, c.xml, deduced(), messages);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(dynamic_cast<Borehole_Prolog4*>(loaded.get()), nullptr) << c.xml;
        EXPECT_TRUE(loaded->empty());
        EXPECT_TRUE(hasFailure(messages)) << c.xml;
        EXPECT_TRUE(holds(messages, c.expected, c.kind)) << c.xml;
    }

    LoadMessages messages;
    Prolog4OptionsData options = deduced();
    auto missing = Borehole_Prolog4::load(wide(dir / "absent.prolog"), options, messages);
    EXPECT_TRUE(missing->empty());
    EXPECT_TRUE(holds(messages, L"Unable to open", 5));
}

TEST(Prolog4Read, OptionProblems)
{
    const std::wstring file = wide(QuorTest::data_file("prolog4/two_logs.prolog"));
    {
        LoadMessages messages;
        Prolog4OptionsData options = deduced(2); // as many templates as the file has
        auto loaded = Borehole_Prolog4::load(file, options, messages);
        EXPECT_TRUE(loaded->empty());
        EXPECT_TRUE(holds(messages, L"Invalid parameter: " + file + L" does not contain the specified data log", 17));
    }
    {
        LoadMessages messages;
        Prolog4OptionsData options = deduced();
        options.deduce = false;
        auto loaded = Borehole_Prolog4::load(file, options, messages);
        EXPECT_TRUE(holds(messages, L"Unknown schema", 6));
    }
    {
        LoadMessages messages;
        Prolog4OptionsData options = deduced();
        options.deduce = false;
        options.schema = std::make_shared<SchemaDefinition>(
            L"three", std::vector<FieldDefinition>{{ROCKTYPE, L"R"}, {PERCENTAGE, L"P"}, {BOTTOM, L"B"}});
        auto loaded = Borehole_Prolog4::load(file, options, messages);
        EXPECT_TRUE(loaded->empty());
        EXPECT_TRUE(holds(messages, L"Nominated schema has a different number of fields to the file.", 16));
    }
}

TEST(Prolog4Read, AnUnclosedInterbeddedUnitIsReported)
{
    QuorTest::TempDir dir;
    const std::string xml = "<D><m_Version>4.1</m_Version>" + std::string(kMinimalTemplate) +
                            "<CDataLogs><CDataLog><m_Data>"
                            "<CLithData><a>SAND</a><b>100</b><c/><d>2</d></CLithData>"
                            "<CLithData><a>COAL</a><b>60</b><c/><d/></CLithData>"
                            "</m_Data></CDataLog></CDataLogs></D>";
    LoadMessages messages;
    auto loaded = loadText(dir, xml, deduced(), messages);
    ASSERT_EQ(loaded->size(), 2u);
    EXPECT_TRUE(std::isnan((*loaded)[1].bottom));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].severity, SeverityWarning);
    EXPECT_EQ(messages[0].text,
              L"The interbedded unit below 2.00 is not closed by its interval row.  Its depths are unknown.");
    // Saved, it is refused before the old file is touched: read back, the file would fail.
    Borehole_Prolog4::save(wide(dir / "out.prolog"), *loaded, OptionsData(), messages);
    EXPECT_EQ(
        messages.back().text.rfind(wide(dir / "out.prolog") + L" was not written: the depths of unit 2 (COAL)", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.prolog"));
}

// A percentage that is no number reads as 100 percent, as it always has, but not silently; an empty
// one is the writer's 100 and says nothing.
TEST(Prolog4Read, PercentagesThatAreNoNumberAreTold)
{
    QuorTest::TempDir dir;
    const std::string xml = "<D><m_Version>4.1</m_Version>" + std::string(kMinimalTemplate) +
                            "<CDataLogs><CDataLog><m_Data>"
                            "<CLithData><a>SAND</a><b/><c/><d>2</d></CLithData>"
                            "<CLithData><a>COAL</a><b>all of it</b><c/><d>3</d></CLithData>"
                            "<CLithData><a>SHALE</a><b>-</b><c/><d>4</d></CLithData>"
                            "</m_Data></CDataLog></CDataLogs></D>";
    LoadMessages messages;
    EXPECT_EQ(loadText(dir, xml, deduced(), messages)->size(), 3u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Row 2 of the data gives \"all of it\" as its percentage, which is not a whole number "
                                L"that fits: it is read as 100 percent (rows with such percentages: 2).");
}

TEST(Prolog4Read, ImportTemplate)
{
    const std::wstring file = wide(QuorTest::data_file("prolog4/two_logs.prolog"));
    SchemaDefinition schema(L"Mine", {});
    schema.id = 7;
    LoadMessages messages;
    Borehole_Prolog4::importTemplate(file, schema, 1, messages);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(schema.name, L"Mine");
    EXPECT_EQ(schema.id, 7);
    ASSERT_EQ(schema.fields.size(), 4u);
    EXPECT_EQ(schema.fields[3].kind, BOTTOM);
    EXPECT_TRUE(schema.has(SchemaDefinition::Valid));

    SchemaDefinition untouched(L"Other", {});
    Borehole_Prolog4::importTemplate(file, untouched, 2, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 6);
    EXPECT_EQ(messages[0].severity, SeverityError);
    EXPECT_EQ(messages[0].text, L"2");
    EXPECT_TRUE(untouched.fields.empty());

    LoadMessages broken;
    QuorTest::TempDir dir;
    QuorTest::write_file(dir / "bad.template", "<D>");
    Borehole_Prolog4::importTemplate(wide(dir / "bad.template"), untouched, 0, broken);
    EXPECT_TRUE(hasFailure(broken));
    std::vector<std::wstring> names;
    std::vector<unsigned> counts;
    EXPECT_THROW(Borehole_Prolog4::listTemplates(wide(dir / "bad.template"), names, counts), std::exception);
}

TEST(Prolog4Read, DocumentsNestedDeeperThanAnyPrologFileAreRefused)
{
    // Writing such a document back would recurse once per level and indent every line by its depth.
    QuorTest::TempDir dir;
    auto withChain = [](unsigned levels) {
        std::string xml = "<D><m_Version>4.1</m_Version>" + std::string(kMinimalTemplate) +
                          "<CDataLogs><CDataLog><m_Data><CLithData><a>SAND</a><b>100</b><c/><d>2</d></CLithData>"
                          "</m_Data></CDataLog></CDataLogs>";
        // The root is level 1: the chain's elements take levels 2 to levels + 1.
        for (unsigned k = 0; k < levels; ++k)
            xml += "<x>";
        for (unsigned k = 0; k < levels; ++k)
            xml += "</x>";
        return xml + "</D>";
    };
    {
        LoadMessages messages;
        auto loaded = loadText(dir, withChain(Prolog4Parser::kMaxDepth - 1), deduced(), messages);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(loaded->size(), 1u);
    }
    for (unsigned levels : {static_cast<unsigned>(Prolog4Parser::kMaxDepth), 100000u}) {
        LoadMessages messages;
        auto loaded = loadText(dir, withChain(levels), deduced(), messages);
        EXPECT_TRUE(loaded->empty());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].kind, 10);
        EXPECT_EQ(messages[0].text, L"Error while reading Prolog 4 file: " + wide(dir / "doc.prolog") +
                                        L" nests its elements more than 100 levels deep, which no Prolog 4 file does.");

        // The template import and listing read the file.
        QuorTest::write_file(dir / "doc.prolog", withChain(levels));
        SchemaDefinition schema(L"Mine", {});
        LoadMessages imported;
        Borehole_Prolog4::importTemplate(wide(dir / "doc.prolog"), schema, 0, imported);
        EXPECT_TRUE(holds(imported, L"levels deep", 10));
        EXPECT_TRUE(schema.fields.empty());
        std::vector<std::wstring> names;
        std::vector<unsigned> counts;
        EXPECT_THROW(Borehole_Prolog4::listTemplates(wide(dir / "doc.prolog"), names, counts), std::exception);
    }
}

TEST(Prolog4Read, NestingIsRefusedWhileParsingAndTheParserStaysUsable)
{
    // Millions of levels in a few megabytes: refused at the first level too deep, for what it is,
    // not after a tree of a gigabyte has run into the memory budget.
    Prolog4Parser parser(true);
    std::wstring error;
    const unsigned levels = 2000000;
    std::string deep;
    deep.reserve(levels * 7);
    for (unsigned k = 0; k < levels; ++k)
        deep += "<a>";
    for (unsigned k = 0; k < levels; ++k)
        deep += "</a>";
    EXPECT_EQ(parser.parseBytes(deep, L"deep.prolog", error), Prolog4Parser::Outcome::Refused);
    EXPECT_EQ(error, L"deep.prolog nests its elements more than 100 levels deep, which no Prolog 4 file does.");
    EXPECT_EQ(parser.document(), nullptr);

    // Empty elements count at their own level: many side by side are fine, one a level too deep is not.
    auto chain = [](unsigned open, const std::string& inner) {
        std::string xml;
        for (unsigned k = 0; k < open; ++k)
            xml += "<x>";
        xml += inner;
        for (unsigned k = 0; k < open; ++k)
            xml += "</x>";
        return xml;
    };
    std::string siblings;
    for (int k = 0; k < 500; ++k)
        siblings += "<e/>";
    EXPECT_EQ(parser.parseBytes(chain(Prolog4Parser::kMaxDepth - 1, siblings), L"wide", error),
              Prolog4Parser::Outcome::Parsed)
        << std::string(error.begin(), error.end());
    EXPECT_EQ(parser.parseBytes(chain(Prolog4Parser::kMaxDepth, "<e/>"), L"deep", error),
              Prolog4Parser::Outcome::Refused);

    // After a refusal the same parser reads a sound file.
    EXPECT_EQ(parser.parseBytes("<D><m_Version>4.1</m_Version></D>", L"sound", error), Prolog4Parser::Outcome::Parsed);
    ASSERT_NE(parser.document(), nullptr);
    EXPECT_TRUE(error.empty());
}

TEST(Prolog4Read, ElementsWithMoreAttributesThanAnyPrologFileAreRefused)
{
    // Every new attribute name costs the document a search through the names before it: half a
    // million on one element took minutes until the parser refused the element as it met it.
    QuorTest::TempDir dir;
    auto withAttributes = [](std::size_t count, const std::string& doctype = std::string()) {
        std::string attributes;
        for (std::size_t k = 0; k < count; ++k)
            attributes += " a" + std::to_string(k) + "=\"1\"";
        return doctype + "<D" + attributes + "><m_Version>4.1</m_Version>" + kMinimalTemplate +
               "<CDataLogs><CDataLog><m_Data><CLithData><a>SAND</a><b>100</b><c/><d>2</d></CLithData>"
               "</m_Data></CDataLog></CDataLogs></D>";
    };
    {
        LoadMessages messages;
        auto loaded = loadText(dir, withAttributes(Prolog4Parser::kMaxAttributes), deduced(), messages);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(loaded->size(), 1u);
    }
    // Attributes the file's own declarations add count as well.
    const std::vector<std::string> refused = {
        withAttributes(Prolog4Parser::kMaxAttributes + 1), withAttributes(100000),
        withAttributes(Prolog4Parser::kMaxAttributes, "<!DOCTYPE D [<!ATTLIST D extra CDATA \"1\">]>")};
    for (const std::string& xml : refused) {
        LoadMessages messages;
        auto loaded = loadText(dir, xml, deduced(), messages);
        EXPECT_TRUE(loaded->empty());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].kind, 10);
        EXPECT_EQ(messages[0].text, L"Error while reading Prolog 4 file: " + wide(dir / "doc.prolog") +
                                        L" gives an element more than 1000 attributes, which no Prolog 4 file does.");
    }

    // The template listing reads with a parser of its own that does not validate.
    std::vector<std::wstring> names;
    std::vector<unsigned> counts;
    EXPECT_THROW(Borehole_Prolog4::listTemplatesBytes(refused[1], L"many.prolog", names, counts), std::exception);
}

TEST(Prolog4Read, AnExternalDtdIsNotLeaked)
{
    // The library never frees the declaration it makes for an external DTD subset: the sanitizer
    // build's leak checker fails this test unless the parser frees it, at each read.
    QuorTest::TempDir dir;
    const std::string xml = "<!DOCTYPE D SYSTEM \"x\"><D><m_Version>4.1</m_Version>" + std::string(kMinimalTemplate) +
                            "<CDataLogs><CDataLog><m_Data><CLithData><a>SAND</a><b>100</b><c/><d>2</d></CLithData>"
                            "</m_Data></CDataLog></CDataLogs></D>";
    QuorTest::write_file(dir / "doc.prolog", xml);
    Borehole_Prolog4 borehole;
    Prolog4OptionsData options = deduced();
    for (int k = 0; k < 2; ++k) {
        LoadMessages messages;
        borehole.read(options, wide(dir / "doc.prolog"), messages);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(borehole.size(), 1u);
    }
    std::vector<std::wstring> names;
    std::vector<unsigned> counts;
    Borehole_Prolog4::listTemplatesBytes(xml, L"doc.prolog", names, counts);
    EXPECT_EQ(names, std::vector<std::wstring>{L"T"});
}

TEST(Prolog4Read, DeclarationsThatExpandBeyondMemoryAreRefused)
{
    QuorTest::TempDir dir;
    const std::string body = std::string(kMinimalTemplate) +
                             "<CDataLogs><CDataLog><m_Data><CLithData><a>SAND</a><b>100</b><c/><d>2</d></CLithData>"
                             "</m_Data></CDataLog></CDataLogs><m_Project>&rock;</m_Project>";
    {
        // Small declarations are fine.
        LoadMessages messages;
        auto loaded =
            loadText(dir, "<!DOCTYPE D [<!ENTITY rock \"SAND\">]><D><m_Version>4.1</m_Version>" + body + "</D>",
                     deduced(), messages);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(loaded->size(), 1u);
    }
    // A file of about a hundred kilobytes that would expand to gigabytes: an entity used thousands of
    // times, and an attribute default copied into thousands of elements.
    const std::string big(100000, 'x');
    std::string manyReferences, manyElements;
    for (int k = 0; k < 9000; ++k)
        manyReferences += "&big;";
    for (int k = 0; k < 20000; ++k)
        manyElements += "<n/>";
    const std::vector<std::string> bombs = {
        "<!DOCTYPE D [<!ENTITY rock \"SAND\"><!ENTITY big \"" + big + "\">]><D><m_Version>4.1</m_Version>" + body +
            "<note>" + manyReferences + "</note></D>",
        "<!DOCTYPE D [<!ENTITY rock \"SAND\"><!ATTLIST n a CDATA \"" + big + "\">]><D><m_Version>4.1</m_Version>" +
            body + manyElements + "</D>",
    };
    for (const std::string& xml : bombs) {
        LoadMessages messages;
        auto loaded = loadText(dir, xml, deduced(), messages);
        EXPECT_TRUE(loaded->empty());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].kind, 10);
        EXPECT_EQ(messages[0].text.rfind(
                      L"Error while reading Prolog 4 file: " + wide(dir / "doc.prolog") + L" would take more than ", 0),
                  0u);
        EXPECT_NE(messages[0].text.find(
                      L" MB of memory to read: its declared entities or attribute defaults expand too far."),
                  std::wstring::npos);

        // The template import reads the file.
        QuorTest::write_file(dir / "doc.prolog", xml);
        SchemaDefinition schema(L"Mine", {});
        LoadMessages imported;
        Borehole_Prolog4::importTemplate(wide(dir / "doc.prolog"), schema, 0, imported);
        EXPECT_TRUE(holds(imported, L"MB of memory", 10));
        EXPECT_TRUE(schema.fields.empty());
    }

    // A parser that refused a document reads the next one.
    QuorTest::write_file(dir / "bomb.prolog", bombs[0]);
    QuorTest::write_file(dir / "good.prolog",
                         "<!DOCTYPE D [<!ENTITY rock \"SAND\">]><D><m_Version>4.1</m_Version>" + body + "</D>");
    Borehole_Prolog4 borehole;
    Prolog4OptionsData options = deduced();
    LoadMessages first;
    borehole.read(options, wide(dir / "bomb.prolog"), first);
    EXPECT_TRUE(hasFailure(first));
    LoadMessages second;
    borehole.read(options, wide(dir / "good.prolog"), second);
    EXPECT_TRUE(second.empty());
    EXPECT_EQ(borehole.size(), 1u);
}

TEST(Prolog4Read, NearEmptyRowsUnderThousandsOfColumnsAreRefused)
{
    // Each row holds a value per column: ten thousand element rows of a few bytes under five thousand
    // headings would take fifty million cells from a file of half a megabyte. The read stops once the
    // cells counted pass their limit.
    QuorTest::TempDir dir;
    std::string xml = "<D><CHeadings>";
    for (int k = 0; k < 5000; ++k)
        xml += "<m_HeadingItem><CItem><m_Heading>h" + std::to_string(k) + "</m_Heading></CItem></m_HeadingItem>";
    xml += "</CHeadings><m_Data>";
    for (int k = 0; k < 10000; ++k)
        xml += "<CLithData><a/><b>50</b></CLithData>";
    xml += "</m_Data></D>";
    LoadMessages messages;
    auto loaded = loadText(dir, xml, deduced(), messages);
    EXPECT_TRUE(loaded->empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 9);
    EXPECT_NE(messages[0].text.find(L"holds more than 32000000 cells"), std::wstring::npos) << messages[0].text;
}
