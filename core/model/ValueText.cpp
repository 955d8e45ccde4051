#include "core/model/ValueText.h"

#include <algorithm>
#include <locale>
#include <sstream>

#include "platform/Numbers.h"

namespace ORBAX_Logging {
namespace {

int clampDecimals(int decimals) { return std::clamp(decimals, 0, 30); }

template <class T>
bool parseWith(const std::wstring& text, T& out)
{
    std::wistringstream in(text);
    in.imbue(std::locale::classic());
    T value{};
    in >> value;
    if (in.fail() || in.bad())
        return false;
    out = value;
    return true;
}

} // namespace

bool parseReal(const std::wstring& text, double& out) { return parseWith(text, out); }

bool parseInteger(const std::wstring& text, std::int32_t& out) { return parseWith(text, out); }

std::wstring realText(int decimals, double x) { return ORBAX_Platform::format_fixed_wide(x, clampDecimals(decimals)); }

void realText(std::string& out, int decimals, double x)
{
    out = ORBAX_Platform::format_fixed(x, clampDecimals(decimals));
}

std::wostream& realText(std::wostream& out, int decimals, double x)
{
    const std::ios_base::fmtflags saved = out.flags();
    out << ORBAX_Platform::format_fixed_wide(x, clampDecimals(decimals));
    out.flags(saved);
    return out;
}

} // namespace ORBAX_Logging
