#pragma once
// One row of a delimited or line-per-field borehole file: the text of each field of the options'
// schema for one element row of one unit. The format supplies how a field and a separator are
// written.
#include <string>
#include <unordered_map>
#include <vector>

#include "core/model/Borehole.h"
#include "core/model/Interval.h"
#include "core/model/LoadMessage.h"
#include "core/model/NoCaseCompare.h"
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

// The fields of the schema a file is written with, and where each takes its value from in a row of
// another schema: the first field of the same name, ignoring case. Names are looked up once per save
// and per schema of the rows, so that a save costs what it writes, not the product of the two
// schemas' field counts.
class WrittenFields {
public:
    explicit WrittenFields(const SchemaDefinition& written);

    const SchemaDefinition& schema() const { return m_written; }
    // For each written field in order, its field of the same name in `source`, -1 where it has none.
    const std::vector<int>& sourcesIn(const SchemaDefinition& source) { return matchOf(source).sources; }
    // For each field of `source` in order, the written field of its name, -1 where there is none.
    const std::vector<int>& writtenFieldsOf(const SchemaDefinition& source) { return matchOf(source).written; }

private:
    struct Match {
        std::vector<int> sources;
        std::vector<int> written;
    };
    const Match& matchOf(const SchemaDefinition& source);

    const SchemaDefinition& m_written;
    NoCaseCompare m_compare;
    // The written fields' names upper-cased, each to its first field, and in the fields' order.
    std::unordered_map<std::wstring, int> m_first;
    std::vector<std::wstring> m_keys;
    std::unordered_map<const SchemaDefinition*, Match> m_matches;
};

using FieldWriter = void (*)(void* formatContext, const std::string& text, const OptionsData& options);
using SeparatorWriter = void (*)(void* formatContext, const OptionsData& options);

// For each field of the written schema (`fields`, that of options.schema) in order: its narrow text
// (code page 1252, "?" for a character that has none) handed to writeField, with writeSeparator
// between two fields. The depth fields are written from `depths` (DepthsAsWritten). `intervalRow`
// marks the composite row of an interbedded unit. Every field with characters that cannot be saved
// (a rock type, a seam, a note alike) gives one warning (11111). With `lineFields` (a format whose rows end
// at line ends) a carriage return or line feed in any field is written as a blank, with the same
// warning, so that the record stays aligned.
void writeUnitRow(const LithData& element, LoadMessages& messages, const Interval& unit, const WrittenDepths& depths,
                  void* formatContext, const OptionsData& options, WrittenFields& fields, FieldWriter writeField,
                  SeparatorWriter writeSeparator, bool intervalRow, bool lineFields = false);

// The warning that field `fieldName` of the unit is written without some of its characters: message
// 11111 (or `id`, of the same arguments) naming the field and the unit's top and bottom with `decimals`
// decimals; kind 4, a warning.
void addLostCharactersWarning(LoadMessages& messages, const std::wstring& fieldName, const Interval& unit, int decimals,
                              int id = 11111);

// A file written with another schema than the borehole's keeps only the values the written schema has
// a field for. Adds one warning (11198) naming the fields of the borehole whose values would be lost
// that way (the first 20 by name, the others counted), so that a save never drops them without a word;
// nothing when none would be.
void reportFieldsWithoutColumn(const Borehole& borehole, WrittenFields& fields, LoadMessages& messages);

// Field names for a warning, each in double quotes and separated by commas: the first 20, then the
// number of the others.
std::wstring quotedFieldNames(const std::vector<std::wstring>& names);

// The wide text of field `fieldIndex` of the element's schema, as the XML writer wants it: no
// suppressed percentages, no character check. A field of an unknown kind leaves `out` as it is.
void unitFieldText(const Interval& unit, const LithData& element, std::wstring& out, const OptionsData& options,
                   bool intervalRow, int fieldIndex);

// Code page 1252 characters that a file can hold as text: everything but the control characters and
// the five bytes the code page leaves undefined.
bool isPrintableByte(unsigned char byte);

} // namespace ORBAX_Logging
