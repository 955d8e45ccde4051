#include <gtest/gtest.h>

#include "core/catalogue/Messages.h"

// Every test program runs with its message facets and the code page 1252 text facets installed, as
// the programs do.
int main(int argc, char** argv)
{
    ORBAX_Utilities::install_message_facets(ProgramStringTable());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
