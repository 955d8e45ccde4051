#include "docview/view/geometry/ViewGeometry.h"

#include "core/model/Exception.h"
#include "core/model/NoCaseCompare.h"
#include "las/LasDataCommon.h"
#include "las/LasException.h"
#include <algorithm>
#include <cmath>
#include <functional>

using ORBAX_Logging::Borehole;

namespace ViewGeometry {

namespace {

void CheckUnit(const Borehole& borehole, int unit)
{
    if (unit < 0 || unit >= borehole.unitCount())
        throw ORBAX_Logging::Exception(ORBAX_Logging::Exception::UnitOutOfRange);
}

double UnitRowTop(const Borehole& borehole, int unit)
{
    return unit == 0 ? 0.0 : borehole[static_cast<std::size_t>(unit - 1)].bottom;
}

// A page rectangle whose right edge is moved to a whole device pixel; its left edge already lies on one.
QRectF SnapRight(double x, double y, double width, double height, double pixelsPerMm)
{
    const double right = std::floor((x + width) * pixelsPerMm) / pixelsPerMm;
    return QRectF(x, y, std::max(0.0, right - x), height);
}

// The next step above `p` of the progression 1, 2, 5, 10, 20, 50 ...
double NextRulerStep(double p)
{
    const double decade = std::pow(10.0, std::floor(std::log10(p)));
    for (double entry : {1.0, 2.0, 5.0, 10.0})
        if (decade * entry > p * (1 + 1e-9))
            return decade * entry;
    return decade * 20;
}

} // namespace

bool IsUsableScale(double scale) { return std::isfinite(scale) && scale > 0; }

double SnapDepth(double depth, int tolerance)
{
    if (tolerance <= 0)
        return depth;
    return std::floor(tolerance * depth + 0.5) / tolerance;
}

bool RectsIntersect(const QRectF& a, const QRectF& b)
{
    return a.x() + a.width() > b.x() && a.y() + a.height() > b.y() && a.x() < b.x() + b.width() &&
           a.y() < b.y() + b.height();
}

RulerStep ComputeRulerStep(double length, double scale, double minSpacing)
{
    double c = length / 20;
    const double m = std::min(20.0, length / 2);
    if (c < m)
        c = m;
    c *= scale;
    double p;
    double e;
    if (c > 1) {
        p = c / 10;
        e = 10;
    } else if (c < 0.1) {
        p = c * 10;
        e = 0.1;
    } else {
        p = c;
        e = 1;
    }
    static const double table[] = {0.1, 0.2, 0.5};
    for (int i = 2; i >= 0; --i)
        if (table[i] <= p) {
            p = e * table[i];
            break;
        }
    // Labels closer than their own height would run into each other (and the ticks and grid lines
    // into a smear): the step goes on up the same 1, 2, 5 progression until they stand apart.
    if (IsUsableScale(scale) && p > 0 && std::isfinite(p) && minSpacing > 0 && std::isfinite(minSpacing))
        for (int guard = 0; guard < 400 && p / scale < minSpacing; ++guard)
            p = NextRulerStep(p);
    RulerStep result;
    result.step = p;
    result.halfStep = p / 2;
    result.decimals = p > 0 && std::isfinite(p) ? std::max(0, static_cast<int>(-std::floor(std::log10(p)))) : 0;
    return result;
}

std::vector<DepthTick> DepthTicks(double length, double topDepth, double origin, double scale, RulerStep& step,
                                  double minSpacing)
{
    std::vector<DepthTick> ticks;
    step = RulerStep();
    if (!(length > 0) || !IsUsableScale(scale) || !std::isfinite(topDepth) || !std::isfinite(origin))
        return ticks;
    step = ComputeRulerStep(length, scale, minSpacing);
    const double half = step.halfStep;
    if (!(half > 0) || !std::isfinite(half))
        return ticks;
    const double end = scale * length + topDepth + 0.001;
    const double first = std::floor(topDepth / half);
    // A scale far outside what anyone views at would ask for millions of ticks: draw none then.
    if ((end - first * half) / half > MaxTicks)
        return ticks;
    // Each depth is a whole number of half steps, not a running sum, so that the label test is exact.
    for (double k = first;; ++k) {
        const double d = k * half;
        if (!(d < end))
            break;
        if (d > topDepth - 0.001) {
            const bool labelled = std::fabs(d - std::round(d / step.step) * step.step) < 0.00001;
            ticks.push_back({d, (d - origin) / scale, labelled});
        }
    }
    return ticks;
}

QRectF UnitRowRect(double columnWidth, double scale, int unit, const Borehole& borehole)
{
    CheckUnit(borehole, unit);
    const double top = UnitRowTop(borehole, unit);
    const double base = borehole[static_cast<std::size_t>(unit)].bottom;
    return QRectF(0, top / scale, columnWidth, (base - top) / scale);
}

QRectF UnitRectInColumn(const QRectF& column, double topDepth, double scale, int unit, const Borehole& borehole)
{
    CheckUnit(borehole, unit);
    const ORBAX_Logging::Interval& interval = borehole[static_cast<std::size_t>(unit)];
    const double top = interval.bottom - interval.thickness;
    return QRectF(column.x(), (top - topDepth) / scale + column.y(), column.width(), interval.thickness / scale);
}

QRectF ElementRect(int unit, int element, double columnWidth, double scale, const Borehole& borehole)
{
    QRectF row = UnitRowRect(columnWidth, scale, unit, borehole);
    const ORBAX_Logging::Interval& interval = borehole[static_cast<std::size_t>(unit)];
    // In floating point: a file may give any whole numbers as percentages, and their difference
    // need not be one.
    const double upTo = interval.percentageUpTo(element); // throws for a bad element
    const double percentage = interval.elements[static_cast<std::size_t>(element)].percentage;
    row.setX(columnWidth * (upTo - percentage) / 100.0);
    row.setWidth(columnWidth * percentage / 100.0);
    return row;
}

int FirstUnitWithBaseAtOrBelow(const Borehole& borehole, double depth)
{
    auto found = std::partition_point(borehole.begin(), borehole.end(),
                                      [depth](const ORBAX_Logging::Interval& unit) { return unit.bottom < depth; });
    return static_cast<int>(found - borehole.begin());
}

int IndexAtDepth(const ORBAX_Geophysics::LasDataCommon& file, double depth)
{
    if (file.curve_count() == 0)
        throw ORBAX_Geophysics::LasException();
    const ORBAX_Geophysics::DepthIndex& index = file.depth_index();
    if (index.empty())
        return -1;
    auto found = index.lower_bound(depth);
    if (found == index.end())
        return std::prev(index.end())->second;
    return found->second;
}

QRectF ViewLayout::textArea(int k) const
{
    const QRectF& p = pane(k);
    const QRectF& c = column(k);
    return QRectF(c.right(), p.y(), std::max(0.0, p.right() - c.right()), p.height());
}

ViewLayout ComputeLayout(const LayoutInput& in)
{
    ViewLayout layout;
    const double pxX = in.pixelsPerMmX > 0 ? in.pixelsPerMmX : 96 / 25.4;
    const double pxY = in.pixelsPerMmY > 0 ? in.pixelsPerMmY : 96 / 25.4;
    const double width = in.clientPixels.width() / pxX;
    const double height = in.clientPixels.height() / pxY;
    const double h = in.lineHeight;
    layout.lineHeight = h;
    layout.lineStepPixels = std::max(1, static_cast<int>(h * pxY));
    layout.tickLineHeight = in.tickLineHeight;
    layout.tickTextOffset = in.tickLineHeight / 2;
    layout.depthTextWidth = in.depthTextWidth;
    layout.scrollBarWidth = in.scrollBarPixels / pxX;
    const double sb = layout.scrollBarWidth;
    const double u = std::max(0.0, (width - sb) / 100);
    layout.u = u;

    // A window too small for the headers and footers gets columns of no height, never negative ones.
    const double columnHeight = std::max(0.0, height - 9 * h);
    const double paneHeight = std::max(0.0, height - 5 * h);
    layout.leftColumn = QRectF(5 * u, 3 * h, 5 * u, columnHeight);
    layout.rightColumn = QRectF(sb + 25 * u, 3 * h, 5 * u, columnHeight);
    for (int k = 0; k < 3; ++k)
        layout.tracePlot[k] = QRectF(sb + (45 + 20 * k) * u, 3 * h, 14 * u, columnHeight);

    layout.leftPane = SnapRight(0, 0, 20 * u, paneHeight, pxX);
    const int leftRightPixel = static_cast<int>(std::floor(layout.leftPane.right() * pxX + 0.5));
    const double rightPaneX = (leftRightPixel + in.scrollBarPixels) / pxX;
    layout.rightPane = SnapRight(rightPaneX, 0, 20 * u, paneHeight, pxX);
    double x = layout.rightPane.right();
    for (int k = 0; k < 3; ++k) {
        layout.traceColumn[k] = SnapRight(x, 0, 20 * u, height, pxX);
        x = layout.traceColumn[k].right();
    }
    layout.leftFooter = QRectF(layout.leftPane.x(), layout.leftPane.bottom(), layout.leftPane.width(),
                               std::max(0.0, height - layout.leftPane.bottom()));
    layout.rightFooter = QRectF(layout.rightPane.x(), layout.rightPane.bottom(), layout.rightPane.width(),
                                std::max(0.0, height - layout.rightPane.bottom()));

    layout.leftScrollBarX = leftRightPixel;
    layout.rightPaneLeftPixel = leftRightPixel + in.scrollBarPixels;
    layout.clientWidthPixels = static_cast<int>(in.clientPixels.width());
    return layout;
}

namespace {

// One text to place: where it stands when it has room (the middle of its run's part of the column, or
// its seam's end), the part of the column it labels, how many brackets lie above it down the column
// (two texts with more than one between need room for two tails) and its height at its full size. The
// placing sets where it stands, its size and whether it is shown.
struct LabelSlot {
    double natural = 0;
    double top = 0, bottom = 0;
    int run = 0;
    double height = 0;
    double y = 0;
    double size = 1;
    bool shown = true;
};

// Places the texts between `top` and `bottom`, in their order, none with its middle below `end` (the
// end of the hole) unless it is that near the top (see `CollectUnitLabels`).
void PlaceLabelTexts(std::vector<LabelSlot>& texts, double top, double bottom, double end, double smallestFactor)
{
    for (LabelSlot& text : texts) {
        text.y = text.natural;
        text.size = 1;
        text.shown = true;
    }
    if (std::any_of(texts.begin(), texts.end(),
                    [](const LabelSlot& text) { return !(text.height > 0) || !std::isfinite(text.height); }))
        return;
    const double smallest = std::clamp(smallestFactor, 0.1, 1.0);
    constexpr double step = 0.85; // the sizes between full and smallest
    constexpr double tolerance = 1e-9;
    std::vector<std::size_t> shown;
    std::vector<double> offset, excess;
    struct Block {
        double sum;
        std::size_t count;
    };
    std::vector<Block> blocks;
    auto half = [&](std::size_t j) { return texts[shown[j]].height * texts[shown[j]].size / 2; };
    // How far apart two neighbours stand at least: their half heights, and room for two tails where
    // more than one bracket lies between them.
    auto tails = [&](const LabelSlot& upper, const LabelSlot& lower) {
        return lower.run - upper.run > 1 ? LabelTailGap * lower.height * smallest : 0.0;
    };
    auto apart = [&](std::size_t j) { return half(j - 1) + half(j) + tails(texts[shown[j - 1]], texts[shown[j]]); };
    // The lowest the middle of a text of half height `h` may stand.
    auto lowestMiddle = [&](double h) { return std::min(bottom - h, std::max(end, top + h)); };
    // Places the shown texts at their sizes; true when each stands within its reach and the column.
    auto place = [&] {
        shown.clear();
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (texts[i].shown)
                shown.push_back(i);
        const std::size_t n = shown.size();
        if (n == 0)
            return true;
        offset.assign(n, 0.0);
        for (std::size_t j = 1; j < n; ++j)
            offset[j] = offset[j - 1] + apart(j);
        // Each text as near its place as keeps them apart: with the offsets taken off, the places
        // must not fall, and the nearest such (least squares) are the means of pooled neighbours.
        blocks.clear();
        for (std::size_t j = 0; j < n; ++j) {
            blocks.push_back({texts[shown[j]].natural - offset[j], 1});
            while (blocks.size() > 1 && blocks[blocks.size() - 2].sum * blocks.back().count >
                                            blocks.back().sum * blocks[blocks.size() - 2].count) {
                blocks[blocks.size() - 2].sum += blocks.back().sum;
                blocks[blocks.size() - 2].count += blocks.back().count;
                blocks.pop_back();
            }
        }
        // Inside the column: all move together, as little as that takes.
        const double lowest = top + half(0);
        const double highest = std::max(lowest, lowestMiddle(half(n - 1)) - offset[n - 1]);
        std::size_t j = 0;
        for (const Block& block : blocks)
            for (std::size_t m = 0; m < block.count; ++m, ++j)
                texts[shown[j]].y = std::clamp(block.sum / block.count, lowest, highest) + offset[j];
        // How much further than it may each stands from its run, or past the column's ends.
        excess.assign(n, 0.0);
        bool near = true;
        for (j = 0; j < n; ++j) {
            const LabelSlot& text = texts[shown[j]];
            const double away = std::max({0.0, text.top - text.y, text.y - text.bottom});
            excess[j] = std::max(0.0, away - LabelReach * 2 * half(j)) + std::max(0.0, top + half(j) - text.y) +
                        std::max(0.0, text.y - lowestMiddle(half(j)));
            near = near && excess[j] <= tolerance;
        }
        return near;
    };
    // The crowds (texts standing as close as they may) with one standing too far, as first and last
    // index into `shown`, and those too far.
    auto crowds = [&](const std::function<void(std::size_t, std::size_t, std::vector<std::size_t>&)>& take) {
        std::vector<std::size_t> far;
        for (std::size_t first = 0; first < shown.size();) {
            std::size_t last = first;
            while (last + 1 < shown.size() &&
                   texts[shown[last + 1]].y - texts[shown[last]].y <= apart(last + 1) + tolerance)
                ++last;
            far.clear();
            for (std::size_t j = first; j <= last; ++j)
                if (excess[j] > tolerance)
                    far.push_back(j);
            if (!far.empty())
                take(first, last, far);
            first = last + 1;
        }
    };
    if (place())
        return;
    // Too crowded at the full size: all are set at the smallest size, and as many are kept as can stand
    // near their runs, taken down the column each as high as its reach lets it stand.
    const LabelSlot* previous = nullptr;
    double last = 0;
    for (LabelSlot& text : texts) {
        text.size = smallest;
        const double least = text.height * smallest;
        const double from = std::max(text.top - LabelReach * least, top + least / 2);
        const double to = std::min(text.bottom + LabelReach * least, lowestMiddle(least / 2));
        const double at =
            previous ? std::max(from, last + (previous->height * smallest + least) / 2 + tails(*previous, text)) : from;
        text.shown = at <= to + tolerance;
        if (text.shown) {
            last = at;
            previous = &text;
        }
    }
    // Set as near their runs as they may stand, the kept ones may yet stand too far: of each crowd with
    // texts too far the half furthest are left out, until the rest stand near.
    while (!place())
        crowds([&](std::size_t, std::size_t, std::vector<std::size_t>& far) {
            std::sort(far.begin(), far.end(), [&](std::size_t a, std::size_t b) { return excess[a] > excess[b]; });
            for (std::size_t d = 0; d < (far.size() + 1) / 2; ++d)
                texts[shown[far[d]]].shown = false;
        });
    // Then each grows back a step at a time while it and its crowd still stand near.
    std::vector<double> before(texts.size());
    std::vector<bool> settled(texts.size(), false);
    for (;;) {
        std::vector<std::size_t> grown;
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (texts[i].shown && !settled[i] && texts[i].size < 1) {
                before[i] = texts[i].size;
                texts[i].size = std::min(1.0, texts[i].size / step);
                grown.push_back(i);
            }
        if (grown.empty())
            break;
        while (!place()) {
            bool undone = false;
            crowds([&](std::size_t first, std::size_t last, std::vector<std::size_t>&) {
                for (std::size_t j = first; j <= last; ++j) {
                    const std::size_t i = shown[j];
                    if (!settled[i] && std::binary_search(grown.begin(), grown.end(), i)) {
                        texts[i].size = before[i];
                        settled[i] = true;
                        undone = true;
                    }
                }
            });
            if (!undone) {
                for (std::size_t i : grown) {
                    texts[i].size = before[i];
                    settled[i] = true;
                }
                place();
                break;
            }
        }
    }
}

// The texts of a column collected down it, each with the label it becomes, and the brackets between
// them; then placed near their units, and the brackets' tails run to the room between them.
class LabelCollector {
public:
    LabelCollector(std::vector<UnitLabel>& labels, const QRectF& column, double end)
        : m_labels(labels), m_column(column), m_end(end)
    {
    }

