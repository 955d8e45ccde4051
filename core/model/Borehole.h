#pragma once
// A named borehole log: the ordered column of its units (top of the hole first), read against one
// shared schema. The format classes derive from it; their load and save are plain functions of their
// class.
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/Interval.h"
#include "core/model/SchemaDefinition.h"

namespace ORBAX_Logging {

class Borehole : public std::vector<Interval> {
public:
    std::wstring name;
    SchemaPtr schema;

    // No units, the given schema, named "<unnamed>".
    explicit Borehole(SchemaPtr boreholeSchema = SchemaPtr());
    Borehole(const Borehole&) = default;
    Borehole(Borehole&&) = default;
    Borehole& operator=(const Borehole&) = default;
    Borehole& operator=(Borehole&&) = default;
    virtual ~Borehole();

    // Removes every unit and names the borehole "<unnamed>" again; the schema stays.
    void clear();
    // The file name of a path, without folder and without its extension. The name is shown and written
    // as text: a byte of a file name that is no character (see wide_from_name) becomes U+FFFD.
    void setNameFromPath(const std::wstring& path);

    int unitCount() const { return static_cast<int>(size()); }

    // Queries. They throw Exception with the type named.
    double unitTop(int i) const;         // 2 for a bad index
    int unitAtDepth(double depth) const; // 1 above 0, 0 below the last unit (and NaN)
    bool hasSampleField() const;         // 4 without a schema, for all five
    bool hasSeamField() const;
    bool hasSeamAndPlyFields() const;
    bool hasRecoveredField() const;
    bool hasPercentageField() const;

    // Edits. Every check runs before any change, so a thrown Exception leaves the borehole as it was.
    // Removes unit i; returns i, or -1 when no unit follows.
    int deleteUnit(int i, bool shiftUp);
    // Inserts a unit at i from unit i's top down to `depth` (a copy of unit i, or a blank unit).
    int insertUnit(int i, bool shiftDown, bool blank, double depth);
    // Appends a blank unit below the last one, down to `depth`; returns its index.
    int appendUnit(double depth);
    // Moves the base of unit i to `depth`.
    void setUnitDepth(int i, bool shiftBelow, double depth);

    // Sample numbers. A sample number splits at its last run of digits into prefix, digit run and
    // suffix; width is the run's length when it begins with "0" (padding), else 0.
    bool splitSampleNumber(int i, std::wstring& prefix, std::wstring& digits, std::wstring& suffix,
                           std::int32_t& width) const;
    bool parseSampleNumber(int i, std::wstring& prefix, std::int32_t& number, std::wstring& suffix,
                           std::int32_t& width) const;
    // Over units first to last (negative first: 0; negative last: the last unit). The three flags are
    // only ever set; the caller clears them.
    bool sampleNumberPattern(int first, int last, std::wstring& prefix, std::wstring& suffix, std::int32_t& firstNumber,
                             std::int32_t& width, bool& prefixDiffers, bool& suffixDiffers, bool& widthDiffers) const;
    // The lowest and highest sample numbers by number; both left as they are when none parses.
    void sampleNumberRange(std::wstring& lowest, std::wstring& highest) const;
    std::wstring nextSampleNumber() const;

private:
    const Interval& unitAt(int i) const;
    void checkIndex(int i) const;
    void checkSchema() const;
};

} // namespace ORBAX_Logging
