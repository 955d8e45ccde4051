// The update information as read from the maker's reply: versions compared as numbers, the newest
// release chosen, malformed replies refused, and the answer's link escaped and limited to the web.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "dialogs/LinkMarkup.h"
#include "dialogs/UpdateInfo.h"

namespace {

std::vector<UpdateInfoEntry> read(const std::string& text)
{
    std::istringstream in(text);
    std::vector<UpdateInfoEntry> entries{UpdateInfoEntry{}};
    ReadUpdateInfo(in, entries);
    return entries;
}

std::string failure(const std::string& text)
{
    try {
        read(text);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no failure";
}

TEST(UpdateInfo, LinesDatesAndLinks)
{
    auto entries = read("3.3.8 20170105 http://www.orbax.example/3.3.8\r\n"
                        "  3.10.0   20180230\thttps://x.example/a b\n"
                        "\n   \r\n"
                        "4.0.1\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].major, 3);
    EXPECT_EQ(entries[0].build, 8);
    EXPECT_EQ(entries[0].date.year, 117);
    EXPECT_EQ(entries[0].date.month, 0);
    EXPECT_EQ(entries[0].date.day, 5);
    EXPECT_EQ(entries[0].link, "http://www.orbax.example/3.3.8");
    EXPECT_EQ(entries[1].minor, 10);
    EXPECT_EQ(entries[1].link, "https://x.example/a");
    // A line without date and link still counts.
    EXPECT_EQ(entries[2].major, 4);
    EXPECT_EQ(entries[2].link, "");
    EXPECT_TRUE(read("").empty());
    // A number too long for a date leaves the entry without one (its year would not fit an int).
    const auto undated = read("3.4.0 21474836480000 http://a\n3.4.1 -99999999999 http://b\n");
    ASSERT_EQ(undated.size(), 2u);
    EXPECT_EQ(undated[0].date.year, 0);
    EXPECT_EQ(undated[1].date.day, 0);
    EXPECT_EQ(undated[1].link, "http://b");

    EXPECT_EQ(failure("3-4-0 20170101 http://a\n"), "missing first dot");
    EXPECT_EQ(failure("3.4-0 20170101 http://a\n"), "missing second dot");
    EXPECT_EQ(failure("3.3.8 1 http://a\nrubbish\n"), "missing first dot");
    EXPECT_EQ(failure("<html><body>Not found</body></html>"), "missing first dot");

    std::wostringstream out;
    write_version(out, entries[1]);
    EXPECT_EQ(out.str(), L"3.10.0");
}

TEST(UpdateInfo, NewestReleaseAboveThisProgram)
{
    EXPECT_EQ(FindNewestUpdate(read("3.3.7 1 a\n3.3.8 2 b\n3.4.0 3 c\n")), 2);
    EXPECT_EQ(FindNewestUpdate(read("3.3.7 1 a\n3.2.9 2 b\n")), -1);
    EXPECT_EQ(FindNewestUpdate(read("")), -1);
    // Equal newest versions: the first one; an older one after it changes nothing.
    EXPECT_EQ(FindNewestUpdate(read("3.3.6 1 x\n3.4.0 1 first\n3.3.9 1 y\n3.4.0 2 second\n")), 1);
    // Numbers, not text: 3.10.0 is above 3.9.5; the date plays no part.
    EXPECT_EQ(FindNewestUpdate(read("3.10.0 20000101 a\n3.9.5 20991231 b\n")), 0);
    EXPECT_EQ(FindNewestUpdate(read("3.9.5 20991231 b\n3.10.0 20000101 a\n")), 1);
    // Signed numbers: a negative part is older.
    EXPECT_EQ(FindNewestUpdate(read("3.3.-8 1 a\n")), -1);
}

TEST(UpdateInfo, AnswerTextsEscapeTheLink)
{
    std::wstring same = UpdateAnswerText(read("3.3.7 20161123 http://a.example/\n"));
    EXPECT_EQ(same, L"You are running the most recent version of QUOR_Log available.");

    std::wstring newer = UpdateAnswerText(read("3.4.0 20170101 http://a.example/new?x=1&y=2\n"));
    EXPECT_EQ(newer, L"A more recent version of QUOR_Log (3.4.0) is available.<br><br>See "
                     L"<a href=\"http://a.example/new?x=1&amp;y=2\">http://a.example/new?x=1&amp;y=2</a> "
                     L"for more information.");

    // A forged link can neither add markup nor become a link to anything but the web.
    std::wstring forged = UpdateAnswerText(read("3.4.0 20170101 http://a.example/\"><b>x</b>\n"));
    EXPECT_EQ(forged.find(L"<b>"), std::wstring::npos);
    EXPECT_NE(forged.find(L"&quot;&gt;&lt;b&gt;x&lt;/b&gt;"), std::wstring::npos);
    std::wstring local = UpdateAnswerText(read("3.4.0 20170101 file:///usr/bin/xterm\n"));
    EXPECT_EQ(local.find(L"<a "), std::wstring::npos);
    EXPECT_NE(local.find(L"file:///usr/bin/xterm"), std::wstring::npos);
    EXPECT_EQ(UpdateAnswerText(read("3.4.0 20170101 javascript:alert(1)\n")).find(L"<a "), std::wstring::npos);

    EXPECT_TRUE(IsOpenableUpdateLink(L"HTTPS://a.example"));
    EXPECT_FALSE(IsOpenableUpdateLink(L"http://"));
    EXPECT_FALSE(IsOpenableUpdateLink(L"mailto:x@y"));
    // The program's own texts may hold mail links.
    EXPECT_EQ(LinkMarkupToHtml(L"<a href=\"mailto:a@b\">a@b</a> & %1", {L"<i>"}, true),
              L"<a href=\"mailto:a@b\">a@b</a> &amp; &lt;i&gt;");
}

} // namespace
