// Times whole `Holdex export` processes on generated inputs that once made it crawl or swell, as a user
// would run them: a configuration of many one-field schemas (read before every command), a Prolog 4
// file of elements nested millions deep (refused), and a Prolog 4 file whose root element carries
// hundreds of thousands of attributes (refused). Prints the median wall time and the peak memory of
// several runs beside the size of the input.
//   holdex_inputs HOLDEX [SCHEMAS=40000] [LEVELS=2000000] [RUNS=5] [ATTRIBUTES=500000] [FOLDER=/tmp]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run {
    double wall = 0;
    double peakMegabytes = 0;
    int exitCode = 0;
};

// Runs Holdex once with the arguments, its output thrown away.
Run run_once(const std::string& holdex, const std::vector<std::string>& args)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        std::vector<char*> argv{const_cast<char*>(holdex.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(holdex.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    Run run;
    run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMegabytes = static_cast<double>(usage.ru_maxrss) * 1024.0 / 1e6;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double megabytes_of(const std::string& file)
{
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    return static_cast<double>(in.tellg()) / 1e6;
}

void measure(const char* title, const std::string& holdex, const std::vector<std::string>& args, double inputMegabytes,
             int runs, int expectedExit)
{
    std::vector<double> wall, peak;
    run_once(holdex, args); // a first run settles the page cache and the program's pages
    for (int i = 0; i < runs; ++i) {
        const Run r = run_once(holdex, args);
        if (r.exitCode != expectedExit) {
            std::fprintf(stderr, "holdex_inputs: %s: Holdex ended with %d, not %d\n", title, r.exitCode, expectedExit);
            std::exit(1);
        }
        wall.push_back(r.wall);
        peak.push_back(r.peakMegabytes);
    }
    std::printf("%-38s input %6.1f MB   wall %7.3f s   peak %7.1f MB\n", title, inputMegabytes, median(wall),
                *std::max_element(peak.begin(), peak.end()));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: holdex_inputs HOLDEX [SCHEMAS=40000] [LEVELS=2000000] [RUNS=5] "
                             "[ATTRIBUTES=500000] [FOLDER=/tmp]\n");
        return 2;
    }
    const std::string holdex = argv[1];
    const long schemas = argc > 2 ? std::atol(argv[2]) : 40000;
    const long levels = argc > 3 ? std::atol(argv[3]) : 2000000;
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;
    const long attributes = argc > 5 ? std::atol(argv[5]) : 500000;
    const std::string folder = argc > 6 ? argv[6] : "/tmp";
    const std::string stem = folder + "/holdex_inputs_" + std::to_string(::getpid());
    const std::string config = stem + ".txt";
    const std::string plainConfig = stem + "_plain.txt";
    const std::string hole = stem + ".csv";
    const std::string nested = stem + ".prolog";
    const std::string wide = stem + "_attributes.prolog";
    {
        const char* const head = "Quorlog Configuration v3\nSchemaDefinitions {\n"
                                 "   Short {\n      ROCKTYPE \"Rock\"\n      BOTTOM \"Depth\"\n   }\n";
        std::ofstream out(config, std::ios::binary);
        out << head;
        for (long i = 0; i < schemas; ++i)
            out << "   Extra" << i << " {\n      ROCKTYPE \"Rock\"\n   }\n";
        out << "}\n";
        std::ofstream plain(plainConfig, std::ios::binary);
        plain << head << "}\n";
        std::ofstream csv(hole, std::ios::binary);
        csv << "SAND,1.5\nCOAL,2.25\n";
        std::ofstream xml(nested, std::ios::binary);
        for (long i = 0; i < levels; ++i)
            xml << "<a>";
        for (long i = 0; i < levels; ++i)
            xml << "</a>";
        std::ofstream many(wide, std::ios::binary);
        many << "<CProlog";
        for (long i = 0; i < attributes; ++i)
            many << " a" << i << "=\"1\"";
        many << "><CHeadings/></CProlog>\n";
        if (!out || !plain || !csv || !xml || !many) {
            std::fprintf(stderr, "holdex_inputs: cannot write the inputs under %s\n", folder.c_str());
            return 1;
        }
    }
    std::printf("whole `Holdex export` process, median wall time of %d runs, highest peak (MB = 10^6 bytes):\n", runs);
    const std::string schemasTitle = std::to_string(schemas) + " one-field schemas";
    measure(schemasTitle.c_str(), holdex, {"-c", config, "export", "-t", "csv", "-s", "Short", hole},
            megabytes_of(config), runs, 0);
    const std::string nestedTitle = "Prolog 4, " + std::to_string(levels) + " levels (refused)";
    measure(nestedTitle.c_str(), holdex, {"-c", plainConfig, "export", "-t", "prolog4", "--deduce", nested},
            megabytes_of(nested), runs, 2);
    const std::string wideTitle = "Prolog 4, " + std::to_string(attributes) + " attributes (refused)";
    measure(wideTitle.c_str(), holdex, {"-c", plainConfig, "export", "-t", "prolog4", "--deduce", wide},
            megabytes_of(wide), runs, 2);
    std::remove(config.c_str());
    std::remove(plainConfig.c_str());
    std::remove(hole.c_str());
    std::remove(nested.c_str());
    std::remove(wide.c_str());
    return 0;
}
