#pragma once
// What a file was when the program last read or wrote it, so that a later save can tell whether
// someone else has changed it since: the file itself (device and inode: a file put in place by a
// rename is another file), its size and its modification time to the nanosecond.
#include <cstdint>
#include <filesystem>

#include <sys/stat.h>

namespace ORBAX_Platform {

struct FileIdentity {
    // False when no file is there, or when the name could not be examined (`error`).
    bool exists = false;
    // Why the name could not be examined (the system's error number: a folder on the way that may not
    // be searched, a loop of links); 0 when it was, the file there or not. Such an identity is no
    // identity: it equals none, not even itself.
    int error = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    // Nothing is there under the name, as far as the system said.
    bool absent() const { return !exists && error == 0; }
    // The same file in the same state (two names with nothing there are equal).
    bool operator==(const FileIdentity& other) const;
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

// The file that `name` leads to, examined through the checked walk (see walk_path), so that a name
// longer than the system takes at once (past PATH_MAX) is examined as a read or a save reaches it.
FileIdentity file_identity(const std::filesystem::path& name);
// The file of that status (that of an open file: the one that was read).
FileIdentity file_identity(const struct stat& status);

// Whether two names lead to one file: the same file where both are there, else the same name once
// both are made absolute.
bool same_file(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace ORBAX_Platform
