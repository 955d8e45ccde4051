#include <iostream>

#include "HoldexCommands.h"

// Commands whose borehole formats are not in this build yet answer so, with a failure code.
namespace Holdex {
namespace {

int not_available(const char* word)
{
    std::cerr << "The " << word << " command is not available yet.\n";
    return ExitFailed;
}

} // namespace

int export_command(const WordList&, bool, const std::string&) { return not_available("export"); }
int convert_command(const WordList&, bool, const std::string&) { return not_available("convert"); }
int repair_command(const WordList&, bool, const std::string&) { return not_available("repair"); }

} // namespace Holdex
