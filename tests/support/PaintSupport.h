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

// Pixels inked in `a` (darker than mid-grey) with no ink near them in `b` (darker than light grey,
// within a pixel): two drawings of one curve differ by a shade at the edges, not by stray strokes.
inline int StrayInk(const QImage& a, const QImage& b)
{
    int stray = 0;
    for (int y = 1; y + 1 < a.height(); ++y)
        for (int x = 1; x + 1 < a.width(); ++x) {
            if (qGray(a.pixel(x, y)) >= 128)
                continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = qGray(b.pixel(x + dx, y + dy)) < 200;
            stray += !near;
        }
    return stray;
}

} // namespace PaintTest
