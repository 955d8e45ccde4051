// Picking and dragging items with the mouse.
#include <QContextMenuEvent>
#include <QMouseEvent>

#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "docview/view/geometry/DrawingResources.h"
#include "layout/view/BoreholeViewAdapter.h"
#include "layout/view/QuorLayout.h"
#include "platform/qt/Graphics.h"
#include "widgets/controls/GuardedHandler.h"

void CQuorLayout::OnLButtonDown(const QPoint& point)
{
    if (!(m_page.zoom > 0.0f) || !m_view || !m_document)
        return;
    const QPointF at = ClientToItem(point);
    const DrawingResources& resources = Resources();
    bool changed = false;
    measure([&](ORBAX_Platform::Graphics& graphics) {
        changed = m_page.SelectAt(at, [&](const LayoutItem& item, const QPointF& p) {
            return item.HitTest(graphics, *m_document, BoreholeViewAdapter(*m_view), resources, p);
        });
    });
    if (changed)
        update();
}

void CQuorLayout::OnMouseMove(const QPoint& point)
{
    const LayoutEntry* entry = m_page.Selected();
    if (!m_page.dragging || !entry || !m_view || !m_document)
        return;
    const QPointF at = ClientToItem(point);
    const DrawingResources& resources = Resources();
    QRectF bounds;
    measure([&](ORBAX_Platform::Graphics& graphics) {
        bounds = entry->item->GetBounds(graphics, *m_document, BoreholeViewAdapter(*m_view), resources);
    });
    update(ItemToClient(m_page.DragTo(at, bounds)));
}

void CQuorLayout::OnLButtonUp() { m_page.EndDrag(); }

void CQuorLayout::OnLButtonDblClk(const QPoint&) { OnProperties(); }

void CQuorLayout::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    QuorGuard::RunGuarded(this, __FILE__, __LINE__, [&] { OnLButtonDown(event->position().toPoint()); });
}

void CQuorLayout::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    try {
        OnMouseMove(event->position().toPoint());
    } catch (...) {
        // A move that cannot be measured leaves the item where it was.
    }
}

void CQuorLayout::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp();
}

void CQuorLayout::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    QuorGuard::RunGuarded(this, __FILE__, __LINE__, [&] { OnLButtonDblClk(event->position().toPoint()); });
}

void CQuorLayout::contextMenuEvent(QContextMenuEvent* event)
{
    QuorGuard::RunGuarded(this, __FILE__, __LINE__, [&] { OnContextMenu(event->globalPos()); });
}
