#include "docview/print/pagination/PageText.h"

#include "platform/Numbers.h"

std::wstring ScaleText(double scale) { return L"1:" + ORBAX_Platform::format_fixed_wide(scale * 1000.0, 0); }

std::wstring ExpandPageText(const std::wstring& text, const PageTextFields& fields)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c != L'%' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const wchar_t code = text[++i];
        switch (code) {
        case L'd': out += fields.date; break;
        case L'l': out += fields.leftName; break;
        case L'r': out += fields.rightName; break;
        case L'n': out += fields.projectName; break;
        case L'p': out += std::to_wstring(fields.page); break;
        case L't': out += std::to_wstring(fields.pageCount); break;
        case L's': out += ScaleText(fields.scale); break;
        case L'%': out += L'%'; break;
        default:
            // Not one of ours: the user meant the text as typed.
            out += L'%';
            out += code;
            break;
        }
    }
    return out;
}
