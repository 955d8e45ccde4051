#include "platform/Paths.h"

#include <cerrno>
#include <cstdint>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ORBAX_Platform {

std::filesystem::path path_from_wide(const std::wstring& name) { return std::filesystem::path(utf8_from_wide(name)); }

std::filesystem::path path_from_utf8(const std::string& name) { return std::filesystem::path(name); }

std::wstring wide_from_path(const std::filesystem::path& path) { return wide_from_utf8(path.native()); }

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

bool read_file_bytes(const std::filesystem::path& path, std::string& bytes, std::string* error)
{
    bytes.clear();
    std::ifstream in;
    errno = 0;
    if (!open_input(in, path)) {
        if (error)
            *error = std::generic_category().message(errno ? errno : ENOENT);
        return false;
    }
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        if (error)
            *error = std::generic_category().message(errno ? errno : EIO);
        return false;
    }
    return true;
}

NamedFileRead read_named_file(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes, int& code)
{
    bytes.clear();
    code = 0;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        code = errno;
        return NamedFileRead::Failed;
    }
    if (!S_ISREG(st.st_mode))
        return NamedFileRead::NotRegular;
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        return NamedFileRead::TooLarge;
    // Should the name have been swapped for a pipe meanwhile, the open does not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        code = errno;
        return NamedFileRead::Failed;
    }
    NamedFileRead outcome = NamedFileRead::Read;
    if (::fstat(fd, &st) != 0) {
        code = errno;
        outcome = NamedFileRead::Failed;
    } else if (!S_ISREG(st.st_mode)) {
        outcome = NamedFileRead::NotRegular;
    } else {
        // A file that grows while it is read is cut off one byte past the limit and refused.
        char block[1 << 16];
        for (;;) {
            const ssize_t n = ::read(fd, block, sizeof block);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                code = errno;
                outcome = NamedFileRead::Failed;
                break;
            }
            if (n == 0)
                break;
            bytes.append(block, static_cast<std::size_t>(n));
            if (bytes.size() > maxBytes) {
                outcome = NamedFileRead::TooLarge;
                break;
            }
        }
    }
    ::close(fd);
    if (outcome != NamedFileRead::Read)
        bytes.clear();
    return outcome;
}

} // namespace ORBAX_Platform
