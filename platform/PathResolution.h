#pragma once
// Following the symbolic links of a file name the way the kernel does, part by part, but only where
// the kernel's guards for shared folders (fs.protected_symlinks, fs.protected_fifos) would allow it,
// whatever those settings are on this machine. Otherwise another user could plant a link in /tmp
// that turns a save into the rewriting of any file the saver may write, or a pipe that receives what
// the saver meant to keep.
#include <filesystem>
#include <sys/stat.h>

namespace ORBAX_Platform {

// The folder that holds `file`: its parent, or "." for a bare name.
std::filesystem::path folder_of(const std::filesystem::path& file);

// The kernel's owner rule for shared folders: the user's own file, a file in a folder that is not
// both sticky and writable by anyone, or a file that the folder's owner owns too. `info` is the
// file's own status (that of the link itself for a link).
bool owner_rule_allows(const std::filesystem::path& file, const struct stat& info);

struct ResolvedPath {
    // The name with every link on its way followed (also to a file not there yet); where a link was
    // refused, that link itself.
    std::filesystem::path path;
    // A link that the owner rule keeps from being followed.
    std::filesystem::path refusedLink;
    // ELOOP past the kernel's 40 links (a loop, or a chain too long); 0 otherwise.
    int error = 0;
    // `path` is a link of the kernel's own that leads to no name: /proc/self/fd/1 (where /dev/stdout
    // leads) of a pipe ("pipe:[1234]"), a socket or a deleted file. Only the kernel can follow it, when
    // the link itself is opened.
    bool kernelLink = false;
};

// Resolves every link of `name`: the folders on the way and the last part. A name that is not there
// (or that leads through something other than a folder) stops the walk; the rest is kept as written,
// and the open that follows fails as it would have. A link of /proc whose text names nothing stops
// the walk as a kernel link.
ResolvedPath resolve_path(const std::filesystem::path& name);

// The file a name finally refers to: resolve_path's path, and `refused` (when given) receives a
// link that was not followed.
std::filesystem::path resolve_links(const std::filesystem::path& name, std::filesystem::path* refused = nullptr);

} // namespace ORBAX_Platform
