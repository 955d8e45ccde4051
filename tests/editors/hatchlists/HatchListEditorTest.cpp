#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QRadioButton>

#include "editors/hatchlists/HatchListEditor.h"
#include "tests/editors/EditorTestSupport.h"
#include "widgets/controls/EditedTables.h"
#include "widgets/controls/HatchListBox.h"

using namespace EditorTest;

namespace {

const char* const configurationText = R"(Quorlog Configuration v3
Bitmaps {
   Sand                 mono   8 "0xFF 0xF7 0xFF 0xFF"
   Coal                 mono   4 "0x0 0xF"
}
Vectors {
   Dots (255, 255, 255) 100 100 {
      fillcircle (0, 0, 0) 10 50 50
   }
   Lines (240, 240, 240) 100 50 {
      line 3 (0, 0, 0) solid {0, 25; 1000, 25}
   }
}
Definitions {
   Standard {
      Bitmap     Sand                 { SANDSTONE }
      Isovector  Dots                 { SILTSTONE }
      Bitmap     Gone                 { LOST }
      Inbuilt    Black                { COAL }
   }
   Simple {
      Inbuilt    Green                { SANDSTONE }
   }
}
)";

class HatchListEditorTest : public ::testing::Test {
protected:
    HatchListEditorTest() : configured(configurationText, sandbox.programFolder()), script(sandbox.dialogs) {}

    std::unique_ptr<CHatchListEditor> open()
    {
        ConfigurationTables& t = configured.tables;
        auto editor = std::make_unique<CHatchListEditor>(t.hatchLists, t.vectors, t.bitmaps, t.inbuilts);
        editor->resize(600, 560);
        return editor;
    }
    QComboBox* lists(const CHatchListEditor& editor) { return Control<QComboBox>(editor, "id1274"); }
    CHatchListBox* rocks(const CHatchListEditor& editor) { return Control<CHatchListBox>(editor, "id1273"); }
    QComboBox* elements(const CHatchListEditor& editor) { return Control<QComboBox>(editor, "id1284"); }
    // The user clicks the rock type's line.
    int selectRock(const CHatchListEditor& editor, const QString& rockType)
    {
        CHatchListBox* list = rocks(editor);
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().startsWith(rockType + "\n")) {
                ClickRow(list, i);
                return i;
            }
        ADD_FAILURE() << "no rock type " << rockType.toStdString();
        return -1;
    }
    QStringList rockTexts(const CHatchListEditor& editor)
    {
        QStringList texts;
        for (int i = 0; i < rocks(editor)->count(); ++i)
            texts << rocks(editor)->item(i)->text();
        return texts;
    }

    AppTest::Sandbox sandbox;
    ConfiguredTables configured;
    PromptScript script;
};

} // namespace

TEST_F(HatchListEditorTest, OpensOnTheFirstListByNameWithItsRockTypesSortedAndUnresolvedOnesInRed)
{
    auto editor = open();
    EXPECT_EQ(editor->objectName(), "dlg208");
    EXPECT_EQ(Texts(lists(*editor)), QStringList({"Simple", "Standard"}));
    Choose(lists(*editor), QStringLiteral("Standard"));
    EXPECT_EQ(rockTexts(*editor), QStringList({"COAL\n Inbuilt (Black)", "LOST\n Bitmap (Gone)",
                                               "SANDSTONE\n Bitmap (Sand)", "SILTSTONE\n IsoVector (Dots)"}));
    EXPECT_FALSE(rocks(*editor)->HasItemColour(0));
    EXPECT_EQ(rocks(*editor)->ItemColour(1), 0xFFFF0000u);
    EXPECT_EQ(rocks(*editor)->ItemPatternName(3), L"Dots");
    // Nothing chosen yet: only the list's own buttons work.
    EXPECT_TRUE(Control<QPushButton>(*editor, "id1275")->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(*editor, "id1276")->isEnabled());
    EXPECT_FALSE(elements(*editor)->isEnabled());

    selectRock(*editor, QStringLiteral("SANDSTONE"));
    EXPECT_TRUE(Control<QRadioButton>(*editor, "id1281")->isChecked());
    EXPECT_EQ(Texts(elements(*editor)), QStringList({"Coal", "Sand"}));
    EXPECT_EQ(elements(*editor)->currentText(), "Sand");
    EXPECT_TRUE(elements(*editor)->isEnabled());
}

