#include "platform/Paths.h"

#include <cerrno>
#include <system_error>

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

} // namespace ORBAX_Platform
