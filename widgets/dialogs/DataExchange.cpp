#include "widgets/dialogs/DataExchange.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cwctype>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include "core/catalogue/Messages.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/services/QtNames.h"
#include "platform/services/Services.h"
#include "widgets/dialogs/PromptedName.h"

namespace Ddx {

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }

// The text without the blanks around it.
std::wstring trimmed(const std::wstring& text)
{
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first]))
        ++first;
    std::size_t last = text.size();
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool allDigits(const std::wstring& text)
{
    if (text.empty())
        return false;
    for (wchar_t c : text)
        if (c < L'0' || c > L'9')
            return false;
    return true;
}

std::wstring editText(QLineEdit* edit) { return edit->text().toStdWString(); }
void setEditText(QLineEdit* edit, const std::wstring& text) { edit->setText(QString::fromStdWString(text)); }

[[noreturn]] void refuse(QWidget* control, int message)
{
    throw Refusal(control, ORBAX_Utilities::get_message_wide(message));
}

} // namespace

Refusal::Refusal(QWidget* control, const std::wstring& text)
    : std::runtime_error(ORBAX_Platform::utf8_from_wide(text)), m_control(control), m_text(text)
{
}

bool Run(QWidget* owner, const std::function<void()>& exchange)
{
    try {
        exchange();
        return true;
    } catch (const Refusal& refusal) {
        ORBAX_Platform::showMessage(owner, refusal.text(), ORBAX_Platform::MessageButtons::Ok,
                                    ORBAX_Platform::MessageIcon::Warning);
        if (QWidget* control = refusal.control()) {
            control->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(control))
                edit->selectAll();
        }
    } catch (const std::exception& e) {
        ORBAX_Platform::showMessage(owner, ORBAX_Platform::wide_from_utf8(e.what()), ORBAX_Platform::MessageButtons::Ok,
                                    ORBAX_Platform::MessageIcon::Error);
    }
    return false;
}

bool ParseInteger(const std::wstring& text, int& value)
{
    std::wstring t = trimmed(text);
    bool negative = false;
    std::wstring digits = t;
    if (!t.empty() && (t[0] == L'-' || t[0] == L'+')) {
        negative = t[0] == L'-';
        digits = t.substr(1);
    }
    if (!allDigits(digits))
        return false;
    long long magnitude = 0;
    for (wchar_t c : digits) {
        magnitude = magnitude * 10 + (c - L'0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX || signedValue < INT_MIN)
        return false;
    value = static_cast<int>(signedValue);
    return true;
}

bool ParseUnsigned(const std::wstring& text, unsigned& value)
{
    std::wstring digits = trimmed(text);
    if (!allDigits(digits))
        return false;
    unsigned long long result = 0;
    for (wchar_t c : digits) {
        result = result * 10 + static_cast<unsigned>(c - L'0');
        if (result > UINT_MAX)
            return false;
    }
    value = static_cast<unsigned>(result);
    return true;
}

bool ParseNumber(const std::wstring& text, double& value)
{
    std::wstring t = trimmed(text);
    if (t.empty())
        return false;
    std::size_t consumed = 0;
    double parsed = ORBAX_Platform::parse_double(t, &consumed);
    if (consumed != t.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

void Text(bool save, QLineEdit* edit, std::wstring& value)
{
    if (save)
        value = editText(edit);
    else
        setEditText(edit, value);
}

void FileName(bool save, QLineEdit* edit, std::wstring& value)
{
    if (!save) {
        edit->setText(ORBAX_Platform::qt_from_name(value));
        return;
    }
    std::wstring name;
    std::wstring refusal;
    if (!PromptedFileName(edit->text(), name, refusal))
        throw Refusal(edit, refusal);
    value = name;
}

void Text(bool save, QLineEdit* edit, int& value)
{
    if (!save) {
        setEditText(edit, std::to_wstring(value));
        return;
    }
    if (!ParseInteger(editText(edit), value))
        refuse(edit, IntegerRefusal);
}

void Text(bool save, QLineEdit* edit, unsigned& value)
{
    if (!save) {
        setEditText(edit, std::to_wstring(value));
        return;
    }
    if (!ParseUnsigned(editText(edit), value))
        refuse(edit, UnsignedRefusal);
}

void Text(bool save, QLineEdit* edit, double& value)
{
    if (!save) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.15g", value);
        setEditText(edit, ORBAX_Platform::wide_from_utf8(buffer));
        return;
    }
    if (!ParseNumber(editText(edit), value))
        refuse(edit, NumberRefusal);
}

void Check(bool save, QAbstractButton* box, bool& value)
{
    if (save)
        value = box->isChecked();
    else
        box->setChecked(value);
}

void Check(bool save, QAbstractButton* box, int& value)
{
    if (save) {
        value = box->isChecked() ? 1 : 0;
    } else {
        box->setChecked(value != 0);
    }
}

void Radio(bool save, QButtonGroup* group, int& value)
{
    if (save) {
        value = group->checkedId();
        return;
    }
    QAbstractButton* chosen = group->button(value);
    if (chosen) {
        chosen->setChecked(true);
        return;
    }
    // An exclusive group cannot be cleared while it is exclusive.
    bool exclusive = group->exclusive();
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(exclusive);
}

void ListSelection(bool save, QListWidget* list, std::vector<bool>& selected)
{
    if (save) {
        selected.assign(static_cast<std::size_t>(list->count()), false);
        for (int i = 0; i < list->count(); ++i)
            selected[static_cast<std::size_t>(i)] = list->item(i)->isSelected();
        return;
    }
    QSignalBlocker block(list);
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setSelected(static_cast<std::size_t>(i) < selected.size() &&
                                   selected[static_cast<std::size_t>(i)]);
}

void ComboIndex(bool save, QComboBox* combo, int& value)
{
    if (save) {
        if (combo->currentIndex() >= 0)
            value = combo->currentIndex();
        return;
    }
    QSignalBlocker block(combo);
    combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
}

} // namespace Ddx
