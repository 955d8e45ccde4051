#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/model/DepthResolution.h"
#include "tests/core/model/ModelTestSupport.h"

using namespace ORBAX_Logging;

namespace {

const double N = std::numeric_limits<double>::quiet_NaN();

struct Resolved {
    int code;
    double bottom;
    double thickness;
    double running;
    LoadMessages messages;
};

Resolved resolve(double running, double t, double b, double h, int decimals = 3, bool keepGiven = false)
{
    Interval unit(ModelTest::fullSchema());
    Resolved r;
    r.running = running;
    r.code = resolveAndReport(r.messages, decimals, unit, r.running, t, b, h, keepGiven);
    r.bottom = unit.bottom;
    r.thickness = unit.thickness;
    return r;
}

} // namespace

TEST(DepthResolution, ConsistentColumnsFromThicknessesOrBottoms)
{
    Interval unit(ModelTest::fullSchema());
    double running = 0;
    std::vector<double> bottoms;
    for (double h : {2.0, 3.0, 1.5}) {
        EXPECT_EQ(resolveUnit(running, N, N, h, unit), 0);
        bottoms.push_back(unit.bottom);
    }
    EXPECT_EQ(bottoms, (std::vector<double>{2, 5, 6.5}));
    EXPECT_EQ(running, 6.5);

    running = 0;
    resolveUnit(running, N, 2, N, unit);
    EXPECT_EQ(unit.thickness, 2.0);
    resolveUnit(running, N, 5, N, unit);
    EXPECT_EQ(unit.thickness, 3.0);

    auto r = resolve(2, 2.0005, N, 1);
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.bottom, 3.0);
    r = resolve(2, 2.001, 3.001, 1.0); // exactly the tolerance is still consistent
    EXPECT_EQ(r.code, 0);
    r = resolve(2, 2, 5, 3);
    EXPECT_EQ(r.code, 0);
}

TEST(DepthResolution, EveryInconsistencyWithItsMessage)
{
    auto r = resolve(2, N, 5, 2);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.bottom, 5.0);
    EXPECT_EQ(r.thickness, 3.0);
    EXPECT_EQ(r.running, 5.0);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text,
              L"Depth and thickness specification inconsistent around the unit with bottom 5.000 and thickness 2.000");
    EXPECT_EQ(r.messages[0].kind, 1);
    EXPECT_EQ(r.messages[0].severity, 3);

    r = resolve(2, 2.002, N, 1, 2);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.bottom, 3.0); // placed from the running depth, not from the top
    EXPECT_EQ(r.messages[0].text,
              L"Depth and thickness specifications inconsistent around the unit with top 2.00 and thickness 1.00");

    r = resolve(2, 1.5, 4, N, 1);
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.thickness, 2.0);
    EXPECT_EQ(r.messages[0].text,
              L"Depth and thickness specifications inconsistent around the unit with top 1.5 and bottom 4.0");

    r = resolve(2, 2, 5, 2);
    EXPECT_EQ(r.code, 4);
    EXPECT_EQ(r.thickness, 3.0);
    EXPECT_EQ(
        r.messages[0].text,
        L"Depth or thickness specification incomplete for the unit with top 2.000, bottom 5.000 and thickness 2.000");
    EXPECT_EQ(r.messages[0].kind, 1);
    r = resolve(2, 2.5, 5, 3);
    EXPECT_EQ(r.code, 4);
}

TEST(DepthResolution, IncompleteUnitsStopTheColumn)
{
    auto r = resolve(2, 4.25, N, N, 2);
    EXPECT_EQ(r.code, 5);
    EXPECT_TRUE(std::isnan(r.bottom));
    EXPECT_TRUE(std::isnan(r.thickness));
    EXPECT_TRUE(std::isnan(r.running));
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, L"Depth or thickness specification incomplete for the unit with top 4.25.  "
                                  L"This unit and any following units have not been loaded.");
    EXPECT_EQ(r.messages[0].kind, 3);

    r = resolve(2, N, N, N);
    EXPECT_EQ(r.code, 6);
    EXPECT_EQ(r.messages[0].text, L"Depth or thickness specification incomplete for a unit.  "
                                  L"This unit and any following units have not been loaded.");
    EXPECT_EQ(r.messages[0].kind, 3);
    EXPECT_EQ(r.messages[0].severity, 3);
}

TEST(DepthResolution, KeepingTheGivenValuesForRepair)
{
    auto r = resolve(2, N, 5, 2, 3, true);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.bottom, 5.0);
    EXPECT_EQ(r.thickness, 2.0);
    EXPECT_EQ(r.running, 5.0);
    EXPECT_EQ(r.messages.size(), 1u);
    r = resolve(2, N, 5, N, 3, true);
    EXPECT_EQ(r.thickness, 3.0);
    r = resolve(2, N, N, 1.5, 3, true);
    EXPECT_EQ(r.bottom, 3.5);
}

// A list keeps 1,000 messages and a note; past them each kind of error is kept once, so that a read
// fails, or a repair read goes on through inconsistencies, as it would with every message kept.
TEST(LoadMessages, PastTheListedOnesAFailureStillShows)
{
    LoadMessages messages;
    for (int i = 0; i < 1500; ++i)
        addError(messages, 1, L"inconsistent");
    ASSERT_EQ(messages.size(), MaxListedMessages + 2);
    EXPECT_EQ(messages[MaxListedMessages].severity, SeverityInfo);
    EXPECT_TRUE(hasReadFailure(messages, false));
    EXPECT_FALSE(hasReadFailure(messages, true));
    addMessage(messages, 9, SeverityWarning, L"left out");
    addError(messages, 3, L"incomplete");
    addError(messages, 3, L"incomplete again");
    EXPECT_EQ(messages.size(), MaxListedMessages + 3);
    EXPECT_TRUE(hasReadFailure(messages, true));
}
