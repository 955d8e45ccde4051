#include "editors/patterns/VectorView.h"

#include <cmath>

#include <QPainter>

#include "platform/qt/Graphics.h"

CVectorView::CVectorView(bool fullWidth_, QWidget* parent) : QWidget(parent), fullWidth(fullWidth_)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 60);
}

void CVectorView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // A size of 0 or below, which a configuration file can hold, would never step across the window.
    if (!pattern || !(pattern->width > 0) || !(pattern->height > 0))
        return;
    try {
        ORBAX_Platform::Graphics graphics(painter);
        graphics.setSmoothing(true);
        bool invertible = false;
        const QTransform toWorld = graphics.worldToDevice().inverted(&invertible);
        if (!invertible)
            return;
        const QRectF area = toWorld.mapRect(QRectF(rect()));
        // Smoothed cell edges cover the shared pixels only in part: under them lies the background
        // colour, not white, so that no seams show between the cells.
        if (pattern->compiled)
            graphics.fillRect(area, pattern->colour);
        const double cellWidth = fullWidth ? area.width() : pattern->width;
        const double cellHeight = pattern->height;
        const double cells = std::ceil(area.width() / cellWidth) * std::ceil(area.height() / cellHeight);
        if (!(cells <= VectorPattern::MaxCellsPerFill)) {
            // Cells too small to count: only their background could show.
            if (pattern->compiled)
                graphics.fillRect(area, pattern->colour);
            return;
        }
        for (double y = 0; y < area.height(); y += cellHeight)
            for (double x = 0; x < area.width(); x += cellWidth)
                VectorPattern::DrawElements(graphics, x, y, *pattern, QSizeF(cellWidth, cellHeight));
    } catch (...) {
        // A preview that cannot be drawn stays white; painting must go on.
    }
}
