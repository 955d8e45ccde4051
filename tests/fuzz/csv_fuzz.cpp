// Arbitrary bytes as a CSV borehole file under options taken from the first bytes: the reader must
// answer with units or messages, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

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
    static const std::string file = "/tmp/csv_fuzz_" + std::to_string(::getpid()) + ".csv";
    const std::string bytes(reinterpret_cast<const char*>(data) + 5, size - 5);
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
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
    auto borehole = Borehole_CSV::load(std::wstring(file.begin(), file.end()), options, messages);
    if (!borehole)
        __builtin_trap();
    Borehole_CSV::importSchema(std::wstring(file.begin(), file.end()), messages);
    return 0;
}
