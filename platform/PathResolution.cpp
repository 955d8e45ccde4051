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

// The inode of /proc itself, the same in every mount of the file system.
constexpr ino_t ProcRootInode = 1;

// A link of a process's folder in /proc (cwd, root, exe, fd/N, map_files/..., ns/...), which only the
// kernel can follow: it leads to what the process holds, and its text is at best the name this has in
// the process's own mount namespace and root. Another namespace (a tmpfs mounted over a folder there)
// gives that name another file here, even where the folder it starts from ("/") is the same; a pipe,
// a socket or a deleted file ("/tmp/x (deleted)") has no name at all. The links of /proc itself
// (self, thread-self, mounts) are ordinary ones whose text is a name in /proc.
bool is_kernel_link(int folder)
{
    struct statfs fs {};
    struct stat info {};
    return ::fstatfs(folder, &fs) == 0 && fs.f_type == PROC_SUPER_MAGIC && ::fstat(folder, &info) == 0 &&
           info.st_ino != ProcRootInode;
}

// Whether two names are of one file or folder, as the kernel follows them.
bool same_inode(int folderA, const char* a, int folderB, const char* b)
{
    struct stat first {
    }, second{};
    return ::fstatat(folderA, a, &first, 0) == 0 && ::fstatat(folderB, b, &second, 0) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
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
        if (is_kernel_link(m_folder.get())) {
            if (last) {
                m_result = finish(part);
                m_result.kernelLink = true;
                m_result.exists = ::fstatat(m_result.folder.get(), part.c_str(), &m_result.info, 0) == 0;
                return false;
            }
            // A folder on the way (/proc/<pid>/cwd, /proc/<pid>/root, /proc/self/fd/N of a folder) is
            // entered as the kernel enters it, through the link itself, and named by the link.
            FileDescriptor inner(::openat(m_folder.get(), part.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
            if (!inner.valid()) {
                m_result = stop(errno, next);
                return false;
            }
            m_folder = std::move(inner);
            m_done = next;
            return true;
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

WalkedPath walk_kernel_link_text(const WalkedPath& link)
{
    WalkedPath none;
    none.error = ENOENT;
    none.path = link.path;
    std::string text;
    if (!link.kernelLink || !link.exists || !read_link(link.folder.get(), link.name, text) || text.empty() ||
        text.front() != '/')
        return none;
    // The folder of the process the link is of: the link's own (exe, cwd, root) or the one above it
    // (fd/N, map_files/...).
    struct stat info {};
    const char* process =
        ::fstatat(link.folder.get(), "ns", &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode) ? "." : "..";
    const FileDescriptor folder(::openat(link.folder.get(), process, O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid() || !same_inode(folder.get(), "ns/mnt", AT_FDCWD, "/proc/thread-self/ns/mnt") ||
        !same_inode(folder.get(), "root", AT_FDCWD, "/"))
        return none;
    WalkedPath named = walk_path(text);
    const bool same = named.exists && !named.kernelLink && named.info.st_dev == link.info.st_dev &&
                      named.info.st_ino == link.info.st_ino;
    return named.error != 0 || same ? std::move(named) : std::move(none);
}

std::filesystem::path resolve_links(const std::filesystem::path& name, std::filesystem::path* refused)
{
    WalkedPath walked = walk_path(name);
    if (refused)
        *refused = walked.refusedLink;
    return walked.path;
}

} // namespace ORBAX_Platform
