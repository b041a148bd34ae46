#include "engine/host/clock.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/support/support.h"

namespace {

std::string s_trace;
void Period() { s_trace += 'P'; }
void First() { s_trace += '1'; }
void Second() { s_trace += '2'; }
void RemovesItself()
{
    s_trace += 'X';
    ClockRemoveListener(RemovesItself);
}

// Distinct listeners: the same one twice is refused.
constexpr ClockPeriodFunction kNine[] = {[] {}, [] {}, [] {}, [] {}, [] {},
                                         [] {}, [] {}, [] {}, [] {}};
static_assert(std::size(kNine) == CLOCK_MAX_LISTENERS + 1);

class Clock : public testing::Test {
protected:
    void SetUp() override { s_trace.clear(); }

private:
    ScopedCore m_core;
};

using ClockDeathTest = Clock;

}  // namespace

TEST_F(Clock, ManualPeriodRunsThePeriodFunctionThenListenersInOrder)
{
    ClockAddListener(First);
    ClockAddListener(RemovesItself);
    ClockAddListener(Second);
    ClockStart(Period);
    ClockAdvance(2);
    EXPECT_EQ(s_trace, "P1X2P12");
    EXPECT_EQ(ClockPeriods(), 2u);
}

TEST_F(Clock, ManualWallTimeStartsAtItsEpochAndFollowsVirtualTime)
{
    EXPECT_EQ(ClockWallSeconds(), CLOCK_MANUAL_EPOCH_SECONDS);
    ClockStart(Period);
    ClockAdvance(250);
    EXPECT_EQ(ClockWallSeconds(), CLOCK_MANUAL_EPOCH_SECONDS + 2);

    // Virtual time runs on across a restart; the period count starts again.
    ClockStop();
    ClockStart(Period);
    EXPECT_EQ(ClockPeriods(), 0u);
    ClockAdvance(50);
    EXPECT_EQ(ClockWallSeconds(), CLOCK_MANUAL_EPOCH_SECONDS + 3);

    ClockStop();
    ClockSelect(ClockKind::Manual);
    EXPECT_EQ(ClockWallSeconds(), CLOCK_MANUAL_EPOCH_SECONDS);
}

TEST_F(ClockDeathTest, MisuseIsFatal)
{
    EXPECT_FATAL(ClockAdvance(1), "ClockAdvance(): the manual clock is not running");
    ClockAddListener(First);
    EXPECT_FATAL(ClockAddListener(First), "ClockAddListener(): listener already added");
    ClockRemoveListener(First);
    for (int32_t i = 0; i < CLOCK_MAX_LISTENERS; ++i) {
        ClockAddListener(kNine[i]);
    }
    EXPECT_FATAL(ClockAddListener(kNine[CLOCK_MAX_LISTENERS]),
                 "ClockAddListener(): too many listeners");
    ClockStart(Period);
    EXPECT_FATAL(ClockStart(Period), "ClockStart(): already running");
    EXPECT_FATAL(ClockSelect(ClockKind::Real), "ClockSelect(): the clock is running");
}
