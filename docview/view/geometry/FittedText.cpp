#include "docview/view/geometry/FittedText.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include <QFontMetricsF>
#include <QPaintDevice>

#include "docview/view/geometry/ViewSettings.h"

namespace {

// The text shortened with an ellipsis at the font's size; empty when not even one character and the
// ellipsis fit.
FittedText Shortened(const QPaintDevice* device, const QFont& font, const QString& text, double room)
{
    if (!(room > 0) || text.isEmpty())
        return {QString(), font, 0};
    const QString shown =
        QFontMetricsF(font, device).elidedText(text, Qt::ElideRight, room * device->logicalDpiX() / 25.4);
    const double width = TextWidth(device, font, shown);
    if (shown.isEmpty() || shown == QStringLiteral("\u2026") || width > room)
        return {QString(), font, 0};
    return {shown, font, width};
}

// The largest size of the font, down to `smallest` times its size, at which `width` (of the font) fits
// the room; false with the smallest size when none does. Glyph advances are whole device pixels and do
// not scale exactly with the font: further steps take up what the first left over.
bool FittingFont(const QFont& font, double room, const std::function<double(const QFont&)>& width, QFont& fitting,
                 double smallest = SmallestTextFactor)
{
    fitting = font;
    double measured = width(font);
    if (measured <= room)
        return true;
    if (!(room > 0))
        return false;
    double factor = std::max(smallest, room / measured);
    for (int attempt = 0; attempt < 4; ++attempt) {
        fitting = ScaledFont(font, factor);
        measured = width(fitting);
        if (measured <= room)
            return true;
        if (factor <= smallest)
            break;
        factor = std::max(smallest, factor * 0.99 * room / measured);
    }
    fitting = ScaledFont(font, smallest);
    return false;
}

} // namespace

QFont ScaledFont(const QFont& font, double factor)
{
    QFont scaled(font);
    if (factor == 1.0)
        return scaled;
    if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        scaled.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * factor))));
    return scaled;
}

double SmallestFactor(const QFont& font, double smallestPoints)
{
    if (!(smallestPoints > 0) || !(font.pointSizeF() > 0))
        return SmallestTextFactor;
    return std::min(SmallestTextFactor, smallestPoints / font.pointSizeF());
}

double TextWidth(const QPaintDevice* device, const QFont& font, const QString& text)
{
    if (text.isEmpty() || !device)
        return 0;
    return QFontMetricsF(font, device).horizontalAdvance(text) * 25.4 / device->logicalDpiX();
}

FittedText FitText(const QPaintDevice* device, const QFont& font, const QString& text, double room, bool mayShorten,
                   double smallestPoints)
{
    FittedText fitted{text, font, 0};
    if (FittingFont(
            font, room, [&](const QFont& f) { return TextWidth(device, f, text); }, fitted.font,
            SmallestFactor(font, smallestPoints))) {
        fitted.width = TextWidth(device, fitted.font, text);
        return fitted;
    }
    if (mayShorten)
        return Shortened(device, fitted.font, text, room);
    return {QString(), fitted.font, 0};
}

PlacedName PlaceColumnName(const QPaintDevice* device, const QFont& font, const QString& name, const QRectF& column,
                           const QRectF& pane)
{
    const double left = pane.left() + FieldTextGap;
    const double right = pane.right() - FieldTextGap;
    PlacedName placed;
    placed.text = FitText(device, font, name, right - left, true);
    const double width = placed.text.width;
    placed.left = std::clamp(column.center().x() - width / 2, left, std::max(left, right - width));
    return placed;
}

RulerLabelPlace PlaceRulerLabels(const QPaintDevice* device, const QFont& font, const QString& widest, double roomLeft,
                                 double tickLength, double indent, double smallestPoints)
{
    auto width = [&](const QFont& f) { return TextWidth(device, f, widest); };
    auto roomAt = [&](double right) { return roomLeft + right - FieldTextGap; };
    RulerLabelPlace beside;
    beside.right = -indent;
    if (width(font) > roomAt(beside.right))
        beside.right = std::max(beside.right, -(tickLength + FieldTextGap));
    beside.room = roomAt(beside.right);
    beside.fits = FittingFont(font, beside.room, width, beside.font);
    if (beside.fits || !(smallestPoints > 0))
        return beside;
    // On paper a number standing on its tick may take the ticks' space too: the field's ruler space
    // is then all its own, less the gaps at both ends.
    RulerLabelPlace onTicks;
    onTicks.onTicks = true;
    onTicks.right = -FieldTextGap;
    onTicks.room = roomAt(onTicks.right);
    onTicks.fits = FittingFont(font, onTicks.room, width, onTicks.font, SmallestFactor(font, smallestPoints));
    return onTicks;
}

