// The view's commands of the display, the traces, the scale, scrolling, the focus and the edit
// modes, with their update rules and the status panes they fill.
#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMainWindow>

#include "config/Quor_Log_Config.h"
#include "core/catalogue/Messages.h"
#include "dialogs/LasSetup.h"
#include "docview/commands/CommandFrame.h"
#include "docview/commands/rules/ViewCommandRules.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "editors/traces/TraceAverageValue.h"
#include "platform/Paths.h"
#include "platform/services/QtNames.h"
#include "platform/services/Services.h"
#include "platform/settings/Settings.h"
#include "resources/CommandIds.h"
#include "widgets/dialogs/DlgDouble.h"
#include "widgets/dialogs/DlgInteger.h"
#include "widgets/dialogs/FileFilters.h"
#include "widgets/dialogs/PromptedName.h"

using ORBAX_Utilities::get_message_wide;
using namespace QuorCommand;
using namespace ViewCommandRules;

namespace {

// The source file named in the internal errors of the commands, with the lines the program has
// always given.
constexpr const char* kCommandSource = "QuorView_Command";
constexpr int kScrollToBottomLine = 1936;

struct ModeCommand {
    int id;
    MouseModes::Mode mode;
};

const ModeCommand kModeCommands[] = {
    {ID_MODE_CREATE_BOUNDARIES, MouseModes::CreateBoundaries},
    {ID_MODE_PICK_AND_DRAG, MouseModes::PickAndDrag},
    {ID_MODE_SET_ROCK, MouseModes::SetRock},
    {ID_MODE_MERGE, MouseModes::Merge},
    {ID_MODE_INSERT, MouseModes::Insert},
    {ID_MODE_SET_BASE_DEPTH, MouseModes::SetBaseDepth},
    {ID_MODE_CORRELATE, MouseModes::Correlate},
    {ID_MODE_DELETE, MouseModes::Delete},
};

// File names here tell letter case apart: each pattern also gets its lower-case spelling, so that
// "*.LAS" finds "well.las" too.
QStringList caseBlindFilters(QStringList filters)
{
    for (QString& filter : filters) {
        const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
        const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
        if (open < 0 || close < open)
            continue;
        QStringList patterns = filter.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString& pattern : QStringList(patterns))
            if (!patterns.contains(pattern.toLower()))
                patterns << pattern.toLower();
        filter = filter.left(open + 1) + patterns.join(QLatin1Char(' ')) + filter.mid(close);
    }
    return filters;
}

void ticked(QAction& action, bool on)
{
    action.setCheckable(true);
    action.setChecked(on);
}

} // namespace

