#pragma once
// Lists and combo boxes that keep their entries sorted as the desktop's sorted lists do: names compared
// without regard to case (NoCaseCompare), each new entry placed after the entries equal to it. Qt's own
// sorting is never switched on.
#include <string>

#include <QVariant>

class QComboBox;
class QListWidget;

// Adds an entry with its data (Qt::UserRole) in sorted position; returns its row.
int addSorted(QListWidget* list, const std::wstring& text, const QVariant& data);
int addSorted(QComboBox* combo, const std::wstring& text, const QVariant& data);

// The row whose data equals `data`; -1 when there is none.
int findData(const QListWidget* list, const QVariant& data);
