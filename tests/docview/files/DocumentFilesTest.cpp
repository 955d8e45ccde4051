// Opening, creating, saving and exporting boreholes through the document, with the file prompts and
// option sheets answered by the test.
#include <filesystem>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "app/MainFrame.h"
#include "app/QuorApp.h"
#include "core/csv/Borehole_CSV.h"
#include "core/prolog/Borehole_Prolog.h"
#include "core/prolog4/Borehole_Prolog4.h"
#include "dialogs/SaveBoth.h"
#include "dialogs/SelectSchema.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "printsetup/pagesetup/LogoImage.h"
#include "resources/CommandIds.h"
#include "tests/docview/DocviewTestSupport.h"
#include "tests/support/AppTestSupport.h"
#include "widgets/dialogs/ErrorList.h"

namespace {

namespace fs = std::filesystem;
using ORBAX_Platform::MessageResult;
using ORBAX_Platform::Settings;

class DocumentFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(QuorTest::data_file("document/QuorLogConfig.txt"), sandbox.programFolder() / "QuorLogConfig.txt");
        for (const char* name : {"east_bore", "west_bore.csv", "north_bore.prolog", "not_a_borehole"})
            fs::copy_file(QuorTest::data_file(std::string("document/") + name), sandbox.file(name));
        Settings(L"Options").writeInt(L"ShowSplash", 0);
        Settings(L"Options").writeString(L"DefaultSchema", L"Short");
        Settings(L"Options").writeInt(L"AlwaysAsk", 0);
        for (const wchar_t* section : {L"PrologOptions", L"CSVOptions"}) {
            Settings(section).writeString(L"Schema", L"Coal");
            Settings(section).writeInt(L"AlwaysAsk", 0);
        }
        sandbox.dialogs.inspect = [this](QDialog& dialog) {
            shown.push_back(dialog.objectName());
            if (auto* list = qobject_cast<CErrorList*>(&dialog))
                for (int i = 0; i < list->list()->count(); ++i)
                    errorLines << list->list()->item(i)->text();
            if (respond)
                respond(dialog);
        };
        app = std::make_unique<CQuorApp>();
        ASSERT_TRUE(app->InitInstance({}));
        doc = app->GetDocument();
        shown.clear();
    }
    void TearDown() override
    {
        if (app)
            app->ExitInstance();
    }

    std::wstring path(const char* name) const { return sandbox.file(name).wstring(); }
    // The next file prompt answers `file` with the 1-based filter `filter`.
    void answerPrompt(const std::wstring& file, int filter)
    {
        prompts.answers.push_back({QString::fromStdWString(file)});
        prompts.filterAnswers.push_back(filter);
    }
    ORBAX_Logging::SchemaPtr schema(const std::wstring& name) const
    {
        return ORBAX_Logging::lookupSchemaByName(app->Tables().schemas, name);
    }
    void openLeft(const std::wstring& file, int filter)
    {
        answerPrompt(file, filter);
        ErrorEntries entries;
        doc->openBorehole(0, entries);
        ASSERT_FALSE(hasReportableErrors(entries));
    }

    AppTest::Sandbox sandbox;
    ORBAX_Platform::ScriptedFilePrompts prompts;
    ORBAX_Platform::ScopedFilePrompts scopedPrompts{prompts};
    std::unique_ptr<CQuorApp> app;
    CQuorDoc* doc = nullptr;
    std::vector<QString> shown;
    QStringList errorLines;
    std::function<void(QDialog&)> respond;
};

TEST_F(DocumentFiles, OpensEachFormatIntoItsPaneAndRemembersTheFolderAndFilter)
{
    answerPrompt(path("east_bore"), 1);
    ErrorEntries entries;
    doc->openBorehole(0, entries);
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(doc->unitCountOnSide(0), 3);
    EXPECT_EQ(doc->GetPathName(0), path("east_bore"));
    EXPECT_EQ(doc->GetFormatOptions(0)->formatCode, ORBAX_Logging::FormatProlog30);
    EXPECT_FALSE(doc->IsPaneModified(0));
    EXPECT_EQ(prompts.captions.back(), "Open Borehole");
    EXPECT_EQ(prompts.filters.back(),
              QStringList({"Prolog version 2.1 and 3.0 files (*)", "Prolog version 4 files (*.prolog *.PROLOG)",
                           "CSV files (*.csv *.CSV)"}));

    answerPrompt(path("west_bore.csv"), 3);
    doc->openBorehole(1, entries);
    EXPECT_EQ(doc->unitCountOnSide(1), 3);
    EXPECT_EQ(doc->GetFormatOptions(1)->formatCode, ORBAX_Logging::FormatCSV);
    EXPECT_EQ(doc->GetTitle(), L"east_bore, west_bore");
    EXPECT_EQ(app->GetMainFrame()->windowTitle(), "east_bore, west_bore - QUOR_Log");
    EXPECT_EQ(Settings(L"Options").readString(L"BorePath", L""), sandbox.file("").parent_path().wstring());
    EXPECT_EQ(Settings(L"Options").readInt(L"BoreFilter", 0), 3);

    // Prolog 4 always asks for its options: the data log and whether the schema is deduced.
    respond = [](QDialog& sheet) { sheet.findChild<QPushButton*>("id1")->click(); };
    answerPrompt(path("north_bore.prolog"), 2);
    doc->openBorehole(1, entries);
    EXPECT_EQ(shown, std::vector<QString>({"PropertySheet"}));
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(doc->unitCountOnSide(1), 2);
    EXPECT_EQ(doc->GetFormatOptions(1)->formatCode, ORBAX_Logging::FormatProlog41);
    EXPECT_EQ(prompts.initialFilters.back(), prompts.filters.back()[2]) << "the filter used last is offered first";
}

