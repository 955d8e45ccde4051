#include <iostream>

#include <boost/program_options.hpp>

#include "platform/TerminalText.h"
#include "tools/holdex/HoldexCommands.h"

namespace po = boost::program_options;

namespace Holdex {
namespace {

void write_usage(const po::options_description& visible)
{
    std::cerr << "Usage: Holdex [global_options] command ...\n"
              << "where global_options are:\n"
              << visible << "and command is one of version, export, repair or convert.\n"
              << "(e.g. type \"Holdex -? command\" for information specific to each command)\n";
}

} // namespace

int run(int argc, const char* const argv[])
{
    po::options_description visible(80, 40);
    visible.add_options()("config-file,c", po::value<std::string>()->default_value("QuorLogConfig.txt"),
                          "specify the config file")("help,?", "Display help for command");
    po::options_description hidden("Hidden options", 80, 40);
    hidden.add_options()("command", po::value<std::string>(),
                         "Command to execute, either \"version\"\"export\" or \"convert\"");
    po::options_description placeholder("Fake options", 80, 40);
    placeholder.add_options()("other", po::value<std::vector<std::string>>(), "Placeholder");

    po::options_description visibleAndHidden;
    visibleAndHidden.add(visible).add(hidden);
    po::options_description all;
    all.add(visible).add(hidden).add(placeholder);

    po::positional_options_description fullPositional;
    fullPositional.add("command", 1).add("other", -1);
    po::positional_options_description shortPositional;
    shortPositional.add("command", 1);

    bool help = false;
    std::string command;
    ConfigurationFile configFile;
    WordList commandWords;
    try {
        po::parsed_options parsed =
            po::command_line_parser(argc, argv).options(all).positional(fullPositional).allow_unregistered().run();
        po::variables_map first;
        po::store(parsed, first);
        po::notify(first);

        help = first.count("help") > 0;
        if (!first.count("command")) {
            if (!help)
                std::cerr << "Error parsing command line: missing command.\n";
            write_usage(visible);
            return ExitCommandLine;
        }

        // Everything up to the command word belongs to the global level; the rest, as typed, to the
        // command.
        WordList globalWords;
        bool commandSeen = false;
        for (const po::option& option : parsed.options) {
            WordList& target = commandSeen ? commandWords : globalWords;
            target.insert(target.end(), option.original_tokens.begin(), option.original_tokens.end());
            if (!commandSeen && option.string_key == "command")
                commandSeen = true;
        }

        po::variables_map second;
        po::store(po::command_line_parser(globalWords).options(visibleAndHidden).positional(shortPositional).run(),
                  second);
        po::notify(second);
        configFile.name = second["config-file"].as<std::string>();
        configFile.named = !second["config-file"].defaulted();
        command = second["command"].as<std::string>();
    } catch (const po::error& e) {
        std::cerr << "Error parsing command line: " << ORBAX_Platform::terminal_text_of_bytes(e.what()) << ".\n";
        write_usage(visible);
        return ExitCommandLine;
    }

    if (command == "version")
        return version_command(help);
    if (command == "export")
        return export_command(commandWords, help, configFile);
    if (command == "convert")
        return convert_command(commandWords, help, configFile);
    if (command == "repair")
        return repair_command(commandWords, help, configFile);

    std::cerr << "Unrecognised command " << command << "\n";
    write_usage(visible);
    return ExitCommandLine;
}

} // namespace Holdex
