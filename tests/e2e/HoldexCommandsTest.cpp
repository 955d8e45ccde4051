#include <algorithm>
#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;
using QuorTest::read_file;
using QuorTest::write_file;

namespace {

// Each test runs Holdex in a scratch folder that holds the sample configuration under its default
// name, so "-c" is only needed where a test wants another one.
class HoldexCommands : public ::testing::Test {
protected:
    void SetUp() override { copySample("QuorLogConfig.txt"); }

    void copySample(const std::string& name)
    {
        write_file(dir / name, read_file(QuorTest::data_file("holdex/" + name)));
    }
    QuorTest::RunResult holdex(const std::vector<std::string>& args)
    {
        return QuorTest::run_program(QuorTest::program_path("Holdex"), args, dir.path());
    }
    std::string file(const std::string& name) const { return read_file(dir / name); }
    bool exists(const std::string& name) const { return fs::exists(dir / name); }

    QuorTest::TempDir dir;
};

bool startsWith(const std::string& text, const std::string& head) { return text.rfind(head, 0) == 0; }
bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A Prolog 3.0 file for the six-field schema "Short" (rock type, percentage, bottom, thickness,
// seam, note), one line per field.
std::string prolog30(const std::vector<std::vector<std::string>>& records, const std::string& lineEnd = "\n")
{
    std::string text = "v3.0  entries=4" + lineEnd;
    for (const auto& record : records)
        for (const auto& field : record)
            text += field + lineEnd;
    return text;
}

// A Prolog 2.1 file for the 25-field schema "Prolog21": rock type, percentage, bottom, thickness,
// seam, ply, sample and 18 free fields.
std::string prolog21(const std::vector<std::vector<std::string>>& records)
{
    std::string text = "v2.1\n";
    for (auto record : records) {
        record.resize(25);
        for (const auto& field : record)
            text += field + "\n";
    }
    return text;
}

const std::string descriptionHead = "Unit           Percentage  EndDist       RL     Seam\n"
                                    "----------------------------------------------------\n";
// The description of the sample borehole, in every format.
const std::string sampleDescription = descriptionHead + "SAND                 100%     2.00     2.00       S1\n"
                                                        "CLAY                 100%     3.00     5.00       S1\n"
                                                        "SANDSTONE             60%     3.50     8.50       S2\n"
                                                        "SILTSTONE             40%     3.50     8.50       S2\n";

const std::string exportUsage = "Usage: Holdex [global_options] export [export_options] filename\n"
                                "where export_options are:\n";
const std::string convertUsage = "Usage: Holdex [global_options] convert [in_options] infile [out_options]\n"
                                 "  outfile\n"
                                 "where in_options and out_options are:\n";
const std::string repairUsage = "Usage: Holdex [global_options] repair [repair_options] filename\n"
                                "where repair_options is:\n";

// ---------------------------------------------------------------------------------------------
// Help

TEST_F(HoldexCommands, ExportHelpNeedsNoConfiguration)
{
    fs::remove(dir / "QuorLogConfig.txt");
    for (auto args :
         {std::vector<std::string>{"-?", "export"}, std::vector<std::string>{"export", "--help", "x.pro"}}) {
        auto r = holdex(args);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out, "Export a text description of a borehole\n");
        ASSERT_TRUE(startsWith(r.err, exportUsage)) << r.err;
        EXPECT_TRUE(contains(r.err, "-t [ --type ] arg (=prolog)")) << r.err;
        EXPECT_TRUE(contains(r.err, "--suppress-percent")) << r.err;
        EXPECT_FALSE(contains(r.err, "filename arg")) << r.err;
    }
}

TEST_F(HoldexCommands, ConvertHelpIgnoresABrokenConfiguration)
{
    write_file(dir / "QuorLogConfig.txt", "not a configuration\n");
    auto r = holdex({"convert", "-?"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    const std::string head = "Convert a borehole from one file format to another\n" + convertUsage;
    ASSERT_TRUE(startsWith(r.err, head)) << r.err;
    const std::string note =
        "\nNote that it is illegal to try and convert from another file type to a Prolog4\nfile.\n";
    ASSERT_GT(r.err.size(), note.size());
    EXPECT_EQ(r.err.substr(r.err.size() - note.size()), note);
    // Both sides are listed: the input side's type help, then the output side's.
    const auto in = r.err.find("either \"prolog\", \"prolog4\"");
    const auto out = r.err.find("either \"prolog2\", \"prolog3\"");
    ASSERT_NE(in, std::string::npos);
    ASSERT_NE(out, std::string::npos);
    EXPECT_LT(in, out);
}

TEST_F(HoldexCommands, RepairHelpReadsTheConfigurationFirst)
{
    auto r = holdex({"repair", "-?"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    ASSERT_TRUE(startsWith(r.err, "Remove depth and thickness inconsistencies from a borehole\n" + repairUsage))
        << r.err;
    EXPECT_TRUE(contains(r.err, "--thickness")) << r.err;
    EXPECT_TRUE(contains(r.err, "Assume thickness is correct (as opposed")) << r.err;

    write_file(dir / "QuorLogConfig.txt", "Quorlog Configuration v2\n");
    r = holdex({"-?", "repair"});
    EXPECT_EQ(r.exitCode, 254);
    EXPECT_EQ(r.err, "There were errors reading the configuration file QuorLogConfig.txt\n"
                     "Wrong version of configuration file for this version of QuorLog (Quorlog Configuration v2)\n");
}

// ---------------------------------------------------------------------------------------------
// Command-line and file-type option errors

TEST_F(HoldexCommands, ExportCommandLineErrors)
{
    auto r = holdex({"export"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(startsWith(r.err, "Error parsing export command line: missing filename.\n" + exportUsage)) << r.err;

    r = holdex({"export", "--bogus", "a.pro"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(startsWith(r.err, "Error parsing export command line: unrecognised option '--bogus'.\n" + exportUsage))
        << r.err;

    // After the command word the configuration option belongs to the command, which does not know it.
    r = holdex({"export", "-c", "other.txt", "a.pro"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(startsWith(r.err, "Error parsing export command line: unrecognised option '-c'.\n")) << r.err;

    r = holdex({"export", "a.pro", "b.pro"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(startsWith(r.err, "Error parsing export command line: ")) << r.err;
}

TEST_F(HoldexCommands, FileTypeOptionErrorsKeepTheirOwnFullStop)
{
    const std::string prefix = "Error parsing export command line: ";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "option --schema must be specified if type is prolog."},
        {{"-t", "csv"}, "option --schema must be specified if type is csv."},
        {{"-t", "prolog4"}, "either option --schema or option --deduce must be specified if type is prolog4."},
        {{"-t", "prolog4", "--deduce", "-s", "Short"}, "option deduce is not valid with option schema."},
        {{"-t", "xml"}, "unknown file type \"xml\"."},
        {{"-s", "Deep"}, "Unknown schema Deep."},
        {{"-t", "csv", "-s", "Short", "--deduce"}, "option deduce is not valid for file type of csv."},
        {{"-t", "prolog3", "-s", "Short", "--hrows", "2", "--quoting", "single"},
         "options hrows and quoting are not valid for file type of prolog3."},
        {{"-t", "csv", "-s", "Short", "--quoting", "fancy"}, "\"fancy\" is not a valid argument for option quoting.."},
        {{"-t", "csv", "-s", "Short", "--quote-quote", "non"}, "non is not a valid argument to option quote-quote."},
        {{"-t", "csv", "-s", "Short", "--interval-location", "top"},
         "top is not a valid argument to option interval-location."},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"export"};
        args.insert(args.end(), c.first.begin(), c.first.end());
        args.push_back("hole.pro");
        auto r = holdex(args);
        EXPECT_EQ(r.exitCode, 255) << c.second;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(startsWith(r.err, prefix + c.second + "\n" + exportUsage)) << r.err;
    }

    // A heading-row count that is no unsigned number is refused by the parse itself.
    auto r = holdex({"export", "-t", "csv", "-s", "Short", "--hrows", "-1", "hole.csv"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(startsWith(r.err, prefix + "the argument ('-1') for option '--hrows' is invalid.\n")) << r.err;

    // The output side has no usable default type.
    r = holdex({"convert", "-s", "Short", "in.pro", "-s", "Short", "out.pro"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(startsWith(r.err, "Error parsing command line: \"prolog\" is not a valid file for output files..\n" +
                                      convertUsage))
        << r.err;
}

TEST_F(HoldexCommands, ConvertCommandLine)
{
    auto r = holdex({"convert"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(startsWith(r.err, "Error parsing convert command line: Missing infile.\n" + convertUsage)) << r.err;

    r = holdex({"convert", "-t", "csv", "in.csv"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(startsWith(r.err, "Error parsing convert command line: Missing outfile.\n" + convertUsage)) << r.err;

    // A free word after the output file is one file name too many.
    r = holdex({"convert", "in.csv", "out.csv", "third"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(startsWith(r.err, "Error parsing convert command line: ")) << r.err;

    // An option the input side does not know is refused there.
    r = holdex({"convert", "--thickness", "in.csv", "out.csv"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(startsWith(r.err, "Error parsing convert command line: unrecognised option '--thickness'.\n")) << r.err;
}

// ---------------------------------------------------------------------------------------------
// Configuration problems

TEST_F(HoldexCommands, ConfigurationProblems)
{
    const std::string head = "There were errors reading the configuration file ";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Some notes\n", "QuorLogConfig.txt does not appear to be a configuration file (needs to start with Quorlog "
                         "Configuration v3)\n"},
        {"Quorlog Configuration v4\n",
         "Wrong version of configuration file for this version of QuorLog (Quorlog Configuration v4)\n"},
        {"Quorlog Configuration v3\nSchemaDefinitions {\n Short { ROCKTYPE R BOTTOM B }\n SHORT { ROCKTYPE R BOTTOM B "
         "}\n}\n",
         "Duplicate SchemaDefinition name \"SHORT\" in configuration file on line 4.\n"},
        {"Quorlog Configuration v3\nBitmaps { }\nColours ( 1, 2, 3 )\n",
         "Unrecognised section \"Colours\" in configuration file on line 3\n"},
    };
    for (const auto& c : cases) {
        write_file(dir / "QuorLogConfig.txt", c.first);
        for (const char* command : {"export", "repair"}) {
            auto r = holdex({command, "-s", "Short", "hole.pro"});
            EXPECT_EQ(r.exitCode, 254) << c.first;
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err, head + "QuorLogConfig.txt\n" + c.second);
        }
        auto r = holdex({"convert", "-s", "Short", "hole.pro", "-t", "csv", "-s", "Short", "out.csv"});
        EXPECT_EQ(r.exitCode, 254);
        EXPECT_EQ(r.err, head + "QuorLogConfig.txt\n" + c.second);
    }

    // A schema without depths is only a warning, shown beside the error that stops the run.
    write_file(dir / "QuorLogConfig.txt",
               "Quorlog Configuration v3\nSchemaDefinitions { Flat { ROCKTYPE R } }\nOops\n");
    auto r = holdex({"export", "-s", "Flat", "hole.pro"});
    EXPECT_EQ(r.exitCode, 254);
    EXPECT_EQ(r.err, head +
                         "QuorLogConfig.txt\n"
                         "No unit depth or thickness specification in schema Flat.  This schema is unable to be used.\n"
                         "Unrecognised section \"Oops\" in configuration file on line 4\n");

    // Missing: the global option names the file, relative to the current folder.
    r = holdex({"-c", "missing.txt", "export", "-s", "Short", "hole.pro"});
    EXPECT_EQ(r.exitCode, 254);
    EXPECT_EQ(r.err, head + "missing.txt\nUnable to open missing.txt\n(No such file or directory)\n");
}

TEST_F(HoldexCommands, ConfigurationFromTheGlobalOption)
{
    fs::create_directory(dir / "conf");
    write_file(dir / "conf" / "own.txt", "Quorlog Configuration v3\nSchemaDefinitions { Mine {\n ROCKTYPE R\n"
                                         " PERCENTAGE P\n BOTTOM B\n THICKNESS T\n SEAM S\n STRING N\n} }\n");
    copySample("hole30.pro");
    auto r = holdex({"-c", "conf/own.txt", "export", "-s", "mine", "hole30.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, sampleDescription);
    // The default configuration does not have that schema.
    r = holdex({"export", "-s", "mine", "hole30.pro"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(startsWith(r.err, "Error parsing export command line: Unknown schema mine.\n")) << r.err;
}

// ---------------------------------------------------------------------------------------------
// Export

TEST_F(HoldexCommands, ExportEachFormat)
{
    for (const char* name : {"hole30.pro", "hole.csv", "hole40.prolog"})
        copySample(name);

    auto r = holdex({"export", "-s", "Short", "hole30.pro"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, sampleDescription);

    r = holdex({"export", "-t", "csv", "-s", "short", "hole.csv"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, sampleDescription);

    r = holdex({"export", "-t", "prolog4", "--deduce", "hole40.prolog"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, descriptionHead + "SAND                 100%     2.00     2.00       S1\n"
                                       "CLAY                 100%     3.00     5.00       S1\n");

    write_file(dir / "hole21.pro", prolog21({{"SAND", "100", "1.5", "1.5", "A", "A1", "S-1"},
                                             {"COAL", "100", "4", "2.5", "B", "B1", "S-2"}}));
    r = holdex({"export", "-t", "prolog2", "-s", "Prolog21", "hole21.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, descriptionHead + "SAND                 100%     1.50     1.50        A\n"
                                       "COAL                 100%     2.50     4.00        B\n");
}

TEST_F(HoldexCommands, ExportWarningsComeBeforeTheDescription)
{
    // Without interval rows, elements of one unit that disagree on depths are a warning.
    write_file(dir / "banded.csv", "Lith,Pct,Depth,Thick,Seam,Note\n"
                                   "SAND,60,2,2,S1,\n"
                                   "SILT,40,2.5,2.5,S1,\n");
    auto r = holdex({"export", "-t", "csv", "-s", "Short", "--interval-location", "none", "banded.csv"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "Warning 1 while reading \"banded.csv\": Depths or thicknesses for the interbedded unit from "
                     "0.000 to 2.000 vary between elements.  Values read from the first element have been used.\n");
    EXPECT_EQ(r.out, descriptionHead + "SAND                  60%     2.00     2.00       S1\n"
                                       "SILT                  40%     2.00     2.00       S1\n");
}

TEST_F(HoldexCommands, ExportErrors)
{
    // Depths that disagree: every message is written and nothing is described.
    write_file(dir / "bad.pro", prolog30({{"SAND", "100", "2", "2", "S1", ""}, {"CLAY", "100", "5", "2", "S1", ""}}));
    auto r = holdex({"export", "-s", "Short", "bad.pro"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    ASSERT_TRUE(startsWith(r.err, "Error 1 while reading \"bad.pro\": ")) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;

    r = holdex({"export", "-s", "Short", "absent.pro"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Error 5 while reading \"absent.pro\": Unable to open absent.pro\n(No such file or directory)\n");

    write_file(dir / "notes.pro", "x2.1\nSAND\n");
    r = holdex({"export", "-s", "Short", "notes.pro"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Error 10 while reading \"notes.pro\": notes.pro does not seem to be a prolog borehole file (bad "
                     "first line)\n");

    // A Prolog 2.1 file needs a schema of 25 fields.
    write_file(dir / "hole21.pro", prolog21({{"SAND", "100", "1.5", "1.5"}}));
    r = holdex({"export", "-s", "Short", "hole21.pro"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(
        r.err,
        "Error 16 while reading \"hole21.pro\": Nominated schema has a different number of fields to the file.\n");
}

TEST_F(HoldexCommands, DamagedProlog4FilesAreReportedNotFatal)
{
    copySample("damaged.prolog");
    write_file(dir / "empty.prolog", "");
    write_file(dir / "text.prolog", "just text\n");
    for (const char* name : {"damaged.prolog", "empty.prolog", "text.prolog", "absent.prolog"}) {
        auto r = holdex({"export", "-t", "prolog4", "--deduce", name});
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(startsWith(r.err, std::string("Error ")) &&
                    contains(r.err, std::string(" while reading \"") + name + "\": "))
            << r.err;

        r = holdex({"convert", "-t", "prolog4", "--deduce", name, "-t", "csv", "-s", "Short", "out.csv"});
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_FALSE(exists("out.csv"));
    }
}

// ---------------------------------------------------------------------------------------------
// Convert

const std::string sampleProlog30 = "v3.0  entries=4\r\n"
                                   "SAND\r\n100\r\n2.000\r\n2.000\r\nS1\r\nfine grained\r\n"
                                   "CLAY\r\n100\r\n5.000\r\n3.000\r\nS1\r\nstiff, grey\r\n"
                                   "SANDSTONE\r\n60\r\n8.500\r\n3.500\r\nS2\r\nbanded\r\n"
                                   "SILTSTONE\r\n40\r\n8.500\r\n3.500\r\nS2\r\n\r\n"
                                   "IN GENERAL\r\n100\r\n8.500\r\n3.500\r\nS2\r\nmixed\r\n";
const std::string sampleCsv = "Lith,Pct,Depth,Thick,Seam,Note\n"
                              "SAND,100,2.000,2.000,S1,fine grained\n"
                              "CLAY,100,5.000,3.000,S1,\"stiff, grey\"\n"
                              "SANDSTONE,60,8.500,3.500,S2,banded\n"
                              "SILTSTONE,40,8.500,3.500,S2,\n"
                              "IN GENERAL,100,8.500,3.500,S2,mixed\n";

TEST_F(HoldexCommands, ConvertCsvToPrologAndBack)
{
    copySample("hole.csv");
    auto r = holdex({"convert", "-t", "csv", "-s", "Short", "hole.csv", "-t", "prolog3", "-s", "Short", "out.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(file("out.pro"), sampleProlog30);
    EXPECT_FALSE(exists("out.pro.backup"));

    r = holdex({"convert", "-s", "Short", "out.pro", "-t", "csv", "-s", "Short", "back.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(file("back.csv"), sampleCsv);

    r = holdex({"convert", "-t", "csv", "-s", "Short", "back.csv", "-t", "csv", "-s", "Short", "--quoting", "single",
                "--interval-location=before", "--suppress-percent", "again.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(file("again.csv"), "Lith,Pct,Depth,Thick,Seam,Note\n"
                                 "SAND,,2.000,2.000,S1,fine grained\n"
                                 "CLAY,,5.000,3.000,S1,'stiff, grey'\n"
                                 "IN GENERAL,,8.500,3.500,S2,mixed\n"
                                 "SANDSTONE,60,8.500,3.500,S2,banded\n"
                                 "SILTSTONE,40,8.500,3.500,S2,\n");
    r = holdex({"export", "-t", "csv", "-s", "Short", "--quoting", "single", "--interval-location", "before",
                "--suppress-percent", "again.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, sampleDescription);
}

TEST_F(HoldexCommands, ConvertPrologVersions)
{
    write_file(dir / "hole21.pro", prolog21({{"SAND", "100", "1.5", "1.5", "A", "A1", "S-1", "free"},
                                             {"COAL", "100", "4", "2.5", "B", "B1", "S-2"}}));
    auto r = holdex(
        {"convert", "-t", "prolog2", "-s", "Prolog21", "hole21.pro", "-t", "prolog2", "-s", "Prolog21", "copy21.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string copy = file("copy21.pro");
    EXPECT_TRUE(startsWith(copy, "v2.1\r\nSAND\r\n100\r\n1.500\r\n1.500\r\nA\r\nA1\r\nS-1\r\nfree\r\n")) << copy;
    EXPECT_EQ(std::count(copy.begin(), copy.end(), '\n'), 1 + 2 * 25);

    // The written version is the output side's, whatever the file read was.
    r = holdex({"convert", "-s", "Prolog21", "hole21.pro", "-t", "prolog3", "-s", "Prolog21", "copy30.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(startsWith(file("copy30.pro"), "v3.0  entries=23\r\nSAND\r\n"));
    r = holdex({"export", "-s", "Prolog21", "copy30.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, descriptionHead + "SAND                 100%     1.50     1.50        A\n"
                                       "COAL                 100%     2.50     4.00        B\n");
}

TEST_F(HoldexCommands, ConvertKeepsABackupOfTheOldOutput)
{
    copySample("hole.csv");
    write_file(dir / "out.csv", "old content\n");
    write_file(dir / "out.csv.backup", "older content\n");
    auto r = holdex({"convert", "-t", "csv", "-s", "Short", "hole.csv", "-t", "csv", "-s", "Short", "out.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(file("out.csv"), sampleCsv);
    EXPECT_EQ(file("out.csv.backup"), "old content\n");
}

TEST_F(HoldexCommands, ConvertProlog4)
{
    copySample("hole40.prolog");
    auto r = holdex({"convert", "-t", "prolog4", "--deduce", "hole40.prolog", "-t", "csv", "-s", "Short", "out.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(file("out.csv"), "Lith,Pct,Depth,Thick,Seam,Note\n"
                               "SAND,100,2.000,2.000,S1,fine grained\n"
                               "CLAY,100,5.000,3.000,S1,stiff\n");

    r = holdex({"convert", "-t", "prolog4", "--deduce", "hole40.prolog", "-t", "prolog3", "-s", "Short", "out.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(startsWith(file("out.pro"), "v3.0  entries=4\r\nSAND\r\n100\r\n2.000\r\n2.000\r\nS1\r\n"));

    // Prolog 4 to Prolog 4 writes the document back, without a backup.
    r = holdex({"convert", "-t", "prolog4", "--deduce", "hole40.prolog", "-t", "prolog4", "--deduce", "copy.prolog"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(exists("copy.prolog.backup"));
    r = holdex({"export", "-t", "prolog4", "--deduce", "copy.prolog"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, descriptionHead + "SAND                 100%     2.00     2.00       S1\n"
                                       "CLAY                 100%     3.00     5.00       S1\n");
    // Saved again unchanged, it is the same file.
    r = holdex({"convert", "-t", "prolog4", "--deduce", "copy.prolog", "-t", "prolog4", "--deduce", "again.prolog"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(file("again.prolog"), file("copy.prolog"));
}

TEST_F(HoldexCommands, ConvertToProlog4FromAnotherTypeIsRefused)
{
    copySample("hole30.pro");
    copySample("hole.csv");
    const std::string refusal = "Unable to convert or save boreholes from other filetypes to a Prolog v4.x file.\n";
    auto r = holdex({"convert", "-s", "Short", "hole30.pro", "-t", "prolog4", "--deduce", "out.prolog"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Error 15 while writing \"out.prolog\": " + refusal);
    EXPECT_FALSE(exists("out.prolog"));

    write_file(dir / "kept.prolog", "kept");
    r = holdex({"convert", "-t", "csv", "-s", "Short", "hole.csv", "-t", "prolog4", "-s", "Short", "kept.prolog"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Error 15 while writing \"kept.prolog\": " + refusal);
    EXPECT_EQ(file("kept.prolog"), "kept");
}

TEST_F(HoldexCommands, ConvertSidesAndTheirOptions)
{
    // Read without interval rows, the banded unit has no composite row of its own: the written file
    // names it with the output side's marker, given as one word or as two.
    write_file(dir / "banded.csv", "Lith,Pct,Depth,Thick,Seam,Note\n"
                                   "SAND,60,2,2,S1,\n"
                                   "SILT,40,2,2,S1,\n");
    const std::string expected = "Lith,Pct,Depth,Thick,Seam,Note\n"
                                 "SAND,60,2.000,2.000,S1,\n"
                                 "SILT,40,2.000,2.000,S1,\n"
                                 "COMPOSITE,100,2.000,2.000,S1,\n";
    auto r = holdex({"convert", "-t", "csv", "-s", "Short", "--interval-location", "none", "banded.csv", "--type=csv",
                     "--schema=Short", "--interval-rocktype=COMPOSITE", "one.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(file("one.csv"), expected);
    r = holdex({"convert", "-t", "csv", "-s", "Short", "--interval-location", "none", "banded.csv", "-t", "csv", "-s",
                "Short", "--interval-rocktype", "COMPOSITE", "two.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(file("two.csv"), expected);

    // The type option on both sides: the first steers the reader, the second the writer. Options after
    // the output file are ignored.
    copySample("hole.csv");
    r = holdex({"convert", "-t", "csv", "-s", "Short", "hole.csv", "-t", "prolog3", "-s", "Short", "out.pro",
                "--quoting", "none", "-t", "xml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(file("out.pro"), sampleProlog30);
}

TEST_F(HoldexCommands, ConvertFailures)
{
    write_file(dir / "bad.pro", prolog30({{"SAND", "100", "2", "2", "S1", ""}, {"CLAY", "100", "5", "2", "S1", ""}}));
    auto r = holdex({"convert", "-s", "Short", "bad.pro", "-t", "csv", "-s", "Short", "out.csv"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(startsWith(r.err, "Error 1 while reading \"bad.pro\": ")) << r.err;
    EXPECT_FALSE(exists("out.csv"));

    // A folder that does not exist cannot take the output: an error, not a success.
    copySample("hole.csv");
    r = holdex({"convert", "-t", "csv", "-s", "Short", "hole.csv", "-t", "csv", "-s", "Short", "no/such/out.csv"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(startsWith(r.err, "Error ") && contains(r.err, " while writing \"no/such/out.csv\": ")) << r.err;
}

// ---------------------------------------------------------------------------------------------
// Repair

TEST_F(HoldexCommands, RepairConsistentBoreholeIsWrittenBack)
{
    copySample("hole30.pro");
    auto r = holdex({"repair", "-s", "Short", "hole30.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(file("hole30.pro"), sampleProlog30.substr(0, sampleProlog30.find("stiff, grey")) + "stiff\r\n" +
                                      sampleProlog30.substr(sampleProlog30.find("SANDSTONE")));
    EXPECT_EQ(file("hole30.pro.backup"), read_file(QuorTest::data_file("holdex/hole30.pro")));
}

TEST_F(HoldexCommands, RepairThicknessFromDepths)
{
    write_file(dir / "hole.pro", prolog30({{"SAND", "100", "2", "2", "S1", "a"},
                                           {"CLAY", "100", "5", "2", "S1", "b"},
                                           {"COAL", "100", "7", "2", "S2", "c"}}));
    auto r = holdex({"repair", "-s", "Short", "hole.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Thickness of unit from 2.000 to 5.000 changed from 2.000 to 3.000\n");
    EXPECT_EQ(file("hole.pro"), prolog30({{"SAND", "100", "2.000", "2.000", "S1", "a"},
                                          {"CLAY", "100", "5.000", "3.000", "S1", "b"},
                                          {"COAL", "100", "7.000", "2.000", "S2", "c"}},
                                         "\r\n"));
    // Mended: a second run finds nothing to change and the file now reads.
    r = holdex({"repair", "-s", "Short", "hole.pro"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(holdex({"export", "-s", "Short", "hole.pro"}).exitCode, 0);
}

TEST_F(HoldexCommands, RepairDepthsFromThickness)
{
    write_file(dir / "hole.pro", prolog30({{"SAND", "100", "2", "2", "S1", "a"},
                                           {"CLAY", "100", "5", "2", "S1", "b"},
                                           {"COAL", "100", "7", "2", "S2", "c"}}));
    auto r = holdex({"repair", "--thickness", "-s", "Short", "hole.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Bottom depth of unit from 2.000 to 4.000 changed from 5.000\n"
                     "Bottom depth of unit from 4.000 to 6.000 changed from 7.000\n");
    EXPECT_EQ(file("hole.pro"), prolog30({{"SAND", "100", "2.000", "2.000", "S1", "a"},
                                          {"CLAY", "100", "4.000", "2.000", "S1", "b"},
                                          {"COAL", "100", "6.000", "2.000", "S2", "c"}},
                                         "\r\n"));
}

TEST_F(HoldexCommands, RepairWalksFromTheSurfaceWithinTolerance)
{
    // The first unit is measured from depth 0; a difference of 0.001 is no inconsistency, one of
    // 0.0011 is.
    write_file(dir / "hole.pro", prolog30({{"SAND", "100", "3", "2", "S1", ""},
                                           {"CLAY", "100", "5", "2.001", "S1", ""},
                                           {"COAL", "100", "6.0011", "1", "S1", ""}}));
    auto r = holdex({"repair", "-s", "Short", "hole.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Thickness of unit from 0.000 to 3.000 changed from 2.000 to 3.000\n"
                     "Thickness of unit from 5.000 to 6.001 changed from 1.000 to 1.001\n");
    EXPECT_EQ(file("hole.pro"), prolog30({{"SAND", "100", "3.000", "3.000", "S1", ""},
                                          {"CLAY", "100", "5.000", "2.001", "S1", ""},
                                          {"COAL", "100", "6.001", "1.001", "S1", ""}},
                                         "\r\n"));
}

TEST_F(HoldexCommands, RepairKeepsTheVersionOfTheFile)
{
    // Read with the type word prolog (version 2.1 by default), written back as the 3.0 it was.
    write_file(dir / "hole.pro", prolog30({{"SAND", "100", "2", "1", "S1", ""}}));
    auto r = holdex({"repair", "-t", "prolog", "-s", "Short", "hole.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Thickness of unit from 0.000 to 2.000 changed from 1.000 to 2.000\n");
    EXPECT_TRUE(startsWith(file("hole.pro"), "v3.0  entries=4\r\n"));

    write_file(dir / "hole21.pro", prolog21({{"SAND", "100", "2", "1", "A", "A1", "S-1"}}));
    r = holdex({"repair", "-t", "prolog3", "-s", "Prolog21", "hole21.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(startsWith(file("hole21.pro"), "v2.1\r\nSAND\r\n100\r\n2.000\r\n2.000\r\nA\r\nA1\r\nS-1\r\n"));
}

TEST_F(HoldexCommands, RepairStopsAfterAnUnknownBottom)
{
    // An interbedded unit closed by a full element has no depths: the repair stops there, and as no file
    // holds such a unit so that it reads back, it writes nothing (no backup is made) and names the unit.
    write_file(dir / "hole.pro", prolog30({{"SAND", "100", "2", "1", "S1", ""},
                                           {"SHALE", "60", "4", "2", "S2", ""},
                                           {"COAL", "100", "4", "2", "S2", ""},
                                           {"CLAY", "100", "9", "1", "S3", ""}}));
    auto r = holdex({"repair", "-s", "Short", "hole.pro"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "Thickness of unit from 0.000 to 2.000 changed from 1.000 to 2.000\n");
    EXPECT_TRUE(contains(r.err, "hole.pro was not written: the depths of unit 2 (SHALE, COAL) below 2.000")) << r.err;
    EXPECT_FALSE(exists("hole.pro.backup"));
}

TEST_F(HoldexCommands, RepairCsv)
{
    const std::string bad = "Lith,Pct,Depth,Thick,Seam,Note\n"
                            "SAND,100,2,2,S1,\n"
                            "SANDSTONE,60,,,S2,banded\n"
                            "SILTSTONE,40,,,S2,\n"
                            "IN GENERAL,100,6,3,S2,mixed\n"
                            "CLAY,100,8,2,S3,\n";
    write_file(dir / "hole.csv", bad);
    auto r = holdex({"repair", "-t", "csv", "-s", "Short", "hole.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Thickness of unit from 2.000 to 6.000 changed from 3.000 to 4.000\n");
    EXPECT_EQ(file("hole.csv"), "Lith,Pct,Depth,Thick,Seam,Note\n"
                                "SAND,100,2.000,2.000,S1,\n"
                                "SANDSTONE,60,6.000,4.000,S2,banded\n"
                                "SILTSTONE,40,6.000,4.000,S2,\n"
                                "IN GENERAL,100,6.000,4.000,S2,mixed\n"
                                "CLAY,100,8.000,2.000,S3,\n");
    EXPECT_EQ(file("hole.csv.backup"), bad);

    write_file(dir / "hole.csv", bad);
    r = holdex({"repair", "--thickness", "-t", "csv", "-s", "Short", "hole.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Bottom depth of unit from 2.000 to 5.000 changed from 6.000\n"
                     "Bottom depth of unit from 5.000 to 7.000 changed from 8.000\n");
    EXPECT_EQ(file("hole.csv"), "Lith,Pct,Depth,Thick,Seam,Note\n"
                                "SAND,100,2.000,2.000,S1,\n"
                                "SANDSTONE,60,5.000,3.000,S2,banded\n"
                                "SILTSTONE,40,5.000,3.000,S2,\n"
                                "IN GENERAL,100,5.000,3.000,S2,mixed\n"
                                "CLAY,100,7.000,2.000,S3,\n");
}

TEST_F(HoldexCommands, RepairLeavesTheFileAloneWhenTheReadFails)
{
    // A row without bottom or thickness cannot be placed: nothing may be written over the file.
    const std::string unplaceable =
        "Lith,Pct,Depth,Thick,Seam,Note\nSAND,100,2,1,S1,\nCLAY,100,,,S1,\nCOAL,100,9,1,S2,\n";
    write_file(dir / "hole.csv", unplaceable);
    auto r = holdex({"repair", "-t", "csv", "-s", "Short", "hole.csv"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(startsWith(r.err, "Error 3 while reading \"hole.csv\": ")) << r.err;
    EXPECT_FALSE(contains(r.err, "Error 1 ")) << r.err;
    EXPECT_EQ(file("hole.csv"), unplaceable);
    EXPECT_FALSE(exists("hole.csv.backup"));

    write_file(dir / "notes.pro", "x2.1\nSAND\n");
    r = holdex({"repair", "-s", "Short", "notes.pro"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "Error 10 while reading \"notes.pro\": notes.pro does not seem to be a prolog borehole file (bad "
                     "first line)\n");
    EXPECT_EQ(file("notes.pro"), "x2.1\nSAND\n");

    // A file cut short inside its last record: writing back would drop that record.
    const std::string cut = "v3.0  entries=4\nSAND\n100\n2.00\n1.00\nS1\nfine\nCLAY\n100\n";
    write_file(dir / "cut.pro", cut);
    r = holdex({"repair", "-t", "prolog3", "-s", "Short", "cut.pro"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(startsWith(r.err, "Warning 3 while reading \"cut.pro\": The last record of cut.pro is incomplete"))
        << r.err;
    EXPECT_EQ(file("cut.pro"), cut);
    EXPECT_FALSE(exists("cut.pro.backup"));

    // A file without units gives nothing to repair and is not rewritten.
    write_file(dir / "empty.pro", "v3.0  entries=4\n");
    r = holdex({"repair", "-s", "Short", "empty.pro"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "No units were read from \"empty.pro\"; the file has not been changed.\n");
    EXPECT_FALSE(exists("empty.pro.backup"));

    // Without a file name the reader is asked for "" and says it cannot open it.
    r = holdex({"repair", "-s", "Short"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(startsWith(r.err, "Error 5 while reading \"\": Unable to open ")) << r.err;
}

TEST_F(HoldexCommands, RepairRefusesProlog4)
{
    copySample("hole40.prolog");
    // A type the user gives is refused as any other word of the command line: no internal error.
    auto r = holdex({"repair", "-t", "prolog4", "--deduce", "hole40.prolog"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(startsWith(r.err, "Error parsing repair command line: file type prolog4 cannot be repaired, only "
                                  "prolog, prolog2, prolog3 and csv.\n" +
                                      repairUsage))
        << r.err;
    EXPECT_EQ(file("hole40.prolog"), read_file(QuorTest::data_file("holdex/hole40.prolog")));

    r = holdex({"repair", "--bogus", "hole40.prolog"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(startsWith(r.err, "Error parsing repair command line: unrecognised option '--bogus'.\n" + repairUsage))
        << r.err;
    r = holdex({"repair", "-t", "csv", "hole.csv"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_TRUE(
        startsWith(r.err, "Error parsing repair command line: option --schema must be specified if type is csv.\n"))
        << r.err;
}

} // namespace

// A CSV line is a row: a quote left open ends with its line, and the rows after it are still read and
// converted, with a warning that names the line.
TEST_F(HoldexCommands, AStrayQuoteInACsvFileEndsWithItsLine)
{
    write_file(dir / "sq.csv", "Lith,Pct,Depth,Thick,Seam,Note\nSAND,100,2.00,2.00,S1,\"open quote\n"
                               "CLAY,100,5.00,3.00,S1,stiff\nSILT,100,7.00,2.00,S1,\"closing\"\n");
    const std::string warning = "Warning 9 while reading \"sq.csv\": The quoted field on line 2 is not closed by "
                                "the end of the line.  The field ends there, and the next line is read as the next "
                                "row.\n";
    auto r = holdex({"export", "-t", "csv", "-s", "Short", "sq.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, warning);
    EXPECT_TRUE(contains(r.out, "SAND") && contains(r.out, "CLAY") && contains(r.out, "SILT")) << r.out;

    r = holdex({"convert", "-t", "csv", "-s", "Short", "sq.csv", "-t", "prolog3", "-s", "Short", "sq.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    r = holdex({"convert", "-s", "Short", "sq.pro", "-t", "csv", "-s", "Short", "back.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(file("back.csv"), "Lith,Pct,Depth,Thick,Seam,Note\nSAND,100,2.000,2.000,S1,open quote\n"
                                "CLAY,100,5.000,3.000,S1,stiff\nSILT,100,7.000,2.000,S1,closing\n");
}

// Messages name files in the terminal's encoding, the same as the quoted name beside them.
TEST_F(HoldexCommands, FileNamesPrintInTheTerminalsEncoding)
{
    auto r = holdex({"export", "-s", "Short", "nope \xC3\xA9.pro"});
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_TRUE(contains(r.err, "\"nope \xC3\xA9.pro\": Unable to open nope \xC3\xA9.pro")) << r.err;

    // The texts of the borehole too: code page 1252 in the file, the terminal's encoding on screen.
    write_file(dir / "h.pro", prolog30({{"GR\xC8S", "100", "2", "2", "\xC9tage", "x"}}));
    r = holdex({"export", "-s", "Short", "h.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "GR\xC3\x88S                 100%     2.00     2.00    \xC3\x89tage\n")) << r.out;
}

// Saving onto a named pipe writes into the pipe and leaves it a pipe; a device that takes nothing
// makes the save fail. The pipe is opened without waiting before Holdex runs, so that a Holdex that
// never opens it leaves nothing to read instead of a reader waiting for ever.
TEST_F(HoldexCommands, SavingOntoAPipeOrADeviceWritesInPlace)
{
    copySample("hole30.pro");
    const fs::path pipe = dir / "out.csv";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int readEnd = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(readEnd, 0);
    auto r = holdex({"convert", "-s", "Short", "hole30.pro", "-t", "csv", "-s", "Short", "out.csv"});
    std::string received;
    char block[4096];
    for (ssize_t n; (n = ::read(readEnd, block, sizeof block)) > 0;)
        received.append(block, static_cast<std::size_t>(n));
    ::close(readEnd);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_FALSE(exists("out.csv.backup"));
    EXPECT_TRUE(startsWith(received, "Lith,Pct,Depth,Thick,Seam,Note\n")) << received;

    if (fs::exists("/dev/full")) {
        fs::create_symlink("/dev/full", dir / "full.csv");
        r = holdex({"convert", "-s", "Short", "hole30.pro", "-t", "csv", "-s", "Short", "full.csv"});
        EXPECT_EQ(r.exitCode, 2) << r.err;
        // The open went well: it is the write that failed.
        EXPECT_TRUE(contains(r.err, "Unable to write full.csv\n(No space left on device)")) << r.err;
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
        EXPECT_FALSE(exists("full.csv.backup"));
    }
}

// A save keeps off a file that its permissions protect and off a link that another user planted in a
// folder open to everyone: the usual "Unable to open" with the reason, exit 2, every file as it was.
TEST_F(HoldexCommands, SavesKeepOffAReadOnlyFileAndAnotherUsersLink)
{
    copySample("hole30.pro");
    ASSERT_EQ(::chmod((dir / "hole30.pro").c_str(), 0444), 0);
    const std::string before = file("hole30.pro");
    auto r = holdex({"repair", "-s", "Short", "hole30.pro"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(contains(r.err, "Unable to open hole30.pro\n(Permission denied)")) << r.err;
    EXPECT_EQ(file("hole30.pro"), before);
    EXPECT_FALSE(exists("hole30.pro.backup"));
    if (::geteuid() != 0)
        GTEST_SKIP() << "another user's link takes root to make";
    write_file(dir / "secret.txt", "secret");
    fs::create_directory(dir / "shared");
    ASSERT_EQ(::chmod((dir / "shared").c_str(), 01777), 0);
    fs::create_symlink(dir / "secret.txt", dir / "shared" / "out.pro");
    ASSERT_EQ(::lchown((dir / "shared" / "out.pro").c_str(), 65534, 65534), 0);
    r = holdex({"convert", "-s", "Short", "hole30.pro", "-t", "prolog3", "-s", "Short", "shared/out.pro"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(contains(r.err, "Unable to open shared/out.pro\n(shared/out.pro is a symbolic link that another user "
                                "owns in a folder open to everyone; it is not followed.)"))
        << r.err;
    EXPECT_EQ(file("secret.txt"), "secret");
}

// In a sticky folder (such as /tmp) only a file's owner may replace it: a save by another user over
// root's file, or over root's older backup of the user's own file, is refused before anything is made,
// and no name is left there that the user could not remove.
TEST_F(HoldexCommands, AnotherUsersFileInAStickyFolderIsRefusedBeforeAnythingIsMade)
{
    if (::geteuid() != 0 || !fs::exists("/usr/bin/setpriv"))
        GTEST_SKIP() << "running as another user takes root and setpriv";
    copySample("hole30.pro");
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    fs::create_directory(dir / "shared");
    ASSERT_EQ(::chmod((dir / "shared").c_str(), 01777), 0);
    for (const char* name : {"root.pro", "mine.pro", "mine.pro.backup"})
        fs::copy_file(dir / "hole30.pro", dir / "shared" / name);
    ASSERT_EQ(::chmod((dir / "shared" / "root.pro").c_str(), 0666), 0);
    ASSERT_EQ(::chown((dir / "shared" / "mine.pro").c_str(), 65534, 65534), 0);
    for (const auto& [target, refused] : {std::pair{"root.pro", "root.pro"}, {"mine.pro", "mine.pro.backup"}}) {
        const auto r = QuorTest::run_program("/usr/bin/setpriv",
                                             {"--reuid=65534", "--regid=65534", "--clear-groups",
                                              QuorTest::program_path("Holdex").string(), "repair", "-s", "Short",
                                              std::string("shared/") + target},
                                             dir.path());
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(contains(r.err, std::string("shared/") + refused + " belongs to another user in a sticky"))
            << r.err;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "shared"), fs::directory_iterator()), 3);
    EXPECT_EQ(file("shared/root.pro"), file("hole30.pro"));
}

std::string repeated(const std::string& text, std::size_t count)
{
    std::string out;
    out.reserve(text.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        out += text;
    return out;
}

// A read counts what it builds and stops at the first count beyond its limit, naming it: the units of
// a CSV file, the nodes that the entity of a Prolog 4 file expands to, the names a Prolog 4 file uses,
// and a configuration nested a hundred thousand deep; the problems a read lists are limited too.
TEST_F(HoldexCommands, ReadsStopAtWhatTheyBuild)
{
    write_file(dir / "many.csv", "Lith,Pct,Depth,Thick\n" + repeated("S,,,1\n", 1000001));
    auto r = holdex({"export", "-t", "csv", "-s", "Short", "many.csv"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(contains(r.err, "many.csv holds more than 1000000 units, far more than any borehole; it is not read."))
        << r.err;

    const std::string entity = "<!DOCTYPE CProlog [<!ENTITY e \"" + repeated("<CLithData/>", 1000) + "\">]>";
    write_file(dir / "entity.prolog", entity + "<CProlog><!--" + std::string(14 << 20, 'x') +
                                          "--><CHeadings/><m_Data>" + repeated("&e;", 4001) + "</m_Data></CProlog>");
    r = holdex({"export", "-t", "prolog4", "--deduce", "entity.prolog"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(contains(r.err, "entity.prolog holds more than 4000000 XML nodes")) << r.err;

    // A read's messages are listed up to their limit too.
    write_file(dir / "quotes.csv", "Lith,Pct,Depth,Thick,Seam,Note\n" + repeated("S,,,1,,\"open\n", 2000));
    r = holdex({"export", "-t", "csv", "-s", "Short", "quotes.csv"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1001);
    EXPECT_TRUE(contains(r.err, "line 1001 is not closed") && contains(r.err, "More problems were found than"))
        << r.err;

    std::string names = "<CProlog>";
    for (int i = 0; i <= 10000; ++i)
        names += "<a" + std::to_string(i) + "/>";
    write_file(dir / "names.prolog", names + "</CProlog>");
    r = holdex({"export", "-t", "prolog4", "--deduce", "names.prolog"});
    EXPECT_TRUE(contains(r.err, "names.prolog uses more than 10000 different names")) << r.err;

    write_file(dir / "deep.txt", "Quorlog Configuration v3\nSchemaDefinitions {\n" + std::string(100000, '{'));
    r = holdex({"-c", "deep.txt", "export", "-t", "csv", "-s", "Short", "many.csv"});
    EXPECT_EQ(r.exitCode, 254);
    EXPECT_TRUE(contains(r.err, "instead\nMore problems were found than are listed here.\n")) << r.err.substr(0, 200);
    EXPECT_LT(std::count(r.err.begin(), r.err.end(), '\n'), 1010);
}

// A line is text a read holds too, counted as it is read: a CSV row (here of NUL bytes) or a Prolog
// record of more characters than a read takes stops it, naming the count, and so does a LAS file of
// more curves than a read takes. A row of the most text a save writes reads.
TEST_F(HoldexCommands, LongLinesAndManyCurvesStopTheRead)
{
    write_file(dir / "long.csv", "Lith,Pct,Depth,Thick,Seam,Note\nS,,2,2,,\nS,,3,1,," + std::string(65 << 20, '\0'));
    auto r = holdex({"export", "-t", "csv", "-s", "Short", "long.csv"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(contains(r.err, "long.csv holds more than 64000000 characters of text")) << r.err;

    write_file(dir / "long.pro",
               prolog30({{"S", "100", "2", "2", "", "note"}, {"S", "100", "3", "1", ""}}) + std::string(65 << 20, 'x'));
    r = holdex({"export", "-s", "Short", "long.pro"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(contains(r.err, "long.pro holds more than 64000000 characters of text")) << r.err;

    // The text a save writes of one row at the count, with the row's depths beside it.
    write_file(dir / "most.csv", "Lith,Pct,Depth,Thick,Seam,Note\nS,100,2.000,2.000,," + std::string(63999999, 'n'));
    r = holdex({"export", "-t", "csv", "-s", "Short", "most.csv"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");

    write_file(dir / "many.las", "~Version\nVERS. 2.0 :\n~Well\n~Curve\n" + repeated("C.M : c\n", 100001) + "~A\n1\n");
    r = QuorTest::run_program(QuorTest::program_path("Curvex"), {"summarise", "many.las"}, dir.path());
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err, "LAS file many.las defines more than 100000 curves, the limit for one file: line 100005 is the "
                     "curve beyond it.\n");
}

// What the programs write from a borehole they read, they read again: 800,000 thin units of an 8 MB
// CSV file make a 23 MB Prolog 3.0 file that reads back. A save whose file would hold more than a read
// takes is refused before the old file is touched: the same units under a schema of 41 fields (too
// many cells), a Prolog 4 borehole whose rows under a template of 1,000 headings would make too many
// XML nodes.
TEST_F(HoldexCommands, WhatItWritesReadsBack)
{
    write_file(dir / "thin.csv", "Lith,Pct,Depth,Thick,Seam,Note\n" + repeated("S,,,0.01,,\n", 800000));
    auto r = holdex({"convert", "-t", "csv", "-s", "Short", "thin.csv", "-t", "prolog3", "-s", "Short", "thin.pro"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_GT(fs::file_size(dir / "thin.pro"), std::uintmax_t(16) << 20);
    r = holdex({"convert", "-s", "Short", "thin.pro", "-t", "csv", "-s", "Short", "back.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string back = file("back.csv");
    EXPECT_EQ(std::count(back.begin(), back.end(), '\n'), 800001);

    std::string wide = file("QuorLogConfig.txt");
    wide.insert(wide.find("SchemaDefinitions {") + 19,
                "\n Wide { ROCKTYPE r THICKNESS t" + repeated(" STRING s", 39) + " }");
    write_file(dir / "wide.txt", wide);
    write_file(dir / "wide.pro", "old");
    r = holdex({"-c", "wide.txt", "convert", "-t", "csv", "-s", "Short", "thin.csv", "-t", "prolog3", "-s", "Wide",
                "wide.pro"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(contains(r.err, "wide.pro was not written: the file would hold more than 32000000 cells")) << r.err;
    EXPECT_EQ(file("wide.pro"), "old");

    std::string headings = "<CProlog><CHeadings>";
    for (int i = 0; i < 1000; ++i)
        headings += "<m_HeadingItem><CItem><m_Heading>h" + std::to_string(i) + "</m_Heading></CItem></m_HeadingItem>";
    write_file(dir / "in.prolog", headings + "</CHeadings><m_Data>" +
                                      repeated("<CLithData><a>R</a><b>50</b></CLithData>", 1334) +
                                      "<CLithData><a>IN GENERAL</a><b>100</b>" + repeated("<c/>", 997) +
                                      "<d>5</d></CLithData></m_Data></CProlog>");
    write_file(dir / "out.prolog", "old");
    r = holdex({"convert", "-t", "prolog4", "--deduce", "in.prolog", "-t", "prolog4", "--deduce", "out.prolog"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(contains(r.err, "out.prolog was not written: the file would hold more than 4000000 XML nodes"))
        << r.err;
    EXPECT_EQ(file("out.prolog"), "old");
}

// Depths with more decimals than Holdex writes: the written depths agree with each other, so the file
// reads back (rounded each on its own, 31.4059 and 5.8916 gave a bottom and a thickness that disagreed).
TEST_F(HoldexCommands, DepthsWithMoreDecimalsReadBack)
{
    std::string xml = read_file(QuorTest::data_file("holdex/hole40.prolog"));
    xml.replace(xml.find("<f>2</f><g>2</g>"), 16, "<f/><g>31.4059</g>");
    xml.replace(xml.find("<f>3</f><g>5</g>"), 16, "<f/><g>37.2975</g>");
    write_file(dir / "fine.prolog", xml);
    auto r = holdex({"convert", "-t", "prolog4", "--deduce", "fine.prolog", "-t", "prolog4", "--deduce", "out.prolog"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    r = holdex({"export", "-t", "prolog4", "--deduce", "out.prolog"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "CLAY                 100%     5.89    37.30")) << r.out;
}

// A line ends at a lone carriage return (files of old Mac programs) as at CR LF and LF, in the
// configuration and in CSV and Prolog files.
TEST_F(HoldexCommands, LoneCarriageReturnsEndLines)
{
    auto macLines = [](std::string text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] != '\n' || i == 0 || text[i - 1] != '\r')
                out += text[i] == '\n' ? '\r' : text[i];
        return out;
    };
    write_file(dir / "mac.txt", macLines(file("QuorLogConfig.txt")));
    write_file(dir / "mac.csv", macLines(read_file(QuorTest::data_file("holdex/hole.csv"))));
    write_file(dir / "mac.pro", macLines(read_file(QuorTest::data_file("holdex/hole30.pro"))));
    auto r = holdex({"-c", "mac.txt", "export", "-t", "csv", "-s", "Short", "mac.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, sampleDescription);
    r = holdex({"-c", "mac.txt", "export", "-s", "Short", "mac.pro"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, sampleDescription);

    // Every CR LF made two carriage returns, the files read as they were; where an empty line is left
    // after every line (CR CR LF), the read fails at line 2 and nothing is written.
    for (const char* name : {"hole.csv", "hole30.pro"}) {
        const char* type = name[5] == 'c' ? "csv" : "prolog3";
        for (const char* end : {"\r\r", "\r\r\n"}) {
            std::string text;
            for (char c : macLines(read_file(QuorTest::data_file(std::string("holdex/") + name))))
                text += c == '\r' ? end : std::string(1, c);
            write_file(dir / name, text);
            if (!end[2]) {
                r = holdex({"export", "-t", type, "-s", "Short", name});
                EXPECT_EQ(r.out, sampleDescription) << r.err;
                continue;
            }
            r = holdex({"convert", "-t", type, "-s", "Short", name, "-t", "csv", "-s", "Short", "out.csv"});
            EXPECT_EQ(r.exitCode, 2);
            EXPECT_TRUE(contains(r.err, "line 2 ")) << r.err;
            EXPECT_FALSE(exists("out.csv"));
        }
    }
}

// A whole-file read stops at the limit of its kind and fails as usual, naming the file and the limit:
// an endless device as the configuration, a (sparse, unread) file larger than any Prolog 4 borehole.
TEST_F(HoldexCommands, ReadsStopAtTheLimitOfTheirKind)
{
    write_file(dir / "huge.prolog", "<CProlog>");
    fs::resize_file(dir / "huge.prolog", std::uintmax_t(4) << 30);
    auto r = holdex({"-c", "/dev/zero", "export", "-t", "prolog4", "--deduce", "huge.prolog"});
    EXPECT_EQ(r.exitCode, 254);
    EXPECT_TRUE(contains(r.err, "Unable to open /dev/zero\n(The file is larger than 16 MB, the limit")) << r.err;
    r = holdex({"export", "-t", "prolog4", "--deduce", "huge.prolog"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(contains(r.err, "Unable to open huge.prolog\n(The file is larger than 128 MB")) << r.err;
}

// ---------------------------------------------------------------------------------------------
// Failures that must not pass for success

// A standard output that cannot take the whole description (a full disk) fails the command.
TEST_F(HoldexCommands, OutputThatCannotBeWrittenWholeFailsWithAMessage)
{
    copySample("hole30.pro");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"export", "-s", "Short", "hole30.pro"}, std::vector<std::string>{"version"}}) {
        std::vector<std::string> shell = {"-c", "exec \"$0\" \"$@\" > /dev/full", QuorTest::program_path("Holdex")};
        shell.insert(shell.end(), args.begin(), args.end());
        auto r = QuorTest::run_program("/bin/sh", shell, dir.path());
        EXPECT_EQ(r.exitCode, 2) << args[0];
        EXPECT_TRUE(contains(r.err, "Unable to write the standard output (No space left on device)")) << r.err;
    }
}

// Without -c, Holdex finds QuorLogConfig.txt in the current folder: a pipe there is not waited on.
TEST_F(HoldexCommands, AConfigurationFoundAsAPipeIsNotWaitedOn)
{
    copySample("hole30.pro");
    fs::remove(dir / "QuorLogConfig.txt");
    ASSERT_EQ(::mkfifo((dir / "QuorLogConfig.txt").c_str(), 0600), 0);
    auto r = holdex({"export", "-s", "Short", "hole30.pro"});
    EXPECT_EQ(r.exitCode, 254);
    EXPECT_TRUE(contains(r.err, "Unable to open QuorLogConfig.txt\n(It is not a regular file")) << r.err;
}

// While another program changes the file, repair writes nothing over it: what it read is already old.
TEST_F(HoldexCommands, RepairWritesNothingOverAFileChangedAfterItWasRead)
{
    std::vector<std::vector<std::string>> units;
    for (int i = 1; i <= 40000; ++i)
        units.push_back({"SAND", "100", std::to_string(i), "1", "S1", "n"});
    const std::string text = prolog30(units);
    write_file(dir / "grow.pro", text);
    // The other program: it changes the file's time again and again until Holdex has ended.
    std::atomic<bool> done{false};
    std::thread other([&] {
        for (long second = 1000; !done; ++second) {
            const struct timespec times[2] = {{second, 0}, {second, 0}};
            ::utimensat(AT_FDCWD, (dir / "grow.pro").c_str(), times, 0);
        }
    });
    auto r = holdex({"repair", "-s", "Short", "grow.pro"});
    done = true;
    other.join();
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "\"grow.pro\" changed while it was read or repaired (another program is writing it); it has not "
                     "been written. Repair it once it is complete.\n");
    EXPECT_EQ(file("grow.pro"), text);
    EXPECT_FALSE(exists("grow.pro.backup"));
}

// A name that is not UTF-8 (a Latin-1 one from an older disk) reaches the system as typed: two such
// outputs are two files, such inputs are read by Holdex and Curvex, and messages show the byte escaped.
TEST_F(HoldexCommands, NamesThatAreNotUtf8AreCarriedByteForByte)
{
    copySample("hole.csv");
    for (const std::string out : {"a\xE9.csv", "a\xE8.csv"}) {
        auto r = holdex({"convert", "-t", "csv", "-s", "Short", "hole.csv", "-t", "csv", "-s", "Short", out});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(file(out), sampleCsv);
        EXPECT_FALSE(exists(out + ".backup"));
    }
    EXPECT_FALSE(exists("a\xEF\xBF\xBD.csv"));
    fs::rename(dir / "hole.csv", dir / "in\xE9.csv");
    auto r = holdex({"export", "-t", "csv", "-s", "Short", "in\xE9.csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, sampleDescription);
    r = holdex({"export", "-t", "csv", "-s", "Short", "gone\xE9.csv"});
    EXPECT_TRUE(contains(r.err, "Unable to open gone\\351.csv\n(No such file or directory)")) << r.err;

    write_file(dir / "t\xE9.las", "~Version\n VERS. 2.0 : v\n WRAP. NO : w\n~Well\n STRT.M 1 : s\n STOP.M 2 : s\n"
                                  " NULL. -999.25 : n\n~Curve\n DEPT.M : Depth\n~A\n1\n2\n");
    r = QuorTest::run_program(QuorTest::program_path("Curvex"), {"summarise", "t\xE9.las"}, dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(startsWith(r.out, "Summary for las file t\\351.las\n")) << r.out;
}
