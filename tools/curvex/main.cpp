#include "Curvex.h"
#include "Messages.h"

int main(int argc, char* argv[])
{
    ORBAX_Utilities::install_message_facets(ProgramStringTable());
    return Curvex::run(argc, argv);
}
