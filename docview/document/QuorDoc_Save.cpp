// Saving boreholes in place and under a new name, exporting their text description, and the question
// about unsaved changes when the document closes.
#include <memory>
#include <sstream>

#include "core/catalogue/Messages.h"
#include "core/csv/Borehole_CSV.h"
#include "core/model/BoreholeDescription.h"
#include "core/prolog/Borehole_Prolog.h"
#include "core/prolog4/Borehole_Prolog4.h"
#include "dialogs/ApplicationServices.h"
#include "dialogs/OptionsCSV.h"
#include "dialogs/OptionsProlog.h"
#include "dialogs/SaveBoth.h"
#include "docview/document/QuorDoc.h"
#include "docview/document/QuorDocShared.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/services/Services.h"
#include "platform/settings/Settings.h"
#include "widgets/dialogs/FileFilters.h"
#include "widgets/dialogs/PropertySheet.h"

using namespace QuorDocShared;
using ORBAX_Logging::FormatCode;
using ORBAX_Utilities::format_message;
using ORBAX_Utilities::get_message_wide;

namespace {

// The file name of a path has an extension.
bool hasExtension(const std::wstring& path)
{
    const std::wstring name = ORBAX_Platform::wide_from_path(ORBAX_Platform::path_from_wide(path).filename());
    return name.find(L'.') != std::wstring::npos;
}

void addInternalError(ErrorEntries& entries, int line)
{
    addErrorEntry(format_message(1022, {L"QuorDoc", std::to_wstring(line)}), entries, status(4, 22));
}

} // namespace

void CQuorDoc::saveBorehole(int k, ErrorEntries& entries)
{
    const ORBAX_Logging::OptionsData* stored = GetFormatOptions(k);
    const std::wstring path = GetPathName(k);
    if (path.empty() || !stored || stored->formatCode == ORBAX_Logging::FormatUnknown) {
        saveBoreholeAs(k, entries);
        return;
    }
    const std::size_t before = entries.size();
    try {
        ORBAX_Logging::LoadMessages messages;
        ORBAX_Logging::Borehole& borehole = GetBorehole(k);
        switch (stored->formatCode) {
        case ORBAX_Logging::FormatProlog21:
        case ORBAX_Logging::FormatProlog30:
            ORBAX_Logging::Borehole_Prolog::save(path, messages, borehole, *stored);
            break;
        case ORBAX_Logging::FormatProlog40:
        case ORBAX_Logging::FormatProlog41:
            ORBAX_Logging::Borehole_Prolog4::save(path, borehole, *stored, messages);
            break;
        case ORBAX_Logging::FormatCSV: {
            const auto* csv = dynamic_cast<const ORBAX_Logging::CSVOptionsData*>(stored);
            if (!csv) {
                addInternalError(entries, __LINE__);
                return;
            }
            ORBAX_Logging::Borehole_CSV::save(path, borehole, *csv, messages);
            break;
        }
        default: addInternalError(entries, __LINE__); return;
        }
        appendLibraryErrors(messages, entries);
    } catch (const std::exception&) {
        addErrorEntry(format_message(1001, {path, L"Exception thrown"}), entries, status(3, 1));
    }
    if (!hasFailure(entries, before)) {
        SetPaneModified(k, false);
        markSaved(k);
        updateTitle();
    }
}

