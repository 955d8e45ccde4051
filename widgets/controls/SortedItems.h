#pragma once
// Sorted lists and combo boxes as the program's dialogs expect them: a new item goes to its place in
// case-insensitive order (NoCaseCompare) when it is added, but an item inserted at an index stays
// there (a renamed record keeps its place until the list is filled again). Qt's own sorting, which
// is case-sensitive and moves items, is never switched on.
#include <string>

#include <QString>
#include <QVariant>

class QComboBox;
class QListWidget;

namespace SortedItems {

// Adds `text` at its sorted place (after any item that compares equal) with `data` as its item data
// (Qt::UserRole); returns the index it took.
int addSorted(QComboBox* combo, const QString& text, const QVariant& data = QVariant());
int addSorted(QListWidget* list, const QString& text, const QVariant& data = QVariant());

// The index of the item whose item data (Qt::UserRole) equals `data`; -1 when none.
int findData(const QComboBox* combo, int data);
int findData(const QListWidget* list, int data);

// The item a stored name selects: the first whose text equals the name ignoring case, else the first
// that begins with it ignoring case; -1 when none does or the name is empty.
int findExactOrPrefix(const QComboBox* combo, const std::wstring& name);
int findExactOrPrefix(const QListWidget* list, const std::wstring& name);

// Selects `index` (-1: nothing) without the notifications a user's choice would send.
void selectQuietly(QComboBox* combo, int index);
void selectQuietly(QListWidget* list, int index);

// The row the user has selected in a single-selection list; -1 when none is. A list that takes the
// focus makes its first row current without selecting it, so the current row alone names nothing.
int selectedRow(const QListWidget* list);

} // namespace SortedItems
