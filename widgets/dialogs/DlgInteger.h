#pragma once
// Asks for one integer (dialog 309, "Get an integer"); text that is not an integer is refused.
#include <string>

#include "widgets/dialogs/ValuePrompt.h"

class CDlgInteger : public ValuePrompt {
    Q_OBJECT
public:
    CDlgInteger(int value, std::wstring caption, std::wstring prompt, std::wstring helpTopic,
                QWidget* parent = nullptr);

    // The value; after OK the user's.
    int value;

protected:
    void exchange(bool save) override;
};