void CQuorDoc::saveBoreholeAs(int k, ErrorEntries& entries)
{
    const StartupSettings* app = m_app ? &m_app->Startup() : nullptr;
    const ORBAX_Logging::SchemaDefinitionList& schemas = schemaList(m_app);
    const bool backups = app ? app->m_saveBackups : true;
    const ORBAX_Logging::OptionsData* stored = GetFormatOptions(k);
    const int storedCode = stored ? stored->formatCode : ORBAX_Logging::FormatUnknown;

    // Prolog 4 is offered only for a borehole read from a Prolog 4 file: only its document can be written.
    const bool fourFilters =
        stored && (storedCode == ORBAX_Logging::FormatProlog40 || storedCode == ORBAX_Logging::FormatProlog41);
    const QStringList filters = QtFileFilters(get_message_wide(fourFilters ? 241 : 162));
    int initial = 1;
    if (storedCode == ORBAX_Logging::FormatProlog30)
        initial = 2;
    else if (fourFilters)
        initial = 3;
    else if (storedCode == ORBAX_Logging::FormatCSV)
        initial = fourFilters ? 4 : 3;
    const QStringList suffixes =
        fourFilters ? QStringList{QString(), QString(), QStringLiteral("prolog"), QStringLiteral("CSV")}
                    : QStringList{QString(), QString(), QStringLiteral("CSV")};

    const std::wstring folder = ORBAX_Platform::Settings(L"Options").readString(L"BorePath", std::wstring());
    QString selected = FileFilterAt(filters, initial);
    QString chosen;
    if (!ORBAX_Platform::filePrompts().saveFileNameWithSuffixes(
            m_promptParent, QString::fromStdWString(get_message_wide(164)), QString::fromStdWString(folder),
            filters.join(QStringLiteral(";;")), selected, chosen, suffixes)) {
        addCancel(entries);
        return;
    }
    std::wstring path = chosen.toStdWString();
    const int filter = FileFilterPosition(filters, selected);
    enum { Prolog21, Prolog30, Prolog4, Csv, Impossible } format = Impossible;
    if (filter == 1)
        format = Prolog21;
    else if (filter == 2)
        format = Prolog30;
    else if (filter == 3)
        format = fourFilters ? Prolog4 : Csv;
    else if (filter == 4 && fourFilters)
        format = Csv;
    if (format == Impossible) {
        addInternalError(entries, __LINE__);
        return;
    }

    const std::size_t before = entries.size();
    ORBAX_Logging::Borehole& borehole = GetBorehole(k);
    const unsigned fieldCount = borehole.schema ? static_cast<unsigned>(borehole.schema->fields.size()) : 0;
    std::unique_ptr<ORBAX_Logging::OptionsData> options;
    try {
        ORBAX_Logging::LoadMessages messages;
        if (format == Prolog21 || format == Prolog30) {
            const PrologOptions record = app ? app->m_prologOptions : PrologOptions();
            std::unique_ptr<ORBAX_Logging::PrologOptionsData> prolog;
            try {
                prolog = std::make_unique<ORBAX_Logging::PrologOptionsData>(record.toOptionsData(schemas, backups));
            } catch (const std::exception&) {
                prolog.reset();
            }
            if ((app && app->m_prologAlwaysAsk) || !prolog) {
                PrologOptions start = record;
                if (stored && stored->schema)
                    start.schemaId = static_cast<std::uint32_t>(stored->schema->id);
                CEnhancedPropertySheet sheet(get_message_wide(182), m_promptParent);
                auto* page = new COptionsProlog(start, &schemas, fieldCount, &sheet);
                sheet.AddPage(page);
                if (sheet.DoModal() != QDialog::Accepted) {
                    addCancel(entries);
                    return;
                }
                prolog =
                    std::make_unique<ORBAX_Logging::PrologOptionsData>(page->options.toOptionsData(schemas, backups));
            }
            prolog->formatCode = format == Prolog21 ? ORBAX_Logging::FormatProlog21 : ORBAX_Logging::FormatProlog30;
            ORBAX_Logging::Borehole_Prolog::save(path, messages, borehole, *prolog);
            options = std::move(prolog);
        } else if (format == Prolog4) {
            if (!hasExtension(path))
                path += L".prolog";
            const Prolog4Options record = app ? app->m_prolog4Options : Prolog4Options();
            auto prolog4 = std::make_unique<ORBAX_Logging::Prolog4OptionsData>(record.toOptionsData(schemas, backups));
            ORBAX_Logging::Borehole_Prolog4::save(path, borehole, *prolog4, messages);
            // The document written is the one the borehole was read from: its version stays.
            prolog4->formatCode = storedCode;
            options = std::move(prolog4);
        } else {
            if (!hasExtension(path))
                path += L".CSV";
            const CSVOptions record = app ? app->m_csvOptions : CSVOptions();
            std::unique_ptr<ORBAX_Logging::CSVOptionsData> csv;
            try {
                csv = std::make_unique<ORBAX_Logging::CSVOptionsData>(record.toOptionsData(schemas, backups));
            } catch (const std::exception&) {
                csv.reset();
            }
            if ((app && app->m_csvAlwaysAsk) || !csv) {
                const CSVOptions start = stored ? CSVOptions(*stored) : record;
                CEnhancedPropertySheet sheet(get_message_wide(182), m_promptParent);
                auto* page = new COptionsCSV(&schemas, start, fieldCount, &sheet);
                sheet.AddPage(page);
                if (sheet.DoModal() != QDialog::Accepted) {
                    addCancel(entries);
                    return;
                }
                csv = std::make_unique<ORBAX_Logging::CSVOptionsData>(page->options.toOptionsData(schemas, backups));
            }
            ORBAX_Logging::Borehole_CSV::save(path, borehole, *csv, messages);
            options = std::move(csv);
        }
        appendLibraryErrors(messages, entries);
    } catch (const std::exception&) {
        addErrorEntry(format_message(1001, {path, L"Exception thrown"}), entries, status(3, 1));
        return;
    }
    if (hasFailure(entries, before))
        return;
    setFormatOptions(k, std::move(options));
    fileOpenedOrSaved(k, path);
}

