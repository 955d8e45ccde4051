// The data section: rows, wrapping, nulls, direction and the depth index.
#include <cmath>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <limits>
#include <thread>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/las/LasTestFiles.h"

using namespace LasTest;

namespace {

const std::string kUp = " STRT.M 1000 : start\n STOP.M 1010 : stop\n";
const std::string kNullWell = kUp + " NULL. -999.25 : null\n";

std::vector<double> samples(const Loaded& r, std::size_t curve)
{
    return r.las->curves().at(curve).samples().to_vector();
}

} // namespace

TEST(LasDataSection, UnwrappedRowsAndTrailingEmptyLine)
{
    Loaded two = load(header(kUp, {"DEPT", "A", "B"}) + "~A\n1000 1 2\n1005 3 4 99\n");
    ASSERT_EQ(two.code, 0) << two.error;
    EXPECT_EQ(two.las->row_count(), 2);
    EXPECT_EQ(samples(two, 2), (std::vector<double>{2, 4})); // values past the last curve are ignored

    // An empty line is a short record: it is counted and its samples are missing.
    Loaded three = load(header(kUp, {"DEPT", "A", "B"}) + "~A\n1000 1 2\n1005 3 4\n\n");
    ASSERT_EQ(three.code, 0) << three.error;
    ASSERT_EQ(three.las->row_count(), 3);
    EXPECT_TRUE(std::isnan(three.las->index_value(2)));
    EXPECT_TRUE(std::isnan(samples(three, 1)[2]));

    // A short last line writes what it has; the rest of the row stays missing.
    Loaded partial = load(header(kUp, {"DEPT", "A", "B"}) + "~A\n1000 1 2\n1005 3");
    ASSERT_EQ(partial.code, 0) << partial.error;
    ASSERT_EQ(partial.las->row_count(), 2);
    EXPECT_EQ(samples(partial, 1)[1], 3.0);
    EXPECT_TRUE(std::isnan(samples(partial, 2)[1]));
}

TEST(LasDataSection, WrappedRecordsRunOverLines)
{
    const std::string head = header(kUp, {"DEPT", "A", "B"}, "YES");
    Loaded r = load(head + "~A\n1000\n1 2\n# comment inside\n1005\n\n3 4\n");
    ASSERT_EQ(r.code, 0) << r.error;
    ASSERT_EQ(r.las->row_count(), 2);
    EXPECT_EQ(samples(r, 0), (std::vector<double>{1000, 1005}));
    EXPECT_EQ(samples(r, 2), (std::vector<double>{2, 4}));

    // Each record starts on a new line: the surplus value on a record's last line is dropped.
    Loaded surplus = load(head + "~A\n1000 1\n2 77\n1005 3\n4 88\n");
    ASSERT_EQ(surplus.code, 0) << surplus.error;
    ASSERT_EQ(surplus.las->row_count(), 2);
    EXPECT_EQ(samples(surplus, 0), (std::vector<double>{1000, 1005}));
    EXPECT_EQ(samples(surplus, 1), (std::vector<double>{1, 3}));
    EXPECT_EQ(samples(surplus, 2), (std::vector<double>{2, 4}));

    // A record cut off by the end of the file still counts.
    Loaded cut = load(head + "~A\n1000 1 2\n1005\n");
    ASSERT_EQ(cut.code, 0) << cut.error;
    ASSERT_EQ(cut.las->row_count(), 2);
    EXPECT_EQ(cut.las->index_value(1), 1005.0);
    EXPECT_TRUE(std::isnan(samples(cut, 1)[1]));

    // "yes" is wrapped, "Y" is not.
    Loaded lower = load(header(kUp, {"DEPT", "A"}, "yes") + "~A\n1000\n1\n");
    EXPECT_EQ(lower.las->row_count(), 1);
    Loaded y = load(header(kUp, {"DEPT", "A"}, "Y") + "~A\n1000\n1\n");
    EXPECT_EQ(y.code, 3); // unwrapped: the first line is short and the second no title
}

