// The view's commands: the file commands, the exports of the text description, Undo and Options.
#include <utility>
#include <vector>

#include <QAction>
#include <QTabWidget>

#include "core/catalogue/Messages.h"
#include "dialogs/ApplicationServices.h"
#include "dialogs/DesktopFormats.h"
#include "dialogs/FormatOptionsPage.h"
#include "dialogs/OptionsFonts.h"
#include "dialogs/OptionsProject.h"
#include "dialogs/OptionsSettings.h"
#include "dialogs/OptionsView.h"
#include "docview/commands/CommandFrame.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "platform/services/Services.h"
#include "resources/CommandIds.h"
#include "widgets/dialogs/ErrorList.h"
#include "widgets/dialogs/FileFilters.h"
#include "widgets/dialogs/PromptedName.h"

using ORBAX_Utilities::get_message_wide;
using namespace QuorCommand;

namespace {

// Unit and trace selection cleared; the active pane stays.
void clearUnitAndTraceSelection(CQuorView& view)
{
    view.m_selectedUnit = -1;
    view.m_selection.clear();
    view.m_selectedTraceFile = -1;
    view.m_selectedCurve = -1;
}

void showErrors(const ErrorEntries& entries, QWidget* parent)
{
    if (!hasReportableErrors(entries))
        return;
    CErrorList list(entries, parent);
    list.DoModal();
}

} // namespace

void CQuorView::RegisterDocumentCommands(CommandFrame& frame)
{
    frame.SetCommandHandler(ID_FILE_NEW, [this] { OnNewBorehole(); });
    frame.SetCommandHandler(ID_FILE_OPEN, [this] { OnOpenBorehole(); });
    frame.SetCommandHandler(ID_FILE_SAVE, [this] { OnSaveBorehole(); });
    frame.SetCommandHandler(ID_FILE_SAVE_AS, [this] { OnSaveBoreholeAs(); });
    frame.SetCommandHandler(ID_EXPORT_LEFT, [this] { OnExportLeft(); });
    frame.SetCommandHandler(ID_EXPORT_RIGHT, [this] { OnExportRight(); });
    frame.SetCommandHandler(ID_EXPORT_BOTH, [this] { OnExportBoth(); });
    frame.SetCommandHandler(
        ID_EDIT_UNDO, [this] { OnEditUndo(); }, [this](QAction& action) { OnUpdateEditUndo(action); });
    frame.SetCommandHandler(ID_OPTIONS, [this] { OnOptions(); });
}

void CQuorView::OnNewBorehole()
{
    const int pane = ChooseBorehole();
    if (pane < 0)
        return;
    clearUnitAndTraceSelection(*this);
    m_document->newBorehole(pane);
    update();
}

void CQuorView::OnOpenBorehole()
{
    clearUnitAndTraceSelection(*this);
    const int pane = ChooseBorehole();
    if (pane < 0)
        return;
    ErrorEntries entries;
    m_document->openBorehole(pane, entries);
    showErrors(entries, this);
    update();
}

void CQuorView::OnOpenRecentFile(const std::wstring& path)
{
    ErrorEntries entries;
    // A file that is gone needs no pane: it is reported and leaves the list.
    if (!CQuorDoc::fileIsThere(path, entries)) {
        if (m_app)
            m_app->RemoveFromRecentFileList(path);
        showErrors(entries, this);
        return;
    }
    clearUnitAndTraceSelection(*this);
    const int pane = ChooseBorehole();
    if (pane < 0)
        return;
    m_document->openRecentFile(pane, path, entries);
    showErrors(entries, this);
    update();
}

void CQuorView::OnSaveBorehole()
{
    const int pane = ChooseBorehole();
    if (pane < 0)
        return;
    ErrorEntries entries;
    m_document->saveBorehole(pane, entries);
    showErrors(entries, this);
    update();
}

void CQuorView::OnSaveBoreholeAs()
{
    const int pane = ChooseBorehole();
    if (pane < 0)
        return;
    ErrorEntries entries;
    m_document->saveBoreholeAs(pane, entries);
    showErrors(entries, this);
    update();
}

void CQuorView::OnExportLeft() { exportBoreholes(true, false); }
void CQuorView::OnExportRight() { exportBoreholes(false, true); }
void CQuorView::OnExportBoth() { exportBoreholes(true, true); }

void CQuorView::exportBoreholes(bool left, bool right)
{
    const QStringList filters = QtFileFilters(get_message_wide(144));
    QString selected = FileFilterAt(filters, 1);
    QString chosen;
    if (!ORBAX_Platform::filePrompts().saveFileName(this, QString::fromStdWString(get_message_wide(165)), QString(),
                                                    filters.join(QStringLiteral(";;")), selected, chosen))
        return;
    std::wstring path;
    if (!PromptedFileName(this, chosen, path))
        return;
    std::wstring message;
    bool append = false;
    for (int pane : {0, 1}) {
        if ((pane == 0 && !left) || (pane == 1 && !right))
            continue;
        // The right borehole follows the left one in the same file, and only when the left was written.
        if (m_document->exportBorehole(pane, path, append, message) != 0) {
            ORBAX_Platform::showMessage(this, message, ORBAX_Platform::MessageButtons::Ok,
                                        ORBAX_Platform::MessageIcon::Error);
            return;
        }
        append = true;
    }
}

