#include "core/catalogue/Messages.h"
#include "tools/curvex/Curvex.h"

int main(int argc, char* argv[])
{
    ORBAX_Utilities::install_message_facets(ProgramStringTable());
    return Curvex::run(argc, argv);
}
