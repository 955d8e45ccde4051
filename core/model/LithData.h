#pragma once
// One element row of a unit: a rock type with its percentage and one value text per schema field.
// Texts are kept packed (CompactText, ValueList): a large borehole holds millions of them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/model/CompactText.h"
#include "core/model/SchemaDefinition.h"
#include "core/model/ValueList.h"

namespace ORBAX_Logging {

class LithData {
public:
    CompactText rockType;
    std::int32_t percentage = 100;
    SchemaPtr schema;
    // Exactly one text per field of `schema`, in its order.
    ValueList values;

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

// The unit-level row of an interbedded unit, kept on the heap and only when a unit has one: most units
// have a single element and no use for it. Copying copies the row whole (schema included).
class CompositeRow {
public:
    CompositeRow() noexcept = default;
    CompositeRow(const CompositeRow& other) : m_row(other.m_row ? std::make_unique<LithData>(*other.m_row) : nullptr) {}
    CompositeRow(CompositeRow&&) noexcept = default;
    CompositeRow& operator=(const CompositeRow& other)
    {
        if (this != &other)
            m_row = other.m_row ? std::make_unique<LithData>(*other.m_row) : nullptr;
        return *this;
    }
    CompositeRow& operator=(CompositeRow&&) noexcept = default;
    // Takes the row whole, schema included.
    CompositeRow& operator=(LithData&& row)
    {
        if (m_row)
            *m_row = std::move(row);
        else
            m_row = std::make_unique<LithData>(std::move(row));
        return *this;
    }
    // Copy-assigning a row would have to map its values into a schema this object does not know:
    // assign through Interval::compositeRow() instead.
    CompositeRow& operator=(const LithData&) = delete;

    bool has_value() const { return static_cast<bool>(m_row); }
    explicit operator bool() const { return has_value(); }
    // Only while has_value().
    LithData& operator*() { return *m_row; }
    const LithData& operator*() const { return *m_row; }
    LithData* operator->() { return m_row.get(); }
    const LithData* operator->() const { return m_row.get(); }
    LithData* get() { return m_row.get(); }
    const LithData* get() const { return m_row.get(); }
    void reset() { m_row.reset(); }

private:
    std::unique_ptr<LithData> m_row;
};

} // namespace ORBAX_Logging
