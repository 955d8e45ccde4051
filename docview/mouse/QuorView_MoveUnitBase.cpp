// Moving a unit's base with the mouse or the Set Depth prompt: the depth is worked out without a
// window (DragArithmetic), the change goes through the document's undoable edits, and only the part of
// the pane that the move changes is painted again.
#include <algorithm>

#include "core/model/Exception.h"
#include "docview/document/QuorDoc.h"
#include "docview/document/history/UndoStep.h"
#include "docview/mouse/rules/DragArithmetic.h"
#include "docview/mouse/rules/MouseModes.h"
#include "docview/view/QuorView.h"

namespace {

constexpr int kEditUnitDepth = 155;

} // namespace

bool CQuorView::MoveUnitBase(int pane, int unit, double depth, bool shifting)
{
    const ORBAX_Logging::Borehole* hole = borehole(pane);
    if (!hole || !m_document)
        throw ORBAX_Logging::Exception(ORBAX_Logging::Exception::UnitOutOfRange);
    const DragArithmetic::BaseMove move =
        DragArithmetic::PlanBaseMove(*hole, unit, depth, shifting, m_settings.tolerance, m_settings.minimumThickness);
    if (!move.changes)
        return false;

    const bool handles = MouseModes::ShowsPickHandles(m_editMode);
    if (handles)
        InvalidatePickedBoundary(m_dragUnit, m_dragPane);
    // What changes on screen: from the top of the group's first unit (its labels sit around its middle)
    // down through the pane, since the labels below may move with it.
    const double oldTop = UnitRectOfPane(pane, move.first).top();

    {
        // The group's units move together as one step; within a drag it joins the drag's step.
        UndoStep step(*m_document, kEditUnitDepth, pane);
        if (!move.downward) {
            for (int i = move.first; i < move.last; ++i)
                m_document->EditUnitDepth(pane, i, false, move.depth);
            m_document->EditUnitDepth(pane, move.last, shifting, move.depth);
        } else {
            m_document->EditUnitDepth(pane, move.last, shifting, move.depth);
            for (int i = move.last - 1; i >= move.first; --i)
                m_document->EditUnitDepth(pane, i, false, move.depth);
        }
        step.commit();
    }

    const QRectF& paneRect = m_layout.pane(pane);
    const QRectF& column = m_layout.column(pane);
    const double top =
        std::max(paneRect.top(), std::min(oldTop, UnitRectOfPane(pane, move.first).top()) - m_layout.lineHeight);
    // The handles reach 3 mm beside the column.
    const double left = std::min(paneRect.left(), column.left() - 5);
    const double right = std::max(paneRect.right(), column.right() + 5);
    if (top < paneRect.bottom())
        InvalidatePageRect(QRectF(QPointF(left, top), QPointF(right, paneRect.bottom())));
    if (handles)
        InvalidatePickedBoundary(m_dragUnit, m_dragPane);
    InvalidateCursorDepth();
    return true;
}
