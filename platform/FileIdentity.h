#pragma once
// What a file was when the program last read or wrote it, so that a later save can tell whether
// someone else has changed it since: the file itself (device and inode: a file put in place by a
// rename is another file), its size and its modification time to the nanosecond.
#include <cstdint>
#include <filesystem>

#include <sys/stat.h>

namespace ORBAX_Platform {

struct FileIdentity {
    // False when nothing could be examined under the name (it is not there, or the system refused).
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    // The same file in the same state (two names with nothing there are equal).
    bool operator==(const FileIdentity& other) const;
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

// The file that `name` leads to, its links followed.
FileIdentity file_identity(const std::filesystem::path& name);
// The file of that status.
FileIdentity file_identity(const struct stat& status);

// Whether two names lead to one file: the same file where both are there, else the same name once
// both are made absolute.
bool same_file(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace ORBAX_Platform
