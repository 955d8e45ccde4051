#include "widgets/controls/PositionedItems.h"

#include <algorithm>

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

#include "widgets/controls/SortedItems.h"

namespace PositionedItems {

int PositionAt(const QComboBox* combo, int index)
{
    return index < 0 || index >= combo->count() ? -1 : combo->itemData(index).toInt();
}

int PositionAt(const QListWidget* list, int index)
{
    const QListWidgetItem* item = list->item(index);
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void RemoveErased(QComboBox* combo, int index, int position)
{
    const QSignalBlocker blocker(combo);
    combo->removeItem(index);
    for (int i = 0; i < combo->count(); ++i)
        if (const int data = combo->itemData(i).toInt(); data > position)
            combo->setItemData(i, data - 1);
    combo->setCurrentIndex(-1);
}

void RemoveErased(QListWidget* list, int index, int position)
{
    const QSignalBlocker blocker(list);
    delete list->takeItem(index);
    for (int i = 0; i < list->count(); ++i)
        if (const int data = list->item(i)->data(Qt::UserRole).toInt(); data > position)
            list->item(i)->setData(Qt::UserRole, data - 1);
    SortedItems::selectQuietly(list, -1);
}

void Rename(QComboBox* combo, int index, const QString& text)
{
    const QSignalBlocker blocker(combo);
    combo->setItemText(index, text);
}

void Rename(QListWidget* list, int index, const QString& text)
{
    const QSignalBlocker blocker(list);
    if (QListWidgetItem* item = list->item(index))
        item->setText(text);
}

void SwapRows(QListWidget* list, int upper)
{
    const int lower = upper + 1;
    QListWidgetItem* top = list->item(upper);
    QListWidgetItem* bottom = list->item(lower);
    if (!top || !bottom)
        return;
    const QSignalBlocker blocker(list);
    const QString text = top->text();
    top->setText(bottom->text());
    bottom->setText(text);
    const int selected = SortedItems::selectedRow(list);
    if (selected == upper)
        list->setCurrentRow(lower);
    else if (selected == lower)
        list->setCurrentRow(upper);
}

int UpperOfMove(const QListWidget* list, int step)
{
    const int row = SortedItems::selectedRow(list);
    const int other = row + step;
    if (row < 0 || other < 0 || other >= list->count())
        return -1;
    return std::min(row, other);
}

} // namespace PositionedItems
