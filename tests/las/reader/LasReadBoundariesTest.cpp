// However the text is cut (blocks ending inside a line or a number, parts of one line, one thread or
// many) and wherever it comes from (memory, a file, a pipe), a read gives exactly what reading it line
// by line gives.
#include <csignal>
#include <cstdint>
#include <fstream>
#include <thread>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "las/LasNumber.h"
#include "las/LasReadTuning.h"
#include "tests/las/LasTestFiles.h"
#include "tests/las/SameRead.h"

using namespace LasTest;
using ORBAX_Geophysics::LasReadTuning;

namespace {

const std::string kUp = " STRT.M 1000 : s\n STOP.M 1010 : s\n NULL. -999.25 : null\n";
const std::string kDown = " STRT.M 1010 : s\n STOP.M 1000 : s\n NULL. -999.25 : null\n";

struct Read {
    int code = -1;
    std::wstring error;
    std::unique_ptr<Las> las = std::make_unique<Las>();
};

Read read_bytes(const std::string& text, const LasReadTuning& tuning)
{
    Read r;
    r.las->set_read_tuning(tuning);
    r.code = r.las->read_bytes(text, L"cut.las", r.error);
    return r;
}

LasReadTuning line_by_line()
{
    LasReadTuning t;
    t.lineByLine = true;
    return t;
}

// Tunings that cut blocks and parts everywhere, down to a part per line.
std::vector<LasReadTuning> cutting_tunings()
{
    std::vector<LasReadTuning> out;
    out.emplace_back(); // the defaults
    for (std::size_t block : {16, 23, 37, 64, 301}) {
        for (unsigned parts : {1u, 2u, 3u, 8u}) {
            LasReadTuning t;
            t.blockBytes = block;
            t.minPartBytes = 1;
            t.maxParts = parts;
            out.push_back(t);
        }
    }
    return out;
}

void expect_same_as_line_by_line(const std::string& text, const std::string& what)
{
    const Read reference = read_bytes(text, line_by_line());
    for (const LasReadTuning& tuning : cutting_tunings()) {
        const Read r = read_bytes(text, tuning);
        const std::string difference =
            read_difference(reference.code, reference.error, *reference.las, r.code, r.error, *r.las);
        EXPECT_EQ(difference, "") << what << " with blocks of " << tuning.blockBytes << " in at most "
                                  << tuning.maxParts << " parts";
    }
}

// Data whose lines mix every kind of value, blank and line end that the fast paths treat apart.
std::string mixed_data(std::uint32_t seed, int lines, int curves, bool allowShort)
{
    static const char* const values[] = {"1000.1250",
                                         "-999.2500",
                                         "-999.25",
                                         "-999.250",
                                         "-999.2501",
                                         "0",
                                         "-0.0",
                                         "12abc",
                                         "1e5",
                                         "-",
                                         ".",
                                         "+.5",
                                         "5.",
                                         "00012.5000",
                                         "7",
                                         "123456789.5",
                                         "1.12345678",
                                         "12345678",
                                         "1.5e-3",
                                         "nan",
                                         "inf",
                                         "-inf",
                                         "NA",
                                         "\xB0",
                                         "3,5",
                                         "+-1",
                                         "0.000001",
                                         "99999999.9",
                                         "1234567.1234567",
                                         "-.5e2",
                                         "1e400",
                                         "0x10"};
    static const char* const blanks[] = {" ", "  ", "     ", "\t", " \t ", "\v", "\f", " \f\t"};
    std::uint32_t r = seed;
    auto next = [&r](std::uint32_t n) {
        r = r * 1664525u + 1013904223u;
        return (r >> 8) % n;
    };
    std::string text;
    for (int line = 0; line < lines; ++line) {
        if (next(23) == 0) {
            text += std::string(next(3), ' ') + "# a comment line\n";
            continue;
        }
        int count = curves + static_cast<int>(next(3)); // sometimes values beyond the last curve
        if (allowShort && next(40) == 0)
            count = static_cast<int>(next(static_cast<std::uint32_t>(curves)));
        text += std::string(next(4), ' ');
        for (int v = 0; v < count; ++v) {
            if (v)
                text += blanks[next(sizeof blanks / sizeof *blanks)];
            text += v == 0 ? std::to_string(1000 + line) + "." + std::to_string(next(1000))
                           : values[next(sizeof values / sizeof *values)];
        }
        text += next(5) == 0 ? " \r\n" : next(4) == 0 ? "\r\n" : next(6) == 0 ? "\r" : "\n";
    }
    return text;
}

} // namespace