TEST_F(DocumentFiles, CancelledPromptOrSheetChangesNothing)
{
    ErrorEntries entries;
    doc->openBorehole(0, entries); // no answer: the prompt is cancelled
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].word(), 0x10017u);
    EXPECT_EQ(entries[0].text, L"Operation cancelled by user");
    EXPECT_FALSE(hasReportableErrors(entries));

    // With "AlwaysAsk" the CSV sheet comes in its read mode; Cancel there reads nothing.
    app->m_csvAlwaysAsk = true;
    respond = [](QDialog& sheet) {
        EXPECT_NE(sheet.findChild<QWidget*>("dlg313"), nullptr);
        sheet.reject();
    };
    answerPrompt(path("west_bore.csv"), 3);
    entries.clear();
    doc->openBorehole(0, entries);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].code, 23);
    EXPECT_EQ(doc->unitCountOnSide(0), 0);
    EXPECT_TRUE(doc->GetPathName(0).empty());
}

// A read that fails keeps the pane's borehole, file and options; a later Save writes the pane's own
// borehole to its own file, never the failed read's result.
TEST_F(DocumentFiles, FailedReadNeverReplacesThePane)
{
    openLeft(path("west_bore.csv"), 3);
    doc->EditSampleNumber(0, {{0, 0}}, L"EDITED");
    const std::string original = QuorTest::read_file(sandbox.file("west_bore.csv"));

    sandbox.boxes.answers.push_back(MessageResult::No); // do not save the edit first
    answerPrompt(path("not_a_borehole"), 1);
    ErrorEntries entries;
    doc->openBorehole(0, entries);
    EXPECT_TRUE(hasReportableErrors(entries));
    EXPECT_EQ(doc->unitCountOnSide(0), 3);
    EXPECT_EQ(doc->GetUnitSampleNumber(0, 0), L"EDITED");
    EXPECT_EQ(doc->GetPathName(0), path("west_bore.csv"));
    EXPECT_TRUE(doc->IsPaneModified(0));
    EXPECT_EQ(doc->GetUndoCount(), 1u) << "the pane's history stays with its borehole";

    ErrorEntries missing;
    EXPECT_FALSE(doc->LoadCsvBorehole(0, path("absent.csv"), missing));
    EXPECT_EQ(doc->unitCountOnSide(0), 3);

    entries.clear();
    doc->saveBorehole(0, entries);
    EXPECT_TRUE(entries.empty());
    const std::string saved = QuorTest::read_file(sandbox.file("west_bore.csv"));
    EXPECT_NE(saved.find("EDITED"), std::string::npos);
    EXPECT_NE(saved.find("coarse, cross-bedded"), std::string::npos);
    EXPECT_EQ(QuorTest::read_file(sandbox.file("west_bore.csv.backup")), original);
}

// As the program reads them, a pipe or device named as a borehole (on the command line, through the
// list of recent files, from the prompt) or as the logo is refused at once with a message, no options
// asked for, instead of holding the program until something writes to the pipe.
TEST_F(DocumentFiles, APipeOrDeviceIsNeverWaitedOnAndSaysSo)
{
    ORBAX_Platform::read_regular_files_only();
    ASSERT_EQ(::mkfifo(sandbox.file("pipe.csv").c_str(), 0600), 0);
    const std::wstring notRead = L"\n(It is not a regular file; a pipe, device or folder in its place is not read and "
                                 L"is left alone.)";
    for (const std::wstring& name : {path("pipe.csv"), std::wstring(L"/dev/zero")}) {
        ErrorEntries named, recent, prompted;
        EXPECT_FALSE(doc->openBoreholeByName(0, name, named));
        EXPECT_FALSE(doc->openRecentFile(0, name, recent));
        EXPECT_FALSE(CQuorDoc::fileIsThere(name, recent));
        answerPrompt(name, 3);
        doc->openBorehole(0, prompted);
        for (const ErrorEntries* entries : {&named, &recent, &prompted}) {
            ASSERT_FALSE(entries->empty());
            EXPECT_EQ(entries->front().text, L"Unable to open " + name + notRead);
        }
    }
    EXPECT_TRUE(shown.empty()) << "no options page before the refusal";
    EXPECT_TRUE(doc->GetPathName(0).empty());

    std::wstring reason;
    EXPECT_TRUE(ReadLogoImage(path("pipe.csv"), &reason).isNull());
    EXPECT_EQ(L"\n(" + reason + L")", notRead);
}

TEST_F(DocumentFiles, NamedFileTakesItsReaderFromTheExtension)
{
    fs::create_directory(sandbox.file("site.v2"));
    fs::copy_file(sandbox.file("east_bore"), sandbox.file("site.v2/east"));
    fs::copy_file(sandbox.file("west_bore.csv"), sandbox.file("West.CsV"));
    ErrorEntries entries;
    EXPECT_TRUE(doc->openBoreholeByName(0, path("site.v2/east"), entries)) << "the folder's dot is no extension";
    EXPECT_EQ(doc->GetFormatOptions(0)->formatCode, ORBAX_Logging::FormatProlog30);
    EXPECT_TRUE(doc->openBoreholeByName(1, path("West.CsV"), entries));
    EXPECT_EQ(doc->GetFormatOptions(1)->formatCode, ORBAX_Logging::FormatCSV);
    EXPECT_TRUE(entries.empty());

    EXPECT_FALSE(doc->openBoreholeByName(1, path("north_bore.prolog"), entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].word(), 0x3002Fu);
    EXPECT_EQ(entries[0].text,
              L"Unrecognised file extension prolog.  Specify the file type using the Open Borehole command.");
    EXPECT_EQ(doc->GetPathName(1), path("West.CsV"));

    // A file dropped on a pane with unsaved changes asks first; Cancel keeps the pane.
    doc->EditSampleNumber(1, {{0, 0}}, L"keep");
    sandbox.boxes.answers.push_back(MessageResult::Cancel);
    entries.clear();
    EXPECT_FALSE(doc->openBoreholeByName(1, path("east_bore"), entries));
    EXPECT_EQ(sandbox.boxes.shown.back().text, L"Bore hole data changed.  Do you want to save?");
    EXPECT_EQ(doc->GetUnitSampleNumber(1, 0), L"keep");
}

