// Arbitrary bytes as a LAS file: the reader gives a result code and never crashes, what it loads is
// consistent (every sample array as long as the rows, ranges inside the samples), and it loads the
// same whether the data is cut into blocks and parts of any size or read line by line.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/catalogue/Messages.h"
#include "las/Curve.h"
#include "las/LasData.h"
#include "las/LasReadTuning.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/las/SameRead.h"

namespace {

using FuzzSupport::check;
using Las = ORBAX_Geophysics::LasData<ORBAX_Geophysics::Curve>;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    ORBAX_Utilities::install_message_facets(ProgramStringTable());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::wstring name = L"fuzz.las";
    Las las;
    std::wstring error;
    int code = las.read_bytes(text, name, error);
    check(code >= 0 && code <= 5);
    check(code == 0 || !error.empty());
    // A second read of the same bytes on the same object gives the same result.
    std::wstring again;
    check(las.read_bytes(text, name, again) == code);
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

    // Tiny blocks and parts, chosen by the input's length, and line by line: the same load.
    ORBAX_Geophysics::LasReadTuning cut;
    cut.blockBytes = 16 + size % 61;
    cut.minPartBytes = 1 + size % 7;
    cut.maxParts = 1 + static_cast<unsigned>(size % 5);
    ORBAX_Geophysics::LasReadTuning lines;
    lines.lineByLine = true;
    for (const auto& tuning : {cut, lines}) {
        Las other;
        other.set_read_tuning(tuning);
        std::wstring otherError;
        const int otherCode = other.read_bytes(text, name, otherError);
        check(LasTest::read_difference(code, error, las, otherCode, otherError, other).empty());
    }
    return 0;
}
