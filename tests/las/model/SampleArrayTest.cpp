// Sample arrays: deep copies, and growth that keeps what was written, from the heap into memory of
// its own and on past huge-page advice for part of the array.
#include <cmath>
#include <numeric>

#include <gtest/gtest.h>

#include "las/SampleArray.h"

using ORBAX_Geophysics::SampleArray;

namespace {

void fill_rising(SampleArray& a, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to; ++i)
        a[i] = static_cast<double>(i) * 0.5;
}

bool rising(const SampleArray& a, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (a[i] != static_cast<double>(i) * 0.5)
            return false;
    }
    return true;
}

} // namespace

TEST(SampleArray, GrowingKeepsTheWrittenSamples)
{
    SampleArray a;
    a.reserve(1000); // on the heap
    fill_rising(a, 0, 1000);
    a.set_written(1000);
    a.reserve(300000); // past a megabyte: memory of its own, copied over
    EXPECT_TRUE(rising(a, 1000));
    fill_rising(a, 1000, 300000);
    a.set_written(300000);
    // Huge pages asked for part of it split its mapping; growing must still keep every sample.
    a.prefer_huge_pages(280000);
    a.commit(0, 280000);
    a.reserve(2000000);
    EXPECT_TRUE(rising(a, 300000));
    a.release_spare();
    EXPECT_EQ(a.size(), 300000u);
    EXPECT_EQ(a.capacity(), 300000u);
    EXPECT_TRUE(rising(a, 300000));
}

TEST(SampleArray, CopiesAreDeepAndMovesEmptyTheSource)
{
    SampleArray a;
    a.assign_nan(500000);
    a[7] = 3.5;
    SampleArray copy = a;
    a[7] = 4.5;
    EXPECT_EQ(copy.size(), 500000u);
    EXPECT_EQ(copy[7], 3.5);
    EXPECT_TRUE(std::isnan(copy[499999]));

    SampleArray moved = std::move(a);
    EXPECT_EQ(moved[7], 4.5);
    EXPECT_EQ(a.size(), 0u); // NOLINT: a moved-from array is empty
    EXPECT_EQ(a.begin(), a.end());

    copy = moved;
    EXPECT_EQ(copy[7], 4.5);
    copy.clear();
    EXPECT_TRUE(copy.empty());
    EXPECT_EQ(moved.to_vector().size(), 500000u);
}
