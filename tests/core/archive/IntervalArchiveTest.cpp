#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>

#include <boost/archive/archive_exception.hpp>

#include "core/archive/ArchiveStreams.h"
#include "core/archive/IntervalArchive.h"
#include "core/archive/ProcessIdentifier.h"

using namespace ORBAX_Logging;
using ORBAX_Utilities::iserial_stream;
using ORBAX_Utilities::oserial_stream;

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

SchemaPtr make_schema(const std::wstring& name, std::vector<FieldDefinition> fields)
{
    return std::make_shared<const SchemaDefinition>(name, std::move(fields));
}

SchemaPtr full_schema()
{
    return make_schema(L"Full", {{TOP, L"Top"},
                                 {BOTTOM, L"Bottom"},
                                 {ROCKTYPE, L"Rock"},
                                 {SAMPLE, L"Sample"},
                                 {SEAM, L"Seam"},
                                 {PLY, L"Ply"},
                                 {STRING, L"Colour"},
                                 {REAL, L"Hardness"}});
}

LithData row(const SchemaPtr& schema, const std::wstring& rock, int percentage, const std::wstring& colour,
             const std::wstring& hardness)
{
    LithData element(schema);
    element.rockType = rock;
    element.percentage = percentage;
    element.values.set(6, colour);
    element.values.set(7, hardness);
    return element;
}

// An interbedded unit with three elements, accented and non-Latin text and no recovered length.
Interval interbedded(const SchemaPtr& schema)
{
    Interval unit(schema);
    unit.elements.push_back(row(schema, L"Gr\u00E8s", 50, L"rouge \u2013 fonc\u00E9", L"2.5"));
    unit.elements.push_back(row(schema, L"Shale", 30, L"grey", L""));
    unit.elements.push_back(row(schema, L"\u7164", 20, L"black\nsecond line", L"1e-3"));
    unit.bottom = 12.345;
    unit.thickness = 1.5;
    unit.recovered = NaN;
    unit.seam = L"S\u00E9am A";
    unit.ply = L"P1";
    unit.sample = L"BH1-045A";
    unit.composite = row(schema, L"Interbedded", 100, L"mixed", L"");
    unit.compositeRow().schema = schema;
    return unit;
}

std::wstring archive_of(const Interval& unit)
{
    std::wostringstream text;
    {
        oserial_stream out(text);
        IntervalArchive::save(out, unit);
    }
    return text.str();
}

Interval read_back(const std::wstring& text)
{
    std::wistringstream in(text);
    iserial_stream archive(in);
    return IntervalArchive::load(archive);
}

std::wstring with_identifier(std::wstring text, const std::string& identifier)
{
    const std::string ours = ORBAX_Utilities::processUuidString();
    auto pos = text.find(std::wstring(ours.begin(), ours.end()));
    EXPECT_NE(pos, std::wstring::npos);
    text.replace(pos, ours.size(), std::wstring(identifier.begin(), identifier.end()));
    return text;
}

void expect_same_content(const LithData& a, const LithData& b)
{
    EXPECT_EQ(a.rockType, b.rockType);
    EXPECT_EQ(a.percentage, b.percentage);
    EXPECT_EQ(a.values.toVector(), b.values.toVector());
}

void expect_same_content(const Interval& a, const Interval& b)
{
    ASSERT_EQ(a.elements.size(), b.elements.size());
    for (std::size_t i = 0; i < a.elements.size(); ++i)
        expect_same_content(a.elements[i], b.elements[i]);
    auto same_number = [](double x, double y) { return std::isnan(x) ? std::isnan(y) : x == y; };
    EXPECT_PRED2(same_number, a.bottom, b.bottom);
    EXPECT_PRED2(same_number, a.thickness, b.thickness);
    EXPECT_PRED2(same_number, a.recovered, b.recovered);
    EXPECT_EQ(a.seam, b.seam);
    EXPECT_EQ(a.ply, b.ply);
    EXPECT_EQ(a.sample, b.sample);
    // A unit without a composite row reads as one with a blank row.
    LithData blankA, blankB;
    expect_same_content(a.compositeOr(blankA), b.compositeOr(blankB));
}

