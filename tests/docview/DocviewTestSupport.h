#pragma once
// Builders and a comparable picture of boreholes for the document's tests.
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/model/Borehole.h"
#include "core/model/SchemaDefinition.h"

namespace DocviewTest {

// ROCKTYPE, PERCENTAGE, TOP, BOTTOM, RECOVERED, SAMPLE, SEAM, PLY and a free text field "Colour".
inline std::shared_ptr<ORBAX_Logging::SchemaDefinition> fullSchema(const std::wstring& name = L"Full")
{
    using namespace ORBAX_Logging;
    auto schema = std::make_shared<SchemaDefinition>(name, std::vector<FieldDefinition>{{ROCKTYPE, L"Rock"},
                                                                                        {PERCENTAGE, L"Pct"},
                                                                                        {TOP, L"From"},
                                                                                        {BOTTOM, L"To"},
                                                                                        {RECOVERED, L"Rec"},
                                                                                        {SAMPLE, L"Sample"},
                                                                                        {SEAM, L"Seam"},
                                                                                        {PLY, L"Ply"},
                                                                                        {STRING, L"Colour"}});
    LoadMessages ignored;
    schema->validate(ignored);
    return schema;
}

// Units with the given bases, one element each (rock types R0, R1...), recovered half the thickness and
// sample numbers S1, S2...
inline std::unique_ptr<ORBAX_Logging::Borehole> column(ORBAX_Logging::SchemaPtr schema,
                                                       const std::vector<double>& bases)
{
    auto hole = std::make_unique<ORBAX_Logging::Borehole>(schema);
    double top = 0.0;
    int n = 0;
    for (double b : bases) {
        ORBAX_Logging::Interval unit(schema);
        unit.elements.emplace_back(schema);
        unit.elements.back().rockType = L"R" + std::to_wstring(n);
        unit.bottom = b;
        unit.thickness = b - top;
        unit.recovered = (b - top) / 2;
        unit.sample = L"S" + std::to_wstring(++n);
        hole->push_back(unit);
        top = b;
    }
    return hole;
}

// Everything a unit holds, one line per unit, so that two boreholes compare as texts.
inline std::vector<std::wstring> picture(const ORBAX_Logging::Borehole& hole)
{
    std::vector<std::wstring> lines;
    for (const auto& unit : hole) {
        wchar_t depths[160];
        std::swprintf(depths, 160, L"%.6f %.6f %.6f", unit.bottom, unit.thickness, unit.recovered);
        std::wstring line = depths;
        line += L" [" + unit.sample.str() + L"|" + unit.seam.str() + L"|" + unit.ply.str() + L"]";
        for (const auto& element : unit.elements) {
            line += L" " + element.rockType.str() + L":" + std::to_wstring(element.percentage);
            for (std::size_t f = 0; f < element.values.size(); ++f)
                line += L"," + element.values.at(f);
        }
        if (unit.composite && unit.elements.size() > 1)
            line += L" /" + unit.composite->rockType.str();
        lines.push_back(line);
    }
    return lines;
}

} // namespace DocviewTest
