#pragma once
// How the log is cut into printed pages, worked out from the page's size, the page setup and a few
// measured text heights, without a printer or a window: the content area inside the margins, the body
// in which the columns are drawn, the depth each page-column shows (a whole number of ruler steps),
// the title block and logo box, where the fields of a page-column go, and one record per page with
// its top depth and, where the legend goes on the page or on pages of its own, its legend entries
// and their grid. Lengths are millimetres from the printable area's top-left corner; depths metres.
#include <cstddef>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include <QRectF>
#include <QSizeF>

#include "config/traces/LasProperty.h"
#include "core/model/Borehole.h"
#include "docview/view/geometry/ViewGeometry.h"
#include "printsetup/legend/LegendGrid.h"
#include "printsetup/legend/LegendUtils.h"
#include "printsetup/settings/PageSetupSettings.h"

namespace LogPagination {

// The deepest depth to print: the deepest base of the two boreholes and, for every trace file, its
// deeper end (a file may list its depths upwards) below its largest downward shift; never below 0.
double DeepestDepth(const ORBAX_Logging::Borehole* left, const ORBAX_Logging::Borehole* right,
                    const std::vector<std::unique_ptr<LasProperty>>& traces);

// Fields of a page-column, in the order they are placed.
enum FieldIndex { LeftBorehole = 0, RightBorehole = 1, Trace1 = 2, Trace2 = 3, Trace3 = 4, FieldCount = 5 };

struct Field {
    bool shown = false;
    // Relative to the content area's left edge (x) and to the printable area's top (y). The field
    // holds the body and, around it, the name, the ticks and labels or the trace labels.
    QRectF field;
    QRectF body;
    double footer = 0; // the height under the body its texts may take (a trace plot's range values)
};

struct PageRecord {
    double topDepth = 0.0;
    // On a page of its own, the legend replaces the log (legend at the beginning or the end).
    bool legendPage = false;
    // The page's legend entries and their arrangement (none when the page shows no legend).
    LegendUtils::LegendItems legend;
    LegendGrid grid;
    QSizeF legendSize;
};

// The legend entries for a depth range (the whole document for pages of their own), and the width
// of a cell that holds the widest of them, at least the minimum given.
using LegendSource = std::function<LegendUtils::LegendItems(double top, double bottom)>;
using CellWidthMeasure = std::function<float(const LegendUtils::LegendItems& entries, float minCellWidth)>;

struct Input {
    QSizeF printable;          // the printable area, millimetres
    PageSetupSettings setup;   // columns, shown fields, widths, margins, logo, legend
    double lineHeight = 0;     // "Our test string" in the general font
    double tickLineHeight = 0; // the same in the tick font
    double scale = 0.1;        // metres of depth per millimetre
    double deepestDepth = 0;
    LegendSource legend;        // none: no legend entries
    CellWidthMeasure cellWidth; // none: cells as wide as the minimum (or the box and spacing)
    // The room right of each borehole's column its unit labels take at the least (their widest text
    // that may not be shortened, at the smallest size, after the shortest lines); 0 for none.
    double labelRoom[2] = {0, 0};
    // The end of each borehole (its deepest base; NaN for none) and its end-of-hole mark: how far below
    // the base it reaches with the gap it keeps from what stands below, and how wide a column must be
    // to hold its word at the smallest size; 0 for none. The page-column on which a hole ends gives the
    // mark that room below its body, and the columns are widened to hold the word where the trace plots
    // can give it.
    double holeEnd[2] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
    double endMarkBelow = 0;
    double endMarkWidth = 0;
};

// The most of the content's width a legend at the right of the page takes: the log keeps the rest.
constexpr double RightLegendShare = 1.0 / 3.0;
// The columns and trace plots are narrowed down to this share of their width to give unit labels room,
// and the trace plots to it to widen the columns for their end-of-hole word.
constexpr double LeastBodyShare = 0.5;

enum class Outcome {
    Pages,            // the page list is ready
    NoBodyHeight,     // the margins and title block leave the log no height
    NoWidth,          // the side margins leave the title block (or the log) too little width
    LegendDoesNotFit, // a legend page (or the legend at the right) has no room for its entries
    TooManyPages,     // more log pages than MaxLogPages (a depth far beyond any hole, or a tiny scale)
};

// No log is printed on more pages than this; a deeper "deepest depth" comes from a damaged file.
constexpr std::size_t MaxLogPages = 20000;

struct Layout {
    Outcome outcome = Outcome::Pages;
    QRectF content;        // the printable area less the margins
    double bodyTop = 0;    // content top + 3 line heights
    double bodyBottom = 0; // the bottom of the body at the chosen depth per page-column
    ViewGeometry::RulerStep ruler;
    double depthPerColumn = 0; // D, a whole number of ruler steps
    QRectF titleBlock;         // 75 mm wide, or as wide as the content where that is narrower
    bool hasLogo = false;
    QRectF logoBox;
    double usableRight = 0; // the content's right edge, less a legend at the right
    int columns = 1;        // page-columns per page
    double pageColumnWidth = 0;
    int boreholesShown = 0;
    int tracesShown = 0;
    Field fields[FieldCount];
    double tickOrigin = 1.0;
    double tickIndent = 2.0;
    double tickTextOffset = 0;
    std::vector<PageRecord> pages;

    bool NothingShown() const { return boreholesShown + tracesShown == 0; }
    // The left edge of what the legend at the bottom may use: the logo box's, else the title block's.
    double LegendRightLimit() const { return hasLogo ? logoBox.left() : titleBlock.left(); }
    // The top depth shown by page-column `column` of the page.
    double ColumnTopDepth(const PageRecord& page, int column) const { return page.topDepth + column * depthPerColumn; }
};

Layout Paginate(const Input& input);

} // namespace LogPagination