TEST(LasDataSection, DescendingDepthsFillFromTheLastRow)
{
    Loaded r = load(header(" STRT.M 1010 : s\n STOP.M 1000 : s\n", {"DEPT", "V"}) + "~A\n1010 1\n1005 2\n1000 3\n");
    ASSERT_EQ(r.code, 0) << r.error;
    EXPECT_EQ(samples(r, 0), (std::vector<double>{1000, 1005, 1010}));
    EXPECT_EQ(samples(r, 1), (std::vector<double>{3, 2, 1}));
    EXPECT_LT(r.las->index_value(0), r.las->index_value(2));
    EXPECT_EQ(r.las->depth_index().find(1000.0)->second, 0);

    // The direction comes from STRT and STOP only, never from the data.
    Loaded noStop = load(header(" STRT.M 1010 : s\n", {"DEPT", "V"}) + "~A\n1010 1\n1000 3\n");
    EXPECT_EQ(samples(noStop, 0), (std::vector<double>{1010, 1000}));
}

TEST(LasDataSection, RepeatedDepthKeepsTheRowStoredFirst)
{
    Loaded up = load(header(kUp, {"DEPT", "V"}) + "~A\n1000 1\n1005 2\n1005 3\n1010 4\n");
    ASSERT_EQ(up.code, 0) << up.error;
    EXPECT_EQ(up.las->depth_index().size(), 3u);
    EXPECT_EQ(up.las->depth_index().find(1005.0)->second, 1);

    Loaded down =
        load(header(" STRT.M 1010 : s\n STOP.M 1000 : s\n", {"DEPT", "V"}) + "~A\n1010 1\n1005 2\n1005 3\n1000 4\n");
    ASSERT_EQ(down.code, 0) << down.error;
    // Filled downwards, the first record read went to the higher row.
    EXPECT_EQ(down.las->depth_index().find(1005.0)->second, 2);
}

