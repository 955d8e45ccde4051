#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

#include <boost/archive/archive_exception.hpp>

#include "core/archive/ArchiveStreams.h"
#include "core/archive/ProcessIdentifier.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Utilities;

namespace {

bool well_formed(const std::string& id)
{
    if (id.size() != 36)
        return false;
    for (std::size_t i = 0; i < id.size(); ++i) {
        char c = id[i];
        bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// The text of an archive whose first item after the header is `first` instead of an identifier.
std::wstring archive_starting_with(const std::string& first)
{
    std::wostringstream text;
    {
        boost::archive::text_woarchive raw(text, boost::archive::no_codecvt);
        raw << first;
    }
    return text.str();
}

std::string refusal_of(const std::wstring& text)
{
    std::wistringstream in(text);
    try {
        iserial_stream archive(in);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "(accepted)";
}

} // namespace

TEST(ProcessIdentifier, FormAndStability)
{
    std::string id = processUuidString();
    EXPECT_TRUE(well_formed(id)) << id;
    EXPECT_EQ(processUuidString(), id);
    EXPECT_EQ(id[14], '1'); // time-based
    std::set<std::string> seen{id};
    for (int i = 0; i < 1000; ++i)
        EXPECT_TRUE(seen.insert(makeSequentialUuidString()).second);
}

TEST(ProcessIdentifier, StrictCheck)
{
    EXPECT_EQ(checkedUuidString("0123abcd-4567-89ef-ABCD-0123456789ab"), "0123abcd-4567-89ef-ABCD-0123456789ab");
    for (std::string bad : {"", "abc", "{0123abcd-4567-89ef-abcd-0123456789ab}", "0123abcd456789efabcd0123456789ab",
                            "0123abcd-4567-89ef-abcd-0123456789a", "0123abcd-4567-89ef-abcd-0123456789abc",
                            "0123abcg-4567-89ef-abcd-0123456789ab", "0123abcd-4567-89ef-abcd_0123456789ab"}) {
        try {
            checkedUuidString(bad);
            ADD_FAILURE() << bad;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), "Invalid UUID string " + bad);
        }
    }
}

TEST(ArchiveStreams, OriginOfArchives)
{
    std::wostringstream first, second;
    {
        oserial_stream out(first);
    }
    {
        oserial_stream out(second);
    }
    const std::string id = processUuidString();
    EXPECT_NE(first.str().find(std::wstring(id.begin(), id.end())), std::wstring::npos);
    for (const auto& text : {first.str(), second.str()}) {
        std::wistringstream in(text);
        iserial_stream archive(in);
        EXPECT_TRUE(archive.sameProcess());
    }

    // Another run's identifier is accepted but is not ours.
    std::wistringstream foreign(archive_starting_with("0123abcd-4567-19ef-8bcd-0123456789ab"));
    iserial_stream other(foreign);
    EXPECT_FALSE(other.sameProcess());

    // A different letter case is another identifier.
    std::string upper = processUuidString();
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper != processUuidString()) {
        std::wistringstream shouted(archive_starting_with(upper));
        EXPECT_FALSE(iserial_stream(shouted).sameProcess());
    }

    EXPECT_EQ(refusal_of(archive_starting_with("")), "Invalid UUID string ");
    EXPECT_EQ(refusal_of(archive_starting_with("abc")), "Invalid UUID string abc");
}

