#include "dialogs/LoadBoreHole.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/DialogButtons.h"

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
    const DialogButtonRow buttons = OkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(left);
    layout->addWidget(right);
    layout->addLayout(buttons.layout);
}

void LoadBoreHole::exchange(bool save) { Ddx::Radio(save, m_group, side); }
