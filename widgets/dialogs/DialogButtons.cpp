#include "widgets/dialogs/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

namespace {

QPushButton* button(const QString& text, int id, QDialog* dialog)
{
    auto* made = new QPushButton(text, dialog);
    made->setObjectName(QStringLiteral("id%1").arg(id));
    return made;
}

} // namespace

DialogButtonRow OkCancelButtons(QDialog* dialog, const QString& okText, const QString& helpText,
                                const std::function<void()>& onHelp)
{
    DialogButtonRow row;
    row.ok = button(okText, 1, dialog);
    row.ok->setDefault(true);
    row.cancel = button(QStringLiteral("Cancel"), 2, dialog);
    QObject::connect(row.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(row.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row.layout = new QHBoxLayout;
    row.layout->addStretch(1);
    row.layout->addWidget(row.ok);
    row.layout->addWidget(row.cancel);
    if (!helpText.isEmpty()) {
        row.help = button(helpText, 57670, dialog);
        if (onHelp)
            QObject::connect(row.help, &QPushButton::clicked, dialog, onHelp);
        row.layout->addWidget(row.help);
    }
    return row;
}

void AddHelpKey(QDialog* dialog, const std::function<void()>& onHelp)
{
    QObject::connect(new QShortcut(QKeySequence::HelpContents, dialog), &QShortcut::activated, dialog, onHelp);
}
