#include <climits>
#include <clocale>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "platform/LineReader.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "platform/TerminalText.h"
#include "platform/Text.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Platform;

TEST(Cp1252, EveryByteSurvivesWidenAndNarrow)
{
    const auto& ct = std::use_facet<std::ctype<wchar_t>>(std::locale());
    for (int b = 0; b < 256; ++b) {
        char byte = static_cast<char>(b);
        wchar_t wide = ct.widen(byte);
        EXPECT_EQ(ct.narrow(wide, '?'), byte) << "byte " << b;
    }
    EXPECT_EQ(ct.widen('\x41'), L'A');
    EXPECT_EQ(ct.widen('\xE9'), L'\u00E9');
    EXPECT_EQ(ct.widen('\x96'), L'\u2013'); // en dash
    EXPECT_EQ(ct.widen('\x80'), L'\u20AC');
    EXPECT_EQ(ct.narrow(L'\u4E2D', '?'), '?');
}

TEST(Cp1252, ClassificationAndCaseAreUnicodeAware)
{
    const auto& ct = std::use_facet<std::ctype<wchar_t>>(std::locale());
    EXPECT_EQ(ct.toupper(L'\u00E9'), L'\u00C9');
    EXPECT_TRUE(ct.is(std::ctype_base::digit, L'7'));
    EXPECT_TRUE(ct.is(std::ctype_base::space, L' '));
    EXPECT_TRUE(ct.is(std::ctype_base::alpha, L'\u00E9'));
}

TEST(Cp1252, WideFileStreamsKeepBytes)
{
    QuorTest::TempDir dir;
    const std::string bytes = "A\xE9\x96 line\r\nnext\n";
    QuorTest::write_file(dir / "in.txt", bytes);
    std::wifstream in;
    in.imbue(std::locale());
    in.open(dir / "in.txt", std::ios::binary);
    std::wstring first, second;
    read_line(in, first);
    read_line(in, second);
    EXPECT_EQ(first, L"A\u00E9\u2013 line");
    EXPECT_EQ(second, L"next");

    std::wofstream out;
    out.imbue(std::locale());
    out.open(dir / "out.txt", std::ios::binary);
    out << first << L"\r\n" << second << L"\n";
    out.close();
    EXPECT_EQ(QuorTest::read_file(dir / "out.txt"), bytes);
}

TEST(Cp1252, CodeConversionOfTheLocaleKeepsEveryByte)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    using Codecvt = std::codecvt<wchar_t, char, std::mbstate_t>;
    const Codecvt& cvt = std::use_facet<Codecvt>(std::locale());
    std::wstring wide(all.size(), L'\0');
    std::mbstate_t state{};
    const char* fromNext = nullptr;
    wchar_t* toNext = nullptr;
    ASSERT_EQ(
        cvt.in(state, all.data(), all.data() + all.size(), fromNext, wide.data(), wide.data() + wide.size(), toNext),
        Codecvt::ok);
    EXPECT_EQ(wide, widen_cp1252(all));
    std::string back(all.size(), '\0');
    const wchar_t* wideNext = nullptr;
    char* byteNext = nullptr;
    ASSERT_EQ(cvt.out(state, wide.data(), wide.data() + wide.size(), wideNext, back.data(), back.data() + back.size(),
                      byteNext),
              Codecvt::ok);
    EXPECT_EQ(back, all);
    // A character the code page lacks stops the conversion where it stands.
    const std::wstring chinese = L"a\u4E2Db";
    ASSERT_EQ(cvt.out(state, chinese.data(), chinese.data() + chinese.size(), wideNext, back.data(),
                      back.data() + back.size(), byteNext),
              Codecvt::error);
    EXPECT_EQ(wideNext, chinese.data() + 1);
}

TEST(TextModule, CodePageBothWaysWithLossReported)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::wstring wide = widen_cp1252(all);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(wide[0x96], L'\u2013');
    bool lost = false;
    EXPECT_EQ(narrow_cp1252(wide, '?', &lost), all);
    EXPECT_FALSE(lost);
    EXPECT_EQ(narrow_cp1252(L"x\u4E2D\u4E2Dy", '?', &lost), "x??y");
    EXPECT_TRUE(lost);
    EXPECT_EQ(narrow_cp1252(L"A\u00E9\u2013", '\0'), "A\xE9\x96");
    // The buffer-reusing form leaves nothing of a longer text before it.
    std::wstring reused = L"a much longer text than the next one";
    widen_cp1252("\x80!", reused);
    EXPECT_EQ(reused, L"\u20AC!");
    widen_cp1252("", reused);
    EXPECT_TRUE(reused.empty());
}

