#include "core/model/SchemaList.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>

#include "core/model/NoCaseCompare.h"
#include "platform/Text.h"

namespace ORBAX_Logging {

namespace {

// Ids are handed out process-wide, so a schema never gets an id that another schema had before.
std::atomic<std::int32_t> g_lastSchemaId{0};

// A new id above `highest` (the list's highest) and above every id given before.
std::int32_t nextIdAbove(std::int32_t highest)
{
    std::int32_t last = g_lastSchemaId.load();
    std::int32_t next;
    do {
        next = std::max(last, highest) + 1;
    } while (!g_lastSchemaId.compare_exchange_weak(last, next));
    return next;
}

std::int32_t nextSchemaId(const SchemaDefinitionList& list)
{
    std::int32_t highest = 0;
    for (const SchemaPtr& existing : list)
        if (existing && existing->id > highest)
            highest = existing->id;
    return nextIdAbove(highest);
}

void raiseLastId(std::int32_t id)
{
    std::int32_t last = g_lastSchemaId.load();
    while (id > last && !g_lastSchemaId.compare_exchange_weak(last, id)) {
    }
}

} // namespace

std::pair<SchemaDefinitionList::iterator, bool> InsertSchemaDefinition(SchemaDefinitionList& list,
                                                                       const SchemaDefinition& schema,
                                                                       SchemaDefinitionList::iterator position)
{
    const NoCaseCompare compare;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (!*it)
            continue;
        if (compare.Equal((*it)->name, schema.name) || (schema.id != 0 && (*it)->id == schema.id))
            return {it, false};
    }
    auto copy = std::make_shared<SchemaDefinition>(schema);
    if (copy->id == 0)
        copy->id = nextSchemaId(list);
    else
        raiseLastId(copy->id);
    return {list.insert(position, std::move(copy)), true};
}

SchemaListAppender::SchemaListAppender(SchemaDefinitionList& list) : m_list(list)
{
    const NoCaseCompare compare;
    for (const SchemaPtr& existing : list) {
        if (!existing)
            continue;
        m_names.insert(compare.UpperCase(existing->name));
        m_ids.insert(existing->id);
        if (existing->id > m_highest)
            m_highest = existing->id;
    }
}

bool SchemaListAppender::append(const SchemaDefinition& schema)
{
    std::wstring name = NoCaseCompare().UpperCase(schema.name);
    if (m_names.count(name) || (schema.id != 0 && m_ids.count(schema.id)))
        return false;
    auto copy = std::make_shared<SchemaDefinition>(schema);
    if (copy->id == 0)
        copy->id = nextIdAbove(m_highest);
    else
        raiseLastId(copy->id);
    m_highest = std::max(m_highest, copy->id);
    m_ids.insert(copy->id);
    m_names.insert(std::move(name));
    m_list.push_back(std::move(copy));
    return true;
}

SchemaPtr lookupSchemaById(const SchemaDefinitionList& list, std::int32_t id)
{
    for (const SchemaPtr& schema : list)
        if (schema && schema->id == id)
            return schema;
    return nullptr;
}

SchemaPtr lookupSchemaByName(const SchemaDefinitionList& list, const std::wstring& name)
{
    const NoCaseCompare compare;
    for (const SchemaPtr& schema : list)
        if (schema && compare.Equal(schema->name, name))
            return schema;
    return nullptr;
}

SchemaPtr findSchemaById(const SchemaDefinitionList& list, std::int32_t id)
{
    SchemaPtr found = lookupSchemaById(list, id);
    if (!found)
        throw std::runtime_error("Item " + std::to_string(id) + " not found");
    return found;
}

SchemaPtr findSchemaByName(const SchemaDefinitionList& list, const std::wstring& name)
{
    SchemaPtr found = lookupSchemaByName(list, name);
    if (!found)
        throw std::runtime_error("Item " + ORBAX_Platform::narrow_cp1252(name) + " not found");
    return found;
}

} // namespace ORBAX_Logging
