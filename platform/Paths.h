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

} // namespace ORBAX_Platform
