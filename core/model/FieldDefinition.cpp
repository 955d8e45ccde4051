#include "core/model/FieldDefinition.h"

#include <array>
#include <locale>

namespace ORBAX_Logging {
namespace {

const std::array<std::wstring, FieldKindCount>& keywords()
{
    static const std::array<std::wstring, FieldKindCount> words = {
        L"BOTTOM", L"PERCENTAGE", L"ROCKTYPE",  L"SAMPLE",    L"PLY",  L"STRING",
        L"REAL",   L"INTEGER",    L"THICKNESS", L"RECOVERED", L"SEAM", L"TOP",
    };
    return words;
}

} // namespace

const std::wstring& fieldKindKeyword(std::int32_t kind)
{
    static const std::wstring none;
    if (kind < 0 || kind >= FieldKindCount)
        return none;
    return keywords()[static_cast<std::size_t>(kind)];
}

std::int32_t fieldKindFromKeyword(const std::wstring& keyword)
{
    std::wstring upper = keyword;
    const auto& facet = std::use_facet<std::ctype<wchar_t>>(std::locale());
    facet.toupper(upper.data(), upper.data() + upper.size());
    for (std::int32_t k = 0; k < FieldKindCount; ++k)
        if (keywords()[static_cast<std::size_t>(k)] == upper)
            return k;
    return -1;
}

} // namespace ORBAX_Logging
