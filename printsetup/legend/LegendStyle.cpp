#include "printsetup/legend/LegendStyle.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include <QFontMetricsF>
#include <QPaintDevice>

#include "platform/Numbers.h"
#include "widgets/text/TextFit.h"

using ORBAX_Platform::Graphics;

namespace {

constexpr double millimetresPerInch = 25.4;

// floor() of a quotient as a count: 0 for anything that is not a positive, finite number, and never
// more than `limit`.
unsigned FloorCount(double value, unsigned limit)
{
    if (!(value > 0) || !std::isfinite(value))
        return 0;
    const double whole = std::floor(value);
    return whole >= limit ? limit : static_cast<unsigned>(whole);
}

unsigned CountLimit(std::size_t count)
{
    return static_cast<unsigned>(std::min<std::size_t>(count, std::numeric_limits<unsigned>::max()));
}

void ReadLength(ORBAX_Utilities::SettingsReader& reader, const wchar_t* key, float& value)
{
    const std::string text = reader.ReadNarrowString(key, ORBAX_Platform::format_fixed(value, 2));
    double read = value;
    if (ORBAX_Platform::read_stream_number(text, read))
        value = static_cast<float>(read);
}

// The scale the graphics' world transform gives lengths; 1 where it gives none that can be used.
double WorldScale(const Graphics& graphics)
{
    const double scale = std::sqrt(std::fabs(graphics.worldTransform().determinant()));
    return scale > 0 && std::isfinite(scale) ? scale : 1.0;
}

// A name's width in millimetres of the page, measured as it is drawn on the graphics' device (in
// `metrics` of the drawn font) and taken back through the world transform's `scale`.
float NameWidth(const QFontMetricsF& metrics, int flags, const Graphics& graphics, double scale,
                const std::wstring& name)
{
    const QRectF bounds = metrics.boundingRect(QRectF(), flags, QString::fromStdWString(name));
    return static_cast<float>(bounds.width() * millimetresPerInch / graphics.dpiX() / scale);
}

} // namespace

QFont LegendStyle::NameFont() const
{
    std::shared_ptr<QFont> made = font.CreateGdiplusFont();
    return made ? *made : QFont();
}

QFont LegendStyle::DrawnNameFont(const Graphics& graphics) const
{
    QFont drawn = NameFont();
    if (drawn.pointSizeF() > 0)
        drawn.setPointSizeF(drawn.pointSizeF() * WorldScale(graphics));
    return drawn;
}

float LegendStyle::MeasureName(Graphics& graphics, const std::wstring& name) const
{
    // Measured at the device's own resolution as it is drawn there, and turned into millimetres.
    const QFontMetricsF metrics(DrawnNameFont(graphics), graphics.painter().device());
    return NameWidth(metrics, textFlags, graphics, WorldScale(graphics), name);
}

LegendStyle::FittedName LegendStyle::FitName(Graphics& graphics, const QFont& drawn, const std::wstring& name,
                                             double width) const
{
    const QPaintDevice* device = graphics.painter().device();
    const double scale = WorldScale(graphics);
    // The text room in device pixels, as the names are drawn: the box's height, or one line at the
    // style's size where the box is lower (a name is never set smaller for the box's height alone).
    const double roomX = width * graphics.dpiX() * scale / millimetresPerInch;
    const double roomY =
        std::max(boxHeight * graphics.dpiY() * scale / millimetresPerInch, QFontMetricsF(drawn, device).height());
    const QString text = QString::fromStdWString(name);
    const int wrapped = textFlags | Qt::TextWordWrap;
    auto share = [&](const QFont& font, int flags) {
        const QRectF bounds = QFontMetricsF(font, device).boundingRect(QRectF(0, 0, roomX, 0), flags, text);
        return std::max(bounds.width() / roomX, bounds.height() / roomY);
    };
    // As every printed text is fitted (see `FitText`): at the largest size, down to the smallest that
    // prints legibly, at which the name takes no more than its room, on one line or wrapped at its spaces;
    // else at that size shortened in its middle.
    const double smallest = SmallestFactor(NameFont(), LegiblePrintPoints);
    QFont font = ScaledFont(drawn, smallest);
    if (roomX > 0 && FittingFont(
                         drawn, 1.0, [&](const QFont& f) { return std::min(share(f, textFlags), share(f, wrapped)); },
                         font, smallest))
        return {font, text, share(font, textFlags) <= 1.0 ? textFlags : wrapped, true};
    const double dpi = device && device->logicalDpiX() > 0 ? device->logicalDpiX() : graphics.dpiX();
    return {font, ShortenedText(device, font, text, roomX * millimetresPerInch / dpi).text, textFlags, false};
}

