#include "widgets/dialogs/SortedLists.h"

#include <locale>

#include <QComboBox>
#include <QListWidget>

namespace {

std::wstring upper(const std::wstring& text)
{
    std::wstring out = text;
    const auto& facet = std::use_facet<std::ctype<wchar_t>>(std::locale());
    facet.toupper(out.data(), out.data() + out.size());
    return out;
}

} // namespace

bool noCaseLess(const std::wstring& a, const std::wstring& b) { return upper(a) < upper(b); }

int addSorted(QListWidget* list, const std::wstring& text, const QVariant& data)
{
    const std::wstring key = upper(text);
    int row = 0;
    while (row < list->count() && !(key < upper(list->item(row)->text().toStdWString())))
        ++row;
    auto* item = new QListWidgetItem(QString::fromStdWString(text));
    item->setData(Qt::UserRole, data);
    list->insertItem(row, item);
    return row;
}

int addSorted(QComboBox* combo, const std::wstring& text, const QVariant& data)
{
    const std::wstring key = upper(text);
    int row = 0;
    while (row < combo->count() && !(key < upper(combo->itemText(row).toStdWString())))
        ++row;
    combo->insertItem(row, QString::fromStdWString(text), data);
    return row;
}

int findData(const QListWidget* list, const QVariant& data)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(Qt::UserRole) == data)
            return row;
    return -1;
}