// A name that ends in a dot has an empty extension: refused when named, read as a file without an
// extension from the recent-file list.
TEST_F(DocumentFiles, ANameEndingInADotIsRefusedNamedAndReadAsPrologFromTheList)
{
    fs::copy_file(sandbox.file("east_bore"), sandbox.file("east."));
    ErrorEntries entries;
    EXPECT_FALSE(doc->openBoreholeByName(0, path("east."), entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text,
              L"Unrecognised file extension .  Specify the file type using the Open Borehole command.");
    entries.clear();
    EXPECT_TRUE(doc->openRecentFile(0, path("east."), entries));
    EXPECT_EQ(doc->GetFormatOptions(0)->formatCode, ORBAX_Logging::FormatProlog30);
}

// Yes to "save first" with a save that fails stops the open: the edits stay in the pane.
TEST_F(DocumentFiles, SaveThatFailsBeforeOpenOrNewStopsIt)
{
    openLeft(path("west_bore.csv"), 3);
    doc->EditSampleNumber(0, {{0, 0}}, L"EDITED");
    // The file's folder disappears: the save cannot write.
    fs::create_directory(sandbox.file("gone"));
    fs::rename(sandbox.file("west_bore.csv"), sandbox.file("gone/west_bore.csv"));
    ErrorEntries unused;
    ASSERT_TRUE(doc->openBoreholeByName(1, path("gone/west_bore.csv"), unused));
    fs::remove_all(sandbox.file("gone"));
    doc->EditSampleNumber(1, {{0, 0}}, L"EDITED");

    sandbox.boxes.answers.push_back(MessageResult::Yes);
    answerPrompt(path("east_bore"), 1);
    ErrorEntries entries;
    doc->openBorehole(1, entries);
    EXPECT_EQ(prompts.answers.size(), 1u) << "no file prompt after the failed save";
    EXPECT_EQ(doc->GetUnitSampleNumber(1, 0), L"EDITED");
    EXPECT_TRUE(doc->IsPaneModified(1));
    EXPECT_FALSE(errorLines.isEmpty()) << "the failed save is shown";

    sandbox.boxes.answers.push_back(MessageResult::Yes);
    doc->newBorehole(1);
    EXPECT_EQ(doc->unitCountOnSide(1), 3) << "New keeps the pane too";

    // A save that works goes on to the open.
    prompts.answers.clear();
    prompts.filterAnswers.clear();
    sandbox.boxes.answers.push_back(MessageResult::Yes);
    answerPrompt(path("east_bore"), 1);
    entries.clear();
    doc->openBorehole(0, entries);
    EXPECT_EQ(doc->GetPathName(0), path("east_bore"));
    EXPECT_NE(QuorTest::read_file(sandbox.file("west_bore.csv")).find("EDITED"), std::string::npos)
        << "the left pane's file was saved before it was replaced";
}

// Every format saved in place is what the library writes for the same borehole and options.
TEST_F(DocumentFiles, SavesInPlaceAsTheLibraryWrites)
{
    const auto schemas = app->Tables().schemas;
    // Prolog 3.0
    openLeft(path("east_bore"), 1);
    doc->EditSampleNumber(0, {{1, 1}}, L"S9");
    ErrorEntries entries;
    doc->saveBorehole(0, entries);
    ASSERT_TRUE(entries.empty());
    EXPECT_TRUE(fs::exists(sandbox.file("east_bore.backup")));
    {
        ORBAX_Logging::PrologOptionsData options = app->m_prologOptions.toOptionsData(schemas, false);
        ORBAX_Logging::LoadMessages messages;
        auto direct = ORBAX_Logging::Borehole_Prolog::load(QuorTest::data_file("document/east_bore").wstring(), options,
                                                           messages);
        (*direct)[1].sample = L"S9";
        ORBAX_Logging::Borehole_Prolog::save(path("direct"), messages, *direct, options);
        EXPECT_EQ(QuorTest::read_file(sandbox.file("east_bore")), QuorTest::read_file(sandbox.file("direct")));
    }
    // CSV
    ErrorEntries ignored;
    ASSERT_TRUE(doc->LoadCsvBorehole(1, path("west_bore.csv"), ignored));
    doc->EditSeamOrPly(1, {{2, 2}}, L"Z", L"");
    doc->saveBorehole(1, entries);
    ASSERT_TRUE(entries.empty());
    {
        ORBAX_Logging::CSVOptionsData options = app->m_csvOptions.toOptionsData(schemas, false);
        ORBAX_Logging::LoadMessages messages;
        auto direct = ORBAX_Logging::Borehole_CSV::load(QuorTest::data_file("document/west_bore.csv").wstring(),
                                                        options, messages);
        (*direct)[2].seam = L"Z";
        ORBAX_Logging::Borehole_CSV::save(path("direct.csv"), *direct, options, messages);
        EXPECT_EQ(QuorTest::read_file(sandbox.file("west_bore.csv")), QuorTest::read_file(sandbox.file("direct.csv")));
    }
    // Prolog 4: the document read is written back with its units; no backup is kept.
    respond = [](QDialog& sheet) { sheet.findChild<QPushButton*>("id1")->click(); };
    answerPrompt(path("north_bore.prolog"), 2);
    doc->openBorehole(0, entries);
    doc->EditUnitDepth(0, 0, false, 2.5);
    doc->saveBorehole(0, entries);
    ASSERT_TRUE(entries.empty());
    EXPECT_FALSE(fs::exists(sandbox.file("north_bore.prolog.backup")));
    {
        ORBAX_Logging::Prolog4OptionsData options = app->m_prolog4Options.toOptionsData(schemas, false);
        ORBAX_Logging::LoadMessages messages;
        auto direct = ORBAX_Logging::Borehole_Prolog4::load(QuorTest::data_file("document/north_bore.prolog").wstring(),
                                                            options, messages);
        direct->setUnitDepth(0, false, 2.5);
        ORBAX_Logging::Borehole_Prolog4::save(path("direct.prolog"), *direct, options, messages);
        EXPECT_EQ(QuorTest::read_file(sandbox.file("north_bore.prolog")),
                  QuorTest::read_file(sandbox.file("direct.prolog")));
    }
}

TEST_F(DocumentFiles, SaveAsOffersTheFormatsTheBoreholeCanTake)
{
    const auto schemas = app->Tables().schemas;
    openLeft(path("west_bore.csv"), 3);
    // A CSV borehole: three filters, CSV first; a name without extension gets ".CSV".
    answerPrompt(path("copy"), 3);
    ErrorEntries entries;
    doc->saveBoreholeAs(0, entries);
    EXPECT_TRUE(entries.empty());
    ASSERT_EQ(prompts.filters.back().size(), 3);
    EXPECT_EQ(prompts.initialFilters.back(), prompts.filters.back()[2]);
    EXPECT_EQ(prompts.captions.back(), "Save Borehole");
    EXPECT_EQ(doc->GetPathName(0), path("copy.CSV"));
    EXPECT_EQ(doc->GetTitle(), L"copy, <unnamed>");

    // Prolog 3.0 keeps the name as it is, and the next Save writes that version in place.
    answerPrompt(path("as30"), 2);
    doc->saveBoreholeAs(0, entries);
    EXPECT_EQ(prompts.initialFilters.back(), prompts.filters.back()[2]);
    EXPECT_EQ(doc->GetPathName(0), path("as30"));
    EXPECT_EQ(doc->GetFormatOptions(0)->formatCode, ORBAX_Logging::FormatProlog30);
    {
        ORBAX_Logging::PrologOptionsData options = app->m_prologOptions.toOptionsData(schemas, false);
        ORBAX_Logging::Borehole copy = doc->GetBorehole(0);
        ORBAX_Logging::LoadMessages messages;
        ORBAX_Logging::Borehole_Prolog::save(path("direct30"), messages, copy, options);
        EXPECT_EQ(QuorTest::read_file(sandbox.file("as30")), QuorTest::read_file(sandbox.file("direct30")));
    }
    // Prolog 2.1 records have 25 fields: a schema of 7 cannot be written, and nothing changes.
    answerPrompt(path("as21"), 1);
    doc->saveBoreholeAs(0, entries);
    EXPECT_EQ(prompts.initialFilters.back(), prompts.filters.back()[1]) << "Prolog 3.0 offered first";
    EXPECT_TRUE(hasReportableErrors(entries));
    EXPECT_FALSE(fs::exists(sandbox.file("as21")));
    EXPECT_EQ(doc->GetPathName(0), path("as30"));
    EXPECT_EQ(doc->GetFormatOptions(0)->formatCode, ORBAX_Logging::FormatProlog30);
    entries.clear();

    // A Prolog 4 borehole: four filters, Prolog 4 offered first, ".prolog" added.
    respond = [](QDialog& sheet) { sheet.findChild<QPushButton*>("id1")->click(); };
    answerPrompt(path("north_bore.prolog"), 2);
    doc->openBorehole(1, entries);
    answerPrompt(path("north_copy"), 3);
    doc->saveBoreholeAs(1, entries);
    EXPECT_TRUE(entries.empty());
    ASSERT_EQ(prompts.filters.back().size(), 4);
    EXPECT_EQ(prompts.initialFilters.back(), prompts.filters.back()[2]);
    EXPECT_EQ(doc->GetPathName(1), path("north_copy.prolog"));
    EXPECT_EQ(doc->GetTitle(), L"as30, north_copy") << "the pane is named after the file Save writes";
    {
        ORBAX_Logging::Prolog4OptionsData options = app->m_prolog4Options.toOptionsData(schemas, false);
        ORBAX_Logging::LoadMessages messages;
        auto direct = ORBAX_Logging::Borehole_Prolog4::load(path("north_bore.prolog"), options, messages);
        ORBAX_Logging::Borehole_Prolog4::save(path("direct.prolog"), *direct, options, messages);
        EXPECT_EQ(QuorTest::read_file(sandbox.file("north_copy.prolog")),
                  QuorTest::read_file(sandbox.file("direct.prolog")));
    }

    // Cancel: nothing changes.
    entries.clear();
    doc->saveBoreholeAs(1, entries);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].code, 23);
    EXPECT_EQ(doc->GetPathName(1), path("north_copy.prolog"));
}

