#pragma once
// The clipboard's unit data without the clipboard: one unit as archive text (the format that two
// running copies of the program exchange), a readable line of it for other programs, and the two
// pastes, each one undoable step of the document that marks the pane modified.
//
// Pasting between boreholes of different schemas never puts a value into a column it did not come
// from: element rows are mapped field by field into the target's schema, and Paste Special pairs
// each chosen field of the target with the source field of the same kind (free fields also by their
// name) or refuses.
#include <string>
#include <vector>

#include "core/model/Interval.h"
#include "docview/document/history/UnitRangeList.h"

class BoreholeDocument;

namespace UnitClipboard {

// The archive text of one unit: the archive header, this run's identifier, the unit.
std::wstring WriteUnitArchive(const ORBAX_Logging::Interval& unit);
// Reads the unit of an archive text, which ends at its first NUL if it has one. Anything that is not
// a complete archive of a unit throws (std::exception); the text is trusted in nothing.
ORBAX_Logging::Interval ReadUnitArchive(const std::wstring& text);

// A readable line for programs that do not know the archive: top, base and thickness, the rock types
// with their percentages, seam, ply and sample number, separated by tabs.
std::wstring UnitPlainText(const ORBAX_Logging::Interval& unit);

// Paste: every selected unit of pane k takes the source unit's seam, ply, composite row and elements
// (each row mapped into the pane's schema); depths, recovered length and sample number stay. One
// undoable step; false (nothing changed) when the selection is empty.
bool PasteUnit(BoreholeDocument& document, int k, const UnitRangeList& selection,
               const ORBAX_Logging::Interval& source);

// How each chosen field of the target schema is found in the source unit.
struct FieldMapping {
    // Per target field: the source field index, or -1 when the field is not pasted. Unit-level kinds
    // (rock type, seam, ply, sample) that a unit carries whatever its schema map to themselves (their
    // own target index) when the source schema holds the kind or lists no fields at all (a unit from
    // another running program, whose schema is not known here).
    std::vector<int> source;
    // The first chosen target field without a counterpart; empty when every chosen field maps.
    std::wstring unmatched;
    bool complete() const { return unmatched.empty(); }
};
FieldMapping MapPasteFields(const ORBAX_Logging::SchemaDefinition* target,
                            const ORBAX_Logging::SchemaDefinition* source, const std::vector<bool>& chosen);

enum class PasteFieldsResult {
    Pasted,    // the chosen fields went to every selected unit
    Nothing,   // nothing to do: no selection, no field chosen, or an interbedded source unit
    Unmatched, // a chosen field has no counterpart in the source unit: nothing changed
};
// Paste Special: the chosen fields (one flag per field of pane k's schema) go from the source unit to
// every selected unit, element by element. An interbedded source unit changes nothing.
PasteFieldsResult PasteUnitFields(BoreholeDocument& document, int k, const UnitRangeList& selection,
                                  const ORBAX_Logging::Interval& source, const std::vector<bool>& chosen,
                                  std::wstring* unmatchedField = nullptr);

} // namespace UnitClipboard
