// Arbitrary bytes as a CSV borehole file under options taken from the first bytes: the reader must
// answer with units or messages, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "core/catalogue/Messages.h"
#include "core/csv/Borehole_CSV.h"
#include "core/csv/CsvFields.h"

using namespace ORBAX_Logging;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    ORBAX_Utilities::install_message_facets(ProgramStringTable());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 5, size - 5);
    static const SchemaPtr schema =
        std::make_shared<SchemaDefinition>(L"fuzz", std::vector<FieldDefinition>{{ROCKTYPE, L"R"},
                                                                                 {PERCENTAGE, L"P"},
                                                                                 {SEAM, L"S"},
                                                                                 {PLY, L"Y"},
                                                                                 {SAMPLE, L"N"},
                                                                                 {STRING, L"C"},
                                                                                 {TOP, L"T"},
                                                                                 {RECOVERED, L"V"},
                                                                                 {THICKNESS, L"H"},
                                                                                 {BOTTOM, L"B"}});
    CSVOptionsData options;
    options.schema = schema;
    options.quotingStyle = data[0] % 3;
    options.quoteQuoteStyle = data[1] % 3;
    options.escapeCharacter = static_cast<char>(data[2]);
    options.intervalLocation = data[3] % 3;
    options.headingRows = data[4] % 3;
    options.keepGivenDepths = (data[4] & 0x80) != 0;
    LoadMessages messages;
    auto borehole = Borehole_CSV::loadBytes(bytes, L"fuzz.csv", options, messages);
    if (!borehole)
        __builtin_trap();
    std::istringstream in(bytes);
    Borehole_CSV::importSchema(in, L"fuzz.csv", messages);
    return 0;
}
