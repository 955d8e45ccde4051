#include <gtest/gtest.h>

#include <cmath>

#include "core/model/Exception.h"
#include "core/model/Interval.h"
#include "core/model/LithData.h"
#include "core/model/SchemaDefinition.h"
#include "tests/core/model/ModelTestSupport.h"

using namespace ORBAX_Logging;
using ModelTest::makeSchema;

namespace {

struct Validation {
    bool ok;
    std::uint32_t flags;
    LoadMessages messages;
};

Validation validated(const std::vector<FieldDefinition>& fields, const std::wstring& name = L"S1")
{
    SchemaDefinition schema(name, fields);
    Validation v;
    v.ok = schema.validate(v.messages);
    v.flags = schema.flags;
    return v;
}

} // namespace

TEST(SchemaValidation, UsableSchemasAndFlags)
{
    auto v = validated({{ROCKTYPE, L"r"}, {PERCENTAGE, L"p"}, {BOTTOM, L"b"}});
    EXPECT_TRUE(v.ok);
    EXPECT_TRUE(v.messages.empty());
    EXPECT_EQ(v.flags, 0x10u | 0x20u | 0x40u);

    v = validated({{ROCKTYPE, L"r"},
                   {TOP, L"t"},
                   {BOTTOM, L"b"},
                   {THICKNESS, L"h"},
                   {SAMPLE, L"s"},
                   {SEAM, L"se"},
                   {PLY, L"p"},
                   {RECOVERED, L"rec"},
                   {PERCENTAGE, L"pc"},
                   {STRING, L"a"},
                   {STRING, L"a"},
                   {REAL, L""}});
    EXPECT_TRUE(v.ok);
    EXPECT_EQ(v.flags, 0x7Fu);

    // Validation resets the flags first, so running it twice gives the same result.
    SchemaDefinition schema(L"twice", {{ROCKTYPE, L"r"}, {THICKNESS, L"h"}, {SAMPLE, L"s"}});
    LoadMessages messages;
    schema.validate(messages);
    const auto first = schema.flags;
    schema.fields.push_back({BOTTOM, L"b"});
    schema.fields.push_back({BOTTOM, L"b2"});
    schema.validate(messages);
    EXPECT_EQ(schema.flags & 0x40u, 0u);
    schema.fields.pop_back();
    schema.validate(messages);
    EXPECT_EQ(schema.flags, first);
    EXPECT_EQ(schema.validName(), L"twice");
}

TEST(SchemaValidation, ProblemsInOrderWithTheirKinds)
{
    auto v = validated({{BOTTOM, L"a"},
                        {BOTTOM, L"b"},
                        {TOP, L"c"},
                        {TOP, L"d"},
                        {THICKNESS, L"e"},
                        {THICKNESS, L"f"},
                        {SAMPLE, L"g"},
                        {SAMPLE, L"h"},
                        {SEAM, L"i"},
                        {SEAM, L"j"},
                        {PLY, L"k"},
                        {PLY, L"l"},
                        {PERCENTAGE, L"m"},
                        {PERCENTAGE, L"n"},
                        {ROCKTYPE, L"o"},
                        {ROCKTYPE, L"p"},
                        {RECOVERED, L"q"},
                        {RECOVERED, L"r"}},
                       L"Mine");
    EXPECT_FALSE(v.ok);
    ASSERT_EQ(v.messages.size(), 9u);
    const wchar_t* order[] = {L"TOP", L"BOTTOM",     L"THICKNESS", L"SAMPLE",   L"SEAM",
                              L"PLY", L"PERCENTAGE", L"ROCKTYPE",  L"RECOVERED"};
    for (std::size_t k = 0; k < 9; ++k) {
        EXPECT_EQ(v.messages[k].text, std::wstring(L"Too many ") + order[k] +
                                          L" fields in schema Mine.  This schema is unable to be used.");
        EXPECT_EQ(v.messages[k].kind, 12);
        EXPECT_EQ(v.messages[k].severity, 2);
    }
    EXPECT_EQ(v.flags, 0x3Fu); // every "at least one" flag and validated, but not usable

    v = validated({{STRING, L"x"}, {REAL, L"y"}}, L"Free");
    ASSERT_EQ(v.messages.size(), 2u);
    EXPECT_EQ(v.messages[0].text,
              L"No unit depth or thickness specification in schema Free.  This schema is unable to be used.");
    EXPECT_EQ(v.messages[0].kind, 14);
    EXPECT_EQ(v.messages[1].text, L"Schema Free is missing a ROCKTYPE field.  The schema is unable to be used.");
    EXPECT_EQ(v.messages[1].kind, 13);
    EXPECT_EQ(v.flags, 0x20u);

    // A ply without a seam is reported and still flagged.
    v = validated({{ROCKTYPE, L"r"}, {BOTTOM, L"b"}, {PLY, L"p"}}, L"P");
    ASSERT_EQ(v.messages.size(), 1u);
    EXPECT_EQ(v.messages[0].text, L"Too many PLY fields in schema P.  This schema is unable to be used.");
    EXPECT_EQ(v.flags, 0x04u | 0x20u);

    SchemaDefinition unusable(L"bad", {{STRING, L"x"}});
    LoadMessages m;
    unusable.validate(m);
    EXPECT_EQ(unusable.validName(), L"");
}

