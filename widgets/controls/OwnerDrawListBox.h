#pragma once
// The list box under the owner-drawn colour and hatch lists: items whose height follows their text
// wrapped at the list's width, each carrying the caller's value and, once set, a text colour of its
// own. A sorted list places added items in case-insensitive order; inserted items stay where put.
#include <cstdint>

#include <QListWidget>

#include "widgets/controls/OwnerDrawDelegate.h"

class OwnerDrawListBox : public QListWidget {
    Q_OBJECT
public:
    using Argb = std::uint32_t;

    // Adds the item at its sorted place when the list is sorted, else at the end, with `data` as the
    // caller's value and no colour of its own; returns its index.
    int AddString(const QString& text, int data);
    // Inserts the item at `index` (the end when out of range) whatever the sorting.
    int InsertString(int index, const QString& text, int data);
    // Deletes the item at `index`; the caller renumbers what its values refer to.
    void ReleaseItem(int index);
    // Deletes every item.
    void ResetContent();

    // The caller's value of the item; -1 when there is no such item.
    int ItemData(int index) const;
    void SetItemData(int index, int data);

    // The item's own text colour (ARGB; the alpha is not drawn), which wins over the normal and the
    // highlighted text colours.
    void SetItemColour(int index, Argb colour);
    void ClearItemColour(int index);
    bool HasItemColour(int index) const;
    Argb ItemColour(int index) const;

    // The selected item's index, -1 when none; selecting from code sends no notification.
    int GetCurSel() const;
    void SetCurSel(int index);

    void setSorted(bool sorted) { m_sorted = sorted; }

protected:
    OwnerDrawListBox(OwnerDrawDelegate::Style style, QWidget* parent, const HatchTables& tables,
                     const int* swatchWidth);

    OwnerDrawDelegate* m_delegate;
    bool m_sorted = false;
};
