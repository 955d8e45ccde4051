#pragma once
// What the owner-drawn lists and combo boxes keep with each item, beside its text. The caller's value
// (the editors keep the position of the record in their edited list) is the item data of Qt::UserRole,
// so that itemData(i) gives it directly; the own colour is absent until one is set.
#include <Qt>

namespace ItemRole {

constexpr int Data = Qt::UserRole;            // int: the caller's value
constexpr int OwnColour = Qt::UserRole + 1;   // uint ARGB text colour; absent: the normal colour
constexpr int PatternName = Qt::UserRole + 2; // QString: the hatch pattern's name
constexpr int PatternKind = Qt::UserRole + 3; // int: 0 bitmap, 1 isovector, 2 anivector, 3 inbuilt

} // namespace ItemRole
