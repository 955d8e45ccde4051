#include "widgets/controls/EditorNames.h"

#include <string_view>

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
constexpr int FileNameCharacterMessage = 29105;
constexpr int FileNameControlMessage = 29106;
constexpr int FileNameNotUtf8Message = 29107;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// The first character of a text that the configuration file cannot hold as it is, and why.
enum class Flaw { None, Control, Forbidden, OutsideCodePage, NotUtf8 };
struct CharacterFlaw {
    Flaw flaw = Flaw::None;
    wchar_t character = 0;
};

// Control characters break lines in the file; `forbidden` ends or splits the text where it stands.
// The file is code page 1252 text, and a byte of a file name that is not UTF-8 would come back from it
// as another character.
CharacterFlaw FirstFlaw(const std::wstring& text, std::wstring_view forbidden)
{
    for (wchar_t c : text) {
        if (c < 0x20 || c == 0x7F)
            return {Flaw::Control, c};
        if (forbidden.find(c) != std::wstring_view::npos)
            return {Flaw::Forbidden, c};
        if (ORBAX_Platform::is_carried_byte(c))
            return {Flaw::NotUtf8, c};
        char byte = 0;
        if (!ORBAX_Platform::unicode_to_cp1252(c, byte))
            return {Flaw::OutsideCodePage, c};
    }
    return {};
}

// True for no refusal; a refusal is shown in a message box with an OK button.
bool NotRefused(QWidget* parent, const std::wstring& refusal)
{
    if (refusal.empty())
        return true;
    ORBAX_Platform::showMessage(parent, refusal, ORBAX_Platform::MessageButtons::Ok,
                                ORBAX_Platform::MessageIcon::Warning);
    return false;
}

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
    // entry and "#" starts a comment.
    const CharacterFlaw flaw = FirstFlaw(name, kind == NameKind::RockType ? L"\",{}#" : L"\"");
    switch (flaw.flaw) {
    case Flaw::None: break;
    case Flaw::Control: return ORBAX_Utilities::get_message_wide(ControlCharacterMessage);
    case Flaw::Forbidden:
        return ORBAX_Utilities::format_message1(ForbiddenCharacterMessage, std::wstring(1, flaw.character));
    case Flaw::OutsideCodePage:
    case Flaw::NotUtf8:
        return ORBAX_Utilities::format_message1(OutsideCodePageMessage, std::wstring(1, flaw.character));
    }
    const NoCaseCompare compare;
    for (const std::wstring& other : existing)
        if (compare.Equal(other, name))
            return ORBAX_Utilities::get_message_wide(duplicateMessage);
    return std::wstring();
}

std::wstring FileNameRefusal(const std::wstring& name)
{
    // The name stands between double quotes in the file.
    const CharacterFlaw flaw = FirstFlaw(name, L"\"");
    const std::wstring shown = ORBAX_Platform::shown_name(name);
    switch (flaw.flaw) {
    case Flaw::None: return std::wstring();
    case Flaw::Control: return ORBAX_Utilities::format_message1(FileNameControlMessage, shown);
    case Flaw::NotUtf8: return ORBAX_Utilities::format_message1(FileNameNotUtf8Message, shown);
    case Flaw::Forbidden:
    case Flaw::OutsideCodePage:
        return ORBAX_Utilities::format_message2(FileNameCharacterMessage, shown, std::wstring(1, flaw.character));
    }
    return std::wstring();
}

bool AcceptFileName(QWidget* parent, const std::wstring& name) { return NotRefused(parent, FileNameRefusal(name)); }

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
    if (!NotRefused(parent, Refusal(normalised, existing, duplicateMessage, kind)))
        return false;
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
