#pragma once
// The ordered lookup from a depth to the first data row that holds it. It is built once per read and
// then only searched, so it is a sorted array of (depth, row) pairs: a third of the memory of a tree
// and much faster to build and search on files of hundreds of thousands of rows.
#include <cstddef>
#include <utility>
#include <vector>

namespace ORBAX_Geophysics {

class DepthIndex {
public:
    using value_type = std::pair<double, int>;
    using const_iterator = std::vector<value_type>::const_iterator;

    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }

    // As the ordered map's lookups: the entry of exactly that depth, the first entry not below it,
    // the first entry above it.
    const_iterator find(double depth) const;
    const_iterator lower_bound(double depth) const;
    const_iterator upper_bound(double depth) const;
    std::size_t count(double depth) const { return find(depth) == end() ? 0 : 1; }

    void clear();

    // Builds the index from the depths of rows 0 to depths.size() - 1. NaN depths are left out. Where
    // a depth repeats, the row stored first by the reader is kept: the lowest row when the rows were
    // filled upwards, the highest when they were filled downwards.
    void build(const std::vector<double>& depths, bool filledDownwards);

private:
    std::vector<value_type> m_entries; // ascending by depth, each depth once
};

} // namespace ORBAX_Geophysics
