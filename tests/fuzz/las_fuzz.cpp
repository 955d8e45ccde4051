// Arbitrary bytes as a LAS file: the reader gives a result code and never crashes, and what it
// loads is consistent (every sample array as long as the rows, ranges inside the samples).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/catalogue/Messages.h"
#include "las/Curve.h"
#include "las/LasData.h"
#include "platform/Paths.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

std::string scratch_file()
{
    static const std::string name = "/tmp/las_fuzz_" + std::to_string(::getpid()) + ".las";
    return name;
}

using FuzzSupport::check;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    ORBAX_Utilities::install_message_facets(ProgramStringTable());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string name = scratch_file();
    {
        std::ofstream out(name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ORBAX_Geophysics::LasData<ORBAX_Geophysics::Curve> las;
    std::wstring error;
    int code = las.read(ORBAX_Platform::wide_from_utf8(name), error);
    check(code >= 0 && code <= 5);
    check(code == 0 || !error.empty());
    // A second read of the same bytes on the same object gives the same result.
    std::wstring again;
    check(las.read(ORBAX_Platform::wide_from_utf8(name), again) == code);
    check(again == error || code == 0);
    for (const auto& curve : las.curves()) {
        if (!curve.has_samples())
            continue;
        check(curve.samples().size() == static_cast<std::size_t>(las.row_count()));
        for (double v : curve.samples()) {
            if (!std::isnan(v))
                check(!(v < curve.minimum()) && !(v > curve.maximum()));
        }
    }
    if (!las.curves().empty()) {
        for (const auto& [depth, row] : las.depth_index())
            check(las.index_value(row) == depth);
        (void)las.curves().front().average_between(-1e300, 1e300);
        check(std::isnan(las.index_value(-1)) && std::isnan(las.index_value(las.row_count())));
    }
    return 0;
}
