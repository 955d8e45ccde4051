// The trace defaults editor on a copy of the definitions: the look of a new definition, ranges that
// survive clicking through the list, the invisible tick, renames into patterns, deletes and moves,
// and definitions without a name kept.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "app/QuorApp.h"
#include "editors/traces/TraceDefaultsEditor.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/NamePrompts.h"

namespace {

TraceDefinition definition(const std::string& name, double minimum, double maximum)
{
    TraceDefinition d;
    d.name = name;
    d.minimum = minimum;
    d.maximum = maximum;
    return d;
}

struct Editor {
    AppTest::Sandbox sandbox;
    CQuorApp app;
    AppTest::NamePrompts prompts{sandbox.dialogs};
    TraceDefinitionList given;
    std::unique_ptr<CTraceDefaultsEditor> editor;

    explicit Editor(TraceDefinitionList definitions) : given(std::move(definitions))
    {
        editor = std::make_unique<CTraceDefaultsEditor>(given);
    }
    template <class T>
    T* get(int id) const
    {
        return editor->findChild<T*>(QStringLiteral("id%1").arg(id));
    }
    QListWidget* list() const { return get<QListWidget>(1174); }
    void select(int row) const
    {
        list()->setCurrentRow(row); // as a click does: the selection-change handler runs
    }
    void click(int id) const { get<QAbstractButton>(id)->click(); }
    QStringList names() const
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    const TraceDefinitionList& result() const { return editor->Definitions(); }
};

TEST(TraceDefaultsEditor, NewDefinitionAndNames)
{
    Editor e({definition("GR", 0, 150)});
    EXPECT_EQ(e.editor->objectName(), "dlg209");
    EXPECT_EQ(e.names(), QStringList{"GR"});
    EXPECT_EQ(e.list()->currentRow(), 0);

    // The colours in alphabetical order, each carrying its index.
    auto* colour = e.get<QComboBox>(1142);
    ASSERT_EQ(colour->count(), 17);
    EXPECT_EQ(colour->itemText(0), "Black");
    EXPECT_EQ(colour->itemText(1), "Blue");
    EXPECT_EQ(colour->itemText(16), "Yellow");
    EXPECT_EQ(colour->currentText(), "Blue");

    e.prompts.answers = {QStringLiteral("GR"), QString(), QStringLiteral("say \"hi\""), std::nullopt};
    e.click(1242);
    ASSERT_EQ(e.prompts.initialTexts.size(), 1u);
    EXPECT_EQ(e.prompts.initialTexts[0], "new_trace_name");
    EXPECT_EQ(e.prompts.captions[0], "Trace Definition");
    EXPECT_EQ(e.prompts.topics[0], L"hidd_newtracedef.htm");
    // A second "GR" is allowed and selected, with the look of a new definition.
    EXPECT_EQ(e.names(), QStringList({"GR", "GR"}));
    EXPECT_EQ(e.list()->currentRow(), 1);
    EXPECT_TRUE(e.get<QRadioButton>(1294)->isChecked());
    EXPECT_TRUE(e.get<QRadioButton>(1107)->isChecked());
    EXPECT_TRUE(e.get<QRadioButton>(1290)->isChecked());
    EXPECT_FALSE(e.get<QCheckBox>(1300)->isChecked());
    EXPECT_EQ(colour->currentText(), "Blue");
    EXPECT_EQ(e.get<QLineEdit>(1292)->text(), "0");
    EXPECT_EQ(e.get<QLineEdit>(1293)->text(), "100");

    // An empty name and one the file cannot hold are refused; Cancel adds nothing.
    std::size_t boxes = e.sandbox.boxes.shown.size();
    e.click(1242);
    e.click(1242);
    e.click(1242);
    EXPECT_EQ(e.sandbox.boxes.shown.size(), boxes + 2);
    EXPECT_EQ(e.result().size(), 2u);

    // Choosing "No line" stores colour 16.
    int noLine = colour->findText("No line");
    colour->setCurrentIndex(noLine);
    emit colour->activated(noLine);
    e.click(1);
    EXPECT_EQ(e.result()[1].colourIndex, 16);
    EXPECT_EQ(e.result()[1].name, "GR");
    EXPECT_EQ(e.result()[1].pattern, 0);
}

TEST(TraceDefaultsEditor, ClickingThroughKeepsEveryNumber)
{
    Editor e({definition("A", 1234567.8, 0.1), definition("B", -1e-7, 1e300), definition("C", 2.0 / 3, -0.0)});
    TraceDefinitionList before = e.given;
    for (int round = 0; round < 2; ++round)
        for (int row : {1, 2, 0, 2})
            e.select(row);
    e.click(1);
    ASSERT_EQ(e.result().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(e.result()[i].minimum, before[i].minimum) << i;
        EXPECT_EQ(e.result()[i].maximum, before[i].maximum) << i;
    }
}

TEST(TraceDefaultsEditor, RangeEditsGoWithTheDefinitionShown)
{
    Editor e({definition("A", 0, 10), definition("B", 0, 20), definition("C", 0, 30)});
    // Typed, then another selected: stored. A text that is not a number keeps the value.
    e.get<QLineEdit>(1292)->setText(" -5.5e2 units");
    e.get<QLineEdit>(1293)->setText("lots");
    e.select(1);
    EXPECT_EQ(e.result()[0].minimum, -550);
    EXPECT_EQ(e.result()[0].maximum, 10);

    // B moved up, then C selected: the typed range belongs to B wherever it stands.
    e.get<QLineEdit>(1293)->setText("25");
    e.click(1246);
    EXPECT_EQ(e.names(), QStringList({"B", "A", "C"}));
    EXPECT_EQ(e.list()->currentRow(), 0);
    EXPECT_FALSE(e.get<QPushButton>(1246)->isEnabled());
    e.select(2);
    EXPECT_EQ(e.result()[0].name, "B");
    EXPECT_EQ(e.result()[0].maximum, 25);
    EXPECT_EQ(e.result()[1].maximum, 10);
    EXPECT_FALSE(e.get<QPushButton>(1247)->isEnabled());

    // Deleting the middle one leaves its neighbours as they were, selects nothing and drops the
    // edits; the typed text of a deleted definition goes with it.
    e.select(1);
    e.get<QLineEdit>(1292)->setText("99");
    e.click(1264);
    EXPECT_EQ(e.names(), QStringList({"B", "C"}));
    EXPECT_EQ(e.list()->currentRow(), -1);
    EXPECT_EQ(e.get<QLineEdit>(1292)->text(), "");
    EXPECT_FALSE(e.get<QPushButton>(1249)->isEnabled());
    EXPECT_FALSE(e.get<QCheckBox>(1300)->isEnabled());
    e.select(1);
    EXPECT_EQ(e.get<QLineEdit>(1293)->text(), "30");
    e.click(1264);
    e.click(1);
    ASSERT_EQ(e.result().size(), 1u);
    EXPECT_EQ(e.result()[0].name, "B");
    EXPECT_EQ(e.result()[0].maximum, 25);
}

TEST(TraceDefaultsEditor, InvisibleRenamesAndUnnamedDefinitions)
{
    TraceDefinition unnamed = definition("", 1, 2);
    Editor e({definition("GR", 0, 150), unnamed, definition("SP", -100, 100)});
    EXPECT_EQ(e.names(), QStringList({"GR", "SP"}));

    e.click(1300);
    EXPECT_FALSE(e.result()[0].visible);
    for (int id : {1107, 1108, 1109, 1294, 1285, 1142, 1291, 1290, 1292, 1293})
        EXPECT_FALSE(e.get<QWidget>(id)->isEnabled()) << id;
    EXPECT_TRUE(e.get<QCheckBox>(1300)->isEnabled());
    e.click(1300);
    EXPECT_TRUE(e.result()[0].visible);
    EXPECT_TRUE(e.get<QWidget>(1292)->isEnabled());

    // Pattern set: a text that compiles becomes a pattern; one that does not is warned about and
    // stays a plain name.
    e.select(1);
    e.click(1285);
    EXPECT_EQ(e.result()[2].pattern, 1);
    e.prompts.answers = {QStringLiteral("S(P|N).*"), QStringLiteral("[SP")};
    e.click(1249);
    EXPECT_EQ(e.prompts.initialTexts.back(), "SP");
    EXPECT_EQ(e.result()[2].name, "S(P|N).*");
    EXPECT_EQ(e.result()[2].pattern, 1);
    EXPECT_TRUE(e.get<QRadioButton>(1285)->isChecked());
    std::size_t boxes = e.sandbox.boxes.shown.size();
    e.click(1249);
    ASSERT_EQ(e.sandbox.boxes.shown.size(), boxes + 1);
    EXPECT_EQ(e.sandbox.boxes.shown.back().text, L"Warning: The pattern entered is not a valid search pattern");
    EXPECT_EQ(e.result()[2].name, "[SP");
    EXPECT_EQ(e.result()[2].pattern, 0);
    EXPECT_TRUE(e.get<QRadioButton>(1294)->isChecked());
    EXPECT_EQ(e.names(), QStringList({"GR", "[SP"}));

    // The display field and the range radios go into the definition at once.
    e.click(1109);
    e.click(1291);
    e.click(1);
    EXPECT_EQ(e.result()[2].displayField, 3);
    EXPECT_TRUE(e.result()[2].ownRange);
    // The definition without a name is still there, untouched.
    ASSERT_EQ(e.result().size(), 3u);
    EXPECT_EQ(e.result()[1].name, "");
    EXPECT_EQ(e.result()[1].maximum, 2);
}

TEST(TraceDefaultsEditor, ARowThatIsCurrentButNotSelectedCannotBeDeleted)
{
    Editor e({definition("GR", 0, 150), definition("SP", -80, 20)});
    e.select(0);
    e.click(1264);
    ASSERT_EQ(e.names(), QStringList({"SP"}));
    // Taking the focus, the list makes its first row current without selecting it.
    e.list()->selectionModel()->setCurrentIndex(e.list()->model()->index(0, 0), QItemSelectionModel::NoUpdate);
    EXPECT_FALSE(e.get<QPushButton>(1264)->isEnabled());
    e.editor->OnDelete();
    EXPECT_EQ(e.result().size(), 1u);
}

} // namespace
