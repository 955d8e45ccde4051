// Result codes, messages and line numbers of the file-level reader.
#include <gtest/gtest.h>

#include "las/LasLineSource.h"
#include "tests/las/LasTestFiles.h"

using namespace LasTest;

namespace {

const std::string kWell = " STRT.M 1.0 : start\n STOP.M 2.0 : stop\n STEP.M 1.0 : step\n";

std::wstring format_problem(const std::wstring& name, int line)
{
    return L"Format problem with LAS file " + name + L" in section (global) on line " + std::to_wstring(line);
}

std::wstring missing(const std::wstring& name, const std::wstring& section)
{
    return L"LAS file " + name + L" is missing the " + section + L" section";
}

std::wstring duplicate(const std::wstring& name, const std::wstring& section)
{
    return L"Duplicate section " + section + L" in LAS file " + name;
}

} // namespace

TEST(LasReaderResult, UnopenableFileGivesCode1WithTheSystemText)
{
    Files files;
    Las las;
    std::wstring error;
    const std::wstring name = ORBAX_Platform::wide_from_path(files.dir() / "absent.las");
    EXPECT_EQ(las.read(name, error), 1);
    EXPECT_EQ(error, L"Unable to open " + name + L"\n(No such file or directory)");

    const std::wstring folder = ORBAX_Platform::wide_from_path(files.dir().path());
    EXPECT_EQ(las.read(folder, error), 1);
    EXPECT_EQ(error, L"Unable to open " + folder + L"\n(Is a directory)");
}

TEST(LasReaderResult, NothingButCommentsGivesCode2WithTheLineCount)
{
    Loaded empty = load("");
    EXPECT_EQ(empty.code, 2);
    EXPECT_EQ(empty.error, L"Unexpected end of file encountered when reading " + empty.name + L" around line 0");

    Loaded comments = load("# one\n   # two\r\n#three");
    EXPECT_EQ(comments.code, 2);
    EXPECT_EQ(comments.error, L"Unexpected end of file encountered when reading " + comments.name + L" around line 3");
}

TEST(LasReaderResult, FirstLineMustBeATitle)
{
    Loaded blank = load("\n~Version\n");
    EXPECT_EQ(blank.code, 3);
    EXPECT_EQ(blank.error, format_problem(blank.name, 1));

    // Comment lines count; a tab before "~" is not a title; neither is "~" followed by a blank.
    Loaded tab = load("# c\n# d\n\t~Version\n");
    EXPECT_EQ(tab.error, format_problem(tab.name, 3));
    Loaded bom = load("\xEF\xBB\xBF~Version\n");
    EXPECT_EQ(bom.error, format_problem(bom.name, 1));
    Loaded lone = load("~\n");
    EXPECT_EQ(lone.error, format_problem(lone.name, 1));
    Loaded spaced = load("~ Version\n");
    EXPECT_EQ(spaced.code, 3);
}

TEST(LasReaderResult, TitleThatIsNoTitleAfterASection)
{
    Loaded r = load(header(kWell, {"DEPT"}) + "~ A\n1\n");
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.error, format_problem(r.name, 10));
}

TEST(LasReaderResult, BlankLinesInTheCurveSection)
{
    const std::string head = "~V\n VERS. 2.0 : v\n~W\n" + kWell + "~C\n DEPT.M : depth\n";
    // One blank line at the end of the section is passed over.
    Loaded last = load(head + " GR.API : gamma\n\n~A\n1 2\n");
    EXPECT_EQ(last.code, 0) << last.error;
    EXPECT_EQ(last.las->curves().size(), 2u);

    // A blank line between two definitions ends the section; the next line is then no title.
    Loaded between = load(head + "\n GR.API : gamma\n~A\n1 2\n");
    EXPECT_EQ(between.code, 3);
    EXPECT_EQ(between.error, format_problem(between.name, 10));

    // Two blank lines at the end: the one after the first is reported.
    Loaded two = load(head + " GR.API : gamma\n\n\n~A\n1 2\n");
    EXPECT_EQ(two.code, 3);
    EXPECT_EQ(two.error, format_problem(two.name, 11));

    // A comment line between them is counted but is no line of the section.
    Loaded commented = load(head + "\n# note\n GR.API : gamma\n~A\n1 2\n");
    EXPECT_EQ(commented.error, format_problem(commented.name, 11));
}

TEST(LasReaderResult, BlankAndMalformedLinesInVersionAndWellAreIgnored)
{
    Loaded r = load("~V\n\n VERS. 2.0 : v\nno dot or colon\n   \n~W\n\n STRT.M 5 : s\nrubbish\n STOP.M 6 : s\n"
                    "~C\n DEPT.M : d\n~A\n5\n6\n");
    ASSERT_EQ(r.code, 0) << r.error;
    EXPECT_EQ(r.las->start_depth(), 5.0);
    EXPECT_EQ(r.las->stop_depth(), 6.0);
    EXPECT_EQ(r.las->row_count(), 2);
}

TEST(LasReaderResult, MalformedParameterLineEndsTheSection)
{
    const std::string head = header(kWell, {"DEPT"});
    Loaded ok = load(head + "~P\n BHT.C 35 : temperature\n~A\n1\n");
    EXPECT_EQ(ok.code, 0) << ok.error;
    Loaded bad = load(head + "~P\n no parameter here\n BHT.C 35 : temperature\n~A\n1\n");
    EXPECT_EQ(bad.code, 3);
    EXPECT_EQ(bad.error, format_problem(bad.name, 12));
}

