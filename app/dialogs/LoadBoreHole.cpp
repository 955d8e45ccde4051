#include "app/dialogs/LoadBoreHole.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/DataExchange.h"

LoadBoreHole::LoadBoreHole(QWidget* parent) : DdxDialog(324, parent)
{
    setWindowTitle(QStringLiteral("Select Borehole Field"));
    auto* left = new QRadioButton(QStringLiteral("&Left Borehole Field"), this);
    left->setObjectName(QStringLiteral("id1042"));
    auto* right = new QRadioButton(QStringLiteral("&Right Borehole Field"), this);
    right->setObjectName(QStringLiteral("id1043"));
    m_group = new QButtonGroup(this);
    m_group->addButton(left, 0);
    m_group->addButton(right, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("id1"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("id2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(left);
    layout->addWidget(right);
    layout->addWidget(buttons);
}

void LoadBoreHole::exchange(bool save) { Ddx::Radio(save, m_group, side); }
