// The view's commands: the file commands, the exports of the text description and Undo.
#include <QAction>

#include "app/MainFrame.h"
#include "app/dialogs/ErrorList.h"
#include "app/dialogs/FileFilters.h"
#include "core/catalogue/Messages.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "platform/services/Services.h"
#include "resources/CommandIds.h"

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

void CQuorView::RegisterDocumentCommands(CMainFrame& frame)
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
    const std::wstring path = chosen.toStdWString();
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
