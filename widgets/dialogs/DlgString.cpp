#include "widgets/dialogs/DlgString.h"

#include "widgets/dialogs/DataExchange.h"

CDlgString::CDlgString(std::wstring value_, std::wstring caption, std::wstring prompt, std::wstring helpTopic,
                       QWidget* parent)
    : ValuePrompt(320, {14, 90, 111, 110}, std::move(caption), std::move(prompt), std::move(helpTopic), parent),
      value(std::move(value_))
{
}

void CDlgString::exchange(bool save) { Ddx::Text(save, edit(), value); }
