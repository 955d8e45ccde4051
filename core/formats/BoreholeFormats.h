#pragma once
// The one place that picks a borehole file's reader and writer by its format code: the desktop
// program and Holdex both read and write through it, so a new format is added here alone.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/model/Borehole.h"
#include "core/model/LoadMessage.h"
#include "core/options/OptionsData.h"

namespace ORBAX_Logging {

// Thrown before any file is read or written: "unknown file type" for a code that no format has
// (FormatUnknown among them), "wrong file type" for an options record that the format's reader or
// writer does not take.
class BoreholeFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class BoreholeFormats {
public:
    // Reads with the reader of the code (Prolog 2.1 and 3.0 share one, as do 4.0 and 4.1); what the
    // reader finds goes into `options` as that reader says. The readers never throw.
    static std::unique_ptr<Borehole> load(std::int32_t formatCode, const std::wstring& fileName, OptionsData& options,
                                          LoadMessages& messages);
    // Writes with the writer of the code; the version written is that of options.formatCode. A
    // borehole that would give a file beyond the counts a read takes (FileLimits.h) is refused with a
    // message before anything is written.
    static void save(std::int32_t formatCode, const std::wstring& fileName, Borehole& borehole,
                     const OptionsData& options, LoadMessages& messages);
};

} // namespace ORBAX_Logging
