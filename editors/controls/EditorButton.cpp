#include "editors/controls/EditorButton.h"

#include <QPushButton>

QPushButton* EditorButton(const char* text, int id, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QStringLiteral("id%1").arg(id));
    button->setAutoDefault(false);
    return button;
}
