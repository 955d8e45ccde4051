#pragma once
// Texts kept whole inside the room their field gives them. The printed page's fields are much
// narrower than the screen's columns, and a text cut by its field's edge can read as another text
// ("10" cut to "0"). Each is fitted by the one rule of `widgets/text/TextFit.h`: set smaller, then a
// free text (a name, a mnemonic) shortened with an ellipsis in its middle; a number or an identifier (a
// sample number) is never shortened: one that cannot stand whole is left out. Widths are millimetres of the
// page, as `CQuorView::DrawTextAt` draws a text whatever the world transform's scale.
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include <QFont>
#include <QRectF>
#include <QString>

#include "docview/view/geometry/ViewGeometry.h"
#include "widgets/text/TextFit.h"

class QPaintDevice;

// What a text keeps free next to its field's edges, so that texts of neighbouring fields never touch.
constexpr double FieldTextGap = 0.25;
// What a text keeps free of a line beside it (a frame or a tick, at most 0.2 mm wide): with the glyphs'
// own side bearings a hairline of white stays between them.
constexpr double LineTextGap = 0.15;
// On paper, what a text keeps free of the page's frame and of the ticks of another field's ruler it
// reaches towards: white that the eye sees, so that the text does not seem to run into the line.
constexpr double PrintLineGap = 0.5;
// On paper, what separates two texts of different things in one row (a unit label and a depth number):
// more than a word space, so that they never read as one text ("NX-0005 170").
constexpr double PrintTextsApart = 1.0;

// A text of parts, each shortened (`rank` above 0) or never (`Never`, a number): fitted into `room` as
// one text, set smaller down to the smallest factor for `smallestPoints`, then the parts of the highest
// rank first, the longest first, shortened a character at a time with an ellipsis, each keeping `least`
// characters: a name in its middle, other words at their end (a word at a time). Empty when even that
// does not fit.
struct TextPart {
    enum Rank { Never = 0, Words = 1, Name = 2 };
    QString text;
    int rank = Never;
    int least = 1;
};
FittedText FitTextParts(const QPaintDevice* device, const QFont& font, const std::vector<TextPart>& parts, double room,
                        double smallestPoints);

// A borehole's name over its column: centred on the column, moved sideways to stay inside the pane
// (less the gap), set smaller and then shortened when wider than that. `left` is its left edge.
struct PlacedName {
    FittedText text;
    double left = 0;
};
PlacedName PlaceColumnName(const QPaintDevice* device, const QFont& font, const QString& name, const QRectF& column,
                           const QRectF& pane);

// Where a printed ruler's depth numbers may stand when its field's own ruler space is too narrow for
// them even on their ticks at the smallest size: over the margin of the field to its left (which keeps
// that room free of its own drawing), standing on their ticks up to the ruler; or, for the first field
// of the page's first page-column, in the page margin left of the frame, level with their ticks.
// Millimetres from the ruler's x, negative to its left: the numbers' right edge is `right`, their room
// reaches to `left`.
// `below` is how far under the ruler's end its last number may reach on paper (the room its field leaves
// free there); a number standing in the reach reaches no further than the end.
struct RulerReach {
    double left = 0;
    double right = 0;
    bool onTicks = true;
    double below = 0;
};

// Where the depth numbers of a ruler stand and at what size, one for all, so that the widest fits
// between the field's left edge (`roomLeft` millimetres left of the ruler) and the ticks (`tickLength`
// long, left of the ruler). They stand beside their ticks, their right edge `indent` left of the ruler
// or, short of room, moved in up to the ticks' ends, set smaller down to two thirds. Where that is too
// narrow and `smallestPoints` is given (on paper), they stand on their ticks over the ruler's space up
// to the ruler, set smaller down to that size; where even that is too narrow, in the `reach` (if any)
// at that size. A number wider than the room is left out.
struct RulerLabelPlace {
    QFont font;
    double right = 0;     // the numbers' right edge, from the ruler's x
    double room = 0;      // the width a number may take
    bool onTicks = false; // standing on their ticks (their bottom on the tick) rather than beside them
    bool reached = false; // standing in the reach, outside their field
    bool fits = false;    // the widest number fits
};
RulerLabelPlace PlaceRulerLabels(const QPaintDevice* device, const QFont& font, const QString& widest, double roomLeft,
                                 double tickLength, double indent, double smallestPoints = 0,
                                 const RulerReach* reach = nullptr);

// The ticks of a ruler at `x`, `length` long, with the place and size of their numbers (see
// `PlaceRulerLabels`; `labelLeft` is the field's left edge); a number that does not fit is left out
// (cut, a depth would read as another depth). `labelOffset` is the indent of numbers beside their
// ticks and how far above the tick their top stands.
struct RulerLabels : RulerLabelPlace {
    std::vector<ViewGeometry::DepthTick> ticks;
    ViewGeometry::RulerStep step;
    double height = 0; // a number's line height at the full size (their spacing)
    QPointF offset;    // the labels' offset as given
    // On paper the last number reaches below the ruler's end no further than the reach's `below` (below
    // a trace plot its range values stand, and the two would read as one number): it is lifted as far
    // as that takes, its foot never above its tick, and set smaller where it would otherwise stand
    // nearer another tick than its own or meet the number above. Its box's bottom and its font:
    double endY = std::numeric_limits<double>::quiet_NaN(); // the tick whose number that is
    double endBottom = 0;
    QFont endFont;

