#include "widgets/text/TextFit.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPaintDevice>

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

bool FittingFont(const QFont& font, double room, const std::function<double(const QFont&)>& needed, QFont& fitting,
                 double smallest, double largest)
{
    largest = std::max(smallest, std::min(1.0, largest));
    fitting = ScaledFont(font, largest);
    double measured = needed(fitting);
    if (measured <= room)
        return true;
    if (!(room > 0))
        return false;
    double factor = std::max(smallest, largest * room / measured);
    for (int attempt = 0; attempt < 4; ++attempt) {
        fitting = ScaledFont(font, factor);
        measured = needed(fitting);
        if (measured <= room)
            return true;
        if (factor <= smallest)
            break;
        factor = std::max(smallest, factor * 0.99 * room / measured);
    }
    fitting = ScaledFont(font, smallest);
    return false;
}

FittedText ShortenedText(const QPaintDevice* device, const QFont& font, const QString& text, double room)
{
    if (!(room > 0) || text.isEmpty() || !device)
        return {QString(), font, 0};
    const QFontMetricsF metrics(font, device);
    for (Qt::TextElideMode mode : {Qt::ElideMiddle, Qt::ElideRight}) {
        const QString shown = metrics.elidedText(text, mode, room * device->logicalDpiX() / 25.4);
        const double width = TextWidth(device, font, shown);
        if (!shown.isEmpty() && shown != QStringLiteral("\u2026") && width <= room)
            return {shown, font, width};
    }
    return {QString(), font, 0};
}

FittedText FitText(const QPaintDevice* device, const QFont& font, const QString& text, double room, bool mayShorten,
                   double smallestPoints, double largestFactor)
{
    FittedText fitted{text, font, 0};
    if (FittingFont(
            font, room, [&](const QFont& f) { return TextWidth(device, f, text); }, fitted.font,
            SmallestFactor(font, smallestPoints), largestFactor)) {
        fitted.width = TextWidth(device, fitted.font, text);
        return fitted;
    }
    if (mayShorten)
        return ShortenedText(device, fitted.font, text, room);
    return {QString(), fitted.font, 0};
}

FittedText FitTextAtSize(const QPaintDevice* device, const QFont& font, const QString& text, double room,
                         bool mayShorten)
{
    const double width = TextWidth(device, font, text);
    if (width <= room)
        return {text, font, width};
    return mayShorten ? ShortenedText(device, font, text, room) : FittedText{QString(), font, 0};
}