void CQuorView::RegisterViewCommands(CommandFrame& frame)
{
    auto bind = [&frame](int id, auto handler) { frame.SetCommandHandler(id, handler); };
    auto bindRule = [&frame](int id, auto handler, auto update) { frame.SetCommandHandler(id, handler, update); };

    bind(ID_OPEN_TRACE, [this] { OnOpenTrace(); });
    bindRule(
        ID_TRACE_MANAGER, [this] { OnTraceManager(); }, [](QAction& a) { a.setEnabled(true); });
    bindRule(
        ID_CLOSE_ALL_TRACES, [this] { OnCloseAllTraces(); }, [this](QAction& a) { OnUpdateCloseAllTraces(a); });

    bindRule(
        ID_INSERT_MODE, [this] { OnInsertMode(); }, [this](QAction& a) { ticked(a, m_settings.insertMode); });
    bind(ID_SCALE, [this] { OnScale(); });
    bindRule(
        ID_SAMPLE_NUMBERS, [this] { OnSampleNumbers(); },
        [this](QAction& a) { ticked(a, m_settings.showSampleNumbers); });
    bindRule(
        ID_RULER, [this] { OnRuler(); }, [this](QAction& a) { ticked(a, m_settings.showRuler); });
    bindRule(
        ID_FINE_SCROLL, [this] { OnFineScroll(); }, [this](QAction& a) { ticked(a, m_settings.fineScroll); });
    bindRule(
        ID_LINK_SCROLLBARS, [this] { OnLinkScrollbars(); },
        [this](QAction& a) { ticked(a, m_settings.linkScrolling); });
    bind(ID_SET_DISPLAY_TOP_DEPTH, [this] { OnSetDisplayTopDepth(); });
    bindRule(
        ID_FILTER_TRACES, [this] { OnFilterTraces(); },
        [this](QAction& a) { ticked(a, m_settings.showFilteredTraces); });
    for (int column = 0; column < 3; ++column)
        bindRule(
            ID_TRACE_COLUMN1 + column, [this, column] { OnTraceColumn(column); },
            [this, column](QAction& a) { OnUpdateTraceColumn(a, column); });
    for (int colour = 0; colour <= ID_TRACE_COLOUR_LAST - ID_TRACE_COLOUR_FIRST; ++colour)
        bindRule(
            ID_TRACE_COLOUR_FIRST + colour, [this, colour] { OnTraceColour(colour); },
            [this, colour](QAction& a) { OnUpdateTraceColour(a, colour); });
    bindRule(
        ID_SHIFT_TRACE, [this] { OnShiftTrace(); }, [this](QAction& a) { OnUpdateTraceCommand(a); });
    bindRule(
        ID_AVERAGE_TRACE, [this] { OnAverageTrace(); }, [this](QAction& a) { OnUpdateTraceCommand(a); });

    for (const ModeCommand& command : kModeCommands) {
        const MouseModes::Mode mode = command.mode;
        bindRule(
            command.id, [this, mode] { SetEditMode(mode); },
            [this, mode](QAction& a) { ticked(a, ModeTicked(mode, m_editMode)); });
    }
    bind(ID_MODE_NORMAL, [this] { OnModeNormal(); });

    bind(ID_PAGE_DOWN, [this] { OnPageDown(); });
    bind(ID_PAGE_UP, [this] { OnPageUp(); });
    bind(ID_LINE_DOWN, [this] { OnLineDown(); });
    bind(ID_LINE_UP, [this] { OnLineUp(); });
    bind(ID_MOVE_FOCUS_RIGHT, [this] { OnMoveFocusRight(); });
    bind(ID_MOVE_FOCUS_LEFT, [this] { OnMoveFocusLeft(); });
    bind(ID_ZOOM_IN, [this] { OnZoomIn(); });
    bind(ID_ZOOM_OUT, [this] { OnZoomOut(); });
    bindRule(
        ID_NEXT_UNIT, [this] { OnNextUnit(); }, [this](QAction& a) { OnUpdateNextUnit(a); });
    bindRule(
        ID_PREVIOUS_UNIT, [this] { OnPreviousUnit(); }, [this](QAction& a) { OnUpdatePreviousUnit(a); });
    bind(ID_REDRAW, [this] { OnRedraw(); });
    bind(ID_CANCEL_OPERATION, [this] { OnCancelOperation(); });
    bind(ID_SCROLL_TO_TOP, [this] { OnScrollToTop(); });
    bind(ID_SCROLL_TO_BOTTOM, [this] { OnScrollToBottom(); });

    frame.SetPaneUpdate(ID_INDICATOR_TOOL, [this](QLabel& pane) { OnUpdateToolPane(pane); });
    frame.SetPaneUpdate(ID_INDICATOR_LITHOLOGY, [this](QLabel& pane) { OnUpdateLithologyPane(pane); });
    frame.SetPaneUpdate(ID_INDICATOR_SCALE, [this](QLabel& pane) { OnUpdateScalePane(pane); });
    // Selecting with the mouse changes what the commands allow at once, not at the next idle tick.
    // Once, however often the commands are bound; the connection goes with the frame's window.
    disconnect(m_selectionUpdates);
    m_selectionUpdates =
        connect(this, &CQuorView::selectionChanged, frame.Window(), [target = &frame] { target->UpdateCommands(); });
    frame.UpdateCommands();
}

// ---------------------------------------------------------------------------------------------------
// Traces

void CQuorView::OnOpenTrace()
{
    using ORBAX_Platform::MessageResult;
    if (!m_traces.empty()) {
        const MessageResult answer =
            ORBAX_Platform::showMessage(this, get_message_wide(145), ORBAX_Platform::MessageButtons::YesNoCancel,
                                        ORBAX_Platform::MessageIcon::Question);
        if (answer == MessageResult::Cancel)
            return;
        if (answer == MessageResult::Yes) {
            CloseAllTraces();
            update();
        }
    }
    ORBAX_Platform::Settings options(L"Options");
    const QString folder = ORBAX_Platform::qt_from_name(options.readString(L"LasPath", L""));
    const QString filter = caseBlindFilters(QtFileFilters(get_message_wide(171))).join(QStringLiteral(";;"));
    QString selected;
    QStringList files;
    if (!ORBAX_Platform::filePrompts().openFileNames(this, QString::fromStdWString(get_message_wide(154)), folder,
                                                     filter, selected, files))
        return;
    std::wstring first;
    for (const QString& file : files) {
        std::wstring name;
        if (!PromptedFileName(this, file, name))
            continue;
        StartTraceLoad(name);
        if (first.empty())
            first = name;
    }
    if (!first.empty())
        options.writeString(L"LasPath", ORBAX_Platform::folder_of_name(first));
}