// Save As writes with the options' schema; the fields of the borehole that schema has no place for
// are named in a warning, for CSV and Prolog alike, and the save itself goes through.
TEST_F(DocumentFiles, SaveAsNamesTheFieldsTheWrittenSchemaLacks)
{
    openLeft(path("west_bore.csv"), 3);
    const std::uint32_t shortId = static_cast<std::uint32_t>(schema(L"Short")->id);
    app->m_csvOptions.schemaId = shortId;
    app->m_prologOptions.schemaId = shortId;
    const std::wstring warning = L"The file was written with schema Short, which has no field for \"Sample\", "
                                 L"\"Note\" of this borehole.  Those values are not in the file.";
    for (int filter : {3, 2}) {
        answerPrompt(path(filter == 3 ? "short.csv" : "short30"), filter);
        ErrorEntries entries;
        doc->saveBoreholeAs(0, entries);
        ASSERT_EQ(entries.size(), 1u) << filter;
        EXPECT_EQ(entries[0].text, warning);
        EXPECT_EQ(entries[0].severity, 2);
        EXPECT_TRUE(hasReportableErrors(entries));
        EXPECT_EQ(doc->GetPathName(0), path(filter == 3 ? "short.csv" : "short30"));
    }
    // Written with its own schema, nothing is lost and nothing is said.
    app->m_prologOptions.schemaId = static_cast<std::uint32_t>(schema(L"Coal")->id);
    answerPrompt(path("coal30"), 2);
    ErrorEntries entries;
    doc->saveBoreholeAs(0, entries);
    EXPECT_TRUE(entries.empty());
}

