// Every dialog of the program shows its texts whole: each visible label, button, check box and radio
// button is at least as wide as the ink of its text (measured by drawing the text, since the font's
// metrics round and can fall a pixel short of what is drawn), every page of a sheet included, and the
// value prompts with each prompt the program gives them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>

#include "app/QuorApp.h"
#include "config/traces/LasProperty.h"
#include "core/catalogue/Messages.h"
#include "core/model/Borehole.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/Correlate.h"
#include "dialogs/FirstTimeSplash.h"
#include "dialogs/IntervalProperties.h"
#include "dialogs/LasSetup.h"
#include "dialogs/LoadBoreHole.h"
#include "dialogs/OptionsCSV.h"
#include "dialogs/OptionsFonts.h"
#include "dialogs/OptionsProject.h"
#include "dialogs/OptionsProlog.h"
#include "dialogs/OptionsProlog4.h"
#include "dialogs/OptionsSettings.h"
#include "dialogs/OptionsView.h"
#include "dialogs/PasteSpecial.h"
#include "dialogs/Renumber.h"
#include "dialogs/SampleNumber.h"
#include "dialogs/SaveBoth.h"
#include "dialogs/SelectSchema.h"
#include "dialogs/Setrock.h"
#include "docview/document/QuorDoc.h"
#include "editors/hatchlists/HatchListEditor.h"
#include "editors/hatchlists/NewRecordDialog.h"
#include "editors/patterns/BitmapEditor.h"
#include "editors/patterns/VectorEditor.h"
#include "editors/schemas/FieldDefinitionDialog.h"
#include "editors/schemas/ImportSchema.h"
#include "editors/schemas/SchemaEditor.h"
#include "editors/sites/SeamsPliesEditor.h"
#include "editors/traces/TraceAverageValue.h"
#include "editors/traces/TraceDefaultsEditor.h"
#include "layout/items/LegendLayoutItemDialog.h"
#include "layout/items/SectionLayoutItemDialog.h"
#include "layout/items/TitleLayoutItemDialog.h"
#include "printsetup/pagesetup/PageSetup.h"
#include "tests/support/AppTestSupport.h"
#include "widgets/dialogs/DlgDouble.h"
#include "widgets/dialogs/DlgInteger.h"
#include "widgets/dialogs/DlgString.h"
#include "widgets/dialogs/ErrorList.h"

namespace {

using ORBAX_Utilities::get_message_wide;

// The columns that the text's ink reaches when it is drawn from the left edge in the font.
int inkWidth(const QFont& font, const QString& text, bool mnemonic)
{
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) * 2 + 40, metrics.height() * (text.count('\n') + 3),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter | (mnemonic ? Qt::TextShowMnemonic : 0), text);
    }
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = image.width() - 1; x > last; --x)
            if (row[x] != qRgb(255, 255, 255))
                last = x;
    }
    return last + 1;
}

// What the control lacks to show its text whole: one line per control that is cut.
void collectCuts(QWidget& window, QStringList& cuts)
{
    auto name = [](const QWidget* w, const QString& text) {
        return QStringLiteral("%1 \"%2\"").arg(w->objectName(), text);
    };
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || label->text().isEmpty())
            continue;
        if (label->wordWrap() || label->textFormat() == Qt::RichText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()))) {
            if (label->height() < label->heightForWidth(label->width()) ||
                label->width() < label->minimumSizeHint().width())
                cuts << name(label, label->text()) + QStringLiteral(" wraps into too little room");
            continue;
        }
        const int needed = inkWidth(label->font(), label->text(), label->buddy() != nullptr) + 2 * label->margin() +
                           std::max(0, label->indent()) + 2 * label->frameWidth();
        if (label->width() < needed)
            cuts << name(label, label->text()) + QStringLiteral(" %1 < %2").arg(label->width()).arg(needed);
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window) || button->text().isEmpty())
            continue;
        const int ink = inkWidth(button->font(), button->text(), true);
        int needed = 0;
        if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
            // The indicator and its spacing as the style adds them to the text.
            const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
            needed = button->sizeHint().width() - text.width() + ink;
        } else if (qobject_cast<QPushButton*>(button)) {
            // The frame and a pixel clear of it on either side.
            needed = ink + 2 * (button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button) + 1);
        } else {
            continue;
        }
        if (button->width() < needed)
            cuts << name(button, button->text()) + QStringLiteral(" %1 < %2").arg(button->width()).arg(needed);
    }
    for (QGroupBox* box : window.findChildren<QGroupBox*>())
        if (box->isVisibleTo(&window) && !box->title().isEmpty() &&
            box->width() < inkWidth(box->font(), box->title(), true) + 16)
            cuts << name(box, box->title()) + QStringLiteral(" title");
}

