#include "las/DepthIndex.h"

#include <algorithm>
#include <cmath>

namespace ORBAX_Geophysics {
namespace {

bool depth_less(const DepthIndex::value_type& a, const DepthIndex::value_type& b) { return a.first < b.first; }

} // namespace

DepthIndex::const_iterator DepthIndex::lower_bound(double depth) const
{
    return std::lower_bound(m_entries.begin(), m_entries.end(), value_type(depth, 0), depth_less);
}

DepthIndex::const_iterator DepthIndex::upper_bound(double depth) const
{
    return std::upper_bound(m_entries.begin(), m_entries.end(), value_type(depth, 0), depth_less);
}

DepthIndex::const_iterator DepthIndex::find(double depth) const
{
    auto it = lower_bound(depth);
    if (it != m_entries.end() && !(depth < it->first))
        return it;
    return m_entries.end();
}

void DepthIndex::clear()
{
    m_entries.clear();
    m_entries.shrink_to_fit();
}

void DepthIndex::build(const std::vector<double>& depths, bool filledDownwards)
{
    m_entries.clear();
    m_entries.reserve(depths.size());
    for (std::size_t row = 0; row < depths.size(); ++row) {
        if (!std::isnan(depths[row]))
            m_entries.emplace_back(depths[row], static_cast<int>(row));
    }
    // Among equal depths the first one stored wins; in row order that is the first of a run when the
    // rows were filled upwards and the last when they were filled downwards.
    auto storedEarlier = [filledDownwards](const value_type& a, const value_type& b) {
        if (a.first < b.first)
            return true;
        if (b.first < a.first)
            return false;
        return filledDownwards ? a.second > b.second : a.second < b.second;
    };
    if (!std::is_sorted(m_entries.begin(), m_entries.end(), depth_less)) {
        std::sort(m_entries.begin(), m_entries.end(), storedEarlier);
    } else if (filledDownwards) {
        // Sorted by depth with rows ascending inside each run: keep the last of each run.
        std::size_t out = 0;
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (i + 1 < m_entries.size() && !(m_entries[i].first < m_entries[i + 1].first))
                continue;
            m_entries[out++] = m_entries[i];
        }
        m_entries.resize(out);
        m_entries.shrink_to_fit();
        return;
    }
    auto last = std::unique(m_entries.begin(), m_entries.end(),
                            [](const value_type& a, const value_type& b) { return !(a.first < b.first); });
    m_entries.erase(last, m_entries.end());
    m_entries.shrink_to_fit();
}

} // namespace ORBAX_Geophysics
