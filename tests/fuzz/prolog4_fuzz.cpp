// Arbitrary bytes as a Prolog 4 document: the reader and the template listing must answer with units
// or messages (or, for the listing, a standard exception), never crash.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "core/catalogue/Messages.h"
#include "core/prolog4/Borehole_Prolog4.h"
#include "core/prolog4/XmlPlatformGuard.h"

using namespace ORBAX_Logging;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    ORBAX_Utilities::install_message_facets(ProgramStringTable());
    static XmlPlatformGuard platform;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring name = L"fuzz.prolog";
    Prolog4OptionsData options;
    options.deduce = size == 0 || data[0] % 2 == 0;
    options.dataLogIndex = size > 1 ? data[1] % 3 : 0;
    if (!options.deduce)
        options.schema = std::make_shared<SchemaDefinition>(
            L"fuzz", std::vector<FieldDefinition>{{ROCKTYPE, L"R"}, {PERCENTAGE, L"P"}, {SEAM, L"S"}, {BOTTOM, L"B"}});
    LoadMessages messages;
    auto borehole = Borehole_Prolog4::loadBytes(bytes, name, options, messages);
    if (!borehole)
        __builtin_trap();
    std::vector<std::wstring> names;
    std::vector<unsigned> counts;
    try {
        Borehole_Prolog4::listTemplatesBytes(bytes, name, names, counts);
    } catch (const std::exception&) {
    }
    return 0;
}
