// The cursor the view shows at a point: the edit mode's, and in Normal mode the vertical sizing cursor
// over a boundary that a press would drag.
#include "docview/mouse/ModeCursors.h"
#include "docview/mouse/rules/MouseModes.h"
#include "docview/view/QuorView.h"

void CQuorView::UpdateCursorForMode(const QPoint& point)
{
    bool overBoundary = false;
    if (m_editMode == MouseModes::Normal) {
        const int hit = HitTest(point);
        if ((hit & HitColumn) && !(hit & HitLabel)) {
            const int pane = (hit & HitLeft) ? 0 : 1;
            overBoundary = UnitHitTest::BoundaryUnit(UnitHitAt(pane, point), unitCount(pane)) >= 0;
        }
    }
    // The window system is asked only when the cursor changes, not at every move of the pointer.
    const int look = m_editMode * 2 + (overBoundary ? 1 : 0);
    if (look == m_cursorLook && testAttribute(Qt::WA_SetCursor))
        return;
    m_cursorLook = look;
    setCursor(ModeCursors::CursorFor(m_editMode, overBoundary));
}
