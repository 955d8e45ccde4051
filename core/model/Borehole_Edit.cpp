// The edit operations of a borehole. The desktop program's undo relies on each of them either
// changing nothing (it throws before any change) or doing the whole edit.
#include <cmath>

#include "core/model/Borehole.h"
#include "core/model/Exception.h"

namespace ORBAX_Logging {

int Borehole::deleteUnit(int i, bool shiftUp)
{
    checkIndex(i);
    const std::size_t at = static_cast<std::size_t>(i);
    const double removedThickness = (*this)[at].thickness;
    const double removedRecovered = (*this)[at].recovered;
    erase(begin() + i);
    if (at >= size())
        return -1;
    if (shiftUp) {
        for (std::size_t k = at; k < size(); ++k)
            (*this)[k].bottom -= removedThickness;
    } else {
        // The unit below takes over the removed one's share of the column; its base stays.
        Interval& below = (*this)[at];
        below.thickness += removedThickness;
        if (!std::isnan(removedRecovered))
            below.recovered += removedRecovered;
    }
    return i;
}

int Borehole::insertUnit(int i, bool shiftDown, bool blank, double depth)
{
    checkIndex(i);
    checkSchema();
    const std::size_t at = static_cast<std::size_t>(i);
    const double top = unitTop(i);
    if (depth < top)
        throw Exception(Exception::DepthTooShallow);
    if (!shiftDown && depth > (*this)[at].bottom)
        throw Exception(Exception::DepthTooDeep);

    Interval unit = blank ? Interval(schema) : (*this)[at];
    if (blank) {
        unit.elements.emplace_back(schema);
        if (schema->has(SchemaDefinition::HasRecovered))
            unit.recovered = 0.0;
    }
    const double added = depth - top;
    unit.bottom = depth;
    unit.thickness = added;
    insert(begin() + i, std::move(unit));

    Interval& inserted = (*this)[at];
    if (shiftDown) {
        for (std::size_t k = at + 1; k < size(); ++k)
            (*this)[k].bottom += added;
        return i;
    }

    // Split off the top of the old unit, which keeps its base.
    Interval& old = (*this)[at + 1];
    const double thicknessBefore = old.thickness;
    old.thickness -= added;
    const double shared = inserted.recovered;
    if (std::isnan(shared) && !blank) {
        // No length was measured for the unit, so none is known for either part: 0 would say that
        // the whole core was lost.
    } else if (blank || !(thicknessBefore > 0.0)) {
        // Nothing to share (or nothing to share it by: a unit of no thickness keeps its own length).
        inserted.recovered = 0.0;
    } else {
        old.recovered = shared * (old.thickness / thicknessBefore);
        inserted.recovered = shared - old.recovered;
    }
    return i;
}

int Borehole::appendUnit(double depth)
{
    checkSchema();
    const double last = empty() ? 0.0 : back().bottom;
    if (last > depth)
        throw Exception(Exception::DepthTooShallow);
    Interval unit(schema);
    unit.elements.emplace_back(schema);
    unit.bottom = depth;
    unit.thickness = depth - last;
    unit.recovered = 0.0;
    push_back(std::move(unit));
    return static_cast<int>(size()) - 1;
}

void Borehole::setUnitDepth(int i, bool shiftBelow, double depth)
{
    checkIndex(i);
    const std::size_t at = static_cast<std::size_t>(i);
    const bool hasNext = at + 1 < size();
    if (!shiftBelow && hasNext && (*this)[at + 1].bottom < depth)
        throw Exception(Exception::DepthTooDeep);
    if (i == 0 ? depth < 0.0 : depth < (*this)[at - 1].bottom)
        throw Exception(Exception::DepthTooShallow);

    Interval& unit = (*this)[at];
    const double change = depth - unit.bottom;
    unit.bottom = depth;
    unit.thickness += change;
    if (shiftBelow) {
        for (std::size_t k = at + 1; k < size(); ++k)
            (*this)[k].bottom += change;
    } else if (hasNext) {
        (*this)[at + 1].thickness -= change;
    }
}

} // namespace ORBAX_Logging
