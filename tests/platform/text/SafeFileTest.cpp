// Saves against a hostile or shared folder: permissions that carry over, temporary files nobody can
// reach through a link, and backups that never leave the target's name empty.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include <acl/libacl.h>
#include <csignal>
#include <fcntl.h>
#include <sys/acl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "platform/SafeFile.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Platform;

namespace {

struct stat status_of(const std::filesystem::path& path)
{
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

mode_t mode_of(const std::filesystem::path& path) { return status_of(path).st_mode & 07777; }

// The names in the folder that start with `prefix`.
std::set<std::string> names_starting(const std::filesystem::path& folder, const std::string& prefix)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0)
            names.insert(name);
    }
    return names;
}

} // namespace

TEST(SafeFile, ASaveKeepsTheReplacedFilesPermissionsAndOwner)
{
    QuorTest::TempDir dir;
    const auto target = dir / "priv.dat";
    QuorTest::write_file(target, "secret");
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    auto result = save_file_safely(target, std::string("new"), dir / "priv.dat.backup");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(QuorTest::read_file(target), "new");
    EXPECT_EQ(mode_of(target), 0600u);
    EXPECT_EQ(mode_of(dir / "priv.dat.backup"), 0600u);

    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(save_file_safely(target, std::string("newer")).ok);
    EXPECT_EQ(mode_of(target), 0640u);

    // A file that was not there gets what the user's umask gives, as any new file.
    const mode_t mask = ::umask(027);
    result = save_file_safely(dir / "fresh.dat", std::string("x"));
    ::umask(mask);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(mode_of(dir / "fresh.dat"), 0640u);

    // Owner and group carry over where the user may set them (here only with the rights to do so).
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(target.c_str(), 4321, 4322), 0);
        ASSERT_TRUE(save_file_safely(target, std::string("owned")).ok);
        EXPECT_EQ(status_of(target).st_uid, 4321u);
        EXPECT_EQ(status_of(target).st_gid, 4322u);
        EXPECT_EQ(mode_of(target), 0640u);
    }
}

TEST(SafeFile, TheTemporaryFileIsNeverReachedThroughAPlantedLink)
{
    QuorTest::TempDir dir;
    const auto target = dir / "t1.dat";
    const auto victim = dir / "victim.txt";
    QuorTest::write_file(victim, "victim");
    // Links at every name the temporary file could once be predicted to take.
    for (int i = 0; i < 8; ++i)
        std::filesystem::create_symlink(victim,
                                        dir / ("t1.dat.tmp" + std::to_string(::getpid()) + "_" + std::to_string(i)));
    auto result = save_file_safely(target, std::string("prolog text"));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(QuorTest::read_file(victim), "victim");
    EXPECT_FALSE(std::filesystem::is_symlink(target));
    EXPECT_EQ(QuorTest::read_file(target), "prolog text");

    // While saves are open, each has a new private file of its own beside the target, under a name
    // of random letters; an abandoned or finished save leaves none behind.
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    {
        SafeFileWriter first;
        SafeFileWriter second;
        ASSERT_TRUE(first.open(target));
        ASSERT_TRUE(second.open(target));
        const std::set<std::string> open = names_starting(dir.path(), "t1.dat.tmp-");
        ASSERT_EQ(open.size(), 2u);
        for (const std::string& name : open) {
            EXPECT_EQ(name.size(), std::string("t1.dat.tmp-").size() + 12);
            EXPECT_TRUE(S_ISREG(status_of(dir / name).st_mode));
        }
        first.abandon();
        std::ostream out(&second.buffer());
        out << "second";
        out.flush();
        EXPECT_TRUE(second.commit().ok);
    }
    EXPECT_TRUE(names_starting(dir.path(), "t1.dat.tmp-").empty());
    EXPECT_EQ(QuorTest::read_file(target), "second");
    EXPECT_EQ(mode_of(target), 0644u);

    // A device is written in place and stays what it is.
    result = save_file_safely("/dev/null", std::string("x"), "/dev/null.backup");
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_FALSE(std::filesystem::exists("/dev/null.backup"));
}

