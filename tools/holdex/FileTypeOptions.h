#pragma once
// The options that describe one borehole file on a Holdex command line (its type, its schema and the
// CSV details), for the file that is read or the file that is written. After the command's parse the
// object checks which options the user gave against the chosen type and builds the option record
// that steers the reader or the writer.
#include <memory>
#include <string>

#include <boost/program_options.hpp>

#include "core/model/SchemaList.h"
#include "core/options/OptionsData.h"

namespace Holdex {

// File type codes, as the commands switch on them: each is the format code that picks the type's
// reader and writer.
enum FileTypeCode {
    FileTypeNone = ORBAX_Logging::FormatUnknown,
    FileTypeProlog = ORBAX_Logging::FormatProlog21,
    FileTypeProlog3 = ORBAX_Logging::FormatProlog30,
    FileTypeProlog4 = ORBAX_Logging::FormatProlog40,
    FileTypeCSV = ORBAX_Logging::FormatCSV,
};

// The value of --hrows: an unsigned 32-bit count. Its own type so that "-1" or "2x" are refused by the
// parse instead of wrapping round.
struct HeadingRowCount {
    unsigned value = 1;
};
void validate(boost::any& result, const std::vector<std::string>& values, HeadingRowCount*, int);

class FileTypeOptions {
public:
    FileTypeOptions() = default;
    FileTypeOptions(const FileTypeOptions&) = delete;
    FileTypeOptions& operator=(const FileTypeOptions&) = delete;

    // Resets the object and adds the options of one side (output side: the file that is written).
    void describe(bool outputSide, boost::program_options::options_description& description);
    // Checks the options the user typed against the type and builds the record. Returns the file type
    // code. Throws std::runtime_error with the text for the user; the object is then left unparsed.
    int parse(const boost::program_options::variables_map& map, const ORBAX_Logging::SchemaDefinitionList& schemas);

    // New copies of the record for the caller. Throw std::runtime_error "command line not parsed"
    // before a successful parse and "wrong file type" when the record is of another kind.
    std::unique_ptr<ORBAX_Logging::PrologOptionsData> prolog_options() const;
    std::unique_ptr<ORBAX_Logging::Prolog4OptionsData> prolog4_options() const;
    std::unique_ptr<ORBAX_Logging::CSVOptionsData> csv_options() const;
    // The record itself; throws std::runtime_error "command line not parsed" before a successful parse.
    const ORBAX_Logging::OptionsData& record() const;

    bool outputSide() const { return m_outputSide; }
    bool parsed() const { return m_parsed; }
    int fileType() const { return m_fileType; }

private:
    bool m_outputSide = false;
    bool m_parsed = false;
    int m_fileType = FileTypeNone;
    std::unique_ptr<ORBAX_Logging::OptionsData> m_record;
};

// The first schema whose name equals `name` ignoring case; throws std::runtime_error
// "Item <name> not found".
ORBAX_Logging::SchemaPtr find_schema(const ORBAX_Logging::SchemaDefinitionList& schemas, const std::wstring& name);

} // namespace Holdex
