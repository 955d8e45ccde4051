#include "tools/holdex/FileTypeOptions.h"

#include <cstdint>
#include <set>
#include <stdexcept>

#include "core/configfile/ConfigSchemaSection.h"
#include "platform/Paths.h"

namespace po = boost::program_options;

namespace Holdex {

using ORBAX_Logging::CSVOptionsData;
using ORBAX_Logging::OptionsData;
using ORBAX_Logging::Prolog4OptionsData;
using ORBAX_Logging::PrologOptionsData;
using ORBAX_Logging::SchemaPtr;

namespace {

// The option names by the index used in the "not valid" message, which lists them in this order.
enum OptionIndex {
    Type,
    Schema,
    HRows,
    IntervalLocation,
    Quoting,
    QuoteQuote,
    Deduce,
    IntervalRockType,
    SuppressPercent
};
const char* const optionNames[] = {"type",
                                   "schema",
                                   "hrows",
                                   "interval-location",
                                   "quoting",
                                   "quote-quote",
                                   "deduce",
                                   "interval-rocktype",
                                   "suppress-percent"};

const char* const defaultType = "prolog";
const char* const defaultIntervalLocation = "after";
const char* const defaultQuoting = "double";
const char* const defaultQuoteQuote = "two";
const char* const defaultIntervalRockType = "IN GENERAL";

const int recordPrecision = 3;

// A name typed on the command line. The terminal gives UTF-8, while the names it must match (schemas
// in the configuration, rock types in borehole files) are code page text widened character by
// character; so valid UTF-8 is decoded as such, and anything else is taken as code page bytes.
std::wstring widenArgument(const std::string& text)
{
    std::wstring wide = ORBAX_Platform::wide_from_utf8(text);
    if (ORBAX_Platform::utf8_from_wide(wide) == text)
        return wide;
    return ORBAX_Platform::widen_cp1252(text);
}

bool stringDiffers(const po::variables_map& map, const char* name, const char* defaultValue)
{
    return map.count(name) && map[name].as<std::string>() != defaultValue;
}

std::string stringValue(const po::variables_map& map, const char* name, const char* defaultValue)
{
    return map.count(name) ? map[name].as<std::string>() : std::string(defaultValue);
}

// The options the user gave: present and not holding the default value.
std::set<int> typedOptions(const po::variables_map& map)
{
    std::set<int> typed;
    if (stringDiffers(map, optionNames[Type], defaultType))
        typed.insert(Type);
    if (map.count(optionNames[Schema]))
        typed.insert(Schema);
    if (map.count(optionNames[HRows]) && map[optionNames[HRows]].as<HeadingRowCount>().value != 1)
        typed.insert(HRows);
    if (stringDiffers(map, optionNames[IntervalLocation], defaultIntervalLocation))
        typed.insert(IntervalLocation);
    if (stringDiffers(map, optionNames[Quoting], defaultQuoting))
        typed.insert(Quoting);
    if (stringDiffers(map, optionNames[QuoteQuote], defaultQuoteQuote))
        typed.insert(QuoteQuote);
    if (map.count(optionNames[Deduce]))
        typed.insert(Deduce);
    if (stringDiffers(map, optionNames[IntervalRockType], defaultIntervalRockType))
        typed.insert(IntervalRockType);
    if (map.count(optionNames[SuppressPercent]))
        typed.insert(SuppressPercent);
    return typed;
}

// "option quoting is not valid ..." / "options hrows, quoting and deduce are not valid ...".
std::string invalidOptionsText(const std::vector<int>& invalid, const std::string& typeWord)
{
    std::string text = invalid.size() == 1 ? "option " : "options ";
    for (std::size_t i = 0; i < invalid.size(); ++i) {
        if (i > 0)
            text += i + 1 == invalid.size() ? " and " : ", ";
        text += optionNames[invalid[i]];
    }
    text += invalid.size() == 1 ? " is " : " are ";
    text += "not valid for file type of " + typeWord;
    return text;
}

SchemaPtr namedSchema(const po::variables_map& map, const ORBAX_Logging::SchemaDefinitionList& schemas)
{
    const std::string name = map[optionNames[Schema]].as<std::string>();
    try {
        return find_schema(schemas, widenArgument(name));
    } catch (const std::exception&) {
        throw std::runtime_error("Unknown schema " + name);
    }
}

SchemaPtr requiredSchema(const po::variables_map& map, const ORBAX_Logging::SchemaDefinitionList& schemas,
                         const char* typeWord)
{
    if (!map.count(optionNames[Schema]))
        throw std::runtime_error(std::string("option --schema must be specified if type is ") + typeWord);
    return namedSchema(map, schemas);
}

std::unique_ptr<OptionsData> csvRecord(const po::variables_map& map, const ORBAX_Logging::SchemaDefinitionList& schemas)
{
    SchemaPtr schema = requiredSchema(map, schemas, "csv");

    const std::string quoting = stringValue(map, optionNames[Quoting], defaultQuoting);
    std::int32_t quotingStyle;
    if (quoting == "none")
        quotingStyle = CSVOptionsData::NoQuotes;
    else if (quoting == "double")
        quotingStyle = CSVOptionsData::DoubleQuotes;
    else if (quoting == "single")
        quotingStyle = CSVOptionsData::SingleQuotes;
    else
        throw std::runtime_error("\"" + quoting + "\" is not a valid argument for option quoting.");

    const std::string quoteQuote = stringValue(map, optionNames[QuoteQuote], defaultQuoteQuote);
    std::int32_t quoteQuoteStyle;
    char escape = ' ';
    if (quoteQuote == "two")
        quoteQuoteStyle = CSVOptionsData::QuoteDoubled;
    else if (quoteQuote == "none")
        quoteQuoteStyle = CSVOptionsData::QuoteUntreated;
    else if (quoteQuote.size() == 1) {
        quoteQuoteStyle = CSVOptionsData::QuoteEscaped;
        escape = quoteQuote[0];
    } else
        throw std::runtime_error(quoteQuote + " is not a valid argument to option quote-quote");

    const std::string location = stringValue(map, optionNames[IntervalLocation], defaultIntervalLocation);
    std::int32_t intervalLocation;
    if (location == "before")
        intervalLocation = CSVOptionsData::IntervalBefore;
    else if (location == "after")
        intervalLocation = CSVOptionsData::IntervalAfter;
    else if (location == "none")
        intervalLocation = CSVOptionsData::IntervalNone;
    else
        throw std::runtime_error(location + " is not a valid argument to option interval-location");

    const unsigned headingRows =
        map.count(optionNames[HRows]) ? map[optionNames[HRows]].as<HeadingRowCount>().value : 1u;
    const std::wstring intervalRockType =
        widenArgument(stringValue(map, optionNames[IntervalRockType], defaultIntervalRockType));
    const bool suppressPercent = map.count(optionNames[SuppressPercent]) > 0;

    return std::make_unique<CSVOptionsData>(schema, recordPrecision, true, intervalRockType, ORBAX_Logging::FormatCSV,
                                            suppressPercent, quotingStyle, quoteQuoteStyle, escape, headingRows,
                                            intervalLocation);
}

template <class Record>
std::unique_ptr<Record> copyOf(const OptionsData& record)
{
    const Record* typed = dynamic_cast<const Record*>(&record);
    if (!typed)
        throw std::runtime_error("wrong file type");
    return std::make_unique<Record>(*typed);
}

} // namespace

void validate(boost::any& result, const std::vector<std::string>& values, HeadingRowCount*, int)
{
    po::validators::check_first_occurrence(result);
    const std::string& text = po::validators::get_single_string(values);
    // Digits only: the library's own conversion would let "-1" wrap round to a huge count.
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        throw po::invalid_option_value(text);
    const unsigned long long value = std::stoull(text);
    if (value > 0xFFFFFFFFull)
        throw po::invalid_option_value(text);
    result = boost::any(HeadingRowCount{static_cast<unsigned>(value)});
}

void FileTypeOptions::describe(bool outputSide, po::options_description& description)
{
    m_outputSide = outputSide;
    m_parsed = false;
    m_fileType = FileTypeNone;
    m_record.reset();

    auto add = description.add_options();
    if (outputSide) {
        add("type,t", po::value<std::string>()->default_value(defaultType),
            "Specify the type of the borehole file, either \"prolog2\", \"prolog3\", \"prolog4\" or \"csv\"");
        add("interval-rocktype", po::value<std::string>()->default_value(defaultIntervalRockType),
            "Specify the rock type to use for interval level data for interbedded units (CSV only)");
    } else {
        add("type,t", po::value<std::string>()->default_value(defaultType),
            "Specify the type of the borehole file, either \"prolog\", \"prolog4\" or \"csv\"");
    }
    add("schema,s", po::value<std::string>(), "Specify the schema for the borehole");
    add("hrows", po::value<HeadingRowCount>()->default_value(HeadingRowCount{}, "1"),
        "Specify the number of heading rows (CSV only)");
    add("interval-location", po::value<std::string>()->default_value(defaultIntervalLocation),
        "Specify the location of the interval record - \"before\", \"after\" or \"none\" (CSV only)");
    add("quoting", po::value<std::string>()->default_value(defaultQuoting),
        "Specify the quote character: \"double\", \"single\" or \"none\" (CSV only)");
    add("quote-quote", po::value<std::string>()->default_value(defaultQuoteQuote),
        "Specify the way to handle quotes in quoted strings: \"two\", \"non\" or escape-character (CSV only)");
    add("deduce", "Deduce the schema from the file contents (Prolog4 only)");
    if (!outputSide)
        add("interval-rocktype", po::value<std::string>()->default_value(defaultIntervalRockType),
            "Specify the name of the unit level record for an interbedded unit (CSV only)");
    add("suppress-percent",
        "On output, suppresses output of 100%, on input assumes that a missing percentage is 100% (CSV only)");
}

int FileTypeOptions::parse(const po::variables_map& map, const ORBAX_Logging::SchemaDefinitionList& schemas)
{
    m_parsed = false;
    m_fileType = FileTypeNone;
    m_record.reset();

    const std::set<int> typed = typedOptions(map);
    const std::string typeWord = stringValue(map, optionNames[Type], defaultType);

    int code;
    std::set<int> allowed{Type, Schema};
    if (typeWord == "prolog") {
        if (m_outputSide)
            throw std::runtime_error("\"prolog\" is not a valid file for output files.");
        code = FileTypeProlog;
    } else if (typeWord == "prolog2") {
        code = FileTypeProlog;
    } else if (typeWord == "prolog3") {
        code = FileTypeProlog3;
    } else if (typeWord == "prolog4") {
        allowed.insert(Deduce);
        code = FileTypeProlog4;
    } else if (typeWord == "csv") {
        allowed = {Type, Schema, HRows, IntervalLocation, Quoting, QuoteQuote, IntervalRockType, SuppressPercent};
        code = FileTypeCSV;
    } else {
        throw std::runtime_error("unknown file type \"" + typeWord + "\"");
    }

    std::vector<int> invalid;
    for (int index : typed)
        if (!allowed.count(index))
            invalid.push_back(index);
    if (!invalid.empty())
        throw std::runtime_error(invalidOptionsText(invalid, typeWord));

    std::unique_ptr<OptionsData> record;
    const std::wstring intervalRockType = ORBAX_Logging::DefaultIntervalRockType;
    switch (code) {
    case FileTypeProlog:
    case FileTypeProlog3: {
        SchemaPtr schema = requiredSchema(map, schemas, "prolog");
        record = std::make_unique<PrologOptionsData>(schema, recordPrecision, true, intervalRockType,
                                                     code == FileTypeProlog3 ? ORBAX_Logging::FormatProlog30
                                                                             : ORBAX_Logging::FormatProlog21,
                                                     false, SchemaPtr(), SchemaPtr());
        break;
    }
    case FileTypeProlog4:
        if (map.count(optionNames[Deduce])) {
            if (map.count(optionNames[Schema]))
                throw std::runtime_error("option deduce is not valid with option schema");
            record = std::make_unique<Prolog4OptionsData>(SchemaPtr(), recordPrecision, true, intervalRockType,
                                                          ORBAX_Logging::FormatUnknown, false, true, 0);
        } else {
            if (!map.count(optionNames[Schema]))
                throw std::runtime_error(
                    "either option --schema or option --deduce must be specified if type is prolog4");
            record =
                std::make_unique<Prolog4OptionsData>(namedSchema(map, schemas), recordPrecision, true, intervalRockType,
                                                     ORBAX_Logging::FormatProlog40, false, false, 0);
        }
        break;
    default: record = csvRecord(map, schemas); break;
    }

    m_record = std::move(record);
    m_fileType = code;
    m_parsed = true;
    return code;
}

std::unique_ptr<PrologOptionsData> FileTypeOptions::prolog_options() const
{
    return copyOf<PrologOptionsData>(record());
}

std::unique_ptr<Prolog4OptionsData> FileTypeOptions::prolog4_options() const
{
    return copyOf<Prolog4OptionsData>(record());
}

std::unique_ptr<CSVOptionsData> FileTypeOptions::csv_options() const { return copyOf<CSVOptionsData>(record()); }

const OptionsData& FileTypeOptions::record() const
{
    if (!m_parsed || !m_record)
        throw std::runtime_error("command line not parsed");
    return *m_record;
}

ORBAX_Logging::SchemaPtr find_schema(const ORBAX_Logging::SchemaDefinitionList& schemas, const std::wstring& name)
{
    return ORBAX_Logging::findSchemaByName(schemas, name);
}

} // namespace Holdex
