#include "dialogs/SchemaListExchange.h"

#include <QListWidget>
#include <QSignalBlocker>

#include "widgets/dialogs/SortedLists.h"

void FillValidSchemas(QListWidget* list, const ORBAX_Logging::SchemaDefinitionList* schemas)
{
    QSignalBlocker block(list);
    list->clear();
    if (!schemas)
        return;
    for (const auto& schema : *schemas) {
        const std::wstring name = schema->validName();
        if (!name.empty())
            addSorted(list, name, QVariant(static_cast<qint64>(schema->id)));
    }
}

void DDX_SchemaList(bool save, QListWidget* list, std::uint32_t& schemaId)
{
    if (save) {
        QListWidgetItem* item = list->currentItem();
        if (item && item->isSelected())
            schemaId = static_cast<std::uint32_t>(item->data(Qt::UserRole).toLongLong());
        return;
    }
    QSignalBlocker block(list);
    int row = findData(list, QVariant(static_cast<qint64>(schemaId)));
    list->clearSelection();
    list->setCurrentRow(row);
    if (row < 0)
        list->setCurrentItem(nullptr);
}

int SelectedSchemaFieldCount(const QListWidget* list, const ORBAX_Logging::SchemaDefinitionList* schemas)
{
    QListWidgetItem* item = list->currentItem();
    if (!item || !item->isSelected())
        return -1;
    const auto id = static_cast<std::int32_t>(item->data(Qt::UserRole).toLongLong());
    static const ORBAX_Logging::SchemaDefinitionList none;
    return static_cast<int>(ORBAX_Logging::findSchemaById(schemas ? *schemas : none, id)->fields.size());
}
