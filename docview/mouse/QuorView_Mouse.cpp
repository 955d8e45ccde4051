// The mouse edit modes of the view: what a press does in each mode, what its release does, the double
// click, the right button before the context menu, and the drag step that groups a drag's edits into
// one undoable step from the press to the release.
#include <QMouseEvent>
#include <QWheelEvent>

#include "core/catalogue/Messages.h"
#include "docview/commands/CommandFrame.h"
#include "docview/document/QuorDoc.h"
#include "docview/mouse/rules/DragArithmetic.h"
#include "docview/mouse/rules/MouseModes.h"
#include "docview/view/QuorView.h"
#include "platform/services/Services.h"
#include "widgets/dialogs/DlgDouble.h"

using namespace MouseModes;
using ORBAX_Utilities::get_message_wide;

namespace {

// Where an unexpected failure of a mouse message is reported from.
constexpr char kSourceFile[] = "QuorView_Mouse";
constexpr int kSourceLine = 406;

constexpr int kEditUnitThickness = 199;
constexpr int kInsertUnit = 157;
constexpr int kCreateBoundary = 200;
constexpr int kDeleteQuestion = 173;
constexpr int kSetDepthTitle = 174;
constexpr int kSetDepthPrompt = 175;

bool hasShift(Qt::KeyboardModifiers keys) { return keys.testFlag(Qt::ShiftModifier); }
bool hasCtrl(Qt::KeyboardModifiers keys) { return keys.testFlag(Qt::ControlModifier); }
bool hasAlt(Qt::KeyboardModifiers keys) { return keys.testFlag(Qt::AltModifier); }

// Runs a part of a mouse message; whatever escapes it is the internal error, and nothing reaches Qt.
template <class Part>
void guarded(CQuorView& view, Part part)
{
    try {
        part();
    } catch (...) {
        try {
            view.ShowInternalError(kSourceFile, kSourceLine);
        } catch (...) {
            // The report itself failed: the message still ends here.
        }
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Qt's events

void CQuorView::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(point, event->modifiers());
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(point, event->modifiers());
    event->accept();
}

void CQuorView::mouseMoveEvent(QMouseEvent* event)
{
    OnMouseMove(event->position().toPoint(), event->modifiers());
    event->accept();
}

void CQuorView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(event->position().toPoint(), event->modifiers());
    event->accept();
}

void CQuorView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is the double click alone, as a window with double clicks
    // gets it.
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(event->position().toPoint(), event->modifiers());
    event->accept();
}

void CQuorView::wheelEvent(QWheelEvent* event)
{
    OnMouseWheel(event->position().toPoint(), event->angleDelta().y(), event->modifiers());
    event->accept();
}

void CQuorView::leaveEvent(QEvent* event)
{
    OnMouseLeave();
    QWidget::leaveEvent(event);
}

