#pragma once
// A unit is written as several rows (an interbedded unit's elements and its unit row) only when the
// reader of the written file can tell those rows apart again: by their percentages, and in the Prolog
// text formats also by the interval rock type that begins the unit row. Where the written schema or
// the units' percentages do not allow it, the unit is written as one row, so that a save never makes
// a file that its own reader refuses or reads as other units.
#include <cstddef>
#include <string>
#include <vector>

#include "core/model/Borehole.h"
#include "core/model/LithData.h"
#include "core/model/LoadMessage.h"
#include "core/model/SchemaDefinition.h"
#include "core/model/UnitRowWriter.h"

namespace ORBAX_Logging {

// How a reader groups rows into units.
enum class RowMarking {
    // Element rows below 100 percent, closed by a row whose rock type begins with the interval rock
    // type (the Prolog 2.1 and 3.0 text formats).
    PercentAndRockType,
    // Element rows below 100 percent, closed or opened by the unit row at 100 percent (Prolog 4, CSV
    // with its unit rows before or after the elements).
    Percent,
    // Element rows gathered until their percentages pass 99; no unit row (CSV without unit rows).
    PercentSum,
};

class OneRowUnits {
public:
    // No unit written as one row.
    OneRowUnits() = default;
    OneRowUnits(const Borehole& borehole, const SchemaDefinition& written, RowMarking marking,
                const std::wstring& intervalRockType);

    // Whether unit i is written as one row.
    bool contains(std::size_t unit) const { return unit < m_units.size() && m_units[unit]; }
    // One warning (11196) with the count and the first such unit; nothing when there is none.
    void report(const Borehole& borehole, const SchemaDefinition& written, int precision, LoadMessages& messages) const;

    // The row a unit is written as: its main element (the highest percentage, the first of equals) at
    // 100 percent, with the unit row's values in the free fields that element leaves empty.
    static LithData rowOf(const Interval& unit);

private:
    std::vector<bool> m_units;
    std::size_t m_count = 0;
    std::size_t m_first = 0;
};

// Where an interbedded unit's unit row is written beside its elements.
enum class UnitRowPlace { AfterElements, BeforeElements, None };

// Calls `visit(unit, depths, row, unitRow)` for every row the units of `borehole` are written as, in
// order, `depths` being the unit's depths as written with `decimals` (DepthsAsWritten): a
// unit of `oneRow` as its one row, a unit of one element as that element, one without any as a blank
// row (so that its depths stay in the file and the rows after it aligned), an interbedded unit as its
// elements with its unit row (`unitRow` true) where `place` puts it.
template <class Visit>
void forEachWrittenRow(const Borehole& borehole, const OneRowUnits& oneRow, UnitRowPlace place, int decimals,
                       Visit visit)
{
    DepthsAsWritten depthsOf(decimals);
    std::size_t i = 0;
    for (const Interval& unit : borehole) {
        const WrittenDepths depths = depthsOf.next(unit);
        if (oneRow.contains(i++)) {
            visit(unit, depths, OneRowUnits::rowOf(unit), false);
            continue;
        }
        if (unit.elements.size() == 1) {
            visit(unit, depths, unit.elements.front(), false);
            continue;
        }
        if (unit.elements.empty()) {
            const LithData blank(unit.schema ? unit.schema : borehole.schema);
            visit(unit, depths, blank, false);
            continue;
        }
        LithData blank;
        const LithData& unitRow = unit.compositeOr(blank);
        if (place == UnitRowPlace::BeforeElements)
            visit(unit, depths, unitRow, true);
        for (const LithData& row : unit.elements)
            visit(unit, depths, row, false);
        if (place == UnitRowPlace::AfterElements)
            visit(unit, depths, unitRow, true);
    }
}

} // namespace ORBAX_Logging
