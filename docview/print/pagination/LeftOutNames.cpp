#include "docview/print/pagination/LeftOutNames.h"

#include "core/catalogue/Messages.h"

std::wstring ListText(const std::vector<std::wstring>& items)
{
    std::wstring list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            list += i + 1 == items.size() ? ORBAX_Utilities::get_message_wide(387) : L", ";
        list += items[i];
    }
    return list;
}

std::wstring NamesLeftOut(int id, const std::vector<std::wstring>& texts)
{
    constexpr std::size_t listed = 10;
    const std::size_t named = texts.size() > listed ? listed - 1 : texts.size();
    std::vector<std::wstring> items(texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(named));
    if (named < texts.size())
        items.push_back(ORBAX_Utilities::format_message1(392, std::to_wstring(texts.size() - named)));
    return ORBAX_Utilities::format_message1(id, ListText(items));
}
