#pragma once
// The configuration's schemas: an ordered list of shared schemas in which a name occurs once
// (compared without regard to case). Every schema the list stores gets a unique, non-zero id, so
// that an option record that remembers a schema by id finds that schema and no other.
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>

#include "core/model/SchemaDefinition.h"

namespace ORBAX_Logging {

using SchemaDefinitionList = std::list<SchemaPtr>;

// Inserts a copy of `schema` before `position` unless the list already holds a schema of the same
// name (ignoring case) or, for a schema with a non-zero id, one with the same id. A schema with id 0
// is given a new id, never given before in this run. Returns the position of the found or inserted
// schema and whether it was inserted.
std::pair<SchemaDefinitionList::iterator, bool> InsertSchemaDefinition(SchemaDefinitionList& list,
                                                                       const SchemaDefinition& schema,
                                                                       SchemaDefinitionList::iterator position);

// Appends schemas at the end of a list as InsertSchemaDefinition does, in time that grows with their
// number only: a configuration holds thousands of schemas, and comparing each new name with every
// schema before it took minutes. Keeps the list's names (upper-cased once), ids and highest id from
// its construction on; the list must change through no other way meanwhile.
class SchemaListAppender {
public:
    explicit SchemaListAppender(SchemaDefinitionList& list);
    // Appends a copy of `schema` (a new id when its id is 0) unless the list holds its name (ignoring
    // case) or its non-zero id; true when it was appended.
    bool append(const SchemaDefinition& schema);

private:
    SchemaDefinitionList& m_list;
    std::unordered_set<std::wstring> m_names;
    std::unordered_set<std::int32_t> m_ids;
    std::int32_t m_highest = 0;
};

// The schema with the id; throws std::runtime_error "Item <id> not found".
SchemaPtr findSchemaById(const SchemaDefinitionList& list, std::int32_t id);
// The first schema whose name equals `name` ignoring case; throws std::runtime_error
// "Item <name> not found".
SchemaPtr findSchemaByName(const SchemaDefinitionList& list, const std::wstring& name);
// The same lookups without the exception: null when there is none.
SchemaPtr lookupSchemaById(const SchemaDefinitionList& list, std::int32_t id);
SchemaPtr lookupSchemaByName(const SchemaDefinitionList& list, const std::wstring& name);

} // namespace ORBAX_Logging
