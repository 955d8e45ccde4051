#include "platform/SafeFile.h"

#include <cerrno>
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

// A name beside `file` that nobody can guess. A very long name is shortened first, so that the
// temporary name still fits the folder's limit.
std::filesystem::path temporary_beside(const std::filesystem::path& file)
{
    std::string base = file.filename().native();
    if (base.size() > 200)
        base.resize(200);
    return file.parent_path() / (base + ".tmp-" + random_suffix());
}

// Remembers `made` for the end signals (see TemporaryFiles.h) under its full name.
int remember(const std::filesystem::path& made)
{
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(made, ec);
    return ec ? -1 : remember_temporary(full.c_str());
}

// Creates a new file beside `file` exclusively: never an existing file, never through a link. The
// file is remembered for the end signals until forget_temporary(slot).
int create_exclusive(const std::filesystem::path& file, mode_t mode, std::filesystem::path& made, int& slot)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = temporary_beside(file);
        const EndSignalsHeld held;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            made = candidate;
            slot = remember(made);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
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

// Gives the new file `fd` all that `old` (whose status is `info`) carries beside its content: owner,
// group, permissions, access control list and extended attributes. 0, or why the list or an
// attribute could not be given: the new file must then not take the old one's place.
int take_over(const std::filesystem::path& old, const struct stat& info, int fd)
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

// Makes a rename (or a new file) in the folder of `file` last through a crash. A folder that cannot be
// opened or synced on this file system is left as it is; only a failing disk fails the save.
int sync_folder(const std::filesystem::path& file)
{
    const int fd = ::open(folder_of(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const int code = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return code == EIO ? EIO : 0;
}

// The old file copied to `backup`, for file systems without hard links: into a new private file,
// synced, then renamed over any older backup.
int copy_to_backup(const std::filesystem::path& target, const std::filesystem::path& backup)
{
    const int in = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (in < 0)
        return errno;
    struct stat old {};
    if (::fstat(in, &old) != 0) {
        const int code = errno;
        ::close(in);
        return code;
    }
    std::filesystem::path made;
    int slot = -1;
    const int out = create_exclusive(backup, 0600, made, slot);
    if (out < 0) {
        const int code = errno;
        ::close(in);
        return code;
    }
    int code = take_over(target, old, out);
    char block[1 << 16];
    while (code == 0) {
        const ssize_t n = ::read(in, block, sizeof block);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            code = errno;
        if (n <= 0 || !write_all(out, block, static_cast<std::size_t>(n), code))
            break;
    }
    ::close(in);
    if (code == 0 && ::fsync(out) != 0)
        code = errno;
    if (::close(out) != 0 && code == 0 && errno != EINTR)
        code = errno;
    if (code == 0 && ::rename(made.c_str(), backup.c_str()) != 0)
        code = errno;
    if (code != 0)
        ::unlink(made.c_str());
    forget_temporary(slot);
    return code;
}

// Keeps the target's current content under `backup` while the target keeps its name: a hard link
// made under a new name and renamed over any older backup (which never leaves the backup's name
// empty either), or a copy where links are not possible. Returns 0 or the system's error code.
int make_backup(const std::filesystem::path& target, const std::filesystem::path& backup)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path link = temporary_beside(backup);
        int code = 0;
        int slot = -1;
        {
            const EndSignalsHeld held;
            if (::link(target.c_str(), link.c_str()) == 0)
                slot = remember(link);
            else
                code = errno;
        }
        if (code == 0) {
            code = ::rename(link.c_str(), backup.c_str()) == 0 ? 0 : errno;
            // A rename onto another link of the same file does nothing and leaves the new name.
            ::unlink(link.c_str());
            forget_temporary(slot);
            return code;
        }
        switch (code) {
        case EEXIST: continue;
        case EPERM:
        case EXDEV:
        case EMLINK:
        case ENOSYS:
        case EOPNOTSUPP: return copy_to_backup(target, backup);
        default: return code;
        }
    }
    return EEXIST;
}

