#include <gtest/gtest.h>

#include <cstdint>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/Setrock.h"
#include "tests/support/AppTestSupport.h"
#include "widgets/controls/HatchComboBox.h"

namespace {

// The dialog as it opens: the dialog service hands it back at once, set up, and the test then works
// its controls as the user would.
struct Fixture {
    AppTest::Sandbox sandbox;
    BitmapTable bitmaps;
    VectorTable vectors;
    InbuiltPatternList inbuilts;
    HatchList list{L"Main"};
    std::vector<std::wstring> rockTypes;
    std::vector<int> percentages;
    std::unique_ptr<Setrock> dialog;

    Fixture(std::vector<std::wstring> types, std::vector<int> percents)
        : rockTypes(std::move(types)), percentages(std::move(percents))
    {
        list.entries = {{HatchListEntry::Inbuilt, L"Red", L"Sandstone"},
                        {HatchListEntry::Inbuilt, L"Black", L"Coal"},
                        {HatchListEntry::Inbuilt, L"Green", L""},
                        {HatchListEntry::Inbuilt, L"Blue", L"Sand"},
                        {HatchListEntry::Inbuilt, L"White", L"Shale"}};
        dialog = std::make_unique<Setrock>(rockTypes, percentages, &list, vectors, bitmaps, inbuilts);
        dialog->DoModal();
    }

