#pragma once
// The records of an edited table listed by name in a sorted combo box, each item carrying its
// record's position in the table (Qt::UserRole): the Add, Rename and Delete that the pattern editors
// and the hatch list editor share, only the messages of the name prompt differing. A name is refused
// when the table holds it already, ignoring case, the renamed record's own name included. Items
// change without the notifications a user's choice sends.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "widgets/controls/EditorNames.h"

class QComboBox;
class QWidget;

class NamedRecordCombo {
public:
    // `records` (records with a `name`) and `combo` outlive this; `make` builds a new record from its name.
    template <class Record, class Make>
    NamedRecordCombo(std::vector<Record>& records, QComboBox* combo, const EditorNames::NamePrompt& prompt, Make make)
        : m_combo(combo), m_prompt(prompt), m_count([&records] { return static_cast<int>(records.size()); }),
          m_names([&records] { return EditorNames::NamesOf(records); }),
          m_append([&records, make](const std::wstring& name) { records.push_back(make(name)); }),
          m_rename([&records](int position, const std::wstring& name) {
              records[static_cast<std::size_t>(position)].name = name;
          }),
          m_erase([&records](int position) { records.erase(records.begin() + position); })
    {
    }

    // Lists every record that has a name (positions still count the others) and selects the first item.
    void Fill() const;
    int RecordCount() const { return m_count(); }
    // The position the selected item carries; -1 without a selection.
    int Selected() const;

    // Asks for the name of a new record, starting with `proposal`; a name accepted becomes a record
    // at the end of the table, listed at its sorted place and selected. Its position; -1 when the
    // prompt was cancelled or the name refused.
    int Add(QWidget* parent, const std::wstring& proposal);
    // For a name asked some other way: true with `name` the name to store; a refusal is shown.
    bool AcceptName(QWidget* parent, std::wstring& name) const;
    // Lists the record last appended to the table at its sorted place and selects it; its position.
    int ListLast();
    // Asks for a new name of the selected record; a name accepted is stored and the item takes it
    // where it stands. The record's position; -1 without a selection, or when nothing changed.
    int Rename(QWidget* parent);
    // Deletes the selected record without asking: its item goes, the items of the records after it
    // move down by one and nothing is left selected. The position it had; -1 without a selection.
    int Delete();

private:
    QComboBox* m_combo;
    EditorNames::NamePrompt m_prompt;
    std::function<int()> m_count;
    std::function<std::vector<std::wstring>()> m_names;
    std::function<void(const std::wstring&)> m_append;
    std::function<void(int, const std::wstring&)> m_rename;
    std::function<void(int)> m_erase;
};
