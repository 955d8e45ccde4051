#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "core/model/BoreholeDescription.h"
#include "core/model/UnitRowWriter.h"
#include "tests/core/model/ModelTestSupport.h"

using namespace ORBAX_Logging;

namespace {

struct Row {
    std::vector<std::string> fields;
    int separators = 0;
};

void collectField(void* context, const std::string& text, const OptionsData&)
{
    static_cast<Row*>(context)->fields.push_back(text);
}

void countSeparator(void* context, const OptionsData&) { ++static_cast<Row*>(context)->separators; }

Row rowOf(const LithData& element, const Interval& unit, const OptionsData& options, bool intervalRow,
          LoadMessages* messages = nullptr)
{
    Row row;
    LoadMessages local;
    if (!options.schema)
        return row;
    WrittenFields fields(*options.schema);
    writeUnitRow(element, messages ? *messages : local, unit, DepthsAsWritten(options.precision).next(unit), &row,
                 options, fields, collectField, countSeparator, intervalRow);
    return row;
}

} // namespace

TEST(Description, ColumnsOfElementLines)
{
    auto schema = ModelTest::fullSchema();
    Borehole hole = ModelTest::column(schema, {2.5, 12.125});
    hole[0].elements[0].rockType = L"SANDSTONE";
    hole[0].seam = L"UPPER";
    hole[1].setRockTypes(L"IN GENERAL", {60, 40}, {L"ABCDEFGHIJKLMNOPQRSTUVWXY", L"GR\u00C8S\u4E2D"});
    hole[1].seam = L"VERYLONGSEAM";
    hole.push_back(Interval(schema)); // a unit without elements prints nothing

    std::ostringstream out;
    LoadMessages messages;
    writeDescription(out, hole, messages);
    const std::string expected = "Unit           Percentage  EndDist       RL     Seam\n"
                                 "----------------------------------------------------\n"
                                 "SANDSTONE            100%     2.50     2.50    UPPER\n"
                                 "ABCDEFGHIJKLMNOPQRST  60%     9.62    12.12 VERYLONGSEAM\n"
                                 "GR\xC8S?                 40%     9.62    12.12 VERYLONGSEAM\n";
    EXPECT_EQ(out.str(), expected);

    Borehole noSeam = ModelTest::column(schema, {1});
    std::ostringstream plain;
    writeDescription(plain, noSeam, messages);
    EXPECT_EQ(plain.str().substr(106), std::string(20, ' ') + " 100%     1.00     1.00" + std::string(9, ' ') + "\n");
}

// The description leaves through the stream's buffer and is flushed once at the end, not once a line:
// on a terminal each flush is a write call, one per unit of a long borehole.
TEST(Description, FlushedOnceAtTheEnd)
{
    struct CountingBuffer : std::stringbuf {
        int flushes = 0;
        int sync() override
        {
            ++flushes;
            return std::stringbuf::sync();
        }
    } buffer;
    std::ostream out(&buffer);
    LoadMessages messages;
    writeDescription(out, ModelTest::column(ModelTest::fullSchema(), {1, 2, 3, 4}), messages);
    EXPECT_EQ(buffer.flushes, 1);
    const std::string text = buffer.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
}

// A text the encoding cannot hold is told by its message, naming the field and the unit: a seam once.
TEST(Description, TextsThatLoseACharacterAreToldOnceWhereTheyPrint)
{
    Borehole hole = ModelTest::column(ModelTest::fullSchema(), {2});
    hole[0].setRockTypes(L"IN GENERAL", {60, 40}, {L"SAND", L"GR\u00C8S"});
    hole[0].seam = L"S\u00C81";
    const TextEncoder ascii = [](const std::wstring& text, bool* lost) {
        std::string bytes;
        for (wchar_t c : text)
            bytes += c > 0x7F ? (*lost = true, '?') : static_cast<char>(c);
        return bytes;
    };
    std::ostringstream out;
    LoadMessages messages;
    writeDescription(out, hole, ascii, 11220, messages);
    EXPECT_NE(out.str().find("GR?S                  40%     2.00     2.00      S?1\n"), std::string::npos);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, L"The Seam field in the unit from 0.00 to 2.00 contains characters that cannot be "
                                L"shown in the terminal's encoding.");
}

