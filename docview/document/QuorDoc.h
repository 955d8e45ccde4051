#pragma once
// The document of the main window: the two panes of BoreholeDocument, left (0) and right (1), with
// the file operations that read, create, save and export their boreholes through the file prompts and
// the format option pages, and the signals through which the views and the main window follow it.
// Every file operation appends its problems to the caller's list of error entries.
#include <array>
#include <cstdint>
#include <string>

#include <QObject>
#include <QPointer>
#include <QString>

#include "core/options/OptionsData.h"
#include "docview/document/history/BoreholeDocument.h"
#include "platform/FileIdentity.h"
#include "widgets/dialogs/ErrorList.h"

class ApplicationServices;
class CommandFrame;
class CQuorLayout;
class CQuorView;
class QAction;
class QMainWindow;
class QWidget;

class CQuorDoc : public QObject, public BoreholeDocument {
    Q_OBJECT
public:
    // Both boreholes empty, with no schema and no application.
    explicit CQuorDoc(QObject* parent = nullptr);
    // Both boreholes empty, with the application's first schema (none when it has no schemas); the
    // document works with the application's configuration and settings.
    explicit CQuorDoc(ApplicationServices* app, QObject* parent = nullptr);
    // Both boreholes empty, with the given schema.
    explicit CQuorDoc(ORBAX_Logging::SchemaPtr schema, QObject* parent = nullptr);
    ~CQuorDoc() override;

    // The new document at start-up: the title from the two boreholes' names.
    bool OnNewDocument();

    // The document's own modified value, apart from the panes' flags; nothing consults it.
    bool IsModified() const { return m_documentModified; }
    void SetModifiedFlag(bool modified = true) { m_documentModified = modified; }
    // Pane k's unsaved changes (the same as IsPaneModified).
    bool IsModified(int k) const { return IsPaneModified(k); }

    // The main window's title for a document title: "<title> - QUOR_Log", or "QUOR_Log" alone.
    static QString WindowTitle(const std::wstring& documentTitle);

    // ---- Files
    // Open Borehole: asks about unsaved changes, then the file prompt; the filter chosen picks the reader.
    void openBorehole(int k, ErrorEntries& entries);
    // Opens a named file without a prompt, the reader chosen by its extension: none for Prolog 2.1/3.0,
    // "csv" in any case for CSV; any other is refused (a format's row says whether a named file is read
    // by its extension). Asks about unsaved changes first; false when nothing was opened.
    bool openBoreholeByName(int k, const std::wstring& path, ErrorEntries& entries);
    // Opens a file of the recent-file list: asks about unsaved changes, then reads it with the reader
    // its extension names ("prolog" Prolog 4, "csv" CSV, anything else Prolog 2.1/3.0); false when
    // nothing was opened.
    bool openRecentFile(int k, const std::wstring& path, ErrorEntries& entries);
    // Whether a regular file is there to be read; when it is not, message 1001 with the system's reason
    // (or, for a pipe, device or folder, that it is not read) is appended.
    static bool fileIsThere(const std::wstring& path, ErrorEntries& entries);
    // One format's read into pane k; true when the pane now holds the file. A failed read changes
    // nothing.
    bool LoadPrologBorehole(int k, const std::wstring& path, ErrorEntries& entries);
    bool LoadProlog4Borehole(int k, const std::wstring& path, ErrorEntries& entries);
    bool LoadCsvBorehole(int k, const std::wstring& path, ErrorEntries& entries);
    // New Borehole: asks about unsaved changes, then an empty borehole with a chosen schema.
    void newBorehole(int k);
    // Save Borehole: in place with the options the file was read or written with, else Save As. A file
    // changed since the pane read or wrote it is overwritten only when the user agrees (see
    // writeBorehole).
    void saveBorehole(int k, ErrorEntries& entries);
    // Save Borehole As: the file prompt, the format's options, the save. A file that changes after the
    // prompt is not overwritten (see writeBorehole).
    void saveBoreholeAs(int k, ErrorEntries& entries);
    // Writes the text description of borehole k (appended to the file's content when `append` is set);
    // 0, or 1 with message 1001 in `message` when the file cannot be written. A written text that lost
    // a character to the file's code page is told in the error list, as a save tells it.
    int exportBorehole(int k, const std::wstring& path, bool append, std::wstring& message);
    // Whether the document may close: asks about the panes' unsaved changes and saves those chosen.
    // Every question about a file changed on disk comes before the first save writes; a change made
    // after them is asked about as that save meets it.
    bool SaveModified();

