#include "config/traces/CurveProperty.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "las/LasDataCommon.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// The value axis: the range is the data's with the use-actual-range flag (a constant curve in the
// middle), else the plot range (of no width: no axis, nothing placed).
struct ValueAxis {
    ValueAxis(const CurveProperty& curve, double plotWidth)
        : width(plotWidth), start(curve.ownRange ? curve.minimum() : curve.rangeMinimum)
    {
        const double end = curve.ownRange ? curve.maximum() : curve.rangeMaximum;
        middle = curve.ownRange && start == end;
        factor = start == end ? NaN : width / (end - start);
    }
    double x(double value) const
    {
        if (std::isnan(value))
            return NaN;
        return middle ? width / 2.0 : (value - start) * factor;
    }
    // Whether any value gets a place.
    bool places() const { return middle || std::isfinite(factor); }

    double width;
    double start;
    double factor;
    bool middle;
};

// Where a run of rows goes to the drawing: the runs of rows without a missing value become polylines;
// rows on one device row are gathered and given as their first, lowest, highest and last value.
class PolylineBuilder {
public:
    PolylineBuilder(CurvePolylines& out, const ValueAxis& axis, const double* values, const double* depths,
                    double shift, double scale)
        : m_out(out), m_axis(axis), m_values(values), m_depths(depths), m_shift(shift), m_scale(scale)
    {
        m_runStart = m_out.points.size();
    }

    double y(std::size_t row) const { return (m_depths[row] + m_shift) / m_scale; }

    // One row, drawn as it is.
    void point(std::size_t row)
    {
        flush();
        const double value = m_values[row];
        if (std::isnan(value)) {
            endRun();
            return;
        }
        m_out.points.emplace_back(m_axis.x(value), y(row));
        ++m_runRows;
    }

    // Rows gathered on one device row: a row alone, a block without missing values, a block of nothing
    // but missing values.
    void row(std::size_t r)
    {
        const double value = m_values[r];
        if (std::isnan(value)) {
            absent();
            return;
        }
        take(r, r, value, value);
    }
    void block(std::size_t first, std::size_t last, double low, double high) { take(first, last, low, high); }
    // Where the lowest and highest value of rows gathered on a device row are drawn: across the
    // middle of that row, so that the line inks the row the rows lie on.
    void setRowCentre(double y) { m_rowCentre = y; }
    void absent()
    {
        flush();
        endRun();
    }

    // The gathered rows go out as points: the first row, the lowest and highest value between, the
    // last row.
    void flush()
    {
        if (m_count == 0)
            return;
        m_out.points.emplace_back(m_axis.x(m_values[m_first]), y(m_first));
        if (m_count > 2) {
            const double middle = m_rowCentre;
            const double firstX = m_axis.x(m_values[m_first]);
            const double lowX = m_axis.x(m_low);
            const double highX = m_axis.x(m_high);
            // Whichever end is nearer the first value comes first.
            if (std::fabs(lowX - firstX) <= std::fabs(highX - firstX)) {
                m_out.points.emplace_back(lowX, middle);
                m_out.points.emplace_back(highX, middle);
            } else {
                m_out.points.emplace_back(highX, middle);
                m_out.points.emplace_back(lowX, middle);
            }
        }
        if (m_count > 1)
            m_out.points.emplace_back(m_axis.x(m_values[m_last]), y(m_last));
        m_runRows += m_count;
        m_count = 0;
    }

    void endRun()
    {
        flush();
        // A lone row between gaps is not drawn.
        if (m_runRows >= 2)
            m_out.ends.push_back(static_cast<int>(m_out.points.size()));
        else
            m_out.points.resize(m_runStart);
        m_runStart = m_out.points.size();
        m_runRows = 0;
    }

private:
    void take(std::size_t first, std::size_t last, double low, double high)
    {
        if (m_count == 0) {
            m_first = first;
            m_low = low;
            m_high = high;
        } else {
            m_low = std::min(m_low, low);
            m_high = std::max(m_high, high);
        }
        m_last = last;
        m_count += last - first + 1;
    }

    CurvePolylines& m_out;
    const ValueAxis& m_axis;
    const double* m_values;
    const double* m_depths;
    double m_shift;
    double m_scale;
    std::size_t m_runStart = 0;
    std::size_t m_runRows = 0;
    std::size_t m_count = 0;
    std::size_t m_first = 0;
    std::size_t m_last = 0;
    double m_low = 0;
    double m_high = 0;
    double m_rowCentre = 0;
};

} // namespace

