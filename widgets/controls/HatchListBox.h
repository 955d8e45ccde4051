#pragma once
// The list of a hatch list's rock types: each item's wrapped text (in its own colour when it has
// one) with a swatch of its pattern drawn from the application's pattern tables at the right.
#include <string>

#include "widgets/controls/OwnerDrawListBox.h"

class CHatchListBox : public OwnerDrawListBox {
    Q_OBJECT
public:
    // The tables are the application's and must outlive the list.
    CHatchListBox(const VectorTable* vectors, const BitmapTable* bitmaps, const InbuiltTable* inbuilts,
                  QWidget* parent = nullptr);

    // Gives the item the pattern its swatch shows. The first call fixes the swatch width at a third
    // of the list's width as it is then; later resizing does not change it.
    void SetItemHatch(int index, const std::wstring& patternName, int kind);
    std::wstring ItemPatternName(int index) const;
    int ItemPatternKind(int index) const;

    int swatchWidth() const { return m_swatchWidth; }

private:
    int m_swatchWidth = -1;
};
