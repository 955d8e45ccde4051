#pragma once
// One unit of a borehole: its base depth, thickness and recovered length (NaN when absent), its seam,
// ply and sample number, and one element row per rock type; an interbedded unit has several elements
// and a composite (unit-level) row, made only when the unit has one.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/model/LithData.h"
#include "core/model/SchemaDefinition.h"

namespace ORBAX_Logging {

class Interval {
public:
    std::vector<LithData> elements;
    double bottom = std::numeric_limits<double>::quiet_NaN();
    double thickness = std::numeric_limits<double>::quiet_NaN();
    double recovered = std::numeric_limits<double>::quiet_NaN();
    SchemaPtr schema;
    CompactText seam;
    CompactText ply;
    CompactText sample;
    // The unit-level row of an interbedded unit; meaningful only while there are two or more elements.
    // A unit without one reads as if it had a blank row for its schema (see compositeOr).
    CompositeRow composite;

    Interval() = default;
    // A blank unit: no elements, no composite row yet, depths NaN.
    explicit Interval(SchemaPtr unitSchema);
    // A unit of one element: a new row for the schema assigned from `element`.
    Interval(SchemaPtr unitSchema, const LithData& element);

    Interval(const Interval&) = default;
    Interval(Interval&&) noexcept = default;
    // Copies the elements as they are and the unit values; the composite goes through the row
    // assignment (made for the target's schema first when the target has none) and the target keeps
    // its own schema.
    Interval& operator=(const Interval& source);
    // Moving relocates a unit whole, schema included (containers shift units this way).
    Interval& operator=(Interval&&) noexcept = default;

    // The composite row, made (blank, for the unit's schema) when the unit has none yet.
    LithData& compositeRow();
    // The composite row to read: the unit's own, else `blank` made into a blank row for the unit's
    // schema.
    const LithData& compositeOr(LithData& blank) const;

    // The top depth: bottom minus thickness.
    double top() const { return bottom - thickness; }
    // Whether the bottom and the thickness are numbers (an interbedded unit that its file left open
    // has neither).
    bool depthsKnown() const { return std::isfinite(bottom) && std::isfinite(thickness); }

    // The sum of the percentages of elements 0 to n; 0 for n below 0. Throws Exception type 3 when n
    // is not below the element count.
    std::int32_t percentageUpTo(int n) const;
    // The rock types of the elements joined with " | ".
    std::wstring elementsText() const;
    // Makes as many elements as there are percentages and gives them the percentages and rock types
    // in order; a unit that becomes interbedded gets its composite row named `intervalRockType`.
    void setRockTypes(const std::wstring& intervalRockType, const std::vector<std::int32_t>& percentages,
                      const std::vector<std::wstring>& rockTypes);
    // Sets the seam; a ply belongs to its seam, so it is emptied.
    void setSeam(const std::wstring& text);
};

} // namespace ORBAX_Logging