void expect_new_empty_schema(const SchemaPtr& schema)
{
    ASSERT_TRUE(schema);
    EXPECT_TRUE(schema->fields.empty());
    EXPECT_TRUE(schema->name.empty());
    EXPECT_EQ(schema->id, 0);
    EXPECT_EQ(schema->flags, 0u);
}

FieldSelection bits(std::size_t count, std::initializer_list<std::size_t> set)
{
    FieldSelection selection(count);
    for (auto i : set)
        selection.set(i);
    return selection;
}

} // namespace

TEST(IntervalArchive, RoundTripInThisRunKeepsTheSchemaObject)
{
    SchemaPtr schema = full_schema();
    Interval unit = interbedded(schema);
    Interval back = read_back(archive_of(unit));
    expect_same_content(back, unit);
    EXPECT_TRUE(std::isnan(back.recovered));
    EXPECT_EQ(back.schema.get(), schema.get());
    for (const auto& element : back.elements)
        EXPECT_EQ(element.schema.get(), schema.get());
    EXPECT_EQ(back.composite->schema.get(), schema.get());

    // Given depths and a recovered length, and a unit of no elements.
    Interval plain(schema);
    plain.bottom = -0.001;
    plain.thickness = NaN;
    plain.recovered = 0.75;
    Interval plainBack = read_back(archive_of(plain));
    expect_same_content(plainBack, plain);
    EXPECT_TRUE(std::isnan(plainBack.thickness));

    // A unit without a schema comes back without one.
    Interval bare;
    bare.seam = L"x";
    Interval bareBack = read_back(archive_of(bare));
    EXPECT_FALSE(bareBack.schema);
    EXPECT_EQ(bareBack.seam, L"x");
}

TEST(IntervalArchive, ForeignOrVanishedSchemaGivesNewEmptySchema)
{
    SchemaPtr schema = full_schema();
    const std::wstring text = archive_of(interbedded(schema));

    // Written by another run: the content comes, the schema does not.
    Interval foreign = read_back(with_identifier(text, "01234567-89ab-1def-8123-456789abcdef"));
    expect_same_content(foreign, interbedded(schema));
    expect_new_empty_schema(foreign.schema);
    EXPECT_NE(foreign.schema.get(), schema.get());
    // Every reference to the writer's one schema shares one new schema.
    for (const auto& element : foreign.elements)
        EXPECT_EQ(element.schema.get(), foreign.schema.get());
    EXPECT_EQ(foreign.composite->schema.get(), foreign.schema.get());
    // A second paste of the same text gets a schema of its own.
    Interval again = read_back(with_identifier(text, "01234567-89ab-1def-8123-456789abcdef"));
    EXPECT_NE(again.schema.get(), foreign.schema.get());

    // Written by this run, but the schema has gone since: never the old address.
    SchemaPtr passing = full_schema();
    std::wstring stale;
    {
        Interval unit = interbedded(passing);
        stale = archive_of(unit);
    }
    passing.reset();
    Interval afterwards = read_back(stale);
    expect_new_empty_schema(afterwards.schema);
    EXPECT_EQ(afterwards.elements.size(), 3u);
}

TEST(IntervalArchive, CraftedAddressesAreNeverFollowed)
{
    SchemaPtr schema = full_schema();
    std::wstring text = archive_of(interbedded(schema));
    // Every schema address in the text becomes one that this run never wrote.
    const std::string address = ORBAX_Utilities::pointer_text(schema.get());
    const std::wstring wideAddress(address.begin(), address.end());
    const std::wstring forged = L"0x10";
    std::wstring crafted = text;
    for (auto pos = crafted.find(wideAddress); pos != std::wstring::npos; pos = crafted.find(wideAddress, pos)) {
        // The length before the address text changes with it.
        auto lengthStart = crafted.rfind(L' ', pos - 2) + 1;
        crafted.replace(lengthStart, pos - lengthStart + wideAddress.size(), L"4 " + forged);
        pos = lengthStart;
        ++pos;
    }
    ASSERT_NE(crafted, text);
    Interval unit = read_back(crafted);
    expect_new_empty_schema(unit.schema);
    EXPECT_EQ(unit.seam, L"S\u00E9am A");
}