TEST(SafeFile, TheBackupIsALinkOfTheOldFileAndReplacesAnOlderOneWhole)
{
    QuorTest::TempDir dir;
    const auto target = dir / "bore.txt";
    const auto backup = dir / "bore.txt.backup";
    const auto victim = dir / "victim.txt";
    QuorTest::write_file(target, "old");
    QuorTest::write_file(victim, "victim");
    // An older backup that is a link: it is replaced, never written through.
    std::filesystem::create_symlink(victim, backup);
    const ino_t oldFile = status_of(target).st_ino;
    auto result = save_file_safely(target, std::string("new"), backup);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(result.backedUp);
    // The backup is the old file itself, so the target's name held a whole file all along.
    EXPECT_EQ(status_of(backup).st_ino, oldFile);
    EXPECT_NE(status_of(target).st_ino, oldFile);
    EXPECT_EQ(QuorTest::read_file(backup), "old");
    EXPECT_EQ(QuorTest::read_file(target), "new");
    EXPECT_EQ(QuorTest::read_file(victim), "victim");

    // A backup that cannot be made stops the save and leaves everything as it was.
    std::filesystem::remove(backup);
    std::filesystem::create_directory(backup);
    QuorTest::write_file(backup / "keep", "k");
    result = save_file_safely(target, std::string("newer"), backup);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.step, "backup");
    EXPECT_EQ(QuorTest::read_file(target), "new");
    EXPECT_EQ(names_starting(dir.path(), "bore.txt.").size(), 1u);

    // Where it may fail (the configuration file's way), the save goes on and says why.
    SafeFileWriter writer;
    ASSERT_TRUE(writer.open(target));
    std::ostream(&writer.buffer()) << "newer" << std::flush;
    result = writer.commit(backup, SafeFileWriter::Backup::Optional);
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_FALSE(result.backedUp);
    EXPECT_FALSE(result.backupError.empty());
    EXPECT_EQ(QuorTest::read_file(target), "newer");

    // Where no hard link can be made (another file system), the backup is a copy with the same
    // permissions.
    struct stat shm {};
    if (::stat("/dev/shm", &shm) == 0 && shm.st_dev != status_of(dir.path()).st_dev &&
        ::access("/dev/shm", W_OK) == 0) {
        const std::filesystem::path copy = "/dev/shm/quortest-" + std::to_string(::getpid()) + ".backup";
        ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
        result = save_file_safely(target, std::string("newest"), copy);
        EXPECT_TRUE(result.ok) << result.error;
        EXPECT_EQ(QuorTest::read_file(copy), "newer");
        EXPECT_EQ(mode_of(copy), 0604u);
        EXPECT_EQ(QuorTest::read_file(target), "newest");
        std::filesystem::remove(copy);
    }
}

// A link is followed as the kernel's guard for shared folders would: the user's own always, another
// user's only outside a sticky folder open to everyone. Refused, the save names it and writes nothing.
TEST(SafeFile, ALinkInASharedFolderIsFollowedOnlyWhereTheKernelWould)
{
    QuorTest::TempDir dir;
    const auto secret = dir / "secret.txt";
    const auto shared = dir / "shared";
    QuorTest::write_file(secret, "secret");
    std::filesystem::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    std::filesystem::create_symlink(secret, shared / "own.pro");
    ASSERT_TRUE(save_file_safely(shared / "own.pro", std::string("own")).ok);
    EXPECT_EQ(QuorTest::read_file(secret), "own");
    if (::geteuid() != 0)
        GTEST_SKIP() << "another user's link takes root to make";
    std::filesystem::create_symlink(secret, shared / "out.pro");
    ASSERT_EQ(::lchown((shared / "out.pro").c_str(), 65534, 65534), 0);
    std::filesystem::create_symlink(shared / "out.pro", dir / "chain.pro");
    for (const auto& name : {shared / "out.pro", dir / "chain.pro"}) {
        const SafeSaveResult result = save_file_safely(name, std::string("planted"), secret.native() + ".backup");
        EXPECT_EQ(result.refusal, Refusal::OthersLink);
        EXPECT_EQ(result.refused, shared / "out.pro");
        EXPECT_EQ(result.error, "Permission denied");
    }
    EXPECT_EQ(names_starting(dir.path(), "secret"), std::set<std::string>{"secret.txt"});
    EXPECT_EQ(QuorTest::read_file(secret), "own");
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    EXPECT_TRUE(save_file_safely(shared / "out.pro", std::string("not sticky")).ok);
    EXPECT_EQ(QuorTest::read_file(secret), "not sticky");
}

