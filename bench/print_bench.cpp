// Printing the log to PDF: a borehole of 10,000 units beside an empty one, with three traces, on
// A4 at 1:100 (50 pages), and the same on 10 and 200 pages, and with a legend at the bottom of each
// page or on pages of its own. Pages are drawn one at a time, so the
// process's peak memory ("peak_rss_MB", taken after each run; the runs go from fewest pages to most)
// must not grow with the page count.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "config/Quor_Log_Config.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "tests/support/TestSupport.h"

namespace {

QApplication& Application()
{
    static int argc = 1;
    static char name[] = "print_bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication* app = [] {
        auto* made = new QApplication(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
        return made;
    }();
    return *app;
}

std::string LasText(double stop, double step)
{
    std::string text = "~Version\n VERS. 2.0 :\n WRAP. NO :\n~Well\n STRT.M 0 :\n STOP.M " + std::to_string(stop) +
                       " :\n STEP.M " + std::to_string(step) +
                       " :\n NULL. -999.25 :\n~Curve\n DEPT.M :\n GR.API :\n"
                       " DEN.G/C3 :\n ILD.OHMM :\n~A\n";
    const int rows = static_cast<int>(std::lround(stop / step)) + 1;
    char line[160];
    for (int r = 0; r < rows; ++r) {
        const double d = r * step;
        std::snprintf(line, sizeof line, "%.2f %.3f %.3f %.3f\n", d, 75 + 60 * std::sin(d / 3), 2.4 + 0.3 * std::cos(d),
                      20 + 15 * std::sin(d / 7));
        text += line;
    }
    return text;
}

struct Fixture {
    ConfigurationTables tables;
    std::unique_ptr<CQuorDoc> document;
    std::unique_ptr<CQuorView> view;
    QuorTest::TempDir dir;

    explicit Fixture(double depth)
    {
        Application();
        QuorLogConfig config(tables);
        ConfigMessageList messages;
        config.ResetConfiguration();
        const std::filesystem::path path = QuorTest::source_dir() / "resources" / "QuorLogConfig.txt";
        config.ReadConfigurationText(QuorTest::read_file(path), path.wstring(), messages);
        for (const auto& [id, list] : tables.hatchLists)
            if (list.GetName() == L"Standard")
                tables.currentHatchListId = id;
        ORBAX_Logging::SchemaPtr schema = tables.schemas.front();
        document = std::make_unique<CQuorDoc>(schema);
        view = std::make_unique<CQuorView>(document.get());
        view->saveSettingsWanted = [] { return false; };
        view->SetConfigurationTables(&tables);

        ORBAX_Logging::Borehole& hole = document->GetBorehole(0);
        hole.name = L"BH-Bench";
        static const wchar_t* rocks[] = {L"COAL", L"SANDSTONE", L"SHALE", L"CLAYSTONE", L"CONGLOMERATE", L"SILTSTONE"};
        constexpr int units = 10000;
        for (int i = 0; i < units; ++i) {
            ORBAX_Logging::Interval unit(schema);
            unit.setRockTypes(L"IN GENERAL", {100}, {rocks[(i * 7) % 6]});
            unit.bottom = depth * (i + 1) / units;
            unit.thickness = depth / units;
            if (i % 10 == 0)
                unit.sample = L"S" + std::to_wstring(i / 10);
            hole.push_back(unit);
        }
        TraceDefinitionList definitions;
        const char* names[] = {"GR", "DEN", "ILD"};
        for (int k = 0; k < 3; ++k) {
            TraceDefinition definition;
            definition.SetName(names[k]);
            definition.colourIndex = k + 1;
            definition.displayField = k;
            definition.ownRange = true;
            definitions.push_back(definition);
        }
        auto file = std::make_unique<LasProperty>(definitions);
        std::wstring error;
        file->read_bytes(LasText(depth, 0.1), L"bench.las", error);
        view->AttachTrace(std::move(file));
    }
};

double PeakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

std::unique_ptr<QPrinter> PdfPrinter(const std::filesystem::path& pdf)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(pdf.string()));
    printer->setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
    return printer;
}

void BM_PrintLogToPdf(benchmark::State& state)
{
    // A4 less 5 mm edges at 1:100 shows 18 m a page.
    Fixture fixture(18.0 * static_cast<double>(state.range(0)) - 1.0);
    // The second argument places a legend of the rock types of each page's range.
    PageSetupSettings& setup = fixture.view->PageSetup();
    setup.legendPosition = static_cast<int>(state.range(1));
    setup.legendInclude = LegendUtils::AllOnPage;
    const std::filesystem::path pdf = fixture.dir / "bench.pdf";
    for (auto _ : state) {
        const auto printer = PdfPrinter(pdf);
        if (!fixture.view->PrintLog(*printer, true)) {
            state.SkipWithError("nothing printed");
            break;
        }
    }
    const auto printer = PdfPrinter(pdf);
    fixture.view->OnBeginPrinting(*printer, true);
    state.counters["pages"] = fixture.view->PrintPageCount();
    fixture.view->OnEndPrinting();
    state.counters["pdf_MB"] = std::filesystem::exists(pdf) ? std::filesystem::file_size(pdf) / 1048576.0 : 0;
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}

} // namespace

BENCHMARK(BM_PrintLogToPdf)
    ->Args({10, PageSetupSettings::NoLegend})
    ->Args({50, PageSetupSettings::NoLegend})
    ->Args({200, PageSetupSettings::NoLegend})
    ->Args({50, PageSetupSettings::BottomOfPage})
    ->Args({50, PageSetupSettings::EndOfDocument})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
