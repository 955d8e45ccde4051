#include "widgets/controls/UpDownControl.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

UpDownControl::UpDownControl(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_buddy(buddy), m_minimum(minimum), m_maximum(maximum), m_up(new QToolButton(this)),
      m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(18, 11);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
    m_buddy->installEventFilter(this);
}

void UpDownControl::step(int steps)
{
    bool ok = false;
    int value = m_buddy->text().trimmed().toInt(&ok);
    if (!ok)
        value = m_minimum - (steps > 0 ? 1 : 0);
    value = std::max(m_minimum, std::min(m_maximum, value + steps));
    m_buddy->setText(QString::number(value));
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownControl::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        m_up->setEnabled(isEnabled());
        m_down->setEnabled(isEnabled());
    }
}
