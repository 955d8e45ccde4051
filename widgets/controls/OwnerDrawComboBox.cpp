#include "widgets/controls/OwnerDrawComboBox.h"

#include <QAbstractItemView>
#include <QSignalBlocker>
#include <QStylePainter>

#include "widgets/controls/ItemRoles.h"
#include "widgets/controls/SortedItems.h"

OwnerDrawComboBox::OwnerDrawComboBox(OwnerDrawDelegate::Style style, QWidget* parent, const HatchTables& tables,
                                     const int* swatchWidth)
    : QComboBox(parent), m_delegate(new OwnerDrawDelegate(style, this, tables, swatchWidth))
{
    setEditable(false);
    setItemDelegate(m_delegate);
    // Long names wrap in the drop-down list rather than widen it.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
}

int OwnerDrawComboBox::AddString(const QString& text, int data)
{
    if (m_sorted)
        return SortedItems::addSorted(this, text, data);
    return InsertString(count(), text, data);
}

int OwnerDrawComboBox::InsertString(int index, const QString& text, int data)
{
    if (index < 0 || index > count())
        index = count();
    const QSignalBlocker blocker(this);
    insertItem(index, text, data);
    return index;
}

void OwnerDrawComboBox::ReleaseItem(int index)
{
    const QSignalBlocker blocker(this);
    removeItem(index);
}

void OwnerDrawComboBox::ResetContent()
{
    const QSignalBlocker blocker(this);
    clear();
    setCurrentIndex(-1);
}

int OwnerDrawComboBox::ItemData(int index) const
{
    if (index < 0 || index >= count())
        return -1;
    return itemData(index, ItemRole::Data).toInt();
}

void OwnerDrawComboBox::SetItemData(int index, int data)
{
    if (index >= 0 && index < count())
        setItemData(index, data, ItemRole::Data);
}

void OwnerDrawComboBox::SetItemColour(int index, Argb colour)
{
    if (index >= 0 && index < count())
        setItemData(index, static_cast<uint>(colour), ItemRole::OwnColour);
    update();
}

void OwnerDrawComboBox::ClearItemColour(int index)
{
    if (index >= 0 && index < count())
        setItemData(index, QVariant(), ItemRole::OwnColour);
    update();
}

bool OwnerDrawComboBox::HasItemColour(int index) const
{
    return index >= 0 && index < count() && itemData(index, ItemRole::OwnColour).isValid();
}

OwnerDrawComboBox::Argb OwnerDrawComboBox::ItemColour(int index) const
{
    if (index < 0 || index >= count())
        return 0;
    return static_cast<Argb>(itemData(index, ItemRole::OwnColour).toUInt());
}

void OwnerDrawComboBox::SetCurSel(int index) { SortedItems::selectQuietly(this, index); }

void OwnerDrawComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const int current = currentIndex();
    if (current < 0)
        return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    // The closed field shows the chosen item highlighted while the combo has the focus.
    const bool selected = hasFocus();
    if (selected)
        painter.fillRect(field, palette().color(QPalette::Highlight));
    const QModelIndex index = model()->index(current, modelColumn(), rootModelIndex());
    // The item's text stands in the middle of the field's height, as in the list it drops down.
    QRect content = field;
    const int textHeight =
        fontMetrics()
            .boundingRect(field, Qt::TextWordWrap | Qt::TextExpandTabs, index.data(Qt::DisplayRole).toString())
            .height();
    if (textHeight > 0 && textHeight < field.height())
        content = QRect(field.x(), field.y() + (field.height() - textHeight) / 2, field.width(), textHeight);
    m_delegate->paintContent(&painter, content, index, font(), palette(), selected);
}
