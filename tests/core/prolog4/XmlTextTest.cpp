// The bridge between the XML library's UTF-16 text and 32-bit wide strings.
#include <gtest/gtest.h>

#include "core/prolog4/XmlText.h"

using namespace ORBAX_Logging;

TEST(XmlText, RoundTripsEveryPlane)
{
    const std::wstring text = L"Sandstone \x00E9\x20AC \x4E2D \x1F600 \x10FFFF end";
    const std::basic_string<XMLCh> utf16 = xml_from_wide(text);
    // The two characters beyond the basic plane take two units each.
    EXPECT_EQ(utf16.size(), text.size() + 2);
    EXPECT_EQ(utf16[15], 0xD83D);
    EXPECT_EQ(utf16[16], 0xDE00);
    EXPECT_EQ(wide_from_xml(utf16.c_str()), text);
}

TEST(XmlText, DamagedTextBecomesReplacementCharacters)
{
    const XMLCh loneHigh[] = {u'a', 0xD800, u'b', 0};
    EXPECT_EQ(wide_from_xml(loneHigh), std::wstring(L"a\xFFFD"
                                                    L"b"));
    const XMLCh loneLow[] = {0xDC00, 0};
    EXPECT_EQ(wide_from_xml(loneLow), std::wstring(L"\xFFFD"));
    const XMLCh highAtEnd[] = {u'x', 0xDBFF, 0};
    EXPECT_EQ(wide_from_xml(highAtEnd), std::wstring(L"x\xFFFD"));
    EXPECT_EQ(wide_from_xml(nullptr), L"");

    std::wstring bad;
    bad += static_cast<wchar_t>(0xD800);
    bad += static_cast<wchar_t>(0x110000);
    bad += static_cast<wchar_t>(-1);
    EXPECT_EQ(xml_from_wide(bad), (std::basic_string<XMLCh>{0xFFFD, 0xFFFD, 0xFFFD}));
}
