#pragma once
// The ordered lookup from a depth to the first data row that holds it. It is built once per read and
// then only searched, so it is a sorted array rather than a tree. Most files list their depths in
// order, one row per depth; then the row of the n-th depth is n, and only the depths are kept.
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

#include "las/SampleArray.h"

namespace ORBAX_Geophysics {

class DepthIndex {
public:
    using value_type = std::pair<double, int>;

    // Walks the entries as (depth, row) pairs, ascending by depth.
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = DepthIndex::value_type;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = value_type;

        // What `->` points at: the pair, held by the iterator's caller for the expression.
        struct Arrow {
            value_type entry;
            const value_type* operator->() const { return &entry; }
        };

        const_iterator() = default;
        value_type operator*() const { return m_index->entry(m_position); }
        Arrow operator->() const { return Arrow{**this}; }
        value_type operator[](difference_type n) const { return *(*this + n); }
        const_iterator& operator++()
        {
            ++m_position;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator old = *this;
            ++m_position;
            return old;
        }
        const_iterator& operator--()
        {
            --m_position;
            return *this;
        }
        const_iterator operator--(int)
        {
            const_iterator old = *this;
            --m_position;
            return old;
        }
        const_iterator& operator+=(difference_type n)
        {
            m_position = static_cast<std::size_t>(static_cast<difference_type>(m_position) + n);
            return *this;
        }
        const_iterator& operator-=(difference_type n) { return *this += -n; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b)
        {
            return static_cast<difference_type>(a.m_position) - static_cast<difference_type>(b.m_position);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b)
        {
            return a.m_position == b.m_position;
        }
        friend bool operator!=(const const_iterator& a, const const_iterator& b)
        {
            return a.m_position != b.m_position;
        }
        friend bool operator<(const const_iterator& a, const const_iterator& b) { return a.m_position < b.m_position; }
        friend bool operator>(const const_iterator& a, const const_iterator& b) { return b < a; }
        friend bool operator<=(const const_iterator& a, const const_iterator& b) { return !(b < a); }
        friend bool operator>=(const const_iterator& a, const const_iterator& b) { return !(a < b); }

    private:
        friend class DepthIndex;
        const_iterator(const DepthIndex* index, std::size_t position) : m_index(index), m_position(position) {}

        const DepthIndex* m_index = nullptr;
        std::size_t m_position = 0;
    };

    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_depths.size()); }
    std::size_t size() const { return m_depths.size(); }
    bool empty() const { return m_depths.empty(); }

    // As the ordered map's lookups: the entry of exactly that depth, the first entry not below it,
    // the first entry above it.
    const_iterator find(double depth) const;
    const_iterator lower_bound(double depth) const;
    const_iterator upper_bound(double depth) const;
    std::size_t count(double depth) const { return find(depth) == end() ? 0 : 1; }

    void clear();

    // Builds the index from the depths of rows 0 to count - 1. NaN depths are left out. Where a depth
    // repeats, the row stored first by the reader is kept: the lowest row when the rows were filled
    // upwards, the highest when they were filled downwards.
    void build(const double* depths, std::size_t count, bool filledDownwards);
    void build(const std::vector<double>& depths, bool filledDownwards)
    {
        build(depths.data(), depths.size(), filledDownwards);
    }

private:
    value_type entry(std::size_t position) const
    {
        return value_type(m_depths[position], m_rows.empty() ? static_cast<int>(position) : m_rows[position]);
    }

    SampleArray m_depths;    // ascending, each depth once
    std::vector<int> m_rows; // the row of each depth; empty when it is the depth's position
};

} // namespace ORBAX_Geophysics
