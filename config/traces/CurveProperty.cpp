#include "config/traces/CurveProperty.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "las/LasDataCommon.h"

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
}

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
    if (rows <= 0)
        return;
    const double start = ownRange ? minimum() : rangeMinimum;
    const double end = ownRange ? maximum() : rangeMaximum;
    // With its own range a constant curve sits in the middle; with a fixed range of no width there
    // is no axis to place it on.
    const bool middle = ownRange && start == end;
    const double factor = start == end ? NaN : width / (end - start);
    const int half = std::max(1, smoothingWindow / 2);

    for (int i = 0; i < rows; ++i) {
        double value = sample(i);
        if (smoothing) {
            const int g = std::min({half, i, rows - 1 - i});
            double sum = 0;
            for (int k = i - g; k <= i + g; ++k)
                sum += sample(k);
            value = sum / (2 * g + 1);
        }
        double x;
        if (std::isnan(value))
            x = NaN;
        else if (middle)
            x = width / 2.0;
        else
            x = (value - start) * factor;
        const double y = (owner()->index_value(i) + depthOffset) / scale;
        points[static_cast<std::size_t>(i)] = PointF{static_cast<float>(x), static_cast<float>(y)};
    }
}
