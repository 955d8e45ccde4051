#pragma once
// Lists and combo boxes whose items carry the position of their record in an editor's own list (the
// item data of Qt::UserRole), whatever order the items stand in: what deleting, renaming and moving a
// record does to the items. None of it sends the notifications a user's choice sends.
#include <cstddef>
#include <utility>

class QComboBox;
class QListWidget;
class QString;

namespace PositionedItems {

// The position the item at `index` carries; -1 when there is no such item.
int PositionAt(const QComboBox* combo, int index);
int PositionAt(const QListWidget* list, int index);

// The record at `position` has gone from the editor's list: the item at `index` goes, the items of
// the records after it move down by one, and nothing is left selected.
void RemoveErased(QComboBox* combo, int index, int position);
void RemoveErased(QListWidget* list, int index, int position);

// Deletes the record of the item at `index` from `records` and the item from the list, as
// RemoveErased. The position the record had; -1 (and nothing deleted) when there is no such item.
template <class Records, class List>
int Erase(Records& records, List* list, int index)
{
    const int position = PositionAt(list, index);
    if (position < 0 || static_cast<std::size_t>(position) >= records.size())
        return -1;
    records.erase(records.begin() + position);
    RemoveErased(list, index, position);
    return position;
}

// A renamed record: its item takes `text` where it stands (a sorted list is sorted again only when it
// is filled again), keeping its position and its selection.
void Rename(QComboBox* combo, int index, const QString& text);
void Rename(QListWidget* list, int index, const QString& text);

// The records of the row `upper` and of the row below it have changed places: the rows keep their
// positions and take each other's texts, and the selection goes with the record that was selected.
void SwapRows(QListWidget* list, int upper);
// The upper of the two rows that moving the selected row by `step` (-1 up, +1 down) swaps; -1 when
// no row is selected or none stands there.
int UpperOfMove(const QListWidget* list, int step);

// Moves the record of the selected row one place up (`step` -1) or down (+1) in `records` and in the
// list, as SwapRows; false when there was nothing to move.
template <class Records>
bool MoveSelected(QListWidget* list, Records& records, int step)
{
    const int upper = UpperOfMove(list, step);
    const int a = PositionAt(list, upper);
    const int b = PositionAt(list, upper + 1);
    if (a < 0 || b < 0)
        return false;
    using std::swap;
    swap(records[static_cast<std::size_t>(a)], records[static_cast<std::size_t>(b)]);
    SwapRows(list, upper);
    return true;
}

} // namespace PositionedItems
