// Times whole `Holdex` processes on generated inputs that once made it crawl or swell, and on the
// largest ones its reads take, as a user would run them: a configuration of many one-field schemas
// (read before every command) and one nested millions deep (refused), Prolog 4 files of elements nested
// millions deep, of hundreds of thousands of attributes and of an entity that expands to millions of
// rows (refused), a Prolog 4 file of the most units and one of the most text its reads take, a CSV
// file of a million units of 32 fields, and the conversion of a CSV file whose schema has most of the
// fields a configuration holds (once quadratic in them: 40,000 fields took 11 s). Then lines of
// endless text: a CSV row and a Prolog 3.0 note line of 255,000,000 bytes (refused) and a row of the
// most text a read takes; and `Curvex summarise` (the Curvex beside HOLDEX) on LAS files of millions of
// curves (refused), of the most curves with one 16 MB data row, and of the most curves wrapped. Prints
// the median wall time and the peak memory of several runs beside the size of the input.
//   holdex_inputs HOLDEX [SCHEMAS=40000] [LEVELS=2000000] [RUNS=5] [ATTRIBUTES=500000] [FIELDS=850000]
//                 [FOLDER=/tmp]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

// Runs the program once with the arguments, its output thrown away.
Run run_once(const std::string& program, const std::vector<std::string>& args)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
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

