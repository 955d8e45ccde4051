#pragma once
// Replacing a file safely: the new content goes to a temporary file beside the target, is flushed,
// checked and synced, and only then renamed over the target. A failed save leaves the old file (and
// any older backup) as it was, and at every moment the target's name holds a whole file.
//
// The temporary file is created exclusively under a random name, never through a link someone
// placed there, and takes the replaced file's permissions (and its owner and group where the user
// may set them), so a save never makes a private file readable by others. A backup is a hard link
// of the old file (a copy where the file system has no links), made under a temporary name before
// the new file is put in place and renamed over any older backup only once it is.
//
// The name is walked once, folder by folder (see walk_path), and every later step (the target's
// status, the temporary file, the backup link, the rename, the removal on a signal) names the file
// relative to the folder that walk opened: a folder or link swapped in on the way afterwards cannot
// send any of them elsewhere.
//
// A file that the system would not let the new one take the place of is refused before anything is
// made: another user's file in a sticky folder (such as /tmp) that a third user owns, unless the
// process may override file ownership (CAP_FOWNER). Nothing would be left there that the user cannot
// remove, not even the hard link a backup begins as.
//
// A file the user may not write is not replaced: write permission on its folder would allow it, but
// the file's own permissions say it is not to be changed, as an editor would ask first. The test is
// the file's own: at least one write permission, and the system's answer for this user (so that even
// root, whom the system lets write anything, keeps off a file that nobody may write).
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

#include "platform/FileDescriptor.h"
#include "platform/FileIdentity.h"

namespace ORBAX_Platform {

// Why a save was refused before anything was written, beyond the system's own refusals.
enum class Refusal {
    None,
    OthersLink,        // a link another user owns in a shared folder (see walk_path)
    OthersDevice,      // a pipe or device that another user owns in a shared folder, by the same rule
    PipeWithoutReader, // a pipe that no program reads: the save would wait for ever
    OthersInSticky,    // another user's file in a sticky folder of a third: only they may replace it
    Attributes,        // the access control list or an extended attribute cannot be kept
    Changed,           // the caller's check found the file changed (see ReplaceCheck)
    NameTooLong        // the backup's name is longer than its folder allows (nameLimit)
};

struct SafeSaveResult {
    bool ok = true;
    // What went wrong, in the system's words (empty on success).
    std::string error;
    // Which step failed: "open" when the save was refused or its file could not be made or opened,
    // "backup" when the old file could not become its backup, "write" when the content could not be
    // written or put in place.
    std::string step;
    // A backup of the replaced file was made.
    bool backedUp = false;
    // For a backup that may fail: why it could not be made (the save went on without it).
    std::string backupError;
    // Where the backup's name is longer than its folder allows, which is found before anything is
    // put in place: the longest name, in bytes, that folder may hold.
    std::size_t nameLimit = 0;
    // Why the save was refused and the file or link concerned; `error` then says why in the system's
    // words.
    Refusal refusal = Refusal::None;
    std::filesystem::path refused;
    // The replaced file changed after the caller's check passed, while the new file took its place
    // (a program that had it open went on writing it): the new file is in place, and the old one,
    // with that change, in the backup where one was made. `ok` is then false, the refusal Changed.
    bool changedAfterCheck = false;
    // The new file took the target's name, whatever failed afterwards.
    bool newFileInPlace = false;
    // The new file is in place, but the replaced one could not take the backup's name (step "backup",
    // `error` the system's reason): it is kept under the temporary name `keptAs` in the folder
    // `keptIn`, and an older backup at the name, where there is one, as it was.
    std::string keptAs;
    std::filesystem::path keptIn;
    bool olderBackupKept = false;
};

// What a caller asks of the file a save replaces, at the last moment: called right before the new
// file is renamed into place (its backup made) with the identity of the file then at the name (one
// that is not there, or no regular file, has none), it returns false to stop the save, which then
// leaves everything as it was (refusal Changed). After the rename the replaced file is examined once
// more through a descriptor held on it since the check, so that a change made in between is
// reported too (changedAfterCheck). A pipe or device written in place is not checked.
using ReplaceCheck = std::function<bool(const FileIdentity& current)>;

// For tests: `hook` runs in every save that has a check, right before the file it replaces is
// examined for it, as another program might change that file at that moment. Empty: nothing runs.
void set_replace_check_hook(std::function<void()> hook);

// One save in progress. The content is written into buffer() and put in place by commit(); a save
// neither committed nor abandoned is abandoned when the writer goes.
//
// A target that exists and is no regular file (a device, a named pipe, a socket) is written in place
// at commit: no temporary file, no backup, no rename, which would put a plain file where the device
// or pipe was. It is opened at open(), without waiting, so that a pipe that no program reads is
// refused at once; another user's one in a shared folder is refused by the rule for links. Every
// symbolic link of the name is followed where the system's rule for links allows it (see
// walk_path): the linked file is replaced and the link stays a link. Past 40 links (a loop) the
// save is refused as the system refuses such a name. A kernel link that leads to no name (/dev/stdout
// of a pipe or socket) is opened as it is and what it leads to written in place; one that leads to a
// regular file without a name is refused.
//
// The new file takes the replaced file's access control list and extended attributes; where it
// cannot, the save is refused rather than leave a file open to people the old one kept out.
class SafeFileWriter {
public:
    enum class Backup {
        Required, // a backup that cannot be made stops the save
        Optional  // it is reported in the result's backupError, and the save goes on
    };