// Shows the window as the user sees it (every tab of every sheet in turn) and lists what is cut.
QStringList cutTexts(QWidget& window)
{
    window.show();
    QApplication::processEvents();
    QStringList cuts;
    QList<QTabWidget*> sheets = window.findChildren<QTabWidget*>();
    if (sheets.isEmpty()) {
        collectCuts(window, cuts);
    } else {
        for (QTabWidget* tabs : sheets)
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                QApplication::processEvents();
                QStringList page;
                collectCuts(window, page);
                for (const QString& cut : page)
                    if (!cuts.contains(cut))
                        cuts << tabs->tabText(i) + QStringLiteral(": ") + cut;
            }
    }
    window.hide();
    return cuts;
}

class DialogTextsFit : public ::testing::Test {
protected:
    // Runs the dialog's opening (its DoModal through the dialog service) and checks it as it stands.
    template <class Dialog>
    void expectFits(Dialog& dialog, const char* what)
    {
        bool seen = false;
        sandbox.dialogs.inspect = [&](QDialog& shown) {
            if (&shown != &dialog)
                return;
            seen = true;
            const QStringList cuts = cutTexts(shown);
            EXPECT_TRUE(cuts.isEmpty()) << what << ":\n  " << cuts.join(QStringLiteral("\n  ")).toStdString();
        };
        dialog.DoModal();
        sandbox.dialogs.inspect = nullptr;
        EXPECT_TRUE(seen) << what;
    }

    AppTest::Sandbox sandbox;
    CQuorApp app;
};

ORBAX_Logging::SchemaPtr schemaOf(std::vector<ORBAX_Logging::FieldDefinition> fields, const wchar_t* name = L"Coal")
{
    auto schema = std::make_shared<ORBAX_Logging::SchemaDefinition>(name, std::move(fields));
    ORBAX_Logging::LoadMessages ignored;
    schema->validate(ignored);
    return schema;
}

ORBAX_Logging::SchemaPtr fullSchema()
{
    using namespace ORBAX_Logging;
    return schemaOf({{ROCKTYPE, L"Rock"},
                     {PERCENTAGE, L"Percent"},
                     {BOTTOM, L"To"},
                     {STRING, L"Colour"},
                     {SEAM, L"Seam"},
                     {PLY, L"Ply"},
                     {SAMPLE, L"Sample"},
                     {RECOVERED, L"Rec"},
                     {THICKNESS, L"Thick"}});
}

class OneBorehole : public UnitPropertiesHost {
public:
    OneBorehole() : hole(fullSchema())
    {
        ORBAX_Logging::Interval unit(hole.schema, ORBAX_Logging::LithData(hole.schema));
        unit.elements[0].rockType = L"SANDSTONE";
        unit.bottom = 2.5;
        unit.thickness = 2.5;
        hole.push_back(unit);
    }
    int SelectedSide() const override { return 0; }
    int SelectedUnit() const override { return 0; }
    const ORBAX_Logging::Borehole* Borehole(int k) const override { return k == 0 ? &hole : nullptr; }
    void SelectAndShowUnit(int, int) override {}
    bool SelectNextUnit() override { return false; }
    ORBAX_Logging::Borehole hole;
};

