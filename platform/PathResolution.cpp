#include "platform/PathResolution.h"

#include <cerrno>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace ORBAX_Platform {
namespace {

// The kernel's limit on the links of one name (MAXSYMLINKS).
constexpr int MaxLinks = 40;
// How often a part that was swapped between being examined and being opened is examined again
// before the walk gives up.
constexpr int MaxRetries = 100;
// A folder on the way: never through a link, only to serve as the base of the next step.
constexpr int FolderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Puts the parts of `name` on the stack of parts still to walk, the first part on top. A trailing
// slash stays as an empty last part: the name then means a folder.
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

// The text of the link `name` in `folder`; false with errno set (EINVAL: no longer a link).
bool read_link(int folder, const std::string& name, std::string& target)
{
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t n = ::readlinkat(folder, name.c_str(), buffer.data(), buffer.size());
        if (n < 0)
            return false;
        if (static_cast<std::size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(n));
            target.swap(buffer);
            return true;
        }
        if (buffer.size() > (std::size_t(1) << 16)) {
            errno = ENAMETOOLONG;
            return false;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// A link of /proc that only the kernel can follow: its text does not name what it leads to. The
// kernel's link to an open pipe or socket ("pipe:[1234]"), to a deleted file ("/tmp/x (deleted)")
// and to a file or folder that its text names in another mount namespace: what the text names, if
// anything, is another file (another user may plant "/tmp/x (deleted)"), and only opening the link
// itself reaches what it stands for. The two are compared as files, device and inode.
bool is_kernel_link(int folder, const std::string& part, const std::string& target)
{
    struct statfs fs {};
    if (::fstatfs(folder, &fs) != 0 || fs.f_type != PROC_SUPER_MAGIC)
        return false;
    struct stat opened {
    }, named{};
    return ::fstatat(folder, part.c_str(), &opened, 0) != 0 ||
           ::fstatat(folder, target.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 || opened.st_dev != named.st_dev ||
           opened.st_ino != named.st_ino;
}

class Walk {
public:
    Walk(const std::filesystem::path& name, LastLink last) : m_last(last), m_done(name.root_path())
    {
        push_parts(name, m_pending);
    }

    WalkedPath run(bool absolute)
    {
        m_folder.reset(::open(absolute ? "/" : ".", FolderFlags));
        if (!m_folder.valid())
            return stop(errno, m_done);
        while (!m_pending.empty()) {
            std::string part = std::move(m_pending.back());
            m_pending.pop_back();
            const bool last = m_pending.empty();
            if (part.empty() || part == ".") {
                if (last)
                    return finish(".");
                continue;
            }
            if (part == "..") {
                FileDescriptor up(::openat(m_folder.get(), "..", FolderFlags));
                if (!up.valid())
                    return stop(errno, m_done / part);
                m_folder = std::move(up);
                m_done = parent_of(m_done);
                if (last)
                    return finish(".");
                continue;
            }
            if (!step(part, last))
                return std::move(m_result);
        }
        return finish(".");
    }

private:
    // One part of the name: a link followed, a folder entered, or the last part reached. False when
    // the walk is over.
    bool step(const std::string& part, bool last)
    {
        const std::filesystem::path next = m_done / part;
        struct stat info {};
        if (::fstatat(m_folder.get(), part.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            const int code = errno;
            if (last && code == ENOENT) {
                m_result = finish(part);
                return false;
            }
            m_result = stop(code, next);
            return false;
        }
        if (S_ISLNK(info.st_mode) && !(last && m_last == LastLink::Keep))
            return follow(part, info, last);
        if (last) {
            m_result = finish(part);
            m_result.exists = true;
            m_result.info = info;
            return false;
        }
        if (!S_ISDIR(info.st_mode)) {
            m_result = stop(ENOTDIR, next);
            return false;
        }
        FileDescriptor inner(::openat(m_folder.get(), part.c_str(), FolderFlags));
        if (!inner.valid()) {
            const int code = errno;
            // Made a link, a file or nothing since it was examined: looked at again.
            if ((code == ENOTDIR || code == ELOOP || code == ENOENT) && ++m_retries <= MaxRetries) {
                m_pending.push_back(part);
                return true;
            }
            m_result = stop(code, next);
            return false;
        }
        m_folder = std::move(inner);
        m_done = next;
        return true;
    }

    bool follow(const std::string& part, const struct stat& info, bool last)
    {
        const std::filesystem::path next = m_done / part;
        struct stat shared {};
        if (++m_links > MaxLinks) {
            m_result = stop(ELOOP, next);
            return false;
        }
        if (::fstat(m_folder.get(), &shared) != 0 || !owner_rule_allows(shared, info)) {
            m_result = stop(EACCES, next);
            m_result.path = m_result.refusedLink = next;
            return false;
        }
        std::string target;
        if (!read_link(m_folder.get(), part, target)) {
            const int code = errno;
            if (code == EINVAL && ++m_retries <= MaxRetries) { // no longer a link
                --m_links;
                m_pending.push_back(part);
                return true;
            }
            m_result = stop(code, next);
            return false;
        }
        if (is_kernel_link(m_folder.get(), part, target)) {
            if (last) {
                m_result = finish(part);
                m_result.kernelLink = true;
                m_result.exists = ::fstatat(m_result.folder.get(), part.c_str(), &m_result.info, 0) == 0;
                return false;
            }
            // A folder on the way (/proc/self/cwd, /proc/self/fd/N of a folder) is entered as the
            // kernel enters it, through the link itself, and named by the link.
            FileDescriptor inner(::openat(m_folder.get(), part.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
            if (!inner.valid()) {
                m_result = stop(errno, next);
                return false;
            }
            m_folder = std::move(inner);
            m_done = next;
            return true;
        }
        if (target.empty()) {
            m_result = stop(ENOENT, next);
            return false;
        }
        if (target.front() == '/') {
            m_folder.reset(::open("/", FolderFlags));
            m_done = "/";
            if (!m_folder.valid()) {
                m_result = stop(errno, next);
                return false;
            }
        }
        // The link's own trailing slash counts as the name's.
        push_parts(target, m_pending);
        return true;
    }

    // The walk reached the last part, `name` in the folder held.
    WalkedPath finish(const std::string& name)
    {
        WalkedPath result;
        result.name = name;
        result.path = name == "." ? (m_done.empty() ? std::filesystem::path(".") : m_done) : m_done / name;
        if (::fstat(m_folder.get(), &result.folderInfo) != 0)
            return stop(errno, result.path);
        if (name == ".") {
            result.exists = true;
            result.info = result.folderInfo;
        }
        result.folder = std::move(m_folder);
        return result;
    }

    // The walk stopped at `at` with the system's error `code`; the parts not walked are kept as they
    // were written, for messages.
    WalkedPath stop(int code, std::filesystem::path at)
    {
        WalkedPath result;
        for (auto rest = m_pending.rbegin(); rest != m_pending.rend(); ++rest)
            at /= *rest;
        result.path = std::move(at);
        result.error = code;
        m_folder.reset();
        return result;
    }

    const LastLink m_last;
    FileDescriptor m_folder;
    std::filesystem::path m_done;
    std::vector<std::string> m_pending;
    int m_links = 0;
    int m_retries = 0;
    WalkedPath m_result;
};

} // namespace

bool owner_rule_allows(const struct stat& folder, const struct stat& info)
{
    if (info.st_uid == ::geteuid())
        return true;
    if ((folder.st_mode & (S_ISVTX | S_IWOTH)) != (S_ISVTX | S_IWOTH))
        return true;
    return folder.st_uid == info.st_uid;
}

WalkedPath walk_path(const std::filesystem::path& name, LastLink last)
{
    if (name.empty()) {
        WalkedPath result;
        result.error = ENOENT;
        return result;
    }
    return Walk(name, last).run(name.is_absolute());
}

std::filesystem::path resolve_links(const std::filesystem::path& name, std::filesystem::path* refused)
{
    WalkedPath walked = walk_path(name);
    if (refused)
        *refused = walked.refusedLink;
    return walked.path;
}

} // namespace ORBAX_Platform
