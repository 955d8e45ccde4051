#include "widgets/dialogs/DdxDialog.h"

#include <QAbstractButton>
#include <QShortcut>

#include "platform/services/Services.h"
#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/HelpPages.h"

DdxDialog::DdxDialog(int resource, QWidget* parent) : QDialog(parent), m_resource(resource)
{
    setObjectName(QStringLiteral("dlg%1").arg(resource));
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &DdxDialog::OnHelp);
}

int DdxDialog::DoModal()
{
    if (!OnInitDialog())
        return QDialog::Rejected;
    return ORBAX_Platform::dialogs().run(*this);
}

bool DdxDialog::OnInitDialog() { return UpdateData(false); }

bool DdxDialog::UpdateData(bool save)
{
    return Ddx::Run(this, [this, save] { exchange(save); });
}

void DdxDialog::accept()
{
    if (UpdateData(true))
        QDialog::accept();
}

void DdxDialog::OnHelp()
{
    if (!m_helpTopic.empty())
        HelpPages::ShowTopic(this, m_helpTopic);
    else
        HelpPages::ShowContext(this, 0x20000u + static_cast<unsigned>(m_resource));
}

void DdxDialog::connectHelp(QAbstractButton* button)
{
    connect(button, &QAbstractButton::clicked, this, &DdxDialog::OnHelp);
}
