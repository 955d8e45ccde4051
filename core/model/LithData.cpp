#include "core/model/LithData.h"

#include <unordered_map>

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
        // Each name to its first target field, and the source read once: a row of many fields costs
        // their number, not its square.
        std::unordered_map<std::wstring, std::size_t> firstOf;
        for (std::size_t k = to.size(); k-- > 0;)
            firstOf[to[k].name] = k;
        std::vector<std::wstring> values = source.toVector();
        for (std::size_t i = 0; i < values.size() && i < from.size(); ++i) {
            const auto found = firstOf.find(from[i].name);
            if (found != firstOf.end())
                mapped[found->second] = std::move(values[i]);
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
