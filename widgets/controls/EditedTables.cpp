#include "widgets/controls/EditedTables.h"

#include <map>

#include "core/model/NoCaseCompare.h"

namespace EditedTables {

namespace {

// The id the look-up by name finds in `before` (the first in id order whose name equals ignoring
// case), or 0.
template <class Table>
int IdNamed(const Table& before, const std::wstring& name, const NoCaseCompare& compare)
{
    for (const auto& record : before)
        if (compare.Equal(record.second.GetName(), name))
            return record.first;
    return 0;
}

template <class Table, class Pattern, class IsKind>
void FollowRenames(HatchListTable& hatchLists, const Table& before, const std::vector<Pattern>& after, IsKind isKind)
{
    const NoCaseCompare compare;
    // New names of the patterns that kept their id and changed their name.
    std::map<int, std::wstring> renamed;
    for (const Pattern& pattern : after) {
        if (pattern.id == 0)
            continue;
        auto old = before.find(pattern.id);
        if (old != before.end() && old->second.GetName() != pattern.GetName())
            renamed[pattern.id] = pattern.GetName();
    }
    if (renamed.empty())
        return;
    for (auto& item : hatchLists)
        for (HatchListEntry& entry : item.second.entries) {
            if (!isKind(entry.kind))
                continue;
            auto found = renamed.find(IdNamed(before, entry.patternName, compare));
            if (found != renamed.end())
                entry.patternName = found->second;
        }
}

} // namespace

void FollowBitmapRenames(HatchListTable& hatchLists, const BitmapTable& before, const std::vector<BitmapPattern>& after)
{
    FollowRenames(hatchLists, before, after, [](int kind) { return kind == HatchListEntry::Bitmap; });
}

void FollowVectorRenames(HatchListTable& hatchLists, const VectorTable& before, const std::vector<VectorPattern>& after)
{
    FollowRenames(hatchLists, before, after,
                  [](int kind) { return kind == HatchListEntry::Isovector || kind == HatchListEntry::Anivector; });
}

void ApplyBitmaps(ConfigurationTables& tables, const std::vector<BitmapPattern>& edited)
{
    FollowBitmapRenames(tables.hatchLists, tables.bitmaps, edited);
    Replace(tables.bitmaps, edited);
}

void ApplyVectors(ConfigurationTables& tables, const std::vector<VectorPattern>& edited)
{
    FollowVectorRenames(tables.hatchLists, tables.vectors, edited);
    Replace(tables.vectors, edited);
}

void ApplyHatchLists(ConfigurationTables& tables, const std::vector<HatchList>& edited)
{
    Replace(tables.hatchLists, edited);
}

} // namespace EditedTables
