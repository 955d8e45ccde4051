#include "core/catalogue/ConsoleEnd.h"
#include "core/catalogue/Messages.h"
#include "tools/curvex/Curvex.h"

int main(int argc, char* argv[])
{
    ORBAX_Platform::ConsoleStreams console;
    ORBAX_Utilities::install_message_facets(ProgramStringTable());
    // A summary that did not reach its file whole is no success.
    return ORBAX_Utilities::finish_console_output(console, Curvex::run(argc, argv), Curvex::ExitFailure);
}
