#pragma once
// The description of a copied unit's schema as clipboard text, so that another running program puts
// the unit's values into its own fields by their names (the archive itself names the schema only by
// an address in the writer).
#include <string>

#include "core/model/Interval.h"
#include "core/model/SchemaDefinition.h"

namespace UnitClipboard {

// The description as archive text: the archive header, this run's identifier, the schema.
std::wstring WriteSchemaArchive(const ORBAX_Logging::SchemaDefinition& schema);
// Reads a description, which ends at its first NUL if it has one; anything but a complete description
// throws (std::exception).
ORBAX_Logging::SchemaPtr ReadSchemaArchive(const std::wstring& text);
// Gives the unit's rows that the archive left without fields the writer's schema (see SchemaArchive).
bool AdoptWriterSchema(ORBAX_Logging::Interval& unit, const ORBAX_Logging::SchemaPtr& schema);

} // namespace UnitClipboard
