// How much CPU the desktop program spends on what a user does to its view, measured on the real
// program driven by real input events: it runs on a virtual display (Xvfb, 1600 x 1000) with the
// sample borehole at 1:250, and xdotool presses I and O (zoom about the pointer), turns the wheel over
// the right column (a scroll step of the right pane, which the left pane and the trace columns
// follow), and moves the pointer over the trace columns. Each event is given time to be handled to
// the end; the program's own CPU time (all its threads) over the run, less what it spends idle over
// the same time, is divided by the number of events. Then the same with a LAS file of 12 curves x
// 600,000 samples 1 mm apart (63 MB) open as traces.
//   view_speed QUOR_LOG SAMPLE CONFIG [REPEATS=3] [FOLDER=/tmp]
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "view_speed: %s\n", what.c_str());
    std::exit(1);
}

// The LAS file: depth from 0 m in steps of 1 mm and eleven readings shaped like logs (a slow swing,
// beds, noise), two decimals; about 105 bytes a row.
void WriteTraces(const std::string& path, int rows)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        fail("cannot write " + path + ": " + std::strerror(errno));
    static const char* const names[] = {"GR", "SGR", "CGR", "DEN", "ILD", "NPHI", "PE", "DT", "SP", "RHOB", "CALX"};
    std::fprintf(out,
                 "~Version information\n VERS. 2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\n"
                 " WRAP. NO : one line per depth step\n~Well information\n STRT.M 0.000 : start\n"
                 " STOP.M %.3f : stop\n STEP.M 0.001 : step\n NULL. -999.25 : null\n"
                 "~Curve information\n DEPT.M : depth\n",
                 (rows - 1) * 0.001);
    for (const char* name : names)
        std::fprintf(out, " %s.U : reading\n", name);
    std::fprintf(out, "~A\n");
    std::uint32_t random = 12345;
    std::string line;
    char number[32];
    for (int r = 0; r < rows; ++r) {
        const double depth = r * 0.001;
        line.clear();
        std::snprintf(number, sizeof number, "%.3f", depth);
        line += number;
        for (int c = 0; c < 11; ++c) {
            random = random * 1664525u + 1013904223u;
            const double noise = ((random >> 8) % 1000) / 1000.0 - 0.5;
            const double bed = std::fmod(std::floor(depth / (1.5 + 0.4 * c)) * 37.0, 11.0);
            const double value = 50 + 25 * std::sin(depth / (3 + c)) + 3 * bed + 8 * noise;
            std::snprintf(number, sizeof number, " %8.2f", value);
            line += number;
        }
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), out);
    }
    if (std::fclose(out) != 0)
        fail("cannot write " + path);
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

// Milliseconds of CPU per event, the idle rate over the same time taken off.
template <class Event>
double PerEvent(const Program& program, int events, double idleRate, Event&& event)
{
    program.settle();
    const double before = program.cpu();
    const auto start = Clock::now();
    for (int i = 0; i < events; ++i) {
        event(i);
        program.settle();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return std::max(0.0, program.cpu() - before - idleRate * seconds) / events;
}

struct Figures {
    double zoom = 0;
    double scroll = 0;
    double move = 0;
    double idle = 0;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

Figures Measure(const Program& program, int repeats)
{
    // The right column and the trace columns of a 1600 x 1000 window (the view starts below the
    // menu bar and the tool bar).
    const int columnX = 430; // the right column, whose pane the wheel scrolls
    const int traceX = 1000;
    std::vector<double> zoom, scroll, move, idle;
    for (int r = 0; r < repeats; ++r) {
        program.xdotool({"mousemove", std::to_string(traceX), "500"});
        const double rate = IdleRate(program, 3000ms);
        idle.push_back(rate);
        program.xdotool({"mousemove", std::to_string(columnX), "500"});
        // In and out by turns, about the pointer: 1:250, 1:200, 1:250, ...
        zoom.push_back(PerEvent(program, 20, rate, [&](int i) { program.xdotool({"key", i % 2 ? "o" : "i"}); }));
        // Ten notches down, ten up.
        scroll.push_back(PerEvent(program, 20, rate, [&](int i) { program.xdotool({"click", i < 10 ? "5" : "4"}); }));
        // Down and up over the trace columns, a few pixels at a time.
        move.push_back(PerEvent(program, 60, rate, [&](int i) {
            const int y = 300 + 4 * (i < 30 ? i : 60 - i);
            program.xdotool({"mousemove", std::to_string(traceX + i % 7), std::to_string(y)});
        }));
    }
    return {Median(zoom), Median(scroll), Median(move), Median(idle)};
}

void Print(const char* title, const Figures& f)
{
    std::printf("%-44s %8.2f ms %8.2f ms %8.2f ms %8.2f ms/s\n", title, f.zoom, f.scroll, f.move, f.idle);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: view_speed QUOR_LOG SAMPLE CONFIG [REPEATS=3] [FOLDER=/tmp]\n");
        return 2;
    }
    const std::string program = std::filesystem::absolute(argv[1]).string();
    const std::string sample = std::filesystem::absolute(argv[2]).string();
    const std::string config = std::filesystem::absolute(argv[3]).string();
    const int repeats = argc > 4 ? std::max(1, std::atoi(argv[4])) : 3;
    const std::filesystem::path folder =
        std::filesystem::path(argc > 5 ? argv[5] : "/tmp") / ("view_speed_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "profile" / "ORBAX");
    const std::string traces = (folder / "traces.las").string();
    WriteTraces(traces, 600000);
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

    std::string window = Run({"xdotool", "search", "--sync", "--onlyvisible", "--pid", std::to_string(quor.pid)},
                             quor.environment, true);
    window = window.substr(0, window.find('\n'));
    quor.xdotool({"windowmove", window, "0", "0"});
    quor.xdotool({"windowsize", window, "1600", "1000"});
    quor.settle();
    quor.xdotool({"windowfocus", "--sync", window});
    quor.settle();

    std::printf("%-44s %11s %11s %11s %13s\n", "", "zoom step", "scroll step", "pointer move", "idle");
    Print("sample borehole, no traces", Measure(quor, repeats));

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
    char title[64];
    std::snprintf(title, sizeof title, "with 12 curves x 600,000 samples (%.0f MB)",
                  std::filesystem::file_size(traces) / 1e6);
    Print(title, Measure(quor, repeats));

    ::kill(quor.pid, SIGTERM);
    ::waitpid(quor.pid, nullptr, 0);
    ::kill(xvfb, SIGTERM);
    ::waitpid(xvfb, nullptr, 0);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
