#include <gtest/gtest.h>

#include <sstream>

#include "docview/mouse/rules/TracePick.h"
#include "docview/mouse/rules/WheelAccumulator.h"

using TracePick::NearSegment;
using TracePick::PickTraces;
using TracePick::TraceRef;

TEST(WheelAccumulator, NothingHappensUntilAWholeNotchHasGathered)
{
    WheelAccumulator wheel;
    EXPECT_EQ(wheel.add(60), 0);
    EXPECT_EQ(wheel.add(60), 1);
    EXPECT_EQ(wheel.pending(), 0);
    EXPECT_EQ(wheel.add(-120), -1);
    // A half notch one way is cancelled by a half notch the other way.
    EXPECT_EQ(wheel.add(60), 0);
    EXPECT_EQ(wheel.add(-60), 0);
    EXPECT_EQ(wheel.add(-60), 0);
    EXPECT_EQ(wheel.add(-60), -1);
    // Fine-grained devices: fifteen steps of 8 make one notch.
    wheel.reset();
    int notches = 0;
    for (int i = 0; i < 15; ++i)
        notches += wheel.add(8);
    EXPECT_EQ(notches, 1);
    // One event acts once; what it brought beyond a notch waits for the next events, and never more
    // than a few notches of it.
    wheel.reset();
    EXPECT_EQ(wheel.add(360), 1);
    EXPECT_EQ(wheel.pending(), 240);
    EXPECT_EQ(wheel.add(0), 1);
    EXPECT_EQ(wheel.add(0), 1);
    EXPECT_EQ(wheel.add(0), 0);
    EXPECT_EQ(wheel.add(2000000000), 1);
    EXPECT_LE(wheel.pending(), 8 * WheelAccumulator::Notch);
}

TEST(TracePick, SegmentsAreNearWithinThePickDistance)
{
    // Across from a sloping line, within its box widened by the distance.
    EXPECT_TRUE(NearSegment({0, 0}, {10, 10}, {5, 5.9}, 1));
    EXPECT_FALSE(NearSegment({0, 0}, {10, 10}, {5, 6.1}, 1));
    EXPECT_TRUE(NearSegment({0, 5}, {10, 5}, {10.9, 5}, 1));
    EXPECT_FALSE(NearSegment({0, 5}, {10, 5}, {11.1, 5}, 1));
    // A vertical segment: beside it.
    EXPECT_TRUE(NearSegment({10, 0}, {10, 10}, {10.5, 5}, 1));
    EXPECT_FALSE(NearSegment({10, 0}, {10, 10}, {11.5, 5}, 1));
    // Beyond the ends of a steep one the line's extension does not count.
    EXPECT_FALSE(NearSegment({0, 0}, {1, 10}, {2, 20}, 1));
}

namespace {

// Ten rows from depth 100 in steps of 1: GR rises from 0 to 9, CALI falls from 9 to 0.
std::unique_ptr<LasProperty> CrossingTraces()
{
    std::ostringstream out;
    out << "~Version\nVERS. 2.0 : version\nWRAP. NO : one line per depth\n"
        << "~Well\nSTRT.M 100 : start\nSTOP.M 109 : stop\nSTEP.M 1 : step\nNULL. -999.25 : null\n"
        << "~Curve\nDEPT.M : depth\nGR.API : gamma\nCALI.IN : caliper\n~A\n";
    for (int i = 0; i < 10; ++i)
        out << 100 + i << " " << i << " " << 9 - i << "\n";
    auto file = std::make_unique<LasProperty>();
    std::wstring error;
    if (file->read_bytes(out.str(), L"crossing.las", error) != 0)
        return nullptr;
    for (CurveProperty& curve : file->curves()) {
        curve.displayField = 0;
        curve.colourIndex = 1;
        curve.plotWidth = 27;
        curve.depthScale = 0.1;
        curve.ComputePoints();
    }
    // The depth curve itself is not drawn.
    file->curves()[0].visible = false;
    return file;
}

} // namespace

TEST(TracePick, TheCurvesNearThePointerAreFoundInColumnFileAndCurveOrder)
{
    std::vector<std::unique_ptr<LasProperty>> traces;
    traces.push_back(CrossingTraces());
    ASSERT_TRUE(traces[0]);
    ASSERT_EQ(traces[0]->curves().size(), 3u);
    // Plot 0 from (100, 20), 27 mm wide, its top at depth 100: row i at y = 20 + 10 i. GR's row i lies at
    // x = 100 + 3 i, CALI's at x = 127 - 3 i.
    const QRectF plots[3] = {QRectF(100, 20, 27, 200), QRectF(140, 20, 27, 200), QRectF(180, 20, 27, 200)};
    const QRectF columns[3] = {QRectF(95, 10, 37, 230), QRectF(135, 10, 37, 230), QRectF(175, 10, 37, 230)};
    auto pick = [&](QPointF p) { return PickTraces(traces, columns, plots, 100, 0.1, p, 1.0); };

    EXPECT_EQ(pick({106, 40}), (std::vector<TraceRef>{{0, 1}}));
    EXPECT_EQ(pick({121, 40}), (std::vector<TraceRef>{{0, 2}}));
    EXPECT_EQ(pick({113.5, 65}), (std::vector<TraceRef>{{0, 1}, {0, 2}})) << "where the curves cross";
    EXPECT_TRUE(pick({110, 40}).empty()) << "between the curves";
    EXPECT_TRUE(pick({150, 40}).empty()) << "a column the curves are not in";

    // Hidden curves and curves without a line are not found.
    traces[0]->curves()[1].visible = false;
    EXPECT_TRUE(pick({106, 40}).empty());
    traces[0]->curves()[1].visible = true;
    traces[0]->curves()[1].colourIndex = 16;
    EXPECT_TRUE(pick({106, 40}).empty());
    traces[0]->curves()[1].colourIndex = 1;

    // A depth shift moves the curve down: GR's first row now lies at y = 40.
    traces[0]->curves()[1].depthOffset = 2;
    traces[0]->curves()[1].ComputePoints();
    EXPECT_EQ(pick({100.2, 40}), (std::vector<TraceRef>{{0, 1}}));
    EXPECT_TRUE(pick({106, 40}).empty());

    // The same file again in column 1: found after column 0's curves.
    traces.push_back(CrossingTraces());
    for (CurveProperty& curve : traces[1]->curves())
        curve.displayField = 1;
    EXPECT_EQ(pick({121, 40}), (std::vector<TraceRef>{{0, 2}}));
    EXPECT_EQ(pick({161, 40}), (std::vector<TraceRef>{{1, 2}}));
}
