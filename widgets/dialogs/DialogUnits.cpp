#include "widgets/dialogs/DialogUnits.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QResizeEvent>
#include <QWidget>

#include <cmath>

DialogUnits::DialogUnits(const QWidget* dialog)
{
    QFontMetricsF metrics(dialog->font());
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = metrics.horizontalAdvance(letters) / letters.size();
    m_baseY = metrics.height();
}

int DialogUnits::x(int units) const { return static_cast<int>(std::lround(units * m_baseX / 4.0)); }
int DialogUnits::y(int units) const { return static_cast<int>(std::lround(units * m_baseY / 8.0)); }

QRect DialogUnits::rect(int left, int top, int width, int height) const
{
    return QRect(x(left), y(top), x(width), y(height));
}

QSize DialogUnits::size(int width, int height) const { return QSize(x(width), y(height)); }

EdgeAnchors::EdgeAnchors(QWidget* dialog, const QSize& templateSize)
    : QObject(dialog), m_dialog(dialog), m_template(templateSize)
{
    dialog->resize(templateSize);
    dialog->installEventFilter(this);
}

void EdgeAnchors::add(QWidget* control, const QRect& templateRect, Rule rule)
{
    Anchor anchor{control, rule, templateRect, 0, 0};
    if (rule == Stretch) {
        anchor.right = m_template.width() - (templateRect.x() + templateRect.width());
        anchor.bottom = m_template.height() - (templateRect.y() + templateRect.height());
    } else {
        anchor.right = m_template.width() - templateRect.x();
        anchor.bottom = m_template.height() - templateRect.y();
    }
    control->setGeometry(templateRect);
    m_anchors.push_back(anchor);
    apply(m_dialog->size());
}

bool EdgeAnchors::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dialog && event->type() == QEvent::Resize)
        apply(static_cast<QResizeEvent*>(event)->size());
    return QObject::eventFilter(watched, event);
}

void EdgeAnchors::apply(const QSize& client)
{
    for (const Anchor& anchor : m_anchors) {
        if (!anchor.control)
            continue; // only controls that still exist
        switch (anchor.rule) {
        case Stretch:
            anchor.control->setGeometry(anchor.rect.x(), anchor.rect.y(),
                                        std::max(0, client.width() - anchor.right - anchor.rect.x()),
                                        std::max(0, client.height() - anchor.bottom - anchor.rect.y()));
            break;
        case MoveRightBottom:
            anchor.control->move(client.width() - anchor.right, client.height() - anchor.bottom);
            break;
        case MoveBottom: anchor.control->move(anchor.rect.x(), client.height() - anchor.bottom); break;
        case Fixed: break;
        }
    }
}
