#include "core/model/LithData.h"

namespace ORBAX_Logging {

LithData::LithData(SchemaPtr rowSchema)
    : percentage(100), schema(std::move(rowSchema)), values(schema ? schema->fields.size() : 0)
{
}

namespace {

// Values carried between two schemas by exact field name (letter case counts).
void assignByName(ValueList& target, const SchemaDefinition* targetSchema, const ValueList& source,
                  const SchemaDefinition* sourceSchema)
{
    const std::size_t targetCount = targetSchema ? targetSchema->fields.size() : 0;
    std::vector<std::wstring> mapped(targetCount);
    if (sourceSchema && targetSchema) {
        const auto& from = sourceSchema->fields;
        const auto& to = targetSchema->fields;
        for (std::size_t i = 0; i < source.size() && i < from.size(); ++i) {
            for (std::size_t k = 0; k < to.size(); ++k) {
                if (to[k].name == from[i].name) {
                    mapped[k] = source[i];
                    break;
                }
            }
        }
    }
    target.assign(mapped);
}

} // namespace

LithData& LithData::operator=(const LithData& source)
{
    if (this == &source)
        return *this;
    rockType = source.rockType;
    percentage = source.percentage;
    if (schema == source.schema)
        values = source.values;
    else
        assignByName(values, schema.get(), source.values, source.schema.get());
    return *this;
}

} // namespace ORBAX_Logging
