#include <iostream>

#include "core/catalogue/Messages.h"
#include "platform/ConsoleStreams.h"
#include "platform/TerminalText.h"
#include "tools/curvex/Curvex.h"

int main(int argc, char* argv[])
{
    ORBAX_Platform::ConsoleStreams console;
    ORBAX_Utilities::install_message_facets(ProgramStringTable());
    int code = Curvex::run(argc, argv);
    // A summary that did not reach its file whole is no success.
    if (const int error = console.closeStandardOutput()) {
        std::cerr << ORBAX_Platform::terminal_text(
                         ORBAX_Utilities::format_message1(1096, ORBAX_Utilities::SystemErrorText(error)))
                  << "\n";
        if (code == Curvex::ExitSuccess)
            code = Curvex::ExitFailure;
    }
    return code;
}