CurveProperty::CurveProperty(ORBAX_Geophysics::LasDataCommon* owner)
    : Curve(owner), rangeMinimum(NaN), rangeMaximum(NaN)
{
}

bool CurveProperty::ApplyTraceDefinition(const TraceDefinitionList& definitions)
{
    const TraceDefinition* definition = FindTraceDefinition(definitions, mnemonic);
    if (!definition)
        return false;
    ownRange = definition->ownRange;
    rangeMinimum = definition->minimum;
    rangeMaximum = definition->maximum;
    colourIndex = definition->colourIndex;
    displayField = definition->displayField - 1;
    visible = definition->visible;
    return true;
}

int CurveProperty::RowCount() const { return owner() ? std::max(0, owner()->row_count()) : 0; }

void CurveProperty::ComputePoints()
{
    const std::size_t rows = static_cast<std::size_t>(RowCount());
    if (!m_hasPoints || m_points.size() != rows) {
        m_points.assign(rows, PointF{});
        m_hasPoints = true;
    }
    FillPoints(m_points, plotWidth, depthScale);
}

std::vector<PointF> CurveProperty::NewPoints(float width, double scale) const
{
    std::vector<PointF> points(static_cast<std::size_t>(RowCount()));
    FillPoints(points, width, scale);
    return points;
}

void CurveProperty::FillPoints(std::vector<PointF>& points, float width, double scale) const
{
    const int rows = std::min(RowCount(), static_cast<int>(points.size()));
    for (int i = 0; i < rows; ++i)
        points[static_cast<std::size_t>(i)] = PointAt(i, width, scale);
}

double CurveProperty::DrawnValue(int row) const
{
    const int rows = RowCount();
    if (!smoothing || row < 0 || row >= rows)
        return sample(row);
    const int half = std::max(1, smoothingWindow / 2);
    const int g = std::min({half, row, rows - 1 - row});
    double sum = 0;
    for (int k = row - g; k <= row + g; ++k)
        sum += sample(k);
    return sum / (2 * g + 1);
}

PointF CurveProperty::PointAt(int row, float width, double scale) const
{
    const double x = ValueAxis(*this, width).x(DrawnValue(row));
    const double y = (owner()->index_value(row) + depthOffset) / scale;
    return PointF{static_cast<float>(x), static_cast<float>(y)};
}

void CurveProperty::PrepareDrawing() const
{
    const int rows = RowCount();
    const double* samplesData = samples().data();
    const int half = std::max(1, smoothingWindow / 2);
    if (m_drawing.made && m_drawing.smoothing == smoothing && (!smoothing || m_drawing.window == half) &&
        m_drawing.rows == rows && m_drawing.samples == samplesData)
        return;
    Drawing& d = m_drawing;
    d.made = false;
    d.smoothing = smoothing;
    d.window = half;
    d.rows = rows;
    d.samples = samplesData;
    d.values.clear();
    d.values.shrink_to_fit();
    d.envelope.clear();
    d.depthsAscending = false;
    const std::size_t count = static_cast<std::size_t>(rows);
    if (smoothing && rows > 0) {
        // The window's mean from sums of the values before each row; a window with a missing value
        // has none.
        std::vector<double> sums(count + 1, 0.0);
        std::vector<int> missing(count + 1, 0);
        for (std::size_t i = 0; i < count; ++i) {
            const double v = sample(static_cast<int>(i));
            const bool absent = std::isnan(v);
            sums[i + 1] = sums[i] + (absent ? 0.0 : v);
            missing[i + 1] = missing[i] + (absent ? 1 : 0);
        }
        d.values.resize(count);
        for (int i = 0; i < rows; ++i) {
            const int g = std::min({half, i, rows - 1 - i});
            const std::size_t from = static_cast<std::size_t>(i - g);
            const std::size_t to = static_cast<std::size_t>(i + g + 1);
            d.values[static_cast<std::size_t>(i)] =
                missing[to] != missing[from] ? NaN : (sums[to] - sums[from]) / (2 * g + 1);
        }
    } else if (samples().size() < count) {
        d.values.assign(count, NaN);
        std::copy(samples().begin(), samples().end(), d.values.begin());
    }
    d.envelope.build(drawnValues(), count);
    // Rows in depth order let a device row's rows be found by their depths.
    if (owner() && owner()->curve_count() > 0 && owner()->curve_at(0).samples().size() >= count) {
        const double* depths = owner()->curve_at(0).samples().data();
        bool ascending = true;
        for (std::size_t i = 0; i < count && ascending; ++i)
            ascending = std::isfinite(depths[i]) && (i == 0 || depths[i - 1] <= depths[i]);
        d.depthsAscending = ascending;
    }
    d.made = true;
}

