#pragma once
// Units on the clipboard: a unit is written to and read from the archive interfaces in a fixed
// order, and Paste Special copies chosen fields from a pasted unit onto an existing one.
//
// Archive order of a unit: the tag "Interval", the element count and the elements, bottom,
// thickness, recovered, the schema reference, seam, ply, sample, the composite row. An element:
// the tag "Element", rock type, percentage, the schema reference, the tag "DataList", the value
// count and the values. A schema reference: "shared_ptr" and the texts of two addresses in the
// writer (its reference object and the schema).
//
// A reader never uses those addresses. Within the writing run it finds the schema again through the
// table of schemas this run has written, and only while that schema is still alive; otherwise (and
// for an archive of another run) the unit gets a new, empty schema, one per schema of the writer.
#include <boost/dynamic_bitset.hpp>

#include "core/archive/ArchiveStreams.h"
#include "core/model/Interval.h"

namespace ORBAX_Logging {

// The fields chosen for Paste Special: bit i selects the field at position i of the source schema.
using FieldSelection = boost::dynamic_bitset<>;

class IntervalArchive {
public:
    static void save(ORBAX_Utilities::oserial& archive, const Interval& unit);
    // A new unit read in the order save writes it; tags are read but not checked. A damaged archive
    // ends in an exception (the library's archive exception for bad or missing items).
    static Interval load(ORBAX_Utilities::iserial& archive);

    // Copies the selected seam, ply and sample fields, and the selected element fields of the
    // elements paired in order (and of the composite rows when both units are interbedded). Depths,
    // thickness and recovered length are never pasted.
    static void pasteFields(const Interval& source, Interval& target, const FieldSelection& selection);
    // The rock type when a selected field is ROCKTYPE; the selected values by position when both
    // rows share one schema object, else to every target field of exactly the same name.
    static void pasteElementFields(const LithData& source, LithData& target, const FieldSelection& selection);
};

} // namespace ORBAX_Logging
