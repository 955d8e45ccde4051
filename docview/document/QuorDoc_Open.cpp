// Opening boreholes into a pane and making new empty ones.
#include <cerrno>
#include <filesystem>
#include <memory>

#include "core/catalogue/Messages.h"
#include "core/formats/BoreholeFormats.h"
#include "core/model/NoCaseCompare.h"
#include "dialogs/ApplicationServices.h"
#include "dialogs/OptionsCSV.h"
#include "dialogs/OptionsProlog.h"
#include "dialogs/OptionsProlog4.h"
#include "dialogs/SelectSchema.h"
#include "docview/document/QuorDoc.h"
#include "docview/document/QuorDocShared.h"
#include "platform/FileIdentity.h"
#include "platform/Paths.h"
#include "platform/services/Services.h"
#include "platform/settings/Settings.h"
#include "widgets/dialogs/FileFilters.h"
#include "widgets/dialogs/PropertySheet.h"

using namespace QuorDocShared;
using ORBAX_Utilities::format_message;
using ORBAX_Utilities::get_message_wide;

bool CQuorDoc::askToSave(int k, ErrorEntries& entries)
{
    if (!IsPaneModified(k))
        return true;
    switch (ORBAX_Platform::showMessage(m_promptParent, get_message_wide(130),
                                        ORBAX_Platform::MessageButtons::YesNoCancel,
                                        ORBAX_Platform::MessageIcon::Question)) {
    case ORBAX_Platform::MessageResult::Yes: break;
    case ORBAX_Platform::MessageResult::No: return true;
    default: return false;
    }
    const std::size_t before = entries.size();
    saveBorehole(k, entries);
    if (hasCancel(entries, before))
        return false;
    showIfReportable(entries);
    // A save that failed leaves the edits only in the pane: whatever asked must not replace them.
    return !hasFailure(entries, before);
}

void CQuorDoc::openBorehole(int k, ErrorEntries& entries)
{
    if (!askToSave(k, entries))
        return;
    entries.clear();

    const QStringList filters = QtFileFilters(get_message_wide(178));
    ORBAX_Platform::Settings options(L"Options");
    const std::wstring folder = options.readString(L"BorePath", std::wstring());
    QString selected = FileFilterAt(filters, options.readInt(L"BoreFilter", 1));
    QString chosen;
    if (!ORBAX_Platform::filePrompts().openFileName(m_promptParent, QString::fromStdWString(get_message_wide(163)),
                                                    QString::fromStdWString(folder), filters.join(QStringLiteral(";;")),
                                                    selected, chosen)) {
        addCancel(entries);
        return;
    }
    const std::wstring path = chosen.toStdWString();
    const int filter = std::max(1, FileFilterPosition(filters, selected));
    options.writeString(L"BorePath",
                        ORBAX_Platform::wide_from_path(ORBAX_Platform::path_from_wide(path).parent_path()));
    options.writeInt(L"BoreFilter", filter);

    switch (filter) {
    case 2: load(Reader::Prolog4, k, path, entries); break;
    case 3: load(Reader::Csv, k, path, entries); break;
    default: load(Reader::Prolog, k, path, entries); break;
    }
}

bool CQuorDoc::openBoreholeByName(int k, const std::wstring& path, ErrorEntries& entries)
{
    // The extension is that of the file name: a folder's name may hold dots too.
    const std::wstring name = ORBAX_Platform::wide_from_path(ORBAX_Platform::path_from_wide(path).filename());
    const std::size_t dot = name.rfind(L'.');
    const std::wstring extension = dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
    Reader reader = Reader::Prolog;
    if (dot != std::wstring::npos) {
        if (!NoCaseCompare().Equal(extension, L"CSV")) {
            addErrorEntry(format_message(1047, {extension}), entries, status(3, 47));
            return false;
        }
        reader = Reader::Csv;
    }
    // A file dropped on a pane with unsaved changes would otherwise replace them unasked.
    ErrorEntries saveEntries;
    if (!askToSave(k, saveEntries))
        return false;
    return load(reader, k, path, entries);
}