TEST(LasReadBoundaries, HandMadeEdgesReadAsLineByLine)
{
    const std::string up = header(kUp, {"DEPT", "A", "B"});
    const std::string cases[] = {
        up + "~A\n1000 1.5 2.5\n1005 3.25 4.125\n",
        up + "~A\n1000 1.5 2.5\n1005 3.25 4.125",       // no line feed at the end
        up + "~A\n1000 1.5 2.5\n1005 3.25",             // a short last line without one
        up + "~A\n1000 1.5 2.5\r\n1005 3.25 4.125\r\n", // CR LF
        up + "~A\n1000 1.5 2.5\r\n1005 3.25 4.125\r",   // a lone CR at the end
        up + "~A\n1000 1.5 2.5\n\n",                    // a trailing empty line is a row
        up + "~A\n1000 1.5 2.5\n1001 2\n1002 3 4\n",    // a short line in the middle: code 3
        up + "~A\n1000 1.5 2.5\n\n~A\n1 2 3\n",         // a second data section after an empty line
        up + "~A\n  # c\n1000 1.5 2.5\n# c\n   #\n1001 -999.25 -999.2500\n# last",
        up + "~A\n" + std::string(300, ' ') + "1000" + std::string(200, '\t') + "1.5 2.5 " + std::string(500, '9') +
            "\n",
        up + "~A\n1000 1.5 2.5\n" + std::string(2000, '\n'), // empty lines far beyond the room for rows
        up + "~A\n1\n2\n3\n",                                // every line short after the first
        up + "~A\n",
        up + "~A",
        header(kDown, {"DEPT", "V"}) + "~A\n1010 1\n1005 2\n1005 3\n1000 4\n",
        header(kUp + " NULL. NA : n\n", {"DEPT", "V"}) + "~A\n1000 NA\n1001 NAN\n1002 0\n",
        header(" NULL. 1e999 : n\n", {"DEPT", "V"}) + "~A\n1000 1e999\n1001 1e998\n",
        header(" NULL. nan : n\n", {"DEPT", "V"}) + "~A\n1000 nan\n1001 -nan\n1002 5\n",
        "~V\n VERS. 2.0 : v\n~W\n~C\n~A\n1 2\n\n3\n", // no curves: every line is a row
    };
    int i = 0;
    for (const std::string& text : cases)
        expect_same_as_line_by_line(text, "case " + std::to_string(i++));
}

TEST(LasReadBoundaries, RandomDataReadsAsLineByLine)
{
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        const int curves = 1 + static_cast<int>(seed % 5);
        std::vector<const char*> names{"DEPT", "A", "B", "C", "D"};
        std::string head = "~V\n VERS. 2.0 : v\n~W\n" + std::string(seed % 2 ? kUp : kDown) + "~C\n";
        for (int c = 0; c < curves; ++c)
            head += std::string(" ") + names[static_cast<std::size_t>(c)] + ".U : curve\n";
        std::string text = head + "~A\n" + mixed_data(seed, 60 + static_cast<int>(seed) * 7, curves, seed % 3 == 0);
        if (seed % 4 == 0)
            text.pop_back(); // no line feed at the end
        expect_same_as_line_by_line(text, "seed " + std::to_string(seed));
    }
}