void measure(const char* title, const std::string& program, const std::vector<std::string>& args, double inputMegabytes,
             int runs, int expectedExit)
{
    std::vector<double> wall, peak;
    run_once(program, args); // a first run settles the page cache and the program's pages
    for (int i = 0; i < runs; ++i) {
        const Run r = run_once(program, args);
        if (r.exitCode != expectedExit) {
            std::fprintf(stderr, "holdex_inputs: %s: ended with %d, not %d\n", title, r.exitCode, expectedExit);
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
                             "[ATTRIBUTES=500000] [FIELDS=850000] [FOLDER=/tmp]\n");
        return 2;
    }
    const std::string holdex = argv[1];
    const long schemas = argc > 2 ? std::atol(argv[2]) : 40000;
    const long levels = argc > 3 ? std::atol(argv[3]) : 2000000;
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;
    const long attributes = argc > 5 ? std::atol(argv[5]) : 500000;
    const long fields = argc > 6 ? std::atol(argv[6]) : 850000;
    const std::string folder = argc > 7 ? argv[7] : "/tmp";
    const std::string stem = folder + "/holdex_inputs_" + std::to_string(::getpid());
    const std::string config = stem + ".txt";
    const std::string plainConfig = stem + "_plain.txt";
    const std::string hole = stem + ".csv";
    const std::string nested = stem + ".prolog";
    const std::string wide = stem + "_attributes.prolog";
    const std::string deepConfig = stem + "_deep.txt";
    const std::string entity = stem + "_entity.prolog";
    const std::string thin = stem + "_thin.prolog";
    const std::string text = stem + "_text.prolog";
    const std::string cells = stem + "_cells.csv";
    const std::string fieldsConfig = stem + "_fields.txt";
    const std::string fieldsCsv = stem + "_fields.csv";
    const std::string fieldsOut = stem + "_fields.out";
    const std::string longRowCsv = stem + "_long.csv";
    const std::string longNote = stem + "_long.prolog";
    const std::string mostTextCsv = stem + "_note.csv";
    const std::string mostTextProlog = stem + "_note.prolog";
    const std::string manyCurves = stem + "_curves.las";
    const std::string mostCurves = stem + "_most.las";
    const std::string wrappedCurves = stem + "_wrapped.las";
    const std::string curvex = holdex.substr(0, holdex.rfind('/') + 1) + "Curvex";
    {
        std::string wideSchema = "   Wide {\n      ROCKTYPE \"Rock\"\n      THICKNESS \"Thick\"\n";
        for (int i = 0; i < 30; ++i)
            wideSchema += "      STRING \"S" + std::to_string(i) + "\"\n";
        const std::string head = "Quorlog Configuration v3\nSchemaDefinitions {\n"
                                 "   Short {\n      ROCKTYPE \"Rock\"\n      BOTTOM \"Depth\"\n   }\n"
                                 "   Units {\n      ROCKTYPE \"Rock\"\n      PERCENTAGE \"Pct\"\n"
                                 "      BOTTOM \"Depth\"\n      THICKNESS \"Thick\"\n   }\n" +
                                 wideSchema + "   }\n";
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
        // A configuration of 16 MB nested one "{" deeper a byte.
        std::ofstream deep(deepConfig, std::ios::binary);
        deep << "Quorlog Configuration v3\nSchemaDefinitions {\n" << std::string((std::size_t(16) << 20) - 64, '{');
        // Prolog 4: a 24 MB file whose entity of 1,000 rows is used 7,000 times; 666,000 units of six
        // XML nodes each under a template of four headings (the most units of the least nodes); 540,000
        // units of 100 characters each (133 MB, near the most text).
        const std::string template4 = "<CProlog><CHeadings>"
                                      "<m_HeadingItem><CItem><m_Heading>Rock</m_Heading></CItem></m_HeadingItem>"
                                      "<m_HeadingItem><CItem><m_Heading>Pct</m_Heading></CItem></m_HeadingItem>"
                                      "<m_HeadingItem><CItem><m_Heading>Depth</m_Heading></CItem></m_HeadingItem>"
                                      "<m_HeadingItem><CItem><m_Heading>Thick</m_Heading></CItem></m_HeadingItem>"
                                      "</CHeadings><m_Data>";
        std::ofstream expanding(entity, std::ios::binary);
        expanding << "<!DOCTYPE CProlog [<!ENTITY e \"";
        for (int i = 0; i < 1000; ++i)
            expanding << "<CLithData/>";
        expanding << "\">]>\n" << template4;
        for (int i = 0; i < 7000; ++i)
            expanding << "&e;";
        expanding << "</m_Data><!--" << std::string(24000000, 'x') << "--></CProlog>\n";
        std::ofstream units(thin, std::ios::binary);
        units << template4;
        for (int i = 0; i < 666000; ++i)
            units << "<CLithData><a/><b/><c/><d>1</d></CLithData>";
        units << "</m_Data></CProlog>\n";
        std::ofstream texts(text, std::ios::binary);
        std::string rock;
        for (int i = 0; i < 100; ++i)
            rock += "\xC3\xA9"; // e acute, two bytes of UTF-8
        texts << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" << template4;
        for (int i = 0; i < 540000; ++i)
            texts << "<CLithData><a>" << rock << "</a><b/><c/><d>1</d></CLithData>";
        texts << "</m_Data></CProlog>\n";
        // CSV: a million units of 32 cells, 30 of them two characters of code page 1252 that UTF-8
        // holds in three bytes each.
        std::ofstream wideCsv(cells, std::ios::binary);
        std::string row = "S,1";
        for (int i = 0; i < 30; ++i)
            row += ",\x80\x80";
        row += "\n";
        wideCsv << "heading\n";
        for (int i = 0; i < 1000000; ++i)
            wideCsv << row;
        // A schema of FIELDS fields, with another that names a sixth of them backwards (so that each
        // field is looked up by its name), and a CSV file of 30 rows of them: a save of every field of
        // every row, read before through the counts (30 rows of 850,000 fields are 25,500,000 cells).
        std::ofstream schemaOfFields(fieldsConfig, std::ios::binary);
        schemaOfFields << "Quorlog Configuration v3\nSchemaDefinitions {\nMany {\nBOTTOM B\nROCKTYPE R\n";
        for (long i = 0; i < fields; ++i)
            schemaOfFields << "STRING F" << i << "\n";
        schemaOfFields << "}\nBackwards {\nBOTTOM B\nROCKTYPE R\n";
        for (long i = fields / 6; i-- > 0;)
            schemaOfFields << "STRING F" << i << "\n";
        schemaOfFields << "}\n}\n";
        std::ofstream manyCsv(fieldsCsv, std::ios::binary);
        manyCsv << "heading\n";
        for (int r = 1; r <= 30; ++r) {
            manyCsv << r << ",SAND";
            for (long i = 0; i < fields; ++i)
                manyCsv << ",x";
            manyCsv << "\n";
        }
        // Lines of endless text: a CSV row followed by 255,000,000 NUL bytes (a hole in a sparse file)
        // and a Prolog 3.0 record (schema Wide, 32 lines) whose first note line is 255,000,000 bytes;
        // and a row of the most text a read takes, a note of 63,999,990 characters that UTF-8 holds in
        // three bytes each.
        const std::size_t endless = 255000000;
        const std::string endlessChunk(std::size_t(1) << 20, 'x');
        {
            std::ofstream longCsv(longRowCsv, std::ios::binary);
            longCsv << "heading\nS,1\n";
        }
        std::filesystem::resize_file(longRowCsv, endless + 12);
        std::ofstream longProlog(longNote, std::ios::binary);
        longProlog << "v3.0  entries=30\r\nS\r\n1\r\n";
        for (std::size_t written = 0; written < endless; written += endlessChunk.size())
            longProlog.write(endlessChunk.data(),
                             static_cast<std::streamsize>(std::min(endlessChunk.size(), endless - written)));
        for (int i = 0; i < 30; ++i)
            longProlog << "\r\n";
        const std::string note(63999990, '\x80');
        std::ofstream noteCsv(mostTextCsv, std::ios::binary);
        noteCsv << "heading\nS,1," << note << "\n";
        std::ofstream noteProlog(mostTextProlog, std::ios::binary);
        noteProlog << "v3.0  entries=30\r\nS\r\n1\r\n" << note;
        for (int i = 0; i < 30; ++i)
            noteProlog << "\r\n";
        // LAS: 8,000,000 curves and one 16 MB data row (refused); the most curves a read takes with the
        // same row; the most curves wrapped, 100 depth steps of 10,000 lines each.
        auto lasHead = [](std::ofstream& las, long curves, bool wrap) {
            las << "~Version\nVERS. 2.0 : v\nWRAP. " << (wrap ? "YES" : "NO")
                << " : w\n~Well\nSTRT.M 1 : s\nSTOP.M 100 : s\nSTEP.M 1 : s\nNULL. -999.25 : n\n~Curve\n";
            for (long i = 0; i < curves; ++i)
                las << "C" << i << ".M : curve\n";
            las << "~A\n";
        };
        std::string longRow;
        for (int i = 0; i < (8 << 20) - 1; ++i)
            longRow += "1 ";
        longRow += "1\n";
        std::ofstream curvesLas(manyCurves, std::ios::binary);
        lasHead(curvesLas, 8000000, false);
        curvesLas << longRow;
        std::ofstream mostLas(mostCurves, std::ios::binary);
        lasHead(mostLas, 100000, false);
        mostLas << longRow;
        std::ofstream wrappedLas(wrappedCurves, std::ios::binary);
        lasHead(wrappedLas, 100000, true);
        std::string step;
        for (int i = 0; i < 9999; ++i)
            step += "1.5 2.5 3.5 4.5 5.5 6.5 7.5 8.5 9.5 1.5\n";
        step += "1.5 2.5 3.5 4.5 5.5 6.5 7.5 8.5 9.5\n";
        for (int depth = 1; depth <= 100; ++depth)
            wrappedLas << depth << "\n" << step;
        if (!out || !plain || !csv || !xml || !many || !deep || !expanding || !units || !texts || !wideCsv ||
            !schemaOfFields || !manyCsv || !longProlog || !noteCsv || !noteProlog || !curvesLas || !mostLas ||
            !wrappedLas) {
            std::fprintf(stderr, "holdex_inputs: cannot write the inputs under %s\n", folder.c_str());
            return 1;
        }
    }
    std::printf("whole `Holdex export` (or convert) process, median wall time of %d runs, highest peak (MB = 10^6 "
                "bytes):\n",
                runs);
    measure("configuration nested 16 MB deep (refused)", holdex,
            {"-c", deepConfig, "export", "-t", "csv", "-s", "Short", hole}, megabytes_of(deepConfig), runs, 254);
    measure("Prolog 4, entity used 7,000 times (refused)", holdex,
            {"-c", config, "export", "-t", "prolog4", "--deduce", entity}, megabytes_of(entity), runs, 2);
    measure("Prolog 4, 666,000 units", holdex, {"-c", config, "export", "-t", "prolog4", "-s", "Units", thin},
            megabytes_of(thin), runs, 0);
    measure("Prolog 4, 540,000 units of 100 characters", holdex,
            {"-c", config, "export", "-t", "prolog4", "-s", "Units", text}, megabytes_of(text), runs, 0);
    measure("CSV, 1,000,000 units of 32 fields", holdex,
            {"-c", config, "export", "-t", "csv", "-s", "Wide", "--interval-location", "none", cells},
            megabytes_of(cells), runs, 0);
    const std::string fieldsTitle = "convert 30 rows of " + std::to_string(fields) + " fields to Prolog 3";
    measure(
        fieldsTitle.c_str(), holdex,
        {"-c", fieldsConfig, "convert", "-t", "csv", "-s", "Many", fieldsCsv, "-t", "prolog3", "-s", "Many", fieldsOut},
        megabytes_of(fieldsCsv), runs, 0);
    measure("the same to CSV, a sixth of them by name", holdex,
            {"-c", fieldsConfig, "convert", "-t", "csv", "-s", "Many", fieldsCsv, "-t", "csv", "-s", "Backwards",
             fieldsOut},
            megabytes_of(fieldsCsv), runs, 0);
    const std::string schemasTitle = std::to_string(schemas) + " one-field schemas";
    measure(schemasTitle.c_str(), holdex, {"-c", config, "export", "-t", "csv", "-s", "Short", hole},
            megabytes_of(config), runs, 0);
    const std::string nestedTitle = "Prolog 4, " + std::to_string(levels) + " levels (refused)";
    measure(nestedTitle.c_str(), holdex, {"-c", plainConfig, "export", "-t", "prolog4", "--deduce", nested},
            megabytes_of(nested), runs, 2);
    const std::string wideTitle = "Prolog 4, " + std::to_string(attributes) + " attributes (refused)";
    measure(wideTitle.c_str(), holdex, {"-c", plainConfig, "export", "-t", "prolog4", "--deduce", wide},
            megabytes_of(wide), runs, 2);
    measure("CSV, a row and 255,000,000 NUL bytes (refused)", holdex,
            {"-c", config, "export", "-t", "csv", "-s", "Wide", "--interval-location", "none", longRowCsv},
            megabytes_of(longRowCsv), runs, 2);
    measure("Prolog 3.0, a note line of 255,000,000 bytes (refused)", holdex,
            {"-c", config, "export", "-t", "prolog3", "-s", "Wide", longNote}, megabytes_of(longNote), runs, 2);
    measure("CSV, a note of 63,999,990 characters", holdex,
            {"-c", config, "export", "-t", "csv", "-s", "Wide", "--interval-location", "none", mostTextCsv},
            megabytes_of(mostTextCsv), runs, 0);
    measure("Prolog 3.0, a note of 63,999,990 characters", holdex,
            {"-c", config, "export", "-t", "prolog3", "-s", "Wide", mostTextProlog}, megabytes_of(mostTextProlog), runs,
            0);
    measure("LAS, 8,000,000 curves, a 16 MB row (refused)", curvex, {"summarise", manyCurves}, megabytes_of(manyCurves),
            runs, 3);
    measure("LAS, 100,000 curves, a 16 MB row", curvex, {"summarise", mostCurves}, megabytes_of(mostCurves), runs, 0);
    measure("LAS, 100,000 curves wrapped, 100 steps", curvex, {"summarise", wrappedCurves}, megabytes_of(wrappedCurves),
            runs, 0);
    for (const std::string& file :
         {config,     plainConfig, hole,        nested,         wide,       deepConfig, entity,
          thin,       text,        cells,       fieldsConfig,   fieldsCsv,  fieldsOut,  fieldsOut + ".backup",
          longRowCsv, longNote,    mostTextCsv, mostTextProlog, manyCurves, mostCurves, wrappedCurves})
        std::remove(file.c_str());
    return 0;
}
