// The dispatch over the borehole formats: each code reaches its own reader and writer, and a code
// without a format or a record of another format is refused before any file is touched.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/catalogue/Messages.h"
#include "core/formats/BoreholeFormats.h"
#include "tests/core/prolog/PrologTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Logging;

TEST(BoreholeFormats, EachCodeReachesItsOwnFormatThatTakesOnlyItsOwnRecord)
{
    QuorTest::TempDir dir;
    auto schema = PrologTest::schema30();
    Borehole borehole(schema);
    for (double bottom : {1.0, 2.5})
        borehole.appendUnit(bottom);
    PrologOptionsData prolog(schema, 2, false, DefaultIntervalRockType, FormatProlog30, false, nullptr, nullptr);
    CSVOptionsData csv;
    csv.schema = schema;
    csv.backup = false;
    LoadMessages messages;
    const std::wstring name = (dir / "refused").wstring();
    for (std::int32_t code : {std::int32_t{FormatUnknown}, 6})
        EXPECT_THROW(BoreholeFormats::save(code, name, borehole, csv, messages), BoreholeFormatError);
    EXPECT_THROW(BoreholeFormats::load(FormatCSV, name, prolog, messages), BoreholeFormatError);
    EXPECT_THROW(BoreholeFormats::load(FormatProlog41, name, prolog, messages), BoreholeFormatError);
    EXPECT_THROW(BoreholeFormats::save(FormatCSV, name, borehole, prolog, messages), BoreholeFormatError);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    // Written and read back through its own code, each file reads as the borehole it was.
    for (OptionsData* options : {static_cast<OptionsData*>(&prolog), static_cast<OptionsData*>(&csv)}) {
        const std::wstring path = (dir / std::to_string(options->formatCode)).wstring();
        BoreholeFormats::save(options->formatCode, path, borehole, *options, messages);
        EXPECT_EQ(BoreholeFormats::load(options->formatCode, path, *options, messages)->size(), 2u);
        EXPECT_FALSE(hasFailure(messages));
    }
    // The Prolog 4 writer takes any record, and only a borehole read from a Prolog 4 file.
    BoreholeFormats::save(FormatProlog40, (dir / "four").wstring(), borehole, prolog, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, ORBAX_Utilities::get_message_wide(11006));
}

// Every file reads back unit for unit: a unit the written schema cannot mark becomes one row (its main
// rock type with the unit row's values), a lone element below 100 percent goes at 100, with a warning.
TEST(BoreholeFormats, EveryWriterMakesFilesThatReadBackUnitForUnit)
{
    QuorTest::TempDir dir;
    const std::vector<FieldDefinition> full{{ROCKTYPE, L"Rock"}, {PERCENTAGE, L"Pct"}, {BOTTOM, L"To"}, {STRING, L"N"}};
    Borehole borehole(PrologTest::schemaOf(L"full", full));
    for (const auto& percentages : std::vector<std::vector<std::int32_t>>{{100}, {40, 60}, {30}, {100}}) {
        borehole.appendUnit(borehole.size() + 1.0);
        borehole.back().setRockTypes(L"IN GENERAL", percentages, {L"SHALE", L"COAL"});
    }
    borehole[1].compositeRow().values.set(3, L"mixed");
    for (const auto& fields : std::vector<std::vector<FieldDefinition>>{
             full, {full[0], full[2], full[3]}, {full[1], full[2], full[3]}, {full[2], full[3], {STRING, L"M"}}}) {
        auto schema = PrologTest::schemaOf(L"written", fields);
        PrologOptionsData prolog(schema, 3, false, DefaultIntervalRockType, FormatProlog30, false, nullptr, nullptr);
        CSVOptionsData csv;
        csv.schema = schema;
        for (std::int32_t location = -1; location <= CSVOptionsData::IntervalNone; ++location) {
            SCOPED_TRACE(testing::Message() << fields.size() << fields[0].kind << " " << location);
            csv.intervalLocation = location;
            OptionsData& options = location < 0 ? static_cast<OptionsData&>(prolog) : csv;
            const bool marked = schema->countOf(PERCENTAGE) && (location >= 0 || schema->countOf(ROCKTYPE));
            LoadMessages messages;
            BoreholeFormats::save(options.formatCode, (dir / "trip").wstring(), borehole, options, messages);
            // Without unit rows the lone 30 percent element closes at the 100 percent row below it.
            EXPECT_EQ(!messages.empty() && messages.back().text.rfind(L"Units written as a", 0) == 0,
                      !marked || location != CSVOptionsData::IntervalNone);
            auto back = BoreholeFormats::load(options.formatCode, (dir / "trip").wstring(), options, messages);
            ASSERT_FALSE(hasFailure(messages));
            ASSERT_EQ(back->size(), 4u);
            EXPECT_DOUBLE_EQ((*back)[1].bottom + (*back)[3].bottom, 6.0);
            const Interval& mixed = (*back)[1];
            ASSERT_EQ(mixed.elements.size(), marked ? 2u : 1u);
            if (!marked) {
                EXPECT_EQ(mixed.elements[0].values[static_cast<std::size_t>(schema->indexOf(STRING))], L"mixed");
                EXPECT_EQ(mixed.elements[0].rockType, schema->countOf(ROCKTYPE) ? L"COAL" : L"");
            }
        }
    }
}

