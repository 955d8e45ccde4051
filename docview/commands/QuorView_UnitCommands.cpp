// The commands on the selected units of the active pane (the unit context menu, Relabel Sample
// Numbers, Del and Enter) and the clipboard commands. Each checks the selection, asks what it needs
// through a dialog and hands the change to one of the document's undoable operations.
#include <QAction>
#include <QMainWindow>
#include <QMimeData>

#include "core/catalogue/Messages.h"
#include "dialogs/ApplicationServices.h"
#include "dialogs/Correlate.h"
#include "dialogs/IntervalProperties.h"
#include "dialogs/OptionsProject.h"
#include "dialogs/PasteSpecial.h"
#include "dialogs/Renumber.h"
#include "dialogs/SampleNumber.h"
#include "dialogs/Setrock.h"
#include "docview/clipboard/ClipboardTransfer.h"
#include "docview/commands/CommandFrame.h"
#include "docview/commands/rules/ViewCommandRules.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "platform/services/Services.h"
#include "resources/CommandIds.h"
#include "widgets/dialogs/PropertySheet.h"

using ORBAX_Utilities::get_message_wide;
using namespace QuorCommand;
using namespace ViewCommandRules;

namespace {

// The source file and lines named in the commands' internal errors, as the program has always
// given them.
constexpr const char* kCommandSource = "QuorView_Command";
constexpr int kRelabelLine = 530;
constexpr int kCorrelateLine = 1309;
constexpr int kSampleNumberLine = 1539;
constexpr int kSetRockTypeLine = 1839;

// Whether the clipboard offers a unit, asked once per change of the clipboard: asking another
// program that owns the clipboard on every update of the menus could stall the window.
bool g_clipboardOffersUnit = false;

void refreshClipboardState() { g_clipboardOffersUnit = OffersUnitData(ORBAX_Platform::clipboard().mimeData()); }

// The view to the unit properties dialog.
class ViewUnitHost : public UnitPropertiesHost {
public:
    explicit ViewUnitHost(CQuorView& view) : m_view(view) {}
    int SelectedSide() const override { return m_view.m_activePane; }
    int SelectedUnit() const override { return m_view.m_selectedUnit; }
    const ORBAX_Logging::Borehole* Borehole(int side) const override
    {
        return side >= 0 && side < BoreholeDocument::PaneCount ? &m_view.GetDocument()->GetBorehole(side) : nullptr;
    }
    void SelectAndShowUnit(int side, int unit) override { m_view.SelectAndShowUnit(side, unit); }
    bool SelectNextUnit() override { return m_view.SelectNextUnit(); }

private:
    CQuorView& m_view;
};

// Asks for a current hatch list or correlation site on the one-page project sheet (message first);
// true when the application has one afterwards.
bool askProjectChoice(ApplicationServices* app, QWidget* parent, int messageId, int mode)
{
    if (!app)
        return false;
    ORBAX_Platform::showMessage(parent, get_message_wide(messageId), ORBAX_Platform::MessageButtons::Ok,
                                ORBAX_Platform::MessageIcon::Information);
    const bool hatchList = mode == COptionsProject::HatchListOnly;
    PropertySheet sheet(get_message_wide(152), true, parent);
    // The sheet owns its page.
    auto* page = new COptionsProject(mode, hatchList ? app->Tables().currentHatchListId
                                                     : app->Tables().currentCorrelationSiteId);
    page->SetConfigurationTables(&app->Tables());
    sheet.AddPage(page);
    // The page's choice is taken on OK only; Cancel keeps what the application had.
    if (sheet.DoModal() == QDialog::Accepted) {
        if (hatchList)
            app->SetCurrentHatchList(page->m_hatchListId);
        else
            app->SetCurrentCorrelationSite(page->m_siteId);
    }
    return hatchList ? app->GetHatchList() != nullptr : app->GetCorrelationSite() != nullptr;
}

} // namespace

