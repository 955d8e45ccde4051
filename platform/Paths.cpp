#include "platform/Paths.h"

#include <cerrno>
#include <cstdint>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool open_input(std::ifstream& stream, const std::filesystem::path& path)
{
    stream.open(path.native(), std::ios::in | std::ios::binary);
    return stream.is_open();
}

bool open_output(std::ofstream& stream, const std::filesystem::path& path)
{
    stream.open(path.native(), std::ios::out | std::ios::binary | std::ios::trunc);
    return stream.is_open();
}

namespace {

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

// The read of the open file `fd` whose status is `st`, the file closed after it; nothing is kept of a
// read that fails.
FileRead read_whole(int fd, const struct stat& st, std::size_t maxBytes, std::string& bytes, int& code)
{
    FileRead outcome = FileRead::Read;
    if (S_ISDIR(st.st_mode)) {
        code = EISDIR;
        outcome = FileRead::Failed;
    } else if (S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        outcome = FileRead::TooLarge;
    } else {
        if (S_ISREG(st.st_mode))
            bytes.reserve(static_cast<std::size_t>(st.st_size));
        outcome = read_open_file(fd, maxBytes, bytes, code);
    }
    ::close(fd);
    if (outcome != FileRead::Read)
        std::string().swap(bytes);
    return outcome;
}

} // namespace

FileRead read_file_bytes(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes, int& code)
{
    bytes.clear();
    code = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        code = errno;
        if (fd >= 0)
            ::close(fd);
        return FileRead::Failed;
    }
    return read_whole(fd, st, maxBytes, bytes, code);
}

FileRead read_regular_file(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes, int& code)
{
    bytes.clear();
    code = 0;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        code = errno;
        return FileRead::Failed;
    }
    if (!S_ISREG(st.st_mode))
        return FileRead::NotRegular;
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        return FileRead::TooLarge;
    // Should the name have been swapped for a pipe meanwhile, the open does not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        code = errno;
        if (fd >= 0)
            ::close(fd);
        return FileRead::Failed;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return FileRead::NotRegular;
    }
    return read_whole(fd, st, maxBytes, bytes, code);
}

} // namespace ORBAX_Platform
