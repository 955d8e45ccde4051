#include "widgets/controls/EditorButton.h"

#include <QPushButton>

#include "widgets/dialogs/DialogButtons.h"

QPushButton* EditorButton(const QString& text, int id, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QStringLiteral("id%1").arg(id));
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout* OkCancelHelpRow(QDialog* dialog, const std::function<void()>& onHelp)
{
    const DialogButtonRow row = OkCancelButtons(dialog, QStringLiteral("&OK"), QStringLiteral("Help"), onHelp);
    for (QPushButton* button : {row.ok, row.cancel, row.help})
        button->setAutoDefault(false);
    AddHelpKey(dialog, onHelp);
    return row.layout;
}
