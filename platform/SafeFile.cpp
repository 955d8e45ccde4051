#include "platform/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/FileAttributes.h"
#include "platform/PathResolution.h"
#include "platform/TemporaryFiles.h"

namespace ORBAX_Platform {
namespace {

std::string error_text(int code) { return std::generic_category().message(code ? code : EIO); }

std::function<void()>& replace_check_hook()
{
    static std::function<void()> hook;
    return hook;
}

SafeSaveResult failure(const std::string& step, const std::string& error)
{
    SafeSaveResult result;
    result.ok = false;
    result.step = step;
    result.error = error;
    return result;
}

// Twelve letters and digits from the system's random source: about 71 bits nobody can guess.
std::string random_suffix()
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[12];
    std::size_t got = 0;
    while (got < sizeof bytes) {
        const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got < sizeof bytes) {
        std::random_device device;
        for (unsigned char& byte : bytes)
            byte = static_cast<unsigned char>(device());
    }
    std::string suffix;
    for (unsigned char byte : bytes)
        suffix += alphabet[byte % (sizeof alphabet - 1)];
    return suffix;
}

// The longest name, in bytes, that `folder` may hold.
std::size_t name_limit(int folder)
{
    const long limit = ::fpathconf(folder, _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

// A name beside `name` in `folder` that nobody can guess. A long name is shortened first, so that the
// temporary name still fits the folder's limit.
std::string temporary_beside(int folder, const std::string& name)
{
    const std::string suffix = ".tmp-" + random_suffix();
    const std::size_t limit = name_limit(folder);
    std::string base = name;
    base.resize(std::min({base.size(), std::size_t(200), limit > suffix.size() + 1 ? limit - suffix.size() : 1}));
    return base + suffix;
}

// Creates a new file beside `name` in `folder` exclusively: never an existing file, never through a
// link. The file is remembered for the end signals until forget_temporary(slot).
int create_exclusive(int folder, const std::string& name, mode_t mode, std::string& made, int& slot)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = temporary_beside(folder, name);
        const EndSignalsHeld held;
        const int fd = ::openat(folder, candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            made = candidate;
            slot = remember_temporary(folder, candidate.c_str());
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

// The regular file `name` in `folder`, opened to copy what it carries, and its status in `old`: for
// reading where the user may read it, else only as a path. Invalid with errno set.
FileDescriptor open_old(int folder, const std::string& name, struct stat& old)
{
    // Not waiting and never a terminal, should the name have become a pipe or device meanwhile.
    FileDescriptor file(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.valid() && (errno == EACCES || errno == EPERM))
        file.reset(::openat(folder, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (file.valid() && ::fstat(file.get(), &old) != 0)
        file.reset();
    else if (file.valid() && !S_ISREG(old.st_mode)) {
        file.reset();
        errno = EAGAIN;
    }
    return file;
}

// Gives the open file the owner, group and permissions of `old`, as far as the user may. Where the
// group cannot be kept its permissions are dropped: they would otherwise open the file to the user's
// own group. The set-id bits stay only where both owner and group were kept. Gives whether the group
// was kept.
bool take_owner_and_mode(int fd, const struct stat& old)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    bool ownerKept = now.st_uid == old.st_uid;
    bool groupKept = now.st_gid == old.st_gid;
    if (!ownerKept || !groupKept) {
        if (::fchown(fd, old.st_uid, old.st_gid) == 0) {
            ownerKept = groupKept = true;
        } else if (!groupKept && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0) {
            groupKept = true;
        }
    }
    mode_t mode = old.st_mode & 0777;
    if (ownerKept && groupKept)
        mode = old.st_mode & 07777;
    if (!groupKept)
        mode &= ~static_cast<mode_t>(S_IRWXG);
    // Where the file system keeps no permissions the new file stays private (0600), never wider.
    (void)::fchmod(fd, mode);
    return groupKept;
}

// Gives the new file `fd` all that the old file `old` (open, with the status `info`) carries beside
// its content: owner, group, permissions, access control list and extended attributes. 0, or why the
// list or an attribute could not be given: the new file must then not take the old one's place.
int take_over(int old, const struct stat& info, int fd)
{
    const int code = copy_extended_attributes(old, fd);
    const bool groupKept = take_owner_and_mode(fd, info);
    return code != 0 ? code : copy_access_control(old, fd, groupKept);
}

bool write_all(int fd, const char* data, std::size_t size, int& code)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            code = n < 0 ? errno : ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes a rename (or a new file) in `folder` last through a crash. A folder that cannot be opened or
// synced on this file system is left as it is; only a failing disk fails the save.
int sync_folder(int folder)
{
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const int code = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return code == EIO ? EIO : 0;
}

bool same_folder(int a, int b)
{
    struct stat first {
    }, second{};
    return a == b || (::fstat(a, &first) == 0 && ::fstat(b, &second) == 0 && first.st_dev == second.st_dev &&
                      first.st_ino == second.st_ino);
}

// The old file `name` in `folder` copied to a new private file beside `backup` in `backupFolder`, for
// file systems without hard links, and synced; `made` and `slot` as for create_exclusive. 0 or the
// system's error code, the copy removed.
int copy_to_backup(int folder, const std::string& name, int backupFolder, const std::string& backup, std::string& made,
                   int& slot)
{
    struct stat old {};
    const FileDescriptor in = open_old(folder, name, old);
    if (!in.valid())
        return errno;
    const int out = create_exclusive(backupFolder, backup, 0600, made, slot);
    if (out < 0)
        return errno;
    int code = take_over(in.get(), old, out);
    char block[1 << 16];
    while (code == 0) {
        const ssize_t n = ::read(in.get(), block, sizeof block);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            code = errno;
        if (n <= 0 || !write_all(out, block, static_cast<std::size_t>(n), code))
            break;
    }
    if (code == 0 && ::fsync(out) != 0)
        code = errno;
    if (::close(out) != 0 && code == 0 && errno != EINTR)
        code = errno;
    if (code != 0) {
        ::unlinkat(backupFolder, made.c_str(), 0);
        made.clear();
        forget_temporary(slot);
        slot = -1;
    }
    return code;
}

// The backup of a save, made under a temporary name beside the one it is to have and put under that
// name only once the new file is in place: a save that fails at its last step leaves an older backup
// as it was. Until then an end signal removes it with the save's temporary file.
class PendingBackup {
public:
    PendingBackup() = default;
    PendingBackup(const PendingBackup&) = delete;
    PendingBackup& operator=(const PendingBackup&) = delete;
    ~PendingBackup() { drop(); }

    // Keeps the current content of `name` in `folder` beside `backup` in `backupFolder`: a hard link
    // made exclusively under a name nobody can guess, or a copy where links are not possible. 0 or the
    // system's error code.
    int make(int folder, const std::string& name, int backupFolder, const std::string& backup)
    {
        m_folder.reset(::fcntl(backupFolder, F_DUPFD_CLOEXEC, 0));
        if (!m_folder.valid())
            return errno;
        m_name = backup;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string link = temporary_beside(backupFolder, backup);
            int code = 0;
            {
                const EndSignalsHeld held;
                if (::linkat(folder, name.c_str(), backupFolder, link.c_str(), 0) == 0) {
                    m_temporary = link;
                    m_slot = remember_temporary(backupFolder, link.c_str());
                } else {
                    code = errno;
                }
            }
            switch (code) {
            case 0: return 0;
            case EEXIST: continue;
            case EPERM:
            case EXDEV:
            case EMLINK:
            case ENOSYS:
            case EOPNOTSUPP: return copy_to_backup(folder, name, backupFolder, backup, m_temporary, m_slot);
            default: return code;
            }
        }
        return EEXIST;
    }

    bool made() const { return !m_temporary.empty(); }

    // Renames the backup over its name, replacing any older backup there. 0 or the system's error code.
    int place()
    {
        if (::renameat(m_folder.get(), m_temporary.c_str(), m_folder.get(), m_name.c_str()) != 0)
            return errno;
        // A rename onto another link of the same file does nothing and leaves the temporary name.
        drop();
        return 0;
    }

    // Leaves the backup under its temporary name, where no signal removes it; gives that name.
    std::string keep()
    {
        forget_temporary(m_slot);
        m_slot = -1;
        std::string name;
        name.swap(m_temporary);
        return name;
    }

    void drop()
    {
        if (!m_temporary.empty())
            ::unlinkat(m_folder.get(), m_temporary.c_str(), 0);
        m_temporary.clear();
        forget_temporary(m_slot);
        m_slot = -1;
    }

private:
    FileDescriptor m_folder;
    std::string m_name;
    std::string m_temporary;
    int m_slot = -1;
};

// Whether the save may write over the existing file `name` in `folder`: it has a write permission at
// all, and the system lets this user write it. 0 or the error number of the refusal.
int may_write(int folder, const std::string& name, const struct stat& info, bool kernelLink)
{
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return EACCES;
    if (::faccessat(folder, name.c_str(), W_OK, AT_EACCESS | (kernelLink ? 0 : AT_SYMLINK_NOFOLLOW)) != 0)
        return errno ? errno : EACCES;
    return 0;
}

// The descriptor of this process that a kernel link names (/proc/<this process>/fd/<n>), -1 for
// any other name.
int own_descriptor(const std::filesystem::path& link)
{
    const std::filesystem::path own = std::filesystem::path("/proc") / std::to_string(::getpid()) / "fd";
    if (link.parent_path() != own)
        return -1;
    const std::string digits = link.filename().native();
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoi(digits);
}

// Whether the process may override the ownership of files (CAP_FOWNER), as root usually may.
bool may_override_owners()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    return (data[CAP_FOWNER / 32].effective & (1u << (CAP_FOWNER % 32))) != 0;
}

// Whether a new file may be renamed over a file of status `info` in the folder of status `folder`
// (and the file's hard link over its backup): in a sticky folder the system lets only the file's
// owner, the folder's owner or a process that may override owners do so. 0, or EPERM, which the
// rename would give once the new file was made.
int may_replace(const struct stat& folder, const struct stat& info)
{
    if (info.st_uid == ::geteuid())
        return 0;
    if (!(folder.st_mode & S_ISVTX) || folder.st_uid == ::geteuid() || may_override_owners())
        return 0;
    return EPERM;
}

} // namespace

// The content of a save on its way to the temporary file, or held in memory for a device or pipe
// (which then receives nothing from a save that is abandoned). Once a write has failed, every later
// write fails too, so a writer cannot go on as if all were well.
class SafeFileWriter::Buffer : public std::streambuf {
public:
    Buffer() { setp(m_space, m_space + sizeof m_space); }

    void toFile(int fd) { reset(File, fd); }
    void toMemory() { reset(Memory, -1); }
    void refuse() { reset(Refuse, -1); }

    bool drain()
    {
        const std::size_t size = static_cast<std::size_t>(pptr() - pbase());
        setp(m_space, m_space + sizeof m_space);
        if (m_code != 0)
            return false;
        switch (m_mode) {
        case Refuse: m_code = EBADF; return false;
        case Memory: m_memory.append(m_space, size); return true;
        case File: return write_all(m_fd, m_space, size, m_code);
        }
        return false;
    }
    bool failed() const { return m_code != 0; }
    int code() const { return m_code; }
    const std::string& memory() const { return m_memory; }

protected:
    int_type overflow(int_type c) override
    {
        if (!drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return drain() ? 0 : -1; }

private:
    enum Mode { Refuse, File, Memory };

    void reset(Mode mode, int fd)
    {
        setp(m_space, m_space + sizeof m_space);
        m_mode = mode;
        m_fd = fd;
        m_code = 0;
        m_memory.clear();
    }

    Mode m_mode = Refuse;
    int m_fd = -1;
    int m_code = 0;
    std::string m_memory;
    char m_space[1 << 16];
};

SafeFileWriter::SafeFileWriter() : m_buffer(std::make_unique<Buffer>()) {}

SafeFileWriter::~SafeFileWriter() { abandon(); }

bool SafeFileWriter::isOpen() const { return m_open; }

std::streambuf& SafeFileWriter::buffer() { return *m_buffer; }

bool SafeFileWriter::writeFailed() const { return m_buffer->failed(); }

void SafeFileWriter::abandon()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty() && m_folder.valid())
        ::unlinkat(m_folder.get(), m_temporary.c_str(), 0);
    m_temporary.clear();
    forget_temporary(m_temporarySlot);
    m_temporarySlot = -1;
    m_folder.reset();
    m_name.clear();
    m_open = false;
    m_inPlace = false;
    m_buffer->refuse();
}

bool SafeFileWriter::refuse(int code, Refusal refusal, const std::filesystem::path& refused)
{
    abandon();
    m_failure = failure("open", error_text(code));
    m_failure.refusal = refusal;
    m_failure.refused = refused;
    errno = code;
    return false;
}

bool SafeFileWriter::open(const std::filesystem::path& name)
{
    abandon();
    m_failure = SafeSaveResult();
    m_given = name;
    WalkedPath walked = walk_path(name);
    // A regular file behind a kernel link (/dev/stdout sent to a file) is replaced under the name it
    // has here, where it has one.
    if (walked.kernelLink && walked.exists && S_ISREG(walked.info.st_mode))
        walked = walk_kernel_link_text(walked);
    m_target = walked.path;
    if (!walked.refusedLink.empty())
        return refuse(EACCES, Refusal::OthersLink, walked.refusedLink);
    if (walked.error != 0)
        return refuse(walked.error);
    // From here on every step names the file by the folder the walk holds open and the name in it.
    m_folder = std::move(walked.folder);
    m_name = walked.name;
    const bool exists = walked.exists;
    const bool kernelLink = walked.kernelLink;
    struct stat old = walked.info;
    FileDescriptor oldFile;
    if (exists && S_ISREG(old.st_mode) && !kernelLink) {
        oldFile = open_old(m_folder.get(), m_name, old);
        if (!oldFile.valid())
            return refuse(errno);
    }
    if (exists && S_ISDIR(old.st_mode))
        return refuse(EISDIR);
    // What a kernel link leads to has no name beside which a new file could take its place: a pipe,
    // socket or device is written in place like one found at its name, anything else is refused.
    if (kernelLink && (!exists || S_ISREG(old.st_mode)))
        return refuse(ENOENT);
    if (exists && !S_ISREG(old.st_mode) && !owner_rule_allows(walked.folderInfo, old))
        return refuse(EACCES, Refusal::OthersDevice, m_target);
    // A file its permissions keep from changes stays as it is.
    if (const int code = exists ? may_write(m_folder.get(), m_name, old, kernelLink) : 0)
        return refuse(code);
    if (exists && !S_ISREG(old.st_mode))
        return openInPlace(kernelLink);
    if (const int code = exists ? may_replace(walked.folderInfo, old) : 0)
        return refuse(code, Refusal::OthersInSticky, m_target);
    // A new file gets the permissions the user's umask gives; a replaced one starts private and then
    // takes the old file's.
    m_fd = create_exclusive(m_folder.get(), m_name, exists ? 0600 : 0666, m_temporary, m_temporarySlot);
    if (m_fd < 0)
        return refuse(errno);
    if (const int code = exists ? take_over(oldFile.get(), old, m_fd) : 0)
        return refuse(code, Refusal::Attributes, m_target);
    m_open = true;
    m_buffer->toFile(m_fd);
    return true;
}

bool SafeFileWriter::openInPlace(bool kernelLink)
{
    const auto inPlace = [this](int fd) {
        m_fd = fd;
        m_inPlace = true;
        m_open = true;
        m_buffer->toMemory();
        return true;
    };
    // Opened without waiting: a pipe that no program reads fails here at once instead of holding the
    // save for ever. A link put at the name since it was examined is not followed, but a kernel link is
    // the name that leads there: the kernel follows it to its pipe or device and no further.
    const int follow = kernelLink ? 0 : O_NOFOLLOW;
    int fd = ::openat(m_folder.get(), m_name.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | follow);
    if (fd < 0 && errno == ENXIO && kernelLink) {
        // A socket is not opened again through its link: one this process holds is written through a
        // copy of its own descriptor, which is left as it is (blocking or not).
        if (const int own = own_descriptor(m_target); own >= 0) {
            fd = ::fcntl(own, F_DUPFD_CLOEXEC, 0);
            struct stat info {};
            if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISSOCK(info.st_mode))) {
                ::close(fd);
                fd = -1;
                errno = ENXIO;
            }
            if (fd >= 0)
                return inPlace(fd);
        }
    }
    if (fd < 0) {
        const int code = errno;
        struct stat info {};
        if (code == ENXIO &&
            ::fstatat(m_folder.get(), m_name.c_str(), &info, kernelLink ? 0 : AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISFIFO(info.st_mode))
            return refuse(code, Refusal::PipeWithoutReader, m_target);
        return refuse(code);
    }
    struct stat info {
    }, shared{};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        // A regular file put there meanwhile would be written over in place: the save stops.
        const int code = S_ISREG(info.st_mode) ? EAGAIN : errno;
        ::close(fd);
        return refuse(code);
    }
    // Another user's pipe put there meanwhile is refused as one found there at first.
    if (::fstat(m_folder.get(), &shared) != 0 || !owner_rule_allows(shared, info)) {
        ::close(fd);
        return refuse(EACCES, Refusal::OthersDevice, m_target);
    }
    return inPlace(fd);
}

