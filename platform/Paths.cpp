#include "platform/Paths.h"

#include <atomic>
#include <cerrno>
#include <cstdint>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/PathResolution.h"

namespace ORBAX_Platform {

bool path_from_wide(const std::wstring& name, std::filesystem::path& path)
{
    std::string bytes;
    if (!name_from_wide(name, bytes)) {
        path.clear();
        return false;
    }
    path = std::move(bytes);
    return true;
}

std::filesystem::path path_from_wide(const std::wstring& name)
{
    std::filesystem::path path;
    path_from_wide(name, path);
    return path;
}

std::filesystem::path path_from_utf8(const std::string& name) { return std::filesystem::path(name); }

std::wstring wide_from_path(const std::filesystem::path& path) { return wide_from_name(path.native()); }

std::wstring folder_of_name(const std::wstring& name) { return wide_from_path(path_from_wide(name).parent_path()); }

bool open_output(std::ofstream& stream, const std::filesystem::path& path)
{
    stream.open(path.native(), std::ios::out | std::ios::binary | std::ios::trunc);
    return stream.is_open();
}

namespace {

std::atomic<bool> regularFilesOnly{false};

// Reads the open file `fd` to its end into `bytes`, stopping once more than `maxBytes` have come (a file
// that grows while it is read, a pipe or a device that never ends).
FileRead read_open_file(int fd, std::size_t maxBytes, std::string& bytes, int& code)
{
    char block[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            code = errno;
            return FileRead::Failed;
        }
        if (n == 0)
            return FileRead::Read;
        if (static_cast<std::size_t>(n) > maxBytes - bytes.size())
            return FileRead::TooLarge;
        bytes.append(block, static_cast<std::size_t>(n));
    }
}

// The read of the open file `fd` whose status is `st`; nothing is kept of a read that fails.
FileRead read_whole(int fd, const struct stat& st, std::size_t maxBytes, std::string& bytes, int& code)
{
    FileRead outcome = FileRead::TooLarge;
    if (!S_ISREG(st.st_mode) || static_cast<std::uintmax_t>(st.st_size) <= maxBytes) {
        if (S_ISREG(st.st_mode))
            bytes.reserve(static_cast<std::size_t>(st.st_size));
        outcome = read_open_file(fd, maxBytes, bytes, code);
    }
    if (outcome != FileRead::Read)
        std::string().swap(bytes);
    return outcome;
}

// A pipe, device or socket: what the owner rule for shared folders governs beside links.
bool is_special(const struct stat& st) { return !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode); }

} // namespace

void read_regular_files_only() { regularFilesOnly.store(true); }

bool reading_regular_files_only() { return regularFilesOnly.load(); }

FileRead open_for_reading(const std::filesystem::path& path, bool regularOnly, FileDescriptor& file, struct stat& st,
                          int& code)
{
    file.reset();
    code = 0;
    regularOnly = regularOnly || reading_regular_files_only();
    const WalkedPath walked = walk_path(path);
    if (walked.error != 0 || !walked.exists) {
        code = walked.error != 0 ? walked.error : ENOENT;
        return FileRead::Failed;
    }
    st = walked.info;
    if (is_special(st) && regularOnly)
        return FileRead::NotRegular;
    if (is_special(st) && !owner_rule_allows(walked.folderInfo, st)) {
        code = EACCES;
        return FileRead::Failed;
    }
    if (S_ISDIR(st.st_mode)) {
        code = EISDIR;
        return FileRead::Failed;
    }
    // A pipe the user named may wait for its writer. Anything else is opened without waiting, should
    // its name have been given to a pipe since the walk examined it.
    const bool mayWait = is_special(st);
    const int flags =
        O_RDONLY | O_NOCTTY | O_CLOEXEC | (walked.kernelLink ? 0 : O_NOFOLLOW) | (mayWait ? 0 : O_NONBLOCK);
    file.reset(::openat(walked.folder.get(), walked.name.c_str(), flags));
    if (!file.valid() || ::fstat(file.get(), &st) != 0) {
        code = errno;
        file.reset();
        return FileRead::Failed;
    }
    FileRead outcome = FileRead::Read;
    if (S_ISDIR(st.st_mode))
        code = EISDIR;
    else if (is_special(st) && regularOnly)
        outcome = FileRead::NotRegular;
    else if (is_special(st) && !owner_rule_allows(walked.folderInfo, st))
        code = EACCES;
    else if (!mayWait) {
        const int now = ::fcntl(file.get(), F_GETFL);
        if (now < 0 || ::fcntl(file.get(), F_SETFL, now & ~O_NONBLOCK) != 0)
            code = errno;
    }
    if (code != 0)
        outcome = FileRead::Failed;
    if (outcome != FileRead::Read)
        file.reset();
    return outcome;
}

FileRead read_file_bytes(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes, int& code,
                         FileIdentity* opened)
{
    bytes.clear();
    FileDescriptor file;
    struct stat st {};
    const FileRead outcome = open_for_reading(path, false, file, st, code);
    if (opened)
        *opened = outcome == FileRead::Read ? file_identity(st) : FileIdentity();
    return outcome == FileRead::Read ? read_whole(file.get(), st, maxBytes, bytes, code) : outcome;
}

FileRead read_regular_file(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes, int& code)
{
    bytes.clear();
    FileDescriptor file;
    struct stat st {};
    const FileRead outcome = open_for_reading(path, true, file, st, code);
    if (outcome == FileRead::Failed && code == EISDIR)
        return FileRead::NotRegular;
    return outcome == FileRead::Read ? read_whole(file.get(), st, maxBytes, bytes, code) : outcome;
}

} // namespace ORBAX_Platform
