#include <gtest/gtest.h>

#include <sstream>

#include "core/model/Borehole.h"
#include "core/model/ValueText.h"
#include "tests/core/model/ModelTestSupport.h"

using namespace ORBAX_Logging;

namespace {

Borehole withSamples(const std::vector<std::wstring>& samples)
{
    std::vector<double> bottoms;
    for (std::size_t k = 0; k < samples.size(); ++k)
        bottoms.push_back(static_cast<double>(k + 1));
    Borehole hole = ModelTest::column(ModelTest::fullSchema(), bottoms);
    for (std::size_t k = 0; k < samples.size(); ++k)
        hole[k].sample = samples[k];
    return hole;
}

} // namespace

TEST(SampleNumbers, SplitAndParse)
{
    Borehole hole = withSamples({L"BH1-045A", L"S12", L"007", L"A", L"", L"99999999999"});
    std::wstring prefix = L"p", digits = L"d", suffix = L"s";
    std::int32_t width = -1, number = -1;
    ASSERT_TRUE(hole.splitSampleNumber(0, prefix, digits, suffix, width));
    EXPECT_EQ(prefix, L"BH1-");
    EXPECT_EQ(digits, L"045");
    EXPECT_EQ(suffix, L"A");
    EXPECT_EQ(width, 3);
    ASSERT_TRUE(hole.parseSampleNumber(1, prefix, number, suffix, width));
    EXPECT_EQ(prefix, L"S");
    EXPECT_EQ(number, 12);
    EXPECT_EQ(suffix, L"");
    EXPECT_EQ(width, 0);
    ASSERT_TRUE(hole.splitSampleNumber(2, prefix, digits, suffix, width));
    EXPECT_EQ(prefix, L"");
    EXPECT_EQ(digits, L"007");
    EXPECT_EQ(width, 3);

    EXPECT_FALSE(hole.splitSampleNumber(3, prefix, digits, suffix, width)); // no digit
    EXPECT_EQ(prefix, L"");
    EXPECT_EQ(suffix, L"A");
    prefix = L"kept";
    EXPECT_FALSE(hole.splitSampleNumber(4, prefix, digits, suffix, width)); // empty
    EXPECT_FALSE(hole.splitSampleNumber(6, prefix, digits, suffix, width)); // no such unit
    EXPECT_FALSE(hole.splitSampleNumber(-1, prefix, digits, suffix, width));
    EXPECT_EQ(prefix, L"kept");
    number = 5;
    EXPECT_FALSE(hole.parseSampleNumber(5, prefix, number, suffix, width)); // too large for a number
    EXPECT_EQ(number, 5);
}

TEST(SampleNumbers, PatternOverARange)
{
    Borehole hole = withSamples({L"X1", L"", L"X2", L"Y3", L"X04B"});
    std::wstring prefix, suffix;
    std::int32_t first = -1, width = -1;
    bool prefixDiffers = false, suffixDiffers = false, widthDiffers = false;
    ASSERT_TRUE(
        hole.sampleNumberPattern(0, 3, prefix, suffix, first, width, prefixDiffers, suffixDiffers, widthDiffers));
    EXPECT_EQ(prefix, L"X");
    EXPECT_EQ(first, 1);
    EXPECT_EQ(width, 0);
    EXPECT_TRUE(prefixDiffers);
    EXPECT_FALSE(suffixDiffers);
    EXPECT_FALSE(widthDiffers);

    prefixDiffers = false;
    ASSERT_TRUE(
        hole.sampleNumberPattern(-1, -1, prefix, suffix, first, width, prefixDiffers, suffixDiffers, widthDiffers));
    EXPECT_TRUE(suffixDiffers);
    EXPECT_EQ(width, 2); // the first padded width met

    Borehole widths = withSamples({L"S01", L"S001"});
    widthDiffers = false;
    EXPECT_TRUE(
        widths.sampleNumberPattern(0, -1, prefix, suffix, first, width, prefixDiffers, suffixDiffers, widthDiffers));
    EXPECT_TRUE(widthDiffers);

    Borehole digitless = withSamples({L"S1", L"none", L"S2"});
    EXPECT_FALSE(
        digitless.sampleNumberPattern(0, -1, prefix, suffix, first, width, prefixDiffers, suffixDiffers, widthDiffers));
    EXPECT_FALSE(
        hole.sampleNumberPattern(3, 9, prefix, suffix, first, width, prefixDiffers, suffixDiffers, widthDiffers));
    Borehole none = withSamples({L"", L""});
    EXPECT_FALSE(
        none.sampleNumberPattern(0, -1, prefix, suffix, first, width, prefixDiffers, suffixDiffers, widthDiffers));
}

TEST(SampleNumbers, RangeAndNext)
{
    Borehole hole = withSamples({L"007", L"010"});
    EXPECT_EQ(hole.nextSampleNumber(), L"011");
    std::wstring low = L"unset", high = L"unset";
    hole.sampleNumberRange(low, high);
    EXPECT_EQ(low, L"007");
    EXPECT_EQ(high, L"010");

    Borehole ties = withSamples({L"A5", L"B5", L"C2", L"x", L"D9"});
    ties.sampleNumberRange(low, high);
    EXPECT_EQ(low, L"C2");
    EXPECT_EQ(high, L"D9");
    Borehole tied = withSamples({L"A5", L"B5"});
    tied.sampleNumberRange(low, high);
    EXPECT_EQ(low, L"A5");
    EXPECT_EQ(high, L"A5");

    Borehole empty = withSamples({L"", L"A"});
    low = L"unset";
    empty.sampleNumberRange(low, high);
    EXPECT_EQ(low, L"unset");
    // No number anywhere: 1, shaped by the last sample given (its whole text is the suffix).
    EXPECT_EQ(empty.nextSampleNumber(), L"1A");
    EXPECT_EQ(withSamples({L"", L""}).nextSampleNumber(), L"1");
    EXPECT_EQ(Borehole(ModelTest::fullSchema()).nextSampleNumber(), L"1");
    EXPECT_EQ(withSamples({L"BH-099", L"BH-0100x", L""}).nextSampleNumber(), L"BH-0101x");
    EXPECT_EQ(withSamples({L"S9", L"S0003"}).nextSampleNumber(), L"S0010");
}

TEST(ValueText, ParsingAndPrinting)
{
    double x = -1;
    EXPECT_TRUE(parseReal(L" 2.5m", x));
    EXPECT_EQ(x, 2.5);
    x = -1;
    EXPECT_FALSE(parseReal(L"m2.5", x));
    EXPECT_EQ(x, -1);
    EXPECT_FALSE(parseReal(L"", x));
    std::int32_t n = 0;
    EXPECT_TRUE(parseInteger(L"12abc", n));
    EXPECT_EQ(n, 12);
    EXPECT_FALSE(parseInteger(L"99999999999", n));
    EXPECT_EQ(n, 12);
    EXPECT_TRUE(parseInteger(L"\t-7", n));
    EXPECT_EQ(n, -7);

    EXPECT_EQ(realText(3, 12.5), L"12.500");
    EXPECT_EQ(realText(0, 2.5), L"2");
    std::string narrow;
    realText(narrow, 2, 1.0 / 3);
    EXPECT_EQ(narrow, "0.33");
    std::wostringstream out;
    out << std::hex << std::showbase;
    const auto flags = out.flags();
    realText(out, 1, 7.25);
    out << 255;
    EXPECT_EQ(out.str(), L"7.20xff");
    EXPECT_EQ(out.flags(), flags);
}
