#include "editors/schemas/FieldDefinitionDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "widgets/controls/EditorNames.h"
#include "widgets/controls/SortedItems.h"
#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/DialogButtons.h"

CFieldDefinition::CFieldDefinition(const ORBAX_Logging::FieldDefinition& field, QWidget* parent)
    : DdxDialog(205, parent), kind(field.kind), description(field.name)
{
    setWindowTitle(QStringLiteral("Field Details"));
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("id1251"));
    for (std::int32_t k = ORBAX_Logging::BOTTOM; k <= ORBAX_Logging::TOP; ++k)
        SortedItems::addSorted(m_kind, QString::fromStdWString(ORBAX_Logging::fieldKindKeyword(k)), k);
    m_kind->setCurrentIndex(-1);
    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("id1201"));
    m_description->setMinimumWidth(260);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Field &type:"), m_kind);
    form->addRow(QStringLiteral("&Description:"), m_description);
    const DialogButtonRow buttons =
        OkCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("Help"), [this] { OnHelp(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.layout);
}

void CFieldDefinition::exchange(bool save)
{
    if (!save)
        m_kind->setCurrentIndex(SortedItems::findData(m_kind, kind));
    else if (m_kind->currentIndex() >= 0)
        kind = m_kind->currentData().toInt();
    Ddx::Text(save, m_description, description);
    // Any description may be given, the empty one too, but only as text the file can hold: it is
    // written in double quotes.
    if (save && !description.empty()) {
        const std::wstring refusal = EditorNames::Refusal(description, {}, 0);
        if (!refusal.empty())
            throw Ddx::Refusal(m_description, refusal);
    }
}
