#include "docview/document/history/UnitRangeList.h"

#include <algorithm>

UnitRangeList::UnitRangeList(std::initializer_list<UnitRange> ranges) : m_ranges(ranges) { normalise(); }

void UnitRangeList::add(int index)
{
    if (contains(index))
        return;
    m_ranges.push_back({index, index});
    normalise();
}

void UnitRangeList::add(int first, int last)
{
    m_ranges.push_back({std::min(first, last), std::max(first, last)});
    normalise();
}

void UnitRangeList::truncate(int n)
{
    m_ranges.erase(std::remove_if(m_ranges.begin(), m_ranges.end(), [n](const UnitRange& r) { return r.first >= n; }),
                   m_ranges.end());
    for (UnitRange& r : m_ranges)
        r.last = std::min(r.last, n - 1);
}

void UnitRangeList::normalise()
{
    std::sort(m_ranges.begin(), m_ranges.end(), [](const UnitRange& a, const UnitRange& b) {
        return a.first < b.first || (a.first == b.first && a.last < b.last);
    });
    std::vector<UnitRange> merged;
    for (const UnitRange& r : m_ranges) {
        // Touching ranges merge too: [1,2] and [3,4] are one run.
        if (!merged.empty() && static_cast<long long>(r.first) <= static_cast<long long>(merged.back().last) + 1)
            merged.back().last = std::max(merged.back().last, r.last);
        else
            merged.push_back(r);
    }
    m_ranges.swap(merged);
}

int UnitRangeList::count() const
{
    long long n = 0;
    for (const UnitRange& r : m_ranges)
        n += static_cast<long long>(r.last) - r.first + 1;
    return static_cast<int>(n);
}

bool UnitRangeList::contains(int index) const
{
    return std::any_of(m_ranges.begin(), m_ranges.end(),
                       [index](const UnitRange& r) { return r.first <= index && index <= r.last; });
}

int nextSelectedUnit(int a, const UnitRangeList& selection)
{
    if (a < 0)
        return -1;
    for (const UnitRange& r : selection) {
        if (r.last > a)
            return std::max(r.first, a + 1);
    }
    return -1;
}
