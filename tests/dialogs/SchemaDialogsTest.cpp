// Import Schema and Select Schema.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "dialogs/SelectSchema.h"
#include "editors/schemas/ImportSchema.h"
#include "tests/support/AppTestSupport.h"

namespace {

using namespace ORBAX_Logging;

template <class T>
T* child(QWidget& parent, int id)
{
    T* found = parent.findChild<T*>(QStringLiteral("id%1").arg(id));
    EXPECT_NE(found, nullptr) << id;
    return found;
}

TEST(ImportSchemaDialog, OkWaitsForNameFileAndDataLog)
{
    AppTest::Sandbox sandbox;
    ORBAX_Platform::ScriptedFilePrompts prompts;
    ORBAX_Platform::ScopedFilePrompts scoped(prompts);
    const QString file = QString::fromStdWString(QuorTest::data_file("prolog4/two_logs.prolog").wstring());
    prompts.answers.push_back({file});
    prompts.filterAnswers.push_back(2);
    CImportSchema dialog;
    sandbox.dialogs.inspect = [&](QDialog& d) {
        auto* ok = child<QPushButton>(d, 1);
        EXPECT_FALSE(ok->isEnabled());
        child<QLineEdit>(d, 1174)->setText("Imported");
        EXPECT_FALSE(ok->isEnabled()) << "typing the name is seen at the next browse";
        dialog.OnBrowse();
        EXPECT_EQ(prompts.filters.back(), QStringList({"Prolog version 4 files (*.prolog *.PROLOG)",
                                                       "Prolog version 4 template files (*.template *.TEMPLATE)"}));
        auto* logs = child<QComboBox>(d, 1316);
        ASSERT_EQ(logs->count(), 2);
        EXPECT_EQ(logs->itemText(0), "Coal log");
        EXPECT_FALSE(ok->isEnabled()) << "no data log chosen yet";
        logs->setCurrentIndex(1);
        emit logs->activated(1);
        EXPECT_TRUE(ok->isEnabled());
        ok->click();
    };
    ASSERT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_EQ(dialog.schemaName, L"Imported");
    EXPECT_EQ(dialog.fileName, file.toStdWString());
    EXPECT_EQ(dialog.fileType, 0) << "the template filter was chosen";
    EXPECT_EQ(dialog.dataLogIndex, 1);

    // A file without data logs: the combo is disabled and index 0 comes back.
    prompts.answers.push_back({"/no/such/file.prolog"});
    CImportSchema none;
    none.dataLogIndex = 5;
    sandbox.dialogs.inspect = [&](QDialog& d) {
        child<QLineEdit>(d, 1174)->setText("X");
        none.OnBrowse();
        EXPECT_FALSE(child<QComboBox>(d, 1316)->isEnabled());
        EXPECT_TRUE(child<QPushButton>(d, 1)->isEnabled());
        child<QPushButton>(d, 1)->click();
    };
    ASSERT_EQ(none.DoModal(), QDialog::Accepted);
    EXPECT_EQ(none.fileType, 1);
    EXPECT_EQ(none.dataLogIndex, 0);
}

TEST(SelectSchemaDialog, PreselectsTheLastNameMatchIgnoringCaseAndListsEverySchema)
{
    AppTest::Sandbox sandbox;
    SchemaDefinitionList schemas;
    SchemaDefinition broken(L"broken", {});
    InsertSchemaDefinition(schemas, broken, schemas.end());
    SchemaDefinition coal(L"Coal", {{ROCKTYPE, L"Rock"}});
    InsertSchemaDefinition(schemas, coal, schemas.end());
    const int coalId = schemas.back()->id;

    CSelectSchema dialog(L"COAL", &schemas);
    EXPECT_EQ(dialog.schemaId, coalId);
    sandbox.dialogs.inspect = [](QDialog& d) {
        auto* list = child<QListWidget>(d, 1182);
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(0)->text(), "broken") << "unusable schemas are listed too";
        EXPECT_EQ(list->currentItem()->text(), "Coal");
        list->setCurrentItem(list->item(0));
        d.accept();
    };
    ASSERT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_EQ(dialog.schemaId, schemas.front()->id);

    CSelectSchema unknown(L"nothing", &schemas);
    sandbox.dialogs.inspect = [](QDialog& d) {
        EXPECT_EQ(child<QListWidget>(d, 1182)->currentItem(), nullptr);
        d.accept();
    };
    ASSERT_EQ(unknown.DoModal(), QDialog::Accepted);
    EXPECT_EQ(unknown.schemaId, -1) << "OK without a selection";
}

} // namespace
