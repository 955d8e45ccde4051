#include "widgets/controls/HatchComboBox.h"

#include "widgets/controls/ItemRoles.h"

CHatchComboBox::CHatchComboBox(const VectorTable* vectors, const BitmapTable* bitmaps, const InbuiltTable* inbuilts,
                               QWidget* parent)
    : OwnerDrawComboBox(OwnerDrawDelegate::HatchCombo, parent, HatchTables{vectors, bitmaps, inbuilts}, &m_swatchWidth)
{
}

void CHatchComboBox::SetItemHatch(int index, const std::wstring& patternName, int kind)
{
    if (index >= 0 && index < count()) {
        setItemData(index, QString::fromStdWString(patternName), ItemRole::PatternName);
        setItemData(index, kind, ItemRole::PatternKind);
    }
    if (m_swatchWidth < 0)
        m_swatchWidth = contentsRect().width() / 3;
    update();
}

std::wstring CHatchComboBox::ItemPatternName(int index) const
{
    if (index < 0 || index >= count())
        return std::wstring();
    return itemData(index, ItemRole::PatternName).toString().toStdWString();
}
