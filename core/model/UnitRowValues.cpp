#include "core/model/UnitRowValues.h"

#include "core/model/FileLimits.h"
#include "core/model/Interval.h"
#include "core/model/SchemaDefinition.h"

namespace ORBAX_Logging {

void UnitRowValues::reset()
{
    top = bottom = thickness = recovered = std::numeric_limits<double>::quiet_NaN();
    seam.clear();
    ply.clear();
    sample.clear();
}

UnitValueFields::UnitValueFields(const SchemaDefinition& schema)
    : seam(schema.countOf(SEAM) > 0), ply(seam && schema.countOf(PLY) > 0), sample(schema.countOf(SAMPLE) > 0),
      recovered(schema.countOf(RECOVERED) > 0)
{
}

void setUnitValues(Interval& unit, const UnitRowValues& values, const UnitValueFields& fields, std::size_t& characters)
{
    characters -= unitCharacters(unit);
    if (fields.seam) {
        unit.seam = values.seam;
        if (fields.ply)
            unit.ply = values.ply;
        else
            unit.ply.clear();
    }
    if (fields.sample)
        unit.sample = values.sample;
    if (fields.recovered)
        unit.recovered = values.recovered;
    characters += unitCharacters(unit);
}

} // namespace ORBAX_Logging