TEST(UnitRows, FieldTextsByKind)
{
    auto schema = ModelTest::makeSchema(L"rows", {{TOP, L"From"},
                                                  {BOTTOM, L"To"},
                                                  {THICKNESS, L"Th"},
                                                  {RECOVERED, L"Rec"},
                                                  {PERCENTAGE, L"Pct"},
                                                  {ROCKTYPE, L"Rock"},
                                                  {SAMPLE, L"Sample"},
                                                  {PLY, L"Ply"},
                                                  {SEAM, L"Seam"},
                                                  {STRING, L"Colour"},
                                                  {99, L"Odd"}});
    Interval unit(schema);
    unit.elements.emplace_back(schema);
    unit.bottom = 5;
    unit.thickness = 1.5;
    unit.sample = L"S1";
    unit.ply = L"P";
    unit.seam = L"Se\tam";
    unit.elements[0].rockType = L"CLAY";
    unit.elements[0].percentage = 60;
    unit.elements[0].values.set(9, L"red");
    OptionsData options(schema, 3, false, L"IN GENERAL", 2);

    Row row = rowOf(unit.elements[0], unit, options, false);
    EXPECT_EQ(row.fields,
              (std::vector<std::string>{"3.500", "5.000", "1.500", "", "60", "CLAY", "S1", "P", "Seam", "red"}));
    EXPECT_EQ(row.separators, 10); // the unknown field writes nothing but keeps its separators

    unit.recovered = 0.25;
    options.suppress100Percent = true;
    unit.elements[0].percentage = 100;
    row = rowOf(unit.elements[0], unit, options, false);
    EXPECT_EQ(row.fields[3], "0.250");
    EXPECT_EQ(row.fields[4], "");
    unit.elements[0].percentage = 60;
    EXPECT_EQ(rowOf(unit.elements[0], unit, options, false).fields[4], "60");

    // The composite row: the interval rock type when it has none of its own, 100 unless suppressed.
    EXPECT_EQ(rowOf(unit.compositeRow(), unit, options, true).fields[4], "");
    EXPECT_EQ(rowOf(unit.compositeRow(), unit, options, true).fields[5], "IN GENERAL");
    options.suppress100Percent = false;
    unit.compositeRow().rockType = L"MIXED";
    unit.compositeRow().percentage = 7;
    EXPECT_EQ(rowOf(unit.compositeRow(), unit, options, true).fields[4], "100");
    EXPECT_EQ(rowOf(unit.compositeRow(), unit, options, true).fields[5], "MIXED");
}

TEST(UnitRows, FreeFieldsByPositionOrByName)
{
    auto unitSchema = ModelTest::makeSchema(L"u", {{ROCKTYPE, L"Rock"}, {STRING, L"Colour"}, {STRING, L"Note"}});
    auto fileSchema = ModelTest::makeSchema(
        L"f", {{STRING, L"NOTE"}, {ROCKTYPE, L"Rock"}, {STRING, L"Colour"}, {STRING, L"Missing"}});
    Interval unit(unitSchema);
    unit.elements.emplace_back(unitSchema);
    unit.elements[0].values.assign({L"", L"red", L"soft"});
    OptionsData same(unitSchema, 2, false, L"IN GENERAL", 2);
    EXPECT_EQ(rowOf(unit.elements[0], unit, same, false).fields, (std::vector<std::string>{"", "red", "soft"}));
    OptionsData other(fileSchema, 2, false, L"IN GENERAL", 2);
    EXPECT_EQ(rowOf(unit.elements[0], unit, other, false).fields, (std::vector<std::string>{"soft", "", "red", ""}));
    OptionsData none;
    EXPECT_TRUE(rowOf(unit.elements[0], unit, none, false).fields.empty());
}