TEST(LasDataSection, NullValues)
{
    Loaded r = load(header(kNullWell, {"DEPT", "V"}) +
                    "~A\n1000 -999.25\n1001 -999.250\n1002 -999.2501\n1003 -999.0\n1004 0\n1005 0.0005\n");
    ASSERT_EQ(r.code, 0) << r.error;
    std::vector<double> v = samples(r, 1);
    EXPECT_TRUE(std::isnan(v[0]));
    EXPECT_TRUE(std::isnan(v[1]));
    EXPECT_TRUE(std::isnan(v[2]));
    EXPECT_EQ(v[3], -999.0);
    EXPECT_EQ(v[4], 0.0);
    EXPECT_EQ(v[5], 0.0005);
    EXPECT_EQ(r.las->curves()[1].minimum(), -999.0);
    EXPECT_EQ(r.las->null_text(), "-999.25");

    // Without a NULL item no number is a null: zero readings and a surface depth of 0 are data.
    Loaded none = load(header(" STRT.M 0 : s\n STOP.M 2 : s\n", {"DEPT", "V"}) + "~A\n0 0.0005\n1 0\n2 -0.0001\n");
    ASSERT_EQ(none.code, 0) << none.error;
    EXPECT_EQ(samples(none, 0), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(samples(none, 1), (std::vector<double>{0.0005, 0, -0.0001}));
    EXPECT_EQ(none.las->depth_index().find(0.0)->second, 0);

    // A NULL text that is no number matches by its text alone.
    Loaded text = load(header(kUp + " NULL. NA : null\n", {"DEPT", "V"}) + "~A\n1000 NA\n1001 0\n");
    ASSERT_EQ(text.code, 0) << text.error;
    EXPECT_TRUE(std::isnan(samples(text, 1)[0]));
    EXPECT_EQ(samples(text, 1)[1], 0.0);
}

TEST(LasDataSection, TokensThatAreNoNumbersAreMissing)
{
    Loaded r = load(header(kUp, {"DEPT", "V", "W"}) + "~A\n1000 abc 1e3\n1001 -.5 +2.5E-1\n1002 nan 7\n");
    ASSERT_EQ(r.code, 0) << r.error;
    std::vector<double> v = samples(r, 1);
    EXPECT_TRUE(std::isnan(v[0]));
    EXPECT_EQ(v[1], -0.5);
    EXPECT_TRUE(std::isnan(v[2]));
    EXPECT_EQ(r.las->curves()[1].minimum(), -0.5);
    EXPECT_EQ(r.las->curves()[1].maximum(), -0.5);
    EXPECT_EQ(samples(r, 2), (std::vector<double>{1000, 0.25, 7}));
}

TEST(LasDataSection, CommaSeparatedDataIsOneValueALine)
{
    Loaded one = load(header(kUp + " DLM. COMMA : delimiter\n", {"DEPT", "V"}) + "~A\n1000.5,12.5\n");
    ASSERT_EQ(one.code, 0) << one.error;
    ASSERT_EQ(one.las->row_count(), 1);
    EXPECT_TRUE(std::isnan(one.las->index_value(0))); // no number, not the one before the first comma
    EXPECT_TRUE(std::isnan(samples(one, 1)[0]));

    Loaded two = load(header(kUp, {"DEPT", "V"}) + "~A\n1000.5,12.5\n1001,13\n");
    EXPECT_EQ(two.code, 3);
}

TEST(LasDataSection, HeaderLinesSplitIntoTheirParts)
{
    Loaded r = load("~V\n VERS. 2.0 : v\n~W\n STRT.M 1 : s\n~C\n"
                    " DEPT.M                 : 1  DEPTH\n"
                    " DT  .US/M  60 520 32 00 : 2  SONIC {F10.2} | assoc\n"
                    " GR.GAPI:gamma ray\n"
                    " TIME.S 12:30: time of day\n"
                    "~A\n1 2 3 4\n");
    ASSERT_EQ(r.code, 0) << r.error;
    const auto& c = r.las->curves();
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0].mnemonic, "DEPT");
    EXPECT_EQ(c[0].unit, "M");
    EXPECT_EQ(c[0].value, std::string(17, ' ')); // a text of blanks alone is not trimmed
    EXPECT_EQ(c[0].description, "1  DEPTH");
    EXPECT_EQ(c[1].mnemonic, "DT");
    EXPECT_EQ(c[1].unit, "US/M");
    EXPECT_EQ(c[1].value, "60 520 32 00");
    EXPECT_EQ(c[1].description, "2  SONIC");
    // No blank before the colon: no unit, the text between "." and ":" is the value.
    EXPECT_EQ(c[2].unit, "");
    EXPECT_EQ(c[2].value, "GAPI");
    EXPECT_EQ(c[2].description, "gamma ray");
    // The last colon starts the description.
    EXPECT_EQ(c[3].unit, "S");
    EXPECT_EQ(c[3].value, "12:30");
    EXPECT_EQ(c[3].description, "time of day");
}

TEST(LasDataSection, ManyCurvesKeepTheirDefinitions)
{
    std::string text = "~V\n VERS. 2.0 : v\n~W\n STRT.M 1 : s\n STOP.M 2 : s\n~C\n";
    std::string row1, row2;
    for (int i = 0; i < 40; ++i) {
        text += " MNEMONIC_LONGER_THAN_USUAL_" + std::to_string(i) + ".U" + std::to_string(i) + " API" +
                std::to_string(i) + " : description of curve " + std::to_string(i) + "\n";
        row1 += std::to_string(i == 0 ? 1 : i * 10) + " ";
        row2 += std::to_string(i == 0 ? 2 : i * 10 + 1) + " ";
    }
    Loaded r = load(text + "~A\n" + row1 + "\n" + row2 + "\n");
    ASSERT_EQ(r.code, 0) << r.error;
    ASSERT_EQ(r.las->curves().size(), 40u);
    for (int i = 0; i < 40; ++i) {
        const auto& c = r.las->curves()[i];
        EXPECT_EQ(c.mnemonic, "MNEMONIC_LONGER_THAN_USUAL_" + std::to_string(i));
        EXPECT_EQ(c.unit, "U" + std::to_string(i));
        EXPECT_EQ(c.value, "API" + std::to_string(i));
        EXPECT_EQ(c.description, "description of curve " + std::to_string(i));
        EXPECT_EQ(c.owner(), r.las.get());
        if (i > 0) {
            EXPECT_EQ(c.samples().to_vector(), (std::vector<double>{i * 10.0, i * 10.0 + 1}));
        }
    }
}

