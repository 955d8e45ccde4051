// Add, Rename and Delete over a table listed by name, as the pattern and hatch list editors run them.
#include <gtest/gtest.h>

#include <QComboBox>

#include "core/catalogue/Messages.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/NamePrompts.h"
#include "widgets/controls/NamedRecordCombo.h"
#include "widgets/controls/SortedItems.h"

namespace {

struct Record {
    explicit Record(std::wstring n) : name(std::move(n)) {}
    std::wstring name;
};

TEST(NamedRecordCombo, AddsRenamesInPlaceAndDeletesWithThePositionsOfTheItemsAfterIt)
{
    AppTest::Sandbox sandbox;
    AppTest::NamePrompts prompts(sandbox.dialogs);
    std::vector<Record> records{Record(L"shale"), Record(L""), Record(L"Coal")};
    QComboBox combo;
    NamedRecordCombo names(records, &combo, {222, 223, L"topic.htm", EditorNames::DuplicateBitmap},
                           [](const std::wstring& name) { return Record(name); });
    names.Fill();
    ASSERT_EQ(combo.count(), 2) << "a record without a name gets no item";
    EXPECT_EQ(names.Selected(), 2) << "Coal sorts first";

    prompts.answers = {QStringLiteral("COAL"), QStringLiteral("basalt"), QStringLiteral("zinc")};
    EXPECT_EQ(names.Add(&combo, L"new"), -1) << "a name of the table in another case";
    EXPECT_EQ(sandbox.boxes.shown.back().text, ORBAX_Utilities::get_message_wide(253));
    EXPECT_EQ(names.Add(&combo, L"new"), 3);
    EXPECT_EQ(combo.currentText(), "basalt");
    EXPECT_EQ(prompts.initialTexts.back(), "new");

    // Renamed where it stands, not at its sorted place.
    EXPECT_EQ(names.Rename(&combo), 3);
    EXPECT_EQ(records[3].name, L"zinc");
    EXPECT_EQ(combo.itemText(0), "zinc");
    EXPECT_EQ(combo.currentIndex(), 0);

    SortedItems::selectQuietly(&combo, 1); // Coal, position 2
    EXPECT_EQ(names.Delete(), 2);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.itemData(0).toInt(), 2) << "zinc moved down to position 2";
    EXPECT_EQ(combo.itemData(1).toInt(), 0);
    EXPECT_EQ(names.Delete(), -1) << "nothing selected";
}

} // namespace
