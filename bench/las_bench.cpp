// Reading a large LAS 2.0 file: 12 curves, about 750,000 rows, 100 MB. The counters give the read
// speed and the peak memory of a read as a multiple of the samples' own size (8 bytes a sample).
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/catalogue/Messages.h"
#include "las/Curve.h"
#include "las/LasData.h"
#include "platform/Paths.h"

namespace {

constexpr int kCurves = 12;
constexpr int kRows = 750000;

// The generated file's folder, removed when the program ends.
struct BenchFolder {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "quor_las_bench";
    ~BenchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

std::filesystem::path bench_file()
{
    static BenchFolder folder;
    static const std::filesystem::path path = [] {
        const std::filesystem::path& dir = folder.dir;
        std::filesystem::create_directories(dir);
        std::filesystem::path file = dir / "large.las";
        std::ofstream out(file, std::ios::binary);
        out << "~Version information\n VERS. 2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\n WRAP. NO : one line\n"
            << "~Well information\n STRT.M 1000.0 : start\n STOP.M " << 1000.0 + (kRows - 1) * 0.125
            << " : stop\n STEP.M 0.125 : step\n NULL. -999.25 : null\n~Curve information\n DEPT.M : depth\n";
        for (int c = 1; c < kCurves; ++c)
            out << " C" << c << ".UNIT : curve " << c << "\n";
        out << "~A\n";
        std::string line;
        char number[64];
        for (int row = 0; row < kRows; ++row) {
            line.clear();
            auto put = [&](double v, int width) {
                auto r = std::to_chars(number, number + sizeof number, v, std::chars_format::fixed, 4);
                int len = static_cast<int>(r.ptr - number);
                line.append(width > len ? width - len : 1, ' ');
                line.append(number, r.ptr);
            };
            put(1000.0 + row * 0.125, 10);
            for (int c = 1; c < kCurves; ++c) {
                double v = (row % 977) == c ? -999.25 : ((row * 37 + c * 101) % 100000) / 7.0 - 2000.0;
                put(v, 11);
            }
            line += '\n';
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
        }
        return file;
    }();
    return path;
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

void BM_ReadLargeLas(benchmark::State& state)
{
    const std::filesystem::path file = bench_file();
    const std::wstring name = ORBAX_Platform::wide_from_path(file);
    double worstRatio = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        reset_peak();
        long before = status_kb("VmRSS:");
        state.ResumeTiming();
        {
            ORBAX_Geophysics::LasData<ORBAX_Geophysics::Curve> las;
            std::wstring error;
            int result = las.read(name, error);
            if (result != 0 || las.row_count() != kRows) {
                state.SkipWithError("the file was not read");
                break;
            }
            benchmark::DoNotOptimize(las.curves().back().maximum());
            state.PauseTiming();
            long peak = status_kb("VmHWM:");
            double samples = double(kCurves) * kRows * 8.0 / 1024.0;
            double ratio = (peak - before) / samples;
            if (ratio > worstRatio)
                worstRatio = ratio;
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(file)));
    state.counters["peak_memory_per_sample_size"] = worstRatio;
}

BENCHMARK(BM_ReadLargeLas)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
