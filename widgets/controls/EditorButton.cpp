#include "widgets/controls/EditorButton.h"

#include <QHBoxLayout>
#include <QPushButton>

QPushButton* EditorButton(const char* text, int id, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QStringLiteral("id%1").arg(id));
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QWidget* button : buttons)
        row->addWidget(button);
    return row;
}
