#pragma once
// The schema a copied unit was written with, for another running program. The unit archive names its
// schema only by an address in the writer, so a program that did not write it knows nothing of the
// unit's fields, and every free-field value would be dropped by a paste that maps fields by name.
// The copy therefore places a description of the schema (its name and each field's kind and name)
// beside the archive; the reader gives it to the rows the archive left without fields.
#include <string>

#include "core/model/Interval.h"
#include "core/model/SchemaDefinition.h"

namespace UnitClipboard {

// The description as archive text: the archive header, this run's identifier, the tag "Schema", the
// schema's name, the field count and each field's kind and name.
std::wstring WriteSchemaArchive(const ORBAX_Logging::SchemaDefinition& schema);
// Reads a description, which ends at its first NUL if it has one. The text is trusted in nothing:
// anything but a complete description of known field kinds, or more fields than any schema holds,
// throws (std::exception).
ORBAX_Logging::SchemaPtr ReadSchemaArchive(const std::wstring& text);

// Gives the writer's schema to the unit, its element rows and its composite row wherever the archive
// left them a schema without fields (one this run does not know). A row holding more values than the
// description has fields keeps what it has: the description is not the one it was written with.
// True when anything was given the schema.
bool AdoptWriterSchema(ORBAX_Logging::Interval& unit, const ORBAX_Logging::SchemaPtr& schema);

} // namespace UnitClipboard