TEST(LasDataSection, CrLfFileWithCommentsReads)
{
    Loaded r;
    r.name = ORBAX_Platform::wide_from_path(QuorTest::data_file("las/crlf.las"));
    r.code = r.las->read(r.name, r.error);
    ASSERT_EQ(r.code, 0) << r.error;
    ASSERT_EQ(r.las->curves().size(), 2u);
    EXPECT_EQ(r.las->curves()[1].mnemonic, "GAMMA_RAY_CORRECTED_LONG");
    EXPECT_EQ(r.las->curves()[1].description, "Gamma ray corrected for borehole size");
    EXPECT_EQ(r.las->null_text(), "-999.2500");
    ASSERT_EQ(r.las->row_count(), 3);
    EXPECT_EQ(samples(r, 1)[0], 45.5);
    EXPECT_TRUE(std::isnan(samples(r, 1)[1]));
    EXPECT_EQ(samples(r, 1)[2], 0.0);
}

TEST(LasDataSection, WrappedVersion1SampleFile)
{
    Loaded r;
    r.name = ORBAX_Platform::wide_from_path(QuorTest::data_file("las/wrapped.las"));
    r.code = r.las->read(r.name, r.error);
    ASSERT_EQ(r.code, 0) << r.error;
    ASSERT_EQ(r.las->row_count(), 3);
    // STOP below STRT: the last record is row 0.
    EXPECT_EQ(samples(r, 0), (std::vector<double>{909.5, 909.75, 910.0}));
    EXPECT_EQ(samples(r, 2), (std::vector<double>{2692.8137, 2712.6460, 2692.7075}));
    EXPECT_EQ(samples(r, 1)[0], 123.45);
    EXPECT_TRUE(std::isnan(samples(r, 1)[1]));
    EXPECT_EQ(r.las->step(), -0.25);
}

TEST(LasDataSection, SecondReadStartsClean)
{
    Files files;
    auto las = std::make_unique<Las>();
    std::wstring error;
    std::wstring first = files.write(
        header(kNullWell + " STEP.M 5 : s\n", {"DEPT", "V", "W"}) + "~A\n1000 1 2\n1005 3 4\n1010 5 6\n", "first.las");
    ASSERT_EQ(las->read(first, error), 0) << error;
    EXPECT_EQ(las->depth_index().size(), 3u);

    std::wstring second =
        files.write("~V\n VERS. 2.0 : v\n~W\n~C\n DEPT.M : d\n X.U : x\n~A\n7 -999.25\n8\n", "second.las");
    ASSERT_EQ(las->read(second, error), 0) << error;
    EXPECT_EQ(las->file_name(), second);
    EXPECT_EQ(las->row_count(), 2);
    EXPECT_EQ(las->curves().size(), 2u);
    EXPECT_TRUE(std::isnan(las->start_depth()));
    EXPECT_TRUE(std::isnan(las->stop_depth()));
    EXPECT_TRUE(std::isnan(las->step()));
    EXPECT_EQ(las->null_text(), "");
    // No NULL item now: -999.25 is a reading, and the old depths are gone from the index.
    EXPECT_EQ(las->curves()[1].sample(0), -999.25);
    EXPECT_TRUE(std::isnan(las->curves()[1].sample(1)));
    EXPECT_EQ(las->depth_index().size(), 2u);
    EXPECT_EQ(las->depth_index().count(1000.0), 0u);
}

