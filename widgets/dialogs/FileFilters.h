#pragma once
// File prompts are described by filter strings "label|patterns|label|patterns|...||" with patterns
// separated by ";"; the file dialog wants "label (patterns)" entries joined by ";;" with blank-separated
// patterns. Positions in the list are counted from 1, as they are stored in the profile.
#include <functional>
#include <string>

#include <QString>
#include <QStringList>

// The dialog's filters: a parenthesised part at the end of a label is replaced by the patterns, "*.*"
// becomes "*" so that files without an extension show, and each pattern also matches its upper- and
// lower-case spellings, since names are case-sensitive here. With `keep`, an entry whose patterns it
// refuses is left out.
QStringList QtFileFilters(const std::wstring& filters,
                          const std::function<bool(const QStringList& patterns)>& keep = nullptr);
// The filter at a 1-based position (the first for any position out of range); empty without filters.
QString FileFilterAt(const QStringList& filters, int position);
// The 1-based position of a filter; 1 when it is not in the list.
int FileFilterPosition(const QStringList& filters, const QString& filter);