TEST_F(DialogTextsFit, ValuePromptsShowEveryPromptTheProgramGivesThem)
{
    for (int prompt : {132, 175, 177}) {
        CDlgDouble dialog(1.5, 2, get_message_wide(prompt - 1), get_message_wide(prompt), L"t.htm");
        expectFits(dialog, "real-number prompt");
    }
    CDlgInteger scale(250, get_message_wide(135), get_message_wide(136), L"t.htm");
    expectFits(scale, "integer prompt");
    for (int prompt : {217, 221, 223, 227, 229, 231, 234, 236, 238}) {
        CDlgString dialog(L"new name", get_message_wide(prompt - 1), get_message_wide(prompt), L"t.htm");
        expectFits(dialog, "string prompt");
    }
}

TEST_F(DialogTextsFit, TheOptionsSheetAndTheFormatPages)
{
    ORBAX_Logging::SchemaDefinitionList& schemas = app.Tables().schemas;
    ORBAX_Logging::InsertSchemaDefinition(schemas, *fullSchema(), schemas.end());
    PropertySheet sheet(L"QUOR_Log Options");
    sheet.AddPage(new COptionsView(true, false, 100, 250, 0.05, 1, 1, 2));
    sheet.AddPage(new COptionsProject(0, QStringLiteral("Project"), 0, L"Coal", false, &schemas));
    sheet.AddPage(new COptionsSettings(true, true, false));
    sheet.AddPage(new COptionsProlog(PrologOptions(), &schemas, false));
    sheet.AddPage(new COptionsProlog4(Prolog4Options(), &schemas));
    sheet.AddPage(new COptionsCSV(&schemas, CSVOptions(), false));
    sheet.AddPage(new COptionsFonts(FontDescription(L"Arial", true, false, 12.0f),
                                    FontDescription(L"Arial", false, false, 8.0f),
                                    FontDescription(L"Arial", false, true, 10.0f)));
    expectFits(sheet, "options sheet");

    PropertySheet locked(L"QUOR_Log Options");
    locked.AddPage(new COptionsSettings(true, true, true));
    expectFits(locked, "settings page in client mode");
    for (int mode : {COptionsProject::SiteOnly, COptionsProject::HatchListOnly}) {
        PropertySheet single(L"Project");
        single.AddPage(new COptionsProject(mode, 0));
        expectFits(single, "single-choice project page");
    }
    CEnhancedPropertySheet csv(L"CSV options");
    csv.AddPage(new COptionsCSV(&schemas, CSVOptions(), QuorTest::data_file("document/west_bore.csv").wstring(), &csv));
    expectFits(csv, "CSV options before a read");
    CEnhancedPropertySheet prolog4(L"Prolog 4 options");
    prolog4.AddPage(new COptionsProlog4(Prolog4Options(), &schemas,
                                        QuorTest::data_file("document/north_bore.prolog").wstring(), &prolog4));
    expectFits(prolog4, "Prolog 4 options before a read");
}

