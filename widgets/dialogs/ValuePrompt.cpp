#include "widgets/dialogs/ValuePrompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "widgets/dialogs/DialogUnits.h"

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

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("id1"));
    m_ok->setGeometry(units.rect(66, 32, 50, 14));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("id2"));
    m_cancel->setGeometry(units.rect(120, 32, 50, 14));
    m_cancel->setAutoDefault(false);
    m_help = new QPushButton(QStringLiteral("&Help"), this);
    m_help->setObjectName(QStringLiteral("id57670"));
    m_help->setGeometry(units.rect(174, 32, 50, 14));
    m_help->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
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
    FitPrompt();
    m_edit->setFocus();
    m_edit->selectAll();
    return true;
}

void ValuePrompt::FitPrompt()
{
    // The template leaves the prompt a fixed width; a longer prompt widens the dialog by what it lacks,
    // the edit and the buttons keeping their places beside it and at the right. Two pixels more than
    // the font's measure keep the last letter whole where its drawing is rounded up.
    const int lacking = m_prompt->sizeHint().width() + 2 - m_prompt->width();
    if (lacking <= 0)
        return;
    m_prompt->resize(m_prompt->width() + lacking, m_prompt->height());
    for (QWidget* control : std::initializer_list<QWidget*>{m_edit, m_ok, m_cancel, m_help})
        control->move(control->x() + lacking, control->y());
    setFixedSize(width() + lacking, height());
}