// Names are looked up once per schema of the rows: rows of two schemas in one save each find their own
// fields (the first of a name, ignoring case), and every lost field is named once, in order.
TEST(UnitRows, OneSaveOverRowsOfSeveralSchemas)
{
    auto written = ModelTest::makeSchema(L"w", {{ROCKTYPE, L"Rock"}, {STRING, L"note"}, {STRING, L"NOTE"}});
    auto first = ModelTest::makeSchema(L"a", {{STRING, L"Lost"}, {STRING, L"Note"}, {ROCKTYPE, L"Rock"}});
    auto second = ModelTest::makeSchema(L"b", {{ROCKTYPE, L"Rock"}, {STRING, L"Lost"}, {STRING, L"Other"}});
    Borehole hole(first);
    hole.push_back(Interval(first, LithData(first)));
    hole.push_back(Interval(second, LithData(second)));
    hole[0].elements[0].values.assign({L"gone", L"soft", L""});
    hole[1].elements[0].values.assign({L"", L"gone too", L"other"});
    WrittenFields fields(*written);
    LoadMessages messages;
    reportFieldsWithoutColumn(hole, fields, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find(L"no field for \"Lost\", \"Other\" of"), std::wstring::npos);
    for (std::size_t i = 0; i < 2; ++i) {
        Row row;
        writeUnitRow(hole[i].elements[0], messages, hole[i], WrittenDepths(), &row,
                     OptionsData(written, 2, false, L"IN GENERAL", 2), fields, collectField, countSeparator, false);
        EXPECT_EQ(row.fields, (std::vector<std::string>{"", i ? "" : "soft", i ? "" : "soft"}));
    }
}

// A schema of many fields written with a small one: the warning names the first twenty and counts the
// rest, instead of growing with every field.
TEST(UnitRows, ManyLostFieldsNamedInPart)
{
    std::vector<FieldDefinition> many{{ROCKTYPE, L"Rock"}};
    for (int i = 1; i <= 25; ++i)
        many.push_back({STRING, L"F" + std::to_wstring(i)});
    auto wide = ModelTest::makeSchema(L"wide", many);
    Borehole hole(wide);
    hole.push_back(Interval(wide, LithData(wide)));
    hole[0].elements[0].values.assign(std::vector<std::wstring>(26, L"v"));
    auto narrow = ModelTest::makeSchema(L"w", {{ROCKTYPE, L"Rock"}});
    WrittenFields fields(*narrow);
    LoadMessages messages;
    reportFieldsWithoutColumn(hole, fields, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find(L"\"F19\", \"F20\" and 5 other fields of this"), std::wstring::npos);
    EXPECT_EQ(messages[0].text.find(L"F21"), std::wstring::npos);
}

TEST(UnitRows, UnsavableCharactersWarnOncePerField)
{
    auto schema = ModelTest::fullSchema();
    Interval unit(schema);
    unit.elements.emplace_back(schema);
    unit.bottom = 2;
    unit.thickness = 2;
    unit.seam = L"\u4E2D\u4E2D\x01";
    unit.sample = L"\u4E2D";
    unit.elements[0].values.set(8, L"\u4E2D");
    OptionsData options(schema, 1, false, L"IN GENERAL", 2);
    LoadMessages messages;
    Row row = rowOf(unit.elements[0], unit, options, false, &messages);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text, L"The Sample field in the unit from 0.0 to 2.0 contains characters that cannot be "
                                L"saved with this file format.");
    EXPECT_NE(messages[1].text.find(L"The Seam field"), std::wstring::npos);
    EXPECT_NE(messages[2].text.find(L"The Colour field"), std::wstring::npos);
    EXPECT_EQ(row.fields[6], "??"); // the control character is dropped
    EXPECT_EQ(row.fields[5], "?");
    EXPECT_EQ(row.fields[8], "?");
}

TEST(UnitRows, WideFieldTextForXml)
{
    auto schema = ModelTest::fullSchema();
    Interval unit(schema);
    unit.elements.emplace_back(schema);
    unit.bottom = 4;
    unit.thickness = 1;
    unit.seam = L"\u4E2D";
    unit.elements[0].rockType = L"COAL";
    unit.elements[0].values.set(8, L"black");
    OptionsData options(schema, 2, false, L"IN GENERAL", 3, true);
    std::wstring out;
    unitFieldText(unit, unit.elements[0], out, options, false, 1);
    EXPECT_EQ(out, L"100"); // no suppression here
    unitFieldText(unit, unit.elements[0], out, options, true, 0);
    EXPECT_EQ(out, L"IN GENERAL");
    unitFieldText(unit, unit.elements[0], out, options, false, 6);
    EXPECT_EQ(out, L"\u4E2D");
    unitFieldText(unit, unit.elements[0], out, options, false, 8);
    EXPECT_EQ(out, L"black");
    unitFieldText(unit, unit.elements[0], out, options, false, 4);
    EXPECT_EQ(out, L"");
    out = L"kept";
    unitFieldText(unit, unit.elements[0], out, options, false, 42);
    EXPECT_EQ(out, L"kept");
}