    bool insideColumn(double y) const { return y >= m_column.top() && y <= m_column.bottom(); }

    // A text in the middle of the part of [top, bottom] that lies inside the column.
    void text(int kind, double top, double bottom, const std::wstring& text, int unit, double height)
    {
        const double from = std::max(top, m_column.top());
        const double to = std::min(bottom, m_column.bottom());
        if (!text.empty() && to > from)
            add(kind, (from + to) / 2, from, to, text, unit, height);
    }
    // A text at a boundary (a seam's end); none outside the column.
    void at(int kind, double y, const std::wstring& text, int unit, double height)
    {
        if (!text.empty() && insideColumn(y))
            add(kind, y, y, y, text, unit, height);
    }
    // A bracket at a boundary, where the text above ends and the one below begins.
    void bracket(int kind, double y, int unit) { m_brackets.push_back({kind, y, unit}); }

    void place(double smallestFactor)
    {
        PlaceLabelTexts(m_slots, m_column.top(), m_column.bottom(), m_end, smallestFactor);
        // The brackets between two shown texts (or a text and the column's end) run to the room between
        // them; where more than one lies there (runs without a text between, or texts left out), only
        // the first and the last are drawn, their tails kept apart.
        auto nextShown = [&](std::size_t from) {
            while (from < m_slots.size() && !m_slots[from].shown)
                ++from;
            return from;
        };
        // Each bracket's texts: of its kind, the last in the run above it and the first in the run below
        // (a seam's boundary, which has no bracket, may end one ply's run and begin the next).
        std::vector<int> lastOfRun(m_brackets.size() + 1, -1), firstOfRun(m_brackets.size() + 1, -1);
        for (std::size_t t = 0; t < m_slots.size(); ++t)
            if (m_texts[t].kind == UnitLabel::SampleText || m_texts[t].kind == UnitLabel::PlyText) {
                const auto run = static_cast<std::size_t>(m_slots[t].run);
                lastOfRun[run] = static_cast<int>(t);
                if (firstOfRun[run] < 0)
                    firstOfRun[run] = static_cast<int>(t);
            }
        std::vector<UnitLabel> brackets;
        auto keep = [&](std::size_t k, double tail) {
            const Bracket& bracket = m_brackets[k];
            brackets.push_back({bracket.kind, bracket.y, tail, std::wstring(), bracket.unit});
            brackets.back().above = lastOfRun[k];
            brackets.back().below = firstOfRun[k + 1];
        };
        std::size_t next = nextShown(0); // the first shown text below the brackets looked at
        std::size_t k = 0;
        double upperOfPrevious = m_column.top();
        while (k < m_brackets.size()) {
            // The brackets above the text `next` (all that are left when there is none).
            const std::size_t end =
                next < m_slots.size() ? static_cast<std::size_t>(m_slots[next].run) : m_brackets.size();
            std::vector<std::size_t> inside;
            for (; k < end; ++k)
                if (insideColumn(m_brackets[k].y))
                    inside.push_back(k);
            const double lower = upperOfPrevious;
            const double upper = next < m_slots.size() ? top(m_slots[next]) : m_column.bottom();
            if (!inside.empty()) {
                const Bracket& first = m_brackets[inside.front()];
                const double gap = LabelTailGap * m_tallest * std::clamp(smallestFactor, 0.1, 1.0);
                const double apart = inside.size() > 1 ? std::min(gap, std::max(0.0, upper - lower)) : 0.0;
                const double firstTail = std::clamp(first.y, lower, std::max(lower, upper - apart));
                keep(inside.front(), firstTail);
                if (inside.size() > 1) {
                    const Bracket& last = m_brackets[inside.back()];
                    keep(inside.back(), std::clamp(last.y, firstTail + apart, std::max(firstTail + apart, upper)));
                }
            }
            if (next >= m_slots.size())
                break;
            upperOfPrevious = top(m_slots[next]) + m_slots[next].height * m_slots[next].size;
            next = nextShown(next + 1);
        }
        // The texts follow the brackets: their indices are counted from there.
        const int firstText = static_cast<int>(m_labels.size() + brackets.size());
        for (UnitLabel& bracket : brackets) {
            for (int* text : {&bracket.above, &bracket.below})
                if (*text >= 0)
                    *text += firstText;
            m_labels.push_back(std::move(bracket));
        }
        for (std::size_t t = 0; t < m_slots.size(); ++t) {
            UnitLabel label = m_texts[t];
            label.labelY = m_slots[t].shown ? m_slots[t].y : label.y;
            label.size = m_slots[t].size;
            label.leftOut = !m_slots[t].shown;
            m_labels.push_back(std::move(label));
        }
    }

private:
    struct Bracket {
        int kind;
        double y;
        int unit;
    };
    static double top(const LabelSlot& slot) { return slot.y - slot.height * slot.size / 2; }
    void add(int kind, double y, double from, double to, const std::wstring& text, int unit, double height)
    {
        LabelSlot slot;
        slot.natural = y;
        slot.top = from;
        slot.bottom = to;
        slot.run = static_cast<int>(m_brackets.size());
        slot.height = height;
        m_slots.push_back(slot);
        m_texts.push_back({kind, y, y, text, unit});
        m_tallest = std::max(m_tallest, height);
    }

