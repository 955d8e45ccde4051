// The seams and plies editor on a copy of the sites: names refused as duplicates (in any case) or
// empty, seams and plies added, renamed, moved and deleted, and the copy left for the caller.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include "app/QuorApp.h"
#include "editors/sites/SeamsPliesEditor.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/NamePrompts.h"

namespace {

CorrelationTable sites()
{
    CorrelationTable table;
    CorrelationDefinition north(L"North");
    north.seams.emplace_back(L"B1");
    north.seams.back().plies = {L"B1a", L"B1b", L"B1c"};
    north.seams.emplace_back(L"C");
    table.Insert(north);
    table.Insert(CorrelationDefinition(L""));
    CorrelationDefinition south(L"South");
    south.seams.emplace_back(L"B1");
    table.Insert(south);
    return table;
}

struct Editor {
    AppTest::Sandbox sandbox;
    CQuorApp app;
    AppTest::NamePrompts prompts{sandbox.dialogs};
    CorrelationTable table = sites();
    CSeamsPliesEditor editor{table};

    template <class T>
    T* get(int id) const
    {
        return editor.findChild<T*>(QStringLiteral("id%1").arg(id));
    }
    void click(int id) const { get<QPushButton>(id)->click(); }
    QComboBox* siteCombo() const { return get<QComboBox>(1299); }
    QListWidget* seams() const { return get<QListWidget>(1297); }
    QListWidget* plies() const { return get<QListWidget>(1298); }
    void chooseSite(int index) const
    {
        siteCombo()->setCurrentIndex(index);
        emit siteCombo()->activated(index);
    }
    static QStringList texts(const QListWidget* list)
    {
        QStringList t;
        for (int i = 0; i < list->count(); ++i)
            t << list->item(i)->text();
        return t;
    }
    std::size_t boxes() const { return sandbox.boxes.shown.size(); }
};

TEST(SeamsPliesEditor, SitesAndTheirNames)
{
    Editor e;
    EXPECT_EQ(e.editor.objectName(), "dlg211");
    // The site without a name has no item but stays in the copy.
    ASSERT_EQ(e.siteCombo()->count(), 2);
    EXPECT_EQ(e.siteCombo()->currentText(), "North");
    EXPECT_EQ(Editor::texts(e.seams()), QStringList({"B1", "C"}));
    EXPECT_EQ(e.plies()->count(), 0);
    EXPECT_FALSE(e.get<QPushButton>(1265)->isEnabled());
    EXPECT_FALSE(e.get<QPushButton>(1244)->isEnabled());

    // A rename to the site's own name in other letters, to another site's name, or to nothing is
    // refused; a name of blanks is taken.
    e.prompts.answers = {QStringLiteral("NORTH"), QStringLiteral("south"), QString(), QStringLiteral("  ")};
    for (int i = 0; i < 4; ++i)
        e.click(1249);
    EXPECT_EQ(e.prompts.initialTexts[0], "North");
    EXPECT_EQ(e.prompts.topics[0], L"hidd_newsite.htm");
    EXPECT_EQ(e.boxes(), 3u);
    EXPECT_EQ(e.sandbox.boxes.shown[0].text, L"A correlation definition with that name already exists");
    EXPECT_EQ(e.sandbox.boxes.shown[0].buttons, ORBAX_Platform::MessageButtons::Ok);
    EXPECT_EQ(e.siteCombo()->itemText(0), "  ");
    EXPECT_EQ(e.siteCombo()->currentIndex(), 0);
    EXPECT_EQ(Editor::texts(e.seams()), QStringList({"B1", "C"}));

    // A new site is selected with no seams; deleting it asks nothing and shows no seams.
    e.prompts.answers = {QStringLiteral("East")};
    e.click(1242);
    EXPECT_EQ(e.prompts.initialTexts.back(), "new site");
    EXPECT_EQ(e.siteCombo()->currentText(), "East");
    EXPECT_EQ(e.seams()->count(), 0);
    EXPECT_TRUE(e.get<QPushButton>(1243)->isEnabled());
    e.chooseSite(1);
    e.click(1264);
    EXPECT_EQ(e.siteCombo()->currentIndex(), -1);
    EXPECT_EQ(e.seams()->count(), 0);
    EXPECT_FALSE(e.get<QPushButton>(1243)->isEnabled());
    const std::size_t asked = e.prompts.initialTexts.size();
    e.click(1249); // nothing selected: nothing asked
    EXPECT_EQ(e.prompts.initialTexts.size(), asked);

    const auto& copy = e.editor.Sites();
    ASSERT_EQ(copy.size(), 3u);
    EXPECT_EQ(copy[0].name, L"  ");
    EXPECT_EQ(copy[1].name, L"");
    EXPECT_EQ(copy[2].name, L"East");
    EXPECT_EQ(copy[2].id, 0);
    // The positions of the items follow the deletion.
    e.chooseSite(1);
    EXPECT_EQ(e.siteCombo()->currentData().toInt(), 2);
    // The table itself is untouched.
    EXPECT_EQ(e.table.Get(3).name, L"South");
}

TEST(SeamsPliesEditor, SeamsAndPlies)
{
    Editor e;
    e.seams()->setCurrentRow(0);
    EXPECT_EQ(Editor::texts(e.plies()), QStringList({"B1a", "B1b", "B1c"}));
    EXPECT_FALSE(e.get<QPushButton>(1253)->isEnabled());
    EXPECT_TRUE(e.get<QPushButton>(1254)->isEnabled());

    // The same seam name may stand in another site, but not twice in one.
    e.prompts.answers = {QStringLiteral("c"), QStringLiteral("D")};
    e.click(1243);
    e.click(1243);
    EXPECT_EQ(e.sandbox.boxes.shown.at(0).text, L"A seam with that name already exists");
    EXPECT_EQ(e.prompts.initialTexts[0], "new seam");
    EXPECT_EQ(e.prompts.topics[0], L"hidd_newsite.htm");
    EXPECT_EQ(Editor::texts(e.seams()), QStringList({"B1", "C", "D"}));
    EXPECT_EQ(e.seams()->currentRow(), 2);
    EXPECT_EQ(e.plies()->count(), 0);
    EXPECT_FALSE(e.get<QPushButton>(1254)->isEnabled());

    // Moving the first seam down; the plies stay with it.
    e.seams()->setCurrentRow(0);
    e.click(1254);
    EXPECT_EQ(Editor::texts(e.seams()), QStringList({"C", "B1", "D"}));
    EXPECT_EQ(e.seams()->currentRow(), 1);
    EXPECT_EQ(Editor::texts(e.plies()), QStringList({"B1a", "B1b", "B1c"}));

    // Plies: a duplicate refused, a rename in place with its selection kept, a move and a delete.
    e.prompts.answers = {QStringLiteral("b1A"), QStringLiteral("B1d"), QStringLiteral("B1x")};
    e.click(1244);
    e.click(1244);
    EXPECT_EQ(e.sandbox.boxes.shown.back().text, L"A ply with that name already exists");
    EXPECT_EQ(e.plies()->currentRow(), 3);
    e.plies()->setCurrentRow(1);
    e.click(1251);
    EXPECT_EQ(e.prompts.topics.back(), L"hidd_newseam.htm");
    EXPECT_EQ(e.plies()->currentRow(), 1);
    e.click(1248);
    EXPECT_EQ(Editor::texts(e.plies()), QStringList({"B1x", "B1a", "B1c", "B1d"}));
    EXPECT_EQ(e.plies()->currentRow(), 0);
    e.plies()->setCurrentRow(2);
    e.click(1266);
    EXPECT_EQ(e.plies()->currentRow(), -1);
    EXPECT_FALSE(e.get<QPushButton>(1266)->isEnabled());

    // Renaming a seam keeps it selected; deleting it takes its plies along.
    e.prompts.answers = {QStringLiteral("B2")};
    e.click(1250);
    EXPECT_EQ(Editor::texts(e.seams()), QStringList({"C", "B2", "D"}));
    EXPECT_EQ(e.seams()->currentRow(), 1);
    const auto& north = e.editor.Sites()[0];
    ASSERT_EQ(north.seams.size(), 3u);
    EXPECT_EQ(north.seams[1].name, L"B2");
    EXPECT_EQ(north.seams[1].plies, (std::vector<std::wstring>{L"B1x", L"B1a", L"B1d"}));
    e.seams()->setCurrentRow(0);
    e.click(1265);
    EXPECT_EQ(Editor::texts(e.seams()), QStringList({"B2", "D"}));
    EXPECT_EQ(e.plies()->count(), 0);
    e.seams()->setCurrentRow(0);
    EXPECT_EQ(Editor::texts(e.plies()), QStringList({"B1x", "B1a", "B1d"}));
    EXPECT_EQ(e.editor.Sites()[0].seams.size(), 2u);
    EXPECT_EQ(e.editor.Sites()[2].seams[0].name, L"B1");
}

// A list that takes the focus makes its first row current without selecting it: that row is no
// choice of the user's, and the buttons that act on the selected ply stay off.
void focusWithoutSelecting(QListWidget* list)
{
    list->selectionModel()->setCurrentIndex(list->model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

TEST(SeamsPliesEditor, APlyThatIsCurrentButNotSelectedCannotBeDeleted)
{
    Editor e;
    e.seams()->setCurrentRow(0);
    e.click(1254); // B1 moves last; the focus falls to its plies
    ASSERT_EQ(Editor::texts(e.plies()), QStringList({"B1a", "B1b", "B1c"}));
    focusWithoutSelecting(e.plies());
    ASSERT_EQ(e.plies()->currentRow(), 0);
    for (int id : {1266, 1251, 1252})
        EXPECT_FALSE(e.get<QPushButton>(id)->isEnabled()) << id;
    e.editor.OnDeletePly();
    EXPECT_EQ(e.editor.Sites()[0].seams[1].plies.size(), 3u);
    // A click on that row selects it, and the buttons follow.
    e.plies()->item(0)->setSelected(true);
    EXPECT_TRUE(e.get<QPushButton>(1266)->isEnabled());
}

} // namespace
