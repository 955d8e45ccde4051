#include "widgets/dialogs/DlgDouble.h"

#include <algorithm>
#include <iomanip>
#include <sstream>

#include <QLineEdit>

CDlgDouble::CDlgDouble(double value_, int decimals, std::wstring caption, std::wstring prompt, std::wstring helpTopic,
                       QWidget* parent)
    : ValuePrompt(166, {14, 132, 151, 70}, std::move(caption), std::move(prompt), std::move(helpTopic), parent),
      value(value_), m_decimals(decimals)
{
}

void CDlgDouble::exchange(bool save)
{
    if (!save) {
        // The stream follows the global locale, whose numbers are the classic ones.
        std::wostringstream out;
        // The decimals come from the user's profile: no more than any depth can use, so that a
        // damaged value cannot ask the stream for billions of digits.
        out << std::fixed << std::setprecision(std::clamp(m_decimals, 0, 30)) << value;
        edit()->setText(QString::fromStdWString(out.str()));
        return;
    }
    // One number read from the start of the text: blanks before it are skipped and whatever follows
    // it is ignored. Text without a number keeps the value.
    std::wistringstream in(edit()->text().toStdWString());
    double read = 0.0;
    if (in >> read)
        value = read;
}
