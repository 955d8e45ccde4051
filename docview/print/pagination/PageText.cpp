#include "docview/print/pagination/PageText.h"

#include "platform/Numbers.h"

std::wstring ScaleText(double scale) { return L"1:" + ORBAX_Platform::format_fixed_wide(scale * 1000.0, 0); }

std::vector<PageTextPart> ExpandPageTextParts(const std::wstring& text, const PageTextFields& fields)
{
    std::vector<PageTextPart> parts;
    auto add = [&parts](const std::wstring& value, PageTextPart::Shortening shortening) {
        if (value.empty())
            return;
        // Typed text runs on in one part.
        if (shortening == PageTextPart::Words && !parts.empty() && parts.back().shortening == PageTextPart::Words)
            parts.back().text += value;
        else
            parts.push_back({value, shortening});
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c != L'%' || i + 1 == text.size()) {
            add(std::wstring(1, c), PageTextPart::Words);
            continue;
        }
        const wchar_t code = text[++i];
        switch (code) {
        case L'd': add(fields.date, PageTextPart::Never); break;
        case L'l': add(fields.leftName, PageTextPart::Name); break;
        case L'r': add(fields.rightName, PageTextPart::Name); break;
        case L'n': add(fields.projectName, PageTextPart::Name); break;
        case L'p': add(std::to_wstring(fields.page), PageTextPart::Never); break;
        case L't': add(std::to_wstring(fields.pageCount), PageTextPart::Never); break;
        case L's': add(ScaleText(fields.scale), PageTextPart::Never); break;
        case L'%': add(L"%", PageTextPart::Words); break;
        default:
            // Not one of ours: the user meant the text as typed.
            add(std::wstring{L'%', code}, PageTextPart::Words);
            break;
        }
    }
    return parts;
}

std::wstring ExpandPageText(const std::wstring& text, const PageTextFields& fields)
{
    std::wstring out;
    for (const PageTextPart& part : ExpandPageTextParts(text, fields))
        out += part.text;
    return out;
}
