// Reading and writing a Prolog 3.0 file of 100,000 units with ten fields a record. The memory
// counter is the heap the loaded borehole holds, as a multiple of the file's size.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>
#include <unistd.h>

#include "core/catalogue/Messages.h"
#include "core/prolog/Borehole_Prolog.h"

const ORBAX_Utilities::StringTable& ProgramStringTable();

namespace {

using namespace ORBAX_Logging;

constexpr int unitCount = 100000;

std::shared_ptr<const SchemaDefinition> benchSchema()
{
    auto schema = std::make_shared<SchemaDefinition>(L"bench10", std::vector<FieldDefinition>{{ROCKTYPE, L"Lithology"},
                                                                                              {PERCENTAGE, L"Percent"},
                                                                                              {BOTTOM, L"To"},
                                                                                              {THICKNESS, L"Thick"},
                                                                                              {SAMPLE, L"Sample"},
                                                                                              {SEAM, L"Seam"},
                                                                                              {PLY, L"Ply"},
                                                                                              {STRING, L"Colour"},
                                                                                              {REAL, L"Hardness"},
                                                                                              {INTEGER, L"Code"}});
    LoadMessages ignored;
    schema->validate(ignored);
    return schema;
}

struct Fixture {
    Fixture()
    {
        folder = std::filesystem::temp_directory_path() / ("prolog_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        input = folder / "big.pro";
        const char* rocks[] = {"SANDSTONE", "SILTSTONE", "COAL", "MUDSTONE", "CARB SHALE"};
        const char* colours[] = {"grey", "dark grey", "black", "brown", "buff"};
        std::string text = "v3.0  entries=8\r\n";
        char line[64];
        for (int k = 0; k < unitCount; ++k) {
            const double bottom = (k + 1) * 0.25;
            text += rocks[k % 5];
            text += "\r\n100\r\n";
            std::snprintf(line, sizeof line, "%.2f\r\n0.25\r\nS%06d\r\nSEAM%d\r\nP%d\r\n", bottom, k, k % 7, k % 3);
            text += line;
            text += colours[k % 5];
            std::snprintf(line, sizeof line, "\r\n%d.%d\r\n%d\r\n", k % 9, k % 10, k % 100);
            text += line;
        }
        std::ofstream(input, std::ios::binary) << text;
        fileSize = text.size();
    }
    ~Fixture() { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    std::filesystem::path input;
    std::size_t fileSize = 0;
    std::shared_ptr<const SchemaDefinition> schema = benchSchema();
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

PrologOptionsData options()
{
    return PrologOptionsData(fixture().schema, 2, false, L"IN GENERAL", 0, false, nullptr, nullptr);
}

void BM_ReadProlog30(benchmark::State& state)
{
    Fixture& f = fixture();
    double ratio = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        auto opts = options();
        LoadMessages messages;
        auto hole = Borehole_Prolog::load(f.input.wstring(), opts, messages);
        ratio = static_cast<double>(mallinfo2().uordblks - before) / static_cast<double>(f.fileSize);
        if (hole->size() != static_cast<std::size_t>(unitCount) || !messages.empty())
            state.SkipWithError("the file did not read back whole");
        benchmark::DoNotOptimize(hole);
    }
    state.counters["heap_per_file_byte"] = ratio;
    state.counters["file_MB"] = static_cast<double>(f.fileSize) / 1e6;
}
BENCHMARK(BM_ReadProlog30)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_WriteProlog30(benchmark::State& state)
{
    Fixture& f = fixture();
    auto opts = options();
    LoadMessages messages;
    auto hole = Borehole_Prolog::load(f.input.wstring(), opts, messages);
    opts.formatCode = FormatProlog30;
    const auto output = (f.folder / "out.pro").wstring();
    for (auto _ : state) {
        messages.clear();
        Borehole_Prolog::save(output, messages, *hole, opts);
        if (!messages.empty())
            state.SkipWithError("the save reported a problem");
    }
}
BENCHMARK(BM_WriteProlog30)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
