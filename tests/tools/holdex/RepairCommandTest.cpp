#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <fstream>

#include "platform/SafeFile.h"
#include "tests/support/TestSupport.h"
#include "tools/holdex/HoldexCommands.h"

// Past PATH_MAX as anywhere, a change made after the repair's early check, as the repaired file is
// about to take the old one's place (through the safe save's hook), stops the save: the identity of
// the file read must reach the writer's check, and be taken there.
TEST(RepairCommand, AChangeAtTheLastMomentIsSeenPastPathMax)
{
    QuorTest::TempDir dir;
    const int back = ::open(".", O_PATH | O_CLOEXEC);
    std::string name = dir.path().native();
    ASSERT_EQ(::chdir(name.c_str()), 0);
    for (const std::string part(200, 'd'); name.size() <= PATH_MAX; name += "/" + part)
        ASSERT_TRUE(::mkdir(part.c_str(), 0700) == 0 && ::chdir(part.c_str()) == 0);
    const std::string bad = "Lith,Pct,Depth,Thick,Seam,Note\nSAND,100,2,2,S1,\nCLAY,100,5,2,S1,\n";
    QuorTest::write_file("t.csv", bad);
    ORBAX_Platform::set_replace_check_hook([] { std::ofstream("t.csv", std::ios::app) << "COAL,100,6,1,S2,\n"; });
    testing::internal::CaptureStderr();
    const int code = Holdex::repair_command({"-t", "csv", "-s", "Short", name + "/t.csv"}, false,
                                            {QuorTest::data_file("holdex/QuorLogConfig.txt").native(), true});
    const std::string said = testing::internal::GetCapturedStderr();
    ORBAX_Platform::set_replace_check_hook(nullptr);
    EXPECT_EQ(code, 2);
    EXPECT_NE(said.find("t.csv was changed by another program while it was being saved; it is left as it was."),
              std::string::npos)
        << said;
    EXPECT_EQ(QuorTest::read_file("t.csv"), bad + "COAL,100,6,1,S2,\n");
    EXPECT_EQ(::fchdir(back), 0);
    ::close(back);
}
