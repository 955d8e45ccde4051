#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "core/prolog/Borehole_Prolog.h"
#include "tests/core/prolog/PrologTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace ORBAX_Logging;
using namespace PrologTest;

namespace {

struct Loaded {
    std::unique_ptr<Borehole> hole;
    LoadMessages messages;
};

Loaded loadText(const std::string& text, PrologOptionsData& opts, const std::string& name = "hole.txt")
{
    Loaded l;
    l.messages.push_back(LoadMessage{99, 1, L"stale"}); // the reader starts a fresh list
    l.hole = Borehole_Prolog::loadBytes(text, std::wstring(name.begin(), name.end()), opts, l.messages);
    return l;
}

} // namespace

TEST(PrologRead, Version30WithInterbeddedUnitAndCodePageText)
{
    const std::string text =
        lines(head("v3.0  entries=10") +
              record30("SANDSTONE", "100", "0.00", "2.00", "2.00", "S001", "Upper", "U1", "1.50", "grey", "2.5", "7") +
              record30("GR\xC8S", "60", "", "", "", "", "", "", "", "buff") +
              record30("COAL", "40", "", "", "", "", "", "", "", "black") +
              record30("IN GENERAL stuff", "100", "2.00", "3.25", "1.25", "S002", "\xC9tage", "L", "0.80", "mixed") +
              record30("SHALE", "100", "3.25", "5.00", "1.75", "", "", "", ""));
    auto opts = options(schema30());
    Loaded l = loadText(text, opts, "BH-7.pro");
    ASSERT_TRUE(l.messages.empty()) << std::string(l.messages[0].text.begin(), l.messages[0].text.end());
    const Borehole& hole = *l.hole;
    EXPECT_NE(dynamic_cast<const Borehole_Prolog*>(&hole), nullptr);
    EXPECT_EQ(hole.name, L"BH-7");
    EXPECT_EQ(opts.formatCode, 2);
    ASSERT_EQ(hole.size(), 3u);

    EXPECT_EQ(hole[0].bottom, 2.0);
    EXPECT_EQ(hole[0].thickness, 2.0);
    EXPECT_EQ(hole[0].recovered, 1.5);
    EXPECT_EQ(hole[0].sample, L"S001");
    EXPECT_EQ(hole[0].seam, L"Upper");
    EXPECT_EQ(hole[0].ply, L"U1");
    EXPECT_EQ(hole[0].elements[0].values[9], L"grey");
    EXPECT_EQ(hole[0].elements[0].values[10], L"2.5");
    EXPECT_EQ(hole[0].elements[0].values[11], L"7");

    ASSERT_EQ(hole[1].elements.size(), 2u);
    EXPECT_EQ(hole[1].elements[0].rockType, L"GR\u00C8S");
    EXPECT_EQ(hole[1].elements[0].percentage, 60);
    EXPECT_EQ(hole[1].elements[1].values[9], L"black");
    EXPECT_EQ(hole[1].composite->rockType, L"IN GENERAL stuff");
    EXPECT_EQ(hole[1].composite->values[9], L"mixed");
    EXPECT_EQ(hole[1].bottom, 3.25); // from the composite record
    EXPECT_EQ(hole[1].seam, L"\u00C9tage");
    EXPECT_EQ(hole[1].sample, L"S002");
    EXPECT_EQ(hole[1].recovered, 0.8);

    EXPECT_EQ(hole[2].bottom, 5.0);
    EXPECT_EQ(hole[2].thickness, 1.75);
    EXPECT_TRUE(std::isnan(hole[2].recovered)); // an empty line: nothing was measured

    // Every unit shares the borehole's own copy of the schema; the options keep the nominated one.
    EXPECT_EQ(hole[0].schema, hole.schema);
    EXPECT_EQ(hole[1].elements[1].schema, hole.schema);
    EXPECT_NE(hole.schema, opts.schema);
    EXPECT_EQ(hole.schema->name, L"coal12");
}

