#pragma once
// How to relabel a run of sample numbers (dialog 157): the current start value, the new one, the
// width its number is padded to (0 to 20, as its arrows give), and which parts of the original labels
// to keep.
#include <string>

#include "widgets/dialogs/DdxDialog.h"

class QCheckBox;
class QLineEdit;
class SpinButton;

class CRenumber : public DdxDialog {
    Q_OBJECT
public:
    // The current and the new start value both begin as the given prefix, number and postfix.
    CRenumber(const std::wstring& prefix, int number, const std::wstring& postfix, int width,
              QWidget* parent = nullptr);

    std::wstring currentPrefix;
    int currentNumber;
    std::wstring currentPostfix;
    std::wstring newPrefix;
    unsigned newNumber;
    std::wstring newPostfix;
    bool maintainOrder = true;
    int width;
    bool maintainPrefix = false;
    bool maintainNumber = false;
    bool maintainPostfix = false;

    // Enables the new parts that the "Maintain original" boxes do not keep.
    void UpdateControls();
    // The new number shown again, padded to the width the arrows stand at.
    void OnWidthChange();

protected:
    void exchange(bool save) override;

private:
    QLineEdit* m_currentPrefix;
    QLineEdit* m_currentNumber;
    QLineEdit* m_currentPostfix;
    QLineEdit* m_newPrefix;
    QLineEdit* m_newNumber;
    QLineEdit* m_newPostfix;
    QCheckBox* m_maintainPrefix;
    QCheckBox* m_maintainNumber;
    QCheckBox* m_maintainPostfix;
    QCheckBox* m_maintainOrder;
    QLineEdit* m_width;
    SpinButton* m_widthSpin;
};

// The number in decimal, padded on the left with "0" to the width; saving takes digits only (blanks
// around them allowed) and refuses anything else with "Please enter an integer.".
void DDX_PaddedNumber(bool save, QLineEdit* edit, int width, unsigned& value);
// The number padded with "0" to at least `width` digits.
std::wstring PaddedNumber(unsigned value, int width);
