#include <gtest/gtest.h>

#include <sstream>

#include "config/TraceDefinition.h"

namespace {

TraceDefinition Plain(const std::string& name)
{
    TraceDefinition definition;
    definition.name = name;
    return definition;
}

} // namespace

TEST(TraceDefinition, NewRecordHasTheDefaultLook)
{
    TraceDefinition definition;
    EXPECT_EQ(definition.minimum, 0.0);
    EXPECT_EQ(definition.maximum, 100.0);
    EXPECT_EQ(definition.colourIndex, 3);
    EXPECT_STREQ(TraceColourNames[definition.colourIndex], "BLUE");
    EXPECT_EQ(definition.displayField, 1);
    EXPECT_TRUE(definition.visible);
    EXPECT_FALSE(definition.ownRange);
    EXPECT_EQ(definition.pattern, 0);
    EXPECT_EQ(TraceColourDisplayName(9), L"Dark red");
    EXPECT_EQ(TraceColourDisplayName(16), L"No line");
    EXPECT_EQ(TraceColourDisplayName(17), L"");
}

TEST(TraceDefinition, SetNameMakesEveryValidExpressionAPatternMatchingTheWholeName)
{
    TraceDefinition gr;
    EXPECT_TRUE(gr.SetName("GR"));
    EXPECT_EQ(gr.pattern, 1);
    EXPECT_TRUE(gr.Matches("GR"));
    EXPECT_TRUE(gr.Matches("gr"));
    EXPECT_FALSE(gr.Matches("GR2"));
    EXPECT_FALSE(gr.Matches("SGR"));

    TraceDefinition family;
    EXPECT_TRUE(family.SetName("GR.*"));
    EXPECT_TRUE(family.Matches("GR2"));
    EXPECT_TRUE(family.Matches("gr_norm"));
    EXPECT_FALSE(family.Matches("SGR"));

    TraceDefinition alternatives;
    EXPECT_TRUE(alternatives.SetName("^(GR|SGR)$"));
    EXPECT_TRUE(alternatives.Matches("sgr"));
}

TEST(TraceDefinition, PlainNamesCompareWholeIgnoringCase)
{
    TraceDefinition plain = Plain("GR.*");
    EXPECT_TRUE(plain.Matches("gr.*"));
    EXPECT_FALSE(plain.Matches("GR2"));
    EXPECT_FALSE(Plain("GR").Matches("GR "));
}

TEST(TraceDefinition, BadOrEmptyNamesStayPlain)
{
    TraceDefinition bracket;
    EXPECT_FALSE(bracket.SetName("GR["));
    EXPECT_EQ(bracket.pattern, 0);
    EXPECT_EQ(bracket.name, "GR[");
    EXPECT_TRUE(bracket.Matches("gr["));
    EXPECT_FALSE(bracket.Matches("GR"));

    TraceDefinition empty;
    EXPECT_FALSE(empty.SetName(""));
    EXPECT_EQ(empty.pattern, 0);

    // A pattern flag on an expression that does not compile matches nothing, not even its own text.
    TraceDefinition broken = Plain("GR[");
    broken.pattern = 1;
    EXPECT_FALSE(broken.Matches("GR["));
    EXPECT_FALSE(broken.Matches("GR"));
}

TEST(TraceDefinition, FirstMatchingDefinitionApplies)
{
    TraceDefinitionList list(3);
    list[0].SetName("CALI");
    list[1].SetName("G.*");
    list[1].colourIndex = 1;
    list[2].SetName("GR");
    list[2].colourIndex = 2;
    const TraceDefinition* found = FindTraceDefinition(list, "gr");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->colourIndex, 1);
    EXPECT_EQ(FindTraceDefinition(list, "RHOB"), nullptr);
}

TEST(TraceDefinition, LineWriterColumnsAndQuoting)
{
    std::ostringstream out;
    TraceDefinition gr;
    gr.SetName("GR");
    gr.minimum = 0;
    gr.maximum = 150;
    gr.colourIndex = 7;
    gr.displayField = 2;
    gr.Write(out);
    EXPECT_EQ(out.str(), "GR                   PATTERN          0        150 ORANGE                    2  Y");

    out.str("");
    TraceDefinition cali = Plain("CALI-1");
    cali.ownRange = true;
    cali.maximum = 16.5;
    cali.Write(out);
    EXPECT_EQ(out.str(), "\"CALI-1\"                      0       16.5 BLUE                      1  N");

    out.str("");
    TraceDefinition hidden;
    hidden.SetName("SP");
    hidden.visible = false;
    hidden.Write(out);
    EXPECT_EQ(out.str(), "SP                   PATTERN INVISIBLE");

    // Names that the reader would not take as one word are quoted, not only those with blanks.
    out.str("");
    TraceDefinition alternatives;
    alternatives.SetName("^GR|SGR");
    alternatives.visible = false;
    alternatives.Write(out);
    EXPECT_EQ(out.str(), "\"^GR|SGR\"            PATTERN INVISIBLE");
}

TEST(TraceDefinition, LineWriterKeepsTheStreamsFlags)
{
    std::ostringstream out;
    out.setf(std::ios::showpos);
    Plain("GR").Write(out);
    EXPECT_TRUE(out.flags() & std::ios::showpos);
    EXPECT_NE(out.str().find("+100"), std::string::npos);
}

TEST(TraceDefinition, LineWriterKeepsEveryDigitOfTheRange)
{
    // The trace editor keeps the numbers as typed; the file must read them back the same.
    std::ostringstream out;
    TraceDefinition d = Plain("GR");
    d.minimum = 1234567.8;
    d.maximum = -1e-7;
    d.Write(out);
    EXPECT_NE(out.str().find(" 1234567.8     -1e-07 BLUE"), std::string::npos) << out.str();
    out.str("");
    d.minimum = 2.0 / 3;
    d.maximum = 150;
    d.Write(out);
    EXPECT_NE(out.str().find(" 0.6666666666666666        150 BLUE"), std::string::npos) << out.str();
    EXPECT_EQ(out.precision(), 6);
}