TEST_F(DocumentFiles, SaveAsWithAlwaysAskShowsTheWriteModePage)
{
    openLeft(path("east_bore"), 1);
    app->m_prologAlwaysAsk = true;
    QString fieldText;
    respond = [&](QDialog& sheet) {
        fieldText = sheet.findChild<QLabel*>("id1201")->text();
        sheet.reject();
    };
    answerPrompt(path("asked"), 1);
    ErrorEntries entries;
    doc->saveBoreholeAs(0, entries);
    EXPECT_EQ(fieldText, "The borehole contains 7 fields");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].code, 23);
    EXPECT_FALSE(fs::exists(sandbox.file("asked")));
    EXPECT_EQ(doc->GetPathName(0), path("east_bore"));
}

// Undo after a save: the pane differs from its file again, so it is modified.
TEST_F(DocumentFiles, UndoAfterSaveMarksThePaneModified)
{
    openLeft(path("east_bore"), 1);
    doc->EditSampleNumber(0, {{0, 0}}, L"A");
    ErrorEntries entries;
    doc->saveBorehole(0, entries);
    EXPECT_FALSE(doc->IsPaneModified(0));
    doc->Undo();
    EXPECT_TRUE(doc->IsPaneModified(0));
    sandbox.boxes.answers.push_back(MessageResult::Cancel);
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_EQ(sandbox.boxes.shown.back().text, L"There are unsaved changes to the left borehole.  Save?");
}

TEST_F(DocumentFiles, NewBoreholeTakesTheDefaultSchemaOrAsks)
{
    openLeft(path("east_bore"), 1);
    doc->EditSampleNumber(0, {{0, 0}}, L"x");
    sandbox.boxes.answers.push_back(MessageResult::No);
    doc->newBorehole(0);
    EXPECT_EQ(doc->unitCountOnSide(0), 0);
    EXPECT_EQ(doc->GetBorehole(0).schema->name, L"Short");
    EXPECT_TRUE(doc->GetPathName(0).empty());
    EXPECT_FALSE(doc->IsPaneModified(0));
    EXPECT_EQ(doc->GetUndoCount(), 0u);
    ASSERT_NE(doc->GetFormatOptions(0), nullptr) << "the options stay for Save As";

    // Always ask: the schema dialog; its Cancel gives the configuration's first schema.
    app->m_alwaysAskSchema = true;
    respond = [](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("id1182");
        EXPECT_EQ(list->currentItem()->text(), "Short");
        dialog.reject();
    };
    doc->newBorehole(1);
    EXPECT_EQ(shown.back(), "dlg311");
    EXPECT_EQ(doc->GetBorehole(1).schema->name, L"Basic");

    respond = [](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("id1182");
        list->setCurrentItem(list->findItems("Coal", Qt::MatchExactly).front());
        dialog.accept();
    };
    doc->newBorehole(1);
    EXPECT_EQ(doc->GetBorehole(1).schema->name, L"Coal");
}

TEST_F(DocumentFiles, ClosingAsksAboutEachPane)
{
    EXPECT_TRUE(doc->SaveModified()) << "nothing changed";
    openLeft(path("east_bore"), 1);
    ErrorEntries ignored;
    ASSERT_TRUE(doc->LoadCsvBorehole(1, path("west_bore.csv"), ignored));
    doc->EditSampleNumber(0, {{0, 0}}, L"left");
    doc->EditSampleNumber(1, {{0, 0}}, L"right");

    respond = [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "QUOR_Log");
        dialog.reject();
    };
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_EQ(shown.back(), "dlg190");

    // Both are offered for saving; only the left chosen: it is saved, and the right pane's changes
    // are dropped.
    respond = [](QDialog& dialog) {
        EXPECT_TRUE(dialog.findChild<QCheckBox*>("id1180")->isChecked());
        EXPECT_TRUE(dialog.findChild<QCheckBox*>("id1181")->isChecked());
        dialog.findChild<QCheckBox*>("id1181")->setChecked(false);
        dialog.accept();
    };
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_NE(QuorTest::read_file(sandbox.file("east_bore")).find("left"), std::string::npos);
    EXPECT_EQ(QuorTest::read_file(sandbox.file("west_bore.csv")).find("right"), std::string::npos);

    // A warning from the save keeps the document open: a character code page 1252 cannot hold.
    respond = nullptr;
    doc->EditSampleNumber(1, {{0, 0}}, L"\u4E2D");
    sandbox.boxes.answers.push_back(MessageResult::Yes);
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_FALSE(errorLines.isEmpty());
    EXPECT_TRUE(errorLines.back().startsWith("Warning: ")) << errorLines.back().toStdString();
}

// The file as each question found it: a question must come before the write that it guards.
class FileAtQuestion : public ORBAX_Platform::RecordingMessageBoxes {
public:
    fs::path file;
    std::vector<std::string> contents;
    MessageResult show(QWidget* parent, const std::wstring& text, const std::wstring& title,
                       ORBAX_Platform::MessageButtons buttons, ORBAX_Platform::MessageIcon icon) override
    {
        contents.push_back(QuorTest::read_file(file));
        return RecordingMessageBoxes::show(parent, text, title, buttons, icon);
    }
};