void CQuorView::RegisterUnitCommands(CommandFrame& frame)
{
    // The unit context menu's commands are in no menu of the frame; its entries run these.
    frame.AddCommand(ID_SET_ROCK_TYPE, QStringLiteral("Set &Rock Type..."));
    frame.AddCommand(ID_SAMPLE_NUMBER, QStringLiteral("Sample &Number..."));
    frame.AddCommand(ID_CORRELATE_UNIT, QStringLiteral("&Correlate..."));
    frame.AddCommand(ID_MERGE_UP, QStringLiteral("&Merge Up"));
    frame.AddCommand(ID_DELETE_UNIT, QStringLiteral("&Delete"));
    frame.AddCommand(ID_UNIT_PROPERTIES, QStringLiteral("Unit &Properties..."));
    frame.SetCommandHandler(
        ID_DELETE_UNIT, [this] { OnDeleteUnit(); }, [this](QAction& a) { OnUpdateUnitCommand(a); });
    frame.SetCommandHandler(ID_DELETE_KEY, [this] { OnDeleteUnit(); });
    frame.SetCommandHandler(
        ID_MERGE_UP, [this] { OnMergeUp(); }, [this](QAction& a) { OnUpdateMergeUp(a); });
    frame.SetCommandHandler(
        ID_UNIT_PROPERTIES, [this] { OnUnitProperties(); }, [this](QAction& a) { OnUpdateUnitCommand(a); });
    frame.SetCommandHandler(
        ID_SET_ROCK_TYPE, [this] { OnSetRockType(); }, [this](QAction& a) { OnUpdateUnitCommand(a); });
    frame.SetCommandHandler(ID_ENTER_KEY, [this] { OnEnterKey(); });
    frame.SetCommandHandler(
        ID_CORRELATE_UNIT, [this] { OnCorrelateUnit(); }, [this](QAction& a) { OnUpdateCorrelateUnit(a); });
    frame.SetCommandHandler(
        ID_SAMPLE_NUMBER, [this] { OnSampleNumber(); }, [this](QAction& a) { OnUpdateSampleNumber(a); });
    frame.SetCommandHandler(
        ID_RELABEL_SAMPLE_NUMBERS, [this] { OnRelabelSampleNumbers(); },
        [this](QAction& a) { OnUpdateRelabelSampleNumbers(a); });
    frame.SetCommandHandler(
        ID_EDIT_COPY, [this] { OnEditCopy(); }, [this](QAction& a) { OnUpdateEditCopy(a); });
    frame.SetCommandHandler(
        ID_EDIT_PASTE, [this] { OnEditPaste(); }, [this](QAction& a) { OnUpdateEditPaste(a); });
    frame.SetCommandHandler(
        ID_EDIT_PASTE_SPECIAL, [this] { OnEditPasteSpecial(); }, [this](QAction& a) { OnUpdateEditPasteSpecial(a); });

    refreshClipboardState();
    ORBAX_Platform::clipboard().watch(frame.Window(), [target = &frame] {
        refreshClipboardState();
        target->UpdateCommands();
    });
}

void CQuorView::OnUpdateUnitCommand(QAction& action) { action.setEnabled(m_activePane >= 0 && m_selectedUnit >= 0); }

// ---------------------------------------------------------------------------------------------------
// Delete, Merge Up, Unit Properties

void CQuorView::OnDeleteUnit()
{
    if (m_activePane < 0 || m_selectedUnit < 0) {
        ORBAX_Platform::beep();
        return;
    }
    try {
        if (m_selection.count() > 1)
            m_document->DeleteUnits(m_activePane, m_selection, m_settings.insertMode);
        else
            m_document->DeleteUnit(m_activePane, m_selectedUnit, m_settings.insertMode);
    } catch (const std::exception&) {
        // A refused delete has put everything back; the selection goes all the same.
    }
    m_selection.clear();
    m_selectedUnit = -1;
    update();
    emit selectionChanged();
}

void CQuorView::OnMergeUp()
{
    if (m_activePane < 0 || m_selectedUnit <= 0) {
        ORBAX_Platform::beep();
        return;
    }
    try {
        m_document->DeleteUnit(m_activePane, m_selectedUnit - 1, false);
    } catch (const std::exception&) {
    }
    m_selectedUnit = -1;
    m_selection.clear();
    update();
    emit selectionChanged();
}

void CQuorView::OnUpdateMergeUp(QAction& action) { action.setEnabled(m_activePane >= 0 && m_selectedUnit > 0); }

void CQuorView::OnUnitProperties()
{
    if (m_activePane < 0 || m_selectedUnit < 0) {
        ORBAX_Platform::beep();
        return;
    }
    Select(-1, -1, m_activePane, m_selectedUnit);
    ViewUnitHost host(*this);
    CIntervalProperties dialog(host, this);
    dialog.DoModal();
    emit selectionChanged();
}

// ---------------------------------------------------------------------------------------------------
// Set Rock Type, Correlate, Sample Number, Relabel