TEST(IntervalArchive, MalformedArchivesFailWithoutHarm)
{
    const std::wstring text = archive_of(interbedded(full_schema()));
    // Cut anywhere, the archive is refused with an exception (after the identifier, the library's
    // archive exception).
    const std::string id = ORBAX_Utilities::processUuidString();
    const auto afterIdentifier = text.find(std::wstring(id.begin(), id.end())) + id.size();
    for (std::size_t cut = 0; cut + 1 < text.size(); ++cut) {
        std::wistringstream in(text.substr(0, cut));
        bool refused = false;
        try {
            iserial_stream archive(in);
            IntervalArchive::load(archive);
        } catch (const boost::archive::archive_exception&) {
            refused = true;
        } catch (const std::runtime_error&) {
            refused = cut <= afterIdentifier;
        }
        EXPECT_TRUE(refused) << "cut at " << cut;
    }

    // A huge element count or value count runs into the end of the text, not into memory.
    std::wstring prefix = text.substr(0, afterIdentifier);
    for (const std::wstring& body : {std::wstring(L" 8 Interval 4294967295 7 Element 1 a 5"),
                                     std::wstring(L" 8 Interval 1 7 Element 1 a 5 10 shared_ptr 1 0 1 0 8 DataList "
                                                  L"4294967295 1 a"),
                                     std::wstring(L" 8 Interval -1"),
                                     std::wstring(L" 8 Interval 0 nan nan nan 10 shared_ptr 1 0 1 0 "
                                                  L"99999999999999999 x")}) {
        std::wistringstream in(prefix + body);
        iserial_stream archive(in);
        EXPECT_THROW(IntervalArchive::load(archive), boost::archive::archive_exception);
    }
}

TEST(IntervalArchive, PasteUnitFields)
{
    SchemaPtr schema = full_schema();
    const Interval source = interbedded(schema);
    Interval target = interbedded(schema);
    target.seam = L"old seam";
    target.ply = L"old ply";
    target.sample = L"old sample";
    target.bottom = 99;
    target.thickness = 9;
    target.recovered = 3;
    for (auto& element : target.elements)
        element.rockType = L"Coal";
    const Interval before = target;

    IntervalArchive::pasteFields(source, target, bits(8, {}));
    expect_same_content(target, before);

    // Bits past the end of the selection or of the schema do nothing.
    IntervalArchive::pasteFields(source, target, FieldSelection());
    IntervalArchive::pasteFields(source, target, bits(20, {12, 19}));
    expect_same_content(target, before);

    // Only the seam.
    IntervalArchive::pasteFields(source, target, bits(8, {4}));
    EXPECT_EQ(target.seam, source.seam);
    EXPECT_EQ(target.ply, L"old ply");
    EXPECT_EQ(target.sample, L"old sample");
    EXPECT_EQ(target.elements[0].rockType, L"Coal");

    // Ply and sample together; depths and the recovered length are never pasted, even when their
    // fields are selected.
    IntervalArchive::pasteFields(source, target, bits(8, {0, 1, 3, 5}));
    EXPECT_EQ(target.ply, source.ply);
    EXPECT_EQ(target.sample, source.sample);
    EXPECT_EQ(target.bottom, 99);
    EXPECT_EQ(target.thickness, 9);
    EXPECT_EQ(target.recovered, 3);

    // The rock type bit reaches every element pair and the composite rows.
    target.compositeRow().rockType = L"old composite";
    IntervalArchive::pasteFields(source, target, bits(3, {2}));
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_EQ(target.elements[k].rockType, source.elements[k].rockType);
    EXPECT_EQ(target.composite->rockType, L"Interbedded");
    EXPECT_EQ(target.elements[0].percentage, 50);
}

