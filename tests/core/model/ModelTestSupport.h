#pragma once
// Small builders shared by the model tests.
#include <memory>
#include <string>
#include <vector>

#include "core/model/Borehole.h"
#include "core/model/SchemaDefinition.h"

namespace ModelTest {

inline std::shared_ptr<ORBAX_Logging::SchemaDefinition>
makeSchema(const std::wstring& name, const std::vector<ORBAX_Logging::FieldDefinition>& fields, bool validate = true)
{
    auto schema = std::make_shared<ORBAX_Logging::SchemaDefinition>(name, fields);
    if (validate) {
        ORBAX_Logging::LoadMessages ignored;
        schema->validate(ignored);
    }
    return schema;
}

// ROCKTYPE, PERCENTAGE, BOTTOM, THICKNESS, RECOVERED, SAMPLE, SEAM, PLY and a free text field "Colour".
inline std::shared_ptr<ORBAX_Logging::SchemaDefinition> fullSchema()
{
    using namespace ORBAX_Logging;
    return makeSchema(L"full", {{ROCKTYPE, L"Rock"},
                                {PERCENTAGE, L"Pct"},
                                {BOTTOM, L"Bottom"},
                                {THICKNESS, L"Thick"},
                                {RECOVERED, L"Rec"},
                                {SAMPLE, L"Sample"},
                                {SEAM, L"Seam"},
                                {PLY, L"Ply"},
                                {STRING, L"Colour"}});
}

// A column of units with the given bottoms (tops follow from the unit above), one element each.
inline ORBAX_Logging::Borehole column(ORBAX_Logging::SchemaPtr schema, const std::vector<double>& bottoms,
                                      double recovered = 0.0)
{
    ORBAX_Logging::Borehole hole(schema);
    double top = 0.0;
    for (double b : bottoms) {
        ORBAX_Logging::Interval unit(schema);
        unit.elements.emplace_back(schema);
        unit.bottom = b;
        unit.thickness = b - top;
        unit.recovered = recovered;
        hole.push_back(unit);
        top = b;
    }
    return hole;
}

} // namespace ModelTest
