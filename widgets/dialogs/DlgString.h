#pragma once
// Asks for one text (dialog 320, "Get a string"); every text is accepted, the empty one included.
#include <string>

#include "widgets/dialogs/ValuePrompt.h"

class CDlgString : public ValuePrompt {
    Q_OBJECT
public:
    CDlgString(std::wstring value, std::wstring caption, std::wstring prompt, std::wstring helpTopic,
               QWidget* parent = nullptr);

    // The text; after OK the user's.
    std::wstring value;

protected:
    void exchange(bool save) override;
};