namespace {

// A chain of `count` links in `dir`, each to the one before, the first to `file`; the last one's name.
std::filesystem::path link_chain(const QuorTest::TempDir& dir, const std::string& prefix, int count,
                                 const std::filesystem::path& file)
{
    std::filesystem::path previous = file;
    for (int i = 1; i <= count; ++i) {
        const auto link = dir / (prefix + std::to_string(i));
        std::filesystem::create_symlink(previous.filename(), link);
        previous = link;
    }
    return previous;
}

} // namespace

// The system follows at most 40 links in one name, and the guard for shared folders holds for every
// link it follows, the folders of the path too: the save gives up where the system would.
TEST(SafeFile, ALoopALongChainOrAnotherUsersFolderLinkWritesNothing)
{
    QuorTest::TempDir dir;
    std::filesystem::create_symlink("b", dir / "a");
    std::filesystem::create_symlink("a", dir / "b");
    SafeSaveResult result = save_file_safely(dir / "a", std::string("x"));
    EXPECT_EQ(result.error, "Too many levels of symbolic links");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "a"));

    const auto real = dir / "real.pro";
    QuorTest::write_file(real, "real");
    result = save_file_safely(link_chain(dir, "long", 41, real), std::string("x"), real.native() + ".backup");
    EXPECT_EQ(result.error, "Too many levels of symbolic links");
    EXPECT_EQ(QuorTest::read_file(real), "real");
    const auto forty = link_chain(dir, "ok", 40, real);
    EXPECT_TRUE(save_file_safely(forty, std::string("forty")).ok);
    EXPECT_EQ(QuorTest::read_file(real), "forty");
    EXPECT_TRUE(std::filesystem::is_symlink(forty));
    EXPECT_EQ(names_starting(dir.path(), "real"), std::set<std::string>{"real.pro"});

    // One's own link as a folder of the path, and ".." after a link, lead where the system leads.
    const auto rootonly = dir / "rootonly";
    std::filesystem::create_directories(rootonly / "deeper");
    const auto shared = dir / "shared";
    std::filesystem::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    std::filesystem::create_symlink(rootonly / "deeper", shared / "mine");
    ASSERT_TRUE(save_file_safely(shared / "mine" / ".." / "important.pro", std::string("mine")).ok);
    EXPECT_EQ(QuorTest::read_file(rootonly / "important.pro"), "mine");
    if (::geteuid() != 0)
        GTEST_SKIP() << "another user's link takes root to make";
    std::filesystem::create_symlink(rootonly, shared / "work");
    ASSERT_EQ(::lchown((shared / "work").c_str(), 65534, 65534), 0);
    result = save_file_safely(shared / "work" / "important.pro", std::string("planted"));
    EXPECT_EQ(result.refusal, Refusal::OthersLink);
    EXPECT_EQ(result.refused, shared / "work");
    EXPECT_EQ(QuorTest::read_file(rootonly / "important.pro"), "mine");
    EXPECT_EQ(names_starting(rootonly, "important"), std::set<std::string>{"important.pro"});
}

// A pipe is written in place only while a program reads it (never waiting for one), and another
// user's pipe in a shared folder not at all.
TEST(SafeFile, APipeIsWrittenOnlyWhileSomeoneReadsItAndNeverAnotherUsersInASharedFolder)
{
    QuorTest::TempDir dir;
    const auto pipe = dir / "report.pro";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    SafeSaveResult result = save_file_safely(pipe, std::string("nobody reads"));
    EXPECT_EQ(result.refusal, Refusal::PipeWithoutReader);
    EXPECT_EQ(result.refused, pipe);

    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    result = save_file_safely(pipe, std::string("read"), dir / "report.pro.backup");
    EXPECT_TRUE(result.ok) << result.error;
    char got[16] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 4);
    EXPECT_EQ(std::string(got), "read");
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_FALSE(std::filesystem::exists(dir / "report.pro.backup"));

    if (::geteuid() == 0) {
        ASSERT_EQ(::chmod(dir.path().c_str(), 01777), 0);
        ASSERT_EQ(::chown(pipe.c_str(), 65534, 65534), 0);
        result = save_file_safely(pipe, std::string("planted"));
        EXPECT_EQ(result.refusal, Refusal::OthersDevice);
        EXPECT_EQ(::read(reader, got, sizeof got), 0); // no writer ever came
    }
    ::close(reader);
}

