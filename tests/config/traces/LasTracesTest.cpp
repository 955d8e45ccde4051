#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <thread>

#include "config/traces/LasProperty.h"
#include "platform/Paths.h"
#include "tests/support/TestSupport.h"

namespace {

// A LAS 2.0 file of `rows` rows from depth 100 in steps of 1: GR = the row number, CALI = twice it,
// CONST = 7 throughout, EMPTY all null; GR is null at `nullRow` when it is not negative.
std::string MakeLas(int rows, int nullRow = -1)
{
    std::ostringstream out;
    out << "~Version\nVERS. 2.0 : version\nWRAP. NO : one line per depth\n"
        << "~Well\nSTRT.M 100 : start\nSTOP.M " << 100 + rows - 1 << " : stop\nSTEP.M 1 : step\n"
        << "NULL. -999.25 : null\n"
        << "~Curve\nDEPT.M : depth\nGR.API : gamma\nCALI.IN : caliper\nCONST. : constant\nEMPTY. : nothing\n"
        << "~A\n";
    for (int i = 0; i < rows; ++i)
        out << 100 + i << " " << (i == nullRow ? -999.25 : i) << " " << 2 * i << " 7 -999.25\n";
    return out.str();
}

class LasTraces : public ::testing::Test {
protected:
    std::wstring Write(const std::string& text)
    {
        QuorTest::write_file(m_dir / "traces.las", text);
        return ORBAX_Platform::wide_from_path(m_dir / "traces.las");
    }

    QuorTest::TempDir m_dir;
};

TraceDefinition Definition(const std::string& name, double minimum, double maximum, bool ownRange, int colour,
                           int field)
{
    TraceDefinition definition;
    definition.SetName(name);
    definition.minimum = minimum;
    definition.maximum = maximum;
    definition.ownRange = ownRange;
    definition.colourIndex = colour;
    definition.displayField = field;
    return definition;
}

const CurveProperty& CurveNamed(const LasProperty& las, const std::string& name)
{
    for (const CurveProperty& curve : las.curves())
        if (curve.mnemonic == name)
            return curve;
    throw std::runtime_error("no curve " + name);
}

} // namespace

TEST_F(LasTraces, CurvesTakeTheLookOfTheFirstMatchingDefinition)
{
    TraceDefinitionList definitions{Definition("G.*", 0, 50, false, 1, 3), Definition("GR", 0, 10, true, 2, 2)};
    definitions[0].visible = false;
    LasProperty las(definitions);
    std::wstring error;
    ASSERT_EQ(las.read_bytes(MakeLas(10), L"traces.las", error), 0) << std::string(error.begin(), error.end());

    const CurveProperty& gr = CurveNamed(las, "GR");
    EXPECT_FALSE(gr.ownRange);
    EXPECT_EQ(gr.rangeMinimum, 0);
    EXPECT_EQ(gr.rangeMaximum, 50);
    EXPECT_EQ(gr.colourIndex, 1);
    EXPECT_EQ(gr.displayField, 2) << "the column is stored less one";
    EXPECT_FALSE(gr.visible);

    const CurveProperty& cali = CurveNamed(las, "CALI");
    EXPECT_EQ(cali.colourIndex, 0) << "no definition: the constructor's look";
    EXPECT_EQ(cali.displayField, 0);
    EXPECT_TRUE(cali.visible);
    EXPECT_TRUE(cali.ownRange);
    EXPECT_EQ(cali.rangeMinimum, 0);
    EXPECT_EQ(cali.rangeMaximum, 18) << "the range is the data range";

    TraceSetInfo info(las);
    EXPECT_EQ(info.fileName, las.file_name());
    EXPECT_EQ(info.startDepth, 100);
    EXPECT_EQ(info.stopDepth, 109);
    EXPECT_FALSE(info.loadedFile);
    ASSERT_EQ(info.curves.size(), 5u);
    EXPECT_EQ(info.curves[1].mnemonic, L"GR");
    EXPECT_EQ(info.curves[1].rangeMaximum, 50);
    EXPECT_EQ(info.curves[2].maximum, 18);
}

TEST_F(LasTraces, DefinitionsApplyAlsoWhenTheReadFails)
{
    TraceDefinitionList definitions{Definition("DEPT", 0, 1, false, 5, 1)};
    LasProperty las(definitions);
    std::wstring error;
    EXPECT_NE(las.read_bytes("~Version\nVERS. 2.0 : v\n~Curve\nDEPT.M : depth\n", L"traces.las", error), 0);
    EXPECT_FALSE(error.empty());
    ASSERT_FALSE(las.curves().empty());
    EXPECT_EQ(CurveNamed(las, "DEPT").colourIndex, 5);
}

TEST_F(LasTraces, TheReadUsesItsOwnCopyOfTheDefinitions)
{
    TraceDefinitionList live{Definition("GR", 0, 10, false, 4, 1)};
    LasProperty las(live);
    const std::wstring name = Write(MakeLas(50));
    std::wstring error;
    int result = -1;
    std::thread worker([&] { result = las.read(name, error); });
    live.clear(); // the user replaces the definitions while the load runs
    live.push_back(Definition("GR", 0, 10, false, 9, 1));
    worker.join();
    ASSERT_EQ(result, 0);
    EXPECT_EQ(CurveNamed(las, "GR").colourIndex, 4);
}

