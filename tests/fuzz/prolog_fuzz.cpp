// Feeds arbitrary bytes to the Prolog 2.1/3.0 reader (and what it reads to the writer): whatever the
// file holds, the reader answers with a borehole and messages, never a crash, a hang or a leak.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "core/catalogue/Messages.h"
#include "core/prolog/Borehole_Prolog.h"

const ORBAX_Utilities::StringTable& ProgramStringTable();

namespace {

using namespace ORBAX_Logging;

std::shared_ptr<const SchemaDefinition> schemaOf(std::size_t count)
{
    auto schema = std::make_shared<SchemaDefinition>();
    schema->name = L"fuzz" + std::to_wstring(count);
    const std::int32_t kinds[] = {ROCKTYPE, PERCENTAGE, TOP,       BOTTOM, THICKNESS, SAMPLE,
                                  SEAM,     PLY,        RECOVERED, STRING, REAL,      INTEGER};
    for (std::size_t k = 0; k < count; ++k)
        schema->fields.push_back({kinds[k % 12], L"F" + std::to_wstring(k)});
    LoadMessages ignored;
    schema->validate(ignored);
    return schema;
}

struct Setup {
    Setup() { ORBAX_Utilities::install_message_facets(ProgramStringTable()); }
    std::shared_ptr<const SchemaDefinition> twelve = schemaOf(12);
    std::shared_ptr<const SchemaDefinition> twentyFive = schemaOf(25);
    std::shared_ptr<const SchemaDefinition> three = schemaOf(3);
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Setup setup;
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first byte picks the nominated schema, so that every record length is met.
    const std::uint8_t pick = size ? data[0] % 4 : 0;
    PrologOptionsData options(pick == 0   ? setup.twelve
                              : pick == 1 ? setup.three
                              : pick == 2 ? setup.twentyFive
                                          : nullptr,
                              2, true, L"IN GENERAL", 0, false, setup.twentyFive, setup.twelve);
    options.keepGivenDepths = size > 1 && (data[1] & 1);
    LoadMessages messages;
    std::unique_ptr<Borehole> hole = Borehole_Prolog::loadBytes(input, L"fuzz.pro", options, messages);
    if (!hole)
        __builtin_trap();
    std::istringstream firstLine(input);
    Borehole_Prolog::importSchema(firstLine, L"fuzz.pro", messages);
    if (!hole->empty()) {
        std::string output;
        Borehole_Prolog::writeBytes(output, messages, *hole, options);
    }
    return 0;
}
