// Arbitrary bytes as the configuration file that Holdex reads for its schemas: the reader never
// crashes or hangs, and the schema names it keeps are unique.
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "Messages.h"
#include "ReducedConfigReader.h"
#include "SchemaList.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static bool installed = [] {
        ORBAX_Utilities::install_message_facets(ProgramStringTable());
        return true;
    }();
    (void)installed;
    if (size == 0)
        return 0;
    // The first byte chooses whether a valid header is put in front, so the sections get exercised.
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 1)
        text = "Quorlog Configuration v3\n" + text;

    ConfigMessageList problems;
    ORBAX_Logging::SchemaDefinitionList schemas;
    Holdex::read_configuration_schemas_text(text, L"fuzz.txt", problems, schemas);

    for (auto a = schemas.begin(); a != schemas.end(); ++a)
        for (auto b = std::next(a); b != schemas.end(); ++b)
            check(!ORBAX_Logging::schemaNamesEqual((*a)->name, (*b)->name));
    return 0;
}
