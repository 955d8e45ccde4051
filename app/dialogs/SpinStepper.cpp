#include "app/dialogs/SpinStepper.h"

#include <algorithm>

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dialogs/DataExchange.h"

SpinStepper::SpinStepper(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_buddy(buddy), m_minimum(minimum), m_maximum(maximum)
{
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setAutoRepeat(true);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setAutoRepeat(true);
    for (QToolButton* button : {m_up, m_down}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedHeight(std::max(8, buddy->sizeHint().height() / 2));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

int SpinStepper::position() const
{
    int value = m_minimum;
    if (!Ddx::ParseInteger(m_buddy->text().toStdWString(), value))
        return m_minimum;
    return std::clamp(value, m_minimum, m_maximum);
}

void SpinStepper::stepBy(int steps)
{
    int next = std::clamp(position() + steps, m_minimum, m_maximum);
    m_buddy->setText(QString::number(next));
}