void CQuorView::OnTraceManager()
{
    std::vector<TraceSetInfo> entries;
    entries.reserve(m_traces.size());
    for (const auto& trace : m_traces)
        entries.emplace_back(*trace);
    TraceDefinitionList definitions;
    if (m_tables)
        definitions = m_tables->traceDefinitions;
    LasSetup dialog(entries, definitions, this);
    if (dialog.DoModal() != QDialog::Accepted)
        return;

    for (std::size_t i = 0; i < entries.size(); ++i) {
        TraceSetInfo& entry = entries[i];
        if (entry.state == TraceSetInfo::Loaded && i < m_traces.size()) {
            ApplyTraceSettingsToFile(*m_traces[i], entry.curves);
        } else if (entry.state == TraceSetInfo::Added && entry.loadedFile) {
            const int index = AttachTrace(std::move(entry.loadedFile));
            ApplyTraceSettingsToFile(*m_traces[static_cast<std::size_t>(index)], entry.curves);
        }
    }
    for (std::size_t j = entries.size(); j-- > 0;) {
        if (entries[j].state != TraceSetInfo::ToUnload || j >= m_traces.size())
            continue;
        const int removed = static_cast<int>(j);
        if (m_selectedTraceFile == removed) {
            m_selectedTraceFile = -1;
            m_selectedCurve = -1;
        } else if (m_selectedTraceFile > removed) {
            --m_selectedTraceFile;
        }
        m_traces.erase(m_traces.begin() + static_cast<std::ptrdiff_t>(j));
        UpdateScrollRanges();
    }
    RefitTraceCurves();
    update();
    emit selectionChanged();
}

void CQuorView::OnCloseAllTraces()
{
    CloseAllTraces();
    update();
    emit selectionChanged();
}

void CQuorView::OnUpdateCloseAllTraces(QAction& action) { action.setEnabled(!m_traces.empty()); }

void CQuorView::OnFilterTraces()
{
    m_settings.showFilteredTraces = !m_settings.showFilteredTraces;
    for (auto& trace : m_traces)
        SetTracesFiltered(*trace, m_settings.showFilteredTraces);
    update();
}

namespace {

CurveProperty* selectedCurve(const TraceList& traces, int file, int curve)
{
    if (file < 0 || static_cast<std::size_t>(file) >= traces.size())
        return nullptr;
    auto& curves = traces[static_cast<std::size_t>(file)]->curves();
    if (curve < 0 || static_cast<std::size_t>(curve) >= curves.size())
        return nullptr;
    return &curves[static_cast<std::size_t>(curve)];
}

} // namespace

void CQuorView::OnTraceColumn(int column)
{
    if (CurveProperty* curve = selectedCurve(m_traces, m_selectedTraceFile, m_selectedCurve)) {
        curve->displayField = column;
        RefitTraceCurves();
        update();
    }
}

void CQuorView::OnUpdateTraceColumn(QAction& action, int column)
{
    const CurveProperty* curve = selectedCurve(m_traces, m_selectedTraceFile, m_selectedCurve);
    ticked(action, curve && curve->displayField == column);
    action.setEnabled(curve && curve->displayField != column);
}

void CQuorView::OnTraceColour(int colour)
{
    if (CurveProperty* curve = selectedCurve(m_traces, m_selectedTraceFile, m_selectedCurve)) {
        curve->colourIndex = colour;
        update();
    }
}

void CQuorView::OnUpdateTraceColour(QAction& action, int colour)
{
    const CurveProperty* curve = selectedCurve(m_traces, m_selectedTraceFile, m_selectedCurve);
    ticked(action, curve && curve->colourIndex == colour);
    action.setEnabled(curve && curve->colourIndex != colour);
}

void CQuorView::OnUpdateTraceCommand(QAction& action)
{
    action.setEnabled(selectedCurve(m_traces, m_selectedTraceFile, m_selectedCurve) != nullptr);
}

void CQuorView::OnShiftTrace()
{
    CurveProperty* curve = selectedCurve(m_traces, m_selectedTraceFile, m_selectedCurve);
    if (!curve)
        return;
    CDlgDouble dialog(curve->depthOffset, m_settings.displayPrecision, get_message_wide(131), get_message_wide(132),
                      L"hidd_shifttrace.htm", this);
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    SetCurveShift(dialog.value, m_selectedTraceFile, m_selectedCurve);
    UpdateScrollRanges();
    update();
}

