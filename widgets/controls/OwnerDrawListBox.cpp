#include "widgets/controls/OwnerDrawListBox.h"

#include <QSignalBlocker>

#include "widgets/controls/ItemRoles.h"
#include "widgets/controls/SortedItems.h"

OwnerDrawListBox::OwnerDrawListBox(OwnerDrawDelegate::Style style, QWidget* parent, const HatchTables& tables,
                                   const int* swatchWidth)
    : QListWidget(parent), m_delegate(new OwnerDrawDelegate(style, this, tables, swatchWidth))
{
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(false);
    // Item heights follow the width, so they are measured again whenever the list is resized.
    setResizeMode(QListView::Adjust);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

int OwnerDrawListBox::AddString(const QString& text, int data)
{
    if (m_sorted)
        return SortedItems::addSorted(this, text, data);
    return InsertString(count(), text, data);
}

int OwnerDrawListBox::InsertString(int index, const QString& text, int data)
{
    if (index < 0 || index > count())
        index = count();
    auto* item = new QListWidgetItem(text);
    item->setData(ItemRole::Data, data);
    const QSignalBlocker blocker(this);
    insertItem(index, item);
    return index;
}

void OwnerDrawListBox::ReleaseItem(int index)
{
    const QSignalBlocker blocker(this);
    delete takeItem(index);
}

void OwnerDrawListBox::ResetContent()
{
    const QSignalBlocker blocker(this);
    clear();
}

int OwnerDrawListBox::ItemData(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->data(ItemRole::Data).toInt() : -1;
}

void OwnerDrawListBox::SetItemData(int index, int data)
{
    if (QListWidgetItem* entry = item(index))
        entry->setData(ItemRole::Data, data);
}

void OwnerDrawListBox::SetItemColour(int index, Argb colour)
{
    if (QListWidgetItem* entry = item(index))
        entry->setData(ItemRole::OwnColour, static_cast<uint>(colour));
    viewport()->update();
}

void OwnerDrawListBox::ClearItemColour(int index)
{
    if (QListWidgetItem* entry = item(index))
        entry->setData(ItemRole::OwnColour, QVariant());
    viewport()->update();
}

bool OwnerDrawListBox::HasItemColour(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry && entry->data(ItemRole::OwnColour).isValid();
}

OwnerDrawListBox::Argb OwnerDrawListBox::ItemColour(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? static_cast<Argb>(entry->data(ItemRole::OwnColour).toUInt()) : 0;
}

int OwnerDrawListBox::GetCurSel() const
{
    const QListWidgetItem* entry = currentItem();
    return entry && entry->isSelected() ? row(entry) : -1;
}

void OwnerDrawListBox::SetCurSel(int index) { SortedItems::selectQuietly(this, index); }
