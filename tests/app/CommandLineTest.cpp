#include <gtest/gtest.h>

#include "app/QuorLogCommandLine.h"

namespace {

CQuorLogCommandLine parse(std::vector<std::wstring> arguments)
{
    CQuorLogCommandLine line;
    line.Parse(arguments);
    return line;
}

TEST(CommandLine, DeveloperFlagIsExactAndCaseSensitive)
{
    EXPECT_TRUE(parse({L"-dev"}).developer);
    CQuorLogCommandLine upper = parse({L"-DEV"});
    EXPECT_FALSE(upper.developer);
    // An unknown flag goes to the shell, which does not take it for a file.
    EXPECT_EQ(upper.shellCommand, CQuorLogCommandLine::FileNew);
    EXPECT_TRUE(upper.fileName.empty());
    // The slash is no flag marker: it begins absolute paths.
    CQuorLogCommandLine slash = parse({L"/dev"});
    EXPECT_FALSE(slash.developer);
    EXPECT_EQ(slash.fileName, L"/dev");
}

TEST(CommandLine, ConfigurationPathTakesEverythingAfterTheFirstColon)
{
    EXPECT_EQ(parse({L"-c:/data/cfg/QuorLogConfig.txt"}).configurationPath, L"/data/cfg/QuorLogConfig.txt");
    EXPECT_EQ(parse({L"-c:a:b"}).configurationPath, L"a:b");
    CQuorLogCommandLine bare = parse({L"-c"});
    EXPECT_TRUE(bare.configurationPath.empty());
    EXPECT_TRUE(bare.fileName.empty());
    // Only the name before the colon is compared.
    EXPECT_TRUE(parse({L"-cx:path"}).configurationPath.empty());
}

TEST(CommandLine, FirstPlainArgumentIsTheFileToOpen)
{
    CQuorLogCommandLine line = parse({L"-dev", L"-c:/etc/q.txt", L"/home/u/left.hole", L"/home/u/right.hole"});
    EXPECT_TRUE(line.developer);
    EXPECT_EQ(line.configurationPath, L"/etc/q.txt");
    EXPECT_EQ(line.shellCommand, CQuorLogCommandLine::FileOpen);
    EXPECT_EQ(line.fileName, L"/home/u/left.hole");
    EXPECT_EQ(parse({}).shellCommand, CQuorLogCommandLine::FileNew);

    // A lone "-" is an (unknown) flag and an empty argument names nothing: neither is a file, and
    // the next plain argument is still taken.
    CQuorLogCommandLine odd = parse({L"-", L""});
    EXPECT_EQ(odd.shellCommand, CQuorLogCommandLine::FileNew);
    EXPECT_TRUE(odd.fileName.empty());
    CQuorLogCommandLine later = parse({L"", L"-", L"a.hole"});
    EXPECT_EQ(later.shellCommand, CQuorLogCommandLine::FileOpen);
    EXPECT_EQ(later.fileName, L"a.hole");
}

TEST(CommandLine, PrintVerbs)
{
    CQuorLogCommandLine print = parse({L"-p", L"log.hole"});
    EXPECT_EQ(print.shellCommand, CQuorLogCommandLine::FilePrint);
    EXPECT_EQ(print.fileName, L"log.hole");

    CQuorLogCommandLine printTo = parse({L"-pt", L"log.hole", L"Office", L"driver", L"port"});
    EXPECT_EQ(printTo.shellCommand, CQuorLogCommandLine::FilePrintTo);
    EXPECT_EQ(printTo.fileName, L"log.hole");
    EXPECT_EQ(printTo.printerName, L"Office");
    EXPECT_EQ(printTo.driverName, L"driver");
    EXPECT_EQ(printTo.portName, L"port");
}

} // namespace
