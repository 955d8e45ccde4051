#include "widgets/dialogs/SpinButton.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "widgets/dialogs/DataExchange.h"

SpinButton::SpinButton(QWidget* parent) : QWidget(parent)
{
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setAutoRepeat(true);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setAutoRepeat(true);
    for (QToolButton* button : {m_up, m_down}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedWidth(16);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
}

void SpinButton::setBuddy(QLineEdit* buddy)
{
    if (m_buddy)
        m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (buddy) {
        buddy->installEventFilter(this);
        // As tall as the edit it steps, the two arrows sharing the height.
        const int height = buddy->sizeHint().height();
        setFixedHeight(height);
        m_up->setFixedHeight(height / 2);
        m_down->setFixedHeight(height - height / 2);
    }
}

void SpinButton::setRange(int low, int high)
{
    m_low = std::min(low, high);
    m_high = std::max(low, high);
}

void SpinButton::step(int direction)
{
    auto* buddy = qobject_cast<QLineEdit*>(m_buddy.data());
    if (!buddy)
        return;
    int value = 0;
    if (!Ddx::ParseInteger(buddy->text().toStdWString(), value))
        value = direction > 0 ? m_low - 1 : m_high + 1;
    long next = static_cast<long>(value) + (direction > 0 ? 1 : -1);
    next = std::clamp<long>(next, m_low, m_high);
    buddy->setText(QString::number(next));
}

bool SpinButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_buddy.data() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
