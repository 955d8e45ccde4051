#pragma once
// The schema list of the format option pages (list 1182): the configuration's usable schemas by name,
// sorted, each with its id as item data; the page's record keeps the chosen schema's id.
#include <cstdint>

#include "core/model/SchemaList.h"

class QListWidget;

// Empties the list and adds every schema whose valid flag is set and whose name is not empty.
void FillValidSchemas(QListWidget* list, const ORBAX_Logging::SchemaDefinitionList* schemas);
// Loading selects the entry with the id (none when no entry has it); saving takes the selected entry's
// id and leaves the id alone when nothing is selected.
void DDX_SchemaList(bool save, QListWidget* list, std::uint32_t& schemaId);
// The number of fields of the selected schema; -1 with nothing selected. An id that is not in the
// configuration throws std::runtime_error "Item <id> not found".
int SelectedSchemaFieldCount(const QListWidget* list, const ORBAX_Logging::SchemaDefinitionList* schemas);
