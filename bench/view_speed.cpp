// How much CPU the desktop program spends on what a user does to its view, measured on the real
// program driven by real input events: it runs on a virtual display (Xvfb, 1600 x 1000) with the
// sample borehole, and for each scale named (set with View > Scale, its dialog driven by xdotool)
// xdotool presses I and O (a zoom step about the pointer from that scale, which is set again after
// each), turns the wheel over the right column (a scroll step of the right pane, which the left pane
// and the trace columns follow), and moves the pointer over the trace columns. Each event is given
// time to be handled to the end; the program's own CPU time (all its threads) over it, less what it
// spends idle over the same time, is what the event cost. Then the same with a LAS file of 12 curves
// x 600,000 samples 1 mm apart (63 MB) open as traces. Each figure is the mean over the events of a
// run; the runs give its median, lowest and highest.
//   view_speed QUOR_LOG SAMPLE CONFIG [RUNS=3] [FOLDER=/tmp]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "bench/DenseTraceFile.h"

namespace {

using namespace std::chrono_literals;

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "view_speed: %s\n", what.c_str());
    std::exit(1);
}

// Runs a program to its end; its standard output is returned when `output` is set.
std::string Run(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {},
                bool output = false)
{
    int ends[2];
    if (output && ::pipe(ends) != 0)
        fail("pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        for (const std::string& variable : environment)
            ::putenv(const_cast<char*>(variable.c_str()));
        if (output) {
            ::dup2(ends[1], 1);
            ::close(ends[0]);
        }
        std::vector<char*> argv;
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    std::string text;
    if (output) {
        ::close(ends[1]);
        char buffer[256];
        ssize_t n;
        while ((n = ::read(ends[0], buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        ::close(ends[0]);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(arguments[0] + " failed");
    return text;
}

struct Program {
    pid_t pid = -1;
    clockid_t clock{};
    std::vector<std::string> environment;
    std::string window; // the main window's id

    double cpu() const
    {
        timespec t{};
        if (::clock_gettime(clock, &t) != 0)
            fail("the program has gone");
        return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
    }
    void xdotool(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), "xdotool");
        Run(arguments, environment);
    }
    // Waits until the program has spent no CPU for a while: it has handled what it was sent.
    void settle() const
    {
        double last = cpu();
        int quiet = 0;
        while (quiet < 5) {
            std::this_thread::sleep_for(10ms);
            const double now = cpu();
            quiet = now - last < 0.05 ? quiet + 1 : 0;
            last = now;
        }
    }
};

using Clock = std::chrono::steady_clock;

// Milliseconds of CPU a second while nothing happens.
double IdleRate(const Program& program, std::chrono::milliseconds span)
{
    program.settle();
    const double before = program.cpu();
    const auto start = Clock::now();
    std::this_thread::sleep_for(span);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return (program.cpu() - before) / seconds;
}

// Milliseconds of CPU the program spends on one event, the idle rate over the same time taken off.
template <class Event>
double TimeEvent(const Program& program, double idleRate, Event&& event)
{
    program.settle();
    const double before = program.cpu();
    const auto start = Clock::now();
    event();
    program.settle();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return std::max(0.0, program.cpu() - before - idleRate * seconds);
}

// View > Scale, the denominator typed into its dialog; then Scroll to Top, so that each case starts
// from the same place.
void SetScale(const Program& program, int denominator)
{
    program.xdotool({"key", "alt+v"});
    program.settle();
    program.xdotool({"key", "s"});
    program.settle();
    program.xdotool({"key", "ctrl+a"});
    program.xdotool({"type", std::to_string(denominator)});
    program.xdotool({"key", "Return"});
    program.settle();
    // Without a window manager the keyboard focus does not come back by itself when the dialog goes.
    program.xdotool({"windowfocus", "--sync", program.window});
    program.settle();
    program.xdotool({"key", "ctrl+Home"});
    program.settle();
}

// One figure over the runs: the median, the lowest and the highest; none where it does not apply.
struct Spread {
    std::vector<double> runs;
    std::string Text(const char* unit) const
    {
        if (runs.empty())
            return "-";
        std::vector<double> sorted = runs;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
        char text[64];
        std::snprintf(text, sizeof text, "%.2f %s (%.2f to %.2f)", median, unit, sorted.front(), sorted.back());
        return text;
    }
};

struct Figures {
    Spread zoom, scroll, move, idle;
};

// The right column and the trace columns of a 1600 x 1000 window (the view starts below the menu bar
// and the tool bar).
constexpr int kColumnX = 430; // the right column, whose pane the wheel scrolls
constexpr int kTraceX = 1000;

// The zoom steps from a scale: I goes to the next larger scale of the zoom table (1:1 to 1:1000),
// O to the next smaller one, which there is only below 1:900. Each step is timed from the named
// scale, which the Scale command sets again after it. Whether the wheel can scroll at all: a log
// that fits the window does not scroll (`scrolls`).
Figures Measure(const Program& program, int denominator, bool scrolls, int runs)
{
    Figures figures;
    const bool zoomsOut = denominator < 900;
    for (int r = 0; r < runs; ++r) {
        program.xdotool({"mousemove", std::to_string(kTraceX), "500"});
        SetScale(program, denominator);
        const double rate = IdleRate(program, 3000ms);
        figures.idle.runs.push_back(rate);

        program.xdotool({"mousemove", std::to_string(kColumnX), "500"});
        double zoom = 0;
        const int zoomSteps = 10;
        for (int i = 0; i < zoomSteps; ++i) {
            const char* key = zoomsOut && i % 2 ? "o" : "i";
            zoom += TimeEvent(program, rate, [&] { program.xdotool({"key", key}); });
            SetScale(program, denominator);
        }
        figures.zoom.runs.push_back(zoom / zoomSteps);

        if (scrolls) {
            // Ten notches down, ten up.
            double scroll = 0;
            for (int i = 0; i < 20; ++i)
                scroll += TimeEvent(program, rate, [&] { program.xdotool({"click", i < 10 ? "5" : "4"}); });
            figures.scroll.runs.push_back(scroll / 20);
        }

        // Down and up over the trace columns, a few pixels at a time.
        double move = 0;
        for (int i = 0; i < 60; ++i) {
            const int y = 300 + 4 * (i < 30 ? i : 60 - i);
            move += TimeEvent(program, rate, [&] {
                program.xdotool({"mousemove", std::to_string(kTraceX + i % 7), std::to_string(y)});
            });
        }
        figures.move.runs.push_back(move / 60);
    }
    return figures;
}

void Print(const std::string& title, const Figures& f)
{
    std::printf("| %s | %s | %s | %s | %s |\n", title.c_str(), f.zoom.Text("ms").c_str(), f.scroll.Text("ms").c_str(),
                f.move.Text("ms").c_str(), f.idle.Text("ms/s").c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: view_speed QUOR_LOG SAMPLE CONFIG [RUNS=3] [FOLDER=/tmp]\n");
        return 2;
    }
    const std::string program = std::filesystem::absolute(argv[1]).string();
    const std::string sample = std::filesystem::absolute(argv[2]).string();
    const std::string config = std::filesystem::absolute(argv[3]).string();
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 3;
    const std::filesystem::path folder =
        std::filesystem::path(argc > 5 ? argv[5] : "/tmp") / ("view_speed_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "profile" / "ORBAX");
    const std::string traces = (folder / "traces.las").string();
    if (!DenseTraceFile::write(traces, 600000))
        fail("cannot write " + traces);
    {
        std::ofstream settings(folder / "profile" / "ORBAX" / "QUOR_Log 3.0.conf");
        settings << "[Options]\nShowSplash=0\nHatchList=Colour\nLasPath=" << folder.string()
                 << "\n\n[CSVOptions]\nAlwaysAsk=0\nSchema=Coal\n\n[View]\nScale=250\n";
    }

    // The virtual display picks a free number and tells it.
    int ends[2];
    if (::pipe(ends) != 0)
        fail("pipe");
    const pid_t xvfb = ::fork();
    if (xvfb == 0) {
        ::close(ends[0]);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        const std::string fd = std::to_string(ends[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1600x1000x24", "-nolisten", "tcp",
                 static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ends[1]);
    std::string display;
    char c;
    while (::read(ends[0], &c, 1) == 1 && c != '\n')
        display += c;
    ::close(ends[0]);
    if (display.empty())
        fail("Xvfb did not start");

    Program quor;
    quor.environment = {"DISPLAY=:" + display, "XDG_CONFIG_HOME=" + (folder / "profile").string()};
    quor.pid = ::fork();
    if (quor.pid == 0) {
        for (const std::string& variable : quor.environment)
            ::putenv(const_cast<char*>(variable.c_str()));
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        const std::string configuration = "-c:" + config;
        ::execl(program.c_str(), program.c_str(), configuration.c_str(), sample.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (::clock_getcpuclockid(quor.pid, &quor.clock) != 0)
        fail("no CPU clock for the program");

    quor.window = Run({"xdotool", "search", "--sync", "--onlyvisible", "--pid", std::to_string(quor.pid)},
                      quor.environment, true);
    quor.window = quor.window.substr(0, quor.window.find('\n'));
    const std::string& window = quor.window;
    quor.xdotool({"windowmove", window, "0", "0"});
    quor.xdotool({"windowsize", window, "1600", "1000"});
    quor.settle();
    quor.xdotool({"windowfocus", "--sync", window});
    quor.settle();

    // At 1:20000 the whole log (100 m without traces, 600 m with them) is a few centimetres high and
    // fits the window: the wheel has nothing to scroll there.
    const int scales[] = {250, 20000};
    auto scrolls = [](int denominator) { return denominator < 5000; };
    std::printf("CPU time per event: median (lowest to highest) of %d runs\n\n", runs);
    std::printf("| | zoom step | scroll step | pointer move | idle |\n|---|---|---|---|---|\n");
    for (int denominator : scales)
        Print("sample borehole, no traces, 1:" + std::to_string(denominator),
              Measure(quor, denominator, scrolls(denominator), runs));

    // File > Open Trace..., the file's name typed into the dialog.
    const double beforeLoad = quor.cpu();
    quor.xdotool({"key", "alt+f"});
    quor.settle();
    quor.xdotool({"key", "t"});
    quor.settle();
    quor.xdotool({"type", traces});
    quor.xdotool({"key", "Return"});
    std::this_thread::sleep_for(1s);
    quor.settle();
    // Reading the file takes a second of CPU or so: much less means the dialog did not take it.
    const double loading = quor.cpu() - beforeLoad;
    if (loading < 200)
        fail("the trace file was not opened");
    quor.xdotool({"windowfocus", "--sync", window});
    quor.settle();
    for (int denominator : scales) {
        char title[96];
        std::snprintf(title, sizeof title, "12 curves x 600,000 samples (%.0f MB), 1:%d",
                      std::filesystem::file_size(traces) / 1e6, denominator);
        Print(title, Measure(quor, denominator, scrolls(denominator), runs));
    }

    ::kill(quor.pid, SIGTERM);
    ::waitpid(quor.pid, nullptr, 0);
    ::kill(xvfb, SIGTERM);
    ::waitpid(xvfb, nullptr, 0);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
