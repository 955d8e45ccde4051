// The one warning of the readers about percentages that are no number: the first by its place and
// text, cut to 40 characters whether the file's text is wide or code page 1252, and the count.
#include <gtest/gtest.h>

#include <string>

#include "core/model/BadPercentages.h"

using namespace ORBAX_Logging;

TEST(BadPercentages, TheFirstIsNamedCutTo40CharactersAndAllAreCounted)
{
    LoadMessages messages;
    BadPercentages none;
    none.report(messages, 3, 11180);
    EXPECT_TRUE(messages.empty());

    BadPercentages wide;
    wide.note(7, std::wstring(41, L'x'));
    wide.note(9, std::wstring_view(L"later"));
    wide.report(messages, 3, 11180);
    BadPercentages narrow;
    narrow.note(4, std::string(40, '\xE9'));
    narrow.report(messages, 16, 11194);

    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].kind, 3);
    EXPECT_EQ(messages[0].severity, SeverityWarning);
    EXPECT_NE(messages[0].text.find(L"Row 7 of the data gives \"" + std::wstring(40, L'x') + L"...\""),
              std::wstring::npos);
    EXPECT_NE(messages[0].text.find(L"(rows with such percentages: 2)"), std::wstring::npos);
    EXPECT_EQ(messages[1].kind, 16);
    EXPECT_NE(messages[1].text.find(L"Line 4 gives \"" + std::wstring(40, L'\u00E9') + L"\" as"), std::wstring::npos);
    EXPECT_NE(messages[1].text.find(L"(lines with such percentages: 1;"), std::wstring::npos);
}
