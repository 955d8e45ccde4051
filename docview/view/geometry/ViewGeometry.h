#pragma once
// The millimetre geometry of the main view, shared by its drawing, its mouse handling and printing:
// where a unit or an element lies in a column, the step of the depth ruler and its ticks, the
// layout of the panes and trace columns in the client area, and where the unit labels go. Depths
// are metres; the scale is metres of depth per millimetre. Nothing here needs a window.
#include <string>
#include <vector>

#include <QRectF>
#include <QSizeF>

#include "core/model/Borehole.h"

namespace ORBAX_Geophysics {
class LasDataCommon;
}

namespace ViewGeometry {

// A scale, tolerance or step that is not a positive finite number cannot take part in a division.
bool IsUsableScale(double scale);

// Depths typed or dragged in the view are multiples of 1/tolerance.
double SnapDepth(double depth, int tolerance);

// True when the rectangles overlap with some area (touching edges do not count).
bool RectsIntersect(const QRectF& a, const QRectF& b);

// The step of the depth ruler for a length of `length` millimetres at the scale: labels every
// `step` metres, ticks every half step, labels written with `decimals` places. Labels stand at least
// `minSpacing` millimetres apart (their height): at small scales the step goes on past 5 m to 10, 20,
// 50, 100 m and so on.
struct RulerStep {
    double step = 0;
    double halfStep = 0;
    int decimals = 0;
};
RulerStep ComputeRulerStep(double length, double scale, double minSpacing = 0);

// One tick of the ruler over a span `length` millimetres long whose top shows depth `topDepth`:
// the tick's depth, its y from the span's top (millimetres, measured from the depth `origin`: the
// caller translates by top - y0) and whether it carries a label.
struct DepthTick {
    double depth;
    double y;
    bool labelled;
};
// The ticks at half steps down the span; `origin` is the depth at y = 0 of the tick coordinates.
// No ticks for a span or scale that is not positive, or when there would be more than MaxTicks.
constexpr int MaxTicks = 20000;
std::vector<DepthTick> DepthTicks(double length, double topDepth, double origin, double scale, RulerStep& step,
                                  double minSpacing = 0);

// Unit geometry. Each throws ORBAX_Logging::Exception "Unit out of range" for a bad index.
// The unit's row in a column of the given width: x 0, y from the base of the unit above (0 for the
// first unit) to its own base, divided by the scale.
QRectF UnitRowRect(double columnWidth, double scale, int unit, const ORBAX_Logging::Borehole& borehole);
// The unit in a column whose top shows `topDepth`: its top (base above) to its stored thickness.
QRectF UnitRectInColumn(const QRectF& column, double topDepth, double scale, int unit,
                        const ORBAX_Logging::Borehole& borehole);
// The element's share of the unit row, left to right in element order.
QRectF ElementRect(int unit, int element, double columnWidth, double scale, const ORBAX_Logging::Borehole& borehole);

// The first unit whose base lies at or below `depth` (units are in depth order): the walk over the
// visible units starts there, so drawing costs what is visible, not the borehole's length.
int FirstUnitWithBaseAtOrBelow(const ORBAX_Logging::Borehole& borehole, double depth);

// The row of a trace file for a depth: the first row whose depth is not above it; past the end, the
// last row. Throws the LAS reader's exception for a file without curves; -1 for a file without rows.
int IndexAtDepth(const ORBAX_Geophysics::LasDataCommon& file, double depth);

// The layout of the client area. Inputs are measured by the caller on its device.
struct LayoutInput {
    QSizeF clientPixels; // client area without the right-hand scroll bar, in device pixels
    double pixelsPerMmX = 96 / 25.4;
    double pixelsPerMmY = 96 / 25.4;
    int scrollBarPixels = 16;   // width of a vertical scroll bar
    double lineHeight = 4;      // "Our test text" in the general font, millimetres
    double tickLineHeight = 3;  // the same text in the tick font
    double depthTextWidth = 10; // "Depth: " in the general font
};

struct ViewLayout {
    double u = 0;           // a hundredth of the usable width
    double lineHeight = 0;  // h
    int lineStepPixels = 0; // h in whole device pixels: one line of scrolling
    double tickLineHeight = 0;
    double tickTextOffset = 0; // half the tick line height
    double depthTextWidth = 0;
    double tickOrigin = 1.0;
    int tickIndent = 2;
    double scrollBarWidth = 0; // millimetres

    QRectF leftColumn, rightColumn;
    QRectF tracePlot[3];
    QRectF leftPane, rightPane;
    QRectF traceColumn[3];
    QRectF leftFooter, rightFooter;

    int leftScrollBarX = 0; // device x of the left pane's scroll bar
    int rightPaneLeftPixel = 0;
    int clientWidthPixels = 0;

    const QRectF& column(int pane) const { return pane == 0 ? leftColumn : rightColumn; }
    const QRectF& pane(int pane) const { return pane == 0 ? leftPane : rightPane; }
    const QRectF& footer(int pane) const { return pane == 0 ? leftFooter : rightFooter; }
    // The part of a pane right of its column, where the unit labels are written.
    QRectF textArea(int pane) const;
};

ViewLayout ComputeLayout(const LayoutInput& input);

// A label of the units' text column: its texts placed near their units (see `CollectUnitLabels`).
struct UnitLabel {
    enum Kind {
        SampleText = 0,
        PlyText = 1,
        SampleBracket = 2,
        PlyBracket = 3,
        SeamEnds = 5,
        SeamBegins = 6,
        ZeroThickness = 7,
    };
    int kind;
    double y;      // the boundary or natural position
    double labelY; // where the text or the bracket's tail goes
    std::wstring text;
    int unit;
    double size = 1;      // a text set at this fraction of its size, to stand near its units
    bool leftOut = false; // a text with no room near its units: not drawn
    // A bracket's texts: the one of the run it ends and the one of the run it begins, as indices into
    // the labels (-1: that run shows none here). A bracket is drawn only with a text of its own drawn.
    int above = -1;
    int below = -1;

    // A sample number, a ply name or a seam's name (the others are lines and markers).
    bool IsText() const { return kind == SampleText || kind == PlyText || kind == SeamEnds || kind == SeamBegins; }
};

// How far a text may stand from its units: this many of its label heights, so that the leaders to it
// stay no steeper than they can be followed.
constexpr double LabelReach = 2;
// What separates the tails of two brackets that no text stands between (the run between them has
// none, or its text was left out), in label heights at the smallest size.
constexpr double LabelTailGap = 0.3;

// The labels beside a column: sample-number runs with their brackets and the markers of units of no
// thickness, or (without sample numbers) seam names at the seams' ends and ply names with the brackets
// between plies. Heights are those of a label in the regular and the italic tick font (ply names are
// italic). The texts stand inside the column, none with its middle below the end of the hole (unless the
// hole ends that near the column's top), each within `LabelReach` of its label heights of its run or
// seam end: close ones are moved apart as little as keeps them apart; where that would carry
// one further, the crowded ones are set smaller, down to `smallestFactor` of their size, and then
// those still too far are left out (and marked so). Where brackets have no text left between them,
// only the first and the last are kept; each knows the texts it lies between.
std::vector<UnitLabel> CollectUnitLabels(const ORBAX_Logging::Borehole& borehole, const QRectF& column,
                                         bool showSampleNumbers, double topDepth, double scale, double regularHeight,
                                         double italicHeight, double smallestFactor = 2.0 / 3.0);

} // namespace ViewGeometry
