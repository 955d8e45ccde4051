#include "dialogs/LinkMarkup.h"

#include "core/catalogue/Messages.h"
#include "core/model/NoCaseCompare.h"

namespace {

std::wstring escape(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
        case L'&': out += L"&amp;"; break;
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        case L'"': out += L"&quot;"; break;
        case L'\'': out += L"&#39;"; break;
        case L'\n': out += L"<br>"; break;
        case L'\r': break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

bool IsWebLink(const std::wstring& address)
{
    std::size_t start = address.find_first_not_of(L" \t");
    if (start == std::wstring::npos)
        return false;
    std::wstring rest = address.substr(start);
    const NoCaseCompare compare;
    return (compare.StartsWith(rest, L"http://") && rest.size() > 7) ||
           (compare.StartsWith(rest, L"https://") && rest.size() > 8);
}

std::wstring LinkMarkupToHtml(const std::wstring& markup, const std::vector<std::wstring>& args, bool anyScheme)
{
    using ORBAX_Utilities::substitute_arguments;
    std::wstring html;
    std::size_t position = 0;
    while (position < markup.size()) {
        std::size_t open = markup.find(L"<a", position);
        while (open != std::wstring::npos && open + 2 < markup.size() && markup[open + 2] != L' ' &&
               markup[open + 2] != L'>')
            open = markup.find(L"<a", open + 2);
        std::size_t tagEnd = open == std::wstring::npos ? open : markup.find(L'>', open);
        std::size_t close = tagEnd == std::wstring::npos ? tagEnd : markup.find(L"</a>", tagEnd);
        if (close == std::wstring::npos) {
            html += escape(substitute_arguments(markup.substr(position), args));
            break;
        }
        html += escape(substitute_arguments(markup.substr(position, open - position), args));
        std::wstring attributes = markup.substr(open + 2, tagEnd - open - 2);
        std::wstring shown = substitute_arguments(markup.substr(tagEnd + 1, close - tagEnd - 1), args);
        std::wstring address;
        std::size_t href = attributes.find(L"href=\"");
        if (href != std::wstring::npos) {
            std::size_t end = attributes.find(L'"', href + 6);
            if (end != std::wstring::npos)
                address = substitute_arguments(attributes.substr(href + 6, end - href - 6), args);
        }
        if (!address.empty() && (anyScheme || IsWebLink(address)))
            html += L"<a href=\"" + escape(address) + L"\">" + escape(shown) + L"</a>";
        else
            html += escape(shown);
        position = close + 4;
    }
    return html;
}
