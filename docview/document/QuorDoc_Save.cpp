// Saving boreholes in place and under a new name, exporting their text description, and the question
// about unsaved changes when the document closes.
#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <sstream>

#include "core/catalogue/InternalErrorText.h"
#include "core/catalogue/Messages.h"
#include "core/formats/BoreholeFormats.h"
#include "core/model/BoreholeDescription.h"
#include "core/model/FileLimits.h"
#include "dialogs/ApplicationServices.h"
#include "dialogs/DesktopFormats.h"
#include "dialogs/FormatOptionsPage.h"
#include "dialogs/SaveBoth.h"
#include "docview/document/QuorDoc.h"
#include "docview/document/QuorDocShared.h"
#include "platform/FileIdentity.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/services/QtNames.h"
#include "platform/services/Services.h"
#include "platform/settings/Settings.h"
#include "widgets/dialogs/FileFilters.h"
#include "widgets/dialogs/PromptedName.h"
#include "widgets/dialogs/PropertySheet.h"

using namespace QuorDocShared;
using ORBAX_Utilities::format_message;
using ORBAX_Utilities::get_message_wide;

namespace {

void addInternalError(ErrorEntries& entries, int line)
{
    addErrorEntry(ORBAX_Utilities::internal_error_text("QuorDoc", line), entries, status(4, 22));
}

// The question before a save overwrites a file that changed on disk; true on Yes.
bool askToOverwrite(QWidget* parent, int id, const std::wstring& path)
{
    return ORBAX_Platform::showMessage(parent, format_message(id, {path}), ORBAX_Platform::MessageButtons::YesNo,
                                       ORBAX_Platform::MessageIcon::Warning) == ORBAX_Platform::MessageResult::Yes;
}

// The question about pane k's file changed on disk, naming the other pane when it holds the same file.
int changedFileQuestion(int k, bool otherHoldsIt)
{
    if (k == BoreholeDocument::Left)
        return otherHoldsIt ? 187 : 185;
    return otherHoldsIt ? 188 : 186;
}

// Whether pane k of the document saves in place (not through Save As).
bool savesInPlace(const CQuorDoc& doc, int k)
{
    const ORBAX_Logging::OptionsData* stored = doc.GetFormatOptions(k);
    return !doc.GetPathName(k).empty() && stored && stored->formatCode != ORBAX_Logging::FormatUnknown;
}

int otherPane(int k) { return k == BoreholeDocument::Left ? BoreholeDocument::Right : BoreholeDocument::Left; }

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
        // A copy, which carries the save's check.
        const ORBAX_Logging::BoreholeFormat* format = ORBAX_Logging::BoreholeFormats::find(stored->formatCode);
        if (!format)
            throw ORBAX_Logging::BoreholeFormatError("unknown file type");
        const std::unique_ptr<ORBAX_Logging::OptionsData> options = format->copyOptions(*stored);
        if (!writeBorehole(k, path, *options, ORBAX_Platform::FileIdentity(), entries))
            return;
    } catch (const ORBAX_Logging::BoreholeFormatError&) {
        // Options that no writer takes: nothing has been written.
        addInternalError(entries, __LINE__);
        return;
    } catch (const std::exception&) {
        addErrorEntry(format_message(1001, {path, L"Exception thrown"}), entries, status(3, 1));
    }
    if (!hasFailure(entries, before)) {
        m_fileStates[k] = ORBAX_Platform::file_identity(ORBAX_Platform::path_from_wide(path));
        SetPaneModified(k, false);
        markSaved(k);
        updateTitle();
    }
}

