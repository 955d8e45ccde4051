#pragma once
// A program's string table: numbered message texts compiled into the executable from the files
// under resources/strings. Each program defines ProgramStringTable() (generated at build time).
#include <cstddef>
#include <vector>

namespace ORBAX_Utilities {

struct StringResource {
    int id;
    const wchar_t* text;
};

class StringTable {
public:
    StringTable(const StringResource* entries, std::size_t count);

    // The text of `id`. Messages are kept in blocks of 16 numbers: a number that has no text but whose
    // block holds another message is found with an empty text; a number whose block is empty is not
    // found (false).
    bool find(int id, const wchar_t*& text) const;
    // Numbers given more than one text (a mistake in the string-table sources).
    std::vector<int> duplicate_ids() const;

private:
    std::vector<StringResource> m_entries; // sorted by id
};

} // namespace ORBAX_Utilities

// Defined once per program (and per test program) by the build.
const ORBAX_Utilities::StringTable& ProgramStringTable();