TEST(IntervalArchive, ElementPairing)
{
    SchemaPtr schema = full_schema();
    const Interval source = interbedded(schema); // three elements
    const FieldSelection colour = bits(8, {6});

    Interval two(schema);
    two.elements.push_back(row(schema, L"A", 60, L"", L""));
    two.elements.push_back(row(schema, L"B", 40, L"", L""));
    two.composite = row(schema, L"C", 100, L"", L"");
    IntervalArchive::pasteFields(source, two, colour);
    EXPECT_EQ(two.elements[0].values[6], L"rouge \u2013 fonc\u00E9");
    EXPECT_EQ(two.elements[1].values[6], L"grey");
    EXPECT_EQ(two.composite->values[6], L"mixed");
    EXPECT_EQ(two.elements[0].values[7], L""); // not selected

    Interval one(schema, row(schema, L"A", 100, L"", L""));
    one.composite = row(schema, L"C", 100, L"", L"");
    IntervalArchive::pasteFields(source, one, colour);
    EXPECT_EQ(one.elements[0].values[6], L"rouge \u2013 fonc\u00E9");
    EXPECT_EQ(one.composite->values[6], L""); // a single element has no composite to paste into

    // A source of one element onto an interbedded target: one pair, no composite.
    Interval single(schema, row(schema, L"S", 100, L"white", L""));
    single.composite = row(schema, L"SC", 100, L"single composite", L"");
    Interval three = interbedded(schema);
    IntervalArchive::pasteFields(single, three, colour);
    EXPECT_EQ(three.elements[0].values[6], L"white");
    EXPECT_EQ(three.elements[1].values[6], L"grey");
    EXPECT_EQ(three.composite->values[6], L"mixed");
}

TEST(IntervalArchive, ElementPasteBetweenSchemas)
{
    SchemaPtr schema = full_schema();
    LithData source = row(schema, L"Sand", 100, L"yellow", L"4");

    // Same schema object: by position, and a short target list grows to the source's length.
    LithData shortTarget(schema);
    shortTarget.values.resize(2);
    IntervalArchive::pasteElementFields(source, shortTarget, bits(8, {7}));
    ASSERT_EQ(shortTarget.values.size(), 8u);
    EXPECT_EQ(shortTarget.values[7], L"4");
    EXPECT_EQ(shortTarget.values[6], L"");

    // Another schema: each selected value goes to every field of exactly the same name.
    SchemaPtr other = make_schema(
        L"Other",
        {{STRING, L"Colour"}, {ROCKTYPE, L"Rock"}, {STRING, L"colour"}, {REAL, L"Hardness"}, {STRING, L"Colour"}});
    LithData target(other);
    target.rockType = L"Clay";
    IntervalArchive::pasteElementFields(source, target, bits(8, {6}));
    EXPECT_EQ(target.values.toVector(), (std::vector<std::wstring>{L"yellow", L"", L"", L"", L"yellow"}));
    EXPECT_EQ(target.rockType, L"Clay"); // the source's ROCKTYPE bit (2) was not set

    IntervalArchive::pasteElementFields(source, target, bits(8, {2, 7}));
    EXPECT_EQ(target.rockType, L"Sand");
    EXPECT_EQ(target.values[3], L"4");

    // The ROCKTYPE bit is the source schema's position: bit 1 names "Bottom" there, not "Rock".
    LithData unchanged(other);
    unchanged.rockType = L"Clay";
    IntervalArchive::pasteElementFields(source, unchanged, bits(8, {1}));
    EXPECT_EQ(unchanged.rockType, L"Clay");

    // A source from a foreign archive (an empty schema) carries nothing by name.
    LithData foreign = source;
    foreign.schema = std::make_shared<const SchemaDefinition>();
    LithData intact(other);
    IntervalArchive::pasteElementFields(foreign, intact, bits(8, {0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(intact.values.toVector(), std::vector<std::wstring>(5));
}
