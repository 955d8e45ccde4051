// The pointer moving over the view: the cursor-depth readouts, the hover line at the snapped depth,
// the lithology of the unit under the pointer, the selection band with its auto-scroll, and the drag
// of the mode in force.
#include <cmath>

#include <QLabel>

#include "docview/commands/CommandFrame.h"
#include "docview/document/QuorDoc.h"
#include "docview/mouse/rules/BandSelection.h"
#include "docview/mouse/rules/DragArithmetic.h"
#include "docview/mouse/rules/MouseModes.h"
#include "docview/view/QuorView.h"

using namespace MouseModes;

namespace {

constexpr int kLithologyPane = 110;

// The outline of a band, as the strips that change when it is drawn or taken away.
void updateOutline(QWidget& widget, const QRect& band)
{
    const QRect r = band.normalized();
    widget.update(QRect(r.left() - 1, r.top() - 1, r.width() + 2, 3));
    widget.update(QRect(r.left() - 1, r.bottom() - 1, r.width() + 2, 3));
    widget.update(QRect(r.left() - 1, r.top() - 1, 3, r.height() + 2));
    widget.update(QRect(r.right() - 1, r.top() - 1, 3, r.height() + 2));
}

} // namespace

void CQuorView::setBand(bool shown, const QPoint& end)
{
    if (m_bandShown)
        updateOutline(*this, QRect(m_bandStart, m_bandEnd));
    m_bandShown = shown;
    m_bandEnd = end;
    if (m_bandShown)
        updateOutline(*this, QRect(m_bandStart, m_bandEnd));
}

void CQuorView::OnMouseMove(const QPoint& point, Qt::KeyboardModifiers /*keys*/)
{
    try {
        m_leaveTracking = true;
        InvalidateCursorDepth();
        const int hit = HitTest(point);
        updateHoverLine(point);
        updateLithology(point, hit);
        if (m_bandShown)
            setBand(true, point);

        if (MovesBoundary(m_editMode)) {
            try {
                if (m_dragPane >= 0 && m_dragUnit >= 0)
                    MoveUnitBase(m_dragPane, m_dragUnit, DeviceYToDepth(m_dragPane, point.y() - m_dragOffset),
                                 MovesUnitsBelow(m_editMode));
            } catch (...) {
                // The boundary stays where it was, and the drag goes on.
            }
        } else if (SelectsByBand(m_editMode)) {
            selectByBand(point);
        } else if (m_editMode == SplitWait || m_editMode == SplitWaitShift) {
            moveSplit(point);
        }
        UpdateCursorForMode(point);
    } catch (...) {
        // A move that cannot be followed changes nothing; the next one tries again.
    }
}

void CQuorView::moveSplit(const QPoint& point)
{
    // Nothing until the pointer leaves the double-click rectangle of the press: a click leaves the one
    // boundary the press made.
    if (DragArithmetic::WithinDoubleClickRect(m_buttonDownPoint, point))
        return;
    const ORBAX_Logging::Borehole* hole = borehole(m_dragPane);
    if (!hole || !m_document || m_dragUnit < 0 || m_dragUnit >= hole->unitCount())
        return;
    const bool absorbing = m_editMode == SplitWait;
    double depth = 0;
    if (!DragArithmetic::SplitDepth(*hole, m_dragUnit, DeviceYToDepth(m_dragPane, point.y() - m_dragOffset), absorbing,
                                    m_settings.tolerance, m_settings.minimumThickness, depth))
        return;
    m_dragUnit = m_document->InsertUnit(m_dragPane, m_dragUnit + 1, !absorbing, true, depth);
    m_editMode = absorbing ? SplitDrag : SplitDragShift;
    InvalidatePaneColumn(m_dragPane);
}

void CQuorView::selectByBand(const QPoint& point)
{
    // The active borehole's units; with none, those of the pane under the pointer (its whole side, so
    // that a band that ends beside the left column still selects in the left borehole).
    int pane = m_activePane;
    if (pane < 0)
        pane = (HitTest(point) & HitLeft) ? 0 : 1;
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    if (hole) {
        const QRectF band(DeviceToPage(QPointF(m_bandStart)), DeviceToPage(QPointF(point)));
        const UnitRangeList taken =
            BandSelection::UnitsInBand(*hole, m_layout.column(pane), GetPaneTopDepth(pane), m_settings.scale, band,
                                       BandSelection::RuleFor(m_editMode, m_bandStart.x(), point.x()));
        if (!taken.empty()) {
            const int selected = m_activePane == pane ? m_selectedUnit : -1;
            ExtendSelection(pane, BandSelection::Combine(m_editMode, taken, m_savedSelection, selected));
        } else if (m_activePane >= 0 && (m_activePane != pane || m_selectedUnit >= 0 || !m_selection.empty())) {
            Select(-1, -1, pane, -1);
        }
    }

    // The rows of the left column serve both panes.
    const QRect column = PageRectToDevice(m_layout.leftColumn);
    if (BandSelection::LeftColumn(m_buttonDownPoint.y(), point.y(), column.top(), column.bottom())) {
        if (!m_autoScroll)
            StartAutoScroll();
    } else if (m_autoScroll) {
        StopAutoScroll();
    }
}

void CQuorView::updateHoverLine(const QPoint& point)
{
    const QPointF page = DeviceToPage(QPointF(point));
    const QRectF& column = m_layout.rightColumn;
    const bool inside = page.x() >= 0 && page.x() <= m_layout.traceColumn[2].right() && page.y() >= column.top() &&
                        page.y() <= column.bottom();
    if (!m_settings.showRuler || !inside || !ViewGeometry::IsUsableScale(m_settings.scale)) {
        SetHoverRow(-1);
        return;
    }
    // The line lies on the depth the pointer would give, snapped as the edits snap it.
    const double depth = SnapDepth(DeviceYToDepth(1, point.y()));
    const double y = column.top() + (depth - GetPaneTopDepth(1)) / m_settings.scale;
    SetHoverRow(static_cast<int>(std::floor(PageToDevice(QPointF(page.x(), y)).y() + 0.5)));
}

void CQuorView::updateLithology(const QPoint& point, int hit)
{
    std::wstring text;
    if ((hit & HitColumn) && !(hit & HitLabel)) {
        const int pane = (hit & HitLeft) ? 0 : 1;
        const int unit = UnitHitAt(pane, point).unit;
        if (const ORBAX_Logging::Borehole* hole = borehole(pane); hole && unit >= 0 && unit < hole->unitCount())
            text = (*hole)[static_cast<std::size_t>(unit)].elementsText();
    }
    if (text == m_lithologyText)
        return;
    m_lithologyText = text;
    if (CommandFrame* frame = GetMainFrame())
        if (QLabel* pane = frame->StatusPane(kLithologyPane))
            pane->setText(QString::fromStdWString(m_lithologyText));
}

void CQuorView::OnMouseLeave()
{
    try {
        SetHoverRow(-1);
        m_leaveTracking = false;
        InvalidateCursorDepth();
    } catch (...) {
        // Nothing to undo.
    }
}
