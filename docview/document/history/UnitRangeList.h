#pragma once
// A selection of units: closed ranges of unit indices, kept ascending and without overlap once
// normalised. Operations over a selection walk it in ascending order; deletion walks it downwards.
#include <vector>

struct UnitRange {
    int first;
    int last;
    friend bool operator==(const UnitRange& a, const UnitRange& b) { return a.first == b.first && a.last == b.last; }
};

class UnitRangeList {
public:
    using const_iterator = std::vector<UnitRange>::const_iterator;

    UnitRangeList() = default;
    UnitRangeList(std::initializer_list<UnitRange> ranges);

    void clear() { m_ranges.clear(); }
    void assign(const UnitRangeList& other) { m_ranges = other.m_ranges; }
    // Adds one index; nothing when a range already holds it.
    void add(int index);
    // Adds the range [first, last] (first at most last).
    void add(int first, int last);
    // Cuts every range to end below n and removes those that start at n or later.
    void truncate(int n);
    // Merges ranges that overlap or touch, then sorts them by their first index.
    void normalise();
    // The number of units selected.
    int count() const;
    bool contains(int index) const;
    bool empty() const { return m_ranges.empty(); }

    const std::vector<UnitRange>& ranges() const { return m_ranges; }
    const_iterator begin() const { return m_ranges.begin(); }
    const_iterator end() const { return m_ranges.end(); }

    friend bool operator==(const UnitRangeList& a, const UnitRangeList& b) { return a.m_ranges == b.m_ranges; }

private:
    std::vector<UnitRange> m_ranges;
};

// The smallest selected index above `a`; -1 when `a` is negative or no selected index follows it.
int nextSelectedUnit(int a, const UnitRangeList& selection);
