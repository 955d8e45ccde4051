#include "tools/holdex/CommandSupport.h"

#include <iostream>
#include <stdexcept>

#include "core/catalogue/Messages.h"
#include "core/formats/BoreholeFormats.h"
#include "platform/Paths.h"
#include "platform/TerminalText.h"
#include "tools/holdex/ReducedConfigReader.h"

namespace Holdex {

using ORBAX_Logging::LoadMessage;
using ORBAX_Logging::LoadMessages;

std::string narrow_text(const std::wstring& text) { return ORBAX_Platform::terminal_text(text); }

ConfigurationResult read_configuration(const ConfigurationFile& configFile,
                                       ORBAX_Logging::SchemaDefinitionList& schemas)
{
    ConfigMessageList problems;
    try {
        read_configuration_schemas(configFile.name, configFile.named, problems, schemas);
    } catch (const std::exception& e) {
        std::cerr << "An exception occurred: " << ORBAX_Platform::terminal_text_of_bytes(e.what()) << "\n";
        return ConfigurationResult::Exception;
    }
    if (!HasConfigFailure(problems))
        return ConfigurationResult::Read;
    std::cerr << "There were errors reading the configuration file " << ORBAX_Platform::terminal_name(configFile.name)
              << "\n";
    for (const ConfigMessage& problem : problems)
        std::cerr << narrow_text(problem.text) << "\n";
    return ConfigurationResult::Failed;
}

std::string severity_word(int severity)
{
    int id = 21004;
    if (severity <= ORBAX_Logging::SeverityInfo)
        id = 21001;
    else if (severity == ORBAX_Logging::SeverityWarning)
        id = 21002;
    else if (severity == ORBAX_Logging::SeverityError)
        id = 21003;
    return ORBAX_Utilities::get_message(id);
}

bool has_reportable(const LoadMessages& messages)
{
    for (const LoadMessage& m : messages)
        if (m.severity != 0 && m.kind != 0)
            return true;
    return false;
}

bool has_failure(const LoadMessages& messages) { return ORBAX_Logging::hasFailure(messages); }

void write_message_lines(const LoadMessages& messages, const char* activity, const std::string& fileName)
{
    for (const LoadMessage& m : messages)
        std::cerr << severity_word(m.severity) << ' ' << m.kind << " while " << activity << " \""
                  << ORBAX_Platform::terminal_name(fileName) << "\": " << narrow_text(m.text) << "\n";
}

std::unique_ptr<ORBAX_Logging::OptionsData> options_record(const FileTypeOptions& options, int typeCode)
{
    const ORBAX_Logging::BoreholeFormat* format = ORBAX_Logging::BoreholeFormats::find(typeCode);
    if (!format)
        throw std::runtime_error(internal_error_text(__LINE__));
    return format->copyOptions(options.record());
}

std::unique_ptr<ORBAX_Logging::Borehole> read_borehole(int typeCode, const std::string& fileName,
                                                       ORBAX_Logging::OptionsData& record, LoadMessages& messages)
{
    // A name on the command line is bytes, mostly UTF-8, never text of the borehole's code page; it
    // reaches the system as typed.
    return ORBAX_Logging::BoreholeFormats::load(typeCode, ORBAX_Platform::wide_from_name(fileName), record, messages);
}

void write_borehole(int typeCode, const std::string& fileName, ORBAX_Logging::Borehole& borehole,
                    const ORBAX_Logging::OptionsData& record, LoadMessages& messages)
{
    ORBAX_Logging::BoreholeFormats::save(typeCode, ORBAX_Platform::wide_from_name(fileName), borehole, record,
                                         messages);
}

std::string internal_error_text(int line) { return "Internal error at (Holdex, " + std::to_string(line); }

} // namespace Holdex
