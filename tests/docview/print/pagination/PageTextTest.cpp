#include <gtest/gtest.h>

#include "docview/print/pagination/PageText.h"

namespace {

PageTextFields Fields()
{
    PageTextFields fields;
    fields.date = L"09/12/2026";
    fields.leftName = L"BH-1";
    fields.rightName = L"BH-2";
    fields.projectName = L"North Pit";
    fields.page = 3;
    fields.pageCount = 12;
    fields.scale = 0.1;
    return fields;
}

} // namespace

TEST(PageText, EveryCodeIsFilledIn)
{
    const PageTextFields fields = Fields();
    EXPECT_EQ(ExpandPageText(L"Page %p/%t", fields), L"Page 3/12");
    EXPECT_EQ(ExpandPageText(L"%l and %r", fields), L"BH-1 and BH-2");
    EXPECT_EQ(ExpandPageText(L"%n, %d", fields), L"North Pit, 09/12/2026");
    EXPECT_EQ(ExpandPageText(L"Scale %s", fields), L"Scale 1:100");
    EXPECT_EQ(ExpandPageText(L"", fields), L"");
}

TEST(PageText, PercentSignsThatAreNotCodesStayAsTyped)
{
    const PageTextFields fields = Fields();
    EXPECT_EQ(ExpandPageText(L"100%% core", fields), L"100% core");
    EXPECT_EQ(ExpandPageText(L"%%p", fields), L"%p") << "an escaped percent sign starts no code";
    EXPECT_EQ(ExpandPageText(L"recovery 95%", fields), L"recovery 95%");
    EXPECT_EQ(ExpandPageText(L"%x%P", fields), L"%x%P") << "codes are lower case";
    EXPECT_EQ(ExpandPageText(L"%", fields), L"%");
}

TEST(PageText, ScaleRatioIsRoundedToAWholeNumber)
{
    EXPECT_EQ(ScaleText(0.2), L"1:200");
    EXPECT_EQ(ScaleText(0.0126), L"1:13");
    EXPECT_EQ(ScaleText(1.0 / 3.0), L"1:333");
}
