#pragma once
// File names are UTF-8 bytes on this system. Every file is opened through these helpers, so a wide
// name (from a borehole library call or from Qt) never passes through the code page 1252 facet.
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Text.h"

namespace ORBAX_Platform {

std::filesystem::path path_from_wide(const std::wstring& name);
std::filesystem::path path_from_utf8(const std::string& name);
std::wstring wide_from_path(const std::filesystem::path& path);

// Binary streams: no newline translation, bytes as they are in the file.
bool open_input(std::ifstream& stream, const std::filesystem::path& path);
bool open_output(std::ofstream& stream, const std::filesystem::path& path);

// The whole file as bytes; false (and `error` the system's text) when it cannot be read.
bool read_file_bytes(const std::filesystem::path& path, std::string& bytes, std::string* error = nullptr);

// A file named inside another file (a pattern's image, a page logo) is read only when it is a regular
// file of at most `maxBytes`: a pipe or device named there would make the program wait or read without
// end. It is never opened when the name shows it to be no regular file, and is checked again once open.
enum class NamedFileRead {
    Read,
    Failed,     // the system refused; `code` holds its error number
    NotRegular, // a pipe, device, socket or folder
    TooLarge
};
NamedFileRead read_named_file(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes, int& code);

} // namespace ORBAX_Platform