TEST(LasReaderResult, DuplicateSections)
{
    Loaded curves = load(header(kWell, {"DEPT"}) + "~Curve again\n GR.API : g\n~A\n1 2\n");
    EXPECT_EQ(curves.code, 4);
    EXPECT_EQ(curves.error, duplicate(curves.name, L"~Curve"));

    Loaded version = load(header(kWell, {"DEPT"}) + "~V\n~A\n1\n");
    EXPECT_EQ(version.error, duplicate(version.name, L"~Version"));
    Loaded well = load(header(kWell, {"DEPT"}) + "~Well\n~A\n1\n");
    EXPECT_EQ(well.error, duplicate(well.name, L"~Well"));
    Loaded params = load(header(kWell, {"DEPT"}) + "~P\n~Param\n~A\n1\n");
    EXPECT_EQ(params.error, duplicate(params.name, L"~Parameter"));

    // Unwrapped data ended by an empty line: a second data title is a duplicate.
    Loaded data = load(header(kWell, {"DEPT", "GR"}) + "~A\n1 2\n\n~A\n3 4\n");
    EXPECT_EQ(data.code, 4);
    EXPECT_EQ(data.error, duplicate(data.name, L"~A"));

    // Without the empty line the title is read as a (short) data row, and the next line is no title.
    Loaded row = load(header(kWell, {"DEPT", "GR"}) + "~A\n1 2\n~A\n3 4\n");
    EXPECT_EQ(row.code, 3);
    EXPECT_EQ(row.error, format_problem(row.name, 14));
}

TEST(LasReaderResult, MissingSectionsInTheirOrder)
{
    Loaded nothing = load("~Other\nfree text\n");
    EXPECT_EQ(nothing.code, 5);
    EXPECT_EQ(nothing.error, missing(nothing.name, L"~Ascii"));

    Loaded noVersion = load("~W\n" + kWell + "~C\n DEPT.M : d\n~A\n1\n");
    EXPECT_EQ(noVersion.error, missing(noVersion.name, L"~Version"));
    Loaded noCurve = load("~V\n VERS. 2.0 : v\n~W\n" + kWell + "~A\n1\n");
    EXPECT_EQ(noCurve.error, missing(noCurve.name, L"~Curve"));
    Loaded noWell = load("~V\n VERS. 2.0 : v\n~C\n DEPT.M : d\n~A\n1\n");
    EXPECT_EQ(noWell.code, 5);
    EXPECT_EQ(noWell.error, missing(noWell.name, L"~Well"));
}

TEST(LasReaderResult, TitlesByFirstLetterBeforeVersion3)
{
    Loaded lower = load("~v\n VERS. 2.0 : v\n~w\n" + kWell + "~c\n DEPT.M : d\n~p\n~ascii_anything\n1\n2\n");
    EXPECT_EQ(lower.code, 0) << lower.error;
    EXPECT_EQ(lower.las->row_count(), 2);

    // No version line yet: the first-letter rule applies.
    Loaded noVers = load("~W\n" + kWell + "~C\n DEPT.M : d\n~V\n~A\n1\n");
    EXPECT_EQ(noVers.code, 0) << noVers.error;
}

TEST(LasReaderResult, WholeWordTitlesFromVersion3)
{
    const std::string v3 = "~Version\n VERS. 3.0 : v\n";
    Loaded ok = load(v3 + "~Well\n" + kWell + "~Parameter\n X.U 1 : x\n~Curve\n DEPT.M : d\n~Ascii | DEPT\n1\n2\n");
    EXPECT_EQ(ok.code, 0) << ok.error;
    EXPECT_EQ(ok.las->row_count(), 2);

    Loaded shortWell = load(v3 + "~W\n" + kWell + "~Curve\n DEPT.M : d\n~Ascii\n1\n");
    EXPECT_EQ(shortWell.code, 5);
    EXPECT_EQ(shortWell.error, missing(shortWell.name, L"~Well"));

    Loaded logData = load(v3 + "~Well\n" + kWell + "~Curve\n DEPT.M : d\n~ASCII_DATA\n1\n");
    EXPECT_EQ(logData.error, missing(logData.name, L"~Ascii"));
    Loaded letterA = load(v3 + "~Well\n" + kWell + "~Curve\n DEPT.M : d\n~A\n1\n");
    EXPECT_EQ(letterA.error, missing(letterA.name, L"~Ascii"));

    // CR LF line ends do not hide a whole-word title.
    Loaded crlf = load("~Version\r\n VERS. 3.0 : v\r\n~Well\r\n STRT.M 1 : s\r\n~Curve\r\n DEPT.M : d\r\n"
                       "~Ascii\r\n1\r\n");
    EXPECT_EQ(crlf.code, 0) << crlf.error;
    EXPECT_EQ(crlf.las->curves()[0].description, "d");
}

TEST(LasReaderResult, ShortUnwrappedLineInTheMiddle)
{
    // Line 14 holds two values of three: it is the last row; line 15 stands where a title must.
    Loaded r = load(header(kWell, {"DEPT", "A", "B"}) + "~A\n1 2 3\n2 3\n3 4 5\n");
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.error, format_problem(r.name, 15));
}

// A line longer than the limit ends the read with code 3 and its own message, in block-read data
// (a header line is read as wrapped data is) and in wrapped data.
TEST(LasReaderResult, ALineLongerThanTheLimitEndsTheReadNamingIt)
{
    const std::string overlong(ORBAX_Geophysics::LasLineSource::kMaxLineBytes + 1, '1');
    for (const auto& [wrap, line] : {std::pair{"NO", 13}, std::pair{"YES", 14}}) {
        Files files;
        Loaded r = files.load(header(kWell, {"DEPT", "A"}, wrap) + "~A\n1 2\n" + (line == 14 ? "3\n" : "") + overlong);
        EXPECT_EQ(r.code, 3);
        EXPECT_EQ(r.error, L"Line " + std::to_wstring(line) + L" of LAS file " + r.name +
                               L" is longer than 16 MB, the limit for one line.");
    }
}
