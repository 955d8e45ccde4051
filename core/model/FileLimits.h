#pragma once
// The most a whole-file read of the borehole library takes of each kind of file, and the reasons its
// "Unable to open" messages give when a file cannot be read or written.
//
// Each limit is far above any real file of its kind (a borehole of 20,000 units takes about 1 MB as
// text) and keeps the peak memory of a read well under 2 GB: a Prolog 2.1/3.0 or CSV read takes up to
// about 120 times the file's size (a unit may be two bytes of the file and some 230 bytes in memory),
// so 8 MB peak at about 1 GB; a Prolog 4 read up to about 60 times (a parsed element of four bytes),
// so 24 MB peak at about 1.4 GB.
#include <cstddef>
#include <filesystem>
#include <string>

#include "platform/Paths.h"
#include "platform/SafeFile.h"

namespace ORBAX_Logging {

constexpr std::size_t MaxBoreholeTextFileBytes = std::size_t(8) << 20; // Prolog 2.1/3.0 and CSV
constexpr std::size_t MaxProlog4FileBytes = std::size_t(24) << 20;
// A text description that an export appends to, read whole before it is written anew.
constexpr std::size_t MaxDescriptionFileBytes = std::size_t(256) << 20;

// Why a read ended without the file: the system's text, or that the file is larger than `maxBytes`, or
// that it is no regular file.
std::wstring FileReadFailureText(ORBAX_Platform::FileRead outcome, int code, std::size_t maxBytes);

// Why a save failed: the system's text, or, when the safe writer refused the save (another user's
// link, pipe or device in a shared folder, a pipe nobody reads, attributes that cannot be kept), that
// reason naming the file.
std::wstring SaveFailureText(const ORBAX_Platform::SafeSaveResult& result);

} // namespace ORBAX_Logging
