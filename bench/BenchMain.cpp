// The main of every benchmark program: the message facets and code page 1252 text, as the
// programs have them, then the benchmarks.
#include <benchmark/benchmark.h>

#include "core/catalogue/Messages.h"

int main(int argc, char** argv)
{
    ORBAX_Utilities::install_message_facets(ProgramStringTable());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
