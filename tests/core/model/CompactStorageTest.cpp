#include <gtest/gtest.h>

#include <locale>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/model/CompactText.h"
#include "core/model/Interval.h"
#include "core/model/LithData.h"
#include "core/model/ValueList.h"
#include "tests/core/model/ModelTestSupport.h"

using namespace ORBAX_Logging;
using ModelTest::makeSchema;

namespace {

// Texts that exercise every packed form: empty, ASCII at and beyond the in-place limit, code page 1252
// characters (including the five bytes it leaves undefined), characters beyond it, and wide character
// values that are not Unicode characters at all.
std::vector<std::wstring> awkwardTexts()
{
    std::wstring everything;
    for (wchar_t c : {0x01, 0x7F, 0x80, 0x81, 0xE9, 0x7FF, 0x800, 0x20AC, 0xD800, 0xDFFF, 0xFFFF, 0x10000, 0x1F600,
                      0x10FFFF, 0x110000, 0x1FFFFF, 0x200000, 0x7FFFFFFF})
        everything += c;
    everything += static_cast<wchar_t>(-1);
    everything += L'\0';
    everything += L"tail";
    return {L"",
            L"x",
            L"fifteen chars!!",
            L"sixteen chars!!!",
            L"caf\x00E9 \x20AC \x0081\x008D\x008F\x0090\x009D",
            L"\x4E2D\x6587 \x1F600",
            std::wstring(300, L'\x00E9'),
            std::wstring(20000, L'a'),
            everything};
}

} // namespace

TEST(CompactText, EveryTextComesBackExactly)
{
    for (const std::wstring& text : awkwardTexts()) {
        const CompactText packed(text);
        EXPECT_EQ(packed.str(), text);
        EXPECT_EQ(packed.length(), text.size());
        EXPECT_EQ(packed.empty(), text.empty());
        EXPECT_TRUE(packed == text);

        CompactText copy = packed;
        EXPECT_EQ(copy, packed);
        copy = L"other";
        EXPECT_EQ(packed.str(), text) << "a copy shares nothing with its source";
        CompactText moved(std::move(copy));
        EXPECT_EQ(moved, L"other");
        moved = packed;
        EXPECT_EQ(moved.str(), text);
        const CompactText& same = moved;
        moved = same; // self-assignment keeps the text
        EXPECT_EQ(moved.str(), text);
    }
    // Texts that share a prefix, or whose characters differ only beyond one byte, are different.
    EXPECT_NE(CompactText(L"ab"), std::wstring(L"abc"));
    EXPECT_NE(CompactText(L"abc"), std::wstring(L"ab"));
    EXPECT_NE(CompactText(L"\x20AC"), std::wstring(L"\x20AD"));
    EXPECT_NE(CompactText(std::wstring(1, static_cast<wchar_t>(0x200000))),
              std::wstring(1, static_cast<wchar_t>(0x200001)));
    CompactText cleared(std::wstring(40, L'z'));
    cleared.clear();
    EXPECT_TRUE(cleared.empty());
    EXPECT_EQ(cleared, L"");
}

TEST(CompactText, EveryCodePageByteSurvivesTheGlobalConversion)
{
    const auto& facet = std::use_facet<std::ctype<wchar_t>>(std::locale());
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes += static_cast<char>(b);
    std::wstring wide(bytes.size(), L'\0');
    facet.widen(bytes.data(), bytes.data() + bytes.size(), wide.data());
    const CompactText packed(wide);
    const std::wstring back = packed.str();
    std::string narrow(back.size(), '\0');
    facet.narrow(back.data(), back.data() + back.size(), '?', narrow.data());
    EXPECT_EQ(narrow, bytes);
}

