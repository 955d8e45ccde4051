#pragma once
// What a read of the borehole library may cost, and the reasons its "Unable to open" messages give
// when a file cannot be read or written.
//
// A read is bounded by what it builds, counted as it builds it: units, element rows (a unit-level
// row counts as one), cells (a value for every schema field of every row, empty or not) and the
// characters of the texts held; a Prolog 4 read also by the nodes of the parsed document (elements,
// attributes, texts, comments, entity references, those that entities expand to included) and the
// characters they hold. Each limit is far above any real borehole (20,000 units of 30 fields is a
// large one) and together they keep the peak memory of a read under 2 GB: a unit costs about 300
// bytes, a row 100, a cell 1, a character up to 3 (held as UTF-8), a parsed node about 220 and a
// parsed character 2.
//
// The byte limits only keep the file's own bytes, which are held while they are read, in proportion:
// every file our writers make from a borehole within the counts is smaller (a Prolog 3.0 record is a
// line per field), and a save that would make a larger one, or one whose borehole passes a count, is
// refused before the file is touched.
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/LoadMessage.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

namespace ORBAX_Logging {

class Borehole;
class Interval;
class LithData;
class SchemaDefinition;

constexpr std::size_t MaxBoreholeTextFileBytes = std::size_t(256) << 20; // Prolog 2.1/3.0 and CSV
constexpr std::size_t MaxProlog4FileBytes = std::size_t(128) << 20;
// A text description that an export appends to, read whole before it is written anew.
constexpr std::size_t MaxDescriptionFileBytes = std::size_t(256) << 20;

constexpr std::size_t MaxBoreholeUnits = 1000000;
constexpr std::size_t MaxBoreholeRows = 2000000;
constexpr std::size_t MaxBoreholeCells = 32000000;
constexpr std::size_t MaxBoreholeCharacters = 64000000;
// The text of one row (CSV) or record (Prolog 2.1/3.0) a read holds before it counts the row: the
// characters limit, and room for the numbers (depths, thickness, recovery, percentage) that the
// counts leave out. A longer line stops the read at once as one of too many characters, so that a line
// of endless text costs no more than this.
constexpr std::size_t MaxRowCharacters = MaxBoreholeCharacters + 65536;
constexpr std::size_t MaxProlog4Nodes = 4000000;
constexpr std::size_t MaxProlog4Characters = 64000000;

// What a borehole read has built so far (or what a borehole holds), against the limits above.
struct BoreholeCounts {
    std::size_t units = 0;
    std::size_t rows = 0;
    std::size_t cells = 0;
    std::size_t characters = 0;

    // One row of `fields` cells holding `characters` characters of text.
    void addRow(std::size_t fields, std::size_t rowCharacters)
    {
        ++rows;
        cells += fields;
        characters += rowCharacters;
    }
    // The same for a row read: its rock type and the texts of its values (code page bytes, a character
    // each).
    void addRow(std::size_t fields, const std::wstring& rockType, const std::vector<std::string_view>& texts);
    // The row being read holds more than MaxRowCharacters characters: the count of characters is
    // passed, whatever the rows before held.
    void addOverlongRow() { characters = std::max(characters, MaxBoreholeCharacters) + 1; }
    // True once a count has passed its limit.
    bool exceeded() const
    {
        return units > MaxBoreholeUnits || rows > MaxBoreholeRows || cells > MaxBoreholeCells ||
               characters > MaxBoreholeCharacters;
    }
    // The error that names the first count beyond its limit: the read of `fileName` stopped there.
    void reportRead(LoadMessages& messages, const std::wstring& fileName) const;
};

// The characters of the texts of a row (rock type and values), and of a unit's own (seam, ply and
// sample), as the counts take them.
std::size_t rowCharacters(const LithData& row);
std::size_t unitCharacters(const Interval& unit);

// Before a save of `borehole` to `fileName` with `schema`: false, with an error that names the count
// and says nothing was written, when the file would hold more than a read takes.
bool checkWriteCounts(const Borehole& borehole, const SchemaDefinition& schema, const std::wstring& fileName,
                      LoadMessages& messages);

// Why a read ended without the file: the system's text, or that the file is larger than `maxBytes`, or
// that it is no regular file.
std::wstring FileReadFailureText(ORBAX_Platform::FileRead outcome, int code, std::size_t maxBytes);

// Why a save failed: the system's text, or, when the safe writer refused the save (another user's
// link, pipe or device in a shared folder, a pipe nobody reads, attributes that cannot be kept), that
// reason naming the file.
std::wstring SaveFailureText(const ORBAX_Platform::SafeSaveResult& result);
// Why a backup that a save went on without could not be made (the result's backupError): the
// system's text, or that its name is longer than its folder allows.
std::wstring BackupFailureText(const ORBAX_Platform::SafeSaveResult& result);

// The last step of every borehole save: unless the bytes are more than `maxBytes` (the limit of the
// reader of the file's kind), writes them safely over `fileName`, the old file kept as
// "<fileName>.backup" with `backup`, and adds `notes` (the warnings about what the file holds: fields it
// has no room for, characters it cannot hold) to `messages`. False, the old file standing, with an
// error that names the limit (kind 5) for too many bytes, message 11004 (kind 7) when the backup
// failed (11200 where its name would be too long), 11001 (kind 5) when the file could not be opened
// or was refused, or 11017 (kind 5) when writing it failed or `replaces` (where given) refused the
// file at the name, and without the notes: nothing was written. A file that changed after `replaces`
// passed it, as the new one took its place, is said by message 11018 (kind 5), which names the backup
// that holds the changed file: false, with the notes, the new file in place; so is 11202 or 11203
// (kind 7), which says where the replaced file is, when it could not take the backup's name after the
// new file had taken its place.
bool writeBoreholeFile(const std::wstring& fileName, const std::string& bytes, std::size_t maxBytes, bool backup,
                       LoadMessages& messages, const LoadMessages& notes = {},
                       const ORBAX_Platform::ReplaceCheck& replaces = {});

} // namespace ORBAX_Logging
