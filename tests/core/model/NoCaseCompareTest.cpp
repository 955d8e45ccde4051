// The one case-blind comparison of names, wide and narrow, and the look-up of a stored name.
#include <gtest/gtest.h>

#include <vector>

#include "core/model/NoCaseCompare.h"

namespace {

TEST(NoCaseCompare, ComparesUpperCasedCopiesOrdinallyIncludingCodePageLetters)
{
    const NoCaseCompare compare;
    EXPECT_EQ(compare(L"Sandstone", L"SANDSTONE"), 0);
    EXPECT_EQ(compare(L"\u00d6lschiefer", L"\u00f6LSCHIEFER"), 0); // Ö and ö of code page 1252
    EXPECT_EQ(compare(L"\u0152uvre", L"\u0153UVRE"), 0);           // Œ and œ, in the 0x80 block
    EXPECT_LT(compare(L"apple", L"Banana"), 0);
    EXPECT_GT(compare(L"sand", L"Sa"), 0);
    EXPECT_NE(compare(L"Sand", L"Sand "), 0);
    EXPECT_TRUE(compare.StartsWith(L"B1 upper", L"b1"));
    EXPECT_FALSE(compare.StartsWith(L"B", L"B1"));
    EXPECT_TRUE(compare.Equal(L"gr\u00e8s", L"GR\u00c8S"));
    EXPECT_FALSE(compare.Equal(L"Sand", L"Sands"));
    // Narrow names (curve mnemonics) go through the narrow facet.
    EXPECT_TRUE(compare.Equal(std::string("gr_1"), std::string("GR_1")));
    EXPECT_FALSE(compare.Equal(std::string("GR"), std::string("GR1")));
}

TEST(NoCaseCompare, StoredNameSelectsItsExactMatchBeforeAnEarlierPrefix)
{
    const std::vector<std::wstring> seams{L"B10", L"b1 upper", L"B1", L"C"};
    auto same = [](const std::wstring& n) { return n; };
    EXPECT_EQ(FindNameExactOrPrefix(seams, L"b1", same), 2);
    EXPECT_EQ(FindNameExactOrPrefix(std::vector<std::wstring>{L"B10", L"b1 upper"}, L"B1", same), 0);
    EXPECT_EQ(FindNameExactOrPrefix(seams, L"D", same), -1);
    EXPECT_EQ(FindNameExactOrPrefix(seams, L"", same), -1);
}

} // namespace
