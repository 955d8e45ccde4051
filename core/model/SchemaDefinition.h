#pragma once
// A schema: the named, ordered list of typed fields that says which column of a borehole file holds
// which unit field. Boreholes, units and element rows share one through a pointer to const.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/model/FieldDefinition.h"
#include "core/model/LoadMessage.h"

namespace ORBAX_Logging {

class LithData;

class SchemaDefinition {
public:
    enum Flags : std::uint32_t {
        HasSample = 0x01,
        HasSeam = 0x02,
        HasPly = 0x04,
        HasRecovered = 0x08,
        HasPercentage = 0x10,
        Validated = 0x20,
        Valid = 0x40,
    };

    std::vector<FieldDefinition> fields;
    std::wstring name;
    std::int32_t id = 0;
    std::uint32_t flags = 0;

    SchemaDefinition() = default;
    SchemaDefinition(std::wstring schemaName, std::vector<FieldDefinition> schemaFields)
        : fields(std::move(schemaFields)), name(std::move(schemaName))
    {
    }

    // Recomputes the flags from the fields and appends a warning for each problem; true (and flag
    // Valid) when there is none.
    bool validate(LoadMessages& messages);
    // The name of a usable schema, empty for one that failed validation.
    std::wstring validName() const { return (flags & Valid) ? name : std::wstring(); }

    bool has(std::uint32_t flag) const { return (flags & flag) == flag; }
    // The number of fields of a kind.
    std::size_t countOf(std::int32_t kind) const;
    // The index of the first field of a kind, -1 when there is none.
    int indexOf(std::int32_t kind) const;
};

using SchemaPtr = std::shared_ptr<const SchemaDefinition>;

// The index of the first field whose name equals `name` ignoring case, or -1.
int findField(const std::vector<FieldDefinition>& fields, const std::wstring& name);

// The text of the named field of an element row: the percentage, the rock type or the stored value of
// a free (or TOP) field. Unit-level kinds leave `out` as it is and answer true; a name the element's
// schema lacks empties `out` and answers false.
bool fieldText(std::wstring& out, const LithData& element, const std::wstring& name);
// The same for field `index` of the element's schema, which must be below its field count. `values`,
// where given, are the row's values unpacked (ValueList::toVector), so that a pass over every field
// reads the row once.
bool fieldTextAt(std::wstring& out, const LithData& element, std::size_t index,
                 const std::vector<std::wstring>* values = nullptr);
inline bool fieldValueToString(std::wstring& out, const LithData& element, const std::wstring& name)
{
    return fieldText(out, element, name);
}

} // namespace ORBAX_Logging