    SafeFileWriter();
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Starts the save of `name`. False (with errno and openFailure() set) when the temporary file
    // cannot be made, the target may not be written or a link on the way may not be followed; the
    // buffer then refuses every write.
    bool open(const std::filesystem::path& name);
    bool isOpen() const;
    // The file the save replaces: `name` with its links followed.
    const std::filesystem::path& target() const { return m_target; }
    // Why the last open() failed (ok when it did not).
    const SafeSaveResult& openFailure() const { return m_failure; }

    // Where the content goes. Its writes fail once a write to the disk has failed.
    std::streambuf& buffer();
    bool writeFailed() const;

    // Puts the content in place. With a backup path and an existing target, the target's old content
    // is kept under a temporary name beside that one first, and takes the name (an older file there
    // is replaced) once the new file is in place; a save that fails before leaves the older one. When
    // `backupPath` is the name given to open() with ".backup" appended and that name is a link, the
    // backup goes beside the linked file instead. A folder at the backup's name stops the save before
    // anything is put in place, and so does a backup's name longer than its folder allows (refusal
    // NameTooLong). Should the backup's rename still fail, the old file stays under its temporary
    // name, which the result gives (keptAs).
    SafeSaveResult commit(const std::filesystem::path& backupPath = {}, Backup backup = Backup::Required,
                          const ReplaceCheck& check = {});
    // Drops the save: the temporary file goes, the target stays as it was.
    void abandon();

private:
    class Buffer;
    SafeSaveResult fail(const std::string& step, int code);
    bool refuse(int code, Refusal refusal = Refusal::None, const std::filesystem::path& refused = {});
    bool openInPlace(bool kernelLink);

    std::unique_ptr<Buffer> m_buffer;
    std::filesystem::path m_given;
    std::filesystem::path m_target;
    // The folder the walk of the name opened, and the target's and the temporary file's names in it.
    FileDescriptor m_folder;
    std::string m_name;
    std::string m_temporary;
    int m_temporarySlot = -1;
    int m_fd = -1;
    bool m_open = false;
    bool m_inPlace = false;
    SafeSaveResult m_failure;
};

// Writes `bytes` to `target` (the file its links lead to). When `backupPath` is not empty and the target
// exists, the old content is kept under `backupPath` (replacing an older backup once the new file is
// in place); a backup that cannot be made stops the save. `check` as for SafeFileWriter::commit.
SafeSaveResult save_file_safely(const std::filesystem::path& target, const std::string& bytes,
                                const std::filesystem::path& backupPath = {}, const ReplaceCheck& check = {});

// The same, with the content produced by a writer into a binary stream on the temporary file. The
// writer returns false to abandon the save (the target is then left alone).
SafeSaveResult save_file_safely(const std::filesystem::path& target, const std::function<bool(std::ostream&)>& writer,
                                const std::filesystem::path& backupPath = {}, const ReplaceCheck& check = {});

} // namespace ORBAX_Platform