TEST(ValueList, ValuesReadSetAndResize)
{
    const std::vector<std::wstring> texts = awkwardTexts();
    ValueList values(texts.size() + 2);
    EXPECT_EQ(values, ValueList(std::vector<std::wstring>(texts.size() + 2)));
    for (std::size_t i = 0; i < texts.size(); ++i)
        values.set(i + 1, texts[i]);
    ASSERT_EQ(values.size(), texts.size() + 2);
    EXPECT_EQ(values[0], L"");
    EXPECT_EQ(values[values.size() - 1], L"");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(values[i + 1], texts[i]) << i;
        EXPECT_EQ(values.isEmpty(i + 1), texts[i].empty()) << i;
    }

    // Replacing a value by a longer or a shorter one leaves its neighbours alone.
    ValueList copy = values;
    copy.set(7, L"short");
    copy.set(2, std::wstring(200, L'\x4E2D'));
    EXPECT_EQ(copy[7], L"short");
    EXPECT_EQ(copy[2], std::wstring(200, L'\x4E2D'));
    EXPECT_EQ(copy[6], texts[5]);
    EXPECT_EQ(copy[8], texts[7]);
    EXPECT_EQ(values[7], texts[6]) << "a copy shares nothing with its source";
    EXPECT_NE(copy, values);

    EXPECT_THROW(values.set(values.size(), L"x"), std::out_of_range);
    EXPECT_THROW(values.at(values.size()), std::out_of_range);
    EXPECT_THROW(ValueList()[0], std::out_of_range);

    // Growing adds empty values; shrinking drops the last ones.
    values.resize(values.size() + 3);
    EXPECT_EQ(values[values.size() - 1], L"");
    EXPECT_EQ(values[5], texts[4]);
    values.resize(3);
    EXPECT_EQ(values.toVector(), (std::vector<std::wstring>{L"", texts[0], texts[1]}));
    values.push_back(L"\x1F600");
    EXPECT_EQ(values.toVector(), (std::vector<std::wstring>{L"", texts[0], texts[1], L"\x1F600"}));

    // A list that becomes all empty again, however it got there, equals a new one.
    values.set(2, L"");
    values.set(3, L"");
    EXPECT_EQ(values, ValueList(4));
    ValueList shrunk(std::vector<std::wstring>{L"", L"", L"gone"});
    shrunk.resize(2);
    EXPECT_EQ(shrunk, ValueList(2));
    shrunk.clear();
    EXPECT_TRUE(shrunk.empty());
}

TEST(ElementRows, PackedValuesMapByNameBetweenSchemas)
{
    auto a = makeSchema(L"a", {{ROCKTYPE, L"Rock"}, {STRING, L"Colour"}, {STRING, L"Note"}});
    auto b = makeSchema(
        L"b", {{STRING, L"Note"}, {STRING, L"Extra"}, {ROCKTYPE, L"Rock"}, {STRING, L"Colour"}, {REAL, L"Hard"}});
    LithData source(a);
    source.rockType = L"GR\x00C8S \x4E2D";
    source.values.assign({L"", L"rouge \x2013 fonc\x00E9", L""});

    // Into a schema of more fields: the target's own count, values placed by name, empties stay empty.
    LithData wider(b);
    wider.values.set(4, L"old");
    wider = source;
    EXPECT_EQ(wider.schema, b);
    EXPECT_EQ(wider.rockType, L"GR\x00C8S \x4E2D");
    EXPECT_EQ(wider.values.toVector(), (std::vector<std::wstring>{L"", L"", L"", L"rouge \x2013 fonc\x00E9", L""}));

    // And back into the smaller schema.
    wider.values.set(0, L"\x1F600 note");
    LithData narrower(a);
    narrower = wider;
    EXPECT_EQ(narrower.values.toVector(),
              (std::vector<std::wstring>{L"", L"rouge \x2013 fonc\x00E9", L"\x1F600 note"}));

    // A row without a schema has no values to give or take.
    LithData bare;
    narrower = bare;
    EXPECT_EQ(narrower.values, ValueList(3));
    bare = source;
    EXPECT_EQ(bare.values.size(), 0u);
    EXPECT_EQ(bare.rockType, source.rockType);
}

TEST(Units, CompositeRowIsMadeOnlyWhenNeeded)
{
    auto a = makeSchema(L"a", {{ROCKTYPE, L"Rock"}, {STRING, L"Colour"}, {STRING, L"Note"}});
    auto b = makeSchema(L"b", {{STRING, L"Note"}, {ROCKTYPE, L"Rock"}});

    // A source with a composite row onto a unit without one: made for the target's schema, mapped.
    Interval source(a);
    source.compositeRow().rockType = L"IN GENERAL";
    source.composite->values.set(2, L"mixed \x00E9");
    Interval target(b);
    target = source;
    ASSERT_TRUE(target.composite);
    EXPECT_EQ(target.composite->schema, b);
    EXPECT_EQ(target.composite->rockType, L"IN GENERAL");
    EXPECT_EQ(target.composite->values.toVector(), (std::vector<std::wstring>{L"mixed \x00E9", L""}));

    // A source without one blanks the target's row, which keeps its schema.
    Interval plain(a);
    target = plain;
    ASSERT_TRUE(target.composite);
    EXPECT_EQ(target.composite->schema, b);
    EXPECT_EQ(target.composite->rockType, L"");
    EXPECT_EQ(target.composite->percentage, 100);
    EXPECT_EQ(target.composite->values, ValueList(2));

    // Copies are whole and independent.
    Interval copy(source);
    copy.composite->rockType = L"CHANGED";
    EXPECT_EQ(source.composite->rockType, L"IN GENERAL");
    EXPECT_EQ(copy.composite->schema, a);

    // Moving a row in relocates it with its schema.
    LithData foreign(b);
    foreign.rockType = L"F";
    plain.composite = std::move(foreign);
    EXPECT_EQ(plain.composite->schema, b);
    LithData scratch;
    EXPECT_EQ(&plain.compositeOr(scratch), plain.composite.get());
}
