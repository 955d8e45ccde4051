#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

#include "core/streams/OutputStream.h"
#include "platform/Paths.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Utilities;

namespace {

std::wstring wide_name(const std::filesystem::path& path) { return ORBAX_Platform::wide_from_path(path); }

std::string repeat(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

// Ten words of ten letters each ("aaaaaaaaa0 bbbbbbbbb1 ..."), single blanks between them.
std::string ten_words()
{
    std::string line;
    for (int i = 0; i < 10; ++i) {
        if (i)
            line += ' ';
        line += repeat(static_cast<char>('a' + i), 9) + static_cast<char>('0' + i);
    }
    return line;
}

std::string word(int i) { return repeat(static_cast<char>('a' + i), 9) + static_cast<char>('0' + i); }

// Writes through a fresh stream (with the given level and step) and returns the file's content.
template <class Writer>
std::string written(Writer writer, int level = 0, int step = 3)
{
    QuorTest::TempDir dir;
    auto file = dir / "out.txt";
    {
        OutputStream out(wide_name(file));
        EXPECT_TRUE(out.good());
        out.buffer().setLevel(level);
        out.setIndentStep(step);
        writer(out);
    }
    return QuorTest::read_file(file);
}

} // namespace

TEST(OutputStream, IndentsBlocksAndEmptyLines)
{
    EXPECT_EQ(written([](OutputStream& o) { o << "Bitmaps {\n" << std::flush; }, 1), "   Bitmaps {\n");

    std::string text = written([](OutputStream& o) {
        o << "Definitions {" << std::endl
          << indent << "first\n\n"
          << indent << "inner\n"
          << outdent << "last\n"
          << outdent << "}\n"
          << std::flush;
    });
    // An empty line still gets the indentation.
    EXPECT_EQ(text, "Definitions {\n   first\n   \n      inner\n   last\n}\n");

    EXPECT_EQ(written([](OutputStream& o) { o << "a\n" << indent << "b\n" << std::flush; }, 0, 0), "a\n\tb\n");
    EXPECT_EQ(written([](OutputStream& o) { o << "x\n" << std::flush; }, 2, 0), "\t\tx\n");
    // A level below zero writes no indentation at all.
    EXPECT_EQ(written([](OutputStream& o) { o << outdent << "x\n" << std::flush; }), "x\n");
}

TEST(OutputStream, BreaksLongLinesAtBlanks)
{
    std::string line = ten_words();
    ASSERT_EQ(line.size(), 109u);

    // Level 0: seven words fit (76 columns); the eighth, with its blank, would reach column 87.
    std::string expected0 = word(0);
    for (int i = 1; i < 7; ++i)
        expected0 += " " + word(i);
    expected0 += "\n   " + word(7) + " " + word(8) + " " + word(9) + "\n";
    EXPECT_EQ(written([&](OutputStream& o) { o << line << '\n' << std::flush; }), expected0);

    // Level 1: the continuation line is indented one level deeper, its leading blank dropped.
    std::string expected1 = "   " + word(0);
    for (int i = 1; i < 7; ++i)
        expected1 += " " + word(i);
    expected1 += "\n      " + word(7) + " " + word(8) + " " + word(9) + "\n";
    EXPECT_EQ(written([&](OutputStream& o) { o << line << '\n' << std::flush; }, 1), expected1);

    // The width test: column + pending word (with its blank) at 80 breaks, at 79 does not.
    EXPECT_EQ(written([](OutputStream& o) { o << repeat('x', 69) << " " << repeat('y', 10) << " z\n"
                                              << std::flush; }),
              repeat('x', 69) + "\n   " + repeat('y', 10) + " z\n");
    EXPECT_EQ(written([](OutputStream& o) { o << repeat('x', 68) << " " << repeat('y', 10) << " z\n"
                                              << std::flush; }),
              repeat('x', 68) + " " + repeat('y', 10) + " z\n");

    // The last word before a newline is never moved; a long word goes to a line of its own.
    EXPECT_EQ(written([](OutputStream& o) { o << repeat('x', 75) << " " << repeat('y', 20) << "\n"
                                              << std::flush; }),
              repeat('x', 75) + " " + repeat('y', 20) + "\n");
    EXPECT_EQ(written([](OutputStream& o) { o << "a " << repeat('w', 100) << " b\n"
                                              << std::flush; }),
              "a\n   " + repeat('w', 100) + " b\n");
}

TEST(OutputStream, NeverBreaksInsideQuotes)
{
    std::string quoted = "\"one two three four five six\"";
    std::string text =
        written([&](OutputStream& o) { o << repeat('x', 60) << " " << quoted << " end\n"
                                         << std::flush; });
    EXPECT_EQ(text, repeat('x', 60) + "\n   " + quoted + " end\n");

    // An unbalanced quote keeps the rest unbreakable, across newlines, until the next quote.
    std::string words = ten_words();
    text = written([&](OutputStream& o) {
        o << "name \"open\n"
          << words << "\n"
          << "close\" " << words << "\n"
          << std::flush;
    });
    std::istringstream lines(text);
    std::string l1, l2, l3, l4;
    std::getline(lines, l1);
    std::getline(lines, l2);
    std::getline(lines, l3);
    std::getline(lines, l4);
    EXPECT_EQ(l1, "name \"open");
    EXPECT_EQ(l2, words);
    EXPECT_EQ(l3.substr(0, 7), "close\" ");
    EXPECT_LT(l3.size(), 80u);
    EXPECT_EQ(l4.substr(0, 3), "   ");
}

TEST(OutputStream, StateCarriesAcrossFlushes)
{
    // The column survives the flush, so the word after it still breaks the line.
    std::string text = written([](OutputStream& o) {
        o << repeat('x', 70) << std::flush;
        o << " " << repeat('y', 12) << " z\n" << std::flush;
    });
    EXPECT_EQ(text, repeat('x', 70) + "\n   " + repeat('y', 12) + " z\n");

    text = written([](OutputStream& o) {
        o << "say \"a" << std::flush;
        o << " " << repeat('b', 90) << " c\" d\n" << std::flush;
    });
    EXPECT_EQ(text, "say \"a " + repeat('b', 90) + " c\" d\n");
}

TEST(OutputStream, UnflushedTextIsDiscarded)
{
    EXPECT_EQ(written([](OutputStream& o) { o << "kept\n" << std::flush << "lost"; }), "kept\n");
}

TEST(OutputStream, FailedWriterLeavesOldFile)
{
    QuorTest::TempDir dir;
    auto file = dir / "config.txt";
    QuorTest::write_file(file, "old content\n");
    try {
        OutputStream out(wide_name(file));
        out << "new content\n" << std::flush;
        throw std::runtime_error("writer failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(QuorTest::read_file(file), "old content\n");
    // No temporary file is left behind either.
    int count = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++count;
    EXPECT_EQ(count, 1);

    {
        OutputStream out(wide_name(file));
        out << "new content\n" << std::flush;
        EXPECT_TRUE(out.close());
        EXPECT_TRUE(out.errorText().empty());
    }
    EXPECT_EQ(QuorTest::read_file(file), "new content\n");
}

TEST(OutputStream, OpenFailureSetsFailBit)
{
    QuorTest::TempDir dir;
    auto file = dir / "missing" / "out.txt";
    OutputStream out(wide_name(file));
    EXPECT_TRUE(out.fail());
    EXPECT_FALSE(out.isOpen());
    EXPECT_FALSE(out.errorText().empty());
    out << "text\n" << std::flush;
    EXPECT_FALSE(out.close());
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(OutputStream, ManipulatorsIgnoreOtherStreams)
{
    std::ostringstream plain;
    plain << indent << "a\n" << outdent << "b";
    EXPECT_EQ(plain.str(), "a\nb");
}

TEST(OutputStream, NonAsciiNamesAndBytes)
{
    QuorTest::TempDir dir;
    auto file = dir / "Gr\xC3\xA8s.txt";
    {
        OutputStream out(L"" + wide_name(file));
        out << "Gr\xE8s \"\xE9t\xE9\"\n" << std::flush;
    }
    EXPECT_EQ(QuorTest::read_file(file), "Gr\xE8s \"\xE9t\xE9\"\n");
}
