#pragma once
// The next sample number to give (dialog 159), beside the range of the borehole's sample numbers.
#include <string>

#include "widgets/dialogs/DdxDialog.h"

class QLineEdit;

class CSampleNumber : public DdxDialog {
    Q_OBJECT
public:
    CSampleNumber(const std::wstring& next, const std::wstring& rangeStart, const std::wstring& rangeEnd,
                  QWidget* parent = nullptr);

    // The value; after OK the user's (every text is accepted).
    std::wstring nextValue;
    std::wstring rangeStart;
    std::wstring rangeEnd;

protected:
    bool OnInitDialog() override;
    void exchange(bool save) override;

private:
    QLineEdit* m_start;
    QLineEdit* m_end;
    QLineEdit* m_next;
};
