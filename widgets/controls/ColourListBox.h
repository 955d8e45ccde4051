#pragma once
// A list of names, each in its own text colour when it has one (a schema that does not validate is
// listed in red).
#include "widgets/controls/OwnerDrawListBox.h"

class CColourListBox : public OwnerDrawListBox {
    Q_OBJECT
public:
    explicit CColourListBox(QWidget* parent = nullptr)
        : OwnerDrawListBox(OwnerDrawDelegate::ColourText, parent, {}, nullptr)
    {
    }
};
