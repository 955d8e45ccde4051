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

// The depths a unit is written with.
struct WrittenDepths {
    double top = 0.0;
    double bottom = 0.0;
    double thickness = 0.0;
};

// The depths of a borehole's units as a file writes them with a number of decimals, unit after unit in
// order. Rounded each on its own, a unit's top, bottom and thickness could disagree as written by more
// than the readers allow (a thickness of 36.2035 rounding up while its depths round down). Here the
// bottom is rounded as it is printed, the top is the written bottom of the unit above where the two
// meet (within half the last written place), and the thickness is the written bottom less the written
// top: the written depths agree with each other, and depths that the decimals hold stay as they are.
class DepthsAsWritten {
public:
    explicit DepthsAsWritten(int decimals) : m_decimals(decimals) {}
    // The depths of the next unit.
    WrittenDepths next(const Interval& unit);

private:
    int m_decimals;
    double m_bottomAbove = 0.0;
    double m_writtenAbove = 0.0;
    bool m_first = true;
};

// False when a unit of the borehole has a bottom or a thickness that is not a number (an interbedded
// unit that its file left open): a file cannot hold it so that it reads back. Adds then one error
// (11119) that names `fileName` as not written and the first such unit, by its number, rock types
// and the depth above it. Called before anything is written.
bool checkDepthsKnown(const Borehole& borehole, const std::wstring& fileName, int decimals, LoadMessages& messages);

using FieldWriter = void (*)(void* formatContext, const std::string& text, const OptionsData& options);
using SeparatorWriter = void (*)(void* formatContext, const OptionsData& options);

// For each field of options.schema in order: its narrow text (code page 1252, "?" for a character
// that has none) handed to writeField, with writeSeparator between two fields. The depth fields are
// written from `depths` (DepthsAsWritten). `intervalRow` marks the composite row of an interbedded
// unit. Rock type, sample, ply and seam with characters that cannot be saved give one warning (11111)
// per field. With `lineFields` (a format whose rows end at line ends) a carriage return or line feed
// in any field is written as a blank, with the same warning, so that the record stays aligned.
void writeUnitRow(const LithData& element, LoadMessages& messages, const Interval& unit, const WrittenDepths& depths,
                  void* formatContext, const OptionsData& options, FieldWriter writeField,
                  SeparatorWriter writeSeparator, bool intervalRow, bool lineFields = false);

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
