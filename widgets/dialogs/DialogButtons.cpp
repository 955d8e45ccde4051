#include "widgets/dialogs/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

QDialogButtonBox* OkCancelButtons(QDialog* dialog, const QString& okText)
{
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(okText, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("id1"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("id2"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QPushButton* AddHelpButton(QDialogButtonBox* buttons)
{
    QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("id57670"));
    return help;
}
