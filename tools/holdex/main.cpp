#include <exception>
#include <iostream>

#include "core/catalogue/ConsoleEnd.h"
#include "core/catalogue/Messages.h"
#include "core/prolog4/XmlPlatformGuard.h"
#include "platform/TerminalText.h"
#include "tools/holdex/HoldexCommands.h"

int main(int argc, char* argv[])
{
    // Standard output gets a buffer of its own (C stdio is not used here), so that a long description
    // leaves in large blocks even on a terminal; standard error, tied to it, still flushes it first.
    std::ios_base::sync_with_stdio(false);
    ORBAX_Platform::ConsoleStreams console;
    int code = Holdex::ExitFailed;
    try {
        // The XML library lives for the whole run: every Prolog 4 parser is made and gone inside it.
        ORBAX_Logging::XmlPlatformGuard xmlPlatform;
        ORBAX_Utilities::install_message_facets(ProgramStringTable());
        code = Holdex::run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "An exception occurred: " << ORBAX_Platform::terminal_text_of_bytes(e.what()) << "\n";
    }
    // A description that did not reach its file whole is no success.
    return ORBAX_Utilities::finish_console_output(console, code, Holdex::ExitFailed);
}
