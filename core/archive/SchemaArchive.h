#pragma once
// The schema a copied unit was written with, for another running program. The unit archive names its
// schema only by an address in the writer, so a program that did not write it knows nothing of the
// unit's fields, and every free-field value would be dropped by an assignment that maps fields by
// name. A description of the schema (its name and each field's kind and name) therefore travels
// beside the unit, and the reader gives it to the rows the archive left without fields.
//
// Archive order: the tag "Schema", the schema's name, the field count, and each field's kind (int)
// and name.
#include "core/archive/ArchiveStreams.h"
#include "core/model/Interval.h"
#include "core/model/SchemaDefinition.h"

namespace ORBAX_Logging {

class SchemaArchive {
public:
    static void save(ORBAX_Utilities::oserial& archive, const SchemaDefinition& schema);
    // A new schema read in the order save writes it. Trusted in nothing: another tag, a field kind this
    // program does not know, more fields than any schema holds or a cut text throws (std::exception).
    static SchemaPtr load(ORBAX_Utilities::iserial& archive);

    // Gives the writer's schema to the unit, its element rows and its composite row wherever the
    // archive left them a schema without fields (one this run does not know). A row holding more
    // values than the description has fields keeps what it has: the description is not the one it
    // was written with. True when anything was given the schema.
    static bool adopt(Interval& unit, const SchemaPtr& schema);
};

} // namespace ORBAX_Logging