TEST_F(LasTraces, PointsScaleValuesOntoTheAxisAndDepthsByTheScale)
{
    LasProperty las({Definition("GR", 0, 8, false, 1, 1)});
    std::wstring error;
    ASSERT_EQ(las.read_bytes(MakeLas(10, 3), L"traces.las", error), 0);

    const CurveProperty& gr = CurveNamed(las, "GR");
    std::vector<PointF> points = gr.NewPoints(200.0f, 2.0);
    ASSERT_EQ(points.size(), 10u);
    EXPECT_FLOAT_EQ(points[0].X, 0.0f);
    EXPECT_FLOAT_EQ(points[8].X, 200.0f) << "the definition's maximum lies at the full width";
    EXPECT_FLOAT_EQ(points[9].X, 225.0f);
    EXPECT_FLOAT_EQ(points[0].Y, 50.0f);
    EXPECT_FLOAT_EQ(points[9].Y, 54.5f);
    EXPECT_TRUE(std::isnan(points[3].X)) << "a null sample has no x";
    EXPECT_FLOAT_EQ(points[3].Y, 51.5f);

    CurveProperty cali = CurveNamed(las, "CALI");
    cali.depthOffset = 10;
    cali.plotWidth = 90;
    EXPECT_FALSE(cali.has_points());
    cali.ComputePoints();
    ASSERT_EQ(cali.points().size(), 10u);
    EXPECT_FLOAT_EQ(cali.points()[9].X, 90.0f) << "own range: the data maximum at the full width";
    EXPECT_FLOAT_EQ(cali.points()[1].X, 10.0f);
    EXPECT_FLOAT_EQ(cali.points()[0].Y, 110.0f);
}

TEST_F(LasTraces, ConstantAndAllNullCurves)
{
    LasProperty las;
    std::wstring error;
    ASSERT_EQ(las.read_bytes(MakeLas(6), L"traces.las", error), 0);

    for (const PointF& point : CurveNamed(las, "CONST").NewPoints(40.0f, 1.0))
        EXPECT_FLOAT_EQ(point.X, 20.0f);

    const CurveProperty& empty = CurveNamed(las, "EMPTY");
    EXPECT_TRUE(std::isnan(empty.minimum()));
    EXPECT_TRUE(std::isnan(empty.maximum()));
    for (const PointF& point : empty.NewPoints(40.0f, 1.0))
        EXPECT_TRUE(std::isnan(point.X));

    // A fixed range of no width places nothing, whatever the value.
    CurveProperty fixed = CurveNamed(las, "GR");
    fixed.ownRange = false;
    fixed.rangeMinimum = fixed.rangeMaximum = 5;
    for (const PointF& point : fixed.NewPoints(40.0f, 1.0))
        EXPECT_TRUE(std::isnan(point.X));
}

TEST_F(LasTraces, SmoothingWindowShrinksAtBothEnds)
{
    LasProperty las({Definition("GR", 0, 100, false, 1, 1)});
    std::wstring error;
    ASSERT_EQ(las.read_bytes(MakeLas(100, 50), L"traces.las", error), 0);
    CurveProperty gr = CurveNamed(las, "GR");
    gr.smoothing = true;
    gr.smoothingWindow = 10;
    std::vector<PointF> points = gr.NewPoints(100.0f, 1.0);

    EXPECT_FLOAT_EQ(points[7].X, 7.0f) << "rows 2 to 12";
    EXPECT_FLOAT_EQ(points[1].X, 1.0f) << "rows 0 to 2";
    EXPECT_FLOAT_EQ(points[0].X, 0.0f);
    EXPECT_FLOAT_EQ(points[99].X, 99.0f) << "the last row is its own sample";
    EXPECT_TRUE(std::isnan(points[45].X)) << "a null within the window";
    EXPECT_TRUE(std::isnan(points[55].X));
    EXPECT_FLOAT_EQ(points[44].X, 44.0f);

    // With a linear curve the mean equals the sample, so use squares to see the window's extent.
    std::ostringstream squares;
    squares << "~Version\nVERS. 2.0 : v\nWRAP. NO : w\n~Well\nSTRT.M 0 : s\nSTOP.M 5 : s\nSTEP.M 1 : s\n"
            << "~Curve\nDEPT.M : d\nSQ. : squares\n~A\n";
    for (int i = 0; i < 6; ++i)
        squares << i << " " << i * i << "\n";
    LasProperty squared;
    ASSERT_EQ(squared.read_bytes(squares.str(), L"traces.las", error), 0);
    CurveProperty sq = squared.curves().at(1);
    sq.smoothing = true;
    sq.smoothingWindow = 3;                                  // half window 1
    std::vector<PointF> smoothed = sq.NewPoints(25.0f, 1.0); // x equals the value
    EXPECT_FLOAT_EQ(smoothed[2].X, (1 + 4 + 9) / 3.0f);
    EXPECT_FLOAT_EQ(smoothed[5].X, 25.0f);
}
