#include "core/options/OptionsData.h"

namespace ORBAX_Logging {

const wchar_t* const DefaultIntervalRockType = L"IN GENERAL";

OptionsData::OptionsData(SchemaPtr schema_, std::int32_t precision_, bool backup_, std::wstring intervalRockType_,
                         std::int32_t formatCode_, bool suppress100Percent_)
    : schema(std::move(schema_)), precision(precision_), backup(backup_),
      intervalRockType(std::move(intervalRockType_)), formatCode(formatCode_), suppress100Percent(suppress100Percent_)
{
}

OptionsData::~OptionsData() = default;

PrologOptionsData::PrologOptionsData(SchemaPtr schema_, std::int32_t precision_, bool backup_,
                                     std::wstring intervalRockType_, std::int32_t formatCode_, bool suppress100Percent_,
                                     SchemaPtr prolog21Schema_, SchemaPtr prolog30Schema_)
    : OptionsData(std::move(schema_), precision_, backup_, std::move(intervalRockType_), formatCode_,
                  suppress100Percent_),
      prolog21Schema(std::move(prolog21Schema_)), prolog30Schema(std::move(prolog30Schema_))
{
}

PrologOptionsData::~PrologOptionsData() = default;

Prolog4OptionsData::Prolog4OptionsData(SchemaPtr schema_, std::int32_t precision_, bool backup_,
                                       std::wstring intervalRockType_, std::int32_t formatCode_,
                                       bool suppress100Percent_, bool deduce_, std::uint32_t dataLogIndex_)
    : OptionsData(std::move(schema_), precision_, backup_, std::move(intervalRockType_), formatCode_,
                  suppress100Percent_),
      deduce(deduce_), dataLogIndex(dataLogIndex_)
{
}

Prolog4OptionsData::~Prolog4OptionsData() = default;

CSVOptionsData::CSVOptionsData()
{
    formatCode = FormatCSV;
    precision = 3;
}

CSVOptionsData::CSVOptionsData(SchemaPtr schema_, std::int32_t precision_, bool backup_, std::wstring intervalRockType_,
                               std::int32_t formatCode_, bool suppress100Percent_, std::int32_t quotingStyle_,
                               std::int32_t quoteQuoteStyle_, char escapeCharacter_, std::uint32_t headingRows_,
                               std::int32_t intervalLocation_)
    : OptionsData(std::move(schema_), precision_, backup_, std::move(intervalRockType_), formatCode_,
                  suppress100Percent_),
      quotingStyle(quotingStyle_), quoteQuoteStyle(quoteQuoteStyle_), escapeCharacter(escapeCharacter_),
      headingRows(headingRows_), intervalLocation(intervalLocation_)
{
}

CSVOptionsData::~CSVOptionsData() = default;

} // namespace ORBAX_Logging
