#pragma once
// Texts kept whole inside the room their field gives them. The printed page's fields are much
// narrower than the screen's columns, and a text cut by its field's edge can read as another text
// ("10" cut to "0"). A text wider than its room is set smaller, down to two thirds of its size; where a
// printed field is too narrow even for that, down to a size that still prints legibly. Only then is a
// free text (a name, a mnemonic) shortened with an ellipsis; a number or an identifier (a sample
// number) is never shortened: one that cannot stand whole is left out. Widths are millimetres of the
// page, as `CQuorView::DrawTextAt` draws a text whatever the world transform's scale.
#include <QFont>
#include <QRectF>
#include <QString>

class QPaintDevice;

// The smallest a text is set before it is shortened or left out, on screen and for names.
constexpr double SmallestTextFactor = 2.0 / 3.0;
// The smallest size in points printed labels, depths and values are set in where two thirds of their
// size do not fit.
constexpr double LegiblePrintPoints = 4.0;
// What a text keeps free next to its field's edges, so that texts of neighbouring fields never touch.
constexpr double FieldTextGap = 0.25;

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
// The text fitted into `room` millimetres: as it is, smaller (down to the smallest factor for
// `smallestPoints`), and (when `mayShorten`) shortened with an ellipsis; empty when nothing of it fits.
FittedText FitText(const QPaintDevice* device, const QFont& font, const QString& text, double room, bool mayShorten,
                   double smallestPoints = 0);

// A borehole's name over its column: centred on the column, moved sideways to stay inside the pane
// (less the gap), set smaller and then shortened when wider than that. `left` is its left edge.
struct PlacedName {
    FittedText text;
    double left = 0;
};
PlacedName PlaceColumnName(const QPaintDevice* device, const QFont& font, const QString& name, const QRectF& column,
                           const QRectF& pane);

// Where the depth numbers of a ruler stand and at what size, one for all, so that the widest fits
// between the field's left edge (`roomLeft` millimetres left of the ruler) and the ticks (`tickLength`
// long, left of the ruler). They stand beside their ticks, their right edge `indent` left of the ruler
// or, short of room, moved in up to the ticks' ends, set smaller down to two thirds. Where that is too
// narrow and `smallestPoints` is given (on paper), they stand on their ticks over the ruler's space up
// to the ruler, set smaller down to that size. A number wider than the room is left out.
struct RulerLabelPlace {
    QFont font;
    double right = 0;     // the numbers' right edge, from the ruler's x
    double room = 0;      // the width a number may take
    bool onTicks = false; // standing on their ticks (their bottom on the tick) rather than beside them
    bool fits = false;    // the widest number fits
};
RulerLabelPlace PlaceRulerLabels(const QPaintDevice* device, const QFont& font, const QString& widest, double roomLeft,
                                 double tickLength, double indent, double smallestPoints = 0);

// The labels of a curve under its trace plot: the lower value centred on the plot's left edge, the
// upper on its right edge, the mnemonic in the middle. Each stays inside the field (less the gap) and
// right of `rowLeft` (where a depth label of the plot's ruler reaches into the row), and none overlaps
// another. A value always reads as the value: short of room the texts are set smaller (down to the
// smallest factor for `smallestPoints`), the values lose only decimals that do not change them (150.0
// as 150), the mnemonic is shortened and then left out; only when the values alone find no room is the
// mnemonic shown without them. A value that is not a number (a curve holding none) is shown as no text.
struct TraceLabelRow {
    FittedText lower, upper, name;
    double lowerX = 0, upperX = 0, nameX = 0; // the centres of the three texts
};
TraceLabelRow LayOutTraceLabels(const QPaintDevice* device, const QFont& font, const QRectF& plot, const QRectF& field,
                                double lower, double upper, int decimals, const QString& mnemonic, double rowLeft,
                                double smallestPoints = 0);
