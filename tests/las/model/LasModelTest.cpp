#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "las/DepthIndex.h"
#include "las/LasException.h"
#include "tests/las/LasTestFiles.h"

using namespace LasTest;
using ORBAX_Geophysics::Curve;
using ORBAX_Geophysics::DepthIndex;
using ORBAX_Geophysics::LasException;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Depths 10, 11, 12, 13 with a second curve 1, 2, 3, 4 (and a NaN depth in a fifth row).
const char* const kFourRows = "~A\n10 1\n11 2\n12 3\n13 4\n-999.25 5\n";

} // namespace

TEST(LasModel, IndexValueWithoutCurvesThrowsMessage20000)
{
    Las las;
    try {
        las.index_value(0);
        FAIL() << "no exception";
    } catch (const LasException& e) {
        EXPECT_EQ(e.code(), 0);
        EXPECT_STREQ(e.what(), "LAS contains no curves");
    }
    // The throw comes before any look at the row.
    EXPECT_THROW(las.index_value(-5), LasException);
}

TEST(LasModel, IndexValueOutsideTheRowsIsNaN)
{
    Loaded r = load(header(" NULL. -999.25 : null\n", {"DEPT", "V"}) + kFourRows);
    ASSERT_EQ(r.code, 0) << r.error;
    ASSERT_EQ(r.las->row_count(), 5);
    EXPECT_EQ(r.las->index_value(0), 10.0);
    EXPECT_EQ(r.las->index_value(3), 13.0);
    EXPECT_TRUE(std::isnan(r.las->index_value(4)));
    EXPECT_TRUE(std::isnan(r.las->index_value(5)));
    EXPECT_TRUE(std::isnan(r.las->index_value(-1)));
    EXPECT_TRUE(std::isnan(r.las->index_value(std::numeric_limits<int>::min())));
}

TEST(LasModel, SetSampleKeepsTheRangeOfNumbersOnly)
{
    Loaded r = load(header(" NULL. -999.25 : null\n", {"DEPT", "V"}) + kFourRows);
    ASSERT_EQ(r.code, 0) << r.error;
    Curve& v = r.las->curves()[1];
    EXPECT_EQ(v.minimum(), 1.0);
    EXPECT_EQ(v.maximum(), 5.0);

    v.set_sample(kNaN, 2);
    EXPECT_TRUE(std::isnan(v.sample(2)));
    EXPECT_EQ(v.minimum(), 1.0);
    EXPECT_EQ(v.maximum(), 5.0);

    v.set_sample(-7.5, 0);
    v.set_sample(9.0, 1);
    EXPECT_EQ(v.minimum(), -7.5);
    EXPECT_EQ(v.maximum(), 9.0);

    // Rows outside the array are ignored, negative ones included.
    v.set_sample(100.0, 5);
    v.set_sample(-100.0, -1);
    v.set_sample(-100.0, std::numeric_limits<int>::min());
    EXPECT_EQ(v.minimum(), -7.5);
    EXPECT_EQ(v.maximum(), 9.0);
    EXPECT_EQ(v.samples().size(), 5u);
}

TEST(LasModel, FirstNumberBecomesBothEndsOfTheRange)
{
    Las las;
    Curve lone(&las);
    EXPECT_FALSE(lone.has_samples());
    lone.set_sample(3.0, 0); // no array: nothing happens
    EXPECT_TRUE(std::isnan(lone.minimum()));
    EXPECT_TRUE(std::isnan(lone.sample(0)));

    Loaded r = load(header(" NULL. -999.25 : null\n", {"DEPT", "V"}) + "~A\n1 -999.25\n2 -999.25\n");
    ASSERT_EQ(r.code, 0) << r.error;
    Curve& v = r.las->curves()[1];
    EXPECT_TRUE(std::isnan(v.minimum()));
    EXPECT_TRUE(std::isnan(v.maximum()));
    v.set_sample(4.25, 1);
    EXPECT_EQ(v.minimum(), 4.25);
    EXPECT_EQ(v.maximum(), 4.25);
}

TEST(LasModel, AverageBetweenIsHalfOpenAndMissingValuesSpoilIt)
{
    Loaded r = load(header(" NULL. -999.25 : null\n", {"DEPT", "V"}) + kFourRows);
    ASSERT_EQ(r.code, 0) << r.error;
    const Curve& v = r.las->curves()[1];
    EXPECT_DOUBLE_EQ(v.average_between(10.0, 12.0), 1.5);  // rows 10 and 11, not 12
    EXPECT_DOUBLE_EQ(v.average_between(11.0, 100.0), 3.0); // 11, 12, 13; the NaN depth never counts
    EXPECT_DOUBLE_EQ(v.average_between(13.0, 13.5), 4.0);
    EXPECT_TRUE(std::isnan(v.average_between(12.0, 12.0)));
    EXPECT_TRUE(std::isnan(v.average_between(20.0, 30.0)));
    EXPECT_TRUE(std::isnan(v.average_between(12.0, 10.0)));

    Loaded gap = load(header(" NULL. -999.25 : null\n", {"DEPT", "V"}) + "~A\n10 1\n11 -999.25\n12 3\n");
    ASSERT_EQ(gap.code, 0) << gap.error;
    const Curve& g = gap.las->curves()[1];
    EXPECT_TRUE(std::isnan(g.average_between(10.0, 12.0)));
    EXPECT_DOUBLE_EQ(g.average_between(12.0, 13.0), 3.0);

    Las empty;
    Curve lone(&empty);
    EXPECT_TRUE(std::isnan(lone.average_between(-1e9, 1e9)));
}

TEST(LasModel, CopiedCurvesAreDeep)
{
    Loaded r = load(header(" NULL. -999.25 : null\n", {"DEPT", "V"}) + kFourRows);
    ASSERT_EQ(r.code, 0) << r.error;
    Curve copy = r.las->curves()[1];
    r.las->curves()[1].set_sample(42.0, 0);
    EXPECT_EQ(copy.sample(0), 1.0);
    EXPECT_EQ(copy.mnemonic, "V");
    EXPECT_EQ(copy.description, "V curve");
    EXPECT_EQ(copy.owner(), r.las.get());
}

TEST(DepthIndexTest, KeepsTheRowStoredFirstAndLeavesOutNaN)
{
    DepthIndex up;
    up.build({1.0, 2.0, 2.0, kNaN, 3.0}, false);
    ASSERT_EQ(up.size(), 3u);
    EXPECT_EQ(up.find(2.0)->second, 1);
    EXPECT_EQ(up.count(2.5), 0u);
    EXPECT_EQ(up.lower_bound(2.5)->first, 3.0);
    EXPECT_EQ(up.upper_bound(3.0), up.end());

    // Filled downwards the higher row was stored first.
    DepthIndex down;
    down.build({1.0, 2.0, 2.0, 2.0, 3.0}, true);
    EXPECT_EQ(down.find(2.0)->second, 3);

    // Out of order depths are sorted, ties still resolved by storing order.
    DepthIndex mixed;
    mixed.build({5.0, 1.0, 5.0, 3.0, 1.0}, false);
    std::vector<std::pair<double, int>> got(mixed.begin(), mixed.end());
    EXPECT_EQ(got, (std::vector<std::pair<double, int>>{{1.0, 1}, {3.0, 3}, {5.0, 0}}));
    mixed.build({5.0, 1.0, 5.0, 3.0, 1.0}, true);
    got.assign(mixed.begin(), mixed.end());
    EXPECT_EQ(got, (std::vector<std::pair<double, int>>{{1.0, 4}, {3.0, 3}, {5.0, 2}}));
}