void CQuorView::changeEvent(QEvent* event)
{
    // Another window taking over while a button is held: the release will come to it, not to us.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        OnCaptureLost();
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------------------------------------------
// The drag step

void CQuorView::openDragStep(int pane, int descriptionId)
{
    if (m_document)
        m_document->openDragStep(pane, descriptionId);
}

void CQuorView::finishDragStep()
{
    if (!m_document || !m_document->HasDragStep())
        return;
    // A drag that changed nothing (a click on a boundary) leaves no empty step to undo.
    const auto& history = m_document->GetHistory();
    if (m_document->GetNestingDepth() == 1 && !history.empty() && history.back().actions.empty())
        m_document->cancelDragStep();
    else
        m_document->closeDragStep();
}

void CQuorView::abandonLostDrag()
{
    // A press while a press's mode is still in force: its release never came. What that drag did is
    // rolled back, and the view returns to the mode it came from.
    if (!IsTransient(m_editMode))
        return;
    if (m_document && m_document->HasDragStep())
        m_document->cancelDragStep();
    setBand(false, m_bandEnd);
    if (m_autoScroll)
        StopAutoScroll();
    m_editMode = ModeAfterRelease(m_editMode);
    m_dragOffset = 0;
    update();
}

void CQuorView::OnCaptureLost()
{
    guarded(*this, [this] {
        if (!IsTransient(m_editMode))
            return;
        setBand(false, m_bandEnd);
        if (m_autoScroll)
            StopAutoScroll();
        // The drag ends where it stands; the actions that wait for a release (dialogs) do not run.
        if (HoldsDragStep(m_editMode))
            finishDragStep();
        if (m_editMode == DragBoundary || m_editMode == DragBoundaryShift || m_editMode == PickedDrag ||
            m_editMode == PickedDragShift)
            m_dragOffset = 0;
        m_editMode = ModeAfterRelease(m_editMode);
        UpdateScrollRanges();
        update();
    });
}

// ---------------------------------------------------------------------------------------------------
// Press

int CQuorView::unitBottomRow(int pane, int unit) const
{
    const QRectF rect = UnitRectOfPane(pane, unit);
    return static_cast<int>(std::floor(PageToDevice(QPointF(rect.left(), rect.bottom())).y() + 0.5));
}

void CQuorView::OnLButtonDown(const QPoint& point, Qt::KeyboardModifiers keys)
{
    guarded(*this, [&] {
        abandonLostDrag();
        m_buttonDownPoint = point;
        m_bandStart = point;
        m_bandEnd = point;
        int traceFile = -1, curve = -1;
        const int hit = HitTest(point, &traceFile, &curve);
        // Whatever the mode makes of the press (a boundary drag, a pick, a band), the pane pressed is
        // the active one, so that the file commands that follow act on the borehole last touched.
        const int pane = pressedPane(point, hit);
        if (pane >= 0 && pane != m_activePane)
            Select(-1, -1, pane, -1);
        switch (m_editMode) {
        case Normal: pressNormal(point, hit, traceFile, curve, keys); break;
        case SetBaseDepth:
        case SetRock:
        case Delete:
        case Merge: pressPickUnit(point, hit, pane); break;
        case Insert:
        case CreateBoundaries: pressInsert(point, hit, keys); break;
        case PickAndDrag:
        case Picked: pressPickAndDrag(point, hit, keys); break;
        case Correlate: pressCorrelate(point, hit); break;
        default: break;
        }
    });
    guarded(*this, [&] {
        // A press that failed after opening its step, in a mode whose release closes none, leaves no step
        // open to block the document's other edits.
        if (m_document && m_document->HasDragStep() && !HoldsDragStep(m_editMode))
            m_document->cancelDragStep();
        UpdateCursorForMode(point);
    });
}

int CQuorView::pressedPane(const QPoint& point, int hit) const
{
    if (hit & HitLeft)
        return 0;
    if ((hit & HitRight) && !(hit & HitTrace) && DeviceToPage(QPointF(point)).x() < m_layout.rightPane.right())
        return 1;
    return -1;
}

void CQuorView::pressNormal(const QPoint& point, int hit, int traceFile, int curve, Qt::KeyboardModifiers keys)
{
    const bool shift = hasShift(keys);
    const bool ctrl = hasCtrl(keys);
    if (hit & HitColumn) {
        const int pane = (hit & HitLeft) ? 0 : 1;
        if (hit & HitLabel) {
            if (!shift && !ctrl)
                Select(-1, -1, pane, -1);
        } else {
            const UnitHitTest::UnitHit unitHit = UnitHitAt(pane, point);
            const int boundary = UnitHitTest::BoundaryUnit(unitHit, unitCount(pane));
            if (boundary >= 0) {
                m_dragPane = pane;
                m_dragUnit = boundary;
                m_dragOffset = point.y() - unitBottomRow(pane, boundary);
                InvalidateCursorDepth();
                if (!ctrl) {
                    m_editMode = ShiftingChoice(m_settings.insertMode, shift) ? DragBoundaryShift : DragBoundary;
                    openDragStep(pane, kEditUnitThickness);
                    return;
                }
            } else if (!(unitHit.edge == 1 && unitHit.unit == 0)) {
                const int unit = unitHit.unit;
                if (!ctrl && hasAlt(keys)) {
                    // A boundary at the press, and the drag that follows makes a second one.
                    m_editMode = ShiftingChoice(m_settings.insertMode, shift) ? SplitWaitShift : SplitWait;
                    openDragStep(pane, kInsertUnit);
                    m_dragUnit = -1;
                    Select(-1, -1, pane, -1);
                    CreateBoundaryAt(SnapDepth(DeviceYToDepth(pane, point.y())), unit, pane);
                    return;
                }
                if (!shift && !ctrl) {
                    m_editMode = SelectSingle;
                    m_savedSelection.assign(m_selection);
                    Select(-1, -1, pane, unit);
                } else if (shift && !ctrl) {
                    m_editMode = SelectExtend;
                    m_savedSelection.assign(m_selection);
                    if (unit >= 0) {
                        if (m_activePane == pane && m_selectedUnit >= 0 && m_selectedUnit < unitCount(pane)) {
                            UnitRangeList span;
                            span.add(std::min(m_selectedUnit, unit), std::max(m_selectedUnit, unit));
                            ExtendSelection(pane, span);
                        } else {
                            Select(-1, -1, pane, unit);
                        }
                    }
                } else if (ctrl && !shift) {
                    m_editMode = SelectAdd;
                    m_savedSelection.assign(m_selection);
                    if (unit >= 0)
                        AddUnitToSelection(pane, unit);
                }
            }
        }
    } else if (hit & HitTrace) {
        selectTraceAt(point, hit, traceFile, curve);
    }

    // The band.
    if (m_editMode == Normal) {
        if (!shift && !ctrl) {
            m_editMode = BandNew;
            m_savedSelection.assign(m_selection);
        } else if (ctrl && !shift) {
            m_editMode = BandAdd;
            m_savedSelection.assign(m_selection);
        }
    }
    setBand(true, point);
}

void CQuorView::selectTraceAt(const QPoint& point, int hit, int traceFile, int curve)
{
    if ((hit & HitLabel) && traceFile >= 0) {
        Select(traceFile, curve, -1, -1);
        return;
    }
    const std::vector<TracePick::TraceRef> found = PickTracesAt(point);
    if (!found.empty())
        Select(found.front().file, found.front().curve, -1, -1);
}

void CQuorView::pressPickUnit(const QPoint& point, int hit, int pane)
{
    // The action waits for the release. A press beside the units picks none and leaves the pane it
    // fell in the active one.
    if ((hit & HitColumn) && !(hit & HitLabel)) {
        const int column = (hit & HitLeft) ? 0 : 1;
        Select(-1, -1, column, UnitHitAt(column, point).unit);
    } else {
        Select(-1, -1, pane, -1);
    }
}

void CQuorView::pressInsert(const QPoint& point, int hit, Qt::KeyboardModifiers keys)
{
    if (!(hit & HitColumn) || (hit & HitLabel)) {
        ORBAX_Platform::beep();
        return;
    }
    const int pane = (hit & HitLeft) ? 0 : 1;
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    if (!hole || !m_document)
        return;
    const int unit = UnitHitAt(pane, point).unit;
    Select(-1, -1, pane, -1);
    const double depth = SnapDepth(DeviceYToDepth(pane, point.y()));
    const double minimum = m_settings.minimumThickness;
    const DragArithmetic::PressPlace place = DragArithmetic::InsertPlace(*hole, unit, depth, minimum);
    if (place == DragArithmetic::PressPlace::Refused) {
        ORBAX_Platform::beep();
        return;
    }
    if (m_editMode == CreateBoundaries) {
        openDragStep(pane, kCreateBoundary);
        if (place == DragArithmetic::PressPlace::Append)
            m_document->AppendUnit(pane, depth);
        else
            m_document->InsertUnit(pane, unit, false, false, depth);
        finishDragStep();
        UpdateScrollRanges();
        InvalidatePaneColumn(pane);
        return;
    }
    // Insert: a unit of the minimum thickness just below the press, whose base the drag then sizes.
    openDragStep(pane, kInsertUnit);
    if (place == DragArithmetic::PressPlace::Append) {
        m_document->AppendUnit(pane, depth);
        m_dragPane = pane;
        m_dragUnit = m_document->AppendUnit(pane, depth + minimum);
        m_editMode = InsertDrag;
    } else {
        const int made = m_document->InsertUnit(pane, unit, false, false, depth);
        if (made >= 0) {
            m_dragPane = pane;
            m_editMode = ShiftingChoice(m_settings.insertMode, hasShift(keys)) ? InsertDragShift : InsertDrag;
            m_dragUnit = m_document->InsertUnit(pane, made + 1, m_editMode == InsertDragShift, true, depth + minimum);
        }
    }
    m_dragOffset = 0;
    InvalidatePaneColumn(pane);
}

void CQuorView::pressPickAndDrag(const QPoint& point, int hit, Qt::KeyboardModifiers keys)
{
    const QPointF page = DeviceToPage(QPointF(point));
    if (m_editMode == Picked && m_dragUnit >= 0 && m_dragUnit < unitCount(m_dragPane) &&
        UnitHitTest::OnHandle(UnitRectOfPane(m_dragPane, m_dragUnit), page)) {
        if (!hasCtrl(keys)) {
            m_editMode = ShiftingChoice(m_settings.insertMode, hasShift(keys)) ? PickedDragShift : PickedDrag;
            openDragStep(m_dragPane, kEditUnitThickness);
        }
        m_dragOffset = point.y() - unitBottomRow(m_dragPane, m_dragUnit);
        InvalidateCursorDepth();
        return;
    }
    if ((hit & HitColumn) && !(hit & HitLabel)) {
        const int pane = (hit & HitLeft) ? 0 : 1;
        const int boundary = UnitHitTest::BoundaryUnit(UnitHitAt(pane, point), unitCount(pane));
        if (boundary >= 0) {
            if (m_editMode == Picked)
                InvalidatePickedBoundary(m_dragUnit, m_dragPane);
            m_dragPane = pane;
            m_dragUnit = boundary;
            m_editMode = Picked;
            InvalidatePickedBoundary(m_dragUnit, m_dragPane);
            return;
        }
    }
    if (m_editMode == Picked) {
        m_editMode = PickAndDrag;
        InvalidatePickedBoundary(m_dragUnit, m_dragPane);
    }
}

void CQuorView::pressCorrelate(const QPoint& point, int hit)
{
    if ((hit & HitColumn) && !(hit & HitLabel)) {
        const int pane = (hit & HitLeft) ? 0 : 1;
        const int unit = UnitHitAt(pane, point).unit;
        if (unit >= 0) {
            m_editMode = CorrelatePick;
            Select(-1, -1, pane, unit);
            setBand(true, point);
            return;
        }
    }
    ORBAX_Platform::beep();
}

// ---------------------------------------------------------------------------------------------------
// Release

void CQuorView::OnLButtonUp(const QPoint& point, Qt::KeyboardModifiers /*keys*/)
{
    guarded(*this, [&] {
        setBand(false, m_bandEnd);
        if (m_autoScroll)
            StopAutoScroll();
        const MouseModes::Mode mode = m_editMode;
        // The mode after the release is in force before any dialog of the release opens.
        m_editMode = ModeAfterRelease(mode);
        if (HoldsDragStep(mode)) {
            finishDragStep();
            UpdateScrollRanges();
        }
        if (mode == DragBoundary || mode == DragBoundaryShift || mode == PickedDrag || mode == PickedDragShift)
            m_dragOffset = 0;
        releaseAction(mode);
    });
    guarded(*this, [&] {
        UpdateCursorForMode(point);
        if (CommandFrame* frame = GetMainFrame())
            frame->UpdateCommands();
    });
}

void CQuorView::releaseAction(MouseModes::Mode mode)
{
    if (!m_document)
        return;
    const bool unitSelected = m_activePane >= 0 && m_selectedUnit >= 0 && m_selectedUnit < unitCount(m_activePane);
    switch (mode) {
    case SetBaseDepth: {
        if (!unitSelected)
            return;
        const int pane = m_activePane;
        const int unit = m_selectedUnit;
        CDlgDouble prompt(m_document->GetUnitBase(pane, unit), m_settings.displayPrecision,
                          get_message_wide(kSetDepthTitle), get_message_wide(kSetDepthPrompt), L"hidd_setbasedepth.htm",
                          this);
        if (prompt.DoModal() == QDialog::Accepted)
            MoveUnitBase(pane, unit, prompt.value, m_settings.insertMode);
        break;
    }
    case SetRock:
        // The Set Rock Type command on the unit selected at the press: its rock types in the current
        // hatch list, which the user is asked to choose first when there is none.
        if (unitSelected)
            OnSetRockType();
        break;
    case Delete: {
        if (!unitSelected)
            return;
        const int pane = m_activePane;
        const int unit = m_selectedUnit;
        if (ORBAX_Platform::showMessage(this, get_message_wide(kDeleteQuestion), ORBAX_Platform::MessageButtons::YesNo,
                                        ORBAX_Platform::MessageIcon::Question) != ORBAX_Platform::MessageResult::Yes)
            return;
        m_document->DeleteUnit(pane, unit, m_settings.insertMode);
        Select(-1, -1, -1, -1);
        UpdateScrollRanges();
        update();
        break;
    }
    case Merge: {
        if (!unitSelected || m_selectedUnit < 1)
            return;
        const int pane = m_activePane;
        // The unit above goes, and the selected unit grows up to its top.
        const int merged = m_document->DeleteUnit(pane, m_selectedUnit - 1, false);
        InvalidatePaneColumn(pane);
        Select(-1, -1, pane, merged);
        break;
    }
    case CorrelatePick:
        if (m_settings.showSampleNumbers)
            OnSampleNumber();
        else
            OnCorrelateUnit();
        break;
    default: break;
    }
}

// ---------------------------------------------------------------------------------------------------
// Double click and the right button

void CQuorView::OnLButtonDblClk(const QPoint& point, Qt::KeyboardModifiers /*keys*/)
{
    guarded(*this, [&] {
        if (m_editMode != Normal || m_activePane < 0 || m_selectedUnit < 0)
            return;
        const int hit = HitTest(point);
        if (!(hit & HitColumn) || (hit & HitTrace))
            return;
        Select(-1, -1, m_activePane, m_selectedUnit);
        OnSetRockType();
    });
}

void CQuorView::OnRButtonDown(const QPoint& point, Qt::KeyboardModifiers keys)
{
    guarded(*this, [&] {
        const bool plain = !hasShift(keys) && !hasCtrl(keys);
        int traceFile = -1, curve = -1;
        const int hit = HitTest(point, &traceFile, &curve);
        if (hit & HitColumn) {
            const int pane = (hit & HitLeft) ? 0 : 1;
            if (hit & HitLabel) {
                if (plain)
                    Select(-1, -1, pane, -1);
                return;
            }
            const int unit = UnitHitAt(pane, point).unit;
            const bool selected = m_activePane == pane && m_selection.contains(unit);
            if (unit >= 0 && !selected && plain)
                Select(-1, -1, pane, unit);
        } else if (hit & HitTrace) {
            selectTraceAt(point, hit, traceFile, curve);
        }
    });
}
