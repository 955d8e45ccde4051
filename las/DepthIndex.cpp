#include "las/DepthIndex.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ORBAX_Geophysics {

DepthIndex::const_iterator DepthIndex::lower_bound(double depth) const
{
    const double* first = m_depths.begin();
    return const_iterator(this, static_cast<std::size_t>(std::lower_bound(first, m_depths.end(), depth) - first));
}

DepthIndex::const_iterator DepthIndex::upper_bound(double depth) const
{
    const double* first = m_depths.begin();
    return const_iterator(this, static_cast<std::size_t>(std::upper_bound(first, m_depths.end(), depth) - first));
}

DepthIndex::const_iterator DepthIndex::find(double depth) const
{
    auto it = lower_bound(depth);
    if (it != end() && !(depth < m_depths[it.m_position]))
        return it;
    return end();
}

void DepthIndex::clear()
{
    m_depths.clear();
    m_rows.clear();
    m_rows.shrink_to_fit();
}

void DepthIndex::build(const double* depths, std::size_t count, bool filledDownwards)
{
    clear();
    // The usual file: every depth present and each deeper than the one before (a NaN fails the test).
    bool strictlyRising = count == 0 || !std::isnan(depths[0]);
    for (std::size_t row = 1; strictlyRising && row < count; ++row)
        strictlyRising = depths[row - 1] < depths[row];
    if (strictlyRising) {
        m_depths.reserve(count);
        m_depths.prefer_huge_pages(count);
        m_depths.commit(0, count);
        if (count)
            std::memcpy(m_depths.data(), depths, count * sizeof(double));
        m_depths.set_written(count);
        return;
    }

    std::vector<value_type> entries;
    entries.reserve(count);
    for (std::size_t row = 0; row < count; ++row) {
        if (!std::isnan(depths[row]))
            entries.emplace_back(depths[row], static_cast<int>(row));
    }
    // Among equal depths the first one stored wins; in row order that is the first of a run when the
    // rows were filled upwards and the last when they were filled downwards. Rows differ, so the
    // order is total and the sort's result is fixed.
    std::sort(entries.begin(), entries.end(), [filledDownwards](const value_type& a, const value_type& b) {
        if (a.first < b.first)
            return true;
        if (b.first < a.first)
            return false;
        return filledDownwards ? a.second > b.second : a.second < b.second;
    });
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const value_type& a, const value_type& b) { return !(a.first < b.first); }),
                  entries.end());

    m_depths.reserve(entries.size());
    bool rowIsPosition = true;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        m_depths[i] = entries[i].first;
        rowIsPosition = rowIsPosition && entries[i].second == static_cast<int>(i);
    }
    m_depths.set_written(entries.size());
    if (!rowIsPosition) {
        m_rows.reserve(entries.size());
        for (const value_type& e : entries)
            m_rows.push_back(e.second);
    }
}

} // namespace ORBAX_Geophysics
