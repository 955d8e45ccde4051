#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

using QuorTest::run_program;

namespace {

QuorTest::RunResult holdex(const std::vector<std::string>& args)
{
    return run_program(QuorTest::program_path("Holdex"), args);
}

const char* const kUsageStart = "Usage: Holdex [global_options] command ...\nwhere global_options are:\n";
const char* const kUsageEnd = "and command is one of version, export, repair or convert.\n"
                              "(e.g. type \"Holdex -? command\" for information specific to each command)\n";

bool is_usage(const std::string& text)
{
    return text.rfind(kUsageStart, 0) == 0 && text.size() > std::string(kUsageEnd).size() &&
           text.compare(text.size() - std::string(kUsageEnd).size(), std::string::npos, kUsageEnd) == 0 &&
           text.find("-c [ --config-file ] arg (=QuorLogConfig.txt)") != std::string::npos &&
           text.find("specify the config file") != std::string::npos &&
           text.find("-? [ --help ]") != std::string::npos &&
           text.find("Display help for command") != std::string::npos &&
           text.find("Placeholder") == std::string::npos && text.find("Command to execute") == std::string::npos;
}

} // namespace

TEST(HoldexEntry, NoCommand)
{
    auto r = holdex({});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_EQ(r.out, "");
    const std::string missing = "Error parsing command line: missing command.\n";
    ASSERT_EQ(r.err.rfind(missing, 0), 0u) << r.err;
    EXPECT_TRUE(is_usage(r.err.substr(missing.size()))) << r.err;
}

TEST(HoldexEntry, BareHelpPrintsUsageAndFails)
{
    for (const char* flag : {"-?", "--help"}) {
        auto r = holdex({flag});
        EXPECT_EQ(r.exitCode, 255);
        EXPECT_TRUE(is_usage(r.err)) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST(HoldexEntry, Version)
{
    auto r = holdex({"version", "ignored", "words"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("Holdex version 3.3.7, built 2016-11-23", 0), 0u) << r.out;
    EXPECT_EQ(r.out.back(), '\n');
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);

    for (auto args : {std::vector<std::string>{"-?", "version"}, std::vector<std::string>{"version", "-?"}}) {
        r = holdex(args);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "Print version information\n");
    }
}

TEST(HoldexEntry, UnknownOptionBeforeTheCommand)
{
    auto r = holdex({"--bogus", "version"});
    EXPECT_EQ(r.exitCode, 255);
    const std::string head = "Error parsing command line: unrecognised option '--bogus'.\n";
    ASSERT_EQ(r.err.rfind(head, 0), 0u) << r.err;
    EXPECT_TRUE(is_usage(r.err.substr(head.size())));
    // After the command word it belongs to the command, which ignores words here.
    r = holdex({"version", "--bogus"});
    EXPECT_EQ(r.exitCode, 0);
}

TEST(HoldexEntry, MissingOptionValue)
{
    auto r = holdex({"-c"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_EQ(r.err.rfind("Error parsing command line: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("config-file"), std::string::npos);
}

TEST(HoldexEntry, CommandWordsAreExact)
{
    for (const char* word : {"Export", "VERSION", "describe"}) {
        auto r = holdex({word});
        EXPECT_EQ(r.exitCode, 255);
        const std::string head = std::string("Unrecognised command ") + word + "\n";
        ASSERT_EQ(r.err.rfind(head, 0), 0u) << r.err;
        EXPECT_TRUE(is_usage(r.err.substr(head.size())));
    }
}

TEST(HoldexEntry, ConfigFileOptionTwiceFailsAtTheGlobalLevel)
{
    auto r = holdex({"-c", "a.txt", "version", "-c", "b.txt"});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_NE(r.err.find("cannot be specified more than once"), std::string::npos) << r.err;
}
