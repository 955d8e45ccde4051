// The main view's speed. Drawing: the visible area of a 1600 x 1000 pixel window (into an image, as
// a paint would) over a borehole of 1,000 to 100,000 units beside three traces of 100,000 samples,
// top and middle of the hole; the time should follow what is visible, not the borehole's length.
// Loading: three 80 MB LAS files at once (one worker each) against one after another, with the
// longest time the window's event loop went without turning (it must stay below 50 ms).
#include <benchmark/benchmark.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "bench/DenseTraceFile.h"
#include "bench/LasSpeedFile.h"
#include "config/Quor_Log_Config.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "tests/support/TestSupport.h"

namespace {

QApplication& Application()
{
    static int argc = 1;
    static char name[] = "view_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        auto* made = new QApplication(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
        return made;
    }();
    return *app;
}

struct Folder {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "quor_view_bench";
    Folder() { std::filesystem::create_directories(dir); }
    ~Folder()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Folder& BenchFolder()
{
    static Folder folder;
    return folder;
}

// The shipped configuration with its colour hatch list current.
void LoadShipped(ConfigurationTables& tables)
{
    QuorLogConfig config(tables);
    ConfigMessageList messages;
    config.ResetConfiguration();
    const auto path = QuorTest::source_dir() / "resources" / "QuorLogConfig.txt";
    config.ReadConfigurationText(QuorTest::read_file(path), path.wstring(), messages);
    for (const auto& [id, list] : tables.hatchLists)
        if (list.GetName() == L"Colour")
            tables.currentHatchListId = id;
}

ConfigurationTables& Tables()
{
    static ConfigurationTables tables;
    static bool loaded = [] {
        LoadShipped(tables);
        // One trace in each column.
        TraceDefinition a, b, c;
        a.SetName("TA");
        a.displayField = 1;
        a.colourIndex = 2;
        b.SetName("TB");
        b.displayField = 2;
        b.colourIndex = 1;
        c.SetName("TC");
        c.displayField = 3;
        c.colourIndex = 3;
        tables.traceDefinitions = {a, b, c};
        return true;
    }();
    (void)loaded;
    return tables;
}

ORBAX_Logging::SchemaPtr CoalSchema()
{
    for (const auto& schema : Tables().schemas)
        if (schema->name == L"Coal")
            return schema;
    return Tables().schemas.front();
}

// A borehole of `count` units of about a metre, cycling through the hatch list's rock types, every
// fifth unit interbedded.
void FillBorehole(ORBAX_Logging::Borehole& hole, int count)
{
    static const wchar_t* const rocks[] = {L"SANDSTONE", L"SHALE",     L"COAL",     L"SILTSTONE",    L"MUDSTONE",
                                           L"LIMESTONE", L"CLAYSTONE", L"DOLOMITE", L"CONGLOMERATE", L"TILLITE"};
    hole.clear();
    hole.reserve(static_cast<std::size_t>(count));
    double top = 0;
    for (int i = 0; i < count; ++i) {
        ORBAX_Logging::Interval unit(hole.schema);
        if (i % 5 == 4)
            unit.setRockTypes(L"IN GENERAL", {60, 40}, {rocks[i % 10], rocks[(i + 3) % 10]});
        else
            unit.setRockTypes(L"IN GENERAL", {100}, {rocks[i % 10]});
        const double thickness = 0.4 + (i * 7919 % 13) * 0.1;
        unit.bottom = top + thickness;
        unit.thickness = thickness;
        unit.sample = L"S" + std::to_wstring(i / 3);
        hole.push_back(unit);
        top = unit.bottom;
    }
}

// A LAS file of three curves of `rows` samples 0.1 m apart.
std::wstring TraceFile(int rows)
{
    const auto path = BenchFolder().dir / ("traces" + std::to_string(rows) + ".las");
    if (!std::filesystem::exists(path)) {
        std::ofstream out(path);
        out << "~Version\n VERS. 2.0 : v\n WRAP. NO : w\n~Well\n STRT.M 0 : s\n STOP.M " << (rows - 1) * 0.1
            << " : s\n STEP.M 0.1 : s\n NULL. -999.25 : n\n~Curve\n DEPT.M : d\n TA.U : a\n TB.U : b\n TC.U : c\n~A\n";
        for (int r = 0; r < rows; ++r)
            out << r * 0.1 << ' ' << (r * 37 % 101) << ' ' << 2 + (r % 17) * 0.05 << ' ' << (r * 13 % 29) << '\n';
    }
    return path.wstring();
}

// The document and view of the drawing benchmark: 1600 x 1000 pixels of client area.
struct DrawScene {
    explicit DrawScene(int units)
    {
        Application();
        document = std::make_unique<CQuorDoc>(CoalSchema());
        FillBorehole(document->GetBorehole(0), units);
        FillBorehole(document->GetBorehole(1), units);
        view = std::make_unique<CQuorView>(document.get());
        view->saveSettingsWanted = [] { return false; };
        view->SetConfigurationTables(&Tables());
        view->m_settings.showSampleNumbers = true;
        view->resize(1600 + view->PaneScrollBar(1)->sizeHint().width(), 1000);
        view->OnSize();
        view->StartTraceLoad(TraceFile(100000));
        view->WaitForTraceLoads();
        view->Select(-1, -1, 0, 3);
    }

