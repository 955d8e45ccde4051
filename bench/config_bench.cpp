// Loading and writing a large configuration: 100 mono bitmaps, 100 vector patterns with six elements
// each, and hatch lists with 500 entries in all, plus sites, traces and schemas.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "config/Quor_Log_Config.h"
#include "core/catalogue/Messages.h"
#include "platform/Paths.h"
#include "tests/support/TestSupport.h"

namespace {

std::string largeConfiguration()
{
    std::ostringstream out;
    out << "Quorlog Configuration v3\n# generated for the benchmark\n\nBitmaps {\n";
    for (int i = 0; i < 100; ++i)
        out << "   Bitmap" << i << " mono  16 \"0xF0F0 0x0F0F 0xFF00 0x00FF 0xAAAA 0x5555 0xF0F0 0x0F0F \"\n";
    out << "}\n\nVectors {\n";
    for (int i = 0; i < 100; ++i)
        out << "   Vector" << i << " (200, " << i << ", 100)      100 50 {\n"
            << "      line          25   (255, 0, 0) solid {0, 0; 1000, 500; 200, 300}\n"
            << "      line           5   (0, 0, 0) (2, 1) {0, 0; 100, 100}\n"
            << "      rect    (0, 0, 255)         0 0 200 200\n"
            << "      circle       10  (0, 0, 255)       20       50       25\n"
            << "      fillcircle (0, 128, 0)       10       80       25\n"
            << "      fillpoly (0, 128, 0) { 0, 0; 1000, 0; 500, 500}\n"
            << "   }\n";
    out << "}\n\nDefinitions {\n";
    for (int list = 0; list < 5; ++list) {
        out << "   List" << list << " {\n";
        for (int i = 0; i < 100; ++i) {
            const int pattern = (list * 100 + i) % 100;
            const char* kind = i % 3 == 0 ? "Bitmap    " : i % 3 == 1 ? "Isovector " : "Anivector ";
            out << "      " << kind << (i % 3 == 0 ? "Bitmap" : "Vector") << pattern << "            { ROCK TYPE "
                << list << "-" << i << " }\n";
        }
        out << "   }\n";
    }
    out << "}\n\nCorrelations {\n   Site {\n";
    for (int i = 0; i < 20; ++i)
        out << "      Seam" << i << " { P1 P2 P3 }\n";
    out << "   }\n}\n\nTraces {\n";
    for (int i = 0; i < 50; ++i)
        out << "   CURVE" << i << "   -100 100 RED 1  Y\n";
    out << "}\n\nSchemaDefinitions {\n";
    for (int i = 0; i < 20; ++i)
        out << "   Schema" << i
            << " { \n      ROCKTYPE \"Rock\"\n      BOTTOM \"Depth\"\n      STRING \"Note\"\n   }\n";
    out << "}\n";
    return out.str();
}

void BM_LoadConfiguration(benchmark::State& state)
{
    const std::string text = largeConfiguration();
    ConfigurationTables tables;
    QuorLogConfig config(tables);
    for (auto _ : state) {
        config.ResetConfiguration();
        ConfigMessageList messages;
        config.ReadConfigurationText(text, L"bench.txt", messages);
        if (!messages.empty())
            state.SkipWithError("the configuration has problems");
        benchmark::DoNotOptimize(tables.hatchLists.size());
    }
}

void BM_WriteConfiguration(benchmark::State& state)
{
    const std::string text = largeConfiguration();
    ConfigurationTables tables;
    QuorLogConfig config(tables);
    config.ResetConfiguration();
    ConfigMessageList messages;
    config.ReadConfigurationText(text, L"bench.txt", messages);
    QuorTest::TempDir dir;
    const std::wstring path = ORBAX_Platform::wide_from_path(dir / "QuorLogConfig.txt");
    for (auto _ : state) {
        config.backedUp = true; // one file, rewritten each time
        config.WriteConfiguration(path, messages);
    }
    if (!messages.empty())
        state.SkipWithError("the configuration could not be written");
}

} // namespace

BENCHMARK(BM_LoadConfiguration)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteConfiguration)->Unit(benchmark::kMillisecond);
