// engine/timer.h: the tick, the 10 ms counter that every timing reads.
#pragma once

#include <atomic>
#include <cstdint>

extern std::atomic<uint32_t> TickCount;  // counts only while the program is active
extern std::atomic<uint32_t>& Tick;      // the same counter under its other name

using TimerActivityTest = bool (*)();

// TimerInit sets the tick to 0 and starts the host clock with TimerCallback; TimerUninit stops
// it. Wrong-state calls of either are fatal. Neither touches the activity test.
void TimerInit();
void TimerUninit();
bool TimerIsRunning();

// The 10 ms period function: increments the tick while the activity test says active (always,
// when none is registered). Runs on the clock's thread under the real clock.
void TimerCallback();
void TimerSetActivityTest(TimerActivityTest test);  // nullptr: the tick counts every period
