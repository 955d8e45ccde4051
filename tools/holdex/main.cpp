#include <exception>
#include <iostream>

#include "core/catalogue/Messages.h"
#include "core/prolog4/XmlPlatformGuard.h"
#include "platform/TerminalText.h"
#include "tools/holdex/HoldexCommands.h"

int main(int argc, char* argv[])
{
    try {
        // The XML library lives for the whole run: every Prolog 4 parser is made and gone inside it.
        ORBAX_Logging::XmlPlatformGuard xmlPlatform;
        ORBAX_Utilities::install_message_facets(ProgramStringTable());
        return Holdex::run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "An exception occurred: " << ORBAX_Platform::terminal_text_of_bytes(e.what()) << "\n";
        return Holdex::ExitFailed;
    }
}