TEST_F(HatchListEditorTest, KindsAndPatternsOfARockTypeChangeAsTheUserChooses)
{
    auto editor = open();
    Choose(lists(*editor), QStringLiteral("Standard"));
    script.name(QStringLiteral("  Sandy shale "));
    Click(*editor, "id1275");
    EXPECT_EQ(script.initialTexts, std::vector<QString>({"new rocktype"}));
    // A new rock type is an isovector without a pattern, not red until the list is filled again.
    int row = rocks(*editor)->GetCurSel();
    ASSERT_GE(row, 0);
    EXPECT_EQ(rocks(*editor)->item(row)->text(), "Sandy shale\n IsoVector ()");
    EXPECT_FALSE(rocks(*editor)->HasItemColour(row));
    EXPECT_TRUE(Control<QRadioButton>(*editor, "id1282")->isChecked());

    Choose(elements(*editor), QStringLiteral("Lines"));
    EXPECT_EQ(rocks(*editor)->item(row)->text(), "Sandy shale\n IsoVector (Lines)");
    EXPECT_FALSE(rocks(*editor)->HasItemColour(row));
    Click(*editor, "id1283"); // isovector to anivector keeps the pattern
    EXPECT_EQ(rocks(*editor)->item(row)->text(), "Sandy shale\n AniVector (Lines)");
    EXPECT_EQ(elements(*editor)->currentText(), "Lines");
    Click(*editor, "id1283"); // the checked radio again empties the pattern
    EXPECT_EQ(rocks(*editor)->item(row)->text(), "Sandy shale\n AniVector ()");
    EXPECT_EQ(rocks(*editor)->ItemColour(row), 0xFFFF0000u);
    Click(*editor, "id1285");
    EXPECT_EQ(Texts(elements(*editor)), QStringList({"Black", "Blue", "Green", "NoRecord", "Red", "White"}));
    Choose(elements(*editor), QStringLiteral("Red"));
    EXPECT_FALSE(rocks(*editor)->HasItemColour(row));
    EXPECT_EQ(rocks(*editor)->ItemPatternName(row), L"Red");

    // Typing in the element field changes nothing.
    elements(*editor)->setEditText(QStringLiteral("Sand"));
    EXPECT_EQ(rocks(*editor)->ItemPatternName(row), L"Red");
    EXPECT_TRUE(script.done());
}

TEST_F(HatchListEditorTest, NamesAreRefusedWhenEmptyOrEqualInAnyCaseAndARenameStaysInPlace)
{
    auto editor = open();
    Choose(lists(*editor), QStringLiteral("Standard"));
    const int row = selectRock(*editor, QStringLiteral("COAL"));
    script.name(QStringLiteral("siltstone")).name(QStringLiteral("")).name(QStringLiteral("sand, silt"));
    Click(*editor, "id1277");
    Click(*editor, "id1277");
    Click(*editor, "id1277");
    ASSERT_EQ(sandbox.boxes.shown.size(), 3u);
    EXPECT_EQ(sandbox.boxes.shown[0].text, L"A rock type with that name already exists");
    EXPECT_EQ(sandbox.boxes.shown[1].text, L"A name cannot be empty");
    EXPECT_EQ(rocks(*editor)->item(row)->text(), "COAL\n Inbuilt (Black)");

    script.name(QStringLiteral("Zechstein coal"));
    Click(*editor, "id1277");
    EXPECT_EQ(rocks(*editor)->item(row)->text(), "Zechstein coal\n Inbuilt (Black)"); // not moved to its sorted place
    EXPECT_EQ(rocks(*editor)->GetCurSel(), row);

    script.name(QStringLiteral("SIMPLE"));
    Click(*editor, "id1249");
    EXPECT_EQ(sandbox.boxes.shown.back().text, L"A hatch list with that name already exists");
    EXPECT_EQ(lists(*editor)->currentText(), "Standard");
    script.cancel();
    Click(*editor, "id1249");
    EXPECT_EQ(lists(*editor)->currentText(), "Standard");
}

