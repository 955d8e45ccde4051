#include "core/catalogue/StringTable.h"

#include <algorithm>

namespace ORBAX_Utilities {

StringTable::StringTable(const StringResource* entries, std::size_t count) : m_entries(entries, entries + count)
{
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const StringResource& a, const StringResource& b) { return a.id < b.id; });
}

bool StringTable::find(int id, const wchar_t*& text) const
{
    if (id < 0)
        return false;
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), id,
                               [](const StringResource& e, int value) { return e.id < value; });
    if (it != m_entries.end() && it->id == id) {
        text = it->text;
        return true;
    }
    const int blockStart = id / 16 * 16;
    auto first = std::lower_bound(m_entries.begin(), m_entries.end(), blockStart,
                                  [](const StringResource& e, int value) { return e.id < value; });
    if (first != m_entries.end() && first->id < blockStart + 16) {
        text = L"";
        return true;
    }
    return false;
}

} // namespace ORBAX_Utilities

namespace ORBAX_Utilities {

std::vector<int> StringTable::duplicate_ids() const
{
    std::vector<int> ids;
    for (std::size_t i = 1; i < m_entries.size(); ++i)
        if (m_entries[i].id == m_entries[i - 1].id && (ids.empty() || ids.back() != m_entries[i].id))
            ids.push_back(m_entries[i].id);
    return ids;
}

} // namespace ORBAX_Utilities
