#pragma once
// One element row of a unit: a rock type with its percentage and one value text per schema field.
#include <cstdint>
#include <string>
#include <vector>

#include "SchemaDefinition.h"

namespace ORBAX_Logging {

class LithData {
public:
    std::wstring rockType;
    std::int32_t percentage = 100;
    SchemaPtr schema;
    // Exactly one text per field of `schema`, in its order.
    std::vector<std::wstring> values;

    LithData() = default;
    // An empty row for a schema: no rock type, 100 percent, one empty value per field.
    explicit LithData(SchemaPtr rowSchema);
    LithData(const LithData&) = default;
    LithData(LithData&&) noexcept = default;

    // Takes the rock type and percentage; the values as they are when both rows share one schema
    // object, else each value goes to the first target field of exactly the same name. The target
    // keeps its own schema.
    LithData& operator=(const LithData& source);
    // Moving relocates a row whole, schema included, so that containers can shift rows freely.
    LithData& operator=(LithData&& source) noexcept = default;
};

} // namespace ORBAX_Logging
