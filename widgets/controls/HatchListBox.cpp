#include "widgets/controls/HatchListBox.h"

#include "widgets/controls/ItemRoles.h"

CHatchListBox::CHatchListBox(const VectorTable* vectors, const BitmapTable* bitmaps, const InbuiltTable* inbuilts,
                             QWidget* parent)
    : OwnerDrawListBox(OwnerDrawDelegate::HatchList, parent, HatchTables{vectors, bitmaps, inbuilts}, &m_swatchWidth)
{
    setObjectName(QStringLiteral("id1273"));
}

void CHatchListBox::SetItemHatch(int index, const std::wstring& patternName, int kind)
{
    if (QListWidgetItem* entry = item(index)) {
        entry->setData(ItemRole::PatternName, QString::fromStdWString(patternName));
        entry->setData(ItemRole::PatternKind, kind);
    }
    if (m_swatchWidth < 0) {
        // A list not yet shown has not laid out its viewport: its frame's inside is the width it
        // will show at.
        const int clientWidth = isVisible() ? viewport()->width() : contentsRect().width();
        m_swatchWidth = clientWidth / 3;
    }
    viewport()->update();
}

std::wstring CHatchListBox::ItemPatternName(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->data(ItemRole::PatternName).toString().toStdWString() : std::wstring();
}

int CHatchListBox::ItemPatternKind(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->data(ItemRole::PatternKind).toInt() : -1;
}
