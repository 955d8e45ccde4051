#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "core/model/Borehole.h"
#include "core/model/Exception.h"
#include "tests/core/model/ModelTestSupport.h"

using namespace ORBAX_Logging;
using ModelTest::column;
using ModelTest::fullSchema;

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

// Two boreholes are alike when their units have the same depths and texts.
void expectSameColumn(const Borehole& a, const Borehole& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
        EXPECT_EQ(a[k].bottom, b[k].bottom) << k;
        EXPECT_EQ(a[k].thickness, b[k].thickness) << k;
        EXPECT_TRUE(a[k].recovered == b[k].recovered || (std::isnan(a[k].recovered) && std::isnan(b[k].recovered)));
        EXPECT_EQ(a[k].elements.size(), b[k].elements.size());
    }
}

int thrownType(const std::function<void()>& edit)
{
    try {
        edit();
    } catch (const Exception& e) {
        return e.type();
    }
    return -1;
}

} // namespace

TEST(BoreholeException, TypesCarryTheirTexts)
{
    EXPECT_STREQ(Exception(0).what(), "Depth too deep");
    EXPECT_STREQ(Exception(1).what(), "Depth too shallow");
    EXPECT_STREQ(Exception(2).what(), "Unit out of range");
    EXPECT_STREQ(Exception(3).what(), "Element out of range");
    EXPECT_STREQ(Exception(4).what(), "Borehole has no schema");
    EXPECT_STREQ(Exception(7).what(), "");
    EXPECT_STREQ(Exception(-1).what(), "");
    Exception copy = Exception(3);
    EXPECT_EQ(copy.type(), 3);
    EXPECT_EQ(copy.message(), "Element out of range");
}

TEST(BoreholeNaming, NewClearedAndFromPath)
{
    Borehole hole = column(fullSchema(), {1, 2});
    EXPECT_EQ(hole.name, L"<unnamed>");
    hole.setNameFromPath(L"/data/holes/BH-12.final.pro");
    EXPECT_EQ(hole.name, L"BH-12.final");
    hole.setNameFromPath(L"C:\\logs\\hole7.txt");
    EXPECT_EQ(hole.name, L"hole7");
    hole.setNameFromPath(L"dir/.hidden");
    EXPECT_EQ(hole.name, L".hidden");
    hole.setNameFromPath(L"folder/");
    EXPECT_EQ(hole.name, L"folder/");
    hole.setNameFromPath(L"plain");
    EXPECT_EQ(hole.name, L"plain");
    auto schema = hole.schema;
    hole.clear();
    EXPECT_TRUE(hole.empty());
    EXPECT_EQ(hole.name, L"<unnamed>");
    EXPECT_EQ(hole.schema, schema);
}

TEST(BoreholeQueries, TopsAndUnitAtDepth)
{
    Borehole hole = column(fullSchema(), {2, 5, 6.5});
    EXPECT_EQ(hole.unitTop(0), 0.0);
    EXPECT_EQ(hole.unitTop(2), 5.0);
    EXPECT_EQ(thrownType([&] { hole.unitTop(3); }), 2);
    EXPECT_EQ(thrownType([&] { hole.unitTop(-1); }), 2);

    EXPECT_EQ(hole.unitAtDepth(0), 0);
    EXPECT_EQ(hole.unitAtDepth(1.99), 0);
    EXPECT_EQ(hole.unitAtDepth(2), 1); // a depth on a bottom belongs to the unit below
    EXPECT_EQ(hole.unitAtDepth(6.4), 2);
    EXPECT_EQ(thrownType([&] { hole.unitAtDepth(6.5); }), 0);
    EXPECT_EQ(thrownType([&] { hole.unitAtDepth(-0.1); }), 1);
    EXPECT_EQ(thrownType([&] { hole.unitAtDepth(NaN); }), 0);
}

TEST(BoreholeQueries, SchemaFlagsAndNoSchema)
{
    Borehole hole(fullSchema());
    EXPECT_TRUE(hole.hasSampleField());
    EXPECT_TRUE(hole.hasSeamField());
    EXPECT_TRUE(hole.hasSeamAndPlyFields());
    EXPECT_TRUE(hole.hasRecoveredField());
    EXPECT_TRUE(hole.hasPercentageField());

    Borehole seamOnly(ModelTest::makeSchema(L"s", {{ROCKTYPE, L"r"}, {BOTTOM, L"b"}, {SEAM, L"s"}}));
    EXPECT_TRUE(seamOnly.hasSeamField());
    EXPECT_FALSE(seamOnly.hasSeamAndPlyFields());
    EXPECT_FALSE(seamOnly.hasSampleField());

    Borehole none;
    EXPECT_EQ(thrownType([&] { none.hasSampleField(); }), 4);
    EXPECT_EQ(thrownType([&] { none.hasSeamField(); }), 4);
    EXPECT_EQ(thrownType([&] { none.hasSeamAndPlyFields(); }), 4);
    EXPECT_EQ(thrownType([&] { none.hasRecoveredField(); }), 4);
    EXPECT_EQ(thrownType([&] { none.hasPercentageField(); }), 4);
    EXPECT_EQ(thrownType([&] { none.appendUnit(3); }), 4);
}