void CQuorView::OnEnterKey()
{
    if (m_activePane < 0 || m_selectedUnit < 0)
        return;
    Select(-1, -1, m_activePane, m_selectedUnit);
    OnSetRockType();
}

void CQuorView::OnSetRockType()
{
    if (m_activePane < 0 || m_selectedUnit < 0)
        return;
    try {
        ApplicationServices* app = m_app;
        if (!app)
            return;
        if (!app->GetHatchList()) {
            const bool chosen = askProjectChoice(app, this, 239, COptionsProject::HatchListOnly);
            update();
            if (!chosen)
                return;
        }
        std::vector<std::wstring> names;
        std::vector<std::int32_t> percentages;
        std::wstring intervalRockType;
        if (m_selection.count() == 1)
            unitElements(m_document->GetBorehole(m_activePane).at(static_cast<std::size_t>(m_selectedUnit)), names,
                         percentages, intervalRockType);
        else
            m_document->GetSelectionRockTypes(m_selection, m_activePane, names, percentages, intervalRockType);
        std::vector<int> shares(percentages.begin(), percentages.end());
        const ConfigurationTables& tables = app->Tables();
        Setrock dialog(names, shares, app->GetHatchList(), tables.vectors, tables.bitmaps, tables.inbuilts, this);
        if (dialog.DoModal() != QDialog::Accepted)
            return;
        m_document->EditSelectionRocktypes(m_activePane, m_selection, names,
                                           std::vector<std::int32_t>(shares.begin(), shares.end()), intervalRockType);
        InvalidateSelection();
    } catch (const std::exception&) {
        ShowInternalError(kCommandSource, kSetRockTypeLine);
    }
}

void CQuorView::OnCorrelateUnit()
{
    if (m_activePane < 0 || m_selectedUnit < 0 || m_selection.count() < 1)
        return;
    try {
        if (!m_document->GetBorehole(m_activePane).hasSeamField())
            return;
        ApplicationServices* app = m_app;
        if (!app)
            return;
        if (!app->GetCorrelationSite()) {
            const bool chosen = askProjectChoice(app, this, 137, COptionsProject::SiteOnly);
            update();
            if (!chosen)
                return;
        }
        std::wstring seam;
        std::wstring ply;
        ProposeSeamAndPly(m_document->GetBorehole(m_activePane), m_selection, seam, ply);
        CCorrelate dialog(app->GetCorrelationSite(), seam, ply, this);
        if (dialog.DoModal() != QDialog::Accepted)
            return;
        m_document->EditSeamOrPly(m_activePane, m_selection, dialog.m_seamName, dialog.m_plyName);
        update();
    } catch (const std::exception&) {
        ShowInternalError(kCommandSource, kCorrelateLine);
    }
}

void CQuorView::OnUpdateCorrelateUnit(QAction& action)
{
    bool enabled = m_activePane >= 0 && m_selectedUnit >= 0 && m_selection.count() >= 1;
    if (enabled) {
        const ORBAX_Logging::Borehole& hole = m_document->GetBorehole(m_activePane);
        enabled = hole.schema && hole.hasSeamField();
    }
    action.setEnabled(enabled);
}

void CQuorView::OnSampleNumber()
{
    if (m_activePane < 0 || m_selectedUnit < 0 || m_selection.count() < 1)
        return;
    try {
        const ORBAX_Logging::Borehole& hole = m_document->GetBorehole(m_activePane);
        if (!hole.hasSampleField())
            return;
        std::wstring lowest;
        std::wstring highest;
        hole.sampleNumberRange(lowest, highest);
        CSampleNumber dialog(ProposeSampleNumber(hole, m_selection), lowest, highest, this);
        if (dialog.DoModal() != QDialog::Accepted)
            return;
        m_document->EditSampleNumber(m_activePane, m_selection, dialog.nextValue);
        update();
    } catch (const std::exception&) {
        ShowInternalError(kCommandSource, kSampleNumberLine);
    }
}

void CQuorView::OnUpdateSampleNumber(QAction& action)
{
    bool enabled = m_activePane >= 0 && m_selection.count() >= 1;
    if (enabled) {
        const ORBAX_Logging::Borehole& hole = m_document->GetBorehole(m_activePane);
        enabled = hole.schema && hole.hasSampleField();
    }
    action.setEnabled(enabled);
}

