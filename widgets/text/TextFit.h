#pragma once
// The one rule by which a text is fitted into the room its field or cell gives it, whatever draws it
// (the log's fields, the title block, a legend's cells). A text wider than its room is set smaller,
// down to two thirds of its size; where a printed field is too narrow even for that, down to a size
// that still prints legibly. Only then is a free text (a name) shortened with an ellipsis in its
// middle, keeping its start and its end; a number or an identifier is never shortened. Widths are
// millimetres of the page at the device's resolution.
#include <functional>

#include <QFont>
#include <QString>

class QPaintDevice;

// The smallest a text is set before it is shortened or left out, on screen and for names.
constexpr double SmallestTextFactor = 2.0 / 3.0;
// The smallest size in points printed texts are set in where two thirds of their size do not fit.
constexpr double LegiblePrintPoints = 4.0;

struct FittedText {
    QString text;     // what to draw; empty when nothing is drawn
    QFont font;       // the font at the size to draw it in
    double width = 0; // millimetres
};

// The font at `factor` times its size.
QFont ScaledFont(const QFont& font, double factor);
// The smallest factor a text of the font is set at: two thirds, or down to `smallestPoints` where that
// is smaller (0: two thirds).
double SmallestFactor(const QFont& font, double smallestPoints);
// A text's width in millimetres when drawn in the font on the device.
double TextWidth(const QPaintDevice* device, const QFont& font, const QString& text);

// The largest size of the font, from `largest` down to `smallest` times its size, at which what
// `needed` measures in a font fits `room`; false with the smallest size when none does. The measure
// grows with the size, about in proportion (a width, or a share of the room): each step goes as far
// as the last measure says, and glyph advances being whole device pixels, a few more take up what it
// left over.
bool FittingFont(const QFont& font, double room, const std::function<double(const QFont&)>& needed, QFont& fitting,
                 double smallest = SmallestTextFactor, double largest = 1.0);

// The text shortened with an ellipsis at the font's size: in its middle, keeping its start and its end
// (where the names of holes that share a long prefix differ: "Northern_ex…NX-0042"), or where the room
// is too short for that, its first characters; empty when not even one character and the ellipsis fit.
FittedText ShortenedText(const QPaintDevice* device, const QFont& font, const QString& text, double room);

// The text fitted into `room` millimetres: as it is (or at `largestFactor` of its size), smaller (down
// to the smallest factor for `smallestPoints`), and (when `mayShorten`) shortened at that size; empty
// when nothing of it fits.
FittedText FitText(const QPaintDevice* device, const QFont& font, const QString& text, double room, bool mayShorten,
                   double smallestPoints = 0, double largestFactor = 1.0);
// The text at the font's own size in `room` millimetres: whole or (when `mayShorten`) shortened; empty
// when nothing of it fits.
FittedText FitTextAtSize(const QPaintDevice* device, const QFont& font, const QString& text, double room,
                         bool mayShorten);
