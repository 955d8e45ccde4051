#include "editors/patterns/BitmapView.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/qt/Graphics.h"

CBitmapView::CBitmapView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 80);
}

void CBitmapView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!pattern)
        return;
    try {
        ORBAX_Platform::Graphics graphics(painter);
        graphics.setSmoothing(true);
        bool invertible = false;
        const QTransform toWorld = graphics.worldToDevice().inverted(&invertible);
        if (invertible)
            BitmapPattern::Fill(*pattern, graphics, toWorld.mapRect(QRectF(event->rect())), false);
    } catch (...) {
        // A preview that cannot be drawn stays white; painting must go on.
    }
}