TEST_F(HatchListEditorTest, ListsAreAddedCopiedRenamedAndDeletedAndOkHandsThemBackWithNewIds)
{
    const int lastId = configured.tables.hatchLists.LastId();
    auto editor = open();
    script.step([](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "dlg321");
        Control<QLineEdit>(dialog, "id1174")->setText(QStringLiteral("standard"));
        dialog.accept();
    });
    Click(*editor, "id1242");
    EXPECT_EQ(sandbox.boxes.shown.back().text, L"A hatch list with that name already exists");

    script.step([](QDialog& dialog) {
        Control<QLineEdit>(dialog, "id1174")->setText(QStringLiteral("Deep"));
        Click(dialog, "id1310");
        Choose(Control<QComboBox>(dialog, "id1274"), QStringLiteral("Standard"));
        dialog.accept();
    });
    Click(*editor, "id1242");
    EXPECT_EQ(lists(*editor)->currentText(), "Deep");
    EXPECT_EQ(rocks(*editor)->count(), 4);

    // The rock types of the copy are its own.
    selectRock(*editor, QStringLiteral("LOST"));
    Click(*editor, "id1276");
    EXPECT_EQ(rocks(*editor)->count(), 3);
    EXPECT_EQ(rocks(*editor)->GetCurSel(), -1);

    Choose(lists(*editor), QStringLiteral("Simple"));
    script.name(QStringLiteral("Plain"));
    Click(*editor, "id1249");
    EXPECT_EQ(lists(*editor)->currentText(), "Plain");
    EXPECT_EQ(lists(*editor)->currentIndex(), 1); // renamed in place, after "Deep"

    Choose(lists(*editor), QStringLiteral("Standard"));
    Click(*editor, "id1264");
    EXPECT_EQ(lists(*editor)->currentIndex(), -1);
    EXPECT_EQ(rocks(*editor)->count(), 0);
    EXPECT_FALSE(Control<QPushButton>(*editor, "id1275")->isEnabled());
    EXPECT_FALSE(rocks(*editor)->isEnabled());
    EXPECT_EQ(Texts(lists(*editor)), QStringList({"Deep", "Plain"}));

    // Positions after the deleted list moved down: the copy is still found behind its name.
    Choose(lists(*editor), QStringLiteral("Deep"));
    EXPECT_EQ(rocks(*editor)->count(), 3);

    Click(*editor, "id1");
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    EditedTables::ApplyHatchLists(configured.tables, editor->hatchLists);
    const HatchListTable& table = configured.tables.hatchLists;
    ASSERT_EQ(table.size(), 2u);
    const HatchList& plain = table.begin()->second;
    const HatchList& deep = std::next(table.begin())->second;
    EXPECT_EQ(plain.name, L"Plain");
    EXPECT_EQ(deep.name, L"Deep");
    EXPECT_GT(deep.id, lastId);
    ASSERT_EQ(deep.entries.size(), 3u);
    EXPECT_EQ(deep.entries[2].rockType, L"COAL");
    EXPECT_TRUE(script.done());

    const std::string text = ExpectRoundTrip(configured, sandbox.file("written.txt"));
    EXPECT_NE(text.find("Deep {"), std::string::npos);
    EXPECT_EQ(text.find("LOST"), std::string::npos);
}

TEST_F(HatchListEditorTest, CancelLeavesTheTablesAsTheyWere)
{
    const std::string before = ConfigTest::writeAndRead(configured.config, sandbox.file("before.txt"));
    auto editor = open();
    Choose(lists(*editor), QStringLiteral("Standard"));
    selectRock(*editor, QStringLiteral("SANDSTONE"));
    Click(*editor, "id1285");
    Click(*editor, "id1264");
    Click(*editor, "id2");
    EXPECT_EQ(editor->result(), QDialog::Rejected);
    EXPECT_EQ(ConfigTest::writeAndRead(configured.config, sandbox.file("after.txt")), before);
}
