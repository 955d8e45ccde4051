#include "core/archive/IntervalArchive.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>

namespace ORBAX_Logging {
namespace {

using ORBAX_Utilities::iserial;
using ORBAX_Utilities::oserial;

// The schemas this run has written, by the text of their address. Weak references: a schema that
// has gone since it was written is not found, and one written by another program never is.
class WrittenSchemas {
public:
    void add(const std::string& key, const SchemaPtr& schema)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_schemas[key] = schema;
        if (m_schemas.size() >= m_pruneAt) {
            for (auto it = m_schemas.begin(); it != m_schemas.end();)
                it = it->second.expired() ? m_schemas.erase(it) : std::next(it);
            m_pruneAt = 2 * m_schemas.size() + 64;
        }
    }

    SchemaPtr find(const std::string& key) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto found = m_schemas.find(key);
        return found == m_schemas.end() ? nullptr : found->second.lock();
    }

private:
    mutable std::mutex m_mutex;
    std::map<std::string, std::weak_ptr<const SchemaDefinition>> m_schemas;
    std::size_t m_pruneAt = 64;
};

WrittenSchemas& written_schemas()
{
    static WrittenSchemas table;
    return table;
}

void save_schema_reference(oserial& archive, const SchemaPtr& reference)
{
    archive.write(std::string("shared_ptr"));
    archive.write(static_cast<const void*>(&reference));
    archive.write(static_cast<const void*>(reference.get()));
    if (reference)
        written_schemas().add(ORBAX_Utilities::pointer_text(reference.get()), reference);
}

SchemaPtr load_schema_reference(iserial& archive)
{
    std::string tag, referenceText, schemaText;
    archive.read(tag);
    archive.read_pointer(referenceText);
    archive.read_pointer(schemaText);
    if (archive.sameProcess()) {
        if (schemaText == ORBAX_Utilities::pointer_text(nullptr))
            return nullptr;
        if (SchemaPtr schema = written_schemas().find(schemaText))
            return schema;
    }
    // Not ours, or no longer alive: a new empty schema, shared by every reference of this archive
    // to the same writer schema.
    const std::string key = "SchemaDefinition " + schemaText;
    if (auto known = archive.recorded(key))
        return std::static_pointer_cast<const SchemaDefinition>(known);
    SchemaPtr empty = std::make_shared<const SchemaDefinition>();
    archive.record(key, empty);
    return empty;
}

void save_element(oserial& archive, const LithData& element)
{
    archive.write(std::wstring(L"Element"));
    archive.write(element.rockType);
    archive.write(static_cast<int>(element.percentage));
    save_schema_reference(archive, element.schema);
    archive.write(std::string("DataList"));
    archive.write(static_cast<unsigned int>(element.values.size()));
    for (const std::wstring& value : element.values.toVector())
        archive.write(value);
}

LithData load_element(iserial& archive)
{
    LithData element;
    std::wstring tag;
    archive.read(tag);
    std::wstring rockType;
    archive.read(rockType);
    element.rockType = rockType;
    int percentage = 0;
    archive.read(percentage);
    element.percentage = percentage;
    element.schema = load_schema_reference(archive);
    std::string listTag;
    archive.read(listTag);
    unsigned int count = 0;
    archive.read(count);
    // The count is only a claim: values are added one by one as they are read, so a damaged
    // archive runs out of text (an exception) long before it could ask for much memory.
    std::vector<std::wstring> values;
    for (unsigned int i = 0; i < count; ++i) {
        std::wstring value;
        archive.read(value);
        values.push_back(std::move(value));
    }
    element.values.assign(values);
    return element;
}

bool selected(const FieldSelection& selection, std::size_t position)
{
    return position < selection.size() && selection.test(position);
}

} // namespace

void IntervalArchive::save(oserial& archive, const Interval& unit)
{
    archive.write(std::wstring(L"Interval"));
    archive.write(static_cast<unsigned int>(unit.elements.size()));
    for (const auto& element : unit.elements)
        save_element(archive, element);
    archive.write(unit.bottom);
    archive.write(unit.thickness);
    archive.write(unit.recovered);
    save_schema_reference(archive, unit.schema);
    archive.write(unit.seam);
    archive.write(unit.ply);
    archive.write(unit.sample);
    LithData blank;
    save_element(archive, unit.compositeOr(blank));
}

Interval IntervalArchive::load(iserial& archive)
{
    Interval unit;
    std::wstring tag;
    archive.read(tag);
    unsigned int count = 0;
    archive.read(count);
    for (unsigned int i = 0; i < count; ++i)
        unit.elements.push_back(load_element(archive));
    archive.read(unit.bottom);
    archive.read(unit.thickness);
    archive.read(unit.recovered);
    unit.schema = load_schema_reference(archive);
    std::wstring text;
    archive.read(text);
    unit.seam = text;
    archive.read(text);
    unit.ply = text;
    archive.read(text);
    unit.sample = text;
    // Moved, not assigned: assignment would map the row into the unit's (still empty) composite.
    unit.composite = load_element(archive);
    return unit;
}

void IntervalArchive::pasteFields(const Interval& source, Interval& target, const FieldSelection& selection)
{
    if (source.schema) {
        const auto& fields = source.schema->fields;
        for (std::size_t i = 0; i < fields.size() && i < selection.size(); ++i) {
            if (!selection.test(i))
                continue;
            switch (fields[i].kind) {
            case SEAM: target.seam = source.seam; break;
            case PLY: target.ply = source.ply; break;
            case SAMPLE: target.sample = source.sample; break;
            default: break;
            }
        }
    }
    const std::size_t pairs = std::min(source.elements.size(), target.elements.size());
    for (std::size_t k = 0; k < pairs; ++k)
        pasteElementFields(source.elements[k], target.elements[k], selection);
    if (source.elements.size() > 1 && target.elements.size() > 1) {
        LithData blank;
        pasteElementFields(source.compositeOr(blank), target.compositeRow(), selection);
    }
}

void IntervalArchive::pasteElementFields(const LithData& source, LithData& target, const FieldSelection& selection)
{
    static const std::vector<FieldDefinition> noFields;
    const auto& sourceFields = source.schema ? source.schema->fields : noFields;
    for (std::size_t i = 0; i < sourceFields.size() && i < selection.size(); ++i) {
        if (sourceFields[i].kind == ROCKTYPE && selection.test(i))
            target.rockType = source.rockType;
    }

    if (source.schema == target.schema) {
        for (std::size_t i = 0; i < source.values.size() && i < selection.size(); ++i) {
            if (!selection.test(i))
                continue;
            if (target.values.size() < source.values.size())
                target.values.resize(source.values.size());
            target.values.set(i, source.values[i]);
        }
        return;
    }

    const auto& targetFields = target.schema ? target.schema->fields : noFields;
    for (std::size_t i = 0; i < sourceFields.size() && i < source.values.size(); ++i) {
        if (!selected(selection, i))
            continue;
        for (std::size_t k = 0; k < targetFields.size(); ++k) {
            if (targetFields[k].name != sourceFields[i].name)
                continue;
            if (target.values.size() <= k)
                target.values.resize(targetFields.size());
            target.values.set(k, source.values[i]);
        }
    }
}

} // namespace ORBAX_Logging
