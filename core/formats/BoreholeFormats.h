#pragma once
// The borehole formats, one row each: what every caller asks of a format (its codes, its files'
// extension, whether it writes any borehole, its options record) and its reader and writer. The
// desktop program and Holdex read and write through it, so a new format is a new row here (and, for
// the desktop, a row of its option pages, dialogs/DesktopFormats.h).
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

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

// One format. The rows stand in the order in which the desktop's open prompt lists them (message
// 178), and version by version its save prompt (messages 162 and 241).
struct BoreholeFormat {
    // The codes of the files it reads, `code` to `lastCode` (Prolog 2.1 and 3.0 share a reader, as do
    // 4.0 and 4.1); a read puts the version it found into the options.
    std::int32_t code;
    std::int32_t lastCode;
    // Its files' extension, compared ignoring case, which a file written without one is given; empty
    // when its files have none.
    const wchar_t* extension;
    // A file named on the desktop's command line or dropped onto a pane is read as this format by its
    // extension. Prolog 4 files open only through the open prompt or the recent-file list.
    bool readWhenNamed;
    // It writes any borehole, in each of its versions; otherwise only the borehole read from a file of
    // its own, in the version read (Prolog 4 writes back the document it read).
    bool writesAnyBorehole;
    // A new copy of an options record of the kind its reader takes; BoreholeFormatError "wrong file
    // type" for another kind.
    std::unique_ptr<OptionsData> (*copyOptions)(const OptionsData& options);
    // The reader and the writer, behind one argument order. The reader never throws, except for a
    // record of another kind; the writer writes the version of options.formatCode.
    std::unique_ptr<Borehole> (*load)(const std::wstring& fileName, OptionsData& options, LoadMessages& messages);
    void (*save)(const std::wstring& fileName, Borehole& borehole, const OptionsData& options, LoadMessages& messages);

    bool reads(std::int32_t formatCode) const { return formatCode >= code && formatCode <= lastCode; }
};

// A format and one version of it that a save may write.
struct FormatVersion {
    const BoreholeFormat* format;
    std::int32_t version;
};

class BoreholeFormats {
public:
    static const std::vector<BoreholeFormat>& all();
    // The format of a code; null for a code that no format has.
    static const BoreholeFormat* find(std::int32_t formatCode);
    // The format of a file extension (without its dot), ignoring case; null for an empty or unknown one.
    static const BoreholeFormat* ofExtension(const std::wstring& extension);
    // The format whose files have no extension.
    static const BoreholeFormat& withoutExtension();
    // What a borehole read with `readCode` (FormatUnknown: none) may be written as, row by row: every
    // version of each format that writes any borehole, and the version read of its own format.
    static std::vector<FormatVersion> writableVersions(std::int32_t readCode);

    // Reads with the reader of the code; what the reader finds goes into `options` as that reader
    // says. The readers never throw.
    static std::unique_ptr<Borehole> load(std::int32_t formatCode, const std::wstring& fileName, OptionsData& options,
                                          LoadMessages& messages);
    // Writes with the writer of the code; the version written is that of options.formatCode. A
    // borehole that would give a file beyond the counts a read takes (FileLimits.h) is refused with a
    // message before anything is written.
    static void save(std::int32_t formatCode, const std::wstring& fileName, Borehole& borehole,
                     const OptionsData& options, LoadMessages& messages);
};

} // namespace ORBAX_Logging