// A file large enough to be split into several blocks and parts, with comment lines scattered in
// it: every value lands in its row, and the ranges and the index match a plain computation.
TEST(LasDataSection, LargeFileReadInParallelPartsMatchesItsValues)
{
    const int rows = 260000;
    std::string text = header(" STRT.M 5000 : s\n STOP.M 0 : s\n NULL. -999.25 : null\n", {"DEPT", "A", "B"});
    text += "~A\n";
    char line[128];
    double minimumA = 1e300, maximumA = -1e300;
    std::size_t nullDepths = 0; // the depths run through -999.25, the NULL value
    for (int r = 0; r < rows; ++r) {
        double depth = 5000.0 - r * 0.025;
        double a = (r * 7919 % 10007) / 8.0 - 300.0;
        bool nullB = r % 101 == 0;
        std::snprintf(line, sizeof line, "%12.3f %14.4f %10s\n", depth, a, nullB ? "-999.25" : "17.5");
        text += line;
        if (r % 4999 == 0)
            text += "# comment line\n";
        nullDepths += std::fabs(depth + 999.25) < 0.001;
        minimumA = std::min(minimumA, a);
        maximumA = std::max(maximumA, a);
    }
    ASSERT_GT(text.size(), std::size_t(9) << 20);
    Files files;
    Loaded r = files.load(text);
    ASSERT_EQ(r.code, 0) << r.error;
    ASSERT_EQ(r.las->row_count(), rows);
    const auto& c = r.las->curves();
    // Descending file: row 0 holds the last record.
    for (int row = 0; row < rows; row += 997) {
        int record = rows - 1 - row;
        EXPECT_NEAR(c[0].sample(row), 5000.0 - record * 0.025, 1e-9) << row;
        EXPECT_NEAR(c[1].sample(row), (record * 7919 % 10007) / 8.0 - 300.0, 1e-9) << row;
        EXPECT_EQ(std::isnan(c[2].sample(row)), record % 101 == 0) << row;
    }
    EXPECT_NEAR(c[1].minimum(), minimumA, 1e-9);
    EXPECT_NEAR(c[1].maximum(), maximumA, 1e-9);
    EXPECT_EQ(c[2].minimum(), 17.5);
    ASSERT_EQ(nullDepths, 1u);
    EXPECT_EQ(r.las->depth_index().size(), static_cast<std::size_t>(rows) - nullDepths);
    EXPECT_EQ(r.las->depth_index().begin()->second, 0);
}

// A short line deep inside a large file ends the data exactly there, with the right line number.
TEST(LasDataSection, ShortLineDeepInALargeFile)
{
    std::string text = header(" STRT.M 0 : s\n STOP.M 1 : s\n", {"DEPT", "A", "B"}) + "~A\n";
    const int firstDataLine = 12;
    const int shortAt = 150000;
    for (int r = 0; r < 300000; ++r)
        text += r == shortAt ? "1 2\n" : std::to_string(r) + " 1.5 2.5\n";
    Files files;
    Loaded loaded = files.load(text);
    EXPECT_EQ(loaded.code, 3);
    EXPECT_EQ(loaded.error, L"Format problem with LAS file " + loaded.name + L" in section (global) on line " +
                                std::to_wstring(firstDataLine + shortAt + 1));
    EXPECT_EQ(loaded.las->row_count(), shortAt + 1);
}

// A pipe cannot seek back for the second pass over the data: a data section larger than the
// reader's buffer, fed through a named pipe, still reads every value (not a table of NaN).
TEST(LasDataSection, PipeLargerThanTheBufferReadsEveryValue)
{
    const int rows = 700000;
    std::string text = header(" STRT.M 0 : s\n STOP.M 1 : s\n", {"DEPT", "A"}) + "~A\n";
    for (int r = 0; r < rows; ++r)
        text += std::to_string(r) + ".25 " + std::to_string(r % 1000) + "\n";
    ASSERT_GT(text.size(), std::size_t(9) << 20);

    Files files;
    const std::filesystem::path pipe = files.dir() / "pipe.las";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::signal(SIGPIPE, SIG_IGN); // a reader that stopped early must not end the test program
    std::thread writer([&] {
        std::ofstream out(pipe, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    });
    Las las;
    std::wstring error;
    const int code = las.read(ORBAX_Platform::wide_from_path(pipe), error);
    writer.join();

    ASSERT_EQ(code, 0) << std::string(error.begin(), error.end());
    ASSERT_EQ(las.row_count(), rows);
    const auto& c = las.curves();
    for (int row = 0; row < rows; row += 4999) {
        EXPECT_EQ(c[0].sample(row), row + 0.25) << row;
        EXPECT_EQ(c[1].sample(row), row % 1000) << row;
    }
    EXPECT_EQ(c[0].maximum(), rows - 1 + 0.25);
    EXPECT_EQ(c[1].maximum(), 999.0);
    EXPECT_EQ(las.depth_index().size(), static_cast<std::size_t>(rows));
}
