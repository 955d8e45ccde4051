#include "platform/SafeFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>
#include <unistd.h>

#include <fcntl.h>

namespace ORBAX_Platform {
namespace {

std::string error_text(int code) { return std::generic_category().message(code); }

// Writes the writer's content straight into a device or pipe.
SafeSaveResult write_in_place(const std::filesystem::path& target, const std::function<bool(std::ostream&)>& writer)
{
    SafeSaveResult result;
    auto fail = [&result](int code) {
        result.ok = false;
        result.step = "write";
        result.error = error_text(code ? code : EIO);
        return result;
    };
    std::ostringstream content;
    if (!writer(content)) {
        result.ok = false;
        result.step = "write";
        return result;
    }
    const std::string bytes = content.str();
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int code = n < 0 ? errno : ENOSPC;
            ::close(fd);
            return fail(code);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0 && errno != EINTR)
        return fail(errno);
    return result;
}

} // namespace

bool is_special_file(const std::filesystem::path& path)
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status))
        return false;
    return !std::filesystem::is_regular_file(status) && !std::filesystem::is_directory(status);
}

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
    if (is_special_file(target))
        return write_in_place(target, writer);
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
