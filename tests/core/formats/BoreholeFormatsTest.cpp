// The dispatch over the borehole formats: each code reaches its own reader and writer, and a code
// without a format or a record of another format is refused before any file is touched.
#include <gtest/gtest.h>

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
