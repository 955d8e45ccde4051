// The borehole document: opening a Prolog 3.0 file of 100,000 units into a pane (the read, the pane's
// options, path, title and history reset), and 10,000 undoable unit edits followed by 10,000 undos.
// The counter "entries" is the largest number of history entries held at any time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "app/QuorApp.h"
#include "core/model/SchemaList.h"
#include "docview/document/QuorDoc.h"

namespace {

using namespace ORBAX_Logging;

constexpr int kUnits = 100000;
constexpr int kEdits = 10000;

SchemaDefinition coalSchema()
{
    SchemaDefinition schema(L"Coal", {{ROCKTYPE, L"Lith"},
                                      {PERCENTAGE, L"Pct"},
                                      {BOTTOM, L"Depth"},
                                      {THICKNESS, L"Thick"},
                                      {SEAM, L"Seam"},
                                      {SAMPLE, L"Sample"},
                                      {STRING, L"Note"}});
    LoadMessages ignored;
    schema.validate(ignored);
    return schema;
}

// An application object with one schema, which the Prolog option record names, so that a file opens
// without asking for its options.
struct Application {
    Application()
    {
        auto inserted = InsertSchemaDefinition(app.Tables().schemas, coalSchema(), app.Tables().schemas.end());
        app.m_prologOptions.schemaId = static_cast<std::uint32_t>((*inserted.first)->id);
        app.m_prologAlwaysAsk = false;
        app.m_saveBackups = false;
    }
    CQuorApp app;
};

struct BigFile {
    BigFile()
    {
        folder = std::filesystem::temp_directory_path() / ("document_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        path = folder / "big_bore";
        const char* rocks[] = {"SANDSTONE", "SILTSTONE", "COAL", "MUDSTONE", "CARB SHALE"};
        std::string text = "v3.0  entries=5\r\n";
        char line[96];
        for (int k = 0; k < kUnits; ++k) {
            std::snprintf(line, sizeof line, "%s\r\n100\r\n%.2f\r\n0.25\r\nSEAM%d\r\nS%06d\r\nnote %d\r\n",
                          rocks[k % 5], (k + 1) * 0.25, k % 7, k, k % 11);
            text += line;
        }
        std::ofstream(path, std::ios::binary) << text;
    }
    ~BigFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::filesystem::path folder;
    std::filesystem::path path;
};

void BM_OpenPrologIntoPane(benchmark::State& state)
{
    Application application;
    BigFile file;
    CQuorDoc document;
    const std::wstring path = file.path.wstring();
    for (auto _ : state) {
        ErrorEntries entries;
        if (!document.LoadPrologBorehole(0, path, entries) || document.unitCountOnSide(0) != kUnits) {
            state.SkipWithError("the file did not open");
            break;
        }
    }
    state.counters["units"] = document.unitCountOnSide(0);
}
BENCHMARK(BM_OpenPrologIntoPane)->Unit(benchmark::kMillisecond);

void BM_EditThenUndo(benchmark::State& state)
{
    Application application;
    const auto schema = *application.app.Tables().schemas.begin();
    std::size_t largest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CQuorDoc document(schema);
        for (int k = 0; k < 1000; ++k)
            document.GetBorehole(0).appendUnit((k + 1) * 1.0);
        state.ResumeTiming();
        for (int n = 0; n < kEdits; ++n) {
            // Alternating edits of every kind the mouse and the commands make most.
            const int unit = n % 999;
            switch (n % 4) {
            case 0: document.EditUnitDepth(0, unit, true, document.GetUnitBase(0, unit) + 0.01); break;
            case 1: document.EditSampleNumber(0, {{unit, unit}}, L"S" + std::to_wstring(n)); break;
            case 2: document.InsertUnit(0, unit, false, true, document.GetUnitTop(0, unit) + 0.001); break;
            default: document.DeleteUnit(0, unit, false); break;
            }
            largest = std::max(largest, document.GetUndoCount());
        }
        for (int n = 0; n < kEdits; ++n)
            document.Undo();
        benchmark::DoNotOptimize(document.unitCountOnSide(0));
    }
    state.counters["entries"] = static_cast<double>(largest);
}
BENCHMARK(BM_EditThenUndo)->Unit(benchmark::kMillisecond);

} // namespace
