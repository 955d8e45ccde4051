// Saves and reads go through one walk of the name that holds the last folder open: a folder swapped
// for a link after the walk changes nothing, another user's link or pipe in a shared folder is not
// read, and a signal finds the temporary file however deep its folder.
#include <gtest/gtest.h>

#include <csignal>
#include <iterator>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/InputFile.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Platform;

namespace {

// The names in the open folder `folder`.
std::vector<std::string> names_in(int folder)
{
    std::vector<std::string> names;
    DIR* dir = ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY));
    while (const dirent* entry = dir ? ::readdir(dir) : nullptr)
        if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
            names.push_back(entry->d_name);
    if (dir)
        ::closedir(dir);
    return names;
}

} // namespace

TEST(CheckedWalk, ASwappedFolderAPlantedLinkOrPipeAndADeepFolderChangeNothing)
{
    QuorTest::TempDir dir;
    const auto shared = dir / "shared";
    const auto secret = dir / "private";
    std::filesystem::create_directories(shared / "d");
    std::filesystem::create_directory(secret);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    QuorTest::write_file(secret / "file.csv", "private");
    QuorTest::write_file(shared / "d" / "file.csv", "old");

    // The folder the walk opened is swapped for a link to another folder before the save goes on:
    // the file, its backup and the rename stay in the folder that was walked.
    SafeFileWriter writer;
    ASSERT_TRUE(writer.open(shared / "d" / "file.csv"));
    std::filesystem::rename(shared / "d", shared / "dreal");
    std::filesystem::create_directory_symlink(secret, shared / "d");
    std::ostream(&writer.buffer()) << "new" << std::flush;
    const SafeSaveResult result = writer.commit(shared / "d" / "file.csv.backup");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(QuorTest::read_file(shared / "dreal" / "file.csv"), "new");
    EXPECT_EQ(QuorTest::read_file(shared / "dreal" / "file.csv.backup"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(secret), {}), 1);
    EXPECT_EQ(QuorTest::read_file(secret / "file.csv"), "private");

    // A backup named in another folder gets a walk of its own, which keeps a link at its name: the
    // link is replaced, never written through.
    std::filesystem::create_symlink(secret / "file.csv", dir / "other.backup");
    ASSERT_TRUE(save_file_safely(shared / "dreal" / "file.csv", std::string("newer"), dir / "other.backup").ok);
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "other.backup"));
    EXPECT_EQ(QuorTest::read_file(dir / "other.backup"), "new");
    EXPECT_EQ(QuorTest::read_file(secret / "file.csv"), "private");

    // Reading under the owner rule: one's own link in a shared folder reads; another user's link or
    // pipe there does not (the pipe without waiting for a writer).
    std::string bytes;
    int code = 0;
    EXPECT_EQ(read_file_bytes(shared / "d" / "file.csv", 64, bytes, code), FileRead::Read);
    EXPECT_EQ(bytes, "private");
    ASSERT_EQ(::mkfifo((shared / "pipe.csv").c_str(), 0666), 0);
    FileDescriptor file;
    struct stat st {};
    EXPECT_EQ(open_for_reading(shared / "pipe.csv", true, file, st, code), FileRead::NotRegular);
    if (::geteuid() == 0) {
        std::filesystem::create_symlink(secret / "file.csv", shared / "lure.csv");
        ASSERT_EQ(::lchown((shared / "lure.csv").c_str(), 65534, 65534), 0);
        ASSERT_EQ(::lchown((shared / "pipe.csv").c_str(), 65534, 65534), 0);
        EXPECT_EQ(read_file_bytes(shared / "lure.csv", 64, bytes, code), FileRead::Failed);
        EXPECT_EQ(code, EACCES);
        // A writer stands ready, so that a read that wrongly opens the pipe ends instead of waiting.
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            const int fd = ::open((shared / "pipe.csv").c_str(), O_WRONLY);
            ::_exit(fd >= 0 && ::write(fd, "planted", 7) == 7 ? 0 : 1);
        }
        EXPECT_EQ(read_file_bytes(shared / "pipe.csv", 64, bytes, code), FileRead::Failed);
        EXPECT_EQ(code, EACCES);
        const int reader = ::open((shared / "pipe.csv").c_str(), O_RDONLY | O_NONBLOCK); // lets the writer go
        ASSERT_EQ(::waitpid(writer, nullptr, 0), writer);
        ::close(reader);
        InputFile in;
        EXPECT_EQ(open_input(in, shared / "lure.csv", code), FileRead::Failed);
        EXPECT_TRUE(in.fail());
        std::filesystem::create_directory_symlink(secret, shared / "lured");
        ASSERT_EQ(::lchown((shared / "lured").c_str(), 65534, 65534), 0);
        const SafeSaveResult refused =
            save_file_safely(shared / "dreal" / "file.csv", std::string("x"), shared / "lured" / "file.csv.backup");
        EXPECT_EQ(refused.refusal, Refusal::OthersLink);
        EXPECT_EQ(QuorTest::read_file(shared / "dreal" / "file.csv"), "newer");
    }

    // A kernel link reads what it leads to; once only regular files are read (the desktop program's
    // way), a pipe, by name or by such a link, is refused without waiting.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::write(ends[1], "piped\n", 6), 6);
    const std::filesystem::path byLink = "/dev/fd/" + std::to_string(ends[0]);
    const pid_t regularOnly = ::fork();
    ASSERT_GE(regularOnly, 0);
    if (regularOnly == 0) {
        read_regular_files_only();
        InputFile in;
        const bool refused = read_file_bytes(shared / "pipe.csv", 64, bytes, code) == FileRead::NotRegular &&
                             open_input(in, byLink, code) == FileRead::NotRegular &&
                             read_file_bytes(shared / "dreal" / "file.csv", 64, bytes, code) == FileRead::Read;
        ::_exit(refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(regularOnly, &status, 0), regularOnly);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    ::close(ends[1]);
    InputFile piped;
    ASSERT_EQ(open_input(piped, byLink, code), FileRead::Read);
    EXPECT_TRUE(std::getline(piped, bytes) && bytes == "piped");
    ::close(ends[0]);

    // A folder whose full name is longer than PATH_MAX: the save is made from inside it, and the
    // temporary file still goes with the signal.
    const std::string part(200, 'x');
    const int depth = PATH_MAX / 200 + 2;
    std::vector<int> folders{::open(dir.path().c_str(), O_PATH | O_DIRECTORY)};
    for (int i = 0; i < depth; ++i) {
        ASSERT_EQ(::mkdirat(folders.back(), part.c_str(), 0700), 0);
        folders.push_back(::openat(folders.back(), part.c_str(), O_PATH | O_DIRECTORY));
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SafeFileWriter deep;
        if (::fchdir(folders.back()) == 0 && deep.open("out.pro")) {
            std::ostream(&deep.buffer()) << "half written" << std::flush;
            ::raise(SIGTERM);
        }
        ::_exit(0);
    }
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_TRUE(names_in(folders.back()).empty());
    for (int i = depth; i > 0; --i) {
        ::close(folders[i]);
        ::unlinkat(folders[i - 1], part.c_str(), AT_REMOVEDIR);
    }
    ::close(folders[0]);
}