int CQuorDoc::exportBorehole(int k, const std::wstring& path, bool append, std::wstring& message)
{
    message = get_message_wide(1000);
    std::ostringstream text;
    text << GetBorehole(k);
    std::string bytes = text.str();
    const std::filesystem::path target = ORBAX_Platform::path_from_wide(path);
    if (append) {
        // Appending keeps what the file holds; the whole file is then written anew, safely. A file
        // that is there but cannot be read is left alone: writing it anew would lose what it holds.
        std::string existing;
        std::error_code error;
        if (std::filesystem::exists(target, error)) {
            if (!ORBAX_Platform::read_file_bytes(target, existing)) {
                message = format_message(1001, {path, get_message_wide(27177)});
                return 1;
            }
            bytes = existing + bytes;
        }
    }
    const ORBAX_Platform::SafeSaveResult result = ORBAX_Platform::save_file_safely(target, bytes);
    if (result.ok)
        return 0;
    message = format_message(1001, {path, ORBAX_Platform::wide_from_utf8(result.error)});
    return 1;
}

bool CQuorDoc::SaveModified()
{
    const bool left = IsPaneModified(Left);
    const bool right = IsPaneModified(Right);
    ErrorEntries entries;
    if (left && right) {
        CSaveBoth dialog(m_promptParent);
        // Both offered for saving: an OK pressed at once must not drop both boreholes' changes.
        dialog.saveLeft = 1;
        dialog.saveRight = 1;
        if (dialog.DoModal() != QDialog::Accepted)
            return false;
        if (dialog.saveLeft) {
            saveBorehole(Left, entries);
            showIfReportable(entries);
        }
        if (dialog.saveRight) {
            saveBorehole(Right, entries);
            showIfReportable(entries);
        }
        return !blocksClosing(entries);
    }
    if (!left && !right)
        return true;
    const int k = left ? Left : Right;
    switch (ORBAX_Platform::showMessage(m_promptParent, get_message_wide(left ? 141 : 142),
                                        ORBAX_Platform::MessageButtons::YesNoCancel,
                                        ORBAX_Platform::MessageIcon::Question)) {
    case ORBAX_Platform::MessageResult::Yes: break;
    case ORBAX_Platform::MessageResult::No: return true;
    default: return false;
    }
    saveBorehole(k, entries);
    showIfReportable(entries);
    return !blocksClosing(entries);
}