TEST(BoreholeDelete, ShiftUpOrAbsorb)
{
    Borehole shifted = column(fullSchema(), {2, 5}, 1.0);
    EXPECT_EQ(shifted.deleteUnit(0, true), 0);
    ASSERT_EQ(shifted.size(), 1u);
    EXPECT_EQ(shifted[0].bottom, 3.0);
    EXPECT_EQ(shifted[0].thickness, 3.0);
    EXPECT_EQ(shifted[0].recovered, 1.0);

    Borehole absorbed = column(fullSchema(), {2, 5}, 1.0);
    EXPECT_EQ(absorbed.deleteUnit(0, false), 0);
    EXPECT_EQ(absorbed[0].bottom, 5.0);
    EXPECT_EQ(absorbed[0].thickness, 5.0);
    EXPECT_EQ(absorbed[0].recovered, 2.0);

    // A NaN recovered length below stays NaN; a NaN removed one adds nothing.
    Borehole nanBelow = column(fullSchema(), {2, 5}, 1.0);
    nanBelow[1].recovered = NaN;
    nanBelow.deleteUnit(0, false);
    EXPECT_TRUE(std::isnan(nanBelow[0].recovered));
    Borehole nanRemoved = column(fullSchema(), {2, 5}, 1.0);
    nanRemoved[0].recovered = NaN;
    nanRemoved.deleteUnit(0, false);
    EXPECT_EQ(nanRemoved[0].recovered, 1.0);
}

TEST(BoreholeDelete, LastUnitAndBadIndex)
{
    Borehole single = column(fullSchema(), {2});
    EXPECT_EQ(single.deleteUnit(0, true), -1);
    EXPECT_TRUE(single.empty());

    Borehole three = column(fullSchema(), {2, 5, 9});
    EXPECT_EQ(three.deleteUnit(2, false), -1);
    ASSERT_EQ(three.size(), 2u);
    EXPECT_EQ(three[1].bottom, 5.0);
    EXPECT_EQ(three[1].thickness, 3.0);

    Borehole before = three;
    EXPECT_EQ(thrownType([&] { three.deleteUnit(2, true); }), 2);
    EXPECT_EQ(thrownType([&] { three.deleteUnit(-1, true); }), 2);
    expectSameColumn(three, before);
}

TEST(BoreholeInsert, SplitSharesRecoveredLength)
{
    Borehole hole = column(fullSchema(), {2, 5}, 1.5);
    hole[0].elements[0].rockType = L"SAND";
    EXPECT_EQ(hole.insertUnit(0, false, false, 1.0), 0);
    ASSERT_EQ(hole.size(), 3u);
    EXPECT_EQ(hole[0].elements[0].rockType, L"SAND"); // a copy of the unit split
    EXPECT_EQ(hole[0].bottom, 1.0);
    EXPECT_EQ(hole[0].thickness, 1.0);
    EXPECT_DOUBLE_EQ(hole[0].recovered, 0.75);
    EXPECT_EQ(hole[1].bottom, 2.0);
    EXPECT_EQ(hole[1].thickness, 1.0);
    EXPECT_DOUBLE_EQ(hole[1].recovered, 0.75);
    EXPECT_EQ(hole[2].bottom, 5.0);

    Borehole nanRec = column(fullSchema(), {2}, NaN);
    nanRec.insertUnit(0, false, false, 1.0);
    EXPECT_TRUE(std::isnan(nanRec[0].recovered)) << "no length measured is not a length of 0";
    EXPECT_TRUE(std::isnan(nanRec[1].recovered));

    Borehole blank = column(fullSchema(), {2}, 1.5);
    blank[0].elements[0].rockType = L"SAND";
    blank.insertUnit(0, false, true, 0.5);
    ASSERT_EQ(blank[0].elements.size(), 1u);
    EXPECT_EQ(blank[0].elements[0].rockType, L"");
    EXPECT_EQ(blank[0].recovered, 0.0);
    EXPECT_EQ(blank[1].recovered, 1.5);
    EXPECT_EQ(blank[1].thickness, 1.5);
}