// The kernel names the open file of a deleted one "x (deleted)": another user may make a file of
// that name, which is not what the link leads to. A read takes the open file, a save is refused.
TEST(CheckedWalk, AKernelLinkToADeletedFileIsNeverFollowedByItsText)
{
    QuorTest::TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 01777), 0);
    QuorTest::write_file(dir / "rd.csv", "open file");
    const int file = ::open((dir / "rd.csv").c_str(), O_RDWR | O_CLOEXEC);
    std::filesystem::remove(dir / "rd.csv");
    QuorTest::write_file(dir / "rd.csv (deleted)", "planted");
    ASSERT_TRUE(::geteuid() != 0 || ::chown((dir / "rd.csv (deleted)").c_str(), 65534, 65534) == 0);
    const std::filesystem::path name = "/dev/fd/" + std::to_string(file);
    std::string bytes;
    int code = 0;
    EXPECT_EQ(read_file_bytes(name, 100, bytes, code), FileRead::Read);
    EXPECT_EQ(bytes, "open file");
    EXPECT_EQ(save_file_safely(name, std::string("x"), name.native() + ".backup").error, "No such file or directory");
    EXPECT_EQ(QuorTest::read_file(dir / "rd.csv (deleted)"), "planted");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    ::close(file);
}

// A folder of another mount namespace (a tmpfs over a folder there) is entered through its kernel link,
// never by the text, which names this namespace's folder; a regular file is replaced through such a
// link (/dev/stdout sent to a file) only where its name here leads to it.
TEST(CheckedWalk, AFolderOfAnotherMountNamespaceIsEnteredThroughItsLink)
{
    QuorTest::TempDir dir;
    const auto box = dir / "box";
    std::filesystem::create_directory(box);
    QuorTest::write_file(box / "x.csv", "HOST");
    const int host = ::open("/proc/self/ns/mnt", O_RDONLY | O_CLOEXEC);
    const bool unshared = ::unshare(CLONE_NEWNS) == 0;
    const bool mounted = unshared && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                         ::mount("none", box.c_str(), "tmpfs", 0, nullptr) == 0;
    const int other = ::open("/proc/self/ns/mnt", O_RDONLY | O_CLOEXEC), root = ::open("/", O_PATH | O_CLOEXEC);
    if (mounted)
        QuorTest::write_file(box / "x.csv", "BOX");
    const int boxed = ::open((box / "x.csv").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_TRUE(!unshared || ::setns(host, CLONE_NEWNS) == 0);
    if (!mounted)
        GTEST_SKIP() << "no mount namespace can be made here";
    const std::filesystem::path inner = ("/dev/fd/" + std::to_string(root)) / box.relative_path();
    std::string bytes;
    int code = 0;
    EXPECT_TRUE(read_file_bytes(inner / "x.csv", 64, bytes, code) == FileRead::Read && bytes == "BOX");
    EXPECT_TRUE(save_file_safely(inner / "out.pro", std::string("new")).ok &&
                QuorTest::read_file(inner / "out.pro") == "new");
    EXPECT_FALSE(save_file_safely("/dev/fd/" + std::to_string(boxed), std::string("lost")).ok);
    const int own = ::open((box / "x.csv").c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_TRUE(save_file_safely("/dev/fd/" + std::to_string(own), std::string("mine")).ok);
    EXPECT_TRUE(QuorTest::read_file(box / "x.csv") == "mine" && !std::filesystem::exists(box / "out.pro"));
    for (const int fd : {host, other, root, boxed, own})
        ::close(fd);
}