bool CQuorDoc::fileIsThere(const std::wstring& path, ErrorEntries& entries)
{
    std::error_code error;
    if (std::filesystem::is_regular_file(ORBAX_Platform::path_from_wide(path), error))
        return true;
    // Something else under the name (a folder) is no borehole file either.
    const int reason = error ? error.value()
                             : (std::filesystem::exists(ORBAX_Platform::path_from_wide(path), error) ? EISDIR : ENOENT);
    addErrorEntry(format_message(1001, {path, ORBAX_Utilities::SystemErrorText(reason)}), entries, status(3, 1));
    return false;
}

bool CQuorDoc::openRecentFile(int k, const std::wstring& path, ErrorEntries& entries)
{
    // The list holds files this program wrote or read, Prolog 4 ones among them: unlike a dropped
    // file, one named ".prolog" is read as Prolog 4.
    const std::wstring name = ORBAX_Platform::wide_from_path(ORBAX_Platform::path_from_wide(path).filename());
    const std::size_t dot = name.rfind(L'.');
    const std::wstring extension = dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
    Reader reader = Reader::Prolog;
    if (NoCaseCompare().Equal(extension, L"CSV"))
        reader = Reader::Csv;
    else if (NoCaseCompare().Equal(extension, L"prolog"))
        reader = Reader::Prolog4;
    if (!askToSave(k, entries))
        return false;
    entries.clear();
    return load(reader, k, path, entries);
}

bool CQuorDoc::LoadPrologBorehole(int k, const std::wstring& path, ErrorEntries& entries)
{
    return load(Reader::Prolog, k, path, entries);
}

bool CQuorDoc::LoadProlog4Borehole(int k, const std::wstring& path, ErrorEntries& entries)
{
    return load(Reader::Prolog4, k, path, entries);
}

bool CQuorDoc::LoadCsvBorehole(int k, const std::wstring& path, ErrorEntries& entries)
{
    return load(Reader::Csv, k, path, entries);
}

