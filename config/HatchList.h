#pragma once
// Hatch lists say which pattern draws which rock type. Before drawing, each entry is resolved to the
// id of its pattern in the table of its kind; drawing dispatches by kind and shows a placeholder when
// the pattern does not exist.
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include <QRectF>

#include "config/BitmapPattern.h"
#include "config/DBaseList.h"
#include "config/InbuiltPattern.h"
#include "config/VectorPattern.h"
#include "core/model/NoCaseCompare.h"
#include "platform/qt/Graphics.h"

using BitmapTable = ORBAX_Utilities::DBaseList<BitmapPattern>;
using VectorTable = ORBAX_Utilities::DBaseList<VectorPattern>;
using InbuiltTable = ORBAX_Utilities::DBaseList<InbuiltPattern>;

// The patterns of the three tables by name ignoring case, for resolving many hatch-list entries: a
// look-up costs one hash instead of a pass over a table. update() takes in the patterns added since the
// last call; patterns renamed or removed meanwhile are not noticed, so it serves one read or one check.
class PatternNames {
public:
    void update(const BitmapTable& bitmaps, const VectorTable& vectors, const InbuiltTable& inbuilts);
    // The id of the first pattern (in id order) of the kind's table with the name ignoring case; 0
    // when there is none.
    int find(int kind, const std::wstring& name) const;

private:
    struct Names {
        std::unordered_map<std::wstring, int> ids;
        int lastId = 0;
    };
    template <class Table>
    void take(const Table& table, Names& names);

    NoCaseCompare m_compare;
    Names m_bitmaps, m_vectors, m_inbuilts;
};

class HatchListEntry {
public:
    enum Kind { Bitmap = 0, Isovector = 1, Anivector = 2, Inbuilt = 3 };

    HatchListEntry() = default;
    HatchListEntry(int entryKind, const std::wstring& pattern, const std::wstring& rock)
        : kind(entryKind), patternName(pattern), rockType(rock)
    {
    }

    // Finds the entry's pattern by name (ignoring case) in the table of its kind and stores its id;
    // false, with id 0, when there is none. A bitmap entry whose id is still in the table keeps it
    // unless `force` is set.
    static bool Resolve(const BitmapTable& bitmaps, HatchListEntry& entry, const VectorTable& vectors,
                        const InbuiltTable& inbuilts, bool force);
    // The same, with `force`, through the names of the patterns.
    static bool Resolve(const PatternNames& names, HatchListEntry& entry);

    // Fills the rectangle with the entry's pattern. An unresolved entry, or one whose pattern is no
    // longer in its table, draws the placeholder naming its kind and pattern.
    static void Draw(const BitmapTable& bitmaps, const InbuiltTable& inbuilts, const HatchListEntry& entry,
                     ORBAX_Platform::Graphics& graphics, const QRectF& rect, const QRectF& reference,
                     const VectorTable& vectors, bool physical);

    // True when the entry's rock type equals the name ignoring case.
    static bool IsNamed(const HatchListEntry& entry, const std::wstring& name);

    // "bitmap", "vector" or "inbuilt"; empty for any other kind.
    static const char* KindWord(int kind);
    // The kind word of the file, padded to ten characters: "Bitmap    ", "Isovector ", ...
    static const char* FileKindWord(int kind);

    // One entry as written in the "Definitions" section, without its line end. A pattern name or rock
    // type the file cannot hold throws ORBAX_Config::UnholdableText.
    void Write(std::ostream& out) const;

    // The entry as the hatch list editor lists it, two lines tall: the rock type, then a blank, the
    // kind ("Bitmap", "IsoVector", "AniVector" or "Inbuilt") and the pattern name in brackets.
    static std::wstring DisplayText(const HatchListEntry& entry);

    int kind = Bitmap;
    std::wstring patternName;
    std::wstring rockType;
    int patternId = 0;
};

class HatchList : public ORBAX_Utilities::DBaseListMember {
public:
    explicit HatchList(const std::wstring& listName = std::wstring()) : name(listName) {}

    const std::wstring& GetName() const { return name; }

    // The first entry whose rock type equals the name ignoring case; null when none.
    static const HatchListEntry* FindRockType(const HatchList& list, const std::wstring& rockType);

    // The list as written in the "Definitions" section: its name, " {", one entry per line indented
    // by `indent` more blanks than the list, and "}" on a line of its own (no final line end).
    void Write(std::ostream& out, int indent = 0, int step = 3) const;

    std::vector<HatchListEntry> entries;
    std::wstring name;
};

using HatchListTable = ORBAX_Utilities::DBaseList<HatchList>;

// The current hatch list looked up by its id; null when the id is 0 or not in the table.
HatchList* GetHatchList(HatchListTable& table, int currentId);
const HatchList* GetHatchList(const HatchListTable& table, int currentId);

// The placeholder for a missing pattern: white, with "Unknown <kind> name "<name>"" in red, centred.
void DrawUnknownPattern(const std::wstring& patternName, ORBAX_Platform::Graphics& graphics, const QRectF& rect,
                        const std::wstring& kindWord);
