#pragma once
// Painting tests draw into a QImage of a known resolution under the offscreen platform and check
// pixels at positions computed in millimetres.
#include <clocale>
#include <cstdlib>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace PaintTest {

// The application object that fonts and image readers need; made once, kept to the end.
inline void EnsureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "config_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
}

// An image of `pixelsPerMm` device pixels per millimetre filled with `background`.
inline QImage MakeCanvas(int width, int height, double pixelsPerMm, QRgb background = 0xFF808080u)
{
    EnsureGuiApplication();
    QImage image(width, height, QImage::Format_ARGB32);
    const int dotsPerMeter = static_cast<int>(pixelsPerMm * 1000.0 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(background);
    return image;
}

// True when any pixel within `radius` of (x, y) has the colour.
inline bool ColourNear(const QImage& image, int x, int y, QRgb colour, int radius = 1)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < image.width() && py < image.height() && image.pixel(px, py) == colour)
                return true;
        }
    return false;
}

} // namespace PaintTest