    std::vector<UnitLabel>& m_labels;
    QRectF m_column;
    double m_end; // the end of the hole
    std::vector<LabelSlot> m_slots;
    std::vector<UnitLabel> m_texts;
    std::vector<Bracket> m_brackets;
    double m_tallest = 0; // the tallest text's height, for the tails' gap
};

} // namespace

std::vector<UnitLabel> CollectUnitLabels(const Borehole& borehole, const QRectF& column, bool showSampleNumbers,
                                         double topDepth, double scale, double regularHeight, double italicHeight,
                                         double smallestFactor)
{
    std::vector<UnitLabel> labels;
    const int count = borehole.unitCount();
    if (count == 0 || !IsUsableScale(scale))
        return labels;
    auto yOf = [&](double depth) { return column.y() + (depth - topDepth) / scale; };
    auto topOf = [&](int i) { return i == 0 ? 0.0 : borehole[static_cast<std::size_t>(i - 1)].bottom; };
    auto unit = [&](int i) -> const ORBAX_Logging::Interval& { return borehole[static_cast<std::size_t>(i)]; };
    // No text stands lower than the end of the hole: below it the paper or the screen is blank.
    LabelCollector collector(labels, column, yOf(borehole[static_cast<std::size_t>(count - 1)].bottom));
    // Samples, seams and plies are names: a run goes on while they stay the same name in any case.
    const NoCaseCompare compare;

    // Runs that end above the column show nothing, so the walk starts one unit before the run that
    // holds the first visible unit; what it starts from there is exactly what a walk from the first
    // unit would have.
    const int firstVisible = std::min(count - 1, FirstUnitWithBaseAtOrBelow(borehole, topDepth));
    auto runText = [&](int i) { return showSampleNumbers ? unit(i).sample.str() : unit(i).seam.str(); };
    int start = firstVisible;
    if (start > 0) {
        const std::wstring text = runText(start);
        while (start > 0 && compare.Equal(runText(start - 1), text) &&
               (showSampleNumbers || compare.Equal(unit(start - 1).ply.str(), unit(start).ply.str())))
            --start;
        if (start > 0)
            --start;
    }

    if (showSampleNumbers) {
        std::wstring current;
        double runTop = start == 0 ? 0.0 : topOf(start);
        if (start > 0)
            current = unit(start).sample.str();
        bool reachedEnd = true;
        for (int i = start; i < count; ++i) {
            const ORBAX_Logging::Interval& u = unit(i);
            const double top = topOf(i);
            const double y = yOf(top);
            if (y > column.bottom()) {
                reachedEnd = false;
                break;
            }
            const std::wstring sample = u.sample.str();
            if ((i > start || start == 0) && !compare.Equal(sample, current)) {
                collector.text(UnitLabel::SampleText, yOf(runTop), y, current, i - 1, regularHeight);
                collector.bracket(UnitLabel::SampleBracket, y, i);
                current = sample;
                runTop = top;
            }
            if (u.thickness == 0 && collector.insideColumn(yOf(u.bottom)))
                labels.push_back({UnitLabel::ZeroThickness, yOf(u.bottom), yOf(u.bottom), std::wstring(), i});
        }
        const double base = yOf(unit(count - 1).bottom);
        collector.text(UnitLabel::SampleText, yOf(runTop), base, current, count - 1, regularHeight);
        if (reachedEnd)
            collector.bracket(UnitLabel::SampleBracket, base, count - 1);
        collector.place(smallestFactor);
        return labels;
    }

    std::wstring seam;
    std::wstring ply;
    double plyTop = start == 0 ? 0.0 : topOf(start);
    if (start > 0) {
        seam = unit(start).seam.str();
        ply = unit(start).ply.str();
    }
    bool reachedEnd = true;
    for (int i = start; i < count; ++i) {
        const double top = topOf(i);
        const double y = yOf(top);
        if (y > column.bottom()) {
            reachedEnd = false;
            break;
        }
        if (i == start && start > 0)
            continue;
        const std::wstring unitSeam = unit(i).seam.str();
        const std::wstring unitPly = unit(i).ply.str();
        if (!compare.Equal(unitSeam, seam)) {
            collector.text(UnitLabel::PlyText, yOf(plyTop), y, ply, i - 1, italicHeight);
            collector.at(UnitLabel::SeamEnds, y, seam, i - 1, regularHeight);
            collector.at(UnitLabel::SeamBegins, y, unitSeam, i, regularHeight);
            seam = unitSeam;
            ply = unitPly;
            plyTop = top;
        } else if (!compare.Equal(unitPly, ply)) {
            collector.text(UnitLabel::PlyText, yOf(plyTop), y, ply, i - 1, italicHeight);
            collector.bracket(UnitLabel::PlyBracket, y, i);
            ply = unitPly;
            plyTop = top;
        }
    }
    const double base = yOf(unit(count - 1).bottom);
    collector.text(UnitLabel::PlyText, yOf(plyTop), base, ply, count - 1, italicHeight);
    if (reachedEnd)
        collector.at(UnitLabel::SeamEnds, base, seam, count - 1, regularHeight);
    collector.place(smallestFactor);
    return labels;
}

} // namespace ViewGeometry