TEST(BoreholeInsert, ZeroThicknessUnitKeepsItsRecoveredLength)
{
    // A unit of no thickness (appendUnit allows one) split at its own top: no 0/0.
    Borehole hole = column(fullSchema(), {2, 2}, 0.0);
    hole[1].recovered = 0.4;
    hole.insertUnit(1, false, false, 2.0);
    EXPECT_EQ(hole[1].thickness, 0.0);
    EXPECT_EQ(hole[1].recovered, 0.0);
    EXPECT_EQ(hole[2].recovered, 0.4);
    EXPECT_EQ(hole[2].thickness, 0.0);
}

TEST(BoreholeInsert, ShiftDownMovesLaterUnits)
{
    Borehole hole = column(fullSchema(), {2, 5});
    EXPECT_EQ(hole.insertUnit(1, true, true, 7.0), 1); // below the unit's bottom is allowed with a shift
    ASSERT_EQ(hole.size(), 3u);
    EXPECT_EQ(hole[1].bottom, 7.0);
    EXPECT_EQ(hole[1].thickness, 5.0);
    EXPECT_EQ(hole[2].bottom, 10.0);
    EXPECT_EQ(hole[2].thickness, 3.0);
}

TEST(BoreholeInsert, RefusalsChangeNothing)
{
    Borehole hole = column(fullSchema(), {2, 5});
    const Borehole before = hole;
    EXPECT_EQ(thrownType([&] { hole.insertUnit(1, false, false, 1.0); }), 1);
    EXPECT_EQ(thrownType([&] { hole.insertUnit(1, false, false, 6.0); }), 0);
    EXPECT_EQ(thrownType([&] { hole.insertUnit(2, false, false, 6.0); }), 2);
    Borehole noSchema;
    noSchema.push_back(Interval());
    EXPECT_EQ(thrownType([&] { noSchema.insertUnit(0, true, true, 1.0); }), 4);
    expectSameColumn(hole, before);
    // NaN passes both depth tests and is stored as given.
    hole.insertUnit(0, false, true, NaN);
    EXPECT_TRUE(std::isnan(hole[0].bottom));
}

TEST(BoreholeInsert, BlankUnitRecoveredFollowsSchema)
{
    auto noRecovered = ModelTest::makeSchema(L"nr", {{ROCKTYPE, L"r"}, {BOTTOM, L"b"}});
    Borehole hole = column(noRecovered, {2}, NaN);
    hole.insertUnit(0, true, true, 1.0);
    EXPECT_TRUE(std::isnan(hole[0].recovered));
    Borehole withRecovered = column(fullSchema(), {2}, NaN);
    withRecovered.insertUnit(0, true, true, 1.0);
    EXPECT_EQ(withRecovered[0].recovered, 0.0);
}

TEST(BoreholeAppend, BelowTheLastUnit)
{
    Borehole empty(fullSchema());
    EXPECT_EQ(empty.appendUnit(4), 0);
    EXPECT_EQ(empty[0].bottom, 4.0);
    EXPECT_EQ(empty[0].thickness, 4.0);
    EXPECT_EQ(empty[0].recovered, 0.0);
    EXPECT_EQ(empty[0].elements.size(), 1u);
    EXPECT_EQ(empty.appendUnit(4), 1);
    EXPECT_EQ(empty[1].thickness, 0.0);
    EXPECT_EQ(thrownType([&] { empty.appendUnit(3.9); }), 1);
    EXPECT_EQ(empty.size(), 2u);
}

TEST(BoreholeSetDepth, ShiftOrTakeUp)
{
    Borehole hole = column(fullSchema(), {2, 5, 9});
    hole.setUnitDepth(0, false, 3);
    EXPECT_EQ(hole[0].bottom, 3.0);
    EXPECT_EQ(hole[0].thickness, 3.0);
    EXPECT_EQ(hole[1].bottom, 5.0);
    EXPECT_EQ(hole[1].thickness, 2.0);

    hole.setUnitDepth(1, true, 6);
    EXPECT_EQ(hole[1].thickness, 3.0);
    EXPECT_EQ(hole[2].bottom, 10.0);
    EXPECT_EQ(hole[2].thickness, 4.0);

    const Borehole before = hole;
    EXPECT_EQ(thrownType([&] { hole.setUnitDepth(1, false, 10.5); }), 0);
    EXPECT_EQ(thrownType([&] { hole.setUnitDepth(1, true, 2.9); }), 1);
    EXPECT_EQ(thrownType([&] { hole.setUnitDepth(0, true, -1); }), 1);
    EXPECT_EQ(thrownType([&] { hole.setUnitDepth(3, true, 20); }), 2);
    expectSameColumn(hole, before);
    hole.setUnitDepth(2, false, 20); // the last unit may go deeper without a shift
    EXPECT_EQ(hole[2].thickness, 14.0);
}
