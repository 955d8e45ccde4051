#include "docview/print/pagination/LogPagination.h"

#include <algorithm>
#include <cmath>

#include <QPainterPath>

namespace LogPagination {

namespace {

bool Finite(double v) { return std::isfinite(v); }

void Deepen(double& deepest, double depth)
{
    if (Finite(depth) && depth > deepest)
        deepest = depth;
}

float CellWidthOf(const Input& input, const LegendUtils::LegendItems& entries, float minCellWidth)
{
    if (input.cellWidth)
        return input.cellWidth(entries, minCellWidth);
    const LegendStyle& style = input.setup.legendStyle;
    return entries.empty() ? minCellWidth : std::max(minCellWidth, style.boxWidth + style.spacing);
}

// The widest cell of a legend `columns` cells wide that fits `width` with its margins and gaps. Cell
// widths are floats: rounded up, a cell made as wide as the page would no longer fit it.
float WidestCell(const LegendStyle& style, double width, unsigned columns)
{
    const unsigned n = std::max(1u, columns);
    const double widest = (width - 2.0 * style.horizontalMargin + style.horizontalGap) / n - style.horizontalGap;
    const float cell = static_cast<float>(widest);
    return cell > widest ? std::nextafter(cell, -HUGE_VALF) : cell;
}

// The narrowest cell worth drawing: the box, the spacing and as much again as the box for the name.
float LeastCell(const LegendStyle& style) { return 2 * style.boxWidth + style.spacing; }

LegendUtils::LegendItems LegendOf(const Input& input, double top, double bottom)
{
    return input.legend ? input.legend(top, bottom) : LegendUtils::LegendItems();
}

// Pages of their own for the whole document's legend, each taking as many entries as fit the content
// area beside the title block (and the logo). False when a page takes none: the legend cannot fit.
bool AppendLegendPages(const Input& input, Layout& layout)
{
    LegendUtils::LegendItems remaining = LegendOf(input, 0.0, input.deepestDepth);
    if (remaining.empty())
        return true;
    const LegendStyle& style = input.setup.legendStyle;
    // A long name is set smaller or wrapped in a cell no wider than the page (see `LegendGrid`); the
    // region's columns count a gap after each.
    const float cellWidth = std::min(CellWidthOf(input, remaining, 0.0f),
                                     WidestCell(style, layout.content.width() - style.horizontalGap, 1));
    if (cellWidth < LeastCell(style))
        return false;
    QPainterPath region;
    region.addRect(layout.content);
    QPainterPath taken;
    taken.addRect(layout.titleBlock);
    if (layout.hasLogo)
        taken.addRect(layout.logoBox);
    region = region.subtracted(taken);
    while (!remaining.empty()) {
        std::size_t placed = 0;
        LegendGrid grid = style.FitToArea(remaining.size(), region, cellWidth, placed);
        if (placed == 0)
            return false;
        placed = std::min(placed, remaining.size());
        PageRecord page;
        page.legendPage = true;
        page.legend.assign(remaining.begin(), remaining.begin() + static_cast<std::ptrdiff_t>(placed));
        page.grid = std::move(grid);
        page.legendSize = page.grid.GetSize(style);
        layout.pages.push_back(std::move(page));
        remaining.erase(remaining.begin(), remaining.begin() + static_cast<std::ptrdiff_t>(placed));
    }
    return true;
}

} // namespace

double DeepestDepth(const ORBAX_Logging::Borehole* left, const ORBAX_Logging::Borehole* right,
                    const std::vector<std::unique_ptr<LasProperty>>& traces)
{
    double deepest = 0.0;
    for (const ORBAX_Logging::Borehole* hole : {left, right})
        if (hole && !hole->empty())
            Deepen(deepest, hole->back().bottom);
    for (const auto& file : traces) {
        if (!file)
            continue;
        double shift = 0.0;
        for (const CurveProperty& curve : file->curves())
            if (Finite(curve.depthOffset) && curve.depthOffset > shift)
                shift = curve.depthOffset;
        Deepen(deepest, std::max(file->start_depth(), file->stop_depth()) + shift);
    }
    return deepest;
}

Layout Paginate(const Input& input)
{
    Layout layout;
    const PageSetupSettings& setup = input.setup;
    const LegendStyle& style = setup.legendStyle;
    const double h = input.lineHeight;
    const double scale = input.scale;
    const double deepest = Finite(input.deepestDepth) ? std::max(0.0, input.deepestDepth) : 0.0;

    // A count below 1 would never move on to the next page.
    layout.columns = std::max(1, setup.columnsPerPage);
    layout.content =
        QRectF(setup.leftMargin, setup.topMargin, input.printable.width() - setup.leftMargin - setup.rightMargin,
               input.printable.height() - setup.topMargin - setup.bottomMargin);
    const QRectF& content = layout.content;
    layout.tickTextOffset = input.tickLineHeight / 2;

    // The body between the names above and the trace labels, legend and title block below.
    layout.bodyTop = content.top() + 3 * h;
    const double fullBodyBottom = content.bottom() - 10 * h;
    const double bodyHeight = fullBodyBottom - layout.bodyTop;
    if (!(content.width() > 0)) {
        layout.outcome = Outcome::NoWidth;
        return layout;
    }
    if (!(bodyHeight > 0) || !ViewGeometry::IsUsableScale(scale) || !(h >= 0)) {
        layout.outcome = Outcome::NoBodyHeight;
        return layout;
    }
    layout.ruler = ViewGeometry::ComputeRulerStep(bodyHeight, scale, input.tickLineHeight);
    const double step = layout.ruler.step;
    double D = step > 0 ? std::floor(scale * bodyHeight / step) * step : 0.0;
    if (!(D > 0) || !Finite(D)) {
        // Not even one ruler step fits the body.
        layout.outcome = Outcome::NoBodyHeight;
        return layout;
    }

    const bool shown[FieldCount] = {setup.showLeftBorehole, setup.showRightBorehole, setup.showTrace1, setup.showTrace2,
                                    setup.showTrace3};
    for (int f = 0; f < FieldCount; ++f) {
        layout.fields[f].shown = shown[f];
        if (shown[f])
            ++(f < Trace1 ? layout.boreholesShown : layout.tracesShown);
    }
    const int b = layout.boreholesShown;
    const int t = layout.tracesShown;

    // The title block (and the logo box left of it) inside the frame: narrower than 75 mm where the
    // content is, but never narrower than it is high.
    layout.hasLogo = !setup.logoFile.empty();
    const double titleWidth = std::min(75.0, content.width() - (layout.hasLogo ? 5 * h : 0.0));
    if (!(titleWidth >= 5 * h)) {
        layout.outcome = Outcome::NoWidth;
        return layout;
    }
    const double titleLeft = content.right() - titleWidth;
    layout.titleBlock = QRectF(titleLeft, content.bottom() - 5 * h, titleWidth, 5 * h);
    if (layout.hasLogo)
        layout.logoBox = QRectF(titleLeft - 5 * h, layout.titleBlock.top(), 5 * h, 5 * h);
    layout.usableRight = content.right();

    if (b + t == 0) {
        // Only the frame, the title block and the logo.
        layout.depthPerColumn = D;
        layout.bodyBottom = fullBodyBottom;
        layout.pages.emplace_back();
        return layout;
    }

    const double u = content.width() / (45.0 * t + 22.5 * b);
    const double boreWidth = std::min(22.5 * u, static_cast<double>(setup.maxBoreWidth));
    const double traceWidth = std::min(45.0 * u, static_cast<double>(setup.maxTraceWidth));
    const int position = setup.legendPosition;

    // What a legend below the log leaves free under the body: a line, and on the page-column where a
    // hole ends near the body's foot the room its end-of-hole mark takes below it.
    auto roomUnderBody = [&](double depth, double bottom) {
        double room = h;
        for (int f = LeftBorehole; f <= RightBorehole; ++f) {
            const double end = input.holeEnd[f];
            if (!shown[f] || !Finite(end) || !(end > 0) || !(input.endMarkBelow > room))
                continue;
            // Where in its page-column the end stands: (0, depth] from the column's top.
            const double inColumn = end - (std::ceil(end / depth) - 1) * depth;
            if (bottom - layout.bodyTop - inColumn / scale < input.endMarkBelow)
                room = input.endMarkBelow;
        }
        return room;
    };

    float widestCell = 0.0f;
    double bodyBottom = fullBodyBottom;
    for (;;) {
        bool restart = false;
        // A tiny allowance, so that a depth range of exactly n millimetres does not take n + 1.
        bodyBottom = layout.bodyTop + std::ceil(D / scale - 1e-9);
        layout.pages.clear();
        layout.usableRight = content.right();

        if (position == PageSetupSettings::BeginningOfDocument && !AppendLegendPages(input, layout)) {
            layout.outcome = Outcome::LegendDoesNotFit;
            return layout;
        }
        const std::size_t firstLogPage = layout.pages.size();
        const double pageDepth = layout.columns * D;
        if (std::ceil(deepest / pageDepth) > static_cast<double>(MaxLogPages)) {
            layout.outcome = Outcome::TooManyPages;
            return layout;
        }
        for (std::size_t k = 0;; ++k) {
            // Tops are multiples of the page's depth range, never sums that drift.
            const double top = static_cast<double>(k) * pageDepth;
            if (!(top < deepest))
                break;
            PageRecord page;
            page.topDepth = top;
            layout.pages.push_back(std::move(page));
        }

        if (position == PageSetupSettings::BottomOfPage || position == PageSetupSettings::RightOfPage) {
            // Each log page's legend, below the body in the width left of the title block (and the
            // logo), or right of the body in the height above the title block.
            const bool below = position == PageSetupSettings::BottomOfPage;
            const double room =
                below ? layout.LegendRightLimit() - content.left() : layout.titleBlock.top() - content.top();
            for (std::size_t i = firstLogPage; i < layout.pages.size(); ++i) {
                PageRecord& page = layout.pages[i];
                page.legend = LegendOf(input, page.topDepth, page.topDepth + pageDepth);
                if (page.legend.empty())
                    continue;
                const float cell = CellWidthOf(input, page.legend, widestCell);
                // Every page's legend gets the same cell width: a wider one starts over.
                if (widestCell > 0 && cell > widestCell) {
                    widestCell = cell;
                    restart = true;
                    break;
                }
                widestCell = std::max(widestCell, cell);
                // No wider than the room beside the title block, or a share of the page at the right: its
                // names are then set smaller or wrapped (see `LegendGrid`).
                const float widest =
                    below ? WidestCell(style, room, 1)
                          : WidestCell(
                                style, RightLegendShare * content.width(),
                                LegendGrid::Compute(style, page.legend.size(), static_cast<float>(room), 0.0f).columns);
                if (widest < LeastCell(style)) {
                    layout.outcome = Outcome::LegendDoesNotFit;
                    return layout;
                }
                const float fitted = std::min(widestCell, widest);
                page.grid = below ? style.FitToWidth(page.legend.size(), static_cast<float>(room), fitted)
                                  : LegendGrid::Compute(style, page.legend.size(), static_cast<float>(room), fitted);
                page.legendSize = page.grid.GetSize(style);
                if (!below) {
                    layout.usableRight = std::min(layout.usableRight, content.right() - page.legendSize.width());
                } else if (content.bottom() < bodyBottom + page.legendSize.height() + roomUnderBody(D, bodyBottom) &&
                           D > 2 * step) {
                    // A legend that does not fit below the body takes depth off every page-column.
                    D -= step;
                    restart = true;
                    break;
                }
            }
            if (!below && !restart && !(layout.usableRight > content.left())) {
                // The log would have no width left.
                layout.outcome = Outcome::LegendDoesNotFit;
                return layout;
            }
        }
        if (restart)
            continue;

        if (position == PageSetupSettings::EndOfDocument && !AppendLegendPages(input, layout)) {
            layout.outcome = Outcome::LegendDoesNotFit;
            return layout;
        }
        break;
    }
    layout.depthPerColumn = D;
    layout.bodyBottom = bodyBottom;

    // The fields of one page-column, left to right: left borehole, right borehole, traces 1 to 3.
    const double P = (layout.usableRight - content.left()) / layout.columns;
    layout.pageColumnWidth = P;
    const double r = P / (20.0 * (b + t));
    double bw = std::min(boreWidth, 7 * r);
    double tw = std::min(traceWidth, 14 * r);
    const double g = (P - b * bw - t * tw) / (13.0 * b + 6.0 * t);
    // A borehole's column holds its end-of-hole word: a narrower one is widened (no wider than the page
    // setup lets a column be), the trace plots giving the room, down to a share of their width.
    const double bwSet = bw, twSet = tw;
    const double endWord = b > 0 ? std::min(input.endMarkWidth, boreWidth) : 0.0;
    if (bw < endWord && t > 0) {
        const double taken = std::min(b * (endWord - bw), t * tw * (1 - LeastBodyShare));
        bw += taken / b;
        tw -= taken / t;
    }
    // A borehole's unit labels stand right of its column, in 8g: where their texts need more, the
    // columns and plots give it, down to a share of their width.
    double labelExtra[2] = {0, 0};
    double wanted = 0;
    for (int f = LeftBorehole; f <= RightBorehole; ++f)
        if (shown[f] && Finite(input.labelRoom[f])) {
            labelExtra[f] = std::max(0.0, input.labelRoom[f] - 8 * g);
            wanted += labelExtra[f];
        }
    // The bodies give it in proportion to their widths, down to their least: half the width they were
    // set to, and for a column no less than its end-of-hole word where it holds it. What one cannot give,
    // the other does.
    const double bwLeast = std::max(bwSet * LeastBodyShare, std::min(bw, endWord));
    const double twLeast = twSet * LeastBodyShare;
    const double spare = b * (bw - bwLeast) + t * (tw - twLeast);
    if (wanted > 0 && spare > 0) {
        const double given = std::min(wanted, spare);
        const double cut = given / (b * bw + t * tw);
        double column = std::max(bwLeast, bw * (1 - cut));
        double plot = std::max(twLeast, tw * (1 - cut));
        const double owed = given - b * (bw - column) - t * (tw - plot);
        if (owed > 0 && column > bwLeast)
            column = std::max(bwLeast, column - owed / b);
        else if (owed > 0 && t > 0)
            plot = std::max(twLeast, plot - owed / t);
        bw = column;
        tw = plot;
        for (double& extra : labelExtra)
            extra *= given / wanted;
    }
    const double bodyHeightAtD = bodyBottom - layout.bodyTop;
    double x = 0;
    for (int f = 0; f < FieldCount; ++f) {
        Field& field = layout.fields[f];
        if (!field.shown)
            continue;
        const bool borehole = f < Trace1;
        const double width = borehole ? bw : tw;
        const double fieldWidth = width + (borehole ? 13 * g + labelExtra[f] : 6 * g);
        // The field's height is measured from the body's bottom as a page position, as the log was
        // always printed: it reaches below the labels, and everything after the log draws over it.
        field.footer = borehole ? std::max(h, input.endMarkBelow) : 5 * h;
        field.field = QRectF(x, content.top(), fieldWidth, bodyBottom + field.footer);
        field.body = QRectF(x + 5 * g, layout.bodyTop, width, bodyHeightAtD);
        x += fieldWidth;
    }
    return layout;
}

} // namespace LogPagination
