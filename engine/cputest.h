// engine/cputest.h: the processor speed test run once at start-up.
#pragma once

#include <cstdint>

constexpr int32_t CPU_SLOW_INDEX = 120;

extern int32_t ProcessorSpeedIndex;  // several thousand on a current desktop; 1000 headless
extern bool SlowMachine;             // the index came out below CPU_SLOW_INDEX

// Counts a fixed integer loop over 10 ticks; under the manual clock the index is 1000. Gives
// up with index 0 when the tick does not move for 2 seconds.
int32_t ProcessorSpeedTest();