// Depths with more decimals than a file keeps read back with its schema, whichever of top, bottom and
// thickness it has: the written depths agree, and those the decimals hold stay exact.
TEST(BoreholeFormats, WrittenDepthsAgreeWithEachOther)
{
    QuorTest::TempDir dir;
    const std::vector<FieldDefinition> all{
        {ROCKTYPE, L"R"}, {TOP, L"T"}, {BOTTOM, L"B"}, {THICKNESS, L"H"}, {STRING, L"N"}};
    Borehole borehole(PrologTest::schemaOf(L"all", all));
    double bottom = 0.0;
    for (double thickness : {2.5, 0.4995, 36.2035, 1.0005, 0.0004, 7.12345, 0.0015})
        borehole.appendUnit(bottom += thickness);
    for (const auto& fields : std::vector<std::vector<FieldDefinition>>{
             all, {all[0], all[2], all[3]}, {all[0], all[1], all[3]}, {all[0], all[3], all[4]}}) {
        for (int decimals : {2, 3}) {
            PrologOptionsData prolog(PrologTest::schemaOf(L"w", fields), decimals, false, DefaultIntervalRockType,
                                     FormatProlog30, false, nullptr, nullptr);
            CSVOptionsData csv;
            csv.schema = prolog.schema;
            csv.precision = decimals;
            for (OptionsData* options : {static_cast<OptionsData*>(&prolog), static_cast<OptionsData*>(&csv)}) {
                LoadMessages messages;
                const std::wstring path = (dir / std::to_string(options->formatCode)).wstring();
                BoreholeFormats::save(options->formatCode, path, borehole, *options, messages);
                auto back = BoreholeFormats::load(options->formatCode, path, *options, messages);
                ASSERT_EQ(back->size(), borehole.size()) << fields[1].kind << fields.size() << " " << decimals;
                EXPECT_EQ((*back)[0].bottom, 2.5);
                for (std::size_t i = 0; i < borehole.size(); ++i)
                    EXPECT_NEAR((*back)[i].bottom, borehole[i].bottom, 0.501 * std::pow(10.0, -decimals)) << i;
            }
        }
    }
}

// A format read from its own file alone keeps the version read; the others offer each version. An
// extension is found ignoring case, an empty one never; a record is copied only as its own kind.
TEST(BoreholeFormats, WhatABoreholeMayBeWrittenAsAndWhichFilesAFormatReads)
{
    const auto codes = [](std::int32_t readCode) {
        std::vector<std::int32_t> found;
        for (const FormatVersion& version : BoreholeFormats::writableVersions(readCode))
            found.push_back(version.version);
        return found;
    };
    EXPECT_EQ(codes(FormatProlog41),
              (std::vector<std::int32_t>{FormatProlog21, FormatProlog30, FormatProlog41, FormatCSV}));
    EXPECT_EQ(codes(FormatProlog30), (std::vector<std::int32_t>{FormatProlog21, FormatProlog30, FormatCSV}));
    EXPECT_EQ(codes(FormatUnknown), codes(FormatCSV));

    EXPECT_EQ(BoreholeFormats::ofExtension(L"PROLOG"), BoreholeFormats::find(FormatProlog40));
    EXPECT_EQ(BoreholeFormats::ofExtension(L"csv"), BoreholeFormats::find(FormatCSV));
    for (const wchar_t* none : {L"", L"txt", L"prolog4"})
        EXPECT_EQ(BoreholeFormats::ofExtension(none), nullptr) << none;
    EXPECT_EQ(BoreholeFormats::withoutExtension().code, FormatProlog21);

    CSVOptionsData csv;
    csv.headingRows = 3;
    auto copy = BoreholeFormats::find(FormatCSV)->copyOptions(csv);
    EXPECT_EQ(dynamic_cast<CSVOptionsData&>(*copy).headingRows, 3u);
    EXPECT_THROW(BoreholeFormats::find(FormatProlog30)->copyOptions(csv), BoreholeFormatError);
}

