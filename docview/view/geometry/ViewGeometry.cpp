#include "docview/view/geometry/ViewGeometry.h"

#include "core/model/Exception.h"
#include "core/model/NoCaseCompare.h"
#include "las/LasDataCommon.h"
#include "las/LasException.h"
#include <algorithm>
#include <cmath>

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
    const int upTo = interval.percentageUpTo(element); // throws for a bad element
    const int percentage = interval.elements[static_cast<std::size_t>(element)].percentage;
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

// Places labels top-down: a text never starts above the previous label's lower half.
class LabelPlacer {
public:
    LabelPlacer(std::vector<UnitLabel>& labels, const QRectF& column) : m_labels(labels), m_column(column) {}

    bool insideColumn(double y) const { return y >= m_column.top() && y <= m_column.bottom(); }

    // A text in the middle of the part of [top, bottom] that lies inside the column.
    void text(int kind, double top, double bottom, const std::wstring& text, int unit, double height)
    {
        const double from = std::max(top, m_column.top());
        const double to = std::min(bottom, m_column.bottom());
        if (text.empty() || !(to > from))
            return;
        const double natural = (from + to) / 2;
        place(kind, natural, std::max(natural, m_nextFree + height / 2), text, unit, height);
    }

    // A bracket, seam name or marker at a boundary; boundaries outside the column are not shown. Seam
    // names are texts and take room; a bracket's tail runs to the first free position and a marker
    // sits at its unit, neither taking room from the texts.
    void at(int kind, double y, const std::wstring& text, int unit, double height, bool isText)
    {
        if (!insideColumn(y))
            return;
        if (isText)
            place(kind, y, std::max(y, m_nextFree + height / 2), text, unit, height);
        else
            m_labels.push_back({kind, y, kind == UnitLabel::ZeroThickness ? y : std::max(y, m_nextFree), text, unit});
    }

private:
    void place(int kind, double y, double labelY, const std::wstring& text, int unit, double height)
    {
        m_labels.push_back({kind, y, labelY, text, unit});
        m_nextFree = std::max(m_nextFree, labelY + height / 2);
    }

    std::vector<UnitLabel>& m_labels;
    QRectF m_column;
    double m_nextFree = -1000;
};

} // namespace

std::vector<UnitLabel> CollectUnitLabels(const Borehole& borehole, const QRectF& column, bool showSampleNumbers,
                                         double topDepth, double scale, double regularHeight, double italicHeight)
{
    std::vector<UnitLabel> labels;
    const int count = borehole.unitCount();
    if (count == 0 || !IsUsableScale(scale))
        return labels;
    auto yOf = [&](double depth) { return column.y() + (depth - topDepth) / scale; };
    auto topOf = [&](int i) { return i == 0 ? 0.0 : borehole[static_cast<std::size_t>(i - 1)].bottom; };
    auto unit = [&](int i) -> const ORBAX_Logging::Interval& { return borehole[static_cast<std::size_t>(i)]; };
    LabelPlacer placer(labels, column);
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
            if (i > start || start == 0) {
                if (!compare.Equal(sample, current)) {
                    placer.text(UnitLabel::SampleText, yOf(runTop), y, current, i - 1, regularHeight);
                    placer.at(UnitLabel::SampleBracket, y, std::wstring(), i, regularHeight, false);
                    current = sample;
                    runTop = top;
                }
            }
            if (u.thickness == 0 && placer.insideColumn(yOf(u.bottom)))
                placer.at(UnitLabel::ZeroThickness, yOf(u.bottom), std::wstring(), i, regularHeight, false);
        }
        const double base = yOf(unit(count - 1).bottom);
        placer.text(UnitLabel::SampleText, yOf(runTop), base, current, count - 1, regularHeight);
        if (reachedEnd)
            placer.at(UnitLabel::SampleBracket, base, std::wstring(), count - 1, regularHeight, false);
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
            placer.text(UnitLabel::PlyText, yOf(plyTop), y, ply, i - 1, italicHeight);
            if (placer.insideColumn(y)) {
                if (!seam.empty())
                    placer.at(UnitLabel::SeamEnds, y, seam, i - 1, regularHeight, true);
                if (!unitSeam.empty())
                    placer.at(UnitLabel::SeamBegins, y, unitSeam, i, regularHeight, true);
            }
            seam = unitSeam;
            ply = unitPly;
            plyTop = top;
        } else if (!compare.Equal(unitPly, ply)) {
            placer.text(UnitLabel::PlyText, yOf(plyTop), y, ply, i - 1, italicHeight);
            placer.at(UnitLabel::PlyBracket, y, std::wstring(), i, regularHeight, false);
            ply = unitPly;
            plyTop = top;
        }
    }
    const double base = yOf(unit(count - 1).bottom);
    placer.text(UnitLabel::PlyText, yOf(plyTop), base, ply, count - 1, italicHeight);
    if (reachedEnd && !seam.empty() && placer.insideColumn(base))
        placer.at(UnitLabel::SeamEnds, base, seam, count - 1, regularHeight, true);
    return labels;
}

} // namespace ViewGeometry