TEST(TextModule, Utf8BothWaysAndFromTheCodePage)
{
    const std::wstring text = L"nope \u00E9 \u2013 \u4E2D \U0001F600";
    EXPECT_EQ(wide_from_utf8(utf8_from_wide(text)), text);
    EXPECT_EQ(utf8_from_wide(L"\u00E9"), "\xC3\xA9");
    EXPECT_EQ(utf8_from_cp1252("nope \xE9.pro \x80"), "nope \xC3\xA9.pro \xE2\x82\xAC");
    // Broken input: one replacement character per offending byte, nothing else lost.
    EXPECT_EQ(wide_from_utf8("a\xFF\xC3"), L"a\uFFFD\uFFFD");
    EXPECT_EQ(wide_from_utf8("\xC0\xAF"), L"\uFFFD\uFFFD");             // overlong
    EXPECT_EQ(wide_from_utf8("\xED\xA0\x80x"), L"\uFFFD\uFFFD\uFFFDx"); // a surrogate
    EXPECT_EQ(utf8_from_wide(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

TEST(TextModule, TrimmingBlanks)
{
    EXPECT_EQ(trimmed_blanks(L"  ab c \t"), L"ab c");
    EXPECT_EQ(trimmed_blanks(L"   "), L"");
    EXPECT_EQ(trimmed_blanks(L""), L"");
    EXPECT_EQ(trimmed_blanks(L"\nx\r"), L"x\r"); // a carriage return is not a blank here
    std::wstring text = L"\t value \n";
    trim_blanks(text);
    EXPECT_EQ(text, L"value");
    text = L" \t\n";
    trim_blanks(text);
    EXPECT_EQ(text, L"");
}

TEST(LineReader, CrLfAndLoneCrLinesEqualTheirLfTwin)
{
    QuorTest::TempDir dir;
    // The file is read through a buffer of three bytes, so that a CR LF pair is split between reads.
    QuorTest::write_file(dir / "cr.txt", "first\rsecond\r\n\rlast\r");
    std::ifstream file;
    char block[3];
    file.rdbuf()->pubsetbuf(block, sizeof block);
    file.open(dir / "cr.txt", std::ios::binary);
    std::istringstream crlf("first\r\nsecond\r\n\r\nlast");
    for (std::istream* in : {static_cast<std::istream*>(&crlf), static_cast<std::istream*>(&file)}) {
        std::istringstream lf("first\nsecond\n\nlast");
        std::string a, b;
        while (read_line(*in, a)) {
            ASSERT_TRUE(static_cast<bool>(read_line(lf, b)));
            EXPECT_EQ(a, b);
        }
        EXPECT_FALSE(static_cast<bool>(read_line(lf, b)));
    }
    EXPECT_EQ(line_feeds_only("a\r\nb\rc\r"), "a\nb\nc\n");
}

TEST(Numbers, ParseLikeTheCLibraryWithoutItsLocale)
{
    EXPECT_DOUBLE_EQ(parse_double("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(parse_double("  -12.75e1xyz"), -127.5);
    EXPECT_DOUBLE_EQ(parse_double("+3"), 3.0);
    EXPECT_DOUBLE_EQ(parse_double("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(parse_double(".5"), 0.5);
    EXPECT_EQ(parse_double("abc"), 0.0);
    EXPECT_EQ(parse_double(""), 0.0);
    EXPECT_EQ(parse_double("+-3"), 0.0);
    EXPECT_TRUE(std::isnan(parse_double("nan")));
    EXPECT_TRUE(std::isinf(parse_double("1e999")));
    EXPECT_EQ(parse_double("1e-999"), 0.0);
    std::size_t used = 99;
    parse_double("x1", &used);
    EXPECT_EQ(used, 0u);
    parse_double(" 1.5,2", &used);
    EXPECT_EQ(used, 4u);
    EXPECT_DOUBLE_EQ(parse_double(std::wstring_view(L" 4.25m")), 4.25);
    EXPECT_EQ(parse_long("  -42x"), -42);
    EXPECT_EQ(parse_long("x"), 0);
    EXPECT_EQ(parse_long("99999999999999999999999"), LONG_MAX);
    EXPECT_EQ(parse_long(std::wstring_view(L"17")), 17);
}

TEST(Numbers, IndependentOfTheProcessLocale)
{
    // A locale with a decimal comma, where the system has one; the C library would then read "2,5".
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    bool changed = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            changed = true;
            break;
        }
    }
    EXPECT_DOUBLE_EQ(parse_double("2.5"), 2.5);
    EXPECT_EQ(format_fixed(2.5, 2), "2.50");
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!changed)
        GTEST_LOG_(INFO) << "no decimal-comma locale on this machine; checked under the C locale only";
}

TEST(Numbers, FixedNotation)
{
    EXPECT_EQ(format_fixed(1.005, 2), "1.00"); // the binary value is just below 1.005
    EXPECT_EQ(format_fixed(-0.125, 2), "-0.12");
    EXPECT_EQ(format_fixed(12, 0), "12");
    EXPECT_EQ(format_fixed(1e20, 1), "100000000000000000000.0");
    EXPECT_EQ(format_fixed(NAN, 2), "nan");
    EXPECT_EQ(format_fixed_wide(3.14159, 3), L"3.142");
    EXPECT_EQ(format_shortest(0.1), "0.1");
    EXPECT_EQ(parse_double(format_shortest(1.0 / 3.0)), 1.0 / 3.0);
}

TEST(Paths, Utf8NamesRoundTrip)
{
    const std::wstring name = L"bohrloch-\u00E9\u2013\U0001F600.txt";
    std::string utf8 = utf8_from_wide(name);
    EXPECT_EQ(utf8, "bohrloch-\xC3\xA9\xE2\x80\x93\xF0\x9F\x98\x80.txt");
    EXPECT_EQ(wide_from_utf8(utf8), name);
    EXPECT_EQ(wide_from_utf8("a\xFF"
                             "b\xC3"),
              L"a\uFFFDb\uFFFD");
    EXPECT_EQ(wide_from_utf8("\xE0\x80\x80"), L"\uFFFD\uFFFD\uFFFD"); // overlong

    QuorTest::TempDir dir;
    auto path = dir.path() / path_from_wide(name);
    std::ofstream out;
    ASSERT_TRUE(open_output(out, path));
    out << "x";
    out.close();
    std::string bytes;
    int code = 0;
    ASSERT_EQ(read_file_bytes(path, 16, bytes, code), FileRead::Read);
    EXPECT_EQ(bytes, "x");
    EXPECT_EQ(read_file_bytes(dir.path() / "missing", 16, bytes, code), FileRead::Failed);
    EXPECT_EQ(code, ENOENT);
}

// A name that is not UTF-8 (a Latin-1 one from an older disk, broken sequences) goes from bytes to
// wide text and back unchanged and reaches the system as itself; text made of it for display is valid
// UTF-8; a name no file can have is refused, never turned into another.
TEST(Paths, NamesThatAreNotUtf8KeepTheirBytes)
{
    for (const std::string bytes :
         {"a\xE9.csv", "\xC3\xA9t\xE9", "\xC0\xAF\xFFx\xE2\x82", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
        std::string back;
        ASSERT_TRUE(name_from_wide(wide_from_name(bytes), back));
        EXPECT_EQ(back, bytes);
        EXPECT_EQ(path_from_wide(wide_from_path(bytes)).native(), bytes);
    }
    EXPECT_EQ(wide_from_name("\xC3\xA9t\xE9"), L"\u00E9t\xDCE9");
    EXPECT_NE(wide_from_name("a\xE9"), wide_from_name("a\xE8"));
    EXPECT_EQ(utf8_from_wide(wide_from_name("a\xE9")), "a\xEF\xBF\xBD");
    EXPECT_EQ(TerminalEncoding("C.UTF-8").encode(wide_from_name("a\xE9 \xC3\xA9")), "a\\351 \xC3\xA9");
    std::filesystem::path refused("x");
    EXPECT_FALSE(path_from_wide(std::wstring(L"a\0b", 3), refused));
    EXPECT_TRUE(refused.empty());
    EXPECT_TRUE(path_from_wide(std::wstring(1, static_cast<wchar_t>(0xD800))).empty());

    QuorTest::TempDir dir;
    QuorTest::write_file(dir / "in\xE9.csv", "x");
    std::string bytes;
    int code = 0;
    const std::wstring name = wide_from_path(dir / "in\xE9.csv");
    EXPECT_EQ(read_file_bytes(path_from_wide(name), 16, bytes, code), FileRead::Read);
    EXPECT_EQ(read_file_bytes(path_from_wide(name.substr(0, name.size() - 5) + L"\xFFFD.csv"), 16, bytes, code),
              FileRead::Failed);
}

// A whole-file read stops at its limit: a larger regular file, an endless device, a longer line.
TEST(Paths, ReadsStopAtTheirLimit)
{
    QuorTest::TempDir dir;
    QuorTest::write_file(dir / "five", "12345");
    std::string bytes;
    int code = 0;
    EXPECT_EQ(read_file_bytes(dir / "five", 4, bytes, code), FileRead::TooLarge);
    EXPECT_EQ(read_regular_file(dir / "five", 4, bytes, code), FileRead::TooLarge);
    EXPECT_EQ(read_file_bytes("/dev/zero", 1 << 20, bytes, code), FileRead::TooLarge);
    std::istringstream lines("1234\n12345\n");
    bool tooLong = true;
    EXPECT_TRUE(read_line(lines, bytes, 4, tooLong) && !tooLong);
    EXPECT_TRUE(!read_line(lines, bytes, 4, tooLong) && tooLong);
}

TEST(SafeFile, ReplacesWithBackupAndLeavesOldFileOnFailure)
{
    QuorTest::TempDir dir;
    auto target = dir / "bore.txt";
    auto backup = dir / "bore.txt.backup";
    QuorTest::write_file(target, "old");
    QuorTest::write_file(backup, "older");
    auto result = save_file_safely(target, std::string("new"), backup);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(QuorTest::read_file(target), "new");
    EXPECT_EQ(QuorTest::read_file(backup), "old");

    // A writer that gives up leaves both files alone and no temporary file behind.
    result = save_file_safely(
        target,
        [](std::ostream& out) {
            out << "partial";
            return false;
        },
        backup);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(QuorTest::read_file(target), "new");
    EXPECT_EQ(QuorTest::read_file(backup), "old");
    int files = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2);

    // A folder that cannot be written to: the save fails with the system's words.
    result = save_file_safely(dir / "no-such-folder" / "x.txt", std::string("x"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "No such file or directory");
}

TEST(SafeFile, SavingThroughALinkReplacesTheLinkedFile)
{
    QuorTest::TempDir dir;
    std::filesystem::create_directory(dir / "real");
    QuorTest::write_file(dir / "real" / "bore.txt", "old");
    std::filesystem::create_symlink("real/bore.txt", dir / "link.txt");
    auto result = save_file_safely(dir / "link.txt", std::string("new"), dir / "link.txt.backup");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
    EXPECT_EQ(QuorTest::read_file(dir / "real" / "bore.txt"), "new");
    EXPECT_EQ(QuorTest::read_file(dir / "real" / "bore.txt.backup"), "old");
    EXPECT_FALSE(std::filesystem::exists(dir / "link.txt.backup"));

    // A link to a file not there yet: the file is made where the link points.
    std::filesystem::create_symlink("real/new.txt", dir / "fresh.txt");
    result = save_file_safely(dir / "fresh.txt", std::string("first"));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "fresh.txt"));
    EXPECT_EQ(QuorTest::read_file(dir / "real" / "new.txt"), "first");
}

TEST(TerminalText, UnicodeLocalesAndThePlainLocaleGetUtf8)
{
    for (const char* name : {"C", "POSIX", "C.UTF-8", "no-such-locale"}) {
        TerminalEncoding encoding(name);
        EXPECT_TRUE(encoding.isUtf8()) << name;
        EXPECT_EQ(encoding.encode(L"nope \u00E9 \u4E2D"), "nope \xC3\xA9 \xE4\xB8\xAD") << name;
    }
    // Narrow text of unknown origin: UTF-8 stays, code page bytes are converted.
    EXPECT_EQ(terminal_text_of_bytes("Item \xC3\xA9"), "Item \xC3\xA9");
    EXPECT_EQ(terminal_text_of_bytes("Item \xE9"), "Item \xC3\xA9");
}

TEST(TerminalText, ASingleByteLocaleGetsItsOwnBytes)
{
    locale_t latin1 = nullptr;
    const char* found = nullptr;
    for (const char* name : {"en_US.ISO-8859-1", "en_US", "de_DE.ISO-8859-1", "fr_FR.ISO-8859-1"}) {
        latin1 = ::newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr));
        if (latin1) {
            found = name;
            break;
        }
    }
    if (!latin1)
        GTEST_SKIP() << "no ISO 8859-1 locale on this machine";
    ::freelocale(latin1);
    TerminalEncoding encoding(found);
    ASSERT_FALSE(encoding.isUtf8());
    EXPECT_EQ(encoding.encode(L"\u00E9t\u00E9 \u4E2D"), "\xE9t\xE9 ?");
    bool lost = false;
    EXPECT_TRUE(encoding.encode(L"\u00E9", &lost) == "\xE9" && !lost);
    EXPECT_TRUE(encoding.encode(L"\u4E2D", &lost) == "?" && lost) << "a character it lacks is told";
}
