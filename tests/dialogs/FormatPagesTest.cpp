// The CSV, Prolog and Prolog 4 option pages in their three modes, in the sheets that show them.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include "dialogs/OptionsCSV.h"
#include "dialogs/OptionsProlog.h"
#include "dialogs/OptionsProlog4.h"
#include "tests/support/AppTestSupport.h"
#include "widgets/dialogs/SpinButton.h"

namespace {

using namespace ORBAX_Logging;

template <class T>
T* child(QWidget& parent, int id)
{
    T* found = parent.findChild<T*>(QStringLiteral("id%1").arg(id));
    EXPECT_NE(found, nullptr) << id;
    return found;
}

class FormatPages : public ::testing::Test {
protected:
    FormatPages()
    {
        add(L"Five", 5);
        add(L"alpha", 7);
        add(L"Six", 6);
        add(L"Broken", 0, false);
    }
    std::uint32_t add(const std::wstring& name, int fieldCount, bool valid = true)
    {
        std::vector<FieldDefinition> fields = {{ROCKTYPE, L"Rock"}, {PERCENTAGE, L"Pct"}, {BOTTOM, L"Base"}};
        for (int i = 3; i < fieldCount; ++i)
            fields.push_back({STRING, L"F" + std::to_wstring(i)});
        SchemaDefinition schema(name, fields);
        if (valid) {
            LoadMessages ignored;
            schema.validate(ignored);
        }
        auto inserted = InsertSchemaDefinition(schemas, schema, schemas.end());
        return static_cast<std::uint32_t>((*inserted.first)->id);
    }
    std::uint32_t id(const std::wstring& name) const
    {
        return static_cast<std::uint32_t>(lookupSchemaByName(schemas, name)->id);
    }
    static void select(QListWidget* list, const QString& text)
    {
        auto items = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        list->setCurrentItem(items.front());
    }
    static QStringList lines(QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    AppTest::Sandbox sandbox;
    SchemaDefinitionList schemas;
};

TEST_F(FormatPages, CsvBeforeReadComparesTheFileWithTheSchemaAndNeedsOneChosen)
{
    CEnhancedPropertySheet sheet(L"Set File Options");
    CSVOptions options;
    auto* page = new COptionsCSV(&schemas, options, QuorTest::data_file("document/west_bore.csv").wstring(), &sheet);
    sheet.AddPage(page);
    sandbox.dialogs.inspect = [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Set File Options");
        auto* list = child<QListWidget>(d, 1182);
        EXPECT_EQ(lines(list), QStringList({"alpha", "Five", "Six"})) << "valid schemas only, sorted ignoring case";
        EXPECT_EQ(child<QLabel>(d, 1201)->text(), "File has 7 fields (selected schema has unknown fields)");
        EXPECT_FALSE(sheet.okButton()->isEnabled());
        EXPECT_TRUE(child<QCheckBox>(d, 1203)->isHidden());
        EXPECT_TRUE(child<QLineEdit>(d, 1219)->isHidden());
        select(list, "Five");
        EXPECT_EQ(child<QLabel>(d, 1201)->text(), "File has 7 fields (selected schema has 5 fields)");
        EXPECT_TRUE(sheet.okButton()->isEnabled()) << "a different count still allows OK";
        // Choosing the location never brings the hidden rock-type edit back.
        child<QComboBox>(d, 1231)->setCurrentIndex(0);
        emit child<QComboBox>(d, 1231)->activated(0);
        EXPECT_FALSE(child<QLineEdit>(d, 1219)->isEnabled());
        sheet.okButton()->click();
    };
    ASSERT_EQ(sheet.DoModal(), QDialog::Accepted);
    EXPECT_EQ(page->options.schemaId, id(L"Five"));
    EXPECT_EQ(page->options.intervalLocation, 0);
    EXPECT_EQ(options.schemaId, 0u) << "the caller's record is a copy";
}

TEST_F(FormatPages, CsvSheetPageChoicesAndStoredValuesOutsideTheSpin)
{
    CSVOptions options;
    options.schemaId = id(L"Six");
    options.headingRows = 150;
    options.quotingStyle = 7; // none of the buttons
    options.intervalLocation = 5;
    PropertySheet sheet(L"QUOR_Log Options", true);
    auto* page = new COptionsCSV(&schemas, options, true);
    sheet.AddPage(page);
    sandbox.dialogs.inspect = [&](QDialog& d) {
        EXPECT_TRUE(child<QLabel>(d, 1201)->isHidden());
        EXPECT_TRUE(child<QCheckBox>(d, 1203)->isChecked());
        EXPECT_EQ(child<QLineEdit>(d, 1199)->text(), "150");
        EXPECT_EQ(child<QComboBox>(d, 1231)->currentIndex(), -1);
        EXPECT_FALSE(child<QLineEdit>(d, 1219)->isEnabled()) << "no location chosen";
        EXPECT_EQ(child<QLineEdit>(d, 1198)->text(), "\\");

        child<QRadioButton>(d, 1194)->click(); // never quote
        for (int id : {1195, 1196, 1197})
            EXPECT_FALSE(child<QRadioButton>(d, id)->isEnabled()) << id;
        EXPECT_FALSE(child<QLineEdit>(d, 1198)->isEnabled());
        child<QRadioButton>(d, 1192)->click();
        child<QRadioButton>(d, 1196)->click();
        EXPECT_TRUE(child<QLineEdit>(d, 1198)->isEnabled());
        child<QRadioButton>(d, 1197)->click();
        EXPECT_FALSE(child<QLineEdit>(d, 1198)->isEnabled());
        child<QLineEdit>(d, 1198)->clear();

        child<QComboBox>(d, 1231)->setCurrentIndex(2);
        emit child<QComboBox>(d, 1231)->activated(2);
        EXPECT_FALSE(child<QLineEdit>(d, 1219)->isEnabled()) << "no unit level record";
        child<QComboBox>(d, 1231)->setCurrentIndex(1);
        emit child<QComboBox>(d, 1231)->activated(1);
        EXPECT_TRUE(child<QLineEdit>(d, 1219)->isEnabled());
        sheet.okButton()->click();
    };
    ASSERT_EQ(sheet.DoModal(), QDialog::Accepted);
    EXPECT_EQ(page->options.headingRows, 150) << "a stored count beyond the arrows' range survives OK";
    EXPECT_EQ(page->options.quotingStyle, 1);
    EXPECT_EQ(page->options.quoteQuoteStyle, 2);
    EXPECT_EQ(page->options.escapeCharacter, 0) << "an empty escape edit stores a NUL";
    EXPECT_EQ(page->options.intervalLocation, 1);
    EXPECT_EQ(page->options.schemaId, id(L"Six"));
    EXPECT_TRUE(page->alwaysAsk);

    // The arrows step within 0 to 100.
    SpinButton* spin = page->findChild<SpinButton*>("id1200");
    spin->upButton()->click();
    EXPECT_EQ(page->findChild<QLineEdit*>("id1199")->text(), "100");
}

TEST_F(FormatPages, LeavingAPageWithARefusedValueKeepsIt)
{
    PropertySheet sheet(L"QUOR_Log Options", true);
    auto* csv = new COptionsCSV(&schemas, CSVOptions(), false);
    auto* prolog = new COptionsProlog(PrologOptions(), &schemas, false);
    sheet.AddPage(csv);
    sheet.AddPage(prolog);
    sandbox.dialogs.inspect = [&](QDialog& d) {
        child<QLineEdit>(d, 1199)->clear();
        sheet.tabs()->setCurrentIndex(1);
        EXPECT_EQ(sheet.tabs()->currentIndex(), 0) << "the CSV page stays";
        ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
        EXPECT_EQ(sandbox.boxes.shown[0].text, L"Please enter an integer.");
        child<QLineEdit>(d, 1199)->setText("3");
        sheet.tabs()->setCurrentIndex(1);
        EXPECT_EQ(sheet.currentPage(), prolog);
        select(prolog->schemaList(), "alpha");
        sheet.helpButton()->click();
        sheet.okButton()->click();
    };
    ASSERT_EQ(sheet.DoModal(), QDialog::Accepted);
    EXPECT_EQ(csv->options.headingRows, 3);
    EXPECT_EQ(prolog->options.schemaId, id(L"alpha"));
    EXPECT_EQ(sandbox.help.contexts, std::vector<unsigned>({0x20000u + 315}));
}

TEST_F(FormatPages, PrologCountsTheFileOrTheBoreholeToWrite)
{
    CEnhancedPropertySheet read(L"Set File Options");
    auto* page =
        new COptionsProlog(PrologOptions(), &schemas, QuorTest::data_file("document/east_bore").wstring(), &read);
    read.AddPage(page);
    sandbox.dialogs.inspect = [&](QDialog& d) {
        select(child<QListWidget>(d, 1182), "Six");
        EXPECT_EQ(child<QLabel>(d, 1201)->text(), "File has 7 fields (selected schema has 6 fields)");
        d.reject();
    };
    EXPECT_EQ(read.DoModal(), QDialog::Rejected);

    CEnhancedPropertySheet write(L"Set File Options");
    auto* writePage = new COptionsProlog(PrologOptions(), &schemas, 9u, &write);
    write.AddPage(writePage);
    sandbox.dialogs.inspect = [&](QDialog& d) {
        EXPECT_EQ(child<QLabel>(d, 1201)->text(), "The borehole contains 9 fields");
        EXPECT_FALSE(write.okButton()->isEnabled());
        d.reject();
    };
    write.DoModal();

    // A file that cannot be opened (or is of another kind) has an unknown number of fields.
    CEnhancedPropertySheet missing(L"Set File Options");
    auto* missingPage = new COptionsProlog(PrologOptions(), &schemas, L"/no/such/file", &missing);
    missing.AddPage(missingPage);
    sandbox.dialogs.inspect = [&](QDialog& d) {
        EXPECT_EQ(child<QLabel>(d, 1201)->text(), "File has unknown fields (selected schema has unknown fields)");
        d.reject();
    };
    missing.DoModal();
}

TEST_F(FormatPages, Prolog4NeedsADataLogAndASchemaOfItsSize)
{
    CEnhancedPropertySheet sheet(L"Set File Options");
    Prolog4Options options;
    options.deduce = false;
    auto* page =
        new COptionsProlog4(options, &schemas, QuorTest::data_file("document/north_bore.prolog").wstring(), &sheet);
    sheet.AddPage(page);
    EXPECT_EQ(page->dataLogNames(), std::vector<std::wstring>({L"Short"}));
    sandbox.dialogs.inspect = [&](QDialog& d) {
        auto* logs = child<QComboBox>(d, 1316);
        EXPECT_EQ(logs->currentIndex(), 0) << "the record's data log 0";
        EXPECT_TRUE(child<QListWidget>(d, 1182)->isEnabled());
        EXPECT_EQ(child<QLabel>(d, 1201)->text(), "The data log in the file has 6 fields");
        EXPECT_FALSE(sheet.okButton()->isEnabled());
        select(child<QListWidget>(d, 1182), "Five");
        EXPECT_EQ(child<QLabel>(d, 1201)->text(),
                  "The data log in the file has 6 fields (selected schema has 5 fields)");
        EXPECT_FALSE(sheet.okButton()->isEnabled()) << "the counts differ";
        select(child<QListWidget>(d, 1182), "Six");
        EXPECT_TRUE(sheet.okButton()->isEnabled());
        child<QRadioButton>(d, 1314)->click();
        EXPECT_FALSE(child<QListWidget>(d, 1182)->isEnabled());
        EXPECT_TRUE(child<QLabel>(d, 1201)->text().isEmpty());
        EXPECT_TRUE(sheet.okButton()->isEnabled());
        sheet.okButton()->click();
    };
    ASSERT_EQ(sheet.DoModal(), QDialog::Accepted);
    EXPECT_TRUE(page->options.deduce);
    EXPECT_EQ(page->options.schemaId, id(L"Six"));

    // A file without data logs: only deducing allows OK, with data log 0.
    CEnhancedPropertySheet none(L"Set File Options");
    auto* empty = new COptionsProlog4(options, &schemas, L"/no/such/file.prolog", &none);
    none.AddPage(empty);
    sandbox.dialogs.inspect = [&](QDialog& d) {
        EXPECT_FALSE(child<QComboBox>(d, 1316)->isEnabled());
        EXPECT_EQ(child<QLabel>(d, 1201)->text(), "The data log in the file has unknown fields");
        EXPECT_FALSE(none.okButton()->isEnabled());
        d.reject();
    };
    none.DoModal();

    // As a page of the options sheet the data-log controls are hidden.
    PropertySheet options0(L"QUOR_Log Options");
    auto* sheetPage = new COptionsProlog4(options, &schemas);
    options0.AddPage(sheetPage);
    sandbox.dialogs.inspect = [&](QDialog& d) {
        EXPECT_TRUE(child<QComboBox>(d, 1316)->isHidden());
        EXPECT_TRUE(child<QLabel>(d, 1322)->isHidden());
        EXPECT_TRUE(options0.okButton()->isEnabled());
        d.reject();
    };
    options0.DoModal();
}

} // namespace
