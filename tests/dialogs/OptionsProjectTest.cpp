// The Project page: the lists filled from the application's tables each time the page is shown, the
// single-choice modes, and the default schema found exactly before it is found by its beginning.
#include <gtest/gtest.h>

#include <stdexcept>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "app/QuorApp.h"
#include "dialogs/OptionsProject.h"
#include "tests/support/AppTestSupport.h"

namespace {

using ORBAX_Logging::SchemaDefinition;
using ORBAX_Logging::SchemaDefinitionList;

struct ProjectFixture {
    AppTest::Sandbox sandbox;
    CQuorApp app;
    SchemaDefinitionList schemas;

    ProjectFixture()
    {
        auto& tables = app.Tables();
        tables.correlations.Insert(CorrelationDefinition(L"North"));
        tables.correlations.Insert(CorrelationDefinition(L"South"));
        tables.hatchLists.Insert(HatchList(L"Standard"));
        tables.hatchLists.Insert(HatchList(L"Coal"));
        for (const wchar_t* name : {L"Basic", L"AB", L"A", L"Lab"})
            ORBAX_Logging::InsertSchemaDefinition(schemas, SchemaDefinition(name, {}), schemas.end());
    }

    // Shows the page in a sheet; `drive` runs while it is open, and OK is pressed after it when
    // `ok` is set.
    int run(PropertyPage& page, const std::function<void()>& drive, bool ok = true)
    {
        PropertySheet sheet(L"QUOR_Log Options");
        sheet.AddPage(&page);
        sandbox.dialogs.inspect = [&](QDialog&) {
            drive();
            if (ok)
                sheet.accept();
        };
        int result = sheet.DoModal();
        page.setParent(nullptr);
        return result;
    }
};

template <class T>
T* control(QWidget& page, int id)
{
    return page.findChild<T*>(QStringLiteral("id%1").arg(id));
}

QStringList items(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

TEST(OptionsProject, FullPageExchangesEveryValue)
{
    ProjectFixture f;
    COptionsProject page(2, QStringLiteral("Moura"), 7, L"a", true, &f.schemas);
    page.SetConfigurationTables(&f.app.Tables());
    EXPECT_EQ(page.objectName(), "dlg310");
    EXPECT_EQ(f.run(page,
                    [&] {
                        auto* sites = control<QComboBox>(page, 1048);
                        EXPECT_EQ(items(sites), QStringList({"North", "South"}));
                        EXPECT_EQ(sites->currentText(), "South");
                        // A hatch list id that no list has selects nothing.
                        auto* lists = control<QComboBox>(page, 1223);
                        EXPECT_EQ(items(lists), QStringList({"Standard", "Coal"}));
                        EXPECT_EQ(lists->currentIndex(), -1);
                        EXPECT_EQ(control<QLineEdit>(page, 1174)->text(), "Moura");
                        // "AB" stands before "A", but the default "a" is "A".
                        auto* schemaList = control<QListWidget>(page, 1182);
                        ASSERT_EQ(schemaList->count(), 4);
                        EXPECT_EQ(schemaList->currentItem()->text(), "A");
                        EXPECT_TRUE(control<QCheckBox>(page, 1203)->isChecked());
                        sites->setCurrentIndex(0);
                        control<QLineEdit>(page, 1174)->setText("Bowen");
                        control<QCheckBox>(page, 1203)->setChecked(false);
                    }),
              QDialog::Accepted);
    EXPECT_EQ(page.m_siteId, 1);
    EXPECT_EQ(page.m_hatchListId, 7);
    EXPECT_EQ(page.m_projectName, "Bowen");
    EXPECT_EQ(page.m_defaultSchema, L"A");
    EXPECT_FALSE(page.m_alwaysAsk);
}

TEST(OptionsProject, DefaultSchemaByItsBeginningOrNone)
{
    ProjectFixture f;
    COptionsProject prefix(0, QString(), 0, L"la", false, &f.schemas);
    f.run(prefix, [] {});
    EXPECT_EQ(prefix.m_defaultSchema, L"Lab");
    COptionsProject none(0, QString(), 0, L"Zircon", false, &f.schemas);
    f.run(none, [] {});
    EXPECT_EQ(none.m_defaultSchema, L"");
    // No default yet: OK does not pick the first schema unasked.
    COptionsProject unset(0, QString(), 0, L"", false, &f.schemas);
    f.run(unset, [&] { EXPECT_EQ(control<QListWidget>(unset, 1182)->currentRow(), -1); });
    EXPECT_EQ(unset.m_defaultSchema, L"");
}

TEST(OptionsProject, SingleChoiceModesAndRefill)
{
    ProjectFixture f;
    COptionsProject site(COptionsProject::SiteOnly, 1);
    site.SetConfigurationTables(&f.app.Tables());
    f.run(site, [&] {
        for (int id : {1223, 1225, 1174, 1224, 1182, 1238, 1203})
            EXPECT_FALSE(control<QWidget>(site, id)->isVisibleTo(&site)) << id;
        EXPECT_TRUE(control<QWidget>(site, 1048)->isVisibleTo(&site));
        EXPECT_EQ(control<QComboBox>(site, 1048)->currentText(), "North");
    });
    EXPECT_EQ(site.m_siteId, 1);

    // The hatch list renamed while the sheet is open shows under its new name when the page is
    // shown again; a choice is kept by id.
    COptionsProject lists(COptionsProject::HatchListOnly, 2);
    COptionsProject other(COptionsProject::SiteOnly, 2);
    lists.SetConfigurationTables(&f.app.Tables());
    other.SetConfigurationTables(&f.app.Tables());
    PropertySheet sheet(L"QUOR_Log Options");
    sheet.AddPage(&lists);
    sheet.AddPage(&other);
    f.sandbox.dialogs.inspect = [&](QDialog&) {
        EXPECT_FALSE(control<QWidget>(lists, 1048)->isVisibleTo(&lists));
        EXPECT_EQ(control<QComboBox>(lists, 1223)->currentText(), "Coal");
        sheet.SetActivePage(1);
        f.app.Tables().hatchLists.Get(2).name = L"Coal measures";
        sheet.SetActivePage(0);
        EXPECT_EQ(items(control<QComboBox>(lists, 1223)), QStringList({"Standard", "Coal measures"}));
        EXPECT_EQ(control<QComboBox>(lists, 1223)->currentText(), "Coal measures");
        sheet.accept();
    };
    EXPECT_EQ(sheet.DoModal(), QDialog::Accepted);
    EXPECT_EQ(lists.m_hatchListId, 2);
    lists.setParent(nullptr);
    other.setParent(nullptr);

    try {
        COptionsProject bad(3, 1);
        FAIL() << "mode 3 accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Invalid COptionsProject flag");
    }
}

} // namespace