TEST(ArchiveStreams, ValuesRoundTrip)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::wostringstream text;
    {
        oserial_stream out(text);
        out.write(std::wstring(L"Gr\u00E8s \u2013 \u4E2D \"quoted\"\n  two lines "));
        out.write(std::wstring());
        out.write(std::string("DataList"));
        out.write(nan);
        out.write(-inf);
        out.write(0.1);
        out.write(-1.5e-300);
        out.write(2.5f);
        out.write(4000000000ul);
        out.write(4000000000u);
        out.write(static_cast<unsigned short>(65535));
        out.write(-7l);
        out.write(-123456);
        out.write(static_cast<short>(-32768));
        out.write(L'\u00E9');
        out.write(static_cast<unsigned char>(200));
        out.write('x');
        out.write(static_cast<signed char>(-5));
        out.write(true);
        out.write(L"wide c string");
        out.write("narrow");
        EXPECT_THROW(out.write(std::string("caf\xE9")), std::invalid_argument);
    }
    std::wistringstream source(text.str());
    iserial_stream in(source);
    std::wstring w;
    in.read(w);
    EXPECT_EQ(w, L"Gr\u00E8s \u2013 \u4E2D \"quoted\"\n  two lines ");
    in.read(w);
    EXPECT_EQ(w, L"");
    std::string s;
    in.read(s);
    EXPECT_EQ(s, "DataList");
    double d = 0;
    in.read(d);
    EXPECT_TRUE(std::isnan(d));
    in.read(d);
    EXPECT_EQ(d, -inf);
    in.read(d);
    EXPECT_EQ(d, 0.1);
    in.read(d);
    EXPECT_EQ(d, -1.5e-300);
    float f = 0;
    in.read(f);
    EXPECT_EQ(f, 2.5f);
    unsigned long ul = 0;
    in.read(ul);
    EXPECT_EQ(ul, 4000000000ul);
    unsigned int ui = 0;
    in.read(ui);
    EXPECT_EQ(ui, 4000000000u);
    unsigned short us = 0;
    in.read(us);
    EXPECT_EQ(us, 65535);
    long l = 0;
    in.read(l);
    EXPECT_EQ(l, -7);
    int i = 0;
    in.read(i);
    EXPECT_EQ(i, -123456);
    short sh = 0;
    in.read(sh);
    EXPECT_EQ(sh, -32768);
    wchar_t wc = 0;
    in.read(wc);
    EXPECT_EQ(wc, L'\u00E9');
    unsigned char uc = 0;
    in.read(uc);
    EXPECT_EQ(uc, 200);
    char c = 0;
    in.read(c);
    EXPECT_EQ(c, 'x');
    signed char sc = 0;
    in.read(sc);
    EXPECT_EQ(sc, -5);
    bool b = false;
    in.read(b);
    EXPECT_TRUE(b);
    in.read(w);
    EXPECT_EQ(w, L"wide c string");
    in.read(s);
    EXPECT_EQ(s, "narrow");
    // Past the end: the library's archive exception reaches the caller.
    EXPECT_THROW(in.read(i), boost::archive::archive_exception);
    EXPECT_THROW(in.read(w), boost::archive::archive_exception);
}

TEST(ArchiveStreams, CallerStreamKeepsItsLocale)
{
    std::wostringstream text;
    std::locale before = text.getloc();
    {
        oserial_stream out(text);
        out.write(1.0);
    }
    EXPECT_TRUE(text.getloc() == before);
}

TEST(ArchiveStreams, MalformedArchivesFailCleanly)
{
    std::wostringstream good;
    {
        oserial_stream out(good);
        out.write(std::wstring(L"abc"));
    }
    std::wstring text = good.str();
    auto header_end = text.find(L"archive ") + 8;

    for (std::wstring bad :
         {std::wstring(), std::wstring(L"garbage"), std::wstring(L"22 serialization::archivX 18"),
          std::wstring(L"22 serialization::archive 999 36 ") + std::wstring(36, L'0'),
          std::wstring(L"999999999999999999 serialization::archive"), text.substr(0, header_end - 3)}) {
        std::wistringstream in(bad);
        EXPECT_THROW(iserial_stream archive(in), std::exception);
    }

    // A string whose length promises far more than the text holds ends in an archive exception.
    std::wstring lying = text;
    auto pos = lying.rfind(L"3 abc");
    ASSERT_NE(pos, std::wstring::npos);
    lying.replace(pos, 1, L"18446744073709551615");
    std::wistringstream in(lying);
    iserial_stream archive(in);
    std::wstring w;
    EXPECT_THROW(archive.read(w), boost::archive::archive_exception);

    // Non-ASCII in a narrow item is not ours either.
    std::wstring wide = text;
    wide.replace(pos, 5, L"3 a\u00E9c");
    std::wistringstream wideIn(wide);
    iserial_stream wideArchive(wideIn);
    std::string s;
    EXPECT_THROW(wideArchive.read(s), boost::archive::archive_exception);
}