TEST_F(DialogTextsFit, TheShellsSmallDialogs)
{
    CAboutDlg about;
    expectFits(about, "about box");
    CFirstTimeSplash splash;
    expectFits(splash, "welcome");
    ErrorEntries entries;
    addErrorEntry(L"Something to look at", entries, 0x20001);
    CErrorList errors(entries);
    expectFits(errors, "error list");

    CorrelationDefinition site(L"North");
    site.seams.emplace_back(L"Main");
    site.seams.back().plies = {L"M1", L"M2"};
    CCorrelate correlate(&site, L"Main", L"M1");
    expectFits(correlate, "correlate");

    CImportSchema import;
    expectFits(import, "import schema");
    ORBAX_Logging::SchemaDefinitionList& schemas = app.Tables().schemas;
    ORBAX_Logging::InsertSchemaDefinition(schemas, *fullSchema(), schemas.end());
    CSelectSchema select(L"Coal", &schemas);
    expectFits(select, "select schema");

    OneBorehole host;
    CIntervalProperties properties(host);
    expectFits(properties, "unit properties");

    std::vector<TraceSetInfo> files;
    LasSetup setup(files, {});
    expectFits(setup, "trace file setup");

    LoadBoreHole side;
    expectFits(side, "which borehole");
    const ORBAX_Logging::SchemaPtr schema = fullSchema();
    CPasteSpecial paste(&schema->fields);
    expectFits(paste, "paste special");
    CRenumber renumber(L"S-", 7, L"a", 3);
    expectFits(renumber, "relabel sample numbers");
    CSampleNumber sample(L"S-010", L"S-001", L"S-009");
    expectFits(sample, "sample number");
    CSaveBoth both;
    expectFits(both, "save both");

    HatchList list(L"Main");
    list.entries = {{HatchListEntry::Inbuilt, L"Red", L"SANDSTONE"}, {HatchListEntry::Inbuilt, L"Black", L"COAL"}};
    std::vector<std::wstring> rockTypes = {L"SANDSTONE", L"COAL", L"SANDSTONE"};
    std::vector<int> percentages = {50, 30, 20};
    const ConfigurationTables& tables = app.Tables();
    Setrock rock(rockTypes, percentages, &list, tables.vectors, tables.bitmaps, tables.inbuilts);
    expectFits(rock, "set rock type");
}

TEST_F(DialogTextsFit, TheConfigurationEditors)
{
    ConfigurationTables& tables = app.Tables();
    CSchemaEditor schemas(tables.schemas);
    expectFits(schemas, "schema editor");
    CFieldDefinition field(ORBAX_Logging::FieldDefinition{ORBAX_Logging::STRING, L"Colour"});
    expectFits(field, "field definition");
    CNewHatchList newList({L"Standard"});
    expectFits(newList, "new hatch list");
    CNewSchema newSchema({L"Coal"});
    expectFits(newSchema, "new schema");
    CVectorEditor vectors(tables.vectors);
    expectFits(vectors, "vector editor");
    CBitmapEditor bitmaps(tables.bitmaps);
    expectFits(bitmaps, "bitmap editor");
    CHatchListEditor hatchLists(tables.hatchLists, tables.vectors, tables.bitmaps, tables.inbuilts);
    expectFits(hatchLists, "hatch list editor");
    TraceDefinitionList definitions(1);
    definitions[0].name = "GR";
    CTraceDefaultsEditor traces(definitions);
    expectFits(traces, "trace defaults editor");
    CorrelationTable sites;
    CorrelationDefinition site(L"North");
    site.seams.emplace_back(L"Main");
    sites.Insert(site);
    CSeamsPliesEditor seams(sites);
    expectFits(seams, "seams and plies editor");

    LasProperty file;
    std::wstring error;
    ASSERT_EQ(file.read(QuorTest::data_file("las/sample20.las").wstring(), error), 0);
    CTraceAverageValue average(file, file.curves().at(1), 2);
    expectFits(average, "trace average value");
}

TEST_F(DialogTextsFit, ThePageSetupAndTheLayoutItems)
{
    CPageSetup pageSetup{PageSetupSettings()};
    expectFits(pageSetup, "page setup");
    CQuorDoc document{fullSchema()};
    SectionLayoutItem section;
    CSectionLayoutItemDialog sectionDialog(QPointF(), document, section);
    expectFits(sectionDialog, "section item");
    LegendLayoutItem legend;
    CLegendLayoutItemDialog legendDialog(legend);
    expectFits(legendDialog, "legend item");
    TitleLayoutItem title;
    CTitleLayoutItemDialog titleDialog(title);
    expectFits(titleDialog, "title item");
}

} // namespace