// /dev/stdout leads to the kernel's own link of the open pipe or socket ("pipe:[1234]"), which names
// no file: the save writes into what the descriptor holds. A deleted file there has no name to put a
// new file under, and is refused.
TEST(SafeFile, ThePipeOrSocketOfAnOpenDescriptorIsWrittenInPlace)
{
    QuorTest::TempDir dir;
    int pipe[2], pair[2];
    ASSERT_TRUE(::pipe(pipe) == 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, pair) == 0);
    const int deleted = ::open((dir / "gone.pro").c_str(), O_WRONLY | O_CREAT, 0600);
    std::filesystem::remove(dir / "gone.pro");
    auto descriptor = [](int fd) { return std::filesystem::path("/dev/fd") / std::to_string(fd); };
    for (const int* ends : {pipe, pair}) {
        ASSERT_TRUE(save_file_safely(descriptor(ends[1]), std::string("piped")).ok);
        char got[8] = {};
        EXPECT_EQ(::read(ends[0], got, 8), 5);
        EXPECT_STREQ(got, "piped");
    }
    EXPECT_EQ(save_file_safely(descriptor(deleted), std::string("x")).error, "No such file or directory");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    for (int fd : {pipe[0], pipe[1], pair[0], pair[1], deleted})
        ::close(fd);
}

// The new file carries the access control list and the extended attributes of the one it replaces,
// so a list that keeps the owning group out (while the permission bits show the mask) still does.
TEST(SafeFile, TheReplacedFilesAccessControlListAndAttributesAreKept)
{
    QuorTest::TempDir dir;
    const auto target = dir / "acl.pro";
    QuorTest::write_file(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0660), 0);
    const std::string list = "user::rw-\nuser:1001:rw-\ngroup::---\nmask::rw-\nother::---\n";
    acl_t acl = acl_from_text(list.c_str());
    ASSERT_NE(acl, nullptr);
    const int set = acl_set_file(target.c_str(), ACL_TYPE_ACCESS, acl);
    acl_free(acl);
    if (set != 0 || ::setxattr(target.c_str(), "user.origin", "hole 7", 6, 0) != 0)
        GTEST_SKIP() << "this file system keeps no access control lists or user attributes";
    const auto text_of = [](const std::filesystem::path& file) {
        acl_t now = acl_get_file(file.c_str(), ACL_TYPE_ACCESS);
        char* text = acl_to_any_text(now, nullptr, '\n', 0);
        const std::string result = text ? std::string(text) + "\n" : "";
        acl_free(text);
        acl_free(now);
        return result;
    };

    ASSERT_TRUE(save_file_safely(target, std::string("new"), dir / "acl.pro.backup").ok);
    EXPECT_EQ(QuorTest::read_file(target), "new");
    EXPECT_EQ(text_of(target), list);
    EXPECT_EQ(mode_of(target), 0660u);
    char value[16] = {};
    EXPECT_EQ(::getxattr(target.c_str(), "user.origin", value, sizeof value), 6);
    EXPECT_EQ(std::string(value), "hole 7");

    // A list the folder would give new files is not given to one whose old file had none.
    const auto plain = dir / "plain.pro";
    QuorTest::write_file(plain, "old");
    ASSERT_EQ(::chmod(plain.c_str(), 0640), 0);
    acl = acl_from_text("user::rwx\nuser:1001:rwx\ngroup::r-x\nmask::rwx\nother::---\n");
    ASSERT_EQ(acl_set_file(dir.path().c_str(), ACL_TYPE_DEFAULT, acl), 0);
    acl_free(acl);
    ASSERT_TRUE(save_file_safely(plain, std::string("new")).ok);
    EXPECT_EQ(acl_extended_file(plain.c_str()), 0);
    EXPECT_EQ(mode_of(plain), 0640u);
}

// SIGINT, SIGTERM and SIGHUP during a save end the program as ever, without the temporary file.
TEST(SafeFile, AnEndSignalDuringASaveRemovesTheTemporaryFile)
{
    QuorTest::TempDir dir;
    const auto target = dir / "out.pro";
    QuorTest::write_file(target, "old");
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SafeFileWriter writer;
            if (writer.open(target)) {
                std::ostream(&writer.buffer()) << "half written" << std::flush;
                ::raise(signal);
            }
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal << ": " << status;
        EXPECT_EQ(names_starting(dir.path(), "out.pro"), std::set<std::string>{"out.pro"}) << signal;
        EXPECT_EQ(QuorTest::read_file(target), "old");
    }
}

