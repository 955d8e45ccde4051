// The repair command in the process, with another program's change made at the last moment of its
// save through the safe save's hook: the identity of the file read must reach the writer's check.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/SafeFile.h"
#include "tests/support/TestSupport.h"
#include "tools/holdex/HoldexCommands.h"

namespace {

const std::string bad = "Lith,Pct,Depth,Thick,Seam,Note\nSAND,100,2,2,S1,\nCLAY,100,5,2,S1,\n";
const std::string appended = "COAL,100,6,1,S2,\n";

// The contents of `name` in the folder `folder`.
std::string contents(int folder, const char* name)
{
    std::string bytes;
    const int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC);
    char block[4096];
    for (ssize_t n; fd >= 0 && (n = ::read(fd, block, sizeof block)) > 0;)
        bytes.append(block, static_cast<std::size_t>(n));
    if (fd >= 0)
        ::close(fd);
    return bytes;
}

void append(int folder, const char* name, const std::string& bytes)
{
    const int fd = ::openat(folder, name, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

// In a folder whose name is longer than PATH_MAX, as in every other: the repair writes back what it
// read, and a change that comes after its early check, as the repaired file is about to take the old
// one's place, stops the save with the file and its change as they were.
TEST(RepairCommand, AChangeAtTheLastMomentIsSeenPastPathMax)
{
    QuorTest::TempDir dir;
    const std::string part(200, 'd');
    std::vector<int> folders{::open(dir.path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)};
    std::string name = dir.path().native();
    while (name.size() <= PATH_MAX) {
        ASSERT_EQ(::mkdirat(folders.back(), part.c_str(), 0700), 0);
        folders.push_back(::openat(folders.back(), part.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        name += "/" + part;
    }
    const int deep = folders.back();
    const Holdex::ConfigurationFile config{QuorTest::data_file("holdex/QuorLogConfig.txt").native(), true};
    const Holdex::WordList words = {"-t", "csv", "-s", "Short", name + "/t.csv"};

    append(deep, "t.csv", bad);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(Holdex::repair_command(words, false, config), Holdex::ExitSuccess);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Thickness of unit from 2.000 to 5.000 changed from 2.000 to 3.000\n");
    EXPECT_EQ(contents(deep, "t.csv.backup"), bad);
    const std::string repaired = contents(deep, "t.csv");
    EXPECT_NE(repaired.find("CLAY,100,5.000,3.000"), std::string::npos) << repaired;

    ASSERT_EQ(::unlinkat(deep, "t.csv", 0), 0);
    append(deep, "t.csv", bad);
    ORBAX_Platform::set_replace_check_hook([&] { append(deep, "t.csv", appended); });
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int code = Holdex::repair_command(words, false, config);
    ORBAX_Platform::set_replace_check_hook(nullptr);
    testing::internal::GetCapturedStdout();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, Holdex::ExitFailed);
    EXPECT_EQ(said.rfind("Error 5 while writing \"" + name + "/t.csv\": Unable to write ", 0), 0u) << said;
    EXPECT_NE(said.find("/t.csv was changed by another program while it was being saved; it is left as it was."),
              std::string::npos)
        << said;
    EXPECT_EQ(contents(deep, "t.csv"), bad + appended);
    EXPECT_EQ(contents(deep, "t.csv.backup"), bad) << "the backup of the first repair stays";

    for (const char* file : {"t.csv", "t.csv.backup"})
        ::unlinkat(deep, file, 0);
    for (std::size_t i = folders.size() - 1; i > 0; --i) {
        ::close(folders[i]);
        ::unlinkat(folders[i - 1], part.c_str(), AT_REMOVEDIR);
    }
    ::close(folders[0]);
}

} // namespace
