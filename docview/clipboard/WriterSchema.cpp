#include "docview/clipboard/WriterSchema.h"

#include <sstream>
#include <stdexcept>

#include "core/archive/ArchiveStreams.h"
#include "core/model/FieldDefinition.h"

using ORBAX_Logging::FieldDefinition;
using ORBAX_Logging::LithData;
using ORBAX_Logging::SchemaDefinition;
using ORBAX_Logging::SchemaPtr;

namespace UnitClipboard {
namespace {

// Far more fields than any schema of the configuration may hold; a larger count is damage.
constexpr unsigned int kMostFields = 1024;

bool unknown(const SchemaPtr& schema) { return !schema || schema->fields.empty(); }

bool adopt(LithData& row, const SchemaPtr& schema)
{
    if (!unknown(row.schema) || row.values.size() > schema->fields.size())
        return false;
    row.schema = schema;
    return true;
}

} // namespace

std::wstring WriteSchemaArchive(const SchemaDefinition& schema)
{
    std::wostringstream text;
    {
        ORBAX_Utilities::oserial_stream archive(text);
        archive.write(std::wstring(L"Schema"));
        archive.write(schema.name);
        archive.write(static_cast<unsigned int>(schema.fields.size()));
        for (const FieldDefinition& field : schema.fields) {
            archive.write(static_cast<int>(field.kind));
            archive.write(field.name);
        }
    }
    return text.str();
}

SchemaPtr ReadSchemaArchive(const std::wstring& text)
{
    std::wistringstream stream(text.substr(0, text.find(L'\0')));
    ORBAX_Utilities::iserial_stream archive(stream);
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
        if (ORBAX_Logging::fieldKindKeyword(kind).empty())
            throw std::runtime_error("Unknown field kind in a schema description");
        std::wstring name;
        archive.read(name);
        schema->fields.emplace_back(kind, std::move(name));
    }
    return schema;
}

bool AdoptWriterSchema(ORBAX_Logging::Interval& unit, const SchemaPtr& schema)
{
    if (!schema || schema->fields.empty())
        return false;
    bool adopted = false;
    if (unknown(unit.schema)) {
        unit.schema = schema;
        adopted = true;
    }
    for (LithData& element : unit.elements)
        adopted = adopt(element, schema) || adopted;
    if (unit.composite)
        adopted = adopt(*unit.composite, schema) || adopted;
    return adopted;
}

} // namespace UnitClipboard
