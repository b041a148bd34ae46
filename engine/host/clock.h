// engine/host/clock.h: the host's 10 ms period source. Real: a thread against the steady clock.
// Manual: time moves only when told to, so headless runs and tests are reproducible.
#pragma once

#include <cstdint>

enum class ClockKind { Real, Manual };

using ClockPeriodFunction = void (*)();

constexpr uint32_t CLOCK_PERIOD_MS = 10;
constexpr int32_t CLOCK_MAX_LISTENERS = 8;
constexpr uint64_t CLOCK_MANUAL_EPOCH_SECONDS = 946684800;  // 2000-01-01 00:00:00 UTC

// The kind the next ClockStart uses (Real by default). Starts afresh: no listeners, auto-advance
// on, virtual time back at its epoch. Fatal while the clock runs.
void ClockSelect(ClockKind kind);
ClockKind ClockSelectedKind();

// Starts calling `period` every 10 ms (real, on the clock's own thread) or at each advance
// (manual); fatal when already running. ClockStop joins the thread.
void ClockStart(ClockPeriodFunction period);
void ClockStop();  // safe when stopped
bool ClockRunning();

// Manual clock: for each period, 10 ms of virtual time, the period function, then the listeners.
// Fatal unless the manual clock is running.
void ClockAdvance(uint32_t periods);
// Called at the end of every Poll. Manual: advances one period while auto-advance is on (the
// default), so a wait on the tick always ends. Real: sleeps 1 ms only inside a pure wait loop.
void ClockIdle();
void ClockSetAutoAdvance(bool on);

uint32_t ClockPeriods();  // periods since the clock started, active or not

// Listeners run after the period function on each manual period (the sound sink, the script
// runner); registering the same function twice, or a ninth, is fatal; removing an absent one
// does nothing.
void ClockAddListener(ClockPeriodFunction listener);
void ClockRemoveListener(ClockPeriodFunction listener);

// Seconds since 1970; under the manual clock, 2000-01-01 plus the virtual time elapsed.
uint64_t ClockWallSeconds();