void CQuorView::OnAverageTrace()
{
    const CurveProperty* curve = selectedCurve(m_traces, m_selectedTraceFile, m_selectedCurve);
    if (!curve)
        return;
    CTraceAverageValue dialog(*m_traces[static_cast<std::size_t>(m_selectedTraceFile)], *curve,
                              m_settings.traceRangePrecision + 2, this);
    dialog.DoModal();
}

std::vector<CurveRef> CQuorView::TraceFocusOrder() const
{
    std::vector<CurveRef> order;
    for (int column = 0; column < 3; ++column)
        for (std::size_t file = 0; file < m_traces.size(); ++file) {
            const auto& curves = m_traces[file]->curves();
            for (std::size_t c = 0; c < curves.size(); ++c)
                if (curves[c].visible && curves[c].displayField == column && curves[c].colourIndex >= 0 &&
                    curves[c].colourIndex < 16)
                    order.push_back({static_cast<int>(file), static_cast<int>(c)});
        }
    return order;
}

// ---------------------------------------------------------------------------------------------------
// Display switches, scale and position

void CQuorView::OnInsertMode()
{
    m_settings.insertMode = !m_settings.insertMode;
    OnUpdateIndicatorOvr();
}

void CQuorView::OnSampleNumbers()
{
    m_settings.showSampleNumbers = !m_settings.showSampleNumbers;
    update();
}

// The ruler shows or goes at once: a switch that changes nothing visible would look broken.
void CQuorView::OnRuler()
{
    m_settings.showRuler = !m_settings.showRuler;
    update();
}

void CQuorView::OnFineScroll() { m_settings.fineScroll = !m_settings.fineScroll; }

void CQuorView::OnLinkScrollbars() { m_settings.linkScrolling = !m_settings.linkScrolling; }

void CQuorView::OnScale()
{
    CDlgInteger dialog(ScaleDialogValue(m_settings.scale), get_message_wide(135), get_message_wide(136),
                       L"hidd_scale.htm", this);
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    // A scale of 0 or below would divide every depth by zero: the old scale stays.
    if (dialog.value <= 0) {
        ORBAX_Platform::showMessage(this, get_message_wide(27144), ORBAX_Platform::MessageButtons::Ok,
                                    ORBAX_Platform::MessageIcon::Warning);
        return;
    }
    SetScale(dialog.value / 1000.0);
    update();
}

void CQuorView::OnZoomIn()
{
    const double next = ZoomInDenominator(m_settings.scale * 1000);
    if (next > 0)
        SetScaleAtPoint(mapFromGlobal(QCursor::pos()), next / 1000);
}

void CQuorView::OnZoomOut()
{
    const double next = ZoomOutDenominator(m_settings.scale * 1000);
    if (next > 0)
        SetScaleAtPoint(mapFromGlobal(QCursor::pos()), next / 1000);
}

void CQuorView::OnSetDisplayTopDepth()
{
    int side = m_activePane;
    if (side < 0) {
        side = m_contextSide == 0 ? 0 : 1;
        m_contextSide = -1;
    }
    CDlgDouble dialog(GetPaneTopDepth(side), m_settings.displayPrecision, get_message_wide(176), get_message_wide(177),
                      L"hidd_setdisplaytopdepth.htm", this);
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    if (side == 1 && m_settings.linkScrolling)
        SetPaneTopDepth(0, dialog.value - (GetPaneTopDepth(1) - GetPaneTopDepth(0)));
    SetPaneTopDepth(side, dialog.value);
    update();
}

void CQuorView::OnScrollToTop()
{
    if (m_activePane == 0) {
        SetPaneTopDepth(0, 0);
    } else {
        if (m_settings.linkScrolling)
            SetPaneTopDepth(0, 0 - (GetPaneTopDepth(1) - GetPaneTopDepth(0)));
        SetPaneTopDepth(1, 0);
    }
    update();
}

void CQuorView::OnScrollToBottom()
{
    try {
        const int side = m_activePane == 0 ? 0 : 1;
        const ORBAX_Logging::Borehole& hole = m_document->GetBorehole(side);
        if (hole.unitCount() > 0) {
            const double lastBase = m_document->GetUnitBase(side, hole.unitCount() - 1);
            const double top = lastBase - (m_layout.column(side).height() - 10) * m_settings.scale;
            if (side == 1 && m_settings.linkScrolling)
                SetPaneTopDepth(0, top - (GetPaneTopDepth(1) - GetPaneTopDepth(0)));
            SetPaneTopDepth(side, top);
        }
    } catch (const std::exception&) {
        ShowInternalError(kCommandSource, kScrollToBottomLine);
    }
    update();
}