    // The window the document's prompts belong to.
    void SetPromptParent(QWidget* parent) { m_promptParent = parent; }
    // The application whose schemas, format options and settings the file operations use, and whose
    // recent-file list they add to. Without one: no schemas, backups made, every format's options
    // asked for.
    void SetApplication(ApplicationServices* app) { m_app = app; }
    ApplicationServices* GetApplication() const { return m_app; }

    // ---- The page-layout view (made and driven from the page-layout library)
    // Binds Print Layout (32971) in the frame, whose view stack shows `view` or the page-layout view.
    void RegisterLayoutCommands(CommandFrame& frame, CQuorView& view);
    // Print Layout: the page-layout view, linked to the borehole view, takes that view's place.
    void OnPrintLayout();
    // Enabled only while no trace file is being read.
    void OnUpdatePrintLayout(QAction& action) const;
    // Close (1333, on the layout's bar): the borehole view comes back; the layout and its bar go.
    void OnCloseLayout();
    // The page-layout view while it shows; null otherwise.
    CQuorLayout* Layout() const;

signals:
    // A pane's borehole was replaced or changed back; the views redraw.
    void paneChanged(int k);
    // The document title changed; the main window shows it.
    void titleChanged(const QString& title);

protected:
    void OnPaneChanged(int k) override;
    void OnTitleChanged() override;

private:
    // Reads into pane k with the format of the code, asking for its options on its page where the
    // user chose to be asked, where the format always asks or where the remembered ones do not serve.
    bool load(std::int32_t formatCode, int k, const std::wstring& path, ErrorEntries& entries);
    // Asks message 130 about pane k's unsaved changes and saves on Yes; false when the operation that
    // asked must stop (Cancel, a cancelled save, or a save that failed).
    bool askToSave(int k, ErrorEntries& entries);
    // After a file operation succeeded: the pane's file as it was read or written, its unchanged state
    // and the title.
    void fileOpenedOrSaved(int k, const std::wstring& path, const ORBAX_Platform::FileIdentity& state);
    // Writes borehole k to `path` with `options` by the writer of their format code, and appends its
    // messages. The safe save checks the file it replaces as its very last step, after any option page
    // or question: the pane's own file is replaced while mayReplace allows it, another file while it is
    // as `chosen` (as the save prompt found it) or where none is. The pane's own file changed is asked
    // about (naming the other pane when that holds the same file) and written again on Yes; No appends
    // the cancel entry and gives false. Another file changed is refused with the writer's message.
    bool writeBorehole(int k, const std::wstring& path, ORBAX_Logging::OptionsData& options,
                       const ORBAX_Platform::FileIdentity& chosen, ErrorEntries& entries);
    // Whether pane k may replace what is found at its own file's name: nothing, the file as the pane
    // read or wrote it, or as the user agreed, before "save both", to overwrite it.
    bool mayReplace(int k, const ORBAX_Platform::FileIdentity& found) const;
    // Before "save both" writes anything: asks about each in-place save that would overwrite a changed
    // file or, for the right pane, what the left pane's save puts into the same file. A pane whose
    // question is answered No is left out of `save` (with the cancel entry).
    void confirmSavingBoth(std::array<bool, PaneCount>& save, ErrorEntries& entries);
    // After opening into pane k: tells the user when the other pane holds the same file.
    void tellWhenOpenInOtherPane(int k, const std::wstring& path);
    // Shows the list in the error list when it holds anything to report.
    void showIfReportable(const ErrorEntries& entries);

    bool m_documentModified = false;
    // Each pane's file as the pane read or last wrote it.
    std::array<ORBAX_Platform::FileIdentity, PaneCount> m_fileStates;
    // What "save both" agreed to overwrite: the file as it was when asked, and for the right pane also
    // whatever the left pane's save of the same file puts there.
    struct OverwriteAgreement {
        bool given = false;
        ORBAX_Platform::FileIdentity state;
        bool afterOtherPane = false;
    };
    std::array<OverwriteAgreement, PaneCount> m_overwriteAgreed;
    QWidget* m_promptParent = nullptr;
    ApplicationServices* m_app = nullptr;
    // The main frame (through its window, which may go first).
    QPointer<QMainWindow> m_frame;
    QPointer<CQuorView> m_boreholeView;
    QPointer<CQuorLayout> m_layout;
};