    QString Text(const ViewGeometry::DepthTick& tick) const;
    bool Shown(const QPaintDevice* device, const ViewGeometry::DepthTick& tick) const;
    // Where a shown number stands: its box, from the ruler's x and the ticks' y; the point, the alignment
    // and the font it is drawn with.
    QRectF Box(const QPaintDevice* device, const ViewGeometry::DepthTick& tick) const;
    QPointF Anchor(const ViewGeometry::DepthTick& tick) const;
    int Alignment(const ViewGeometry::DepthTick& tick) const;
    const QFont& Font(const ViewGeometry::DepthTick& tick) const;
};
RulerLabels LayOutRuler(const QPaintDevice* device, double x, double length, double topDepth, double origin,
                        double scale, double tickLength, const QPointF& labelOffset, const QFont& labelFont,
                        double labelLeft, double smallestPoints = 0, const RulerReach* reach = nullptr);

// Where a printed borehole's unit labels may reach beyond its field's right edge, over the ruler space
// of the field to its right, and how they keep clear of that ruler's depth numbers. Where the room is
// short the labels' lines are drawn shorter, the texts following them.
struct LabelRoom {
    double right = 0;              // the texts' right edge at most (the next ruler's ticks, less the gap)
    double top = 0, bottom = 0;    // texts reach beyond the field or move only between these (the body)
    double end = HUGE_VAL;         // and a text that moves stands no lower than this (the end of the hole)
    double lineScale = 1;          // the lines at this fraction of their length
    std::vector<QRectF> keepClear; // the boxes of the next ruler's numbers
};
// A unit label's name is shortened to no fewer than this many characters at either end of the ellipsis.
constexpr int ShortenedNameKeeps = 4;
// The texts of the unit labels beside a column, for the labels `wanted` (none for the other labels and
// those that are not texts), starting at `textX` and whole left of `textRight` less the gap: set
// smaller (down to `smallestPoints`), then seams and plies shortened (keeping `ShortenedNameKeeps`
// characters at either end, else left out); a sample number, an identifier, is left out rather than
// shortened. A text set smaller keeps its middle where the label stands. On
// paper (`room`) a text short of room in its field reaches on, at the smallest size, over the next
// field's ruler space in the rows of the body; where a number of the next ruler would leave it less
// room it moves up or down, a line at most, clear of the number and the other labels (the brackets'
// tails at its own edges going with it, see `FollowedTails`), or else takes the room left of it.
// `regularHalf` and `italicHalf` are half the line heights of the two fonts.
struct LabelText {
    FittedText fitted;
    double y = 0;        // its middle
    double half = 0;     // half its line height
    bool beyond = false; // reaching over the next field
};
std::vector<LabelText> FitLabelTexts(const QPaintDevice* device, const std::vector<ViewGeometry::UnitLabel>& labels,
                                     const std::vector<bool>& wanted, const QFont& regular, const QFont& italic,
                                     double regularHalf, double italicHalf, double textX, double textRight,
                                     double smallestPoints, const LabelRoom* room);
// Where the brackets' tails go once `FitLabelTexts` has moved texts off their rows: a tail at a moved
// text's top or bottom edge moves with it, so that the bracket still holds its sample or ply's text, and
// no other tail is left inside a moved text's row. One value per label (its own for all but brackets).
std::vector<double> FollowedTails(const std::vector<ViewGeometry::UnitLabel>& labels,
                                  const std::vector<LabelText>& texts, double regularHalf, double italicHalf);
// The row nearest `y`, at most `maxShift` from it and between `top` and `bottom`, at which a text
// `half` above and below its middle, spanning `left` to `right`, keeps clear of the boxes and of the
// rows others take (their top and bottom); NaN when there is none.
double ClearRow(double y, double half, double left, double right, const std::vector<QRectF>& boxes,
                const std::vector<std::pair<double, double>>& taken, double top, double bottom, double maxShift);
// The length of the labels' lines, from the column, at full scale: seam lines end 3 mm from it and their
// texts start at 4 mm, ply brackets reach 4 mm, sample brackets 6 mm.
constexpr double LabelTextIndent = 4.0;
constexpr double SampleBracketLength = 6.0;
// The end of the hole's mark under its last base: a triangle a millimetre high on a stem this long,
// its word "EOH" under the stem.
constexpr double EndMarkStem = 2.0;
// A sample bracket's slanting part, from the column: its start and its end.
constexpr double SampleLeaderStart = 0.5;
constexpr double SampleLeaderEnd = 3.5;

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
