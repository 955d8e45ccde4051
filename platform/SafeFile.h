#pragma once
// Replacing a file safely: the new content goes to a temporary file beside the target, is flushed
// and checked, and only then renamed over the target. A failed save leaves the old file (and any
// backup) as it was.
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

namespace ORBAX_Platform {

struct SafeSaveResult {
    bool ok = true;
    // What went wrong, in the system's words (empty on success).
    std::string error;
    // Which step failed: "backup" when the old file could not become its backup, "write" otherwise.
    std::string step;
};

// A target that exists and is no regular file (a device, a named pipe, a socket) is written in place:
// no temporary file, no backup, no rename, which would put a plain file where the device or pipe was.
// A failed write there (no space on /dev/full, say) is a failed save.
//
// Writes `bytes` to `target` (the file its links lead to). When `backupPath` is not empty and the target exists, an
// older backup is removed and the existing target is moved to `backupPath` just before the new file is put in place.
SafeSaveResult save_file_safely(const std::filesystem::path& target, const std::string& bytes,
                                const std::filesystem::path& backupPath = {});

// The same, with the content produced by a writer into a binary stream on the temporary file. The
// writer returns false to abandon the save (the target is then left alone).
SafeSaveResult save_file_safely(const std::filesystem::path& target, const std::function<bool(std::ostream&)>& writer,
                                const std::filesystem::path& backupPath = {});

// The file a name finally refers to, following symbolic links (also to a file not there yet). A save
// through a link replaces the linked file, not the link, which would otherwise become a plain file
// while the linked one stays old.
std::filesystem::path resolve_links(const std::filesystem::path& name);

// True when `path` exists and is neither a regular file nor a folder: such a target is written in
// place.
bool is_special_file(const std::filesystem::path& path);

// Forces a written file's content to the disk; false when the system refuses.
bool sync_file(const std::filesystem::path& path);

// The temporary name used beside a target.
std::filesystem::path temporary_name_for(const std::filesystem::path& target);

} // namespace ORBAX_Platform
