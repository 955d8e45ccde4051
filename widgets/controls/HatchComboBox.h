#pragma once
// A drop-down list of rock types, each with a swatch of its pattern drawn from the application's
// pattern tables; its items are two text lines tall.
#include <string>

#include "widgets/controls/OwnerDrawComboBox.h"

class CHatchComboBox : public OwnerDrawComboBox {
    Q_OBJECT
public:
    // The tables are the application's and must outlive the combo box.
    CHatchComboBox(const VectorTable* vectors, const BitmapTable* bitmaps, const InbuiltTable* inbuilts,
                   QWidget* parent = nullptr);

    // Gives the item the pattern its swatch shows; the first call fixes the swatch width at a third
    // of the combo box's width as it is then.
    void SetItemHatch(int index, const std::wstring& patternName, int kind);
    std::wstring ItemPatternName(int index) const;

    int swatchWidth() const { return m_swatchWidth; }

private:
    int m_swatchWidth = -1;
};
