#include "engine/poll.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/clock.h"
#include "engine/timer.h"
#include "tests/support/support.h"

namespace {

std::vector<uint32_t> s_runTicks;
std::string s_trace;
uint16_t s_keyToRemove;
bool s_replaced;

void RecordTick() { s_runTicks.push_back(Tick.load()); }
void TraceA() { s_trace += 'A'; }
void TraceB() { s_trace += 'B'; }
void TraceC() { s_trace += 'C'; }
void TracePump() { s_trace += 'P'; }
void PollAgain()
{
    s_trace += 'N';
    Poll();
}
void ReplaceOther()
{
    s_trace += 'R';
    if (s_replaced) return;
    s_replaced = true;
    RemovePollFunction(s_keyToRemove);
    AddPollFunction(TraceC, POLL_EVERY_CALL, 0);
}
void RemoveSelf()
{
    s_trace += 'S';
    RemovePollFunction(s_keyToRemove);
}

// The tick under exact control: auto-advance off, one period per step.
class Poll : public testing::Test {
protected:
    void SetUp() override
    {
        s_runTicks.clear();
        s_trace.clear();
        s_replaced = false;
        PollInit();
        TimerInit();
        ClockSetAutoAdvance(false);
    }

    void PollEachTick(uint32_t ticks)
    {
        for (uint32_t i = 0; i < ticks; ++i) {
            ::Poll();
            ClockAdvance(1);
        }
    }

private:
    ScopedCore m_core;
};

using PollDeathTest = Poll;

}  // namespace

TEST_F(Poll, RunsAFunctionOnlyWhenItsRateHasElapsed)
{
    AddPollFunction(RecordTick, 10, 1);
    PollEachTick(36);
    EXPECT_EQ(s_runTicks, (std::vector<uint32_t>{10, 20, 30}));
}

TEST_F(Poll, KeepsItsRateAcrossTheTickWrapAround)
{
    TickCount = 0xFFFFFFF0;
    AddPollFunction(RecordTick, 10, 0);
    PollEachTick(31);  // ticks 0xFFFFFFF0 to 14
    EXPECT_EQ(s_runTicks, (std::vector<uint32_t>{0xFFFFFFFA, 4, 14}));
}

TEST_F(Poll, EveryCallRateRunsOnEachPollAfterThePump)
{
    PollSetMessagePump(TracePump);
    AddPollFunction(TraceA, POLL_EVERY_CALL, 0);
    AddPollFunction(TraceB, 1000, 0);
    for (int i = 0; i < 3; ++i) {
        ::Poll();
    }
    EXPECT_EQ(s_trace, "PAPAPA");
}

TEST_F(Poll, NestedPollReturnsAtOnce)
{
    ClockSetAutoAdvance(true);
    AddPollFunction(PollAgain, POLL_EVERY_CALL, 0);
    ::Poll();
    EXPECT_EQ(s_trace, "N");
    EXPECT_EQ(ClockPeriods(), 1u);  // only the outer call lets the clock idle
}

TEST_F(Poll, WaitForTheTickToChangeEndsUnderTheManualClock)
{
    ClockSetAutoAdvance(true);
    const uint32_t start = Tick.load();
    while (Tick.load() == start) {
        ::Poll();
    }
    EXPECT_EQ(Tick.load(), start + 1);
}

TEST_F(Poll, FunctionsMayAddAndRemoveOthersWhileRunning)
{
    AddPollFunction(ReplaceOther, POLL_EVERY_CALL, 0);
    s_keyToRemove = AddPollFunction(TraceB, POLL_EVERY_CALL, 0);
    ::Poll();
    ::Poll();
    // B's slot was freed before its turn, and C, added into it, runs within the same Poll.
    EXPECT_EQ(s_trace, "RCRC");
}

TEST_F(Poll, FunctionMayRemoveItself)
{
    s_keyToRemove = AddPollFunction(RemoveSelf, POLL_EVERY_CALL, 0);
    AddPollFunction(TraceA, POLL_EVERY_CALL, 0);
    ::Poll();
    ::Poll();
    EXPECT_EQ(s_trace, "SAA");
}

TEST_F(PollDeathTest, RunningOutOfSlotsOrABadKeyIsFatal)
{
    const uint16_t key = AddPollFunction(TraceA, 5, 0);
    RemovePollFunction(key);
    EXPECT_FATAL(RemovePollFunction(key), "RemovePollFunction(): no function with key 0");
    EXPECT_FATAL(RemovePollFunction(40), "RemovePollFunction(): no function with key 40");
    EXPECT_FATAL(AddPollFunction(TraceA, -2, 0), "AddPollFunction(): bad function or rate -2");
    for (int32_t i = 0; i < POLL_MAX_FUNCTIONS; ++i) {
        AddPollFunction(TraceA, 5, 0);
    }
    EXPECT_FATAL(AddPollFunction(TraceA, 5, 0), "AddPollFunction(): no free poll slot");
}