    template <class T>
    T* control(const char* name) const
    {
        T* found = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* edit(const char* name) const { return control<QLineEdit>(name); }
    QString label(const char* name) const { return control<QLabel>(name)->text(); }
    bool okEnabled() const { return control<QPushButton>("id1")->isEnabled(); }
    void choose(int row, const QString& rockType) const
    {
        CHatchComboBox* list = dialog->rockTypeList(row);
        const int index = list->findText(rockType);
        ASSERT_GE(index, 0);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void pressOk() const { control<QPushButton>("id1")->click(); }
};

} // namespace

TEST(Setrock, ListsTheHatchListsRockTypesSortedWithTheirPatterns)
{
    Fixture f({L"sand"}, {100});
    CHatchComboBox* list = f.dialog->rockTypeList(0);
    ASSERT_EQ(list->count(), 4); // the entry without a rock type is left out
    EXPECT_EQ(list->itemText(0), "Coal");
    EXPECT_EQ(list->itemText(1), "Sand");
    EXPECT_EQ(list->ItemData(1), 3);
    EXPECT_EQ(list->ItemPatternName(1), L"Blue");
    // The stored name selects its exact match, not the first name it begins.
    EXPECT_EQ(list->currentText(), "Sand");
}

TEST(Setrock, OneRockTypeKeepsItsPercentageUnvalidatedAndSavesTheChosenName)
{
    Fixture f({L"Coal"}, {60});
    EXPECT_FALSE(f.edit("id1089")->isVisibleTo(f.dialog.get()));
    EXPECT_EQ(f.label("id1143"), "60");
    EXPECT_FALSE(f.dialog->rockTypeList(1)->isEnabled());
    EXPECT_FALSE(f.control<QCheckBox>("id1007")->isEnabled());
    EXPECT_TRUE(f.okEnabled());
    f.choose(0, QStringLiteral("Shale"));
    f.pressOk();
    EXPECT_EQ(f.dialog->result(), QDialog::Accepted);
    EXPECT_EQ(f.rockTypes, std::vector<std::wstring>({L"Shale"}));
    EXPECT_EQ(f.percentages, std::vector<int>({60}));
}

TEST(Setrock, SecondRowNeedsAPercentageBelowAHundredAndAChoiceItsRemainderFollowsTyping)
{
    Fixture f({L"Coal"}, {100});
    f.control<QCheckBox>("id1006")->click();
    EXPECT_EQ(f.rockTypes.size(), 2u);
    EXPECT_TRUE(f.edit("id1089")->isVisibleTo(f.dialog.get()));
    EXPECT_FALSE(f.okEnabled()); // 100 %
    f.edit("id1089")->setText(QStringLiteral("4"));
    EXPECT_EQ(f.label("id1139"), "96");
    f.edit("id1089")->setText(QStringLiteral("40"));
    EXPECT_EQ(f.label("id1139"), "60");
    EXPECT_EQ(f.edit("id1090")->text(), "60");
    EXPECT_FALSE(f.okEnabled()); // no second rock type chosen
    f.choose(1, QStringLiteral("Sand"));
    EXPECT_TRUE(f.okEnabled());
    f.pressOk();
    EXPECT_EQ(f.rockTypes, std::vector<std::wstring>({L"Coal", L"Sand"}));
    EXPECT_EQ(f.percentages, std::vector<int>({40, 60}));
}

TEST(Setrock, ThreeRowsNeedEveryPercentageInRangeAndRowsComeOffFromTheLast)
{
    Fixture f({L"Coal", L"Sand", L"Shale"}, {50, 30, 20});
    EXPECT_EQ(f.label("id1142"), "20");
    EXPECT_FALSE(f.control<QCheckBox>("id1006")->isEnabled()); // the second row stays while the third is used
    EXPECT_TRUE(f.okEnabled());

    f.edit("id1089")->setText(QStringLiteral("40"));
    f.edit("id1090")->setText(QStringLiteral("60"));
    EXPECT_EQ(f.label("id1142"), "0");
    EXPECT_FALSE(f.okEnabled());

    // 50 and 0 leave 50 for the third, but a second rock type of 0 % is no rock type.
    f.edit("id1089")->setText(QStringLiteral("50"));
    f.edit("id1090")->setText(QStringLiteral("0"));
    EXPECT_EQ(f.label("id1142"), "50");
    EXPECT_FALSE(f.okEnabled());

    f.edit("id1090")->setText(QStringLiteral("25"));
    EXPECT_TRUE(f.okEnabled());
    f.pressOk();
    EXPECT_EQ(f.percentages, std::vector<int>({50, 25, 25}));
    EXPECT_EQ(f.rockTypes, std::vector<std::wstring>({L"Coal", L"Sand", L"Shale"}));

    f.dialog.reset();
    Fixture g({L"Coal", L"Sand", L"Shale"}, {50, 30, 20});
    g.control<QCheckBox>("id1007")->click();
    EXPECT_EQ(g.rockTypes.size(), 2u);
    EXPECT_EQ(g.label("id1139"), "50");
    EXPECT_TRUE(g.control<QCheckBox>("id1006")->isEnabled());
    g.control<QCheckBox>("id1006")->click();
    EXPECT_EQ(g.percentages, std::vector<int>({50}));
    g.pressOk();
    EXPECT_EQ(g.percentages, std::vector<int>({100}));
}

TEST(Setrock, AUnitWhoseSecondPercentageIsZeroOpensWithOneRowAndKeepsItsValues)
{
    Fixture f({L"Coal", L"Sand", L"Shale"}, {50, 0, 50});
    EXPECT_FALSE(f.control<QCheckBox>("id1006")->isChecked());
    EXPECT_FALSE(f.control<QCheckBox>("id1007")->isChecked());
    f.pressOk();
    EXPECT_EQ(f.percentages, std::vector<int>({50, 0, 50}));
}

TEST(Setrock, EmptySequencesStartAsOneUnnamedRockTypeAtAHundredPercent)
{
    AppTest::Sandbox sandbox;
    std::vector<std::wstring> types;
    std::vector<int> percents;
    BitmapTable bitmaps;
    VectorTable vectors;
    InbuiltPatternList inbuilts;
    Setrock dialog(types, percents, nullptr, vectors, bitmaps, inbuilts);
    dialog.DoModal();
    EXPECT_EQ(types, std::vector<std::wstring>({L""}));
    EXPECT_EQ(percents, std::vector<int>({100}));
    EXPECT_EQ(dialog.rockTypeList(0)->count(), 0);
    dialog.findChild<QPushButton*>(QStringLiteral("id57670"))->click();
    EXPECT_EQ(sandbox.help.contexts, std::vector<unsigned>({0x20000u + 152}));
}

TEST(Setrock, ElementsBeyondTheThirdAreKeptAndCountedInTheThirdRemainder)
{
    Fixture f({L"Sandstone", L"Shale", L"Coal", L"Sand"}, {25, 25, 25, 25});
    EXPECT_TRUE(f.control<QCheckBox>("id1007")->isChecked());
    EXPECT_FALSE(f.control<QCheckBox>("id1007")->isEnabled()); // the fourth element needs the third row
    EXPECT_EQ(f.label("id1142"), "25");
    f.pressOk();
    EXPECT_EQ(f.percentages, std::vector<int>({25, 25, 25, 25}));
    EXPECT_EQ(f.rockTypes, std::vector<std::wstring>({L"Sandstone", L"Shale", L"Coal", L"Sand"}));

    Fixture g({L"Sandstone", L"Shale", L"Coal", L"Sand", L"Sand"}, {20, 20, 20, 30, 10});
    g.edit("id1089")->setText(QStringLiteral("40"));
    EXPECT_EQ(g.label("id1142"), "0");
    EXPECT_FALSE(g.okEnabled());
    g.edit("id1089")->setText(QStringLiteral("30"));
    g.edit("id1090")->setText(QStringLiteral("15"));
    EXPECT_EQ(g.label("id1142"), "15");
    g.pressOk();
    EXPECT_EQ(g.percentages, std::vector<int>({30, 15, 15, 30, 10}));

    // Percentages a file gave far beyond any real ones are summed without overflow, and refused.
    Fixture h({L"Sandstone", L"Shale", L"Coal", L"Sand", L"Sand"}, {INT32_MAX, INT32_MAX, 5, INT32_MAX, INT32_MAX});
    EXPECT_EQ(h.label("id1142"), QString::number(INT32_MIN));
    h.edit("id1089")->setText(QStringLiteral("30"));
    h.edit("id1090")->setText(QStringLiteral("15"));
    EXPECT_EQ(h.label("id1142"), "0");
    EXPECT_FALSE(h.okEnabled());
}
