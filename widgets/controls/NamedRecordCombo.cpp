#include "widgets/controls/NamedRecordCombo.h"

#include <QComboBox>

#include "widgets/controls/PositionedItems.h"
#include "widgets/controls/SortedItems.h"

void NamedRecordCombo::Fill() const
{
    const std::vector<std::wstring> names = m_names();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!names[i].empty())
            SortedItems::addSorted(m_combo, QString::fromStdWString(names[i]), static_cast<int>(i));
    SortedItems::selectQuietly(m_combo, m_combo->count() > 0 ? 0 : -1);
}

int NamedRecordCombo::Selected() const
{
    const int item = m_combo->currentIndex();
    if (item < 0)
        return -1;
    const int position = m_combo->itemData(item).toInt();
    return position >= 0 && position < RecordCount() ? position : -1;
}

int NamedRecordCombo::Add(QWidget* parent, const std::wstring& proposal)
{
    std::wstring name = proposal;
    if (!EditorNames::AskNewName(parent, name, m_prompt, m_names()))
        return -1;
    m_append(name);
    return ListLast();
}

bool NamedRecordCombo::AcceptName(QWidget* parent, std::wstring& name) const
{
    return EditorNames::AcceptName(parent, name, m_names(), m_prompt.duplicateMessage, m_prompt.kind);
}

int NamedRecordCombo::ListLast()
{
    const int position = RecordCount() - 1;
    const std::wstring name = m_names().back();
    SortedItems::selectQuietly(m_combo, SortedItems::addSorted(m_combo, QString::fromStdWString(name), position));
    return position;
}

int NamedRecordCombo::Rename(QWidget* parent)
{
    const int item = m_combo->currentIndex();
    const int position = Selected();
    if (position < 0)
        return -1;
    const std::vector<std::wstring> names = m_names();
    std::wstring name = names[static_cast<std::size_t>(position)];
    if (!EditorNames::AskNewName(parent, name, m_prompt, names))
        return -1;
    m_rename(position, name);
    PositionedItems::Rename(m_combo, item, QString::fromStdWString(name));
    return position;
}

int NamedRecordCombo::Delete()
{
    const int item = m_combo->currentIndex();
    const int position = Selected();
    if (position < 0)
        return -1;
    m_erase(position);
    PositionedItems::RemoveErased(m_combo, item, position);
    return position;
}