// A recovered length that was never measured is written as an empty line and must read back as
// absent: 0 would say that nothing was recovered. Any other text keeps atof's rule.
TEST(PrologRead, AnEmptyRecoveredLineIsAbsent)
{
    const std::string text = lines(head("v3.0 entries=10") + record30("SAND", "100", "0", "1", "1", "", "", "", " \t") +
                                   record30("SILT", "100", "1", "2", "1", "", "", "", "0") +
                                   record30("CLAY", "100", "2", "3", "1", "", "", "", "n/a"));
    auto opts = options(schema30());
    Loaded l = loadText(text, opts);
    ASSERT_TRUE(l.messages.empty());
    ASSERT_EQ(l.hole->size(), 3u);
    EXPECT_TRUE(std::isnan((*l.hole)[0].recovered));
    EXPECT_EQ((*l.hole)[1].recovered, 0.0);
    EXPECT_EQ((*l.hole)[2].recovered, 0.0);

    // Through a save and a read the absent length stays absent and the measured 0 stays 0.
    std::string written;
    LoadMessages messages;
    opts.formatCode = 2;
    ASSERT_TRUE(Borehole_Prolog::writeBytes(written, messages, *l.hole, opts));
    Loaded again = loadText(written, opts);
    ASSERT_EQ(again.hole->size(), 3u);
    EXPECT_TRUE(std::isnan((*again.hole)[0].recovered));
    EXPECT_EQ((*again.hole)[1].recovered, 0.0);
}

TEST(PrologRead, LineEndsAndTrimming)
{
    const auto body = record30("  CLAY \t", "100", "0", "1.5", "1.5") +
                      record30("SILT", "100", "1.5", "3", "1.5", "", "", "", "", "", "", "9");
    auto opts = options(schema30());
    Loaded lf = loadText(lines(head("V3.0 ENTRIES = 10") + body, "\n"), opts);
    Loaded crlf = loadText(lines(head("v3.0 entries=10") + body, "\r\n"), opts);
    std::string noFinal = lines(head("v3.0 entries=10") + body, "\n");
    noFinal.pop_back();
    Loaded last = loadText(noFinal, opts);
    for (const Loaded* l : {&lf, &crlf, &last}) {
        ASSERT_TRUE(l->messages.empty());
        ASSERT_EQ(l->hole->size(), 2u);
        EXPECT_EQ((*l->hole)[0].elements[0].rockType, L"CLAY");
        EXPECT_EQ((*l->hole)[1].thickness, 1.5);
        EXPECT_EQ((*l->hole)[1].sample, L"");
    }
}

TEST(PrologRead, SchemaChoiceForVersion21)
{
    std::vector<std::string> record(25, "");
    record[0] = "SAND";
    record[1] = "100";
    record[2] = "4";
    const std::string text = lines(head("V2.1") + record);

    auto opts = options(schema21(), schema21(L"prolog21"));
    Loaded exact = loadText(text, opts);
    EXPECT_TRUE(exact.messages.empty());
    EXPECT_EQ(exact.hole->schema->name, L"p21");
    EXPECT_EQ(opts.formatCode, 1);

    auto shortSchema = schema21(L"short24");
    shortSchema->fields.pop_back();
    opts = options(shortSchema, schema21(L"prolog21"));
    Loaded fallback = loadText(text, opts);
    ASSERT_EQ(fallback.messages.size(), 1u);
    EXPECT_EQ(fallback.messages[0].text, L"The schema provided (short24) was not suitable for the file.  "
                                         L"A different default schema (prolog21) has been used instead.");
    EXPECT_EQ(fallback.messages[0].kind, 8);
    EXPECT_EQ(fallback.messages[0].severity, 2);
    ASSERT_EQ(fallback.hole->size(), 1u); // a warning does not fail the read
    EXPECT_EQ(opts.schema->name, L"prolog21");

    opts = options(shortSchema);
    Loaded none = loadText(text, opts);
    ASSERT_EQ(none.messages.size(), 1u);
    EXPECT_EQ(none.messages[0].text, L"Nominated schema has a different number of fields to the file.");
    EXPECT_EQ(none.messages[0].kind, 16);
    EXPECT_TRUE(none.hole->empty());

    opts = options(nullptr);
    Loaded nothing = loadText(text, opts);
    ASSERT_EQ(nothing.messages.size(), 1u);
    EXPECT_EQ(nothing.messages[0].text, L"Unknown schema prolog21");
    EXPECT_EQ(nothing.messages[0].kind, 6);
    EXPECT_EQ(nothing.messages[0].severity, 3);
}

