// engine/timer.cpp: the tick and the 10 ms callback that advances it.
#include "engine/timer.h"

#include "engine/fatal.h"
#include "engine/host/clock.h"

std::atomic<uint32_t> TickCount{0};
std::atomic<uint32_t>& Tick = TickCount;

namespace {

struct TimerState {
    bool running;
};

TimerState s_timer;
// Written by the main thread, read by the clock's thread at every period.
std::atomic<TimerActivityTest> s_activityTest{nullptr};

}  // namespace

void TimerInit()
{
    if (s_timer.running) FatalError("TimerInit(): already initialised");
    TickCount.store(0);
    ClockStart(TimerCallback);
    s_timer.running = true;
}

void TimerUninit()
{
    if (!s_timer.running) FatalError("TimerUninit(): not initialised");
    ClockStop();
    s_timer.running = false;
}

bool TimerIsRunning() { return s_timer.running; }

void TimerCallback()
{
    const TimerActivityTest test = s_activityTest.load(std::memory_order_acquire);
    if (test == nullptr || test()) TickCount.fetch_add(1, std::memory_order_relaxed);
}

void TimerSetActivityTest(TimerActivityTest test)
{
    s_activityTest.store(test, std::memory_order_release);
}