// Whole values, the common ones read a word at a time and the rest by the general parser, give the
// correctly rounded double that the general parser gives.
TEST(LasReadBoundaries, WordAtATimeNumbersAreTheGeneralParsersNumbers)
{
    std::string text = header("", {"DEPT", "V"}) + "~A\n";
    std::uint32_t r = 7;
    std::vector<std::string> tokens;
    for (int i = 0; i < 20000; ++i) {
        r = r * 1664525u + 1013904223u;
        const int whole = static_cast<int>(r % 8), fraction = static_cast<int>((r >> 4) % 9);
        std::string token = (r >> 9) % 3 == 0 ? "-" : "";
        for (int d = 0; d < whole; ++d)
            token += static_cast<char>('0' + (r >> (d + 11)) % 10);
        if (fraction || whole == 0)
            token += ".";
        for (int d = 0; d < fraction; ++d)
            token += static_cast<char>('0' + (r >> (d + 3)) % 10);
        if (token == "." || token == "-.")
            token += "5";
        tokens.push_back(token);
        text += std::to_string(i) + " " + token + "\n";
    }
    Read r1 = read_bytes(text, {});
    ASSERT_EQ(r1.code, 0) << std::string(r1.error.begin(), r1.error.end());
    ASSERT_EQ(r1.las->row_count(), 20000);
    for (int i = 0; i < 20000; ++i) {
        double expected = 0;
        ASSERT_TRUE(ORBAX_Geophysics::parse_las_number(tokens[static_cast<std::size_t>(i)], expected));
        ASSERT_TRUE(same_value(r1.las->curves()[1].sample(i), expected)) << tokens[static_cast<std::size_t>(i)];
        ASSERT_EQ(r1.las->curves()[1].sample(i), std::stod(tokens[static_cast<std::size_t>(i)]))
            << tokens[static_cast<std::size_t>(i)];
    }
}

namespace {

// Read as a file and through a pipe with each tuning, the text gives what it gives from memory (the
// messages name another file).
void expect_file_and_pipe_read_as_memory(const std::string& text, const std::vector<LasReadTuning>& tunings)
{
    const auto unnamed = [](const std::wstring& error) {
        return error.substr(std::min(error.find(L" in "), error.size()));
    };
    const Read reference = read_bytes(text, {});
    Files files;
    const std::wstring file = files.write(text);
    const std::filesystem::path pipe = files.dir() / "pipe.las";
    std::signal(SIGPIPE, SIG_IGN); // a reader that stopped early must not end the test program
    for (const LasReadTuning& tuning : tunings) {
        for (bool piped : {false, true}) {
            std::thread writer;
            if (piped) {
                std::filesystem::remove(pipe);
                ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
                writer = std::thread([&] {
                    std::ofstream out(pipe, std::ios::binary);
                    out.write(text.data(), static_cast<std::streamsize>(text.size()));
                });
            }
            Read r;
            r.las->set_read_tuning(tuning);
            r.code = r.las->read(piped ? ORBAX_Platform::wide_from_path(pipe) : file, r.error);
            if (piped)
                writer.join();
            EXPECT_EQ(unnamed(r.error), unnamed(reference.error));
            r.error = reference.error;
            EXPECT_EQ(read_difference(reference.code, reference.error, *reference.las, r.code, r.error, *r.las), "")
                << (piped ? "through a pipe" : "from the file") << " in " << tuning.readSlices
                << " slices of blocks of " << tuning.blockBytes;
        }
    }
}

} // namespace

TEST(LasReadBoundaries, FileAndPipeReadAsMemory)
{
    std::string text = header(kDown, {"DEPT", "A", "B"}) + "~A\n" + mixed_data(99, 3000, 3, false);
    text += "1 2\n3 4 5\n"; // a short line, then a line where a title must stand
    ASSERT_EQ(read_bytes(text, {}).code, 3);
    LasReadTuning small;
    small.blockBytes = 100;
    small.minPartBytes = 1;
    expect_file_and_pipe_read_as_memory(text, {LasReadTuning{}, small});
}