void CQuorView::OnPageDown() { OnVScroll(m_activePane == 0 ? 0 : 1, PageDown); }
void CQuorView::OnPageUp() { OnVScroll(m_activePane == 0 ? 0 : 1, PageUp); }
void CQuorView::OnLineDown() { OnVScroll(m_activePane == 0 ? 0 : 1, LineDown); }
void CQuorView::OnLineUp() { OnVScroll(m_activePane == 0 ? 0 : 1, LineUp); }

void CQuorView::OnRedraw() { update(); }

// ---------------------------------------------------------------------------------------------------
// Selection and focus

namespace {

Selection currentSelection(const CQuorView& view)
{
    Selection s;
    s.pane = view.m_activePane;
    s.unit = view.m_selectedUnit;
    s.traceFile = view.m_selectedTraceFile;
    s.curve = view.m_selectedCurve;
    return s;
}

} // namespace

void CQuorView::OnMoveFocusRight()
{
    const Selection next = MoveFocusRight(currentSelection(*this), TraceFocusOrder());
    Select(next.traceFile, next.curve, next.pane, next.unit);
    emit selectionChanged();
}

void CQuorView::OnMoveFocusLeft()
{
    const Selection next = MoveFocusLeft(currentSelection(*this), TraceFocusOrder());
    Select(next.traceFile, next.curve, next.pane, next.unit);
    emit selectionChanged();
}

bool CQuorView::SelectNextUnit()
{
    if (m_activePane < 0)
        return false;
    const int count = m_document->unitCountOnSide(m_activePane);
    if (m_selectedUnit < 0) {
        if (count > 0)
            SelectAndShowUnit(m_activePane, 0);
        return false;
    }
    if (m_selectedUnit + 1 >= count)
        return false;
    SelectAndShowUnit(m_activePane, m_selectedUnit + 1);
    return true;
}

void CQuorView::OnNextUnit()
{
    if (m_activePane >= 0 && m_selectedUnit >= 0 && m_selectedUnit + 1 < m_document->unitCountOnSide(m_activePane))
        SelectNextUnit();
    else
        ORBAX_Platform::beep();
    emit selectionChanged();
}

void CQuorView::OnUpdateNextUnit(QAction& action)
{
    action.setEnabled(m_activePane >= 0 && m_selectedUnit >= 0 &&
                      m_selectedUnit + 1 < m_document->unitCountOnSide(m_activePane));
}

void CQuorView::OnPreviousUnit()
{
    if (m_activePane >= 0 && m_selectedUnit > 0)
        SelectAndShowUnit(m_activePane, m_selectedUnit - 1);
    else
        ORBAX_Platform::beep();
    emit selectionChanged();
}

void CQuorView::OnUpdatePreviousUnit(QAction& action) { action.setEnabled(m_activePane >= 0 && m_selectedUnit > 0); }

void CQuorView::OnCancelOperation()
{
    if (m_editMode != MouseModes::Normal) {
        // What the open drag recorded goes back with it.
        if (m_document->HasDragStep())
            m_document->cancelDragStep();
        m_editMode = MouseModes::Normal;
        UpdateCursorAtMessagePos();
        update();
    } else {
        const Selection narrowed = NarrowSelection(currentSelection(*this));
        if (!(narrowed == currentSelection(*this)))
            Select(narrowed.traceFile, narrowed.curve, narrowed.pane, narrowed.unit);
    }
    emit selectionChanged();
}

// ---------------------------------------------------------------------------------------------------
// Edit modes and status panes

void CQuorView::SetEditMode(MouseModes::Mode mode)
{
    m_editMode = mode;
    UpdateCursorAtMessagePos();
    update();
}

void CQuorView::OnModeNormal()
{
    if (m_editMode != MouseModes::Normal)
        SetEditMode(MouseModes::Normal);
}

void CQuorView::OnUpdateToolPane(QLabel& pane)
{
    pane.setEnabled(true);
    pane.setText(QString::fromStdWString(ToolPaneText(m_editMode)));
}

void CQuorView::OnUpdateLithologyPane(QLabel& pane)
{
    pane.setEnabled(true);
    pane.setText(QString::fromStdWString(m_lithologyText));
}

void CQuorView::OnUpdateScalePane(QLabel& pane)
{
    pane.setEnabled(true);
    pane.setText(QString::fromStdWString(ScalePaneText(m_settings.scale)));
}