// A unit without elements keeps its place in every text format, written with another schema than the
// borehole's too; the old file stays when its backup cannot be made.
TEST(BoreholeFormats, BlankUnitsKeepTheirPlaceAndAFailedBackupKeepsTheOldFile)
{
    QuorTest::TempDir dir;
    Borehole borehole(PrologTest::schemaOf(L"own", {{ROCKTYPE, L"Rock"}, {PERCENTAGE, L"Pct"}, {BOTTOM, L"To"}}));
    for (double bottom : {1.0, 2.0, 3.0})
        borehole.appendUnit(bottom);
    borehole[0].elements.clear();
    borehole[1].setRockTypes(L"IN GENERAL", {40, 60}, {L"SHALE", L"COAL"});
    borehole[2].elements[0].rockType = L"SILT";
    auto other = PrologTest::schemaOf(L"other", {{BOTTOM, L"To"}, {ROCKTYPE, L"Rock"}, {PERCENTAGE, L"Pct"}});
    PrologOptionsData prolog(other, 3, false, DefaultIntervalRockType, FormatProlog30, false, nullptr, nullptr);
    CSVOptionsData csv;
    csv.schema = other;
    csv.backup = false;
    const std::wstring path = (dir / "blank").wstring();
    for (std::int32_t location = -1; location <= CSVOptionsData::IntervalNone; ++location) {
        SCOPED_TRACE(location);
        csv.intervalLocation = location;
        OptionsData& options = location < 0 ? static_cast<OptionsData&>(prolog) : csv;
        LoadMessages messages;
        BoreholeFormats::save(options.formatCode, path, borehole, options, messages);
        auto back = BoreholeFormats::load(options.formatCode, path, options, messages);
        ASSERT_FALSE(hasFailure(messages));
        ASSERT_EQ(back->size(), 3u);
        EXPECT_EQ((*back)[0].elements.at(0).rockType, L"");
        EXPECT_EQ((*back)[1].elements.size(), 2u);
        EXPECT_EQ((*back)[2].elements.at(0).rockType, L"SILT");
        EXPECT_DOUBLE_EQ((*back)[2].bottom, 3.0);
    }

    const std::string old = QuorTest::read_file(dir / "blank");
    std::filesystem::create_directories(dir / "blank.backup" / "inside");
    csv.backup = true;
    LoadMessages messages;
    BoreholeFormats::save(FormatCSV, path, borehole, csv, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 7);
    EXPECT_EQ(messages[0].text.rfind(L"Error copying file from " + path + L" to " + path + L".backup\n", 0), 0u);
    EXPECT_EQ(QuorTest::read_file(dir / "blank"), old);
}

// What a file holds is said only of a file that was written: a save that fails (here into a folder
// that is not there) gives its error alone, not that the file was written without some fields.
TEST(BoreholeFormats, AFailedSaveSaysNothingOfWhatTheFileHolds)
{
    QuorTest::TempDir dir;
    Borehole borehole(PrologTest::schemaOf(L"own", {{ROCKTYPE, L"Rock"}, {BOTTOM, L"To"}, {STRING, L"Note"}}));
    borehole.appendUnit(1.0);
    borehole[0].elements[0].values.set(2, L"lost");
    CSVOptionsData csv;
    csv.schema = PrologTest::schemaOf(L"other", {{ROCKTYPE, L"Rock"}, {BOTTOM, L"To"}, {STRING, L"Colour"}});
    PrologOptionsData prolog(csv.schema, 3, false, DefaultIntervalRockType, FormatProlog30, false, nullptr, nullptr);
    for (OptionsData* options : {static_cast<OptionsData*>(&prolog), static_cast<OptionsData*>(&csv)})
        for (const char* name : {"missing/x", "x"}) {
            LoadMessages messages;
            BoreholeFormats::save(options->formatCode, (dir / name).wstring(), borehole, *options, messages);
            ASSERT_EQ(messages.size(), 1u) << name;
            EXPECT_EQ(messages[0].severity, name[0] == 'x' ? SeverityWarning : SeverityError);
        }
}