// Whether the save may write over the existing file `target`: it has a write permission at all, and
// the system lets this user write it. 0 or the error number of the refusal.
int may_write(const std::filesystem::path& target, const struct stat& info)
{
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return EACCES;
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
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

// Whether a new file may be renamed over `target` (and the target's hard link over its backup): in a
// sticky folder the system lets only the file's owner, the folder's owner or a process that may
// override owners do so. 0, or EPERM, which the rename would give once the new file was made.
int may_replace(const std::filesystem::path& target, const struct stat& info)
{
    if (info.st_uid == ::geteuid())
        return 0;
    struct stat shared {};
    if (::stat(folder_of(target).c_str(), &shared) != 0 || !(shared.st_mode & S_ISVTX) ||
        shared.st_uid == ::geteuid() || may_override_owners())
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
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
    m_temporary.clear();
    forget_temporary(m_temporarySlot);
    m_temporarySlot = -1;
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
    const ResolvedPath resolved = resolve_path(name);
    m_target = resolved.path;
    if (!resolved.refusedLink.empty())
        return refuse(EACCES, Refusal::OthersLink, resolved.refusedLink);
    if (resolved.error != 0)
        return refuse(resolved.error);
    if (m_target.empty())
        return refuse(ENOENT);
    struct stat old {};
    const bool exists = ::stat(m_target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return refuse(EISDIR);
    // What a kernel link leads to has no name beside which a new file could take its place: a pipe,
    // socket or device is written in place like one found at its name, anything else is refused.
    if (resolved.kernelLink && (!exists || S_ISREG(old.st_mode)))
        return refuse(ENOENT);
    if (exists && !S_ISREG(old.st_mode) && !owner_rule_allows(m_target, old))
        return refuse(EACCES, Refusal::OthersDevice, m_target);
    // A file its permissions keep from changes stays as it is.
    if (const int code = exists ? may_write(m_target, old) : 0)
        return refuse(code);
    if (exists && !S_ISREG(old.st_mode))
        return openInPlace(resolved.kernelLink);
    if (const int code = exists ? may_replace(m_target, old) : 0)
        return refuse(code, Refusal::OthersInSticky, m_target);
    // A new file gets the permissions the user's umask gives; a replaced one starts private and then
    // takes the old file's.
    m_fd = create_exclusive(m_target, exists ? 0600 : 0666, m_temporary, m_temporarySlot);
    if (m_fd < 0)
        return refuse(errno);
    if (const int code = exists ? take_over(m_target, old, m_fd) : 0)
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
    int fd = ::open(m_target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (kernelLink ? 0 : O_NOFOLLOW));
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
        if (code == ENXIO && ::stat(m_target.c_str(), &info) == 0 && S_ISFIFO(info.st_mode))
            return refuse(code, Refusal::PipeWithoutReader, m_target);
        return refuse(code);
    }
    struct stat info {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        // A regular file put there meanwhile would be written over in place: the save stops.
        const int code = S_ISREG(info.st_mode) ? EAGAIN : errno;
        ::close(fd);
        return refuse(code);
    }
    return inPlace(fd);
}

SafeSaveResult SafeFileWriter::fail(const std::string& step, int code)
{
    abandon();
    return failure(step, error_text(code));
}

SafeSaveResult SafeFileWriter::commit(const std::filesystem::path& givenBackup, Backup backup)
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

    // Through a link, the backup goes beside the file that is replaced.
    std::filesystem::path backupPath = givenBackup;
    if (m_target != m_given && !givenBackup.empty() &&
        givenBackup == std::filesystem::path(m_given.native() + ".backup"))
        backupPath = m_target.native() + ".backup";

    SafeSaveResult result;
    struct stat old {};
    if (!backupPath.empty() && ::stat(m_target.c_str(), &old) == 0) {
        // Another user's older backup in a sticky folder cannot be replaced: said as such, and no
        // link of the target is made beside it.
        struct stat older {};
        const bool othersBackup = ::lstat(backupPath.c_str(), &older) == 0 && may_replace(backupPath, older) != 0;
        const int code = othersBackup ? EPERM : make_backup(m_target, backupPath);
        if (code == 0) {
            result.backedUp = true;
        } else if (backup == Backup::Required) {
            result = fail("backup", code);
            if (othersBackup) {
                result.refusal = Refusal::OthersInSticky;
                result.refused = backupPath;
            }
            return result;
        } else {
            result.backupError = error_text(code);
        }
    }
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        const int code = errno;
        const bool backedUp = result.backedUp;
        result = fail("write", code);
        result.backedUp = backedUp;
        return result;
    }
    m_temporary.clear();
    abandon(); // forgets the temporary name, now the target's
    int code = sync_folder(m_target);
    if (code == 0 && result.backedUp && backupPath.parent_path() != m_target.parent_path())
        code = sync_folder(backupPath);
    if (code != 0) {
        result.ok = false;
        result.step = "write";
        result.error = error_text(code);
    }
    return result;
}

SafeSaveResult save_file_safely(const std::filesystem::path& target, const std::string& bytes,
                                const std::filesystem::path& backupPath)
{
    return save_file_safely(
        target,
        [&bytes](std::ostream& out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            return true;
        },
        backupPath);
}

SafeSaveResult save_file_safely(const std::filesystem::path& target, const std::function<bool(std::ostream&)>& writer,
                                const std::filesystem::path& backupPath)
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
    return file.commit(backupPath);
}

} // namespace ORBAX_Platform
