#include "app/dialogs/ValuePrompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/dialogs/DialogUnits.h"

ValuePrompt::ValuePrompt(int resource, const Geometry& geometry, std::wstring caption, std::wstring prompt,
                         std::wstring helpTopic, QWidget* parent)
    : DdxDialog(resource, parent), m_caption(std::move(caption)), m_promptText(std::move(prompt))
{
    setHelpTopic(helpTopic);
    DialogUnits units(this);
    m_prompt = new QLabel(this);
    m_prompt->setGeometry(units.rect(geometry.promptX, 9, geometry.promptWidth, 8));
    m_prompt->setTextFormat(Qt::PlainText);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("id1176"));
    m_edit->setGeometry(units.rect(geometry.editX, 7, geometry.editWidth, 12));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("id1"));
    ok->setGeometry(units.rect(66, 32, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("id2"));
    cancel->setGeometry(units.rect(120, 32, 50, 14));
    cancel->setAutoDefault(false);
    m_help = new QPushButton(QStringLiteral("&Help"), this);
    m_help->setObjectName(QStringLiteral("id57670"));
    m_help->setGeometry(units.rect(174, 32, 50, 14));
    m_help->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connectHelp(m_help);

    // The prompt and the edit may need more room than the template gives in this font.
    m_prompt->setMinimumHeight(m_prompt->sizeHint().height());
    setFixedSize(units.size(228, 50));
}

bool ValuePrompt::OnInitDialog()
{
    if (!DdxDialog::OnInitDialog())
        return false;
    setWindowTitle(QString::fromStdWString(m_caption));
    m_prompt->setText(QString::fromStdWString(m_promptText));
    m_edit->setFocus();
    m_edit->selectAll();
    return true;
}
