// The mouse wheel: with Ctrl it zooms through the scale table about the pointer, without a key it
// scrolls the pane under the pointer three lines a notch. Shift keeps it from doing anything.
#include "docview/commands/rules/ViewCommandRules.h"
#include "docview/view/QuorView.h"

namespace {

constexpr int kLinesPerNotch = 3;

} // namespace

void CQuorView::OnMouseWheel(const QPoint& point, int delta, Qt::KeyboardModifiers keys)
{
    try {
        // With Shift the wheel does nothing, and gathers nothing: a rotation made with Shift held must not
        // act later, perhaps the other way, once Shift is let go.
        if (keys.testFlag(Qt::ShiftModifier))
            return;
        const int notch = m_wheel.add(delta);
        if (notch == 0)
            return;
        if (keys.testFlag(Qt::ControlModifier)) {
            const double denominator = m_settings.scale * 1000;
            const double next = notch > 0 ? ViewCommandRules::ZoomInDenominator(denominator)
                                          : ViewCommandRules::ZoomOutDenominator(denominator);
            if (next > 0)
                SetScaleAtPoint(point, next / 1000);
            return;
        }
        // Left of the panes' boundary the left pane scrolls; elsewhere the right one, which the left one
        // follows when the scrolling is linked. The three line steps of a notch move the pane once:
        // the window shifts its pixels and draws the rows uncovered once, not three times.
        const int pane = DeviceToPage(QPointF(point)).x() < m_layout.leftPane.right() ? 0 : 1;
        ScrollLines(pane, notch > 0 ? -kLinesPerNotch : kLinesPerNotch);
    } catch (...) {
        // A wheel that cannot act does nothing.
    }
}
