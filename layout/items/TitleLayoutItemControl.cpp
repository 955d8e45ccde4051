#include "layout/items/TitleLayoutItemControl.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/qt/Graphics.h"

CTitleLayoutItemControl::CTitleLayoutItemControl(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("id1347"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CTitleLayoutItemControl::SetItem(std::shared_ptr<TitleLayoutItem> item)
{
    m_item = std::move(item);
    update();
}

QString CTitleLayoutItemControl::CountText() const
{
    if (!m_item)
        return QString();
    QString text = QString::number(m_item->rows.size());
    if (!m_item->rows.empty())
        text += QLatin1Char(' ') + QString::number(m_item->rows.front()->cells.size());
    return text;
}

void CTitleLayoutItemControl::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    ORBAX_Platform::Graphics graphics(painter);
    // The whole visible area in millimetres.
    const QRectF visible = graphics.worldToDevice().inverted().mapRect(QRectF(event->rect()));
    graphics.fillRect(visible, 0xFFDAA520u);
    if (m_item) {
        painter.setFont(graphics.deviceFont(ORBAX_Platform::CreateNamedFont(QStringLiteral("Arial"), 10)));
        painter.setPen(QColor(Qt::black));
        painter.drawText(QRectF(QPointF(10, 10), QSizeF()), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         CountText());
        m_item->DrawRows(graphics, QRectF(0, 0, m_item->width, m_item->height));
    }
    if (m_caret) {
        graphics.setPageUnit(ORBAX_Platform::PageUnit::Pixel);
        graphics.fillRect(QRectF(30, 30, 2, 15), 0xFF000000u);
    }
}

void CTitleLayoutItemControl::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_caret = true;
    update(QRect(30, 30, 2, 15));
}

void CTitleLayoutItemControl::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_caret = false;
    update(QRect(30, 30, 2, 15));
}
