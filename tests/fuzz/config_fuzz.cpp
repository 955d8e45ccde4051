// Arbitrary bytes as a configuration file: the reader never crashes or hangs, and a configuration it
// reads without an error is written and read back to the same number of records.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "config/Quor_Log_Config.h"
#include "core/catalogue/Messages.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using FuzzSupport::check;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::install_facets_once();
    if (size == 0)
        return 0;
    std::string text = FuzzSupport::configuration_text(data, size);
    // Image files named by the input must not reach arbitrary files of the machine (devices, say).
    for (char& c : text)
        if (c == '/')
            c = '_';

    ConfigurationTables tables;
    QuorLogConfig config(tables);
    config.programFolder = "/nonexistent-quorlog-fuzz";
    config.ResetConfiguration();
    ConfigMessageList messages;
    config.ReadConfigurationText(text, L"fuzz.txt", messages);
    if (HasConfigFailure(messages))
        return 0;

    std::ostringstream written;
    config.WriteTables(written);
    ConfigurationTables again;
    QuorLogConfig reread(again);
    reread.programFolder = config.programFolder;
    reread.ResetConfiguration();
    ConfigMessageList more;
    reread.ReadConfigurationText(written.str(), L"written.txt", more);
    check(again.bitmaps.size() == tables.bitmaps.size());
    check(again.correlations.size() == tables.correlations.size());
    check(again.traceDefinitions.size() == tables.traceDefinitions.size());
    check(again.schemas.size() == tables.schemas.size());
    return 0;
}
