#include "widgets/controls/ColourPatch.h"

#include <QPainter>

CColourPatch::CColourPatch(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(24, 16);
}

void CColourPatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgba(colour));
}