void CQuorDoc::saveBoreholeAs(int k, ErrorEntries& entries)
{
    const StartupSettings& settings = startupSettings(m_app);
    const ORBAX_Logging::SchemaDefinitionList& schemas = schemaList(m_app);
    const ORBAX_Logging::OptionsData* stored = GetFormatOptions(k);
    const std::int32_t storedCode = stored ? stored->formatCode : ORBAX_Logging::FormatUnknown;

    // One filter a version the borehole can be written in, the version it was read or last written in
    // offered first. Prolog 4 is offered only for a borehole read from a Prolog 4 file, whose document
    // alone can be written: message 241 lists it, 162 does not.
    const std::vector<ORBAX_Logging::FormatVersion> versions =
        ORBAX_Logging::BoreholeFormats::writableVersions(storedCode);
    const bool withOwnOnly = std::any_of(versions.begin(), versions.end(), [](const ORBAX_Logging::FormatVersion& v) {
        return !v.format->writesAnyBorehole;
    });
    const QStringList filters = QtFileFilters(get_message_wide(withOwnOnly ? 241 : 162));
    int initial = 1;
    QStringList suffixes;
    for (const ORBAX_Logging::FormatVersion& version : versions) {
        if (version.version == storedCode)
            initial = static_cast<int>(suffixes.size()) + 1;
        const wchar_t* extension = version.format->extension;
        suffixes.push_back(*extension ? QString::fromWCharArray(extension) : QString());
    }

    const std::wstring folder = ORBAX_Platform::Settings(L"Options").readString(L"BorePath", std::wstring());
    QString selected = FileFilterAt(filters, initial);
    QString chosen;
    if (!ORBAX_Platform::filePrompts().saveFileNameWithSuffixes(
            m_promptParent, QString::fromStdWString(get_message_wide(164)), ORBAX_Platform::qt_from_name(folder),
            filters.join(QStringLiteral(";;")), selected, chosen, suffixes)) {
        addCancel(entries);
        return;
    }
    std::wstring path;
    std::wstring refusal;
    if (!PromptedFileName(chosen, path, refusal)) {
        addErrorEntry(refusal, entries, status(3, 1));
        return;
    }
    const int filter = FileFilterPosition(filters, selected);
    if (filter < 1 || static_cast<std::size_t>(filter) > versions.size()) {
        addInternalError(entries, __LINE__);
        return;
    }
    const ORBAX_Logging::FormatVersion& written = versions[static_cast<std::size_t>(filter - 1)];
    if (*written.format->extension && !fileExtension(path))
        path += L"." + std::wstring(written.format->extension);
    // The file the prompt asked about replacing, which is replaced only as it was then.
    const ORBAX_Platform::FileIdentity prompted = ORBAX_Platform::file_identity(ORBAX_Platform::path_from_wide(path));

    const std::size_t before = entries.size();
    ORBAX_Logging::Borehole& borehole = GetBorehole(k);
    const unsigned fieldCount = borehole.schema ? static_cast<unsigned>(borehole.schema->fields.size()) : 0;
    const DesktopFormat& desktop = DesktopFormatOf(written.version);
    std::unique_ptr<ORBAX_Logging::OptionsData> options;
    try {
        try {
            options = desktop.remembered(settings, schemas, settings.m_saveBackups);
        } catch (const std::exception&) {
            // A format that never asks has no other options: its save fails.
            if (!desktop.beforeWrite)
                throw;
        }
        if (desktop.beforeWrite && desktop.asks(settings, options != nullptr)) {
            const std::unique_ptr<FormatOptionsPage> page = AskOnFormatPage(m_promptParent, [&](PropertySheet* sheet) {
                return desktop.beforeWrite(settings, stored, &schemas, fieldCount, sheet);
            });
            if (!page) {
                addCancel(entries);
                return;
            }
            options = desktop.chosen(*page, schemas, settings.m_saveBackups);
        }
        // The version chosen; for Prolog 4, that of the document read.
        options->formatCode = written.version;
        if (!writeBorehole(k, path, *options, prompted, entries))
            return;
    } catch (const std::exception&) {
        addErrorEntry(format_message(1001, {path, L"Exception thrown"}), entries, status(3, 1));
        return;
    }
    if (hasFailure(entries, before))
        return;
    setFormatOptions(k, std::move(options));
    fileOpenedOrSaved(k, path, ORBAX_Platform::file_identity(ORBAX_Platform::path_from_wide(path)));
}

bool CQuorDoc::mayReplace(int k, const ORBAX_Platform::FileIdentity& found) const
{
    // Nothing there to lose, or the file as this pane left it.
    if (found.absent() || found == m_fileStates[k])
        return true;
    const OverwriteAgreement& agreed = m_overwriteAgreed[k];
    return agreed.given && (found == agreed.state || (agreed.afterOtherPane && found == m_fileStates[otherPane(k)]));
}

