// Writing a Prolog 4 borehole back into its own document.
#include <gtest/gtest.h>

#include <cmath>

#include "core/csv/Borehole_CSV.h"
#include "core/prolog4/Borehole_Prolog4.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Logging;

namespace {

std::wstring wide(const std::filesystem::path& p) { return p.wstring(); }

std::unique_ptr<Borehole> readBack(const std::filesystem::path& file, std::uint32_t index = 0)
{
    Prolog4OptionsData options;
    options.deduce = true;
    options.dataLogIndex = index;
    LoadMessages messages;
    auto loaded = Borehole_Prolog4::load(wide(file), options, messages);
    EXPECT_FALSE(hasFailure(messages));
    return loaded;
}

void expectSameUnits(const Borehole& a, const Borehole& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        const Interval& x = a[i];
        const Interval& y = b[i];
        EXPECT_NEAR(x.bottom, y.bottom, 1e-9) << i;
        EXPECT_NEAR(x.thickness, y.thickness, 1e-9) << i;
        EXPECT_EQ(std::isnan(x.recovered), std::isnan(y.recovered)) << i;
        EXPECT_EQ(x.seam, y.seam);
        EXPECT_EQ(x.ply, y.ply);
        EXPECT_EQ(x.sample, y.sample);
        ASSERT_EQ(x.elements.size(), y.elements.size()) << i;
        for (std::size_t e = 0; e < x.elements.size(); ++e) {
            EXPECT_EQ(x.elements[e].rockType, y.elements[e].rockType);
            EXPECT_EQ(x.elements[e].percentage, y.elements[e].percentage);
            EXPECT_EQ(x.elements[e].values.toVector(), y.elements[e].values.toVector());
        }
        if (x.elements.size() > 1) {
            LithData blankX, blankY;
            EXPECT_EQ(x.compositeOr(blankX).rockType, y.compositeOr(blankY).rockType);
        }
    }
}

} // namespace

TEST(Prolog4Write, WriteThenReadKeepsUnitsAndTheRestOfTheDocument)
{
    QuorTest::TempDir dir;
    auto original = readBack(QuorTest::data_file("prolog4/two_logs.prolog"));
    ASSERT_EQ(original->size(), 3u);
    // An edit: the last unit becomes deeper.
    (*original)[2].bottom = 7.5;
    (*original)[2].thickness = 2.5;

    OptionsData out;
    out.precision = 3;
    LoadMessages messages;
    Borehole_Prolog4::save(wide(dir / "out.prolog"), *original, out, messages);
    ASSERT_TRUE(messages.empty());

    const std::string text = QuorTest::read_file(dir / "out.prolog");
    // Comments, attributes and the elements the writer does not own survive.
    EXPECT_NE(text.find("units of the coal log"), std::string::npos);
    EXPECT_NE(text.find("creator=\"tests\""), std::string::npos);
    EXPECT_NE(text.find("code=\"NW-12\""), std::string::npos);
    EXPECT_NE(text.find("<EstDepth>7.500</EstDepth>"), std::string::npos);
    EXPECT_NE(text.find("<Recovered></Recovered>"), std::string::npos);

    auto again = readBack(dir / "out.prolog");
    expectSameUnits(*original, *again);
    EXPECT_DOUBLE_EQ((*again)[2].bottom, 7.5);
    // The other data log is untouched.
    auto second = readBack(dir / "out.prolog", 1);
    ASSERT_EQ(second->size(), 1u);
    EXPECT_EQ((*second)[0].elements[0].rockType, L"GRANITE");
}

TEST(Prolog4Write, ElementNamesAndCompositeRows)
{
    QuorTest::TempDir dir;
    auto borehole = readBack(QuorTest::data_file("prolog4/two_logs.prolog"));
    // A composite row without a rock type of its own is written as the interval row.
    (*borehole)[1].compositeRow().rockType.clear();
    (*borehole)[1].compositeRow().percentage = 0;
    OptionsData out;
    out.precision = 2;
    out.intervalRockType = L"OVERALL";
    LoadMessages messages;
    Borehole_Prolog4::save(wide(dir / "names.prolog"), *borehole, out, messages);
    ASSERT_TRUE(messages.empty());
    const std::string text = QuorTest::read_file(dir / "names.prolog");
    EXPECT_NE(text.find("<f1>OVERALL</f1>"), std::string::npos);
    EXPECT_NE(text.find("<f7></f7>"), std::string::npos);
    EXPECT_NE(text.find("<EstThick>2.00</EstThick>"), std::string::npos);
    EXPECT_EQ(text.find("<f8>"), std::string::npos);

    auto again = readBack(dir / "names.prolog");
    ASSERT_EQ(again->size(), 3u);
    EXPECT_EQ((*again)[1].composite->rockType, L"OVERALL");
    EXPECT_EQ((*again)[1].elements.size(), 2u);
}