TEST_F(DocumentFiles, AFileChangedSinceThePaneReadItIsOverwrittenOnlyWhenTheUserAgrees)
{
    FileAtQuestion boxes;
    ORBAX_Platform::ScopedMessageBoxes scoped{boxes};
    const std::wstring file = path("west_bore.csv");
    boxes.file = file;
    auto has = [&](const char* text) { return QuorTest::read_file(file).find(text) != std::string::npos; };
    ErrorEntries entries;
    auto save = [&](int k, MessageResult answer) {
        boxes.answers = {answer};
        entries.clear();
        doc->saveBorehole(k, entries);
        return entries;
    };
    ASSERT_TRUE(doc->LoadCsvBorehole(0, file, entries));
    ASSERT_TRUE(doc->LoadCsvBorehole(1, file, entries)) << "the open goes through";
    EXPECT_EQ(boxes.shown.back().text.find(L"The file " + file + L" is also open as the left borehole."), 0u);

    // The left pane's save finds the file as it read it; the right one's then finds it changed.
    doc->EditSampleNumber(0, {{0, 0}}, L"left");
    EXPECT_TRUE(save(0, MessageResult::No).empty());
    doc->EditSampleNumber(1, {{1, 1}}, L"right");
    EXPECT_EQ(save(1, MessageResult::No).back().code, 23);
    EXPECT_NE(boxes.shown.back().text.find(L"The left borehole is from the same file."), std::wstring::npos);
    EXPECT_TRUE(has("left") && !has("right") && doc->IsPaneModified(1)) << "No writes nothing";

    // Save both: every question before the first write. Right's No leaves left's save alone.
    doc->EditSampleNumber(0, {{0, 0}}, L"again");
    const std::size_t asked = boxes.shown.size();
    respond = [](QDialog& dialog) { dialog.accept(); };
    boxes.answers.push_back(MessageResult::No);
    EXPECT_FALSE(doc->SaveModified());
    ASSERT_EQ(boxes.shown.size(), asked + 1);
    EXPECT_NE(boxes.shown.back().text.find(L"Saving both leaves only the right borehole"), std::wstring::npos);
    EXPECT_TRUE(boxes.contents.back().find("again") == std::string::npos && has("again") && !has("right"));
    // Yes: one question; the right borehole replaces what the left one has just written.
    doc->EditSampleNumber(0, {{0, 0}}, L"third");
    boxes.answers.push_back(MessageResult::Yes);
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(boxes.shown.size(), asked + 2);
    EXPECT_TRUE(has("right") && !has("third") && !doc->IsPaneModified(BoreholeDocument::Left) &&
                !doc->IsPaneModified(BoreholeDocument::Right));

    // Another program changes the file: Save and the close both ask; Save As to a new name does not.
    QuorTest::write_file(file, QuorTest::read_file(file) + "COAL,100,9.00,3.00,C,W9,\n");
    doc->EditSampleNumber(0, {{0, 0}}, L"mine");
    EXPECT_EQ(save(0, MessageResult::No).back().code, 23);
    EXPECT_NE(boxes.shown.back().text.find(L"has changed since the left borehole"), std::wstring::npos);
    boxes.answers = {MessageResult::Yes, MessageResult::No};
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_TRUE(has("W9") && !has("mine"));
    QuorTest::write_file(path("elsewhere.csv"), "older\n"); // the save prompt asked about it
    answerPrompt(path("elsewhere.csv"), 3);
    doc->saveBoreholeAs(0, entries);
    EXPECT_EQ(doc->GetPathName(0), path("elsewhere.csv"));
    EXPECT_TRUE(save(0, MessageResult::No).empty()) << "the pane's file is now the new one";
}

// The changed-file check is the save's last step: a change made while the format's page is open, or
// as the file is about to be replaced, is asked about (a file the pane did not read is refused), and
// written over only on Yes, checked again. Prolog 4 too.
TEST_F(DocumentFiles, AFileChangedWhileThePageIsOpenIsAskedAboutAtTheLastStep)
{
    openLeft(path("east_bore"), 1);
    doc->EditSampleNumber(0, {{0, 0}}, L"mine");
    app->m_prologAlwaysAsk = true;
    ErrorEntries entries;
    for (const char* name : {"east_bore", "elsewhere"}) {
        respond = [&](QDialog& sheet) {
            QuorTest::write_file(sandbox.file(name), "theirs");
            sheet.accept();
        };
        sandbox.boxes.answers = {MessageResult::No};
        answerPrompt(path(name), 2);
        doc->saveBoreholeAs(0, entries);
        EXPECT_EQ(QuorTest::read_file(sandbox.file(name)), "theirs");
    }
    ASSERT_EQ(sandbox.boxes.shown.size(), 1u);
    EXPECT_EQ(sandbox.boxes.shown[0].text.find(L"The file " + path("east_bore") + L" has changed since the left"), 0u);
    EXPECT_TRUE(entries.at(0).code == 23 && doc->IsPaneModified(0));
    EXPECT_NE(entries.at(1).text.find(L"was changed by another program while it was being saved"), std::wstring::npos);

    respond = [](QDialog& sheet) { sheet.findChild<QPushButton*>("id1")->click(); };
    answerPrompt(path("north_bore.prolog"), 2);
    doc->openBorehole(1, entries);
    doc->EditUnitDepth(1, 0, false, 2.5);
    int checks = 0;
    ORBAX_Platform::set_replace_check_hook([&] {
        if (checks++ == 0)
            QuorTest::write_file(sandbox.file("north_bore.prolog"), "theirs");
    });
    sandbox.boxes.answers = {MessageResult::Yes};
    doc->saveBorehole(1, entries);
    ORBAX_Platform::set_replace_check_hook(nullptr);
    EXPECT_NE(sandbox.boxes.shown.back().text.find(L"has changed since the right borehole"), std::wstring::npos);
    EXPECT_TRUE(checks == 2 && QuorTest::read_file(sandbox.file("north_bore.prolog")) != "theirs");
    EXPECT_FALSE(doc->IsPaneModified(1));
}

