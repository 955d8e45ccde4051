#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

#include "core/catalogue/Messages.h"
#include "tests/support/AppTestSupport.h"
#include "widgets/controls/EditorNames.h"
#include "widgets/controls/SortedItems.h"

using EditorNames::NameKind;

namespace {

std::wstring Message(int id) { return ORBAX_Utilities::get_message_wide(id); }

QStringList Texts(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

} // namespace

TEST(EditorNames, RefusesDuplicatesInAnyCaseEmptyNamesAndTextTheFileCannotHold)
{
    const std::vector<std::wstring> existing{L"Sandstone", L"Coal"};
    // A rename to the same name in another case is refused: the renamed record is in the list.
    EXPECT_EQ(EditorNames::Refusal(L"SANDSTONE", existing, EditorNames::DuplicateRockType, NameKind::RockType),
              L"A rock type with that name already exists");
    EXPECT_EQ(EditorNames::Refusal(L"coal", existing, EditorNames::DuplicateBitmap), Message(253));
    EXPECT_EQ(EditorNames::Refusal(L"", existing, EditorNames::DuplicateBitmap), Message(29101));
    EXPECT_TRUE(EditorNames::Refusal(L"Shale", existing, EditorNames::DuplicateBitmap).empty());

    // Quoted names cannot hold a quote; rock types are raw text split at commas inside braces.
    EXPECT_FALSE(EditorNames::Refusal(L"12\" grid", {}, EditorNames::DuplicateVector).empty());
    EXPECT_TRUE(EditorNames::Refusal(L"grid, 12 (fine)", {}, EditorNames::DuplicateVector).empty());
    for (const wchar_t* bad : {L"sand, silt", L"sand{", L"sand}", L"sand # fine", L"two\nlines"})
        EXPECT_FALSE(EditorNames::Refusal(bad, {}, EditorNames::DuplicateRockType, NameKind::RockType).empty())
            << std::string(bad, bad + std::wcslen(bad));
    EXPECT_FALSE(EditorNames::Refusal(L"tab\tname", {}, EditorNames::DuplicateBitmap).empty());
    EXPECT_FALSE(EditorNames::Refusal(L"\u4e00", {}, EditorNames::DuplicateBitmap).empty());
    EXPECT_TRUE(EditorNames::Refusal(L"M\u00e4rgel \u20ac", {}, EditorNames::DuplicateBitmap).empty());
}

TEST(EditorNames, RockTypesLoseBlanksAtTheirEndsAndABlankNameIsRefusedWithAnOkBox)
{
    AppTest::Sandbox sandbox;
    std::wstring name = L"  Sandy shale \t";
    EXPECT_TRUE(EditorNames::AcceptName(nullptr, name, {L"Shale"}, EditorNames::DuplicateRockType, NameKind::RockType));
    EXPECT_EQ(name, L"Sandy shale");
    EXPECT_TRUE(sandbox.boxes.shown.empty());

    name = L"   ";
    EXPECT_FALSE(EditorNames::AcceptName(nullptr, name, {}, EditorNames::DuplicateRockType, NameKind::RockType));
    name = L"SHALE ";
    EXPECT_FALSE(
        EditorNames::AcceptName(nullptr, name, {L"Shale"}, EditorNames::DuplicateRockType, NameKind::RockType));
    EXPECT_EQ(name, L"SHALE ");
    ASSERT_EQ(sandbox.boxes.shown.size(), 2u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, Message(29101));
    EXPECT_EQ(sandbox.boxes.shown[1].text, Message(251));
    EXPECT_EQ(sandbox.boxes.shown[1].buttons, ORBAX_Platform::MessageButtons::Ok);
}

TEST(SortedItems, AddedItemsSortIgnoringCaseInsertedItemsStayAndNothingIsNotified)
{
    QComboBox combo;
    int notifications = 0;
    QObject::connect(&combo, &QComboBox::currentIndexChanged, [&] { ++notifications; });
    for (const char* name : {"shale", "Coal", "sandstone", "anhydrite", "Sandstone"})
        SortedItems::addSorted(&combo, QString::fromLatin1(name), 7);
    EXPECT_EQ(Texts(combo), QStringList({"anhydrite", "Coal", "sandstone", "Sandstone", "shale"}));
    {
        const QSignalBlocker blocker(&combo);
        combo.insertItem(0, QStringLiteral("zinc"));
    }
    EXPECT_EQ(SortedItems::addSorted(&combo, QStringLiteral("Basalt")), 0); // before the first that sorts after
    EXPECT_EQ(combo.itemData(2).toInt(), 7);
    EXPECT_EQ(SortedItems::findData(&combo, 7), 2);
    EXPECT_EQ(SortedItems::findExactOrPrefix(&combo, L"SANDSTONE"), 4);
    EXPECT_EQ(SortedItems::findExactOrPrefix(&combo, L"sand"), 4);

    SortedItems::selectQuietly(&combo, 3);
    EXPECT_EQ(combo.currentIndex(), 3);
    EXPECT_EQ(notifications, 0);

    QListWidget list;
    SortedItems::addSorted(&list, QStringLiteral("b"), 1);
    SortedItems::addSorted(&list, QStringLiteral("A"), 2);
    EXPECT_EQ(list.item(0)->text(), "A");
    EXPECT_EQ(SortedItems::findData(&list, 1), 1);
}