float LegendStyle::MeasureCellWidth(Graphics& graphics, const LegendUtils::LegendItems& entries,
                                    float minCellWidth) const
{
    // Every name in the one font, made once.
    const QFontMetricsF metrics(DrawnNameFont(graphics), graphics.painter().device());
    const double scale = WorldScale(graphics);
    float widest = 0.0f;
    for (const auto& entry : entries)
        widest =
            std::max(widest, boxWidth + spacing + NameWidth(metrics, textFlags, graphics, scale, entry->GetName()));
    return std::max(widest, minCellWidth);
}

LegendGrid LegendStyle::FitToWidth(Graphics& graphics, const LegendUtils::LegendItems& entries, float width,
                                   float minCellWidth) const
{
    return FitToWidth(entries.size(), width, MeasureCellWidth(graphics, entries, minCellWidth));
}

LegendGrid LegendStyle::FitToWidth(std::size_t count, float width, float cellWidth) const
{
    LegendGrid grid;
    grid.cellWidth = cellWidth;
    if (count == 0)
        return grid;
    // n columns take 2 margins + n cells + (n - 1) gaps.
    const double step = static_cast<double>(cellWidth) + horizontalGap;
    unsigned columns = step > 0 ? FloorCount((width - 2.0 * horizontalMargin + horizontalGap) / step, CountLimit(count))
                                : CountLimit(count);
    if (columns == 0)
        columns = 1;
    grid.columns = columns;
    grid.rows = static_cast<unsigned>((count + columns - 1) / columns);
    return grid;
}

LegendGrid LegendStyle::FitToArea(Graphics& graphics, const LegendUtils::LegendItems& entries,
                                  const QPainterPath& region, float minCellWidth, std::size_t& placed) const
{
    return FitToArea(entries.size(), region, MeasureCellWidth(graphics, entries, minCellWidth), placed);
}

LegendGrid LegendStyle::FitToArea(std::size_t count, const QPainterPath& region, float cellWidth,
                                  std::size_t& placed) const
{
    LegendGrid grid;
    grid.explicitCells = true;
    grid.cellWidth = cellWidth;
    placed = 0;

    const QRectF box = region.boundingRect();
    const double columnStep = static_cast<double>(cellWidth) + horizontalGap;
    const double rowStep = static_cast<double>(boxHeight) + verticalGap;
    if (count == 0 || !(columnStep > 0) || !(rowStep > 0))
        return grid;
    // A region smaller than one cell gives no rows or columns, never a negative count.
    constexpr unsigned limit = 1u << 20;
    const unsigned rows = FloorCount((box.height() - 2.0 * verticalMargin) / rowStep, limit);
    const unsigned columns = FloorCount((box.width() - 2.0 * horizontalMargin) / columnStep, limit);

    for (unsigned i = 0; i < columns && placed < count; ++i) {
        for (unsigned j = 0; j < rows && placed < count; ++j) {
            const QRectF candidate(box.x() + horizontalMargin + i * columnStep, box.y() + verticalMargin + j * rowStep,
                                   static_cast<double>(cellWidth) + horizontalMargin,
                                   static_cast<double>(boxHeight) + verticalMargin);
            if (region.contains(candidate)) {
                grid.cells.push_back({j, i});
                ++placed;
            }
        }
    }
    return grid;
}

void LegendStyle::Save(ORBAX_Utilities::SettingsWriter& writer) const
{
    writer.WriteNarrowString(L"LegendBoxWidth", ORBAX_Platform::format_stream(boxWidth));
    writer.WriteNarrowString(L"LegendBoxHeight", ORBAX_Platform::format_stream(boxHeight));
}

void LegendStyle::Load(ORBAX_Utilities::SettingsReader& reader)
{
    ReadLength(reader, L"LegendBoxWidth", boxWidth);
    ReadLength(reader, L"LegendBoxHeight", boxHeight);
}

void swap(LegendStyle& a, LegendStyle& b)
{
    using std::swap;
    swap(a.boxWidth, b.boxWidth);
    swap(a.boxHeight, b.boxHeight);
    swap(a.font, b.font);
    swap(a.spacing, b.spacing);
    swap(a.horizontalGap, b.horizontalGap);
    swap(a.verticalGap, b.verticalGap);
    swap(a.horizontalMargin, b.horizontalMargin);
    swap(a.verticalMargin, b.verticalMargin);
    swap(a.textFlags, b.textFlags);
}