void CQuorView::OnEditUndo()
{
    if (!m_document->Undo())
        return;
    clearUnitAndTraceSelection(*this);
    m_activePane = -1;
    update();
}

void CQuorView::OnUpdateEditUndo(QAction& action)
{
    std::wstring text = get_message_wide(160);
    if (m_document->GetUndoCount() > 0)
        text += m_document->GetLastStepDescription();
    // The key stands in the action's shortcut, not in its text.
    action.setText(QString::fromStdWString(text).trimmed());
    action.setEnabled(m_document->CanUndo());
}

void CQuorView::OnOptions()
{
    if (!m_app)
        return;
    ConfigurationTables& tables = m_app->Tables();
    StartupSettings& app = m_app->Startup();
    PropertySheet sheet(get_message_wide(152), true, this);
    auto* view = new COptionsView(m_settings.showRuler, m_settings.fineScroll, m_settings.tolerance,
                                  m_settings.scale * 1000, m_settings.minimumThickness, m_settings.insertMode ? 1 : 0,
                                  m_settings.displayPrecision, m_settings.traceRangePrecision);
    auto* project =
        new COptionsProject(tables.currentCorrelationSiteId, QString::fromStdWString(m_settings.projectName),
                            tables.currentHatchListId, app.m_defaultSchema, app.m_alwaysAskSchema, &tables.schemas);
    project->SetConfigurationTables(&tables);
    auto* settings = new COptionsSettings(app.m_saveSettings, app.m_saveBackups, m_app->ClientMode());
    settings->SetApplication(m_app);
    // Each format's page, in the order of the formats.
    std::vector<std::pair<const DesktopFormat*, FormatOptionsPage*>> formatPages;
    for (const DesktopFormat& format : AllDesktopFormats())
        formatPages.emplace_back(&format, format.sheetPage(app, &tables.schemas));
    auto* fonts = new COptionsFonts(m_titleFontDescription, m_generalFontDescription, m_tickFontDescription);
    for (PropertyPage* page : std::initializer_list<PropertyPage*>{view, project, settings})
        sheet.AddPage(page);
    for (const auto& entry : formatPages)
        sheet.AddPage(entry.second);
    sheet.AddPage(fonts);
    // Every page's tab in sight: the sheet is as wide as its tabs.
    sheet.tabs()->setUsesScrollButtons(false);
    // Cancel keeps every value; what the configuration editors already put into the tables stays,
    // and the log is drawn with it.
    if (sheet.DoModal() != QDialog::Accepted) {
        update();
        emit drawingChanged();
        return;
    }

    m_settings.showRuler = view->m_ruler;
    m_settings.fineScroll = view->m_fineScroll;
    m_settings.tolerance = view->m_toleranceDivisor;
    m_settings.insertMode = view->m_insertMode == 1;
    m_settings.displayPrecision = view->m_depthPrecision;
    m_settings.traceRangePrecision = view->m_tracePrecision;
    const double scale = view->m_scale / 1000;
    m_settings.minimumThickness = view->m_minimumThickness;
    m_app->SetCurrentCorrelationSite(project->m_siteId);
    m_settings.projectName = project->m_projectName.toStdWString();
    m_app->SetCurrentHatchList(project->m_hatchListId);
    app.m_defaultSchema = project->m_defaultSchema;
    app.m_alwaysAskSchema = project->m_alwaysAsk;
    app.m_saveSettings = settings->m_rememberSettings;
    // Each editor's OK has saved its edit while settings were remembered; what is still unsaved
    // (settings switched on in this sheet, or a save that failed) is saved now, to the file the next
    // start reads (the shipped file stays).
    if (app.m_saveSettings && m_app->Configuration().configurationModified)
        m_app->SaveConfiguration();
    app.m_saveBackups = settings->m_createBackups;
    m_titleFontDescription = fonts->m_titleFont;
    m_generalFontDescription = fonts->m_generalFont;
    m_tickFontDescription = fonts->m_tickFont;
    for (const auto& [format, page] : formatPages)
        format->takeSheetPage(*page, app);

    // New fonts and scale: the resources, the layout and the trace plots are made again.
    CreateDrawingResources();
    if (!SetScale(scale)) {
        ComputeLayout();
        UpdateScrollRanges();
        RefitTraceCurves();
    }
    OnUpdateIndicatorOvr();
    update();
    emit drawingChanged();
}
