#pragma once
// Units on the system clipboard. A copy of one unit travels under the program's own MIME type as the
// unit's archive text (UTF-8), so that another running copy of the program can paste it; beside it go
// a description of the unit's schema (so that another program maps its values into its own fields),
// a readable line of the unit as plain text (in developer mode the archive text itself) and, put
// there by the view, a picture. Whatever the clipboard holds may come from another program: it is
// read as untrusted text, and anything that is not a complete unit archive is refused.
#include <string>
#include <vector>

#include <QString>

#include "core/model/Interval.h"
#include "docview/clipboard/UnitClipboard.h"
#include "docview/document/history/UnitRangeList.h"

class BoreholeDocument;
class QMimeData;

// The MIME type under which units travel through the clipboard; the application records it as its
// clipboard format.
extern const char* const QuorBoreDataFormat; // "application/x-quorlog-bore-data"

// The MIME type of unit data: the application's clipboard format.
QString UnitDataFormat();

// Adds unit i of pane k to the data about to be placed on the clipboard: the archive under the unit
// MIME type, and plain text (the archive text itself in developer mode). False, with `data` left as it
// was, when the unit cannot be written.
bool CopyUnitsToClipboard(QMimeData& data, const BoreholeDocument& document, int k, int i, bool developerMode);

// Whether clipboard data offers the unit MIME type (nothing is read).
bool OffersUnitData(const QMimeData* data);
// Reads the unit on the clipboard. Throws std::runtime_error "No relevant data on clipboard" without
// unit data, and the archive's exceptions for data that is not a complete unit archive.
void ReadUnitsFromClipboard(ORBAX_Logging::Interval& unit);
// The unit of clipboard data (the same rules).
ORBAX_Logging::Interval ReadUnitData(const QMimeData* data);

// Paste: the clipboard's unit into every selected unit of pane k (one undoable step). False, with
// nothing changed, when the clipboard holds no readable unit or the paste failed.
bool pasteUnit(BoreholeDocument& document, int k, const UnitRangeList& selection);
// Paste Special: the chosen fields (one flag per field of pane k's schema) from the clipboard's unit.
// A clipboard without a readable unit gives Nothing.
UnitClipboard::PasteFieldsResult pasteUnitFields(BoreholeDocument& document, int k, const UnitRangeList& selection,
                                                 const std::vector<bool>& chosen,
                                                 std::wstring* unmatchedField = nullptr);
