// Arbitrary bytes as the configuration file that Holdex reads for its schemas: the reader never
// crashes or hangs, and the schema names it keeps are unique.
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "core/catalogue/Messages.h"
#include "core/model/NoCaseCompare.h"
#include "core/model/SchemaList.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tools/holdex/ReducedConfigReader.h"

namespace {

using FuzzSupport::check;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::install_facets_once();
    if (size == 0)
        return 0;
    const std::string text = FuzzSupport::configuration_text(data, size);

    ConfigMessageList problems;
    ORBAX_Logging::SchemaDefinitionList schemas;
    Holdex::read_configuration_schemas_text(text, L"fuzz.txt", problems, schemas);

    const NoCaseCompare compare;
    for (auto a = schemas.begin(); a != schemas.end(); ++a)
        for (auto b = std::next(a); b != schemas.end(); ++b)
            check(!compare.Equal((*a)->name, (*b)->name));
    return 0;
}
