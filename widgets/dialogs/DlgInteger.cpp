#include "widgets/dialogs/DlgInteger.h"

#include "widgets/dialogs/DataExchange.h"

CDlgInteger::CDlgInteger(int value_, std::wstring caption, std::wstring prompt, std::wstring helpTopic, QWidget* parent)
    : ValuePrompt(309, {14, 132, 150, 70}, std::move(caption), std::move(prompt), std::move(helpTopic), parent),
      value(value_)
{
}

void CDlgInteger::exchange(bool save) { Ddx::Text(save, edit(), value); }
