#pragma once
// The command words of Holdex. Each gets the words after the command word (as typed), whether help
// was asked for anywhere on the line, and the configuration file name; it returns the exit code.
#include <string>
#include <vector>

namespace Holdex {

using WordList = std::vector<std::string>;

// The configuration file: the one named with -c, or, without -c, the one found under its default name
// in the current folder, which is read only when it is a regular file (a pipe there would hold the
// program for ever).
struct ConfigurationFile {
    std::string name;
    bool named = true;
};

// Exit codes as the program returns them (the shell sees -1 as 255 and -2 as 254).
enum ExitCode { ExitSuccess = 0, ExitCommandLine = -1, ExitConfiguration = -2, ExitFailed = 2 };

int version_command(bool help);
int export_command(const WordList& words, bool help, const ConfigurationFile& configFile);
int convert_command(const WordList& words, bool help, const ConfigurationFile& configFile);
int repair_command(const WordList& words, bool help, const ConfigurationFile& configFile);

// The whole program: the global options, then the command. `argv` as main receives it.
int run(int argc, const char* const argv[]);

} // namespace Holdex