bool CQuorDoc::writeBorehole(int k, const std::wstring& path, ORBAX_Logging::OptionsData& options,
                             const ORBAX_Platform::FileIdentity& chosen, ErrorEntries& entries)
{
    const std::filesystem::path name = ORBAX_Platform::path_from_wide(path);
    // Under another name than the pane's own file, the save prompt has asked about whatever is there.
    const bool own = ORBAX_Platform::same_file(name, ORBAX_Platform::path_from_wide(GetPathName(k)));
    // The file as the user, asked here, agreed to overwrite it.
    ORBAX_Platform::FileIdentity agreed;
    struct DropCheck {
        ORBAX_Logging::OptionsData& options;
        ~DropCheck() { options.replaces = nullptr; }
    } drop{options};
    for (;;) {
        // Made by the safe save as its last step, after every page and question: a file changed while
        // one was open is found there.
        ORBAX_Platform::FileIdentity found;
        bool changed = false;
        options.replaces = [&](const ORBAX_Platform::FileIdentity& current) {
            if (own ? mayReplace(k, current) || current == agreed : current.absent() || current == chosen)
                return true;
            found = current;
            changed = true;
            return false;
        };
        ORBAX_Logging::LoadMessages messages;
        ORBAX_Logging::BoreholeFormats::save(options.formatCode, path, GetBorehole(k), options, messages);
        // Another file is refused with the writer's message; the pane's own file is asked about and
        // written again on Yes, checked again.
        if (!changed || !own) {
            appendLibraryErrors(messages, entries);
            return true;
        }
        const bool otherHoldsIt =
            ORBAX_Platform::same_file(name, ORBAX_Platform::path_from_wide(GetPathName(otherPane(k))));
        if (!askToOverwrite(m_promptParent, changedFileQuestion(k, otherHoldsIt), path)) {
            addCancel(entries);
            return false;
        }
        agreed = found;
    }
}

void CQuorDoc::confirmSavingBoth(std::array<bool, PaneCount>& save, ErrorEntries& entries)
{
    for (int k : {Left, Right}) {
        m_overwriteAgreed[k] = {};
        // A pane saved through Save As is asked about by its own prompt.
        if (!save[k] || !savesInPlace(*this, k))
            continue;
        const std::wstring& path = GetPathName(k);
        const std::filesystem::path name = ORBAX_Platform::path_from_wide(path);
        const ORBAX_Platform::FileIdentity now = ORBAX_Platform::file_identity(name);
        const bool otherHoldsIt =
            ORBAX_Platform::same_file(name, ORBAX_Platform::path_from_wide(GetPathName(otherPane(k))));
        // The left pane is saved first: the right one's save would replace what it writes.
        const bool afterLeft = k == Right && otherHoldsIt && save[Left] && savesInPlace(*this, Left);
        int question = 0;
        if (afterLeft)
            question = 189;
        else if (!mayReplace(k, now))
            question = changedFileQuestion(k, otherHoldsIt);
        if (question == 0)
            continue;
        if (askToOverwrite(m_promptParent, question, path)) {
            m_overwriteAgreed[k] = {true, now, afterLeft};
        } else {
            addCancel(entries);
            save[k] = false;
        }
    }
}

int CQuorDoc::exportBorehole(int k, const std::wstring& path, bool append, std::wstring& message)
{
    message = get_message_wide(1000);
    std::ostringstream text;
    ORBAX_Logging::LoadMessages written;
    ORBAX_Logging::writeDescription(text, GetBorehole(k), written);
    std::string bytes = text.str();
    const std::filesystem::path target = ORBAX_Platform::path_from_wide(path);
    if (append) {
        // Appending keeps what the file holds; the whole file is then written anew, safely. A file
        // that is there but cannot be read is left alone: writing it anew would lose what it holds.
        std::string existing;
        std::error_code error;
        if (std::filesystem::exists(target, error)) {
            int code = 0;
            const auto read =
                ORBAX_Platform::read_file_bytes(target, ORBAX_Logging::MaxDescriptionFileBytes, existing, code);
            if (read != ORBAX_Platform::FileRead::Read) {
                message = format_message(1001, {path, read == ORBAX_Platform::FileRead::TooLarge
                                                          ? ORBAX_Logging::FileReadFailureText(
                                                                read, code, ORBAX_Logging::MaxDescriptionFileBytes)
                                                          : get_message_wide(27177)});
                return 1;
            }
            bytes = existing + bytes;
        }
    }
    const ORBAX_Platform::SafeSaveResult result = ORBAX_Platform::save_file_safely(target, bytes);
    if (result.ok) {
        // The texts written with a "?", told as a save tells them.
        ErrorEntries entries;
        appendLibraryErrors(written, entries);
        showIfReportable(entries);
        return 0;
    }
    message = format_message(result.step == "open" ? 1001 : 1088, {path, ORBAX_Logging::SaveFailureText(result)});
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
        std::array<bool, PaneCount> save = {dialog.saveLeft != 0, dialog.saveRight != 0};
        // The questions about changed files come first: the answers must not depend on a save
        // already made, and a No must find nothing written.
        confirmSavingBoth(save, entries);
        struct ForgetAgreements {
            std::array<OverwriteAgreement, PaneCount>& agreed;
            ~ForgetAgreements() { agreed = {}; }
        } forget{m_overwriteAgreed};
        for (int k : {Left, Right}) {
            if (!save[k])
                continue;
            saveBorehole(k, entries);
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
