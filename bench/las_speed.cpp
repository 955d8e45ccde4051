// Times the whole `Curvex summarise` process on a generated LAS file, as a user would run it: on all
// cores, on one core, and with the file coming through a pipe. Prints the median wall time and speed,
// the CPU time and the peak memory of each way, beside the size of the samples themselves. Given a
// second Curvex (another build), it runs the two in turn, A B A B, so that both see the same load,
// and prints each one's medians and the ratio of the second to the first.
//   las_speed CURVEX [MEGABYTES=79] [RUNS=9] [FOLDER=/tmp] [OTHER_CURVEX]
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/LasSpeedFile.h"

namespace {

struct Run {
    double wall = 0;
    double cpu = 0;
    double peakMegabytes = 0;
};

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

// Runs Curvex once on the file (or on the file piped into its standard input), its output thrown away.
Run run_once(const std::string& curvex, const std::string& file, bool oneCore, bool pipe)
{
    const auto start = std::chrono::steady_clock::now();
    pid_t feeder = -1;
    int pipeEnds[2] = {-1, -1};
    if (pipe && ::pipe(pipeEnds) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    if (pipe) {
        feeder = ::fork();
        if (feeder == 0) {
            ::close(pipeEnds[0]);
            int in = ::open(file.c_str(), O_RDONLY);
            std::vector<char> buffer(1 << 20);
            ssize_t n;
            while (in >= 0 && (n = ::read(in, buffer.data(), buffer.size())) > 0) {
                if (::write(pipeEnds[1], buffer.data(), static_cast<std::size_t>(n)) != n)
                    break;
            }
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
    }
    pid_t child = ::fork();
    if (child == 0) {
        if (oneCore) {
            cpu_set_t set;
            CPU_ZERO(&set);
            CPU_SET(0, &set);
            ::sched_setaffinity(0, sizeof set, &set);
        }
        int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        std::string name = file;
        if (pipe) {
            ::dup2(pipeEnds[0], 0);
            name = "/dev/stdin";
        }
        ::execl(curvex.c_str(), curvex.c_str(), "summarise", name.c_str(), static_cast<char*>(nullptr));
        std::perror(curvex.c_str());
        ::_exit(127);
    }
    if (pipe)
        ::close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    Run run;
    run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (feeder > 0)
        ::waitpid(feeder, nullptr, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "las_speed: %s summarise failed (status %d)\n", curvex.c_str(), status);
        std::exit(1);
    }
    run.cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.peakMegabytes = static_cast<double>(usage.ru_maxrss) * 1024.0 / 1e6;
    return run;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double load_average()
{
    double load = 0;
    std::ifstream in("/proc/loadavg");
    in >> load;
    return load;
}

struct Side {
    std::string curvex;
    std::vector<double> wall, cpu, peak;
};

void print_side(const char* title, const Side& side, double fileMegabytes, double sampleMegabytes)
{
    const double w = median(side.wall);
    const double top = *std::max_element(side.peak.begin(), side.peak.end());
    std::printf("%-26s %7.3f s  %6.0f MB/s   CPU %6.3f s   peak %6.1f MB = samples %.1f + %.1f MB\n", title, w,
                fileMegabytes / w, median(side.cpu), top, sampleMegabytes, top - sampleMegabytes);
    std::printf("%-26s wall of each run:", "");
    for (double x : side.wall)
        std::printf(" %.3f", x);
    std::printf("\n");
}

// Each side once to settle the page cache and the programs' pages, then `runs` rounds of every side in
// turn.
void measure(const char* title, std::vector<Side> sides, const std::string& file, double fileMegabytes,
             double sampleMegabytes, int runs, bool oneCore, bool pipe)
{
    for (const Side& side : sides)
        run_once(side.curvex, file, oneCore, pipe);
    const double loadBefore = load_average();
    for (int i = 0; i < runs; ++i) {
        for (Side& side : sides) {
            Run r = run_once(side.curvex, file, oneCore, pipe);
            side.wall.push_back(r.wall);
            side.cpu.push_back(r.cpu);
            side.peak.push_back(r.peakMegabytes);
        }
    }
    if (sides.size() == 1) {
        print_side(title, sides[0], fileMegabytes, sampleMegabytes);
        return;
    }
    std::printf("%s (load average %.2f to %.2f):\n", title, loadBefore, load_average());
    print_side("  A", sides[0], fileMegabytes, sampleMegabytes);
    print_side("  B", sides[1], fileMegabytes, sampleMegabytes);
    // The ratio of each pair's runs, which share the moment's load, besides that of the medians.
    std::vector<double> wallRatios, cpuRatios;
    for (int i = 0; i < runs; ++i) {
        wallRatios.push_back(sides[1].wall[static_cast<std::size_t>(i)] / sides[0].wall[static_cast<std::size_t>(i)]);
        cpuRatios.push_back(sides[1].cpu[static_cast<std::size_t>(i)] / sides[0].cpu[static_cast<std::size_t>(i)]);
    }
    std::printf("  B / A: wall %.3f (median of pairs %.3f), CPU %.3f (median of pairs %.3f)\n",
                median(sides[1].wall) / median(sides[0].wall), median(wallRatios),
                median(sides[1].cpu) / median(sides[0].cpu), median(cpuRatios));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: las_speed CURVEX [MEGABYTES=79] [RUNS=9] [FOLDER=/tmp] [OTHER_CURVEX]\n");
        return 2;
    }
    const std::string curvex = argv[1];
    const double megabytes = argc > 2 ? std::atof(argv[2]) : 79.0;
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 9;
    const std::string folder = argc > 4 ? argv[4] : "/tmp";
    std::vector<Side> sides{Side{curvex, {}, {}, {}}};
    if (argc > 5)
        sides.push_back(Side{argv[5], {}, {}, {}});
    if (!(megabytes > 0)) {
        std::fprintf(stderr, "las_speed: the size must be a positive number of megabytes\n");
        return 2;
    }
    const std::string file = folder + "/las_speed_" + std::to_string(::getpid()) + ".las";
    LasSpeedFile::Shape shape;
    if (!LasSpeedFile::write(file, megabytes, shape)) {
        std::fprintf(stderr, "las_speed: cannot write %s: %s\n", file.c_str(), std::strerror(errno));
        return 1;
    }
    const double fileMegabytes = static_cast<double>(shape.bytes) / 1e6;
    const double sampleMegabytes = static_cast<double>(shape.rows) * shape.curves * 8 / 1e6;
    const long cores = ::sysconf(_SC_NPROCESSORS_ONLN);
    std::printf("LAS 2.0 file of %.1f MB: %llu rows of %d curves, values with 4 decimals, 1 %% null values; "
                "samples %.1f MB\n",
                fileMegabytes, static_cast<unsigned long long>(shape.rows), shape.curves, sampleMegabytes);
    std::printf("machine: %ld cores; load average %.2f before the runs\n", cores, load_average());
    std::printf("whole `Curvex summarise` process, median of %d runs (MB = 10^6 bytes):\n", runs);
    if (sides.size() > 1)
        std::printf("A: %s\nB: %s\n", sides[0].curvex.c_str(), sides[1].curvex.c_str());
    measure("all cores", sides, file, fileMegabytes, sampleMegabytes, runs, false, false);
    measure("one core (CPU 0)", sides, file, fileMegabytes, sampleMegabytes, runs, true, false);
    measure("all cores, through a pipe", sides, file, fileMegabytes, sampleMegabytes, runs, false, true);
    std::printf("load average %.2f after the runs\n", load_average());
    std::remove(file.c_str());
    return 0;
}