TEST(SchemaFields, FindFieldIgnoresCaseAndFieldTextByKind)
{
    auto schema = makeSchema(L"s", {{ROCKTYPE, L"Rock"},
                                    {PERCENTAGE, L"Pct"},
                                    {BOTTOM, L"Depth"},
                                    {STRING, L"Colour"},
                                    {TOP, L"Top"},
                                    {SEAM, L"\u00C9tage"}});
    EXPECT_EQ(findField(schema->fields, L"DEPTH"), 2);
    EXPECT_EQ(findField(schema->fields, L"colour"), 3);
    EXPECT_EQ(findField(schema->fields, L"\u00E9TAGE"), 5);
    EXPECT_EQ(findField(schema->fields, L"Depth "), -1);

    LithData row(schema);
    row.rockType = L"SHALE";
    row.percentage = 60;
    row.values.set(3, L"grey");
    row.values.set(4, L"1.5");
    std::wstring out = L"kept";
    EXPECT_TRUE(fieldText(out, row, L"pct"));
    EXPECT_EQ(out, L"60");
    EXPECT_TRUE(fieldText(out, row, L"ROCK"));
    EXPECT_EQ(out, L"SHALE");
    EXPECT_TRUE(fieldText(out, row, L"colour"));
    EXPECT_EQ(out, L"grey");
    EXPECT_TRUE(fieldText(out, row, L"top"));
    EXPECT_EQ(out, L"1.5");
    out = L"kept";
    EXPECT_TRUE(fieldText(out, row, L"depth")); // unit-level values are the writers' business
    EXPECT_EQ(out, L"kept");
    EXPECT_FALSE(fieldText(out, row, L"missing"));
    EXPECT_EQ(out, L"");
}

TEST(ElementRows, AssignmentMapsValuesByExactName)
{
    auto a = makeSchema(L"a", {{ROCKTYPE, L"Rock"}, {STRING, L"Depth"}, {STRING, L"Colour"}, {STRING, L"Note"}});
    auto b = makeSchema(L"b", {{STRING, L"Colour"}, {ROCKTYPE, L"Rock"}, {STRING, L"DEPTH"}, {STRING, L"Colour"}});
    LithData fresh(a);
    EXPECT_EQ(fresh.percentage, 100);
    EXPECT_EQ(fresh.values.size(), 4u);

    LithData source(a);
    source.rockType = L"COAL";
    source.percentage = 40;
    source.values.assign({L"r", L"12", L"black", L"n"});
    LithData target(b);
    target.values.assign({L"old", L"old", L"old", L"old"});
    target = source;
    EXPECT_EQ(target.schema, b);
    EXPECT_EQ(target.rockType, L"COAL");
    EXPECT_EQ(target.percentage, 40);
    // "Depth" and "DEPTH" differ; the first "Colour" takes the value; "Note" has no place.
    EXPECT_EQ(target.values.toVector(), (std::vector<std::wstring>{L"black", L"r", L"", L""}));

    LithData same(a);
    same = source;
    EXPECT_EQ(same.values.toVector(), source.values.toVector());
}

