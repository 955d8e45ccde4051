#include "platform/PathResolution.h"

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace ORBAX_Platform {
namespace {

// The kernel's limit on the links of one name (MAXSYMLINKS).
constexpr int MaxLinks = 40;

// Puts the parts of `name` on the stack of parts still to walk, the first part on top.
void push_parts(const std::filesystem::path& name, std::vector<std::string>& pending)
{
    std::vector<std::string> parts;
    for (const std::filesystem::path& part : name.relative_path())
        parts.push_back(part.native());
    pending.insert(pending.end(), parts.rbegin(), parts.rend());
}

// The folder above `done`, which holds no links: ".." of a physical folder is its parent there.
std::filesystem::path parent_of(const std::filesystem::path& done)
{
    if (done.empty() || done.filename() == "..")
        return done / "..";
    if (done == done.root_path())
        return done;
    return done.parent_path();
}

// A link of /proc whose text, read as a name, leads nowhere: the kernel's own link to an open pipe,
// socket or deleted file ("pipe:[1234]", "/tmp/x (deleted)"). Walking its text would make a new file
// of that name; only opening the link itself reaches what it stands for.
bool is_kernel_link(const std::filesystem::path& folder, const std::filesystem::path& target)
{
    struct statfs fs {};
    if (::statfs(folder.empty() ? "." : folder.c_str(), &fs) != 0 || fs.f_type != PROC_SUPER_MAGIC)
        return false;
    struct stat info {};
    return ::lstat((target.is_absolute() ? target : folder / target).c_str(), &info) != 0;
}

} // namespace

std::filesystem::path folder_of(const std::filesystem::path& file)
{
    std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

bool owner_rule_allows(const std::filesystem::path& file, const struct stat& info)
{
    if (info.st_uid == ::geteuid())
        return true;
    struct stat shared {};
    if (::stat(folder_of(file).c_str(), &shared) != 0)
        return false;
    if ((shared.st_mode & (S_ISVTX | S_IWOTH)) != (S_ISVTX | S_IWOTH))
        return true;
    return shared.st_uid == info.st_uid;
}

ResolvedPath resolve_path(const std::filesystem::path& name)
{
    ResolvedPath result;
    if (name.empty())
        return result;
    std::filesystem::path done = name.root_path();
    std::vector<std::string> pending;
    push_parts(name, pending);
    int links = 0;
    while (!pending.empty()) {
        const std::string part = pending.back();
        pending.pop_back();
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            done = parent_of(done);
            continue;
        }
        const std::filesystem::path next = done / part;
        struct stat info {};
        if (::lstat(next.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            done = next;
            if (!S_ISDIR(info.st_mode) && !pending.empty()) {
                // Not there, or no folder: the rest as written, for the open to refuse.
                for (auto rest = pending.rbegin(); rest != pending.rend(); ++rest)
                    done /= *rest;
                break;
            }
            continue;
        }
        if (++links > MaxLinks) {
            result.path = next;
            result.error = ELOOP;
            return result;
        }
        if (!owner_rule_allows(next, info)) {
            result.path = next;
            result.refusedLink = next;
            return result;
        }
        std::error_code ec;
        const std::filesystem::path target = std::filesystem::read_symlink(next, ec);
        if (ec) {
            done = next;
            continue;
        }
        if (pending.empty() && is_kernel_link(done, target)) {
            result.path = next;
            result.kernelLink = true;
            return result;
        }
        if (target.is_absolute())
            done = target.root_path();
        push_parts(target, pending);
    }
    result.path = done.empty() ? std::filesystem::path(".") : done;
    return result;
}

std::filesystem::path resolve_links(const std::filesystem::path& name, std::filesystem::path* refused)
{
    ResolvedPath resolved = resolve_path(name);
    if (refused)
        *refused = resolved.refusedLink;
    return resolved.path;
}

} // namespace ORBAX_Platform
