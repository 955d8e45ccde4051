// The one rule by which every reader gives a unit the values of its row: only where the schema has
// their fields, a ply only within a seam, and the text a read holds counted as it changes.
#include <gtest/gtest.h>

#include <cmath>

#include "core/model/Interval.h"
#include "core/model/UnitRowValues.h"
#include "tests/core/model/ModelTestSupport.h"

using namespace ORBAX_Logging;

TEST(UnitRowValues, SetOnlyWhereTheSchemaHasFieldsAPlyOnlyWithinASeam)
{
    UnitRowValues row;
    row.seam = L"S2";
    row.ply = L"P7";
    row.sample = L"A1";
    row.recovered = 0.8;

    const auto unitBefore = [](SchemaPtr schema) {
        Interval unit(schema);
        unit.seam = L"old";
        unit.ply = L"old";
        unit.sample = L"old";
        unit.recovered = 0.5;
        return unit;
    };
    const auto texts = [](const Interval& unit) {
        return unit.seam.str() + L"|" + unit.ply.str() + L"|" + unit.sample.str();
    };
    const std::vector<FieldDefinition> plyAlone{{ROCKTYPE, L"Rock"}, {BOTTOM, L"To"}, {PLY, L"Ply"}};
    const std::vector<FieldDefinition> seamAlone{{ROCKTYPE, L"Rock"}, {BOTTOM, L"To"}, {SEAM, L"Seam"}};

    // Every field: every value; the count goes from "old" three times to the row's texts.
    Interval full = unitBefore(ModelTest::fullSchema());
    std::size_t characters = 100;
    setUnitValues(full, row, UnitValueFields(*ModelTest::fullSchema()), characters);
    EXPECT_EQ(texts(full), L"S2|P7|A1");
    EXPECT_EQ(full.recovered, 0.8);
    EXPECT_EQ(characters, 100u - 9u + 6u);

    // A ply field without a seam field sets nothing; a seam without a ply field clears the ply.
    Interval plyOnly = unitBefore(ModelTest::makeSchema(L"ply", plyAlone));
    setUnitValues(plyOnly, row, UnitValueFields(*ModelTest::makeSchema(L"ply", plyAlone)), characters);
    EXPECT_EQ(texts(plyOnly), L"old|old|old");
    EXPECT_EQ(plyOnly.recovered, 0.5);
    Interval seamOnly = unitBefore(ModelTest::makeSchema(L"seam", seamAlone));
    setUnitValues(seamOnly, row, UnitValueFields(*ModelTest::makeSchema(L"seam", seamAlone)), characters);
    EXPECT_EQ(texts(seamOnly), L"S2||old");

    row.reset();
    EXPECT_TRUE(row.seam.empty() && row.ply.empty() && row.sample.empty());
    EXPECT_TRUE(std::isnan(row.top) && std::isnan(row.bottom) && std::isnan(row.thickness) &&
                std::isnan(row.recovered));
}
