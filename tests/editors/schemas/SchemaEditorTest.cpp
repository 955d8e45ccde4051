// The schema editor on a copy of the schemas: "Basic" first and untouchable, names refused in any
// case, new schemas red until they validate, fields added, edited, moved and deleted, imports from a
// Prolog 4 file, and the copy put back with the ids kept.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/QuorApp.h"
#include "editors/schemas/SchemaEditor.h"
#include "tests/editors/EditorTestSupport.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/NamePrompts.h"
#include "widgets/controls/ColourListBox.h"

namespace {

using namespace ORBAX_Logging;

SchemaDefinitionList schemas()
{
    SchemaDefinitionList list;
    auto add = [&](const wchar_t* name, std::vector<FieldDefinition> fields) {
        SchemaDefinition schema(name, std::move(fields));
        LoadMessages ignored;
        schema.validate(ignored);
        InsertSchemaDefinition(list, schema, list.end());
    };
    add(L"Basic", {{ROCKTYPE, L"Rock type"}, {PERCENTAGE, L"Percentage"}, {BOTTOM, L"Depth"}});
    add(L"Coal", {{ROCKTYPE, L"Lith"}, {BOTTOM, L"To"}, {STRING, L"Colour"}});
    add(L"broken", {{STRING, L"Note"}});
    return list;
}

struct Editor {
    AppTest::Sandbox sandbox;
    CQuorApp app;
    AppTest::NamePrompts prompts{sandbox.dialogs};
    SchemaDefinitionList given = schemas();
    CSchemaEditor editor{given};

