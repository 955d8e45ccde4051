#include "platform/SafeFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <unistd.h>

#include <fcntl.h>

namespace ORBAX_Platform {
namespace {

std::string error_text(int code) { return std::generic_category().message(code); }

} // namespace

bool sync_file(const std::filesystem::path& path)
{
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

std::filesystem::path temporary_name_for(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    std::filesystem::path tmp = target;
    tmp += ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    return tmp;
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

std::filesystem::path resolve_links(const std::filesystem::path& name)
{
    std::filesystem::path path = name;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(path, ec))
            return path;
        std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec)
            return path;
        path = next.is_relative() ? path.parent_path() / next : next;
    }
    return path;
}

SafeSaveResult save_file_safely(const std::filesystem::path& givenTarget,
                                const std::function<bool(std::ostream&)>& writer,
                                const std::filesystem::path& givenBackup)
{
    const std::filesystem::path target = resolve_links(givenTarget);
    std::filesystem::path backupPath = givenBackup;
    if (target != givenTarget && !givenBackup.empty() &&
        givenBackup == std::filesystem::path(givenTarget.native() + ".backup"))
        backupPath = target.native() + ".backup";
    SafeSaveResult result;
    const std::filesystem::path tmp = temporary_name_for(target);
    auto fail = [&](const std::string& step, int code) {
        std::error_code ignored;
        std::filesystem::remove(tmp, ignored);
        result.ok = false;
        result.step = step;
        result.error = error_text(code ? code : EIO);
        return result;
    };

    {
        std::ofstream out;
        errno = 0;
        out.open(tmp.native(), std::ios::out | std::ios::binary | std::ios::trunc);
        if (!out.is_open())
            return fail("write", errno);
        bool keep = writer(out);
        out.flush();
        if (!keep) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(tmp, ignored);
            result.ok = false;
            result.step = "write";
            return result;
        }
        if (!out)
            return fail("write", errno);
        out.close();
        if (out.fail())
            return fail("write", errno);
    }
    if (!sync_file(tmp))
        return fail("write", errno);

    std::error_code ec;
    bool backedUp = false;
    if (!backupPath.empty() && std::filesystem::exists(target, ec)) {
        std::filesystem::remove(backupPath, ec);
        if (ec)
            return fail("backup", ec.value());
        std::filesystem::rename(target, backupPath, ec);
        if (ec)
            return fail("backup", ec.value());
        backedUp = true;
    }
    std::filesystem::rename(tmp, target, ec);
    if (ec) {
        int code = ec.value();
        if (backedUp) {
            std::error_code ignored;
            std::filesystem::rename(backupPath, target, ignored);
        }
        return fail("write", code);
    }
    return result;
}

} // namespace ORBAX_Platform