    void Draw(QImage& image)
    {
        QPainter painter(&image);
        view->OnDraw(painter, view->DeviceToPage(QRectF(QPointF(0, 0), QSizeF(image.size()))), false);
    }

    std::unique_ptr<CQuorDoc> document;
    std::unique_ptr<CQuorView> view;
};

void BM_DrawVisibleArea(benchmark::State& state)
{
    DrawScene scene(static_cast<int>(state.range(0)));
    // Scrolled to the middle of the hole (or of the traces, whichever is shallower).
    const double base = scene.document->GetBoreholeBaseDepth(0);
    const double middle = std::min(base, 9999.9) / 2 * (state.range(1) ? 1 : 0);
    scene.view->SetPaneTopDepth(0, middle);
    scene.view->SetPaneTopDepth(1, middle);
    QImage image(1600, 1000, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(static_cast<int>(scene.view->PixelsPerMmX() * 1000));
    image.setDotsPerMeterY(static_cast<int>(scene.view->PixelsPerMmY() * 1000));
    for (auto _ : state) {
        image.fill(Qt::white);
        scene.Draw(image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["units"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_DrawVisibleArea)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"units", "middle"})
    ->Unit(benchmark::kMillisecond);

// The shipped configuration as it is, whose trace definitions put the dense file's curves into the
// three columns.
ConfigurationTables& ShippedTables()
{
    static ConfigurationTables tables;
    static bool loaded = [] {
        LoadShipped(tables);
        return true;
    }();
    (void)loaded;
    return tables;
}

// The whole view repainted, as after a zoom step, beside the dense trace file of bench/view-speed
// (11 curves of 600,000 samples 1 mm apart) at 1:250, 1:1000 and 1:20000: the time should follow the
// device rows drawn, not the samples.
void BM_DrawDenseTraces(benchmark::State& state)
{
    Application();
    static const std::wstring file = [] {
        const auto path = BenchFolder().dir / "dense.las";
        if (!DenseTraceFile::write(path.string(), 600000))
            return std::wstring();
        return path.wstring();
    }();
    if (file.empty()) {
        state.SkipWithError("cannot write the trace file");
        return;
    }
    CQuorDoc document(CoalSchema());
    FillBorehole(document.GetBorehole(0), 60);
    CQuorView view(&document);
    view.saveSettingsWanted = [] { return false; };
    view.SetConfigurationTables(&ShippedTables());
    // The view of the 1600 x 1000 window of bench/view-speed, below its menu and tool bars.
    view.resize(1600, 930);
    view.OnSize();
    view.StartTraceLoad(file);
    view.WaitForTraceLoads();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(static_cast<int>(view.PixelsPerMmX() * 1000));
    image.setDotsPerMeterY(static_cast<int>(view.PixelsPerMmY() * 1000));
    auto draw = [&] {
        QPainter painter(&image);
        view.OnDraw(painter, view.DeviceToPage(QRectF(QPointF(0, 0), QSizeF(image.size()))), true);
    };
    // Each step to the scale or a hair from it, so that nothing drawn at the one scale serves the next.
    const double scale = static_cast<double>(state.range(0)) / 1000;
    view.SetScale(scale * 1.001);
    draw();
    bool hair = false;
    for (auto _ : state) {
        view.SetScale(hair ? scale * 1.001 : scale);
        hair = !hair;
        draw();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawDenseTraces)->Arg(250)->Arg(1000)->Arg(20000)->ArgName("scale")->Unit(benchmark::kMillisecond);

// Three 80 MB files, generated once.
const std::vector<std::wstring>& BigFiles()
{
    static const std::vector<std::wstring> files = [] {
        std::vector<std::wstring> made;
        for (int i = 0; i < 3; ++i) {
            const auto path = BenchFolder().dir / ("big" + std::to_string(i) + ".las");
            LasSpeedFile::Shape shape;
            LasSpeedFile::write(path.string(), 80, shape);
            made.push_back(path.wstring());
        }
        return made;
    }();
    return files;
}

// Runs the event loop until the view has no load pending; returns the longest gap between two turns
// of the loop, in milliseconds.
double RunUntilLoaded(CQuorView& view)
{
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
        if (view.PendingLoads() == 0)
            loop.quit();
    });
    tick.start();
    loop.exec();
    return static_cast<double>(longest);
}

void BM_LoadThreeFiles(benchmark::State& state)
{
    Application();
    const bool together = state.range(0) != 0;
    const auto& files = BigFiles();
    double longestGap = 0;
    for (auto _ : state) {
        CQuorDoc document(CoalSchema());
        CQuorView view(&document);
        view.saveSettingsWanted = [] { return false; };
        view.SetConfigurationTables(&Tables());
        view.resize(1600, 1000);
        view.OnSize();
        if (together) {
            for (const auto& file : files)
                view.StartTraceLoad(file);
            longestGap = std::max(longestGap, RunUntilLoaded(view));
        } else {
            for (const auto& file : files) {
                view.StartTraceLoad(file);
                longestGap = std::max(longestGap, RunUntilLoaded(view));
            }
        }
        if (view.Traces().size() != files.size())
            state.SkipWithError("a file did not load");
    }
    state.counters["longest_event_loop_gap_ms"] = longestGap;
}
BENCHMARK(BM_LoadThreeFiles)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("together")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

} // namespace
