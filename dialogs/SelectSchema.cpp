#include "dialogs/SelectSchema.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/model/NoCaseCompare.h"
#include "widgets/dialogs/DialogButtons.h"
#include "widgets/dialogs/SortedLists.h"

CSelectSchema::CSelectSchema(const std::wstring& name_, const ORBAX_Logging::SchemaDefinitionList* schemas,
                             QWidget* parent)
    : DdxDialog(311, parent), name(name_), m_schemas(schemas)
{
    const NoCaseCompare compare;
    if (m_schemas)
        for (const auto& schema : *m_schemas)
            if (compare.Equal(schema->name, name))
                schemaId = schema->id;

    setWindowTitle(QStringLiteral("Select Schema"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("id1182"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* label = new QLabel(QStringLiteral("&Select schema to use:"), this);
    label->setBuddy(m_list);
    const DialogButtonRow buttons = OkCancelButtons(this, QStringLiteral("&OK"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons.layout);
}

bool CSelectSchema::OnInitDialog()
{
    m_list->clear();
    // Every schema, usable or not.
    if (m_schemas)
        for (const auto& schema : *m_schemas)
            addSorted(m_list, schema->name, QVariant(static_cast<qint64>(schema->id)));
    return DdxDialog::OnInitDialog();
}

void CSelectSchema::exchange(bool save)
{
    if (save) {
        QListWidgetItem* item = m_list->currentItem();
        if (item && item->isSelected())
            schemaId = static_cast<std::int32_t>(item->data(Qt::UserRole).toLongLong());
        return;
    }
    QSignalBlocker block(m_list);
    int row = findData(m_list, QVariant(static_cast<qint64>(schemaId)));
    m_list->setCurrentRow(row);
    if (row < 0)
        m_list->setCurrentItem(nullptr);
}
