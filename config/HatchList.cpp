#include "config/HatchList.h"

#include <iomanip>

#include "config/ConfigText.h"
#include "core/catalogue/Messages.h"
#include "core/configfile/ConfigSchemaSection.h"
#include "core/model/NoCaseCompare.h"

using ORBAX_Platform::Graphics;

namespace {

template <class Table>
int FindByName(const Table& table, const std::wstring& name)
{
    const NoCaseCompare compare;
    for (const auto& record : table)
        if (compare.Equal(record.second.GetName(), name))
            return record.first;
    return 0;
}

} // namespace

template <class Table>
void PatternNames::take(const Table& table, Names& names)
{
    for (auto record = table.after(names.lastId); record != table.end(); ++record) {
        // The first of a name keeps it, as a search in id order finds it first.
        names.ids.emplace(m_compare.UpperCase(record->second.GetName()), record->first);
        names.lastId = record->first;
    }
}

void PatternNames::update(const BitmapTable& bitmaps, const VectorTable& vectors, const InbuiltTable& inbuilts)
{
    take(bitmaps, m_bitmaps);
    take(vectors, m_vectors);
    take(inbuilts, m_inbuilts);
}

int PatternNames::find(int kind, const std::wstring& name) const
{
    const Names* names = nullptr;
    switch (kind) {
    case HatchListEntry::Bitmap: names = &m_bitmaps; break;
    case HatchListEntry::Isovector:
    case HatchListEntry::Anivector: names = &m_vectors; break;
    case HatchListEntry::Inbuilt: names = &m_inbuilts; break;
    default: return 0;
    }
    const auto found = names->ids.find(m_compare.UpperCase(name));
    return found == names->ids.end() ? 0 : found->second;
}

bool HatchListEntry::Resolve(const PatternNames& names, HatchListEntry& entry)
{
    entry.patternId = names.find(entry.kind, entry.patternName);
    return entry.patternId != 0;
}

bool HatchListEntry::Resolve(const BitmapTable& bitmaps, HatchListEntry& entry, const VectorTable& vectors,
                             const InbuiltTable& inbuilts, bool force)
{
    int found = 0;
    switch (entry.kind) {
    case Bitmap:
        if (!force && entry.patternId != 0 && bitmaps.Contains(entry.patternId))
            return true;
        found = FindByName(bitmaps, entry.patternName);
        break;
    case Isovector:
    case Anivector: found = FindByName(vectors, entry.patternName); break;
    case Inbuilt: found = FindByName(inbuilts, entry.patternName); break;
    default: break;
    }
    entry.patternId = found;
    return found != 0;
}

void HatchListEntry::Draw(const BitmapTable& bitmaps, const InbuiltTable& inbuilts, const HatchListEntry& entry,
                          Graphics& graphics, const QRectF& rect, const QRectF& reference, const VectorTable& vectors,
                          bool physical)
{
    const std::wstring kindWord = ConfigText::Widen(KindWord(entry.kind));
    // A pattern that has left its table since the entry was resolved is drawn as missing: painting
    // must never throw.
    switch (entry.kind) {
    case Bitmap: {
        auto found = bitmaps.find(entry.patternId);
        if (entry.patternId == 0 || found == bitmaps.end()) {
            DrawUnknownPattern(entry.patternName, graphics, rect, kindWord);
        } else if (!found->second.image.isNull()) {
            BitmapPattern::Fill(found->second, graphics, rect, physical);
        }
        break;
    }
    case Isovector:
    case Anivector: {
        auto found = vectors.find(entry.patternId);
        if (entry.patternId == 0 || found == vectors.end())
            DrawUnknownPattern(entry.patternName, graphics, rect, kindWord);
        else
            VectorPattern::FillRect(rect, found->second, graphics, reference, entry.kind == Anivector);
        break;
    }
    case Inbuilt: {
        auto found = inbuilts.find(entry.patternId);
        if (entry.patternId == 0 || found == inbuilts.end())
            DrawUnknownPattern(entry.patternName, graphics, rect, kindWord);
        else
            found->second.Draw(graphics, rect, reference, false);
        break;
    }
    default: break;
    }
}

bool HatchListEntry::IsNamed(const HatchListEntry& entry, const std::wstring& name)
{
    return NoCaseCompare().Equal(entry.rockType, name);
}

const char* HatchListEntry::KindWord(int kind)
{
    switch (kind) {
    case Bitmap: return "bitmap";
    case Isovector:
    case Anivector: return "vector";
    case Inbuilt: return "inbuilt";
    default: return "";
    }
}

const char* HatchListEntry::FileKindWord(int kind)
{
    switch (kind) {
    case Bitmap: return "Bitmap    ";
    case Isovector: return "Isovector ";
    case Anivector: return "Anivector ";
    case Inbuilt: return "Inbuilt   ";
    default: return "";
    }
}

void HatchListEntry::Write(std::ostream& out) const
{
    const std::ios_base::fmtflags saved = out.flags();
    out << FileKindWord(kind) << std::left << std::setw(20)
        << ORBAX_Config::QuoteName(ORBAX_Config::FileText(patternName)) << " { " << ORBAX_Config::FileText(rockType)
        << " }";
    out.flags(saved);
}

std::wstring HatchListEntry::DisplayText(const HatchListEntry& entry)
{
    std::wstring text = entry.rockType + L"\n ";
    switch (entry.kind) {
    case Bitmap: text += L"Bitmap"; break;
    case Isovector: text += L"IsoVector"; break;
    case Anivector: text += L"AniVector"; break;
    case Inbuilt: text += L"Inbuilt"; break;
    default: break;
    }
    return text + L" (" + entry.patternName + L")";
}

const HatchListEntry* HatchList::FindRockType(const HatchList& list, const std::wstring& rockType)
{
    for (const HatchListEntry& entry : list.entries)
        if (HatchListEntry::IsNamed(entry, rockType))
            return &entry;
    return nullptr;
}

void HatchList::Write(std::ostream& out, int indent, int step) const
{
    const std::string outer(static_cast<std::size_t>(indent > 0 ? indent : 0), ' ');
    const std::string inner(outer.size() + static_cast<std::size_t>(step > 0 ? step : 0), ' ');
    out << ORBAX_Config::QuoteName(ORBAX_Config::FileText(name)) << " {";
    for (const HatchListEntry& entry : entries) {
        out << "\n" << inner;
        entry.Write(out);
    }
    out << "\n" << outer << "}";
}

HatchList* GetHatchList(HatchListTable& table, int currentId)
{
    if (currentId == 0)
        return nullptr;
    auto found = table.find(currentId);
    return found == table.end() ? nullptr : &found->second;
}

const HatchList* GetHatchList(const HatchListTable& table, int currentId)
{
    return GetHatchList(const_cast<HatchListTable&>(table), currentId);
}

void DrawUnknownPattern(const std::wstring& patternName, Graphics& graphics, const QRectF& rect,
                        const std::wstring& kindWord)
{
    // The family lookup is made once; the font itself is cheap to build.
    static const QString family = ORBAX_Platform::CreateNamedFont(QStringLiteral("Arial"), 6).family();
    QFont font(family);
    font.setPointSizeF(6);
    graphics.fillRect(rect, 0xFFFFFFFFu);
    const std::wstring text = ORBAX_Utilities::format_message2(250, kindWord, patternName);
    graphics.drawTextCentred(QString::fromStdWString(text), font, 0xFFFF0000u, rect);
}
