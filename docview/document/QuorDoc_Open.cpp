// Opening boreholes into a pane and making new empty ones.
#include <cerrno>
#include <memory>
#include <optional>
#include <vector>

#include "core/catalogue/Messages.h"
#include "core/formats/BoreholeFormats.h"
#include "dialogs/ApplicationServices.h"
#include "dialogs/DesktopFormats.h"
#include "dialogs/FormatOptionsPage.h"
#include "dialogs/SelectSchema.h"
#include "docview/document/QuorDoc.h"
#include "docview/document/QuorDocShared.h"
#include "platform/FileIdentity.h"
#include "platform/PathResolution.h"
#include "platform/Paths.h"
#include "platform/services/QtNames.h"
#include "platform/services/Services.h"
#include "platform/settings/Settings.h"
#include "widgets/dialogs/FileFilters.h"
#include "widgets/dialogs/PromptedName.h"
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
                                                    ORBAX_Platform::qt_from_name(folder),
                                                    filters.join(QStringLiteral(";;")), selected, chosen)) {
        addCancel(entries);
        return;
    }
    std::wstring path;
    std::wstring refusal;
    if (!PromptedFileName(chosen, path, refusal)) {
        addErrorEntry(refusal, entries, status(3, 1));
        return;
    }
    const int filter = std::max(1, FileFilterPosition(filters, selected));
    options.writeString(L"BorePath", ORBAX_Platform::folder_of_name(path));
    options.writeInt(L"BoreFilter", filter);

    // The prompt lists the formats in the order of their rows.
    const std::vector<ORBAX_Logging::BoreholeFormat>& formats = ORBAX_Logging::BoreholeFormats::all();
    const std::size_t row =
        static_cast<std::size_t>(filter) <= formats.size() ? static_cast<std::size_t>(filter - 1) : 0;
    load(formats[row].code, k, path, entries);
}

bool CQuorDoc::openBoreholeByName(int k, const std::wstring& path, ErrorEntries& entries)
{
    const std::optional<std::wstring> extension = fileExtension(path);
    const ORBAX_Logging::BoreholeFormat* format = &ORBAX_Logging::BoreholeFormats::withoutExtension();
    if (extension) {
        format = ORBAX_Logging::BoreholeFormats::ofExtension(*extension);
        if (!format || !format->readWhenNamed) {
            addErrorEntry(format_message(1047, {*extension}), entries, status(3, 47));
            return false;
        }
    }
    // A file dropped on a pane with unsaved changes would otherwise replace them unasked.
    ErrorEntries saveEntries;
    if (!askToSave(k, saveEntries))
        return false;
    return load(format->code, k, path, entries);
}

bool CQuorDoc::fileIsThere(const std::wstring& path, ErrorEntries& entries)
{
    // The name's status never waits, whatever stands there; it is taken as the read will reach the
    // file, through the walk (a name past PATH_MAX too).
    const ORBAX_Platform::WalkedPath found = ORBAX_Platform::walk_path(ORBAX_Platform::path_from_wide(path));
    const int error = found.error != 0 ? found.error : found.exists ? 0 : ENOENT;
    if (error == 0 && S_ISREG(found.info.st_mode))
        return true;
    // Something else under the name (a folder, a pipe, a device) is no borehole file either: a pipe
    // would hold the program until some other program wrote to it.
    const std::wstring reason = error ? ORBAX_Utilities::SystemErrorText(error) : get_message_wide(1091);
    addErrorEntry(format_message(1001, {path, reason}), entries, status(3, 1));
    return false;
}

bool CQuorDoc::openRecentFile(int k, const std::wstring& path, ErrorEntries& entries)
{
    // The list holds files this program wrote or read, Prolog 4 ones among them: unlike a dropped
    // file, one named ".prolog" is read as Prolog 4, and one of an unknown extension as a file without.
    const std::optional<std::wstring> extension = fileExtension(path);
    const ORBAX_Logging::BoreholeFormat* format =
        extension ? ORBAX_Logging::BoreholeFormats::ofExtension(*extension) : nullptr;
    if (!format)
        format = &ORBAX_Logging::BoreholeFormats::withoutExtension();
    if (!askToSave(k, entries))
        return false;
    entries.clear();
    return load(format->code, k, path, entries);
}

bool CQuorDoc::LoadPrologBorehole(int k, const std::wstring& path, ErrorEntries& entries)
{
    return load(ORBAX_Logging::FormatProlog30, k, path, entries);
}

bool CQuorDoc::LoadProlog4Borehole(int k, const std::wstring& path, ErrorEntries& entries)
{
    return load(ORBAX_Logging::FormatProlog40, k, path, entries);
}

bool CQuorDoc::LoadCsvBorehole(int k, const std::wstring& path, ErrorEntries& entries)
{
    return load(ORBAX_Logging::FormatCSV, k, path, entries);
}

bool CQuorDoc::load(std::int32_t formatCode, int k, const std::wstring& path, ErrorEntries& entries)
{
    pane(k); // a bad pane index fails before anything is asked
    const StartupSettings& settings = startupSettings(m_app);
    const ORBAX_Logging::SchemaDefinitionList& schemas = schemaList(m_app);
    const DesktopFormat& desktop = DesktopFormatOf(formatCode);
    // Told before the options are asked for, which would count the fields of a file that cannot be read.
    if (!fileIsThere(path, entries))
        return false;

    // The options from the application's record; a record whose schema is gone builds none.
    std::unique_ptr<ORBAX_Logging::OptionsData> options;
    try {
        options = desktop.remembered(settings, schemas, settings.m_saveBackups);
    } catch (const std::exception&) {
        options.reset();
    }

    const std::size_t before = entries.size();
    if (desktop.asks(settings, options != nullptr)) {
        const std::unique_ptr<FormatOptionsPage> page = AskOnFormatPage(
            m_promptParent, [&](PropertySheet* sheet) { return desktop.beforeRead(settings, &schemas, path, sheet); });
        if (!page) {
            addCancel(entries);
            return false;
        }
        try {
            options = desktop.chosen(*page, schemas, settings.m_saveBackups);
        } catch (const std::exception& e) {
            addErrorEntry(format_message(1001, {path, ORBAX_Platform::wide_from_utf8(e.what())}), entries,
                          status(3, 1));
            return false;
        }
    }

    // The reader's result replaces the pane's borehole only when the read succeeded: a failed read
    // must never stand in the pane under the old file's name, where Save would write it over that file.
    std::unique_ptr<ORBAX_Logging::Borehole> borehole;
    try {
        ORBAX_Logging::LoadMessages messages;
        borehole = ORBAX_Logging::BoreholeFormats::load(formatCode, path, *options, messages);
        appendLibraryErrors(messages, entries);
    } catch (const std::exception&) {
        addErrorEntry(format_message(1001, {path, L"Exception thrown"}), entries, status(3, 1));
    }
    if (!borehole || hasFailure(entries, before))
        return false;

    // The file as the reader opened it: a change made while it was read shows as one at the next save.
    const ORBAX_Platform::FileIdentity state = options->fileRead;
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
