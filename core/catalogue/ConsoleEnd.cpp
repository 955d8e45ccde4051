#include "core/catalogue/ConsoleEnd.h"

#include <iostream>

#include "core/catalogue/Messages.h"
#include "platform/TerminalText.h"

namespace ORBAX_Utilities {

int finish_console_output(ORBAX_Platform::ConsoleStreams& console, int exitCode, int failureCode)
{
    const int error = console.closeStandardOutput();
    if (error == 0)
        return exitCode;
    std::cerr << ORBAX_Platform::terminal_text(format_message1(1096, SystemErrorText(error))) << "\n";
    return exitCode == 0 ? failureCode : exitCode;
}

} // namespace ORBAX_Utilities
