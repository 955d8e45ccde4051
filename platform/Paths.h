#pragma once
// File names are UTF-8 bytes on this system. Every file is opened through these helpers, so a wide
// name (from a borehole library call or from Qt) never passes through the code page 1252 facet.
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>

#include "platform/FileDescriptor.h"
#include "platform/FileIdentity.h"
#include "platform/Text.h"

namespace ORBAX_Platform {

// A name travels as wide text (see wide_from_name) and reaches the system as the bytes it was made
// from. A name that no file can have (one holding NUL) gives false, or the empty path, which every
// call refuses: never another name.
bool path_from_wide(const std::wstring& name, std::filesystem::path& path);
std::filesystem::path path_from_wide(const std::wstring& name);
// The bytes of a name as typed (a program's argument), unchanged.
std::filesystem::path path_from_utf8(const std::string& name);
std::wstring wide_from_path(const std::filesystem::path& path);
// The folder that holds the file `name`, as a name (the folder a prompt remembers for next time).
std::wstring folder_of_name(const std::wstring& name);

// A binary output stream: no newline translation, bytes as they are in the file.
bool open_output(std::ofstream& stream, const std::filesystem::path& path);

// How a read of a whole file ended.
enum class FileRead {
    Read,
    Failed,     // the system refused; `code` holds its error number
    NotRegular, // a pipe, device, socket or folder where only a regular file is read
    TooLarge    // more than the limit
};

// From this call on, for the rest of the process, every read of this layer (read_file_bytes,
// open_for_reading, InputFile and the LAS reader's) takes only a regular file, opened without
// waiting: a pipe, device or socket gives NotRegular and nothing ever waits for a pipe's writer. For
// the desktop program, whose one thread must never wait in the kernel's open of a pipe; the console
// programs read the pipes the user names, and may wait for their writer.
void read_regular_files_only();
bool reading_regular_files_only();

// Opens `path` for reading by the checked walk (see walk_path): a link on the way that another user
// planted in a shared folder is refused with EACCES as the kernel's guard for such folders refuses
// it, and so is another user's pipe or device there. A kernel link (/dev/stdin, /proc/self/fd/N, a
// pipe of the shell's "<(...)") reads what it leads to. A folder is refused with EISDIR. With
// `regularOnly` (or after read_regular_files_only()) the open never waits, and what is not a regular
// file gives NotRegular. Read with the open file and its status, else Failed (`code` says why) or
// NotRegular.
FileRead open_for_reading(const std::filesystem::path& path, bool regularOnly, FileDescriptor& file, struct stat& st,
                          int& code);

// The whole file as bytes, at most `maxBytes` of them. A regular file larger than that is refused before
// anything is read; a pipe or device (which the user may name) is read until it ends or more than
// `maxBytes` have come, so that an endless one ends the read instead of filling the memory. Only
// Read, Failed and TooLarge (and NotRegular after read_regular_files_only()). `opened`, when given,
// receives the file that was opened and read, as it was when opened (see FileIdentity), or nothing.
FileRead read_file_bytes(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes, int& code,
                         FileIdentity* opened = nullptr);

// A file the user did not name (one named inside another file, such as a pattern's image or a page
// logo, and one the program finds by itself, such as its configuration) is read only when it is a
// regular file of at most `maxBytes`: a pipe or device there would make the program wait or read
// without end. It is never opened when the walk shows it to be no regular file, and is checked again
// once open, without waiting for a writer.
FileRead read_regular_file(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes, int& code);

} // namespace ORBAX_Platform
