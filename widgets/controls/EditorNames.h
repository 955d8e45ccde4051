#pragma once
// The rule every configuration editor applies to a name the user has typed for a new or renamed
// record: it must not be empty, must not equal (ignoring case) the name of any record of the same
// kind, the renamed record included, and must be text the configuration file can hold and read back;
// and the same rule of characters for the name of a file the configuration keeps.
#include <string>
#include <vector>

class QWidget;

namespace EditorNames {

enum class NameKind {
    Record,  // patterns, hatch lists, schemas, sites, seams, plies: written quoted when needed
    RockType // rock types of a hatch list: written raw between braces and split at commas
};

// Messages that refuse a duplicate name, by kind of record.
enum DuplicateMessage {
    DuplicateSchema = 249,
    DuplicateRockType = 251,
    DuplicateVector = 252,
    DuplicateBitmap = 253,
    DuplicateHatchList = 254,
    DuplicateSite = 255,
    DuplicateSeam = 256,
    DuplicatePly = 257,
};

// The typed name as it will be stored: a rock type loses the blanks and tabs at its ends, which the
// file would not keep; any other name is taken as typed.
std::wstring Normalise(const std::wstring& typed, NameKind kind = NameKind::Record);

// The text that refuses `name` (already normalised), or an empty text when it may be used.
// `existing` holds the names of every record of the same kind.
std::wstring Refusal(const std::wstring& name, const std::vector<std::wstring>& existing, int duplicateMessage,
                     NameKind kind = NameKind::Record);

// The text that refuses the name of a file that the configuration file is to keep (a pattern's image
// file), or an empty text when the file can hold it and give it back as the same name: no double
// quote, no control character, every character one of code page 1252, and no byte that is not UTF-8.
std::wstring FileNameRefusal(const std::wstring& name);
// FileNameRefusal, a refusal shown in a message box with an OK button; true when the name can be kept.
bool AcceptFileName(QWidget* parent, const std::wstring& name);

// Asks for a name with the one-text prompt: `name` is the text it starts with and, after OK (true),
// the text typed, as typed. The caption and prompt are message numbers.
bool AskName(QWidget* parent, std::wstring& name, int captionMessage, int promptMessage, const std::wstring& helpTopic);

// Normalises `name` and checks it; a refusal is shown in a message box with an OK button and gives
// false. On true `name` holds the name to store.
bool AcceptName(QWidget* parent, std::wstring& name, const std::vector<std::wstring>& existing, int duplicateMessage,
                NameKind kind = NameKind::Record);

// What the name prompt of a kind of record shows, and the message that refuses a duplicate.
struct NamePrompt {
    int captionMessage;
    int promptMessage;
    const wchar_t* helpTopic;
    int duplicateMessage;
    NameKind kind = NameKind::Record;
};

// AskName, then AcceptName against `existing`: true with `name` the name to store.
bool AskNewName(QWidget* parent, std::wstring& name, const NamePrompt& prompt,
                const std::vector<std::wstring>& existing);

// The names of every record of a table, for the duplicate check.
template <class Record>
std::vector<std::wstring> NamesOf(const std::vector<Record>& records)
{
    std::vector<std::wstring> names;
    names.reserve(records.size());
    for (const Record& record : records)
        names.push_back(record.name);
    return names;
}

} // namespace EditorNames