// Written twice, and read and written again, an unchanged borehole gives the same bytes.
TEST(Prolog4Write, WritingTwiceGivesTheSameFile)
{
    QuorTest::TempDir dir;
    auto borehole = readBack(QuorTest::data_file("prolog4/two_logs.prolog"));
    OptionsData out;
    LoadMessages messages;
    Borehole_Prolog4::save(wide(dir / "a.prolog"), *borehole, out, messages);
    Borehole_Prolog4::save(wide(dir / "b.prolog"), *borehole, out, messages);
    Borehole_Prolog4::save(wide(dir / "c.prolog"), *readBack(dir / "b.prolog"), out, messages);
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(QuorTest::read_file(dir / "a.prolog"), QuorTest::read_file(dir / "b.prolog"));
    EXPECT_EQ(QuorTest::read_file(dir / "a.prolog"), QuorTest::read_file(dir / "c.prolog"));
}

TEST(Prolog4Write, FailuresLeaveTheOldFileAndTheDocument)
{
    QuorTest::TempDir dir;
    auto borehole = readBack(QuorTest::data_file("prolog4/two_logs.prolog"));
    OptionsData out;
    LoadMessages messages;
    Borehole_Prolog4::save(wide(dir / "missing" / "x.prolog"), *borehole, out, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 5);
    EXPECT_EQ(messages[0].severity, SeverityError);

    // The failed save put nothing into the kept document.
    messages.clear();
    Borehole_Prolog4::save(wide(dir / "ok.prolog"), *borehole, out, messages);
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(readBack(dir / "ok.prolog")->size(), 3u);
}

TEST(Prolog4Write, OtherBoreholesAreRefused)
{
    QuorTest::TempDir dir;
    CSVOptionsData csv;
    csv.schema = std::make_shared<SchemaDefinition>(
        L"s", std::vector<FieldDefinition>{{ROCKTYPE, L"R"}, {PERCENTAGE, L"P"}, {BOTTOM, L"B"}});
    LoadMessages messages;
    auto fromCsv = Borehole_CSV::load(wide(QuorTest::data_file("csv/crlf.csv")), csv, messages);
    ASSERT_EQ(fromCsv->size(), 1u);
    Borehole_Prolog4::save(wide(dir / "x.prolog"), *fromCsv, OptionsData(), messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 15);
    EXPECT_EQ(messages[0].text, L"Unable to convert or save boreholes from other filetypes to a Prolog v4.x file.");
    EXPECT_FALSE(std::filesystem::exists(dir / "x.prolog"));
}

// Rows the reader could not group again are never written: without a percentage field an interbedded
// unit becomes its main rock type's row, and a unit row is always written at 100 percent.
TEST(Prolog4Write, EveryUnitReadsBackAsTheUnitItWas)
{
    QuorTest::TempDir dir;
    Prolog4OptionsData options;
    options.deduce = false;
    options.dataLogIndex = 1;
    options.schema = std::make_shared<SchemaDefinition>(
        L"bare", std::vector<FieldDefinition>{{ROCKTYPE, L"R"}, {STRING, L"N"}, {THICKNESS, L"T"}, {BOTTOM, L"B"}});
    LoadMessages messages;
    auto bare = Borehole_Prolog4::load(wide(QuorTest::data_file("prolog4/two_logs.prolog")), options, messages);
    bare->at(0).setRockTypes(L"IN GENERAL", {40, 60}, {L"GRANITE", L"GNEISS"});
    Borehole_Prolog4::save(wide(dir / "bare.prolog"), *bare, OptionsData(), messages);
    EXPECT_EQ(messages.at(0).text.rfind(L"Units written as a single row: 1, the first from 0.00 to 7.00.", 0), 0u);
    EXPECT_EQ(Borehole_Prolog4::load(wide(dir / "bare.prolog"), options, messages)->at(0).elements[0].rockType,
              L"GNEISS");
    auto named = readBack(QuorTest::data_file("prolog4/two_logs.prolog"));
    (*named)[1].compositeRow().percentage = 0;
    Borehole_Prolog4::save(wide(dir / "named.prolog"), *named, OptionsData(), messages);
    EXPECT_EQ(readBack(dir / "named.prolog")->at(1).elements.size(), 2u);
}

// Each field of a written row is an element of its own name ("f1", "f2", ...): a schema of more
// fields than the reader takes names would give a file that it refuses, so it is not written.
TEST(Prolog4Write, FieldsBeyondTheNamesTheReaderTakesAreRefused)
{
    QuorTest::TempDir dir;
    std::string headings, cells;
    for (int i = 0; i < 10000; ++i) {
        headings += "<m_HeadingItem><CItem><m_Heading>H" + std::to_string(i) + "</m_Heading></CItem></m_HeadingItem>";
        cells += "<c>100</c>";
    }
    QuorTest::write_file(dir / "wide.prolog", "<CProlog><CHeadings>" + headings + "</CHeadings><m_Data><CLithData>" +
                                                  cells + "</CLithData></m_Data></CProlog>");
    LoadMessages messages;
    Borehole_Prolog4::save(wide(dir / "out.prolog"), *readBack(dir / "wide.prolog"), OptionsData(), messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find(L"more than 10000 different names"), std::wstring::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.prolog"));
}