const double* CurveProperty::drawnValues() const
{
    return m_drawing.values.empty() ? samples().data() : m_drawing.values.data();
}

void CurveProperty::DrawingPolylines(double topDepth, double bottomDepth, float width, double scale, double deviceScale,
                                     double deviceOffset, CurvePolylines& out) const
{
    out.points.clear();
    out.ends.clear();
    const int rows = RowCount();
    const ValueAxis axis(*this, width);
    if (rows <= 0 || !(scale > 0) || !axis.places() || !owner() || owner()->curve_count() == 0 ||
        !(topDepth <= bottomDepth))
        return;
    PrepareDrawing();
    const double* values = drawnValues();
    const ORBAX_Geophysics::DepthIndex& index = owner()->depth_index();
    if (!m_drawing.depthsAscending || !(deviceScale > 0) || !std::isfinite(deviceOffset)) {
        // Rows out of depth order are drawn one point each, from the rows the depths give.
        if (index.empty())
            return;
        auto rowAt = [&](double depth) {
            auto found = index.lower_bound(depth);
            return found == index.end() ? std::prev(index.end())->second : found->second;
        };
        const int first = std::clamp(rowAt(topDepth - depthOffset) - 2, 0, rows - 1);
        const int last = std::clamp(rowAt(bottomDepth - depthOffset) + 2, 0, rows - 1);
        std::vector<double> depths(static_cast<std::size_t>(rows));
        for (int r = 0; r < rows; ++r)
            depths[static_cast<std::size_t>(r)] = owner()->index_value(r);
        PolylineBuilder builder(out, axis, values, depths.data(), depthOffset, scale);
        for (int r = first; r <= last; ++r) {
            if (std::isnan(depths[static_cast<std::size_t>(r)]))
                builder.absent();
            else
                builder.point(static_cast<std::size_t>(r));
        }
        builder.endRun();
        return;
    }

    const double* depths = owner()->curve_at(0).samples().data();
    const double* end = depths + rows;
    const std::size_t first = static_cast<std::size_t>(
        std::max<std::ptrdiff_t>(0, std::lower_bound(depths, end, topDepth - depthOffset) - depths - 1));
    const std::size_t last = static_cast<std::size_t>(
        std::min<std::ptrdiff_t>(rows - 1, std::lower_bound(depths, end, bottomDepth - depthOffset) - depths));
    PolylineBuilder builder(out, axis, values, depths, depthOffset, scale);
    auto deviceRow = [&](std::size_t r) { return std::floor(deviceScale * builder.y(r) + deviceOffset); };
    std::size_t i = first;
    while (i <= last) {
        // The rows on the device row of row i: up to the first depth of the next device row.
        const double row = deviceRow(i);
        const double nextDepth = (row + 1 - deviceOffset) / deviceScale * scale - depthOffset;
        // Galloping from row i: a device row holds about as many rows as the one before.
        std::size_t low = i + 1;
        std::size_t high = low;
        for (std::size_t step = 1; high <= last && depths[high] < nextDepth; step *= 2) {
            low = high + 1;
            high = low + step;
        }
        high = std::min(high, last + 1);
        std::size_t j = static_cast<std::size_t>(std::lower_bound(depths + low, depths + high, nextDepth) - depths);
        // Rounding may put a row next to the boundary on the other side of it.
        while (j <= last && deviceRow(j) <= row)
            ++j;
        while (j - 1 > i && deviceRow(j - 1) > row)
            --j;
        if (j - i <= 4) {
            for (std::size_t r = i; r < j; ++r)
                builder.point(r);
        } else {
            builder.setRowCentre((row + 0.5 - deviceOffset) / deviceScale);
            m_drawing.envelope.walk(
                i, j, [&](std::size_t a, std::size_t b, double low, double high) { builder.block(a, b, low, high); },
                [&] { builder.absent(); }, [&](std::size_t r) { builder.row(r); });
            builder.flush();
        }
        i = j;
    }
    builder.endRun();
}