    template <class T>
    T* get(int id) const
    {
        return editor.findChild<T*>(QStringLiteral("id%1").arg(id));
    }
    CColourListBox* list() const { return get<CColourListBox>(1241); }
    QListWidget* fields() const { return get<QListWidget>(1245); }
    void click(int id) const { get<QPushButton>(id)->click(); }
    bool enabled(int id) const { return get<QWidget>(id)->isEnabled(); }
    void select(const QString& name) const
    {
        for (int i = 0; i < list()->count(); ++i)
            if (list()->item(i)->text() == name)
                EditorTest::ClickRow(list(), i);
    }
    QStringList lines(const QListWidget* l) const
    {
        QStringList t;
        for (int i = 0; i < l->count(); ++i)
            t << l->item(i)->text();
        return t;
    }
    bool red(const QString& name) const
    {
        for (int i = 0; i < list()->count(); ++i)
            if (list()->item(i)->text() == name)
                return list()->HasItemColour(i) && list()->ItemColour(i) == CSchemaEditor::InvalidColour;
        return false;
    }
    // Answers the field dialog: a kind keyword and a description, then OK.
    void fieldAnswer(const QString& keyword, const QString& description)
    {
        prompts.other = [=](QDialog& dialog) {
            ASSERT_EQ(dialog.objectName(), "dlg205");
            auto* kind = dialog.findChild<QComboBox*>("id1251");
            kind->setCurrentIndex(kind->findText(keyword));
            dialog.findChild<QLineEdit*>("id1201")->setText(description);
            dialog.accept();
        };
    }
};

TEST(SchemaEditor, BasicIsFirstAndCannotBeChanged)
{
    Editor e;
    EXPECT_EQ(e.editor.objectName(), "dlg203");
    EXPECT_EQ(e.lines(e.list()), QStringList({"Basic", "broken", "Coal"}));
    EXPECT_TRUE(e.red("broken"));
    EXPECT_FALSE(e.red("Coal"));
    EXPECT_FALSE(e.enabled(1243));

    e.select("Basic");
    EXPECT_EQ(e.lines(e.fields()), QStringList({"ROCKTYPE\tRock type", "PERCENTAGE\tPercentage", "BOTTOM\tDepth"}));
    for (int id : {1243, 1249, 1244, 1251})
        EXPECT_FALSE(e.enabled(id)) << id;
    e.fields()->setCurrentRow(1);
    for (int id : {1246, 1247, 1248, 1250})
        EXPECT_FALSE(e.enabled(id)) << id;
    // Even when asked from code, nothing of it changes.
    e.editor.OnDeleteSchema();
    e.editor.OnRename();
    e.editor.OnDeleteField();
    e.editor.OnAddField();
    EXPECT_TRUE(e.prompts.initialTexts.empty());
    EXPECT_EQ(e.sandbox.dialogs.shown.size(), 0u);
    ASSERT_EQ(e.editor.Schemas().size(), 3u);
    EXPECT_EQ(e.editor.Schemas()[0].fields.size(), 3u);

    // A new schema may be a copy of it.
    e.sandbox.dialogs.inspect = [](QDialog& dialog) {
        ASSERT_EQ(dialog.objectName(), "dlg317");
        dialog.findChild<QLineEdit*>("id1309")->setText("Field sheet");
        dialog.findChild<QCheckBox*>("id1310")->setChecked(true);
        auto* source = dialog.findChild<QComboBox*>("id1241");
        source->setCurrentIndex(source->findText("Basic"));
        dialog.accept();
    };
    e.click(1242);
    EXPECT_EQ(e.lines(e.list()), QStringList({"Basic", "broken", "Coal", "Field sheet"}));
    EXPECT_EQ(e.list()->currentItem()->text(), "Field sheet");
    EXPECT_FALSE(e.red("Field sheet"));
    EXPECT_EQ(e.editor.Schemas()[3].fields, e.editor.Schemas()[0].fields);
    EXPECT_EQ(e.editor.Schemas()[3].id, 0);
}

TEST(SchemaEditor, NamesNewSchemasAndFields)
{
    Editor e;
    // Renames: its own name in other letters, another's name and nothing are refused.
    e.select("Coal");
    e.prompts.answers = {QStringLiteral("COAL"), QStringLiteral("Broken"), QString(), QStringLiteral("Coal 2")};
    for (int i = 0; i < 4; ++i)
        e.click(1249);
    EXPECT_EQ(e.prompts.initialTexts[0], "Coal");
    EXPECT_EQ(e.prompts.captions[0], "New Schema");
    EXPECT_EQ(e.prompts.topics[0], L"hidd_schemaeditor.htm");
    ASSERT_EQ(e.sandbox.boxes.shown.size(), 3u);
    EXPECT_EQ(e.sandbox.boxes.shown[0].text, L"A schema with that name already exists");
    EXPECT_EQ(e.sandbox.boxes.shown[1].text, L"A schema with that name already exists");
    EXPECT_EQ(e.editor.Schemas()[1].name, L"Coal 2");
    EXPECT_EQ(e.list()->currentItem()->text(), "Coal 2");

    // A copy whose source differs in letters from every schema copies nothing: red, with its messages.
    e.sandbox.dialogs.inspect = [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("id1309")->setText("Lab");
        dialog.findChild<QCheckBox*>("id1310")->setChecked(true);
        dialog.findChild<QComboBox*>("id1241")->setEditText("basic");
        dialog.accept();
    };
    e.click(1242);
    ASSERT_EQ(e.editor.Schemas().size(), 4u);
    EXPECT_TRUE(e.editor.Schemas()[3].fields.empty());
    EXPECT_TRUE(e.red("Lab"));
    EXPECT_TRUE(e.enabled(1251));
    QStringList messages;
    e.sandbox.dialogs.inspect = [&](QDialog& dialog) {
        ASSERT_EQ(dialog.objectName(), "dlg191");
        auto* lines = dialog.findChild<QListWidget*>("id1182");
        for (int i = 0; i < lines->count(); ++i)
            messages << lines->item(i)->text();
    };
    e.click(1251);
    EXPECT_FALSE(messages.isEmpty());

    // Fields: the first dialog offers STRING "new_field"; a rock type and a depth make it valid.
    e.prompts.install(e.sandbox.dialogs);
    QString offered;
    e.prompts.other = [&](QDialog& dialog) {
        auto* kind = dialog.findChild<QComboBox*>("id1251");
        offered = kind->currentText() + "/" + dialog.findChild<QLineEdit*>("id1201")->text();
        kind->setCurrentIndex(kind->findText("ROCKTYPE"));
        dialog.findChild<QLineEdit*>("id1201")->setText("Lith");
        dialog.accept();
    };
    e.click(1244);
    EXPECT_EQ(offered, "STRING/new_field");
    EXPECT_TRUE(e.red("Lab"));
    e.fieldAnswer("BOTTOM", "");
    e.click(1244);
    EXPECT_FALSE(e.red("Lab"));
    EXPECT_FALSE(e.enabled(1251));
    // A description the file could not hold keeps the dialog open; Cancel then adds nothing.
    e.prompts.other = [&](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("id1201")->setText("6\" core");
        dialog.accept();
        EXPECT_EQ(dialog.result(), -1);
        dialog.reject();
    };
    e.click(1244);
    EXPECT_EQ(e.fields()->count(), 2);
    e.fieldAnswer("STRING", "Colour");
    e.click(1244);
    EXPECT_EQ(e.lines(e.fields()), QStringList({"ROCKTYPE\tLith", "BOTTOM\t", "STRING\tColour"}));
    EXPECT_EQ(e.fields()->currentRow(), 2);
    EXPECT_FALSE(e.enabled(1247));

    // Moved up twice (no re-check), edited into a second depth (invalid), deleted again.
    e.click(1246);
    e.click(1246);
    EXPECT_EQ(e.fields()->currentRow(), 0);
    EXPECT_FALSE(e.enabled(1246));
    EXPECT_EQ(e.lines(e.fields()), QStringList({"STRING\tColour", "ROCKTYPE\tLith", "BOTTOM\t"}));
    e.fieldAnswer("BOTTOM", "Base");
    e.click(1250);
    EXPECT_EQ(e.fields()->item(0)->text(), "BOTTOM\tBase");
    EXPECT_TRUE(e.red("Lab"));
    e.click(1248);
    EXPECT_FALSE(e.red("Lab"));
    EXPECT_EQ(e.lines(e.fields()), QStringList({"ROCKTYPE\tLith", "BOTTOM\t"}));
    const auto& lab = e.editor.Schemas()[3].fields;
    ASSERT_EQ(lab.size(), 2u);
    EXPECT_EQ(lab[0], FieldDefinition(ROCKTYPE, L"Lith"));
    EXPECT_EQ(lab[1], FieldDefinition(BOTTOM, L""));

    // Deleting a schema asks nothing and selects none; the others keep their fields.
    e.click(1243);
    EXPECT_EQ(e.list()->currentRow(), -1);
    EXPECT_EQ(e.fields()->count(), 0);
    e.select("Coal 2");
    EXPECT_EQ(e.fields()->count(), 3);
}

TEST(SchemaEditor, ImportAndPutBack)
{
    Editor e;
    ORBAX_Platform::ScriptedFilePrompts files;
    ORBAX_Platform::ScopedFilePrompts installed(files);
    const QString file = QString::fromStdString(QuorTest::data_file("prolog4/two_logs.prolog").string());
    auto importAs = [&](const QString& name, const QString& path) {
        files.answers = {QStringList{path}};
        e.sandbox.dialogs.inspect = [=](QDialog& dialog) {
            if (dialog.objectName() != "dlg212")
                return;
            dialog.findChild<QPushButton*>("id1268")->click();
            auto* logs = dialog.findChild<QComboBox*>("id1316");
            if (logs->isEnabled())
                logs->setCurrentIndex(logs->findText("Coal log"));
            dialog.findChild<QLineEdit*>("id1174")->setText(name);
            dialog.accept();
        };
        e.click(1252);
    };
    importAs("Imported", file);
    ASSERT_EQ(e.editor.Schemas().size(), 4u);
    EXPECT_EQ(e.editor.Schemas()[3].name, L"Imported");
    EXPECT_GE(e.editor.Schemas()[3].fields.size(), 9u);
    EXPECT_EQ(e.list()->currentItem()->text(), "Imported");
    // A duplicate name is refused before the file is read; a file that cannot be read adds nothing.
    importAs("imported", file);
    EXPECT_EQ(e.sandbox.boxes.shown.back().text, L"A schema with that name already exists");
    importAs("Missing", QString::fromStdString(e.sandbox.file("none.prolog").string()));
    EXPECT_EQ(e.editor.Schemas().size(), 4u);
    EXPECT_EQ(e.sandbox.dialogs.shown.back(), "dlg191");

    // The copy goes back in its order: kept schemas keep their ids, the new one gets a fresh id.
    std::vector<std::int32_t> ids;
    for (const SchemaPtr& schema : e.given)
        ids.push_back(schema->id);
    SchemaDefinitionList target = e.given;
    applySchemaList(target, e.editor.Schemas());
    ASSERT_EQ(target.size(), 4u);
    auto it = target.begin();
    for (std::size_t i = 0; i < 3; ++i, ++it)
        EXPECT_EQ((*it)->id, ids[i]);
    EXPECT_GT((*it)->id, *std::max_element(ids.begin(), ids.end()));
    EXPECT_EQ((*it)->name, L"Imported");
}

} // namespace
