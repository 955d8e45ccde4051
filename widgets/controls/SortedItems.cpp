#include "widgets/controls/SortedItems.h"

#include <vector>

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

#include "core/model/NoCaseCompare.h"

namespace SortedItems {

namespace {

// The first index whose text sorts after `text`; `textAt` gives the text of an index.
template <class TextAt>
int SortedPlace(int count, const QString& text, TextAt textAt)
{
    const NoCaseCompare compare;
    const std::wstring wanted = text.toStdWString();
    // A walk rather than a binary search: items renamed in place may stand out of order, and the new
    // item still goes before the first item that sorts after it.
    for (int i = 0; i < count; ++i)
        if (compare.Compare(textAt(i).toStdWString(), wanted) > 0)
            return i;
    return count;
}

template <class TextAt>
int ExactOrPrefix(int count, const std::wstring& name, TextAt textAt)
{
    std::vector<std::wstring> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        names.push_back(textAt(i).toStdWString());
    return FindNameExactOrPrefix(names, name, [](const std::wstring& n) { return n; });
}

} // namespace

int addSorted(QComboBox* combo, const QString& text, const QVariant& data)
{
    const int index = SortedPlace(combo->count(), text, [combo](int i) { return combo->itemText(i); });
    const QSignalBlocker blocker(combo);
    combo->insertItem(index, text, data);
    return index;
}

int addSorted(QListWidget* list, const QString& text, const QVariant& data)
{
    const int index = SortedPlace(list->count(), text, [list](int i) { return list->item(i)->text(); });
    auto* item = new QListWidgetItem(text);
    if (data.isValid())
        item->setData(Qt::UserRole, data);
    const QSignalBlocker blocker(list);
    list->insertItem(index, item);
    return index;
}

int findData(const QComboBox* combo, int data)
{
    for (int i = 0; i < combo->count(); ++i) {
        const QVariant value = combo->itemData(i, Qt::UserRole);
        if (value.isValid() && value.toInt() == data)
            return i;
    }
    return -1;
}

int findData(const QListWidget* list, int data)
{
    for (int i = 0; i < list->count(); ++i) {
        const QVariant value = list->item(i)->data(Qt::UserRole);
        if (value.isValid() && value.toInt() == data)
            return i;
    }
    return -1;
}

int findExactOrPrefix(const QComboBox* combo, const std::wstring& name)
{
    return ExactOrPrefix(combo->count(), name, [combo](int i) { return combo->itemText(i); });
}

int findExactOrPrefix(const QListWidget* list, const std::wstring& name)
{
    return ExactOrPrefix(list->count(), name, [list](int i) { return list->item(i)->text(); });
}

void selectQuietly(QComboBox* combo, int index)
{
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index);
}

void selectQuietly(QListWidget* list, int index)
{
    const QSignalBlocker blocker(list);
    list->setCurrentRow(index);
    if (index < 0)
        list->clearSelection();
}

int selectedRow(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? list->row(item) : -1;
}

} // namespace SortedItems