// The new backup waits under a temporary name until the new file is in place: a save that fails at
// its rename (a folder put at the name at the last moment) or that a signal ends there leaves the
// older backup as it was, and so does one whose backup cannot take its name.
TEST(SafeFile, ASaveThatFailsAtItsLastStepLeavesTheOlderBackup)
{
    QuorTest::TempDir dir;
    const auto target = dir / "app.csv";
    const auto backup = dir / "app.csv.backup";
    QuorTest::write_file(target, "current");
    QuorTest::write_file(backup, "OLDER");
    const SafeSaveResult result = save_file_safely(target, std::string("new"), backup, [&](const FileIdentity&) {
        std::filesystem::rename(target, dir / "moved");
        std::filesystem::create_directories(target / "inside");
        return true;
    });
    EXPECT_FALSE(result.ok || result.backedUp);
    std::filesystem::remove_all(target);
    std::filesystem::rename(dir / "moved", target);
    const pid_t child = ::fork();
    if (child == 0) {
        save_file_safely(target, std::string("new"), backup, [](const FileIdentity&) { return ::raise(SIGTERM); });
        ::_exit(0);
    }
    int status = 0;
    EXPECT_TRUE(::waitpid(child, &status, 0) == child && WIFSIGNALED(status));
    EXPECT_EQ(QuorTest::read_file(backup), "OLDER");
    EXPECT_EQ(QuorTest::read_file(target), "current");
    EXPECT_EQ(names_starting(dir.path(), ""), (std::set<std::string>{"app.csv", "app.csv.backup"}));

    // An older backup that refuses to be replaced once the new file is in place (as an immutable or
    // mounted one does): the result says where the replaced file is kept.
    const SafeSaveResult kept = save_file_safely(target, std::string("new"), backup, [&](const FileIdentity&) {
        return std::filesystem::remove(backup) && std::filesystem::create_directories(backup / "older");
    });
    EXPECT_TRUE(!kept.ok && kept.step == "backup" && kept.newFileInPlace && kept.olderBackupKept);
    EXPECT_EQ(kept.error + kept.keptIn.native(), "Is a directory" + dir.path().native());
    EXPECT_EQ(QuorTest::read_file(dir / kept.keptAs) + QuorTest::read_file(target), "currentnew");
}

// A program that had the file open appends to it after the check right before the rename (the
// check itself appends here): the descriptor held on the old file sees it, and the save fails with
// the backup holding the changed file.
TEST(SafeFile, AFileThatChangesAsItIsReplacedIsNeverReplacedWithoutAWord)
{
    QuorTest::TempDir dir;
    const auto target = dir / "big.csv";
    QuorTest::write_file(target, "rows\n");
    const FileIdentity read = file_identity(target);
    const int appending = ::open(target.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    const SafeSaveResult result =
        save_file_safely(target, std::string("new\n"), target.native() + ".backup", [&](const FileIdentity& current) {
            EXPECT_EQ(::write(appending, "appended\n", 9), 9);
            return current == read;
        });
    EXPECT_TRUE(!result.ok && result.refusal == Refusal::Changed && result.changedAfterCheck && result.backedUp);
    EXPECT_EQ(QuorTest::read_file(target), "new\n");
    EXPECT_EQ(QuorTest::read_file(target.native() + ".backup"), "rows\nappended\n");
    ::close(appending);
}

// A backup name its folder cannot hold stops the save before anything is put in place, and nothing is
// left beside the file.
TEST(SafeFile, ANameTooLongForItsBackupIsFoundBeforeAnythingIsPutInPlace)
{
    QuorTest::TempDir dir;
    const std::size_t limit = static_cast<std::size_t>(::pathconf(dir.path().c_str(), _PC_NAME_MAX));
    const auto target = dir / (std::string(limit - 8, 'a') + ".csv");
    QuorTest::write_file(target, "old");
    const SafeSaveResult refused = save_file_safely(target, std::string("new"), target.native() + ".backup");
    EXPECT_TRUE(!refused.ok && refused.refusal == Refusal::NameTooLong && refused.nameLimit == limit);
    EXPECT_EQ(QuorTest::read_file(target), "old");
    EXPECT_EQ(names_starting(dir.path(), ""), (std::set<std::string>{target.filename()}));
}
