// Curvex run as the real program: usage, argument errors, the summary table and the failure path.
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

using QuorTest::run_program;

namespace {

QuorTest::RunResult curvex(const std::vector<std::string>& args)
{
    return run_program(QuorTest::program_path("Curvex"), args);
}

const std::string kUsage = "Usage: Curvex command\n"
                           "where command is one of:\n"
                           "\n"
                           "  summarise filename \n"
                           "\n"
                           "    Prints a summary of the curve information in the given LAS file.\n"
                           "\n";

} // namespace

TEST(Curvex, NoArgumentsGivesVersionAndUsage)
{
    auto r = curvex({});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    const std::string version = "Curvex version 3.3.7, built 2016-11-23";
    ASSERT_EQ(r.err.rfind(version, 0), 0u) << r.err;
    std::size_t lineEnd = r.err.find('\n');
    ASSERT_NE(lineEnd, std::string::npos);
    EXPECT_EQ(r.err.substr(lineEnd + 1), kUsage);
}

TEST(Curvex, ArgumentErrorsGiveUsageAndExit255)
{
    auto option = curvex({"-x"});
    EXPECT_EQ(option.exitCode, 255);
    EXPECT_EQ(option.err, "Unknown option -x\n" + kUsage);
    EXPECT_EQ(option.out, "");

    auto command = curvex({"summary", "a.las"});
    EXPECT_EQ(command.exitCode, 255);
    EXPECT_EQ(command.err, "Unknown command summary\n" + kUsage);

    auto subOption = curvex({"summarise", "--verbose", "a.las"});
    EXPECT_EQ(subOption.exitCode, 255);
    EXPECT_EQ(subOption.err, "summarise: unknown option --verbose\n" + kUsage);

    for (const auto& noName : {curvex({"summarise"}), curvex({"summarise", ""})}) {
        EXPECT_EQ(noName.exitCode, 255);
        EXPECT_EQ(noName.err, "summarise: Missing file name\n" + kUsage);
    }

    auto tooMany = curvex({"SUMMARISE", "a.las", "b.las"});
    EXPECT_EQ(tooMany.exitCode, 255);
    EXPECT_EQ(tooMany.err, "summarise: Too many arguments\n" + kUsage);
    EXPECT_EQ(tooMany.out, "");
}

TEST(Curvex, CombineIsNotImplemented)
{
    auto r = curvex({"Combine", "a.las", "b.las"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "Not implemented yet...\n");
    EXPECT_EQ(r.out, "");
}

TEST(Curvex, SummaryColumnsAndNumbers)
{
    QuorTest::TempDir dir;
    QuorTest::write_file(dir / "well.las", "~Version\n VERS. 2.0 : v\n WRAP. NO : w\n"
                                           "~Well\n STRT.M 1234.5 : start\n STOP.M 12.5 : stop\n NULL. -999.25 : null\n"
                                           "~Curve\n DEPT.M : Depth\n"
                                           " GR.GAPI : Gamma ray measured in the open hole before casing was run\n"
                                           " RESISTIVITY_DEEP.OHMM : Deep\n"
                                           " EMPTY.U : \n"
                                           "~A\n1234.5 0.000123 2 -999.25\n12.5 98765 -3.14159 -999.25\n");
    auto r = run_program(QuorTest::program_path("Curvex"), {"Summarise", "well.las"}, dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string expected =
        "Summary for las file well.las\n"
        "Start depth:          1.23e+03\n"
        "Stop depth:               12.5\n"
        "Name      Description                             Minimum   Maximum   \n"
        "DEPT      Depth                                   12.5      1.23e+03  \n"
        "GR        Gamma ray measured in the open hole before casing was run0.000123  9.88e+04  \n"
        "RESISTIVITY_DEEPDeep                                    -3.14     2         \n"
        "EMPTY                                             nan       nan       \n";
    EXPECT_EQ(r.out, expected);
}

TEST(Curvex, FailedReadGivesTheReasonAndExit3)
{
    QuorTest::TempDir dir;
    auto missing = run_program(QuorTest::program_path("Curvex"), {"summarise", "absent.las"}, dir.path());
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "Unable to open absent.las\n(No such file or directory)\n");

    QuorTest::write_file(dir / "bad.las", "\n~Version\n");
    auto bad = run_program(QuorTest::program_path("Curvex"), {"summarise", "bad.las"}, dir.path());
    EXPECT_EQ(bad.exitCode, 3);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "Format problem with LAS file bad.las in section (global) on line 1\n");
}

// Texts of the file are code page 1252; the terminal gets them in its own encoding (UTF-8 here), and
// the columns stay aligned by characters.
TEST(Curvex, FileTextsPrintInTheTerminalsEncoding)
{
    QuorTest::TempDir dir;
    QuorTest::write_file(dir / "well.las", "~V\n VERS. 2.0 : v\n~W\n STRT.M 1 : s\n STOP.M 2 : s\n~C\n DEPT.M : d\n"
                                           " T\xC4.C : Temp\xE9rature \x80\n~A\n1 5\n2 6\n");
    auto r = run_program(QuorTest::program_path("Curvex"), {"summarise", "well.las"}, dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // "Temp\xE9rature \x80" is 13 characters, so 27 blanks fill its column of 40.
    const std::string row =
        "T\xC3\x84        Temp\xC3\xA9rature \xE2\x82\xAC" + std::string(27, ' ') + "5         6         \n";
    EXPECT_NE(r.out.find(row), std::string::npos) << r.out;
}

TEST(Curvex, NonAsciiFileNameReachesTheFile)
{
    QuorTest::TempDir dir;
    const std::string name = "Bohrung_\xC3\xA4\xC3\xB6.las";
    QuorTest::write_file(dir / name,
                         "~V\n VERS. 2.0 : v\n~W\n STRT.M 1 : s\n STOP.M 2 : s\n~C\n DEPT.M : d\n~A\n1\n2\n");
    auto r = run_program(QuorTest::program_path("Curvex"), {"summarise", name}, dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Summary for las file " + name + "\n", 0), 0u) << r.out;
}

TEST(Curvex, ASummaryThatCannotBeWrittenWholeFails)
{
    auto r = run_program("/bin/sh", {"-c", "exec \"$0\" summarise \"$1\" > /dev/full", QuorTest::program_path("Curvex"),
                                     QuorTest::data_file("las/sample20.las")});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err,
              "Unable to write the standard output (No space left on device); what it received is incomplete.\n");
}
