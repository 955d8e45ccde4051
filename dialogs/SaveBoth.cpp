#include "dialogs/SaveBoth.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/DialogButtons.h"

CSaveBoth::CSaveBoth(QWidget* parent) : DdxDialog(190, parent)
{
    setWindowTitle(QStringLiteral("QUOR_Log"));
    auto* text = new QLabel(
        QStringLiteral("There are unsaved changes to both boreholes.\n\nSelect boreholes to save before exiting:"),
        this);
    m_left = new QCheckBox(QStringLiteral("Save &left"), this);
    m_left->setObjectName(QStringLiteral("id1180"));
    m_right = new QCheckBox(QStringLiteral("Save &right"), this);
    m_right->setObjectName(QStringLiteral("id1181"));
    const DialogButtonRow buttons = OkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_left);
    layout->addWidget(m_right);
    layout->addLayout(buttons.layout);
}

void CSaveBoth::exchange(bool save)
{
    Ddx::Check(save, m_left, saveLeft);
    Ddx::Check(save, m_right, saveRight);
}
