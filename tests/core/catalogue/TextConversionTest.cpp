#include <gtest/gtest.h>

#include "core/catalogue/TextConversion.h"

using namespace ORBAX_Utilities;

TEST(Trimming, WideAndNarrow)
{
    WideTrimmer t{std::locale()};
    EXPECT_EQ(t.trimmed(L"  ab c \t"), L"ab c");
    EXPECT_EQ(t.trimmed(L"   "), L"");
    EXPECT_EQ(t.trimmed(L""), L"");
    EXPECT_EQ(t.trimmed(L"\nx\r"), L"x\r"); // a carriage return is not a blank here
    std::wstring text = L"\t value \n";
    t.trim(text);
    EXPECT_EQ(text, L"value");
    text = L" \t\n";
    t.trim(text);
    EXPECT_EQ(text, L"");
    WideTrimmer viaGlobal(std::locale::classic(), true);
    EXPECT_EQ(viaGlobal.set(), L" \t\n");
    NarrowTrimmer n;
    EXPECT_EQ(n.trim("  ab c \t"), "ab c");
    EXPECT_EQ(n.trim("\t\t"), "");
}

TEST(Conversion, CharacterByCharacter)
{
    WideTrimmer t{std::locale()};
    EXPECT_EQ(widen_string(t, "A\xE9\x96"), L"A\u00E9\u2013");
    EXPECT_EQ(widen_string(t, ""), L"");
    EXPECT_EQ(widen_string(t, nullptr), L"");
    EXPECT_EQ(widen_text(t, std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
    EXPECT_EQ(narrow_string(L"A\u00E9\u2013", t), "A\xE9\x96");
    EXPECT_EQ(narrow_string(L"x\u4E2D\u4E2Dy", t), "x??y");
    EXPECT_EQ(make_string("abc"), "abc");
    EXPECT_EQ(WidenCString(L"abc"), L"abc");
    std::wstring s = L"abc";
    s.reserve(100);
    auto capacity = s.capacity();
    wstring_clear(s);
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.capacity(), capacity);
}

TEST(Conversion, NextCommaField)
{
    int pos = 0;
    EXPECT_EQ(nextCommaField("a,,b", pos), "a");
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(nextCommaField("a,,b", pos), "");
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(nextCommaField("a,,b", pos), "b");
    EXPECT_EQ(pos, -1);
    pos = 0;
    EXPECT_EQ(nextCommaField("a,", pos), "a");
    EXPECT_EQ(pos, -1);
    pos = 5;
    EXPECT_EQ(nextCommaField("abc", pos), "");
    EXPECT_EQ(pos, 5);
    pos = 0;
    EXPECT_EQ(nextCommaField("", pos), "");
    EXPECT_EQ(pos, 0);
    pos = 0;
    EXPECT_EQ(nextCommaField("plain", pos), "plain");
    EXPECT_EQ(pos, -1);
}