TEST_F(DocumentFiles, ExportWritesTheTextDescription)
{
    openLeft(path("east_bore"), 1);
    std::wstring message;
    EXPECT_EQ(doc->exportBorehole(0, path("out.txt"), false, message), 0);
    EXPECT_EQ(message, L"No error");
    const std::string one = QuorTest::read_file(sandbox.file("out.txt"));
    EXPECT_NE(one.find("SANDSTONE"), std::string::npos);
    EXPECT_EQ(doc->exportBorehole(0, path("out.txt"), true, message), 0);
    EXPECT_EQ(QuorTest::read_file(sandbox.file("out.txt")), one + one);

    EXPECT_EQ(doc->exportBorehole(0, path("no/such/folder/out.txt"), false, message), 1);
    EXPECT_EQ(message.rfind(L"Unable to open " + path("no/such/folder/out.txt") + L"\n(", 0), 0u);

    // Appending to something that is there but cannot be read writes nothing.
    std::filesystem::create_directory(sandbox.file("folder"));
    EXPECT_EQ(doc->exportBorehole(0, path("folder"), true, message), 1);
    EXPECT_NE(message.find(L"The file could not be read."), std::wstring::npos);
    EXPECT_TRUE(std::filesystem::is_directory(sandbox.file("folder")));

    // A Prolog 4 text that code page 1252 lacks is written with a "?" and told in the error list.
    std::string xml = QuorTest::read_file(sandbox.file("north_bore.prolog"));
    QuorTest::write_file(sandbox.file("omega.prolog"), xml.replace(xml.find("<f3>A<"), 6, "<f3>S\xCE\xA9\x31<"));
    respond = [](QDialog& sheet) { sheet.findChild<QPushButton*>("id1")->click(); };
    openLeft(path("omega.prolog"), 2);
    respond = nullptr;
    EXPECT_EQ(doc->exportBorehole(0, path("omega.txt"), false, message), 0);
    EXPECT_EQ(errorLines, QStringList("Warning: The Seam field in the unit from 0.00 to 3.00 contains characters that "
                                      "cannot be saved with this file format."));
}

// Save, Save As and Export onto a file nobody may write each say they cannot open it, with the
// system's reason, and leave it as it was.
TEST_F(DocumentFiles, SaveSaveAsAndExportLeaveAFileNobodyMayWrite)
{
    openLeft(path("east_bore"), 1);
    doc->EditSampleNumber(0, {{1, 1}}, L"S9");
    ASSERT_EQ(::chmod(sandbox.file("east_bore").c_str(), 0444), 0);
    const std::string before = QuorTest::read_file(sandbox.file("east_bore"));
    ErrorEntries entries;
    doc->saveBorehole(0, entries);
    answerPrompt(path("east_bore"), 2);
    doc->saveBoreholeAs(0, entries);
    std::wstring exported;
    EXPECT_EQ(doc->exportBorehole(0, path("east_bore"), false, exported), 1);
    entries.push_back({1, 3, exported});
    ASSERT_EQ(entries.size(), 3u);
    for (const ConfigMessage& entry : entries)
        EXPECT_EQ(entry.text, L"Unable to open " + path("east_bore") + L"\n(Permission denied)");
    EXPECT_EQ(QuorTest::read_file(sandbox.file("east_bore")), before);
}

// The File menu's recent files: the texts shown, in order.
QStringList recentEntries(CMainFrame& frame)
{
    QStringList texts;
    for (int i = 0; i < 4; ++i) {
        auto* action = frame.findChild<QAction*>(QStringLiteral("id%1").arg(QuorCommand::ID_FILE_MRU_FILE1 + i));
        if (action && action->isVisible())
            texts << action->data().toString();
    }
    return texts;
}

void chooseRecent(CMainFrame& frame, int index)
{
    frame.findChild<QAction*>(QStringLiteral("id%1").arg(QuorCommand::ID_FILE_MRU_FILE1 + index))->trigger();
}

