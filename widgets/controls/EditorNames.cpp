#include "widgets/controls/EditorNames.h"

#include "core/catalogue/Messages.h"
#include "core/model/NoCaseCompare.h"
#include "platform/Text.h"
#include "platform/services/Services.h"
#include "widgets/dialogs/DlgString.h"

namespace {

constexpr int EmptyNameMessage = 29101;
constexpr int ForbiddenCharacterMessage = 29102;
constexpr int ControlCharacterMessage = 29103;
constexpr int OutsideCodePageMessage = 29104;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

} // namespace

namespace EditorNames {

std::wstring Normalise(const std::wstring& typed, NameKind kind)
{
    if (kind != NameKind::RockType)
        return typed;
    std::size_t first = 0;
    std::size_t last = typed.size();
    while (first < last && IsBlank(typed[first]))
        ++first;
    while (last > first && IsBlank(typed[last - 1]))
        --last;
    return typed.substr(first, last - first);
}

std::wstring Refusal(const std::wstring& name, const std::vector<std::wstring>& existing, int duplicateMessage,
                     NameKind kind)
{
    if (name.empty())
        return ORBAX_Utilities::get_message_wide(EmptyNameMessage);
    // A double quote would end a quoted name early; in a rock type a comma splits it, braces end the
    // entry and "#" starts a comment. Control characters break lines in the file.
    const std::wstring forbidden = kind == NameKind::RockType ? L"\",{}#" : L"\"";
    for (wchar_t c : name) {
        if (c < 0x20 || c == 0x7F)
            return ORBAX_Utilities::get_message_wide(ControlCharacterMessage);
        if (forbidden.find(c) != std::wstring::npos)
            return ORBAX_Utilities::format_message1(ForbiddenCharacterMessage, std::wstring(1, c));
        char byte = 0;
        if (!ORBAX_Platform::unicode_to_cp1252(c, byte))
            return ORBAX_Utilities::format_message1(OutsideCodePageMessage, std::wstring(1, c));
    }
    const NoCaseCompare compare;
    for (const std::wstring& other : existing)
        if (compare.Equal(other, name))
            return ORBAX_Utilities::get_message_wide(duplicateMessage);
    return std::wstring();
}

bool AskName(QWidget* parent, std::wstring& name, int captionMessage, int promptMessage, const std::wstring& helpTopic)
{
    CDlgString prompt(name, ORBAX_Utilities::get_message_wide(captionMessage),
                      ORBAX_Utilities::get_message_wide(promptMessage), helpTopic, parent);
    if (prompt.DoModal() != QDialog::Accepted)
        return false;
    name = prompt.value;
    return true;
}

bool AcceptName(QWidget* parent, std::wstring& name, const std::vector<std::wstring>& existing, int duplicateMessage,
                NameKind kind)
{
    const std::wstring normalised = Normalise(name, kind);
    const std::wstring refusal = Refusal(normalised, existing, duplicateMessage, kind);
    if (!refusal.empty()) {
        ORBAX_Platform::showMessage(parent, refusal, ORBAX_Platform::MessageButtons::Ok,
                                    ORBAX_Platform::MessageIcon::Warning);
        return false;
    }
    name = normalised;
    return true;
}

bool AskNewName(QWidget* parent, std::wstring& name, const NamePrompt& prompt,
                const std::vector<std::wstring>& existing)
{
    return AskName(parent, name, prompt.captionMessage, prompt.promptMessage, prompt.helpTopic) &&
           AcceptName(parent, name, existing, prompt.duplicateMessage, prompt.kind);
}

} // namespace EditorNames
