#include "core/archive/SchemaArchive.h"

#include <stdexcept>
#include <string>

#include "core/model/FieldDefinition.h"

namespace ORBAX_Logging {
namespace {

// Far more fields than any schema of the configuration may hold; a larger count is damage.
constexpr unsigned int kMostFields = 1024;

bool unknown(const SchemaPtr& schema) { return !schema || schema->fields.empty(); }

bool adoptRow(LithData& row, const SchemaPtr& schema)
{
    if (!unknown(row.schema) || row.values.size() > schema->fields.size())
        return false;
    row.schema = schema;
    return true;
}

} // namespace

void SchemaArchive::save(ORBAX_Utilities::oserial& archive, const SchemaDefinition& schema)
{
    archive.write(std::wstring(L"Schema"));
    archive.write(schema.name);
    archive.write(static_cast<unsigned int>(schema.fields.size()));
    for (const FieldDefinition& field : schema.fields) {
        archive.write(static_cast<int>(field.kind));
        archive.write(field.name);
    }
}

SchemaPtr SchemaArchive::load(ORBAX_Utilities::iserial& archive)
{
    std::wstring tag;
    archive.read(tag);
    if (tag != L"Schema")
        throw std::runtime_error("Not a schema description");
    auto schema = std::make_shared<SchemaDefinition>();
    archive.read(schema->name);
    unsigned int count = 0;
    archive.read(count);
    if (count > kMostFields)
        throw std::runtime_error("Too many fields in a schema description");
    for (unsigned int i = 0; i < count; ++i) {
        int kind = -1;
        archive.read(kind);
        if (fieldKindKeyword(kind).empty())
            throw std::runtime_error("Unknown field kind in a schema description");
        std::wstring name;
        archive.read(name);
        schema->fields.emplace_back(kind, std::move(name));
    }
    return schema;
}

bool SchemaArchive::adopt(Interval& unit, const SchemaPtr& schema)
{
    if (!schema || schema->fields.empty())
        return false;
    bool adopted = false;
    if (unknown(unit.schema)) {
        unit.schema = schema;
        adopted = true;
    }
    for (LithData& element : unit.elements)
        adopted = adoptRow(element, schema) || adopted;
    if (unit.composite)
        adopted = adoptRow(*unit.composite, schema) || adopted;
    return adopted;
}

} // namespace ORBAX_Logging
