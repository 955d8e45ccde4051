#include <gtest/gtest.h>

#include "core/model/Exception.h"
#include "docview/print/pagination/SampleLabels.h"
#include "tests/core/model/ModelTestSupport.h"

using namespace SampleLabels;
using ORBAX_Logging::Borehole;

namespace {

Borehole WithSamples(ORBAX_Logging::SchemaPtr schema, const std::vector<std::wstring>& samples)
{
    std::vector<double> bottoms;
    for (std::size_t i = 0; i < samples.size(); ++i)
        bottoms.push_back(1.5 * static_cast<double>(i + 1));
    Borehole hole = ModelTest::column(schema, bottoms);
    for (std::size_t i = 0; i < samples.size(); ++i)
        hole[i].sample = samples[i];
    return hole;
}

std::vector<std::pair<int, int>> Runs(const Borehole& hole)
{
    std::vector<std::pair<int, int>> runs;
    for (const Sample& s : CollectSamples(hole))
        runs.emplace_back(s.firstUnit, s.lastUnit);
    return runs;
}

const Line* LineAt(const std::vector<Line>& lines, int x, int y)
{
    for (const Line& line : lines)
        if (line.x == x && line.y == y)
            return &line;
    return nullptr;
}

Captions TestCaptions() { return {L"Borename", L"From", L"To", L"Sample No.", L"Seam", L"Ply", L"Comment"}; }

} // namespace

TEST(SampleLabels, SamplesAreRunsOfOneNumberIgnoringCase)
{
    const auto schema = ModelTest::fullSchema();
    using Pairs = std::vector<std::pair<int, int>>;
    EXPECT_EQ(Runs(WithSamples(schema, {L"A1", L"a1", L"A2", L"A1"})), (Pairs{{0, 1}, {2, 2}, {3, 3}}));
    // Units without a number belong to no sample and end a run.
    EXPECT_EQ(Runs(WithSamples(schema, {L"", L"S1", L"", L"S1", L"s1", L""})), (Pairs{{1, 1}, {3, 4}}));
    EXPECT_TRUE(Runs(WithSamples(schema, {L"", L""})).empty());
    EXPECT_TRUE(Runs(Borehole(schema)).empty());
}

TEST(SampleLabels, GridCountsWholeCellsInsideTheMargins)
{
    // 200 x 287 mm: 160.2 mm and 247 mm of room, one column of four rows.
    Grid grid = ComputeGrid(2000, 2870);
    EXPECT_EQ(grid.columns, 1);
    EXPECT_EQ(grid.rows, 4);
    EXPECT_EQ(grid.left, 199);
    EXPECT_EQ(grid.top, 200);
    // The fifth label would start the next page at the first cell.
    EXPECT_EQ(grid.PerPage(), 4);
    EXPECT_EQ(grid.CellY(3), 200 + 3 * 570);
    // Landscape: two columns, two rows, filled across first.
    grid = ComputeGrid(2870, 2000);
    EXPECT_EQ(grid.columns, 2);
    EXPECT_EQ(grid.rows, 2);
    EXPECT_EQ(grid.CellX(1), 199 + 850);
    EXPECT_EQ(grid.CellY(1), 200);
    EXPECT_EQ(grid.CellX(2), 199);
    EXPECT_EQ(grid.CellY(2), 200 + 570);
    // The least paper that holds one label, and a tenth of a millimetre less.
    EXPECT_TRUE(ComputeGrid(1248, 970).Fits());
    EXPECT_FALSE(ComputeGrid(1247, 970).Fits());
    EXPECT_FALSE(ComputeGrid(1248, 969).Fits());
    EXPECT_FALSE(ComputeGrid(0, 0).Fits());
    EXPECT_FALSE(ComputeGrid(-5, 3000).Fits());
}

TEST(SampleLabels, LabelHoldsDepthsNumberAndSortedDistinctSeamsAndPlies)
{
    Borehole hole = WithSamples(ModelTest::fullSchema(), {L"X", L"S7", L"s7", L"S7"});
    hole.name = L"BH-9";
    hole[1].seam = L"Upper";
    hole[2].seam = L"Lower";
    hole[3].seam = L"Upper";
    hole[1].ply = L"U2";
    hole[3].ply = L"U1";
    const auto lines = LabelLines(hole, {1, 3}, L"North Pit", TestCaptions());
    ASSERT_NE(LineAt(lines, 170, 15), nullptr);
    EXPECT_EQ(LineAt(lines, 170, 15)->text, L"North Pit");
    EXPECT_EQ(LineAt(lines, 50, 80)->text, L"Borename");
    EXPECT_EQ(LineAt(lines, 370, 80)->text, L"BH-9");
    EXPECT_EQ(LineAt(lines, 370, 150)->text, L"1.500") << "the top of the first unit";
    EXPECT_EQ(LineAt(lines, 370, 220)->text, L"6.000") << "the base of the last unit";
    EXPECT_EQ(LineAt(lines, 370, 290)->text, L"S7") << "the first unit's number";
    EXPECT_EQ(LineAt(lines, 370, 360)->text, L"Lower, Upper");
    EXPECT_EQ(LineAt(lines, 370, 430)->text, L"U1, U2");
    EXPECT_EQ(LineAt(lines, 50, 500)->text, L"Comment");
    EXPECT_EQ(LineAt(lines, 370, 500), nullptr) << "the comment is written by hand";
}

TEST(SampleLabels, LinesFollowTheSchemasFields)
{
    using namespace ORBAX_Logging;
    // Plies without seams: neither line.
    const auto plies =
        ModelTest::makeSchema(L"plies", {{ROCKTYPE, L"Rock"}, {BOTTOM, L"Bottom"}, {SAMPLE, L"S"}, {PLY, L"Ply"}});
    Borehole hole = WithSamples(plies, {L"A"});
    auto lines = LabelLines(hole, {0, 0}, L"", TestCaptions());
    EXPECT_EQ(LineAt(lines, 50, 360), nullptr);
    EXPECT_EQ(LineAt(lines, 50, 430), nullptr);
    EXPECT_EQ(LineAt(lines, 370, 290)->text, L"A");

    // Seams only: the seam line without the ply line; no sample field: the caption without a value.
    const auto seams = ModelTest::makeSchema(L"seams", {{ROCKTYPE, L"Rock"}, {BOTTOM, L"Bottom"}, {SEAM, L"Seam"}});
    hole = WithSamples(seams, {L"A"});
    lines = LabelLines(hole, {0, 0}, L"", TestCaptions());
    EXPECT_NE(LineAt(lines, 50, 360), nullptr);
    EXPECT_EQ(LineAt(lines, 50, 430), nullptr);
    EXPECT_NE(LineAt(lines, 50, 290), nullptr);
    EXPECT_EQ(LineAt(lines, 370, 290), nullptr);

    // A borehole without a schema cannot say which lines it has.
    Borehole bare = WithSamples(ModelTest::fullSchema(), {L"A"});
    bare.schema.reset();
    EXPECT_THROW(LabelLines(bare, {0, 0}, L"", TestCaptions()), ORBAX_Logging::Exception);
}
