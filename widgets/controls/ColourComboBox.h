#pragma once
// A drop-down list of names, each in its own text colour when it has one (a bitmap pattern whose
// image is incomplete is listed in red).
#include "widgets/controls/OwnerDrawComboBox.h"

class CColourComboBox : public OwnerDrawComboBox {
    Q_OBJECT
public:
    explicit CColourComboBox(QWidget* parent = nullptr);
};
