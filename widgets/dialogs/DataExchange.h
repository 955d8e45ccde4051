#pragma once
// Moving values between a dialog's controls and the variables it edits, in both directions. Loading
// (save false) writes each value into its control; saving reads the control back and refuses text that
// is not a value of the variable's type: the refusal names the control and the text to show, and the
// dialog that ran the exchange shows it, puts the focus back in the control and stays open.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace Ddx {

// Thrown by a saving exchange that cannot accept a control's text.
class Refusal : public std::runtime_error {
public:
    Refusal(QWidget* control, const std::wstring& text);
    QWidget* control() const { return m_control; }
    const std::wstring& text() const { return m_text; }

private:
    QWidget* m_control;
    std::wstring m_text;
};

// Runs an exchange for the window `owner`: a refusal is shown in a message box, the focus goes back to
// the refused control, and the result is false; so is any other failure, shown with its text.
bool Run(QWidget* owner, const std::function<void()>& exchange);

// The messages with which the exchanges refuse bad input.
constexpr int IntegerRefusal = 61712;  // "Please enter an integer."
constexpr int NumberRefusal = 61713;   // "Please enter a number."
constexpr int UnsignedRefusal = 61719; // "Please enter a positive integer."

// Every text is accepted.
void Text(bool save, QLineEdit* edit, std::wstring& value);
// A file name, kept as the name it is (one that is not UTF-8 among them); a name that would stand for
// another file (see PromptedFileName) is refused.
void FileName(bool save, QLineEdit* edit, std::wstring& value);
// A signed decimal integer with blanks around it; anything else, or a value out of range, is refused.
void Text(bool save, QLineEdit* edit, int& value);
// Digits only (blanks around them allowed); a sign or any other text is refused.
void Text(bool save, QLineEdit* edit, unsigned& value);
// A decimal number with blanks around it, shown with 15 significant digits; other text is refused.
void Text(bool save, QLineEdit* edit, double& value);
// A number given as text (the refusing rules above); false with nothing stored when it is refused.
bool ParseInteger(const std::wstring& text, int& value);
bool ParseUnsigned(const std::wstring& text, unsigned& value);
bool ParseNumber(const std::wstring& text, double& value);

// A check box: 0 clear, 1 set.
void Check(bool save, QAbstractButton* box, bool& value);
void Check(bool save, QAbstractButton* box, int& value);
// A group of radio buttons numbered from 0 by their ids: loading -1 (or any number without a button)
// clears them all; saving gives the id of the one set, -1 when none is.
void Radio(bool save, QButtonGroup* group, int& value);
// A list's multiple selection, one flag per line: loading selects line i when flag i is set (for i
// below the number of flags); saving gives one flag per line.
void ListSelection(bool save, QListWidget* list, std::vector<bool>& selected);
// The index of a combo box's entry: loading -1 (or an index beyond the entries) selects none; saving
// leaves the value alone while no entry is selected.
void ComboIndex(bool save, QComboBox* combo, int& value);

} // namespace Ddx