TraceLabelRow LayOutTraceLabels(const QPaintDevice* device, const QFont& font, const QRectF& plot, const QRectF& field,
                                double lower, double upper, int decimals, const QString& mnemonic, double rowLeft,
                                double smallestPoints)
{
    const double left = std::max(field.left(), rowLeft) + FieldTextGap;
    const double right = field.right() - FieldTextGap;
    const double room = right - left;
    auto number = [](double value, int places) {
        return std::isfinite(value) ? QString::fromStdWString(FixedText(value, places)) : QString();
    };

    // Places three texts of one font: the values on the plot's edges, or at the field's edges when
    // the mnemonic needs the room between them; the mnemonic as near the plot's middle as it can be.
    auto place = [&](const QFont& f, const QString& lo, const QString& up, FittedText name) {
        TraceLabelRow row;
        row.lower = {lo, f, TextWidth(device, f, lo)};
        row.upper = {up, f, TextWidth(device, f, up)};
        row.name = std::move(name);
        const double space = TextWidth(device, f, QStringLiteral(" "));
        const double wl = row.lower.width;
        const double wu = row.upper.width;
        const double wm = row.name.width;
        double lowerLeft = std::clamp(plot.left() - wl / 2, left, std::max(left, right - wl));
        double upperRight = std::clamp(plot.right() + wu / 2, std::min(right, left + wu), right);
        // The room the mnemonic has between the values, and whether everything stands apart.
        double a = 0, b = 0;
        auto fits = [&] {
            a = wl > 0 ? lowerLeft + wl + space : left;
            b = wu > 0 ? upperRight - wu - space : right;
            if (wm > 0)
                return b - a >= wm;
            return wl == 0 || wu == 0 || lowerLeft + wl + space <= upperRight - wu;
        };
        if (!fits()) {
            lowerLeft = left;
            upperRight = right;
            fits();
        }
        row.lowerX = lowerLeft + wl / 2;
        row.upperX = upperRight - wu / 2;
        row.nameX = b - a >= wm ? std::clamp(plot.center().x(), a + wm / 2, b - wm / 2) : (a + b) / 2;
        return row;
    };
    auto needed = [&](const QFont& f, const QString& lo, const QString& up, const QString& name) {
        const double space = TextWidth(device, f, QStringLiteral(" "));
        const int texts = !lo.isEmpty() + !up.isEmpty() + !name.isEmpty();
        return TextWidth(device, f, lo) + TextWidth(device, f, up) + TextWidth(device, f, name) +
               space * std::max(0, texts - 1);
    };
    const double smallestFactor = SmallestFactor(font, smallestPoints);
    const QFont smallest = ScaledFont(font, smallestFactor);
    // The largest size at which the values and `name` fit the row, if any.
    auto fitRow = [&](const QString& lo, const QString& up, const QString& name, QFont& f) {
        return FittingFont(
            font, room, [&](const QFont& candidate) { return needed(candidate, lo, up, name); }, f, smallestFactor);
    };

    // Smaller first, then the values without decimals that do not change them (the numbers carry the
    // plot's scale: 3.4 is never shown as 3).
    int places = std::max(0, decimals);
    auto same = [](const QString& a, const QString& b) { return a.isEmpty() || a.toDouble() == b.toDouble(); };
    for (;; --places) {
        const QString lo = number(lower, places);
        const QString up = number(upper, places);
        QFont f;
        if (fitRow(lo, up, mnemonic, f))
            return place(f, lo, up, {mnemonic, f, TextWidth(device, f, mnemonic)});
        if (places == 0 || !same(lo, number(lower, places - 1)) || !same(up, number(upper, places - 1)))
            break;
    }
    // Then the mnemonic shortened into what the values leave, then left out; with no room even for
    // the values, the mnemonic takes the row alone.
    const QString lo = number(lower, places);
    const QString up = number(upper, places);
    if (!mnemonic.isEmpty()) {
        const double space = TextWidth(device, smallest, QStringLiteral(" "));
        const double values = TextWidth(device, smallest, lo) + TextWidth(device, smallest, up) +
                              space * ((!lo.isEmpty()) + (!up.isEmpty()));
        FittedText name = Shortened(device, smallest, mnemonic, room - values);
        if (!name.text.isEmpty())
            return place(smallest, lo, up, std::move(name));
    }
    QFont f;
    if ((!lo.isEmpty() || !up.isEmpty()) && fitRow(lo, up, QString(), f))
        return place(f, lo, up, {QString(), f, 0});
    return place(smallest, QString(), QString(), Shortened(device, smallest, mnemonic, room));
}