void CQuorView::OnRelabelSampleNumbers()
{
    if (m_activePane < 0)
        return;
    try {
        const ORBAX_Logging::Borehole& hole = m_document->GetBorehole(m_activePane);
        if (!hole.schema || !hole.hasSampleField())
            return;
        const UnitRangeList units = RelabelUnits(m_selection, hole.unitCount());
        std::wstring prefix;
        std::wstring postfix;
        std::int32_t start = 0;
        std::int32_t width = 0;
        if (!ViewCommandRules::FindSampleNumberPattern(hole, units, prefix, postfix, start, width)) {
            ORBAX_Platform::showMessage(this, get_message_wide(1020), ORBAX_Platform::MessageButtons::Ok,
                                        ORBAX_Platform::MessageIcon::Warning);
            return;
        }
        CRenumber dialog(prefix, start, postfix, width, this);
        if (dialog.DoModal() != QDialog::Accepted)
            return;
        RelabelRequest request;
        request.newPrefix = dialog.newPrefix;
        request.newPostfix = dialog.newPostfix;
        request.newStart = dialog.newNumber;
        request.currentStart = dialog.currentNumber;
        request.width = dialog.width;
        request.maintainOrder = dialog.maintainOrder;
        request.maintainPrefix = dialog.maintainPrefix;
        request.maintainNumber = dialog.maintainNumber;
        request.maintainPostfix = dialog.maintainPostfix;
        // A unit whose number cannot be split puts every unit back: say so rather than seem to do
        // nothing.
        if (!RunRelabel(*m_document, m_activePane, units, request))
            ORBAX_Platform::showMessage(this, get_message_wide(1020), ORBAX_Platform::MessageButtons::Ok,
                                        ORBAX_Platform::MessageIcon::Warning);
        update();
    } catch (const std::exception&) {
        ShowInternalError(kCommandSource, kRelabelLine);
    }
}

void CQuorView::OnUpdateRelabelSampleNumbers(QAction& action)
{
    bool enabled = false;
    if (m_activePane >= 0) {
        const ORBAX_Logging::Borehole& hole = m_document->GetBorehole(m_activePane);
        if (hole.schema && hole.hasSampleField()) {
            const UnitRangeList units = RelabelUnits(m_selection, hole.unitCount());
            std::wstring prefix;
            std::wstring postfix;
            std::int32_t start = 0;
            std::int32_t width = 0;
            enabled =
                !units.empty() && ViewCommandRules::FindSampleNumberPattern(hole, units, prefix, postfix, start, width);
        }
    }
    action.setEnabled(enabled);
}

// ---------------------------------------------------------------------------------------------------
// Clipboard

void CQuorView::OnEditCopy()
{
    if (m_activePane < 0)
        return;
    CopySelection(m_selection, *this, m_activePane);
    refreshClipboardState();
}

void CQuorView::OnUpdateEditCopy(QAction& action) { action.setEnabled(m_activePane >= 0); }

void CQuorView::OnEditPaste()
{
    if (m_activePane < 0 || m_selection.count() < 1)
        return;
    if (pasteUnit(*m_document, m_activePane, m_selection))
        update();
}

void CQuorView::OnUpdateEditPaste(QAction& action)
{
    action.setEnabled(m_activePane >= 0 && m_selection.count() >= 1 && g_clipboardOffersUnit);
}

void CQuorView::OnEditPasteSpecial()
{
    if (m_activePane < 0 || m_selection.count() < 1)
        return;
    const ORBAX_Logging::Borehole& hole = m_document->GetBorehole(m_activePane);
    if (!hole.schema || SelectionHasInterbedded(hole, m_selection))
        return;
    CPasteSpecial dialog(&hole.schema->fields, this);
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    std::wstring unmatched;
    if (pasteUnitFields(*m_document, m_activePane, m_selection, dialog.GetSelectedFields(), &unmatched) ==
        UnitClipboard::PasteFieldsResult::Unmatched)
        ORBAX_Platform::showMessage(this, ORBAX_Utilities::format_message(27143, {unmatched}),
                                    ORBAX_Platform::MessageButtons::Ok, ORBAX_Platform::MessageIcon::Warning);
    update();
}

void CQuorView::OnUpdateEditPasteSpecial(QAction& action)
{
    bool enabled = m_activePane >= 0 && m_selection.count() >= 1 && g_clipboardOffersUnit;
    if (enabled)
        enabled = !SelectionHasInterbedded(m_document->GetBorehole(m_activePane), m_selection);
    action.setEnabled(enabled);
}
