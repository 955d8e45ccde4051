#pragma once
// What the borehole commands of Holdex share: reading the configuration with its report, the lines
// that report reader and writer messages, and reading and writing a borehole by file type code.
#include <memory>
#include <string>

#include "core/model/Borehole.h"
#include "core/model/LoadMessage.h"
#include "core/model/SchemaList.h"
#include "core/options/OptionsData.h"
#include "tools/holdex/FileTypeOptions.h"
#include "tools/holdex/HoldexCommands.h"

namespace Holdex {

// A wide text for the terminal, in the terminal's encoding.
std::string narrow_text(const std::wstring& text);

enum class ConfigurationResult { Read, Failed, Exception };

// Reads the schemas of the configuration file. A problem of severity 3 or 4 writes "There were errors
// reading the configuration file <name>" and every problem's text to the standard error stream and
// gives Failed; an exception from the reader writes "An exception occurred: <text>" and gives
// Exception (the schemas read so far stay).
ConfigurationResult read_configuration(const ConfigurationFile& configFile,
                                       ORBAX_Logging::SchemaDefinitionList& schemas);

// "Info", "Warning", "Error" or "Fatal" for a message's severity.
std::string severity_word(int severity);
// True when a message has both a non-zero severity and a non-zero kind: then the list is reported.
bool has_reportable(const ORBAX_Logging::LoadMessages& messages);
bool has_failure(const ORBAX_Logging::LoadMessages& messages);
// One line per message on the standard error stream:
// <Word> <kind> while reading "<file>": <text>   (`activity` is "reading" or "writing").
void write_message_lines(const ORBAX_Logging::LoadMessages& messages, const char* activity,
                         const std::string& fileName);

// The record of a side's options for the type code, as the reader and writer take it. Throws
// std::runtime_error for a code the commands do not know.
std::unique_ptr<ORBAX_Logging::OptionsData> options_record(const FileTypeOptions& options, int typeCode);

// Reads `fileName` (UTF-8) with the reader of the type code. `record` must be the type's record
// (it receives what the reader found). Never null.
std::unique_ptr<ORBAX_Logging::Borehole> read_borehole(int typeCode, const std::string& fileName,
                                                       ORBAX_Logging::OptionsData& record,
                                                       ORBAX_Logging::LoadMessages& messages);
// Writes the borehole with the writer of the type code.
void write_borehole(int typeCode, const std::string& fileName, ORBAX_Logging::Borehole& borehole,
                    const ORBAX_Logging::OptionsData& record, ORBAX_Logging::LoadMessages& messages);

// The text of the internal error for a type code that no reader or writer switch knows.
std::string internal_error_text(int line);

} // namespace Holdex