TEST(PrologRead, SchemaChoiceForVersion30)
{
    const auto body = record30("SAND", "100", "0", "2", "2");
    auto opts = options(schema30(L"mine"), nullptr, schema30(L"prolog3"));
    Loaded spaced = loadText(lines(head("v3.0 ENTRIES = 10") + body), opts);
    EXPECT_TRUE(spaced.messages.empty());
    EXPECT_EQ(spaced.hole->schema->name, L"mine");

    opts = options(schema30(L"mine"), nullptr, schema30(L"prolog3"));
    Loaded bare = loadText(lines(head("v3.0") + body), opts);
    ASSERT_EQ(bare.messages.size(), 1u);
    EXPECT_EQ(bare.messages[0].kind, 8);
    EXPECT_EQ(bare.hole->schema->name, L"prolog3");
    EXPECT_EQ(bare.hole->size(), 1u);

    // A default that does not give the announced record length would read every record misaligned.
    opts = options(schema30(L"mine"), nullptr, schema21(L"prolog3"));
    Loaded misfit = loadText(lines(head("v3.0 entries=11") + body), opts);
    ASSERT_EQ(misfit.messages.size(), 1u);
    EXPECT_EQ(misfit.messages[0].kind, 16);
    EXPECT_TRUE(misfit.hole->empty());

    opts = options(nullptr);
    Loaded unknown = loadText(lines(head("v3.0 entries=10") + body), opts);
    EXPECT_EQ(unknown.messages.at(0).text, L"Unknown schema prolog3");

    // "3." anywhere makes a version 3.0 file.
    opts = options(schema30(L"mine"));
    Loaded dated = loadText(lines(head("v2.1 2013.x entries=10") + body), opts);
    EXPECT_TRUE(dated.messages.empty());
    EXPECT_EQ(opts.formatCode, 2);
}

TEST(PrologRead, BadFilesGiveMessagesAndNoUnits)
{
    auto opts = options(schema30());
    Loaded bad = loadText(lines({"x2.1", "SAND"}), opts, "bad.pro");
    ASSERT_EQ(bad.messages.size(), 1u);
    EXPECT_NE(bad.messages[0].text.find(L"does not seem to be a prolog borehole file (bad first line)"),
              std::wstring::npos);
    EXPECT_EQ(bad.messages[0].kind, 10);
    EXPECT_TRUE(bad.hole->empty());
    EXPECT_EQ(bad.hole->name, L"<unnamed>");

    Loaded empty = loadText("", opts);
    ASSERT_EQ(empty.messages.size(), 1u);
    EXPECT_EQ(empty.messages[0].kind, 9);
    EXPECT_EQ(empty.messages[0].text.rfind(L"Unexpected file error reading ", 0), 0u);

    LoadMessages messages;
    auto missing = Borehole_Prolog::load(L"/nonexistent/folder/none.pro", opts, messages);
    ASSERT_NE(missing, nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"Unable to open /nonexistent/folder/none.pro\n(No such file or directory)");
    EXPECT_EQ(messages[0].kind, 5);
    EXPECT_TRUE(missing->empty());
}

