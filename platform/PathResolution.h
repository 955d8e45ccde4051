#pragma once
// Following the symbolic links of a file name the way the kernel does, part by part, but only where
// the kernel's guards for shared folders (fs.protected_symlinks, fs.protected_fifos) would allow it,
// whatever those settings are on this machine. Otherwise another user could plant a link in /tmp
// that turns a save into the rewriting of any file the saver may write, or a pipe that receives what
// the saver meant to keep.
//
// The walk opens each folder in turn and ends holding the last one open: whatever is done with the
// file afterwards is done relative to that descriptor, so a folder or link that someone swaps in on
// the way after the walk changes nothing. Nothing looks the whole name up again.
#include <filesystem>
#include <string>

#include <sys/stat.h>

#include "platform/FileDescriptor.h"

namespace ORBAX_Platform {

// The kernel's owner rule for shared folders: the user's own file, a file in a folder that is not
// both sticky and writable by anyone, or a file that the folder's owner owns too. `info` is the
// file's own status (that of the link itself for a link), `folder` the status of the folder that
// holds it.
bool owner_rule_allows(const struct stat& folder, const struct stat& info);

// Whether a link in the name's last place is followed (a file read or written through it) or is
// itself what is meant (a name that a rename replaces).
enum class LastLink { Follow, Keep };

struct WalkedPath {
    // The folder that holds the last part, opened by the walk (without read access: it serves as the
    // base of later calls); not valid where the walk stopped.
    FileDescriptor folder;
    struct stat folderInfo {};
    // The last part, a name in that folder: "." where the name leads to a folder ("/", "a/..").
    std::string name;
    // The name with every link on its way followed, for messages; where a link was refused, that
    // link; where the walk stopped, the rest as it was written.
    std::filesystem::path path;
    // A link that the owner rule keeps from being followed (error is then EACCES).
    std::filesystem::path refusedLink;
    // Why the walk stopped: ELOOP past the kernel's 40 links, or what the system said of a folder on
    // the way (ENOENT, ENOTDIR, EACCES); 0 when it reached the last part, there or not.
    int error = 0;
    // The last part is a link of a process's folder in /proc (/proc/self/fd/1, where /dev/stdout
    // leads, /proc/<pid>/exe), whose text is no name to go by here (see is_kernel_link): a pipe
    // ("pipe:[1234]"), a socket, a deleted file ("/tmp/x (deleted)", whatever file of that name
    // someone has made since), or a name in another mount namespace. Only the kernel can follow it,
    // when the link itself is opened (without O_NOFOLLOW). Such a link on the way is entered through
    // itself too, and what lies below it walked by the owner rule as any folder.
    bool kernelLink = false;
    // The last part is there, and its status (of what a kernel link leads to).
    bool exists = false;
    struct stat info {};
};

// Walks `name` from the current folder (or "/"), following every link on the way where the owner
// rule allows it, at most 40 of them as the kernel does. A part that changes between being examined
// and being opened is examined again.
WalkedPath walk_path(const std::filesystem::path& name, LastLink last = LastLink::Follow);

// For a save over a regular file that a kernel link in the last place leads to (/dev/stdout sent to
// a file): the walk of the name the link's text gives, where that text is a name here (the link's
// process has this one's mount namespace and root) and leads to that very file. Else its error
// (ENOENT where there is no such name).
WalkedPath walk_kernel_link_text(const WalkedPath& link);

// The file a name finally refers to, for messages: walk_path's path, and `refused` (when given)
// receives a link that was not followed.
std::filesystem::path resolve_links(const std::filesystem::path& name, std::filesystem::path* refused = nullptr);

} // namespace ORBAX_Platform