TEST(Units, ConstructionCopyAndAssignment)
{
    auto a = makeSchema(L"a", {{ROCKTYPE, L"Rock"}, {BOTTOM, L"B"}, {STRING, L"Colour"}});
    auto b = makeSchema(L"b", {{ROCKTYPE, L"Rock"}, {BOTTOM, L"B"}, {STRING, L"Note"}});
    Interval blank(a);
    EXPECT_TRUE(blank.elements.empty());
    EXPECT_TRUE(std::isnan(blank.bottom) && std::isnan(blank.thickness) && std::isnan(blank.recovered));
    // No composite row until one is needed; until then it reads as a blank row for the unit's schema.
    EXPECT_FALSE(blank.composite);
    LithData scratch;
    EXPECT_EQ(blank.compositeOr(scratch).values.size(), 3u);
    EXPECT_EQ(blank.compositeOr(scratch).schema, a);
    EXPECT_EQ(blank.compositeRow().values.size(), 3u);
    EXPECT_EQ(blank.composite->schema, a);

    LithData row(b);
    row.rockType = L"SAND";
    row.values.assign({L"", L"", L"note"});
    Interval one(a, row);
    ASSERT_EQ(one.elements.size(), 1u);
    EXPECT_EQ(one.elements[0].schema, a);
    EXPECT_EQ(one.elements[0].rockType, L"SAND");
    EXPECT_EQ(one.elements[0].values[2], L""); // "Note" has no place in schema a

    Interval source(b);
    source.elements.push_back(row);
    source.bottom = 3;
    source.thickness = 1;
    source.seam = L"S1";
    source.compositeRow().values.set(2, L"x");
    Interval target(a);
    target = source;
    EXPECT_EQ(target.schema, a);
    EXPECT_EQ(target.elements[0].schema, b); // elements are copied as they are
    EXPECT_EQ(target.elements[0].values[2], L"note");
    EXPECT_EQ(target.composite->schema, a);
    EXPECT_EQ(target.bottom, 3.0);
    EXPECT_EQ(target.seam, L"S1");

    Interval copy(source);
    EXPECT_EQ(copy.schema, b);
    target.setSeam(L"S2");
    target.ply = L"P";
    target.setSeam(L"S3");
    EXPECT_EQ(target.seam, L"S3");
    EXPECT_EQ(target.ply, L"");
}

TEST(Units, PercentagesTextAndRockTypes)
{
    auto schema = ModelTest::fullSchema();
    Interval unit(schema);
    EXPECT_EQ(unit.elementsText(), L"");
    EXPECT_EQ(unit.percentageUpTo(-1), 0);
    EXPECT_THROW(unit.percentageUpTo(0), Exception);

    unit.setRockTypes(L"IN GENERAL", {100}, {L"SAND"});
    EXPECT_EQ(unit.elements.size(), 1u);
    unit.compositeRow().rockType = L"untouched";
    unit.setRockTypes(L"IN GENERAL", {60, 40}, {L"SAND", L"CLAY"});
    EXPECT_EQ(unit.elementsText(), L"SAND | CLAY");
    EXPECT_EQ(unit.composite->rockType, L"IN GENERAL");
    EXPECT_EQ(unit.composite->percentage, 100);
    EXPECT_EQ(unit.percentageUpTo(0), 60);
    EXPECT_EQ(unit.percentageUpTo(1), 100);
    try {
        unit.percentageUpTo(2);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.type(), 3);
    }

    // Already interbedded: the composite row is left alone; fewer rock types than percentages.
    unit.compositeRow().rockType = L"MIXED";
    unit.setRockTypes(L"IN GENERAL", {50, 30, 20}, {L"A", L"B"});
    EXPECT_EQ(unit.composite->rockType, L"MIXED");
    ASSERT_EQ(unit.elements.size(), 3u);
    EXPECT_EQ(unit.elements[2].rockType, L"");
    EXPECT_EQ(unit.elements[2].percentage, 100);
    unit.setRockTypes(L"X", {}, {});
    EXPECT_TRUE(unit.elements.empty());
}
