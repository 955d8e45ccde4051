#include "widgets/dialogs/SortedLists.h"

#include <QComboBox>
#include <QListWidget>

#include "core/model/NoCaseCompare.h"

int addSorted(QListWidget* list, const std::wstring& text, const QVariant& data)
{
    const NoCaseCompare compare;
    int row = 0;
    while (row < list->count() && compare.Compare(list->item(row)->text().toStdWString(), text) <= 0)
        ++row;
    auto* item = new QListWidgetItem(QString::fromStdWString(text));
    item->setData(Qt::UserRole, data);
    list->insertItem(row, item);
    return row;
}

int addSorted(QComboBox* combo, const std::wstring& text, const QVariant& data)
{
    const NoCaseCompare compare;
    int row = 0;
    while (row < combo->count() && compare.Compare(combo->itemText(row).toStdWString(), text) <= 0)
        ++row;
    combo->insertItem(row, QString::fromStdWString(text), data);
    return row;
}

int findData(const QListWidget* list, const QVariant& data)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(Qt::UserRole) == data)
            return row;
    return -1;
}
