#include <iostream>
#include <stdexcept>

#include <boost/program_options.hpp>

#include "core/formats/BoreholeFormats.h"
#include "core/model/BoreholeDescription.h"
#include "platform/TerminalText.h"
#include "tools/holdex/CommandSupport.h"
#include "tools/holdex/FileTypeOptions.h"
#include "tools/holdex/HoldexCommands.h"

namespace po = boost::program_options;

namespace Holdex {
namespace {

void print_export_usage(const po::options_description& options)
{
    std::cerr << "Usage: Holdex [global_options] export [export_options] filename\n"
              << "where export_options are:\n"
              << options;
}

} // namespace

int export_command(const WordList& words, bool help, const ConfigurationFile& configFile)
{
    FileTypeOptions fileType;
    po::options_description exportOptions(80, 40);
    fileType.describe(false, exportOptions);
    po::options_description hidden;
    hidden.add_options()("filename", po::value<std::string>());
    po::options_description all;
    all.add(exportOptions).add(hidden);
    po::positional_options_description positional;
    positional.add("filename", 1);

    if (help) {
        std::cout << "Export a text description of a borehole\n";
        print_export_usage(exportOptions);
        return ExitSuccess;
    }

    po::variables_map map;
    std::string fileName;
    try {
        po::store(po::command_line_parser(words).options(all).positional(positional).run(), map);
        po::notify(map);
        if (!map.count("filename"))
            throw std::runtime_error("missing filename");
        fileName = map["filename"].as<std::string>();
    } catch (const std::exception& e) {
        std::cerr << "Error parsing export command line: " << ORBAX_Platform::terminal_text_of_bytes(e.what()) << ".\n";
        print_export_usage(exportOptions);
        return ExitCommandLine;
    }

    ORBAX_Logging::SchemaDefinitionList schemas;
    if (read_configuration(configFile, schemas) == ConfigurationResult::Failed)
        return ExitConfiguration;

    int typeCode;
    try {
        typeCode = fileType.parse(map, schemas);
    } catch (const std::exception& e) {
        std::cerr << "Error parsing export command line: " << ORBAX_Platform::terminal_text_of_bytes(e.what()) << ".\n";
        print_export_usage(exportOptions);
        return ExitCommandLine;
    }

    if (!ORBAX_Logging::BoreholeFormats::find(typeCode)) {
        std::cerr << "Internal error at ExportCommand.cpp, " << __LINE__ << ".\n";
        return ExitFailed;
    }

    ORBAX_Logging::LoadMessages messages;
    std::unique_ptr<ORBAX_Logging::Borehole> borehole;
    try {
        std::unique_ptr<ORBAX_Logging::OptionsData> record = options_record(fileType, typeCode);
        borehole = read_borehole(typeCode, fileName, *record, messages);
    } catch (const std::exception& e) {
        std::cerr << "Error parsing export command line: " << ORBAX_Platform::terminal_text_of_bytes(e.what()) << ".\n";
        return ExitCommandLine;
    }
    if (!borehole) {
        std::cerr << "An unspecified error occurred while reading \"" << ORBAX_Platform::terminal_name(fileName)
                  << "\"\n";
        return ExitFailed;
    }

    if (has_reportable(messages))
        write_message_lines(messages, "reading", fileName);
    if (has_failure(messages))
        return ExitFailed;

    // In the terminal's encoding; a text it cannot show whole is printed with a "?" and told after
    // the description, as the reader's warnings are told before it.
    ORBAX_Logging::LoadMessages written;
    ORBAX_Logging::writeDescription(std::cout, *borehole, ORBAX_Platform::terminal_text, 11220, written);
    if (has_reportable(written))
        write_message_lines(written, "exporting", fileName);
    return ExitSuccess;
}

} // namespace Holdex