TEST_F(DocumentFiles, RecentFilesFollowOpensAndSavesAndOpenAgain)
{
    CMainFrame& frame = *app->GetMainFrame();
    EXPECT_TRUE(recentEntries(frame).isEmpty());
    openLeft(path("east_bore"), 1);
    ErrorEntries entries;
    ASSERT_TRUE(doc->LoadCsvBorehole(1, path("west_bore.csv"), entries));
    // A save in place names no new file; Save As puts the new name on top.
    doc->EditSampleNumber(0, {{0, 0}}, L"edited");
    doc->saveBorehole(0, entries);
    answerPrompt(path("copy"), 3);
    doc->saveBoreholeAs(0, entries);
    ASSERT_FALSE(hasReportableErrors(entries));
    const auto q = [this](const char* name) { return QString::fromStdWString(path(name)); };
    EXPECT_EQ(recentEntries(frame), QStringList({q("copy.CSV"), q("west_bore.csv"), q("east_bore")}));

    // A failed or cancelled open adds nothing.
    doc->LoadPrologBorehole(0, path("not_a_borehole"), entries);
    doc->openBorehole(0, entries);
    EXPECT_EQ(recentEntries(frame).size(), 3);

    // The entry opens its file into the pane Open would use (here the one the user picks), with
    // the reader of its extension, and moves to the top.
    respond = [](QDialog& dialog) {
        if (dialog.objectName() == "dlg324")
            dialog.findChild<QRadioButton*>("id1043")->setChecked(true);
        dialog.accept();
    };
    chooseRecent(frame, 0); // copy.CSV
    EXPECT_EQ(doc->GetPathName(1), path("copy.CSV"));
    EXPECT_EQ(doc->GetFormatOptions(1)->formatCode, ORBAX_Logging::FormatCSV);
    EXPECT_EQ(doc->GetBorehole(1)[0].sample, L"edited");
    EXPECT_EQ(shown, std::vector<QString>({"dlg324"}));

    // A Prolog 4 file reopens with the Prolog 4 reader (a dropped one would be refused).
    app->GetView()->m_activePane = 0;
    respond = [](QDialog& sheet) { sheet.accept(); };
    ASSERT_TRUE(doc->LoadProlog4Borehole(0, path("north_bore.prolog"), entries));
    EXPECT_EQ(recentEntries(frame).first(), q("north_bore.prolog"));
    ASSERT_TRUE(doc->LoadPrologBorehole(0, path("east_bore"), entries));
    chooseRecent(frame, 1);
    EXPECT_EQ(doc->GetPathName(0), path("north_bore.prolog"));
    EXPECT_EQ(doc->GetFormatOptions(0)->formatCode, ORBAX_Logging::FormatProlog41);

    // Unsaved changes of the pane are asked about first; Cancel keeps them.
    doc->EditSampleNumber(0, {{0, 0}}, L"unsaved");
    sandbox.boxes.answers.push_back(MessageResult::Cancel);
    chooseRecent(frame, 1);
    EXPECT_EQ(doc->GetPathName(0), path("north_bore.prolog"));
    EXPECT_TRUE(doc->IsPaneModified(0));
    EXPECT_EQ(sandbox.boxes.shown.back().text, L"Bore hole data changed.  Do you want to save?");

    // A file that is gone is reported and dropped; the panes stay as they were.
    fs::remove(sandbox.file("west_bore.csv"));
    const QStringList before = recentEntries(frame);
    const int gone = static_cast<int>(before.indexOf(q("west_bore.csv")));
    ASSERT_GE(gone, 0);
    errorLines.clear();
    chooseRecent(frame, gone);
    ASSERT_EQ(errorLines.size(), 1);
    EXPECT_TRUE(errorLines[0].contains(q("west_bore.csv"))) << errorLines[0].toStdString();
    EXPECT_TRUE(errorLines[0].contains("No such file")) << errorLines[0].toStdString();
    EXPECT_FALSE(recentEntries(frame).contains(q("west_bore.csv")));
    EXPECT_EQ(recentEntries(frame).size(), before.size() - 1);
    EXPECT_EQ(doc->GetPathName(0), path("north_bore.prolog"));

    // The list outlives the run, even with the settings not saved.
    app->m_saveSettings = false;
    const QStringList kept = recentEntries(frame);
    doc->SetPaneModified(0, false);
    app->GetMainFrame()->close();
    app->ExitInstance();
    app = std::make_unique<CQuorApp>();
    ASSERT_TRUE(app->InitInstance({}));
    EXPECT_EQ(recentEntries(*app->GetMainFrame()), kept);
}

// A name that is not UTF-8 (a Latin-1 one from an older disk) given on the command line opens, is
// saved under itself and comes back from the recent files of the next run as itself; a file prompt's
// stand-in for such a name is refused, never written.
TEST_F(DocumentFiles, NameThatIsNotUtf8StaysItself)
{
    const fs::path file = sandbox.file("west\xE9.csv");
    fs::copy_file(sandbox.file("west_bore.csv"), file);
    const std::wstring name = ORBAX_Platform::wide_from_path(file);
    const auto restart = [this](const std::vector<std::wstring>& arguments) {
        app->ExitInstance();
        app = std::make_unique<CQuorApp>();
        ASSERT_TRUE(app->InitInstance(arguments));
        doc = app->GetDocument();
    };
    restart({name});
    ASSERT_EQ(doc->GetPathName(0), name);
    doc->EditSampleNumber(0, {{0, 0}}, L"edited");
    ErrorEntries entries;
    doc->saveBorehole(0, entries);
    EXPECT_FALSE(hasReportableErrors(entries));
    EXPECT_NE(QuorTest::read_file(file).find("edited"), std::string::npos);

    answerPrompt(ORBAX_Platform::wide_from_path(sandbox.file("west\xEF\xBF\xBD.csv")), 3);
    doc->saveBoreholeAs(0, entries);
    ASSERT_FALSE(entries.empty());
    EXPECT_NE(entries.back().text.find(L"cannot be used"), std::wstring::npos);
    EXPECT_FALSE(fs::exists(sandbox.file("west\xEF\xBF\xBD.csv")));

    restart({});
    app->GetView()->m_activePane = 1;
    chooseRecent(*app->GetMainFrame(), 0);
    EXPECT_EQ(doc->GetPathName(1), name);
    EXPECT_EQ(doc->GetBorehole(1)[0].sample, L"edited");
}

TEST(RecentFileLabel, ShortPathsWholeLongOnesCutAndAmpersandsShown)
{
    EXPECT_EQ(CMainFrame::RecentFileLabel("/data/bh1.csv"), "/data/bh1.csv");
    EXPECT_EQ(CMainFrame::RecentFileLabel("/data/R&D/bh1.csv"), "/data/R&&D/bh1.csv");
    const QString label =
        CMainFrame::RecentFileLabel("/home/geologist/projects/northern-field/2016/boreholes/BH-0042.csv");
    EXPECT_LE(label.size(), 48);
    EXPECT_TRUE(label.startsWith("/home/")) << label.toStdString();
    EXPECT_TRUE(label.endsWith(".../BH-0042.csv")) << label.toStdString();
}

} // namespace
