#include "las/Curve.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "las/LasDataCommon.h"

namespace ORBAX_Geophysics {
namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

Curve::Curve(LasDataCommon* owner) : m_owner(owner), m_minimum(kNaN), m_maximum(kNaN) {}

void Curve::set_sample(double value, int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_samples.size())
        return;
    if (!std::isnan(value)) {
        if (std::isnan(m_minimum) || m_minimum > value)
            m_minimum = value;
        if (std::isnan(m_maximum) || m_maximum < value)
            m_maximum = value;
    }
    m_samples[static_cast<std::size_t>(row)] = value;
}

double Curve::sample(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_samples.size())
        return kNaN;
    return m_samples[static_cast<std::size_t>(row)];
}

double Curve::average_between(double top, double bottom) const
{
    if (!m_owner || m_owner->row_count() <= 0)
        return kNaN;
    const int rows = std::min<int>(m_owner->row_count(), static_cast<int>(m_samples.size()));
    double sum = 0.0;
    int taken = 0;
    for (int row = 0; row < rows; ++row) {
        double depth = m_owner->index_value(row);
        // A NaN depth fails both comparisons and never qualifies.
        if (!(depth >= top && depth < bottom))
            continue;
        double v = m_samples[static_cast<std::size_t>(row)];
        if (std::isnan(v))
            return kNaN;
        sum += v;
        ++taken;
    }
    return taken ? sum / taken : kNaN;
}

} // namespace ORBAX_Geophysics
