#pragma once
// Texts kept whole inside the room their field gives them. The printed page's fields are much
// narrower than the screen's columns, and a text cut by its field's edge can read as another text
// ("10" cut to "0"). A text wider than its room is set smaller, down to two thirds of its size, and
// only then shortened with an ellipsis; a number is never shortened: one that cannot stand whole is
// left out. Widths are millimetres of the page, as `CQuorView::DrawTextAt` draws a text whatever the
// world transform's scale.
#include <QFont>
#include <QRectF>
#include <QString>

class QPaintDevice;

// The smallest a text is set before it is shortened or left out.
constexpr double SmallestTextFactor = 2.0 / 3.0;
// What a text keeps free next to its field's edges, so that texts of neighbouring fields never touch.
constexpr double FieldTextGap = 0.25;

struct FittedText {
    QString text;     // what to draw; empty when nothing is drawn
    QFont font;       // the font at the size to draw it in
    double width = 0; // millimetres
};

// The font at `factor` times its size.
QFont ScaledFont(const QFont& font, double factor);
// A text's width in millimetres when drawn in the font on the device.
double TextWidth(const QPaintDevice* device, const QFont& font, const QString& text);
// The text fitted into `room` millimetres: as it is, smaller, and (when `mayShorten`) shortened with
// an ellipsis; empty when nothing of it fits.
FittedText FitText(const QPaintDevice* device, const QFont& font, const QString& text, double room, bool mayShorten);

// A borehole's name over its column: centred on the column, moved sideways to stay inside the pane
// (less the gap), set smaller and then shortened when wider than that. `left` is its left edge.
struct PlacedName {
    FittedText text;
    double left = 0;
};
PlacedName PlaceColumnName(const QPaintDevice* device, const QFont& font, const QString& name, const QRectF& column,
                           const QRectF& pane);

// The labels of a curve under its trace plot: the lower value centred on the plot's left edge, the
// upper on its right edge, the mnemonic in the middle. Each stays inside the field (less the gap) and
// right of `rowLeft` (where a depth label of the plot's ruler reaches into the row),
// and none overlaps another: they move towards the field's edges, are set smaller, the values lose
// decimals, the mnemonic is shortened, and when even that leaves it no room the values are left out.
// A value that is not a number (a curve holding none) is shown as no text.
struct TraceLabelRow {
    FittedText lower, upper, name;
    double lowerX = 0, upperX = 0, nameX = 0; // the centres of the three texts
};
TraceLabelRow LayOutTraceLabels(const QPaintDevice* device, const QFont& font, const QRectF& plot, const QRectF& field,
                                double lower, double upper, int decimals, const QString& mnemonic, double rowLeft);
