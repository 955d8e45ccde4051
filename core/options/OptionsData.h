#pragma once
// The option records that steer every borehole reader and writer: which schema, how many decimal
// places, backups, the interbedded-unit marker and the format. Readers write back what they found
// (the format code, and the Prolog reader the schema it chose).
#include <cstdint>
#include <memory>
#include <string>

#include "core/model/SchemaDefinition.h"
#include "platform/FileIdentity.h"
#include "platform/SafeFile.h"

namespace ORBAX_Logging {

// The rock type that marks the unit-level record of an interbedded unit, unless the options say
// otherwise.
extern const wchar_t* const DefaultIntervalRockType; // "IN GENERAL"

enum FormatCode : std::int32_t {
    FormatUnknown = 0,
    FormatProlog21 = 1,
    FormatProlog30 = 2,
    FormatProlog40 = 3,
    FormatProlog41 = 4,
    FormatCSV = 5,
};

class OptionsData {
public:
    SchemaPtr schema;
    // Decimal places of depths and thicknesses in written files and in messages.
    std::int32_t precision = 2;
    bool backup = true;
    std::wstring intervalRockType = DefaultIntervalRockType;
    std::int32_t formatCode = FormatUnknown;
    // Write a percentage of 100 as an empty field.
    bool suppress100Percent = false;
    // The repair read: keep every unit and the bottom and thickness that the file gives, even where
    // they disagree (the disagreements are still reported).
    bool keepGivenDepths = false;
    // The file a read of a file with this record read, as it was when opened: set by the readers, not
    // `exists` before. A later save of the same file holds it against what is there then.
    ORBAX_Platform::FileIdentity fileRead;
    // The save's last check of the file it replaces (see ORBAX_Platform::ReplaceCheck): given what is
    // at the name right before the new file takes its place, false leaves everything as it was. The
    // save reports a change made as the new file goes in. Empty: no check.
    ORBAX_Platform::ReplaceCheck replaces;

    OptionsData() = default;
    OptionsData(SchemaPtr schema_, std::int32_t precision_, bool backup_, std::wstring intervalRockType_,
                std::int32_t formatCode_, bool suppress100Percent_ = false);
    OptionsData(const OptionsData&) = default;
    OptionsData& operator=(const OptionsData&) = default;
    virtual ~OptionsData();
};

class PrologOptionsData : public OptionsData {
public:
    // The configuration's schemas named "prolog21" and "prolog3"; either may be empty.
    SchemaPtr prolog21Schema;
    SchemaPtr prolog30Schema;

    PrologOptionsData() = default;
    PrologOptionsData(SchemaPtr schema_, std::int32_t precision_, bool backup_, std::wstring intervalRockType_,
                      std::int32_t formatCode_, bool suppress100Percent_, SchemaPtr prolog21Schema_,
                      SchemaPtr prolog30Schema_);
    ~PrologOptionsData() override;
};

class Prolog4OptionsData : public OptionsData {
public:
    // Take the schema from the file's heading template.
    bool deduce = false;
    // Which template and data log of the file are read.
    std::uint32_t dataLogIndex = 0;

    Prolog4OptionsData() = default;
    Prolog4OptionsData(SchemaPtr schema_, std::int32_t precision_, bool backup_, std::wstring intervalRockType_,
                       std::int32_t formatCode_, bool suppress100Percent_, bool deduce_, std::uint32_t dataLogIndex_);
    ~Prolog4OptionsData() override;
};

class CSVOptionsData : public OptionsData {
public:
    enum Quoting : std::int32_t { NoQuotes = 0, DoubleQuotes = 1, SingleQuotes = 2 };
    enum QuoteQuoting : std::int32_t { QuoteDoubled = 0, QuoteEscaped = 1, QuoteUntreated = 2 };
    enum IntervalLocation : std::int32_t { IntervalBefore = 0, IntervalAfter = 1, IntervalNone = 2 };

    std::int32_t quotingStyle = DoubleQuotes;
    std::int32_t quoteQuoteStyle = QuoteDoubled;
    char escapeCharacter = '\\';
    std::uint32_t headingRows = 1;
    std::int32_t intervalLocation = IntervalAfter;

    CSVOptionsData();
    CSVOptionsData(SchemaPtr schema_, std::int32_t precision_, bool backup_, std::wstring intervalRockType_,
                   std::int32_t formatCode_, bool suppress100Percent_, std::int32_t quotingStyle_,
                   std::int32_t quoteQuoteStyle_, char escapeCharacter_, std::uint32_t headingRows_,
                   std::int32_t intervalLocation_);
    ~CSVOptionsData() override;
};

} // namespace ORBAX_Logging