TEST(PrologRead, RecordsThatCloseOrCutUnits)
{
    auto opts = options(schema30());
    // 60 then a 100 percent record: the 100 closes the open unit without depths; the next record
    // starts a unit of its own. A record cut short at the end is dropped, and the user is warned
    // that the file seems cut short.
    const std::vector<std::string> units =
        record30("A", "60", "", "1", "") + record30("B", "100", "", "9", "") + record30("C", "100", "0", "2", "2");
    const std::string text = lines(head("v3.0 entries=10") + units + std::vector<std::string>{"D", "100", ""});
    Loaded l = loadText(text, opts);
    ASSERT_EQ(l.messages.size(), 1u);
    EXPECT_EQ(l.messages[0].kind, 3);
    EXPECT_EQ(l.messages[0].severity, SeverityWarning);
    EXPECT_NE(l.messages[0].text.find(L"hole.txt is incomplete (the file may have been cut short)"), std::wstring::npos)
        << std::string(l.messages[0].text.begin(), l.messages[0].text.end());
    ASSERT_EQ(l.hole->size(), 2u);
    ASSERT_EQ((*l.hole)[0].elements.size(), 2u);
    EXPECT_TRUE(std::isnan((*l.hole)[0].bottom));
    EXPECT_EQ((*l.hole)[1].bottom, 2.0); // the running depth did not move

    // Blank lines after the last record are no record at all.
    Loaded blankTail = loadText(lines(head("v3.0 entries=10") + units + std::vector<std::string>{"", " "}), opts);
    EXPECT_TRUE(blankTail.messages.empty());
    EXPECT_EQ(blankTail.hole->size(), 2u);
}

TEST(PrologRead, DepthProblemsFailTheReadUnlessKeepingGivenDepths)
{
    const std::string text = lines(head("v3.0 entries=10") + record30("A", "100", "0", "2", "2") +
                                   record30("B", "100", "2", "5", "2") + record30("C", "100", "5", "6", "1"));
    auto opts = options(schema30());
    Loaded strict = loadText(text, opts);
    ASSERT_EQ(strict.messages.size(), 1u);
    EXPECT_EQ(
        strict.messages[0].text,
        L"Depth or thickness specification incomplete for the unit with top 2.00, bottom 5.00 and thickness 2.00");
    EXPECT_TRUE(strict.hole->empty());

    opts.keepGivenDepths = true;
    Loaded kept = loadText(text, opts);
    ASSERT_EQ(kept.messages.size(), 1u);
    ASSERT_EQ(kept.hole->size(), 3u);
    EXPECT_EQ((*kept.hole)[1].bottom, 5.0);
    EXPECT_EQ((*kept.hole)[1].thickness, 2.0);
    EXPECT_EQ((*kept.hole)[2].thickness, 1.0);

    // An incomplete unit still fails the repair read.
    const std::string incomplete =
        lines(head("v3.0 entries=10") + record30("A", "100", "0", "2", "2") + record30("B", "100", "3", "nan", "nan"));
    Loaded stopped = loadText(incomplete, opts);
    ASSERT_EQ(stopped.messages.size(), 1u);
    EXPECT_EQ(stopped.messages[0].kind, 3);
    EXPECT_TRUE(stopped.hole->empty());
}

TEST(PrologImportSchema, FieldCountsOfFiles)
{
    auto count = [&](const std::string& first, LoadMessages& messages) {
        std::istringstream in(first + "\r\nSAND\r\n");
        return Borehole_Prolog::importSchema(in, L"f.pro", messages);
    };
    LoadMessages messages;
    EXPECT_EQ(count("v2.1", messages), 25);
    EXPECT_EQ(count("V3.0  entries=10", messages), 12);
    EXPECT_EQ(count("v3.0 Entries =  7abc", messages), 9);
    EXPECT_EQ(count("v3.0", messages), 1);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(count("prolog", messages), -1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, 10);
    EXPECT_EQ(Borehole_Prolog::importSchema(L"/nonexistent/x.pro", messages), -1);
    EXPECT_EQ(messages.back().kind, 5);
    std::istringstream empty;
    EXPECT_EQ(Borehole_Prolog::importSchema(empty, L"empty.pro", messages), -1);
    EXPECT_EQ(messages.back().kind, 10);

    EXPECT_EQ(Borehole_Prolog::entriesCount("V3.0  ENTRIES=10"), 10);
    EXPECT_EQ(Borehole_Prolog::entriesCount("V3.0 ENTRIES 10"), -1);
    EXPECT_EQ(Borehole_Prolog::entriesCount("V3.0 ENTRIES="), -1);
    EXPECT_EQ(Borehole_Prolog::entriesCount("V3.0 ENTRIES=  "), -1);
    EXPECT_EQ(Borehole_Prolog::entriesCount("V3.0 ENTRIES=X"), 0);
    EXPECT_EQ(Borehole_Prolog::entriesCount("V3.0"), -1);
}
