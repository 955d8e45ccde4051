// Speed of the CSV and Prolog 4 formats on large boreholes: reading and writing 100,000 CSV units,
// reading 20,000 Prolog 4 units.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "core/catalogue/Messages.h"
#include "core/csv/Borehole_CSV.h"
#include "core/prolog4/Borehole_Prolog4.h"
#include "core/prolog4/XmlPlatformGuard.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Logging;

namespace {

SchemaPtr csvSchema()
{
    static const SchemaPtr schema =
        std::make_shared<SchemaDefinition>(L"bench", std::vector<FieldDefinition>{{ROCKTYPE, L"Rock"},
                                                                                  {PERCENTAGE, L"Pct"},
                                                                                  {SEAM, L"Seam"},
                                                                                  {SAMPLE, L"Sample"},
                                                                                  {STRING, L"Note"},
                                                                                  {THICKNESS, L"Thick"},
                                                                                  {BOTTOM, L"Base"}});
    return schema;
}

CSVOptionsData csvOptions()
{
    CSVOptionsData options;
    options.schema = csvSchema();
    options.precision = 3;
    options.backup = false;
    return options;
}

std::string csvFile(const QuorTest::TempDir& dir, int units)
{
    std::string text = "Rock,Pct,Seam,Sample,Note,Thick,Base\n";
    for (int i = 1; i <= units; ++i)
        text += "SANDSTONE,100,A,S-" + std::to_string(i) + ",\"fine, grey\",0.500," + std::to_string(i * 0.5) + "\n";
    const std::string path = (dir / "big.csv").string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string prolog4File(const QuorTest::TempDir& dir, int units)
{
    std::string text = "<?xml version=\"1.0\"?>\n<Doc><m_Version>4.1</m_Version><CHTemplates><CHTemplate>"
                       "<m_Name>T</m_Name><CHeadings>";
    for (const char* heading : {"Rock", "Pct", "Seam", "Sample", "Colour", "", "Other", "Rec", "Thick", "Depth"})
        text += std::string("<m_HeadingItem><CItem><m_Heading>") + heading + "</m_Heading></CItem></m_HeadingItem>";
    text += "</CHeadings></CHTemplate></CHTemplates><CDataLogs><CDataLog><m_Data>\n";
    for (int i = 1; i <= units; ++i)
        text += "<CLithData><f1>SANDSTONE</f1><f2>100</f2><f3>A</f3><f4>S-" + std::to_string(i) +
                "</f4><f5>grey</f5><f6/><f7>x</f7><Recovered>0.4</Recovered><EstThick>0.50</EstThick><EstDepth>" +
                std::to_string(i * 0.5) + "</EstDepth></CLithData>\n";
    text += "</m_Data></CDataLog></CDataLogs></Doc>\n";
    const std::string path = (dir / "big.prolog").string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void BM_ReadCsv100k(benchmark::State& state)
{
    QuorTest::TempDir dir;
    const std::string path = csvFile(dir, 100000);
    const std::wstring name(path.begin(), path.end());
    for (auto _ : state) {
        CSVOptionsData options = csvOptions();
        LoadMessages messages;
        auto borehole = Borehole_CSV::load(name, options, messages);
        if (borehole->size() != 100000)
            state.SkipWithError("units lost");
        benchmark::DoNotOptimize(borehole);
    }
}

void BM_WriteCsv100k(benchmark::State& state)
{
    QuorTest::TempDir dir;
    const std::string path = csvFile(dir, 100000);
    const std::wstring name(path.begin(), path.end());
    CSVOptionsData options = csvOptions();
    LoadMessages messages;
    auto borehole = Borehole_CSV::load(name, options, messages);
    const std::string outPath = (dir / "out.csv").string();
    const std::wstring out(outPath.begin(), outPath.end());
    for (auto _ : state) {
        LoadMessages written;
        Borehole_CSV::save(out, *borehole, options, written);
        if (!written.empty())
            state.SkipWithError("write failed");
    }
}

void BM_ReadProlog4_20k(benchmark::State& state)
{
    XmlPlatformGuard platform;
    QuorTest::TempDir dir;
    const std::string path = prolog4File(dir, 20000);
    const std::wstring name(path.begin(), path.end());
    for (auto _ : state) {
        Prolog4OptionsData options;
        options.deduce = true;
        LoadMessages messages;
        auto borehole = Borehole_Prolog4::load(name, options, messages);
        if (borehole->size() != 20000)
            state.SkipWithError("units lost");
        benchmark::DoNotOptimize(borehole);
    }
}

} // namespace

BENCHMARK(BM_ReadCsv100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCsv100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadProlog4_20k)->Unit(benchmark::kMillisecond);
