#pragma once
// Schemas and file texts shared by the Prolog format tests.
#include <memory>
#include <string>
#include <vector>

#include "core/model/SchemaDefinition.h"
#include "core/options/OptionsData.h"

namespace PrologTest {

inline std::shared_ptr<ORBAX_Logging::SchemaDefinition> schemaOf(const std::wstring& name,
                                                                 std::vector<ORBAX_Logging::FieldDefinition> fields)
{
    auto schema = std::make_shared<ORBAX_Logging::SchemaDefinition>(name, std::move(fields));
    ORBAX_Logging::LoadMessages ignored;
    schema->validate(ignored);
    return schema;
}

// Twelve fields: a version 3.0 file with "entries=10".
inline std::shared_ptr<ORBAX_Logging::SchemaDefinition> schema30(const std::wstring& name = L"coal12")
{
    using namespace ORBAX_Logging;
    return schemaOf(name, {{ROCKTYPE, L"Lithology"},
                           {PERCENTAGE, L"Percent"},
                           {TOP, L"From"},
                           {BOTTOM, L"To"},
                           {THICKNESS, L"Thick"},
                           {SAMPLE, L"Sample"},
                           {SEAM, L"Seam"},
                           {PLY, L"Ply"},
                           {RECOVERED, L"Recovered"},
                           {STRING, L"Colour"},
                           {REAL, L"Hardness"},
                           {INTEGER, L"Code"}});
}

// Twenty-five fields, as every version 2.1 record has.
inline std::shared_ptr<ORBAX_Logging::SchemaDefinition> schema21(const std::wstring& name = L"p21")
{
    using namespace ORBAX_Logging;
    std::vector<FieldDefinition> fields{{ROCKTYPE, L"Lithology"}, {PERCENTAGE, L"Percent"}, {BOTTOM, L"To"},
                                        {SAMPLE, L"Sample"},      {SEAM, L"Seam"},          {PLY, L"Ply"}};
    while (fields.size() < 25)
        fields.push_back({STRING, L"Free" + std::to_wstring(fields.size())});
    return schemaOf(name, fields);
}

// Lines joined with a line end after each.
inline std::string lines(const std::vector<std::string>& all, const std::string& end = "\r\n")
{
    std::string out;
    for (const auto& line : all)
        out += line + end;
    return out;
}

// One twelve-field record: rock, percent, top, bottom, thickness, sample, seam, ply, recovered, colour,
// hardness, code.
inline std::vector<std::string> record30(const std::string& rock, const std::string& pct, const std::string& top,
                                         const std::string& bottom, const std::string& thick,
                                         const std::string& sample = "", const std::string& seam = "",
                                         const std::string& ply = "", const std::string& rec = "",
                                         const std::string& colour = "", const std::string& hard = "",
                                         const std::string& code = "")
{
    return {rock, pct, top, bottom, thick, sample, seam, ply, rec, colour, hard, code};
}

// A file's first line, to which records are added with +.
inline std::vector<std::string> head(const std::string& versionLine) { return {versionLine}; }

inline std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline ORBAX_Logging::PrologOptionsData options(ORBAX_Logging::SchemaPtr nominated,
                                                ORBAX_Logging::SchemaPtr default21 = nullptr,
                                                ORBAX_Logging::SchemaPtr default30 = nullptr)
{
    return ORBAX_Logging::PrologOptionsData(std::move(nominated), 2, true, L"IN GENERAL", 0, false,
                                            std::move(default21), std::move(default30));
}

} // namespace PrologTest