bool CQuorDoc::load(Reader reader, int k, const std::wstring& path, ErrorEntries& entries)
{
    pane(k); // a bad pane index fails before anything is asked
    const StartupSettings* app = m_app ? &m_app->Startup() : nullptr;
    const ORBAX_Logging::SchemaDefinitionList& schemas = schemaList(m_app);
    const bool backups = app ? app->m_saveBackups : true;
    const CSVOptions csvRecord = app ? app->m_csvOptions : CSVOptions();
    const PrologOptions prologRecord = app ? app->m_prologOptions : PrologOptions();
    const Prolog4Options prolog4Record = app ? app->m_prolog4Options : Prolog4Options();

    // The options from the application's record; a record whose schema is gone builds none.
    std::unique_ptr<ORBAX_Logging::OptionsData> options;
    try {
        switch (reader) {
        case Reader::Prolog:
            options = std::make_unique<ORBAX_Logging::PrologOptionsData>(prologRecord.toOptionsData(schemas, backups));
            break;
        case Reader::Prolog4:
            options =
                std::make_unique<ORBAX_Logging::Prolog4OptionsData>(prolog4Record.toOptionsData(schemas, backups));
            break;
        case Reader::Csv:
            options = std::make_unique<ORBAX_Logging::CSVOptionsData>(csvRecord.toOptionsData(schemas, backups));
            break;
        }
    } catch (const std::exception&) {
        options.reset();
    }

    bool ask = true;
    if (reader == Reader::Prolog)
        ask = (app && app->m_prologAlwaysAsk) || !options;
    else if (reader == Reader::Csv)
        ask = (app && app->m_csvAlwaysAsk) || !options;

    const std::size_t before = entries.size();
    if (ask) {
        CEnhancedPropertySheet sheet(get_message_wide(182), m_promptParent);
        std::unique_ptr<FormatOptionsPage> page;
        switch (reader) {
        case Reader::Prolog: page = std::make_unique<COptionsProlog>(prologRecord, &schemas, path, &sheet); break;
        case Reader::Prolog4: page = std::make_unique<COptionsProlog4>(prolog4Record, &schemas, path, &sheet); break;
        case Reader::Csv: page = std::make_unique<COptionsCSV>(&schemas, csvRecord, path, &sheet); break;
        }
        sheet.AddPage(page.get());
        const bool ok = sheet.DoModal() == QDialog::Accepted;
        // The page belongs to this function, not to the sheet that showed it.
        page->setParent(nullptr);
        if (!ok) {
            addCancel(entries);
            return false;
        }
        try {
            switch (reader) {
            case Reader::Prolog:
                options = std::make_unique<ORBAX_Logging::PrologOptionsData>(
                    static_cast<COptionsProlog&>(*page).options.toOptionsData(schemas, backups));
                break;
            case Reader::Prolog4:
                options = std::make_unique<ORBAX_Logging::Prolog4OptionsData>(
                    static_cast<COptionsProlog4&>(*page).options.toOptionsData(schemas, backups));
                break;
            case Reader::Csv:
                options = std::make_unique<ORBAX_Logging::CSVOptionsData>(
                    static_cast<COptionsCSV&>(*page).options.toOptionsData(schemas, backups));
                break;
            }
        } catch (const std::exception& e) {
            addErrorEntry(format_message(1001, {path, ORBAX_Platform::wide_from_utf8(e.what())}), entries,
                          status(3, 1));
            return false;
        }
    }

    // The reader's result replaces the pane's borehole only when the read succeeded: a failed read
    // must never stand in the pane under the old file's name, where Save would write it over that file.
    std::unique_ptr<ORBAX_Logging::Borehole> borehole;
    // Taken before the read: a change made while the file is read then shows as one at the next save.
    const ORBAX_Platform::FileIdentity state = ORBAX_Platform::file_identity(ORBAX_Platform::path_from_wide(path));
    try {
        ORBAX_Logging::LoadMessages messages;
        borehole = ORBAX_Logging::BoreholeFormats::load(static_cast<std::int32_t>(reader), path, *options, messages);
        appendLibraryErrors(messages, entries);
    } catch (const std::exception&) {
        addErrorEntry(format_message(1001, {path, L"Exception thrown"}), entries, status(3, 1));
    }
    if (!borehole || hasFailure(entries, before))
        return false;

    replaceBorehole(k, std::move(borehole));
    setFormatOptions(k, std::move(options));
    fileOpenedOrSaved(k, path, state);
    tellWhenOpenInOtherPane(k, path);
    return true;
}

void CQuorDoc::tellWhenOpenInOtherPane(int k, const std::wstring& path)
{
    const int other = k == Left ? Right : Left;
    if (!ORBAX_Platform::same_file(ORBAX_Platform::path_from_wide(GetPathName(other)),
                                   ORBAX_Platform::path_from_wide(path)))
        return;
    ORBAX_Platform::showMessage(m_promptParent, format_message(k == Left ? 190 : 191, {path}),
                                ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Information);
}

void CQuorDoc::newBorehole(int k)
{
    ErrorEntries entries;
    if (!askToSave(k, entries))
        return;

    const StartupSettings* app = m_app ? &m_app->Startup() : nullptr;
    const ORBAX_Logging::SchemaDefinitionList& schemas = schemaList(m_app);
    const std::wstring defaultName = app ? app->m_defaultSchema : std::wstring();
    ORBAX_Logging::SchemaPtr schema;
    if (app && !app->m_alwaysAskSchema)
        schema = ORBAX_Logging::lookupSchemaByName(schemas, defaultName);
    if (!schema) {
        CSelectSchema select(defaultName, &schemas, m_promptParent);
        if (select.DoModal() == QDialog::Accepted)
            schema = ORBAX_Logging::lookupSchemaById(schemas, select.schemaId);
        if (!schema && !schemas.empty())
            schema = schemas.front();
    }

    // The history of the old borehole goes with it; the format options stay for a later Save.
    auto borehole = std::make_unique<ORBAX_Logging::Borehole>(schema);
    replaceBorehole(k, std::move(borehole));
    setPathName(k, std::wstring());
    m_fileStates[k] = {};
    SetPaneModified(k, false);
    updateTitle();
}
