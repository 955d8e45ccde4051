#pragma once
// What a row of a borehole file gives its unit beside the element row: the depths that place the unit
// and the unit's own values, which every reader sets by one rule.
#include <cstddef>
#include <limits>
#include <string>

namespace ORBAX_Logging {

class Interval;
class SchemaDefinition;

struct UnitRowValues {
    double top = std::numeric_limits<double>::quiet_NaN();
    double bottom = std::numeric_limits<double>::quiet_NaN();
    double thickness = std::numeric_limits<double>::quiet_NaN();
    double recovered = std::numeric_limits<double>::quiet_NaN();
    std::wstring seam;
    std::wstring ply;
    std::wstring sample;

    // Back to no values, keeping the texts' storage for the next row.
    void reset();
};

// The unit values a schema has fields for. A ply is a unit's only within a seam: a schema without a
// seam field sets no ply.
struct UnitValueFields {
    explicit UnitValueFields(const SchemaDefinition& schema);
    bool seam;
    bool ply;
    bool sample;
    bool recovered;
};

// Sets the unit's seam, ply, sample and recovered length from the row where the schema has their
// fields (a seam without a ply field clears the ply), keeping `characters` (the text a read holds,
// BoreholeCounts) in step.
void setUnitValues(Interval& unit, const UnitRowValues& values, const UnitValueFields& fields, std::size_t& characters);

} // namespace ORBAX_Logging
