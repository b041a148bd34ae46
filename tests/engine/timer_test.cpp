#include "engine/timer.h"

#include <chrono>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "engine/cputest.h"
#include "engine/debug.h"
#include "engine/host/clock.h"
#include "tests/support/support.h"

namespace {

bool s_active;
bool IsActive() { return s_active; }

}  // namespace

TEST(Timer, TickStandsStillWhileInactiveButPeriodsGoOn)
{
    ScopedCore core;
    TimerInit();
    s_active = false;
    TimerSetActivityTest(IsActive);
    ClockAdvance(5);
    EXPECT_EQ(Tick.load(), 0u);
    EXPECT_EQ(ClockPeriods(), 5u);

    s_active = true;
    ClockAdvance(3);
    EXPECT_EQ(TickCount.load(), 3u);
    TimerSetActivityTest(nullptr);
    ClockAdvance(2);
    EXPECT_EQ(TickCount.load(), 5u);
}

TEST(Timer, RealClockAdvancesTheTick)
{
    ScopedCore core;
    ClockSelect(ClockKind::Real);
    TimerInit();
    // Only that the tick moves at all: how fast depends on the machine's load.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (Tick.load() == 0 && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::yield();
    }
    EXPECT_GT(Tick.load(), 0u);
    TimerUninit();
    EXPECT_FALSE(ClockRunning());
}

TEST(TimerDeathTest, WrongStateCallsAreFatal)
{
    ScopedCore core;
    EXPECT_FATAL(TimerUninit(), "TimerUninit(): not initialised");
    TimerInit();
    EXPECT_FATAL(TimerInit(), "TimerInit(): already initialised");
}

TEST(ProcessorSpeed, ManualClockGivesTheFixedIndexAndLogsIt)
{
    ScopedCore core;
    TimerInit();
    ClockSetAutoAdvance(false);  // the test must not wait for the tick
    DebugSetLevel(DBG_GENERAL, 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(ProcessorSpeedTest(), 1000);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ProcessorSpeedTest(): index 1000\n");
    EXPECT_EQ(ProcessorSpeedIndex, 1000);
    EXPECT_FALSE(SlowMachine);
}

// Waits the full two seconds of the give-up: the one slow test of the core.
TEST(ProcessorSpeed, GivesUpWhenTheTimerDoesNotRun)
{
    ScopedCore core;
    ClockSelect(ClockKind::Real);
    testing::internal::CaptureStdout();
    EXPECT_EQ(ProcessorSpeedTest(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Warning: ProcessorSpeedTest(): the timer is not running\n");
    EXPECT_TRUE(SlowMachine);
}
