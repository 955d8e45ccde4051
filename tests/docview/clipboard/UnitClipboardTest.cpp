// Units through the clipboard without a window: the archive text and its refusals, Paste and Paste
// Special as undoable steps, and pasting between boreholes of different schemas.
#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include <QMimeData>

#include "core/archive/ProcessIdentifier.h"
#include "docview/clipboard/ClipboardTransfer.h"
#include "docview/clipboard/UnitClipboard.h"
#include "docview/clipboard/WriterSchema.h"
#include "docview/document/history/BoreholeDocument.h"
#include "tests/docview/DocviewTestSupport.h"
#include "tests/support/FakeServices.h"

namespace {

using namespace ORBAX_Logging;
using DocviewTest::picture;
using UnitClipboard::PasteFieldsResult;

class TestDocument : public BoreholeDocument {
public:
    explicit TestDocument(SchemaPtr schema = DocviewTest::fullSchema(), SchemaPtr right = nullptr)
        : BoreholeDocument(schema)
    {
        replaceBorehole(Left, DocviewTest::column(schema, {1, 2, 3.5, 5}));
        replaceBorehole(Right, DocviewTest::column(right ? right : schema, {10, 20, 30}));
    }
    using BoreholeDocument::replaceBorehole;
};

// Gives left unit 1 two elements, a seam, a ply, a composite row and a free value.
void dressUnit(BoreholeDocument& document)
{
    Interval& unit = document.GetBorehole(0)[1];
    unit.setRockTypes(L"INTERBEDDED", {70, 30}, {L"SAND", L"CLAY"});
    unit.seam = L"Upper";
    unit.ply = L"U2";
    unit.elements[0].values.set(8, L"grey");
    unit.elements[1].values.set(8, L"brown");
    unit.recovered = std::numeric_limits<double>::quiet_NaN();
}

// Puts a unit on the (replaced) clipboard the way the Copy command does.
void copy(ORBAX_Platform::MemoryClipboard& clipboard, const BoreholeDocument& document, int k, int i,
          bool developer = false)
{
    auto* data = new QMimeData;
    ASSERT_TRUE(CopyUnitsToClipboard(*data, document, k, i, developer));
    clipboard.setMimeData(data);
}

std::wstring replaceAll(std::wstring text, const std::wstring& from, const std::wstring& to)
{
    for (auto at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

TEST(UnitClipboard, ArchiveRoundTripKeepsEveryValueAndRefusesDamagedText)
{
    TestDocument document;
    dressUnit(document);
    const Interval& unit = document.GetBorehole(0)[1];
    const std::wstring text = UnitClipboard::WriteUnitArchive(unit);

    Interval back = UnitClipboard::ReadUnitArchive(text);
    EXPECT_EQ(back.elements.size(), 2u);
    EXPECT_EQ(back.elements[1].rockType.str(), L"CLAY");
    EXPECT_EQ(back.elements[0].values.at(8), L"grey");
    EXPECT_TRUE(std::isnan(back.recovered)) << "an absent recovered length survives the text";
    EXPECT_EQ(back.seam.str(), L"Upper");
    EXPECT_EQ(back.composite->rockType.str(), L"INTERBEDDED");
    EXPECT_EQ(back.schema, unit.schema) << "within one run the unit finds its schema again";

    // The data ends at the first NUL: whatever follows it is never read.
    EXPECT_NO_THROW(UnitClipboard::ReadUnitArchive(text + L'\0' + L"\x7f garbage 99999999"));
    // Cut short, cut at a NUL inside, or not an archive at all: refused with an exception.
    EXPECT_ANY_THROW(UnitClipboard::ReadUnitArchive(text.substr(0, text.size() / 2)));
    EXPECT_ANY_THROW(UnitClipboard::ReadUnitArchive(text.substr(0, 40) + L'\0' + text.substr(40)));
    EXPECT_ANY_THROW(UnitClipboard::ReadUnitArchive(L"Interval 2 Element SAND 100"));
    EXPECT_ANY_THROW(UnitClipboard::ReadUnitArchive(L""));
    // A string length far beyond the text is refused, not allocated.
    const std::wstring longClaim = replaceAll(text, L"8 Interval", L"4000000000 Interval");
    ASSERT_NE(longClaim, text);
    EXPECT_ANY_THROW(UnitClipboard::ReadUnitArchive(longClaim));
}

TEST(UnitClipboard, PasteGivesEverySelectedUnitTheElementsSeamAndPlyAndUndoesInOneStep)
{
    TestDocument document;
    dressUnit(document);
    const auto before = picture(document.GetBorehole(1));
    const Interval source = UnitClipboard::ReadUnitArchive(UnitClipboard::WriteUnitArchive(document.GetBorehole(0)[1]));

    ASSERT_TRUE(UnitClipboard::PasteUnit(document, 1, {{0, 2}}, source));
    const Borehole& right = document.GetBorehole(1);
    for (int i = 0; i < 3; ++i) {
        const Interval& unit = right[static_cast<std::size_t>(i)];
        ASSERT_EQ(unit.elements.size(), 2u);
        EXPECT_EQ(unit.elements[0].rockType.str(), L"SAND");
        EXPECT_EQ(unit.elements[1].percentage, 30);
        EXPECT_EQ(unit.elements[1].values.at(8), L"brown");
        EXPECT_EQ(unit.seam.str(), L"Upper");
        EXPECT_EQ(unit.ply.str(), L"U2");
        EXPECT_EQ(unit.composite->rockType.str(), L"INTERBEDDED");
        EXPECT_EQ(unit.sample.str(), L"S" + std::to_wstring(i + 1)) << "the sample number stays";
        EXPECT_DOUBLE_EQ(unit.bottom, 10.0 * (i + 1)) << "the depths stay";
        EXPECT_DOUBLE_EQ(unit.recovered, 5.0);
    }
    EXPECT_TRUE(document.IsPaneModified(1));
    ASSERT_EQ(document.GetUndoCount(), 1u);
    EXPECT_EQ(document.GetLastStepDescription(), L"Paste");

    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(picture(document.GetBorehole(1)), before);
    EXPECT_FALSE(document.IsPaneModified(1));
}

TEST(UnitClipboard, PasteOutsideTheBoreholeChangesNothing)
{
    TestDocument document;
    const auto before = picture(document.GetBorehole(1));
    const Interval source = document.GetBorehole(0)[0];
    EXPECT_ANY_THROW(UnitClipboard::PasteUnit(document, 1, {{1, 5}}, source));
    EXPECT_EQ(picture(document.GetBorehole(1)), before) << "the units pasted before the bad index roll back";
    EXPECT_EQ(document.GetUndoCount(), 0u);
    EXPECT_FALSE(UnitClipboard::PasteUnit(document, 1, {}, source));
    EXPECT_EQ(document.GetUndoCount(), 0u);
}

// Two schemas that hold the same free fields in another order, and one free field only the source has.
SchemaPtr schemaOf(const std::wstring& name, std::vector<FieldDefinition> fields)
{
    auto schema = std::make_shared<SchemaDefinition>(name, std::move(fields));
    LoadMessages ignored;
    schema->validate(ignored);
    return schema;
}

TEST(UnitClipboard, PasteBetweenSchemasPutsEveryValueInItsOwnColumn)
{
    auto source = schemaOf(L"A", {{ROCKTYPE, L"Rock"},
                                  {BOTTOM, L"To"},
                                  {STRING, L"Colour"},
                                  {STRING, L"Grain"},
                                  {STRING, L"Only here"},
                                  {SEAM, L"Seam"}});
    auto target = schemaOf(L"B", {{BOTTOM, L"Base"}, {STRING, L"Grain"}, {ROCKTYPE, L"Lith"}, {STRING, L"Colour"}});
    TestDocument document(source, target);
    Interval& unit = document.GetBorehole(0)[0];
    unit.elements[0].values.set(2, L"red");
    unit.elements[0].values.set(3, L"coarse");
    unit.elements[0].values.set(4, L"dropped");

    ASSERT_TRUE(UnitClipboard::PasteUnit(document, 1, {{1, 1}}, unit));
    const LithData& row = document.GetBorehole(1)[1].elements.at(0);
    EXPECT_EQ(row.schema, target) << "the pasted row belongs to the target's schema";
    ASSERT_EQ(row.values.size(), 4u);
    EXPECT_EQ(row.values.at(1), L"coarse");
    EXPECT_EQ(row.values.at(3), L"red");
    EXPECT_EQ(row.values.at(0), L"");
    EXPECT_EQ(row.rockType.str(), L"R0");
}

TEST(UnitClipboard, PasteSpecialMapsChosenFieldsByKindAndNameOrRefuses)
{
    auto source = schemaOf(L"A", {{ROCKTYPE, L"Rock"},
                                  {SAMPLE, L"Sample"},
                                  {STRING, L"Colour"},
                                  {STRING, L"Grain"},
                                  {SEAM, L"Seam"},
                                  {PLY, L"Ply"}});
    auto target = schemaOf(
        L"B", {{STRING, L"GRAIN"}, {ROCKTYPE, L"Lith"}, {STRING, L"colour"}, {REAL, L"Hardness"}, {SEAM, L"Seam"}});
    TestDocument document(source, target);
    Interval& unit = document.GetBorehole(0)[0];
    unit.elements[0].values.set(2, L"red");
    unit.elements[0].values.set(3, L"coarse");
    unit.seam = L"Lower";
    const auto before = picture(document.GetBorehole(1));

    // Colour (target 2) and the seam: Colour comes from source field 2, whatever its letter case.
    std::wstring unmatched;
    EXPECT_EQ(
        UnitClipboard::PasteUnitFields(document, 1, {{0, 1}}, unit, {false, false, true, false, true}, &unmatched),
        PasteFieldsResult::Pasted);
    for (int i = 0; i < 2; ++i) {
        const Interval& pasted = document.GetBorehole(1)[static_cast<std::size_t>(i)];
        EXPECT_EQ(pasted.elements[0].values.at(2), L"red");
        EXPECT_EQ(pasted.elements[0].values.at(0), L"") << "a field not chosen stays";
        EXPECT_EQ(pasted.elements[0].rockType.str(), L"R" + std::to_wstring(i));
        EXPECT_EQ(pasted.seam.str(), L"Lower");
    }
    EXPECT_EQ(document.GetLastStepDescription(), L"Paste Special");
    EXPECT_TRUE(document.IsPaneModified(1));
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(picture(document.GetBorehole(1)), before);

    // Hardness has no counterpart in the source: the paste is refused whole and names the field.
    EXPECT_EQ(UnitClipboard::PasteUnitFields(document, 1, {{0, 0}}, unit, {true, true, false, true, false}, &unmatched),
              PasteFieldsResult::Unmatched);
    EXPECT_EQ(unmatched, L"Hardness");
    EXPECT_EQ(picture(document.GetBorehole(1)), before);
    EXPECT_EQ(document.GetUndoCount(), 0u);

    // Nothing chosen, or an interbedded source: nothing to do.
    EXPECT_EQ(UnitClipboard::PasteUnitFields(document, 1, {{0, 0}}, unit, {}, nullptr), PasteFieldsResult::Nothing);
    Interval interbedded = unit;
    interbedded.setRockTypes(L"MIX", {50, 50}, {L"A", L"B"});
    EXPECT_EQ(UnitClipboard::PasteUnitFields(document, 1, {{0, 0}}, interbedded, {true, true, true, false, true}),
              PasteFieldsResult::Nothing);
    EXPECT_EQ(document.GetUndoCount(), 0u);
}

TEST(UnitClipboard, PasteSpecialWithinOneSchemaCopiesTheChosenColumns)
{
    TestDocument document;
    Interval source = document.GetBorehole(0)[2];
    source.elements[0].values.set(8, L"green");
    source.sample = L"K7";
    std::vector<bool> chosen(9, false);
    chosen[5] = true; // SAMPLE
    chosen[8] = true; // Colour
    ASSERT_EQ(UnitClipboard::PasteUnitFields(document, 1, {{2, 2}}, source, chosen), PasteFieldsResult::Pasted);
    const Interval& unit = document.GetBorehole(1)[2];
    EXPECT_EQ(unit.sample.str(), L"K7");
    EXPECT_EQ(unit.elements[0].values.at(8), L"green");
    EXPECT_EQ(unit.elements[0].rockType.str(), L"R2") << "the rock type was not chosen";
}

// A unit from another running program: its schema is unknown here, so its free values cannot be
// placed, while what every unit carries (rock types, percentages, seam, ply, sample) still can.
TEST(UnitClipboard, UnitOfAnotherRunPastesWhatItCarriesAndRefusesUnknownColumns)
{
    TestDocument document;
    dressUnit(document);
    const std::wstring own = UnitClipboard::WriteUnitArchive(document.GetBorehole(0)[1]);
    const std::wstring foreign =
        replaceAll(own, widen(ORBAX_Utilities::processUuidString()), L"0f0e0d0c-0b0a-1908-8706-050403020100");
    ASSERT_NE(foreign, own);
    Interval source = UnitClipboard::ReadUnitArchive(foreign);
    ASSERT_TRUE(source.schema);
    EXPECT_TRUE(source.schema->fields.empty());

    ASSERT_TRUE(UnitClipboard::PasteUnit(document, 1, {{0, 0}}, source));
    const Interval& unit = document.GetBorehole(1)[0];
    ASSERT_EQ(unit.elements.size(), 2u);
    EXPECT_EQ(unit.elements[0].rockType.str(), L"SAND");
    EXPECT_EQ(unit.elements[0].percentage, 70);
    EXPECT_EQ(unit.elements[0].schema, document.GetBorehole(1).schema);
    EXPECT_EQ(unit.elements[0].values.size(), 9u);
    EXPECT_EQ(unit.elements[0].values.at(8), L"") << "a value whose column is unknown is not guessed";
    EXPECT_EQ(unit.seam.str(), L"Upper");

    Interval single = source;
    single.elements.resize(1);
    std::vector<bool> chosen(9, false);
    chosen[6] = true; // SEAM
    EXPECT_EQ(UnitClipboard::PasteUnitFields(document, 1, {{1, 1}}, single, chosen), PasteFieldsResult::Pasted);
    EXPECT_EQ(document.GetBorehole(1)[1].seam.str(), L"Upper");
    chosen[8] = true; // Colour
    EXPECT_EQ(UnitClipboard::PasteUnitFields(document, 1, {{1, 1}}, single, chosen), PasteFieldsResult::Unmatched);
}

// The clipboard as another running program leaves it after copying left unit i: the archive and the
// schema description (or the given bytes in its place), both under that program's identifier.
QMimeData* foreignCopy(const BoreholeDocument& document, const QByteArray& description, int i = 1)
{
    auto* data = new QMimeData;
    EXPECT_TRUE(CopyUnitsToClipboard(*data, document, 0, i, false));
    const std::wstring ours = widen(ORBAX_Utilities::processUuidString());
    const std::wstring theirs = L"0f0e0d0c-0b0a-1908-8706-050403020100";
    const std::wstring archive = QString::fromUtf8(data->data(UnitDataFormat())).toStdWString();
    data->setData(UnitDataFormat(), QString::fromStdWString(replaceAll(archive, ours, theirs)).toUtf8());
    const QString schemaFormat = QStringLiteral("application/x-quorlog-bore-schema");
    EXPECT_TRUE(data->hasFormat(schemaFormat));
    if (description.isNull()) {
        const std::wstring text = QString::fromUtf8(data->data(schemaFormat)).toStdWString();
        data->setData(schemaFormat, QString::fromStdWString(replaceAll(text, ours, theirs)).toUtf8());
    } else {
        data->setData(schemaFormat, description);
    }
    return data;
}

TEST(ClipboardTransfer, UnitOfAnotherProgramKeepsItsFreeFieldsByTheirNames)
{
    ORBAX_Platform::MemoryClipboard clipboard;
    ORBAX_Platform::ScopedClipboard scoped(clipboard);
    // The right borehole's schema has the colour in another column, after a field of its own.
    auto other = std::make_shared<SchemaDefinition>(L"Other", std::vector<FieldDefinition>{{ROCKTYPE, L"Rock"},
                                                                                           {STRING, L"Hardness"},
                                                                                           {SEAM, L"Seam"},
                                                                                           {PLY, L"Ply"},
                                                                                           {STRING, L"Colour"},
                                                                                           {SAMPLE, L"Sample"}});
    TestDocument document(DocviewTest::fullSchema(), other);
    dressUnit(document);

    clipboard.setMimeData(foreignCopy(document, QByteArray()));
    const Interval read = ReadUnitData(clipboard.mimeData());
    ASSERT_TRUE(read.schema);
    EXPECT_EQ(read.schema->name, L"Full");
    EXPECT_EQ(read.elements.at(1).schema, read.schema);

    ASSERT_TRUE(pasteUnit(document, 1, {{0, 1}}));
    for (int i : {0, 1}) {
        const Interval& unit = document.GetBorehole(1)[i];
        ASSERT_EQ(unit.elements.size(), 2u);
        EXPECT_EQ(unit.elements[0].values.at(4), L"grey") << "the colour lands in the colour column";
        EXPECT_EQ(unit.elements[1].values.at(4), L"brown");
        EXPECT_EQ(unit.elements[0].values.at(1), L"") << "nothing lands in a column of another name";
    }

    // Paste Special of the colour alone, from a unit of one element of the other program.
    document.GetBorehole(0)[0].elements.at(0).values.set(8, L"red");
    clipboard.setMimeData(foreignCopy(document, QByteArray(), 0));
    std::vector<bool> chosen(other->fields.size(), false);
    chosen[4] = true;
    EXPECT_EQ(pasteUnitFields(document, 1, {{2, 2}}, chosen), PasteFieldsResult::Pasted);
    EXPECT_EQ(document.GetBorehole(1)[2].elements.at(0).values.at(4), L"red");
    EXPECT_EQ(document.GetBorehole(1)[2].elements.at(0).values.at(1), L"");
}

TEST(ClipboardTransfer, DamagedSchemaDescriptionsAreIgnoredAndTheUnitStillPastes)
{
    ORBAX_Platform::MemoryClipboard clipboard;
    ORBAX_Platform::ScopedClipboard scoped(clipboard);
    TestDocument document;
    dressUnit(document);
    const std::wstring good = UnitClipboard::WriteSchemaArchive(*document.GetBorehole(0).schema);
    ASSERT_EQ(UnitClipboard::ReadSchemaArchive(good)->fields, document.GetBorehole(0).schema->fields);

    // Too many fields, an unknown kind, a cut text, another tag: each is refused.
    ASSERT_NE(good.find(L"4 Full 9 "), std::wstring::npos);
    EXPECT_ANY_THROW(UnitClipboard::ReadSchemaArchive(replaceAll(good, L"4 Full 9 ", L"4 Full 99999 ")));
    const SchemaDefinition strange(L"Strange", {{ROCKTYPE, L"Rock"}, {77, L"What"}});
    EXPECT_ANY_THROW(UnitClipboard::ReadSchemaArchive(UnitClipboard::WriteSchemaArchive(strange)));
    EXPECT_ANY_THROW(UnitClipboard::ReadSchemaArchive(good.substr(0, good.size() / 2)));
    EXPECT_ANY_THROW(UnitClipboard::ReadSchemaArchive(replaceAll(good, L"6 Schema", L"6 Schemb")));

    for (const QByteArray& bad : {QByteArray("nonsense"), QByteArray("")}) {
        clipboard.setMimeData(foreignCopy(document, bad));
        ASSERT_TRUE(pasteUnit(document, 1, {{0, 0}}));
        const Interval& unit = document.GetBorehole(1)[0];
        EXPECT_EQ(unit.elements.at(0).rockType.str(), L"SAND");
        EXPECT_EQ(unit.elements.at(0).values.at(8), L"") << "without a description no column is guessed";
    }

    // A description with fewer fields than the rows hold values is not the rows' schema.
    Interval read = UnitClipboard::ReadUnitArchive(
        replaceAll(UnitClipboard::WriteUnitArchive(document.GetBorehole(0)[1]),
                   widen(ORBAX_Utilities::processUuidString()), L"0f0e0d0c-0b0a-1908-8706-050403020100"));
    auto narrow = std::make_shared<const SchemaDefinition>(
        L"Narrow", std::vector<FieldDefinition>{{ROCKTYPE, L"Rock"}, {STRING, L"Colour"}});
    UnitClipboard::AdoptWriterSchema(read, narrow);
    EXPECT_EQ(read.schema, narrow);
    EXPECT_NE(read.elements.at(0).schema, narrow);
}

TEST(ClipboardTransfer, CopyPlacesTheArchiveAndPlainTextAndPasteReadsIt)
{
    ORBAX_Platform::MemoryClipboard clipboard;
    ORBAX_Platform::ScopedClipboard scoped(clipboard);
    TestDocument document;
    dressUnit(document);

    copy(clipboard, document, 0, 1);
    const QMimeData* data = clipboard.mimeData();
    ASSERT_TRUE(OffersUnitData(data));
    EXPECT_TRUE(data->hasFormat("application/x-quorlog-bore-data"));
    EXPECT_EQ(data->text(), "1.000\t2.000\t1.000\tSAND 70% | CLAY 30%\tUpper\tU2\tS2");

    ASSERT_TRUE(pasteUnit(document, 0, {{3, 3}}));
    EXPECT_EQ(document.GetBorehole(0)[3].elements.at(1).rockType.str(), L"CLAY");
    Interval read;
    ReadUnitsFromClipboard(read);
    EXPECT_EQ(read.ply.str(), L"U2");

    // Developer mode: the plain text is the archive text itself.
    copy(clipboard, document, 0, 1, true);
    EXPECT_EQ(clipboard.mimeData()->text().toUtf8(), clipboard.mimeData()->data(UnitDataFormat()));
    // A unit index outside the borehole places nothing.
    QMimeData none;
    EXPECT_FALSE(CopyUnitsToClipboard(none, document, 0, 9, false));
    EXPECT_TRUE(none.formats().isEmpty());
}

TEST(ClipboardTransfer, PasteOfAnythingButAUnitChangesNothingAndSaysNothing)
{
    ORBAX_Platform::MemoryClipboard clipboard;
    ORBAX_Platform::ScopedClipboard scoped(clipboard);
    TestDocument document;
    const auto before = picture(document.GetBorehole(0));

    EXPECT_FALSE(pasteUnit(document, 0, {{0, 0}})) << "an empty clipboard";
    clipboard.setText(L"Interval 1 Element SAND");
    EXPECT_FALSE(OffersUnitData(clipboard.mimeData()));
    EXPECT_FALSE(pasteUnit(document, 0, {{0, 0}}));
    Interval unit;
    try {
        ReadUnitsFromClipboard(unit);
        ADD_FAILURE() << "plain text read as a unit";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "No relevant data on clipboard");
    }

    // Our MIME type with bytes that are no archive (another program may put anything under any type).
    for (const QByteArray& bytes :
         {QByteArray("22 serialization::archive 19 36 nonsense"), QByteArray("\xff\xfe\x00\x01", 4), QByteArray()}) {
        auto* data = new QMimeData;
        data->setData(UnitDataFormat(), bytes);
        clipboard.setMimeData(data);
        EXPECT_FALSE(pasteUnit(document, 0, {{0, 1}}));
        EXPECT_EQ(pasteUnitFields(document, 0, {{0, 1}}, std::vector<bool>(9, true)), PasteFieldsResult::Nothing);
    }
    EXPECT_EQ(picture(document.GetBorehole(0)), before);
    EXPECT_EQ(document.GetUndoCount(), 0u);
    EXPECT_FALSE(document.IsPaneModified(0));
}

} // namespace
