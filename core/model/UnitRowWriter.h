#pragma once
// One row of a delimited or line-per-field borehole file: the text of each field of the options'
// schema for one element row of one unit. The format supplies how a field and a separator are
// written.
#include <string>

#include "core/model/Borehole.h"
#include "core/model/Interval.h"
#include "core/model/LoadMessage.h"
#include "core/options/OptionsData.h"

namespace ORBAX_Logging {

using FieldWriter = void (*)(void* formatContext, const std::string& text, const OptionsData& options);
using SeparatorWriter = void (*)(void* formatContext, const OptionsData& options);

// For each field of options.schema in order: its narrow text (code page 1252, "?" for a character
// that has none) handed to writeField, with writeSeparator between two fields. `intervalRow` marks
// the composite row of an interbedded unit. Rock type, sample, ply and seam with characters that
// cannot be saved give one warning (11111) per field. With `lineFields` (a format whose rows end at
// line ends) a carriage return or line feed in any field is written as a blank, with the same
// warning, so that the record stays aligned.
void writeUnitRow(const LithData& element, LoadMessages& messages, const Interval& unit, void* formatContext,
                  const OptionsData& options, FieldWriter writeField, SeparatorWriter writeSeparator, bool intervalRow,
                  bool lineFields = false);

// A file written with another schema than the borehole's keeps only the values the written schema has
// a field for. Adds one warning (11198) naming every field of the borehole whose values would be lost
// that way, so that a save never drops them without a word; nothing when none would be.
void reportFieldsWithoutColumn(const Borehole& borehole, const OptionsData& options, LoadMessages& messages);

// The wide text of field `fieldIndex` of the element's schema, as the XML writer wants it: no
// suppressed percentages, no character check. A field of an unknown kind leaves `out` as it is.
void unitFieldText(const Interval& unit, const LithData& element, std::wstring& out, const OptionsData& options,
                   bool intervalRow, int fieldIndex);

// Code page 1252 characters that a file can hold as text: everything but the control characters and
// the five bytes the code page leaves undefined.
bool isPrintableByte(unsigned char byte);

} // namespace ORBAX_Logging