// Where read slices or blocks meet between two lone carriage returns, there is an empty line, on any
// number of cores: the well section's empty lines are counted, and the data's ends the data.
TEST(LasReadBoundaries, LoneCarriageReturnsWhereReadsMeet)
{
    std::string text = header(kUp + std::string(40000, '\n'), {"DEPT", "V"}) + "~A\n1 10\n2 20\n\n3 30\n";
    const Read lf = read_bytes(text, {});
    ASSERT_EQ(lf.code, 3);
    EXPECT_NE(lf.error.find(L"line " + std::to_wstring(std::count(text.begin(), text.end(), '\n'))),
              std::wstring::npos);
    std::replace(text.begin(), text.end(), '\n', '\r');
    std::vector<LasReadTuning> tunings(16); // 1 to 8 slices of one block, and of blocks of 4099 bytes
    for (unsigned i = 0; i < 16; ++i) {
        tunings[i].blockBytes = i < 8 ? tunings[i].blockBytes : 4099;
        tunings[i].readSlices = 1 + i % 8;
    }
    expect_file_and_pipe_read_as_memory(text, tunings);
    const Read cr = read_bytes(text, {});
    EXPECT_EQ(read_difference(lf.code, lf.error, *lf.las, cr.code, cr.error, *cr.las), "");
}

// Reads on several threads at once share the parse threads and each gets its own file right.
TEST(LasReadBoundaries, SeveralReadsAtOnce)
{
    std::vector<std::string> texts;
    for (std::uint32_t i = 0; i < 6; ++i)
        texts.push_back(header(i % 2 ? kUp : kDown, {"DEPT", "A", "B"}) + "~A\n" +
                        mixed_data(100 + i, 40000, 3, false));
    std::vector<Read> alone;
    for (const std::string& text : texts)
        alone.push_back(read_bytes(text, line_by_line()));

    std::vector<Read> together(texts.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        threads.emplace_back([&, i] {
            LasReadTuning tuning;
            tuning.minPartBytes = 4096; // many parts from each read
            together[i] = read_bytes(texts[i], tuning);
        });
    }
    for (std::thread& t : threads)
        t.join();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(alone[i].las->row_count(), 40000 - std::count(texts[i].begin(), texts[i].end(), '#'));
        EXPECT_EQ(read_difference(alone[i].code, alone[i].error, *alone[i].las, together[i].code, together[i].error,
                                  *together[i].las),
                  "")
            << "file " << i;
    }
}

// A token that only begins with a number is a gap, a comma after a value (LAS 3.0) is none, and a lone
// carriage return ends a line, also where a read slice of a file ends.
TEST(LasReadBoundaries, ValuesAndLineEndsAsTheFileGivesThem)
{
    const Loaded odd = load(QuorTest::read_file(QuorTest::data_file("las/odd-values.las")));
    const double n = std::nan("");
    const std::vector<double> odds{n, n, n, n, n, n, 2.5, 0.5, 5, 1000, 0.001, n, -0.25, n};
    for (int i = 0; i < 14; ++i)
        EXPECT_TRUE(same_value(odd.las->curves()[1].sample(i), odds[static_cast<std::size_t>(i)])) << "row " << i;

    std::string lf = QuorTest::read_file(QuorTest::data_file("las/cr-line-ends.las")), cr = lf;
    std::replace(lf.begin(), lf.end(), '\r', '\n');
    const Loaded a = load(lf), b = load(cr);
    EXPECT_EQ(read_difference(a.code, a.error, *a.las, b.code, b.error, *b.las), "");
    EXPECT_EQ(b.las->curves()[1].minimum(), 45.5); // the null value is known

    std::string lines; // carriage returns at every other byte, at odd places and then at even ones
    for (int i = 0; i < 600000; ++i)
        lines += "1\r";
    for (const char* well : {" W. A : w\n", " W. AB : w\n"})
        EXPECT_EQ(Files().load(header(well, {"DEPT"}) + "~A\n" + lines).las->row_count(), 600000);
}
