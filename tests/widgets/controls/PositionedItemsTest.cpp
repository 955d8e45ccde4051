// Deleting, renaming and moving records whose items carry their positions, in lists whose rows stand
// in another order than the records.
#include <gtest/gtest.h>

#include <QListWidget>

#include "tests/support/AppTestSupport.h"
#include "widgets/controls/PositionedItems.h"
#include "widgets/controls/SortedItems.h"

namespace {

// The texts and positions of the rows, as "text:position".
std::vector<std::string> Rows(const QListWidget& list)
{
    std::vector<std::string> rows;
    for (int i = 0; i < list.count(); ++i)
        rows.push_back(list.item(i)->text().toStdString() + ":" +
                       std::to_string(PositionedItems::PositionAt(&list, i)));
    return rows;
}

TEST(PositionedItems, EraseRenameAndMoveKeepEveryRowOnItsRecord)
{
    AppTest::Sandbox sandbox;
    std::vector<std::string> records{"c", "a", "d", "b"};
    QListWidget list;
    for (std::size_t i = 0; i < records.size(); ++i)
        SortedItems::addSorted(&list, QString::fromStdString(records[i]), static_cast<int>(i));
    ASSERT_EQ(Rows(list), (std::vector<std::string>{"a:1", "b:3", "c:0", "d:2"}));

    SortedItems::selectQuietly(&list, 2);
    EXPECT_EQ(PositionedItems::Erase(records, &list, 2), 0);
    EXPECT_EQ(records, (std::vector<std::string>{"a", "d", "b"}));
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"a:0", "b:2", "d:1"}));
    EXPECT_EQ(SortedItems::selectedRow(&list), -1);
    EXPECT_EQ(PositionedItems::Erase(records, &list, 5), -1) << "no such row";

    SortedItems::selectQuietly(&list, 0);
    records[0] = "z";
    PositionedItems::Rename(&list, 0, QStringLiteral("z"));
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"z:0", "b:2", "d:1"})) << "renamed where it stands";
    EXPECT_EQ(SortedItems::selectedRow(&list), 0);

    EXPECT_FALSE(PositionedItems::MoveSelected(&list, records, -1)) << "the top row goes no higher";
    EXPECT_TRUE(PositionedItems::MoveSelected(&list, records, +1));
    EXPECT_EQ(records, (std::vector<std::string>{"b", "d", "z"}));
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"b:0", "z:2", "d:1"}));
    EXPECT_EQ(SortedItems::selectedRow(&list), 1) << "the selection goes with the record";
    SortedItems::selectQuietly(&list, 2);
    EXPECT_FALSE(PositionedItems::MoveSelected(&list, records, +1)) << "the bottom row goes no lower";
}

} // namespace
