#include "widgets/text/FontDescription.h"

#include <cmath>
#include <locale>

#include <QFont>
#include <QPaintDevice>

#include "platform/Numbers.h"
#include "platform/qt/Graphics.h"
#include "platform/settings/Settings.h"

namespace {

const wchar_t* const kSection = L"View";

std::wstring LowerCase(std::wstring text)
{
    const std::locale locale;
    const auto& ctype = std::use_facet<std::ctype<wchar_t>>(locale);
    ctype.tolower(text.data(), text.data() + text.size());
    return text;
}

} // namespace

bool FontDescription::Load(const std::wstring& prefix)
{
    ORBAX_Platform::Settings settings(kSection);
    face = settings.readString(prefix + L"-FaceName", face);

    // The default goes through the same one-decimal text as a stored value, so a size of 10.26 comes
    // back as 10.3 when nothing is stored.
    const std::wstring height = settings.readString(prefix + L"-Height", ORBAX_Platform::format_fixed_wide(size, 1));
    std::size_t used = 0;
    const float points = static_cast<float>(ORBAX_Platform::parse_double(height, &used));
    // A height that is not a number, or not above 0, would make a font of no size: keep the current one.
    // Judged as the size is kept, in a float: 1e-300 is 0 there and 1e39 infinite.
    if (used > 0 && std::isfinite(points) && points > 0)
        size = points;

    const std::wstring style = LowerCase(settings.readString(prefix + L"-Style", std::wstring()));
    italic = style.find(L"italic") != std::wstring::npos;
    bold = style.find(L"bold") != std::wstring::npos;
    return true;
}

bool FontDescription::Save(const std::wstring& prefix) const
{
    ORBAX_Platform::Settings settings(kSection);
    settings.writeString(prefix + L"-FaceName", face);
    settings.writeString(prefix + L"-Height", ORBAX_Platform::format_fixed_wide(size, 1));
    std::wstring style;
    if (bold && italic)
        style = L"Bold Italic";
    else if (italic)
        style = L"Italic";
    else if (bold)
        style = L"Bold";
    settings.writeString(prefix + L"-Style", style);
    return true;
}

int FontDescription::LogicalHeight(float points, double dotsPerInchY)
{
    const double pixels = static_cast<double>(points) * dotsPerInchY / 72.0;
    // A size read from the profile may be any float: one beyond an int's pixels is no height.
    if (!(std::fabs(pixels) < 2147483648.0))
        return 0;
    return -static_cast<int>(std::trunc(pixels));
}

void FontDescription::ToLogFont(QFont& logFont, const QPaintDevice* device) const
{
    const double dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
    logFont = QFont();
    logFont.setFamily(QString::fromStdWString(face));
    const int pixels = -LogicalHeight(size, dpi);
    if (pixels > 0)
        logFont.setPixelSize(pixels);
    logFont.setWeight(bold ? QFont::Bold : QFont::Normal);
    logFont.setItalic(italic);
}

std::wstring FontDescription::ToString() const
{
    std::wstring text = ORBAX_Platform::format_fixed_wide(size, 1);
    if (!text.empty() && text.back() == L'0' && text.size() >= 2)
        text.erase(text.size() - 2);
    return text + L"pt " + face;
}

std::shared_ptr<QFont> FontDescription::CreateGdiplusFont() const
{
    return std::make_shared<QFont>(ORBAX_Platform::CreateNamedFont(QString::fromStdWString(face), size));
}
