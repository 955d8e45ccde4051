#pragma once
// The configuration's schemas: an ordered list of shared schemas in which a name occurs once
// (compared without regard to case). Every schema the list stores gets a unique, non-zero id, so
// that an option record that remembers a schema by id finds that schema and no other.
#include <list>
#include <memory>
#include <string>
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

// The schema with the id; throws std::runtime_error "Item <id> not found".
SchemaPtr findSchemaById(const SchemaDefinitionList& list, std::int32_t id);
// The first schema whose name equals `name` ignoring case; throws std::runtime_error
// "Item <name> not found".
SchemaPtr findSchemaByName(const SchemaDefinitionList& list, const std::wstring& name);
// The same lookups without the exception: null when there is none.
SchemaPtr lookupSchemaById(const SchemaDefinitionList& list, std::int32_t id);
SchemaPtr lookupSchemaByName(const SchemaDefinitionList& list, const std::wstring& name);

// Names compared as the list compares them: both upper-cased through the global locale.
bool schemaNamesEqual(const std::wstring& a, const std::wstring& b);

} // namespace ORBAX_Logging
