#pragma once
// The configuration editors' common cycle: an editor copies one of the application's tables into a
// list of its own, in ascending id, and changes only that list; Cancel drops it. After OK the
// launcher puts the list back: the table is emptied (its id counter keeps its value) and each record
// is inserted in list order, a record with id 0 taking the next id and one with an id going back
// under it. The launcher then marks the configuration changed and runs the hatch-list re-check.
#include <vector>

#include "config/DBaseList.h"
#include "config/Quor_Log_Config.h"

namespace EditedTables {

template <class T>
std::vector<T> Copy(const ORBAX_Utilities::DBaseList<T>& table)
{
    std::vector<T> records;
    records.reserve(table.size());
    for (const auto& entry : table)
        records.push_back(entry.second);
    return records;
}

template <class T>
void Replace(ORBAX_Utilities::DBaseList<T>& table, const std::vector<T>& records)
{
    table.Clear();
    for (const T& record : records)
        table.Insert(record);
}

// Hatch-list entries name their pattern; when an editor renamed a pattern, the entries that named it
// (the first pattern of that name ignoring case, as the look-up finds it) are given the new name, so
// that the rock types keep their pattern in the file and at the next start.
void FollowBitmapRenames(HatchListTable& hatchLists, const BitmapTable& before,
                         const std::vector<BitmapPattern>& after);
void FollowVectorRenames(HatchListTable& hatchLists, const VectorTable& before,
                         const std::vector<VectorPattern>& after);

// The launcher's put-back for each editor: the hatch lists follow renamed patterns, then the table
// is replaced by the edited list.
void ApplyBitmaps(ConfigurationTables& tables, const std::vector<BitmapPattern>& edited);
void ApplyVectors(ConfigurationTables& tables, const std::vector<VectorPattern>& edited);
void ApplyHatchLists(ConfigurationTables& tables, const std::vector<HatchList>& edited);

} // namespace EditedTables
