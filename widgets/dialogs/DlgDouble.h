#pragma once
// Asks for one real number, shown in fixed notation with a given number of decimals (dialog 166).
#include <string>

#include "widgets/dialogs/ValuePrompt.h"

class CDlgDouble : public ValuePrompt {
    Q_OBJECT
public:
    CDlgDouble(double value, int decimals, std::wstring caption, std::wstring prompt, std::wstring helpTopic,
               QWidget* parent = nullptr);

    // The value; after OK the user's. Text from which no number can be read leaves it as it was.
    double value;

protected:
    void exchange(bool save) override;

private:
    int m_decimals;
};
