// Reading a large LAS 2.0 file in-process (the file bench/las-speed times as a whole process): 12
// curves, values with 4 decimals, 1 % null values, 100 MB. From the file and from bytes in memory.
// The counters give the read speed and the peak memory of a read beyond the samples' own size.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/LasSpeedFile.h"
#include "core/catalogue/Messages.h"
#include "las/Curve.h"
#include "las/LasData.h"
#include "platform/Paths.h"

namespace {

constexpr double kMegabytes = 100;

// The generated file's folder, removed when the program ends.
struct BenchFolder {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "quor_las_bench";
    ~BenchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

struct BenchFile {
    std::filesystem::path path;
    LasSpeedFile::Shape shape;
};

const BenchFile& bench_file()
{
    static BenchFolder folder;
    static const BenchFile file = [] {
        BenchFile f;
        std::filesystem::create_directories(folder.dir);
        f.path = folder.dir / "large.las";
        LasSpeedFile::write(f.path.string(), kMegabytes, f.shape);
        return f;
    }();
    return file;
}

long status_kb(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string word;
    while (in >> word) {
        if (word == key) {
            long kb = 0;
            in >> kb;
            return kb;
        }
    }
    return 0;
}

void reset_peak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

template <class Read>
void measure(benchmark::State& state, Read&& read)
{
    const BenchFile& file = bench_file();
    double worstExtra = 0.0;
    const double samplesKb = double(file.shape.curves) * double(file.shape.rows) * 8.0 / 1024.0;
    for (auto _ : state) {
        state.PauseTiming();
        reset_peak();
        long before = status_kb("VmRSS:");
        state.ResumeTiming();
        {
            ORBAX_Geophysics::LasData<ORBAX_Geophysics::Curve> las;
            std::wstring error;
            int result = read(las, error);
            if (result != 0 || las.row_count() != static_cast<int>(file.shape.rows)) {
                state.SkipWithError("the file was not read");
                break;
            }
            benchmark::DoNotOptimize(las.curves().back().maximum());
            state.PauseTiming();
            double extra = (status_kb("VmHWM:") - before - samplesKb) / 1024.0;
            if (extra > worstExtra)
                worstExtra = extra;
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.shape.bytes));
    state.counters["peak_MB_beyond_samples"] = worstExtra;
}

void BM_ReadLasFile(benchmark::State& state)
{
    const std::wstring name = ORBAX_Platform::wide_from_path(bench_file().path);
    measure(state, [&](auto& las, std::wstring& error) { return las.read(name, error); });
}

void BM_ReadLasBytes(benchmark::State& state)
{
    std::string bytes;
    int code = 0;
    ORBAX_Platform::read_file_bytes(bench_file().path, std::size_t(-1), bytes, code);
    measure(state, [&](auto& las, std::wstring& error) { return las.read_bytes(bytes, L"large.las", error); });
}

BENCHMARK(BM_ReadLasFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadLasBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
