#include <iostream>
#include <stdexcept>

#include <boost/program_options.hpp>

#include "platform/TerminalText.h"
#include "tools/holdex/CommandSupport.h"
#include "tools/holdex/FileTypeOptions.h"
#include "tools/holdex/HoldexCommands.h"

namespace po = boost::program_options;

namespace Holdex {
namespace {

void print_convert_usage(const po::options_description& inOptions, const po::options_description& outOptions)
{
    std::cerr << "Usage: Holdex [global_options] convert [in_options] infile [out_options]\n  outfile\n"
              << "where in_options and out_options are:\n"
              << inOptions << outOptions;
}

// The words of the parsed entries [first, last], as typed.
WordList wordsOf(const std::vector<po::option>& entries, std::size_t first, std::size_t last)
{
    WordList words;
    for (std::size_t i = first; i <= last; ++i)
        words.insert(words.end(), entries[i].original_tokens.begin(), entries[i].original_tokens.end());
    return words;
}

void parseSide(const WordList& words, const po::options_description& group, const char* fileKey, po::variables_map& map)
{
    po::options_description all;
    all.add(group);
    all.add_options()(fileKey, po::value<std::string>());
    po::positional_options_description positional;
    positional.add(fileKey, 1);
    po::store(po::command_line_parser(words).options(all).positional(positional).run(), map);
    po::notify(map);
}

} // namespace

int convert_command(const WordList& words, bool help, const ConfigurationFile& configFile)
{
    FileTypeOptions input;
    FileTypeOptions output;
    po::options_description inOptions(80, 40);
    po::options_description outOptions(80, 40);
    input.describe(false, inOptions);
    output.describe(true, outOptions);

    if (help) {
        std::cerr << "Convert a borehole from one file format to another\n";
        print_convert_usage(inOptions, outOptions);
        std::cerr << "\nNote that it is illegal to try and convert from another file type to a Prolog4\nfile.\n";
        return ExitSuccess;
    }

    po::variables_map inMap;
    po::variables_map outMap;
    try {
        // The first pass only finds where the input side ends and the output side begins: an option
        // may stand on both sides, so its entries are not stored.
        po::options_description split;
        split.add(inOptions);
        split.add_options()("infile", po::value<std::string>())("outfile", po::value<std::string>());
        po::positional_options_description positional;
        positional.add("infile", 1).add("outfile", 1);
        const po::parsed_options parsed =
            po::command_line_parser(words).options(split).positional(positional).allow_unregistered().run();
        const std::vector<po::option>& entries = parsed.options;

        std::size_t inEntry = 0;
        while (inEntry < entries.size() && entries[inEntry].string_key != "infile")
            ++inEntry;
        if (inEntry == entries.size())
            throw std::runtime_error("Missing infile");
        std::size_t outEntry = inEntry + 1;
        while (outEntry < entries.size() && entries[outEntry].string_key != "outfile")
            ++outEntry;
        if (outEntry >= entries.size())
            throw std::runtime_error("Missing outfile");

        parseSide(wordsOf(entries, 0, inEntry), inOptions, "infile", inMap);
        parseSide(wordsOf(entries, inEntry + 1, outEntry), outOptions, "outfile", outMap);
    } catch (const std::exception& e) {
        std::cerr << "Error parsing convert command line: " << ORBAX_Platform::terminal_text_of_bytes(e.what())
                  << ".\n";
        print_convert_usage(inOptions, outOptions);
        return ExitCommandLine;
    }

    const std::string inFile = inMap["infile"].as<std::string>();
    const std::string outFile = outMap["outfile"].as<std::string>();

    try {
        ORBAX_Logging::SchemaDefinitionList schemas;
        switch (read_configuration(configFile, schemas)) {
        case ConfigurationResult::Failed: return ExitConfiguration;
        case ConfigurationResult::Exception: return ExitFailed;
        case ConfigurationResult::Read: break;
        }

        int inType;
        int outType;
        try {
            inType = input.parse(inMap, schemas);
            outType = output.parse(outMap, schemas);
        } catch (const std::exception& e) {
            std::cerr << "Error parsing command line: " << ORBAX_Platform::terminal_text_of_bytes(e.what()) << ".\n";
            print_convert_usage(inOptions, outOptions);
            return ExitCommandLine;
        }

        std::unique_ptr<ORBAX_Logging::OptionsData> inRecord = options_record(input, inType);
        std::unique_ptr<ORBAX_Logging::OptionsData> outRecord = options_record(output, outType);

        ORBAX_Logging::LoadMessages messages;
        std::unique_ptr<ORBAX_Logging::Borehole> borehole = read_borehole(inType, inFile, *inRecord, messages);
        if (!borehole) {
            std::cerr << "An unspecified error occurred while reading \"" << ORBAX_Platform::terminal_name(inFile)
                      << "\"\n";
            return ExitFailed;
        }
        if (has_reportable(messages)) {
            write_message_lines(messages, "reading", inFile);
            if (has_failure(messages))
                return ExitFailed;
            messages.clear();
        }

        write_borehole(outType, outFile, *borehole, *outRecord, messages);
        if (has_reportable(messages))
            write_message_lines(messages, "writing", outFile);
        // The writers replace a file only once the new one is complete, so a failure here has left
        // any old output file as it was; scripts must still see that nothing was converted.
        return has_failure(messages) ? ExitFailed : ExitSuccess;
    } catch (const std::exception& e) {
        std::cerr << "An exception occurred: " << ORBAX_Platform::terminal_text_of_bytes(e.what()) << "\n";
        return ExitFailed;
    }
}

} // namespace Holdex
