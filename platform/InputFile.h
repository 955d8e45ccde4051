#pragma once
// A file read as a binary stream: bytes as they are in the file, no newline translation. It is opened
// by open_for_reading, so it takes the same checked walk, refusals and kernel links as every other
// read.
#include <filesystem>
#include <istream>
#include <memory>

#include "platform/Paths.h"

namespace ORBAX_Platform {

class InputFile : public std::istream {
public:
    InputFile();
    ~InputFile() override;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

private:
    friend FileRead open_input(InputFile& stream, const std::filesystem::path& path, int& code);
    class Buffer;
    std::unique_ptr<Buffer> m_buffer;
};

// Opens `path` into `stream`: Read, or Failed with the system's error number in `code`, or
// NotRegular (after read_regular_files_only()). A read that fails later (a disk error) makes the
// stream bad with errno set.
FileRead open_input(InputFile& stream, const std::filesystem::path& path, int& code);

} // namespace ORBAX_Platform