void set_replace_check_hook(std::function<void()> hook) { replace_check_hook() = std::move(hook); }

SafeSaveResult SafeFileWriter::fail(const std::string& step, int code)
{
    abandon();
    return failure(step, error_text(code));
}

SafeSaveResult SafeFileWriter::commit(const std::filesystem::path& givenBackup, Backup backup,
                                      const ReplaceCheck& check)
{
    if (!m_open)
        return m_failure.ok ? failure("write", error_text(EBADF)) : m_failure;
    if (!m_buffer->drain())
        return fail("write", m_buffer->code());
    if (m_inPlace) {
        int code = 0;
        write_all(m_fd, m_buffer->memory().data(), m_buffer->memory().size(), code);
        const int fd = m_fd;
        m_fd = -1;
        abandon();
        if (::close(fd) != 0 && code == 0 && errno != EINTR)
            code = errno;
        return code != 0 ? failure("write", error_text(code)) : SafeSaveResult();
    }
    if (::fsync(m_fd) != 0)
        return fail("write", errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        return fail("write", errno);

    SafeSaveResult result;
    const auto backupFailed = [&](int code, const std::filesystem::path& refused, Refusal refusal,
                                  std::size_t nameLimit = 0) {
        if (backup == Backup::Optional) {
            result.backupError = error_text(code);
            result.nameLimit = nameLimit;
            return false;
        }
        result = fail("backup", code);
        result.refusal = refusal;
        result.refused = refusal == Refusal::None ? std::filesystem::path() : refused;
        result.nameLimit = nameLimit;
        return true;
    };
    // The backup's folder: the target's own where it is named after the target (so that through a
    // link it goes beside the linked file), else a walk of its own that keeps a link at its name.
    WalkedPath elsewhere;
    int backupFolder = -1;
    std::string backupName;
    std::filesystem::path backupPath;
    struct stat old {};
    if (!givenBackup.empty() && ::fstatat(m_folder.get(), m_name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0) {
        if (givenBackup == std::filesystem::path(m_given.native() + ".backup")) {
            backupFolder = m_folder.get();
            backupName = m_name + ".backup";
            backupPath = m_target.native() + ".backup";
        } else {
            elsewhere = walk_path(givenBackup, LastLink::Keep);
            backupFolder = elsewhere.folder.get();
            backupName = elsewhere.name;
            backupPath = elsewhere.path;
            if (elsewhere.error != 0 &&
                backupFailed(elsewhere.error, elsewhere.refusedLink,
                             elsewhere.refusedLink.empty() ? Refusal::None : Refusal::OthersLink))
                return result;
        }
    }
    PendingBackup pending;
    if (backupFolder >= 0) {
        // Another user's older backup in a sticky folder cannot be replaced: said as such, and no
        // link of the target is made beside it. Nor can a folder, and a name longer than the folder
        // allows cannot be made at all: both are found before anything is put in place.
        struct stat older {
        }, shared{};
        const std::size_t limit = name_limit(backupFolder);
        const bool tooLong = backupName.size() > limit;
        const bool there = ::fstatat(backupFolder, backupName.c_str(), &older, AT_SYMLINK_NOFOLLOW) == 0;
        const bool othersBackup = there && ::fstat(backupFolder, &shared) == 0 && may_replace(shared, older) != 0;
        const int code = tooLong        ? ENAMETOOLONG
                         : othersBackup ? EPERM
                         : there && S_ISDIR(older.st_mode)
                             ? EISDIR
                             : pending.make(m_folder.get(), m_name, backupFolder, backupName);
        const Refusal refusal = tooLong ? Refusal::NameTooLong : othersBackup ? Refusal::OthersInSticky : Refusal::None;
        if (code != 0 && backupFailed(code, backupPath, refusal, tooLong ? limit : 0))
            return result;
    }
    // The file about to be replaced, held open so that it can be examined once more after the rename.
    FileDescriptor replaced;
    FileIdentity checked;
    if (check) {
        if (replace_check_hook())
            replace_check_hook()();
        struct stat info {};
        replaced = open_old(m_folder.get(), m_name, info);
        if (replaced.valid())
            checked = file_identity(info);
        if (!check(checked)) {
            pending.drop();
            result = fail("write", EAGAIN);
            result.refusal = Refusal::Changed;
            result.refused = m_target;
            return result;
        }
    }
    {
        // The new file and its backup take their names as one step, which no end signal parts: the
        // replaced file's content is never under a temporary name alone when the program ends.
        const EndSignalsHeld held;
        if (::renameat(m_folder.get(), m_temporary.c_str(), m_folder.get(), m_name.c_str()) != 0) {
            const int code = errno;
            pending.drop();
            return fail("write", code);
        }
        m_temporary.clear(); // now the target's name
        forget_temporary(m_temporarySlot);
        m_temporarySlot = -1;
        result.newFileInPlace = true;
        const bool backingUp = pending.made();
        const int code = backingUp ? pending.place() : 0;
        if (code != 0 && backup == Backup::Optional) {
            result.backupError = error_text(code);
        } else if (code != 0) {
            // The new file is in place: the old one stays under the backup's temporary name, and an
            // older backup at the name (one that cannot be replaced) as it was.
            struct stat older {};
            result.ok = false;
            result.step = "backup";
            result.error = error_text(code);
            result.keptAs = pending.keep();
            std::error_code unknown; // a folder deeper than PATH_MAX keeps the name it was given
            result.keptIn = std::filesystem::absolute(backupPath, unknown).parent_path();
            if (unknown)
                result.keptIn = backupPath.has_parent_path() ? backupPath.parent_path() : ".";
            result.olderBackupKept = ::fstatat(backupFolder, backupName.c_str(), &older, AT_SYMLINK_NOFOLLOW) == 0;
        }
        result.backedUp = backingUp && code == 0;
    }
    int code = sync_folder(m_folder.get());
    if (code == 0 && backupFolder >= 0 && !same_folder(backupFolder, m_folder.get()))
        code = sync_folder(backupFolder);
    abandon();
    // As late as it can be: a program that opened the old file before the rename and writes to it
    // soon after is seen too.
    struct stat after {};
    if (replaced.valid() && (::fstat(replaced.get(), &after) != 0 || file_identity(after) != checked))
        result.changedAfterCheck = true;
    if (result.ok && result.changedAfterCheck) {
        result.ok = false;
        result.step = "write";
        result.error = error_text(EAGAIN);
        result.refusal = Refusal::Changed;
        result.refused = m_target;
    } else if (result.ok && code != 0) {
        result.ok = false;
        result.step = "write";
        result.error = error_text(code);
    }
    return result;
}

SafeSaveResult save_file_safely(const std::filesystem::path& target, const std::string& bytes,
                                const std::filesystem::path& backupPath, const ReplaceCheck& check)
{
    return save_file_safely(
        target,
        [&bytes](std::ostream& out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            return true;
        },
        backupPath, check);
}

SafeSaveResult save_file_safely(const std::filesystem::path& target, const std::function<bool(std::ostream&)>& writer,
                                const std::filesystem::path& backupPath, const ReplaceCheck& check)
{
    SafeFileWriter file;
    if (!file.open(target))
        return file.openFailure();
    std::ostream out(&file.buffer());
    const bool keep = writer(out);
    out.flush();
    if (!keep) {
        file.abandon();
        return failure("write", std::string());
    }
    return file.commit(backupPath, SafeFileWriter::Backup::Required, check);
}

} // namespace ORBAX_Platform
