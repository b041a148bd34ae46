// engine/cputest.cpp: the processor speed test, a fixed integer workload timed by the tick.
#include "engine/cputest.h"

#include <chrono>

#include "engine/debug.h"
#include "engine/host/clock.h"
#include "engine/timer.h"

int32_t ProcessorSpeedIndex;
bool SlowMachine;

namespace {

constexpr uint32_t CPU_TEST_TICKS = 10;
constexpr int32_t CPU_MANUAL_INDEX = 1000;
constexpr int32_t CPU_UNIT_STEPS = 1000;      // integer steps in one unit of work
constexpr uint64_t CPU_UNITS_PER_INDEX = 20;  // scales a current desktop to several thousand
constexpr auto CPU_GIVE_UP = std::chrono::seconds(2);

volatile uint32_t s_sink;  // keeps the workload from being optimised away

void RunWorkUnit()
{
    uint32_t x = s_sink;
    for (int32_t i = 0; i < CPU_UNIT_STEPS; ++i) {
        x = x * 1664525u + 1013904223u;
    }
    s_sink = x;
}

// Counts units of work from one tick change until CPU_TEST_TICKS later; -1 when the tick stands
// still for CPU_GIVE_UP, so that a stopped timer cannot hang start-up.
int64_t CountWorkUnits()
{
    using std::chrono::steady_clock;
    uint32_t lastTick = Tick.load();
    auto lastChange = steady_clock::now();
    bool started = false;
    uint32_t startTick = 0;
    int64_t units = 0;
    for (;;) {
        const uint32_t tick = Tick.load();
        if (tick != lastTick) {
            lastTick = tick;
            lastChange = steady_clock::now();
            if (!started) {
                started = true;
                startTick = tick;
            }
        } else if (steady_clock::now() - lastChange > CPU_GIVE_UP) {
            return -1;
        }
        if (started) {
            if (tick - startTick >= CPU_TEST_TICKS) return units;
            RunWorkUnit();
            ++units;
        }
    }
}

int32_t MeasureIndex()
{
    // The manual clock only moves when told to: there is nothing to time against.
    if (ClockSelectedKind() == ClockKind::Manual) return CPU_MANUAL_INDEX;
    const int64_t units = CountWorkUnits();
    if (units < 0) {
        DebugPrintf(DBG_GENERAL, 0, "Warning: ProcessorSpeedTest(): the timer is not running\n");
        return 0;
    }
    return static_cast<int32_t>(units / CPU_UNITS_PER_INDEX);
}

}  // namespace

int32_t ProcessorSpeedTest()
{
    ProcessorSpeedIndex = MeasureIndex();
    SlowMachine = ProcessorSpeedIndex < CPU_SLOW_INDEX;
    DebugPrintf(DBG_GENERAL, 1, "ProcessorSpeedTest(): index %d%s\n", ProcessorSpeedIndex,
                SlowMachine ? ", slow machine" : "");
    return ProcessorSpeedIndex;
}
