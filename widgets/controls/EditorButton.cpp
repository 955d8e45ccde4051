#include "widgets/controls/EditorButton.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

QPushButton* EditorButton(const QString& text, int id, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
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

QHBoxLayout* OkCancelHelpRow(QDialog* dialog, std::function<void()> onHelp)
{
    auto* ok = EditorButton(QStringLiteral("&OK"), 1, dialog);
    ok->setDefault(true);
    auto* cancel = EditorButton(QStringLiteral("Cancel"), 2, dialog);
    auto* help = EditorButton(QStringLiteral("Help"), 57670, dialog);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(help, &QPushButton::clicked, dialog, onHelp);
    QObject::connect(new QShortcut(QKeySequence::HelpContents, dialog), &QShortcut::activated, dialog,
                     std::move(onHelp));
    return ButtonRow({ok, cancel, help});
}
