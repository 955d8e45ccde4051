#include "widgets/controls/ColourComboBox.h"

CColourComboBox::CColourComboBox(QWidget* parent)
    : OwnerDrawComboBox(OwnerDrawDelegate::ColourText, parent, HatchTables(), nullptr)
{
    // The closed field is as tall as a line of text measured as the items are.
    const int fieldHeight = m_delegate->measure(QStringLiteral("TestString"), font(), 1000).height();
    setMinimumHeight(std::max(minimumSizeHint().height(), fieldHeight));
}
