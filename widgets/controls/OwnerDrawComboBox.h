#pragma once
// The drop-down list under the owner-drawn colour and hatch combo boxes: its drop-down items and its
// closed field are drawn by the owner-drawn delegate. Each item carries the caller's value; a sorted
// combo places added items in case-insensitive order, while inserted items stay where put. Changes
// made from code send no notification: only the user's choice does (`activated`).
#include <cstdint>

#include <QComboBox>

#include "widgets/controls/OwnerDrawDelegate.h"

class OwnerDrawComboBox : public QComboBox {
    Q_OBJECT
public:
    using Argb = std::uint32_t;

    // Adds the item at its sorted place when the combo is sorted, else at the end; returns its index.
    int AddString(const QString& text, int data);
    // Inserts the item at `index` (the end when out of range) whatever the sorting.
    int InsertString(int index, const QString& text, int data);
    void ReleaseItem(int index);
    // Deletes every item and leaves nothing selected.
    void ResetContent();

    int ItemData(int index) const;
    void SetItemData(int index, int data);

    // The item's own text colour (ARGB, alpha not drawn); the hatch combo draws no own colour.
    void SetItemColour(int index, Argb colour);
    void ClearItemColour(int index);
    bool HasItemColour(int index) const;
    Argb ItemColour(int index) const;

    int GetCurSel() const { return currentIndex(); }
    void SetCurSel(int index);

    void setSorted(bool sorted) { m_sorted = sorted; }

protected:
    OwnerDrawComboBox(OwnerDrawDelegate::Style style, QWidget* parent, const HatchTables& tables,
                      const int* swatchWidth);
    void paintEvent(QPaintEvent* event) override;

    OwnerDrawDelegate* m_delegate;
    bool m_sorted = false;
};
