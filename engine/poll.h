// engine/poll.h: the poll scheduler. Every waiting loop calls Poll, which pumps the window's
// messages and runs each registered function whose rate has elapsed.
#pragma once

#include <cstdint>

constexpr int32_t POLL_MAX_FUNCTIONS = 32;
constexpr int32_t POLL_EVERY_CALL = -1;

using PollFunction = void (*)();

void PollInit();    // forgets every function; keeps the message pump
void PollUninit();  // safe without PollInit and twice

// Registers `fn` to run every `rateTicks` ticks counted from now (POLL_EVERY_CALL: every Poll);
// the flags are kept for diagnostics. A 33rd function, a null one or a rate below -1 is fatal.
// Functions may add and remove poll functions, themselves included, while Poll runs them.
uint16_t AddPollFunction(PollFunction fn, int32_t rateTicks, uint32_t flags);
void RemovePollFunction(uint16_t key);  // a key that holds nothing is fatal

// Pumps messages, runs the functions that are due in slot order, then lets the clock idle.
// A nested call returns at once.
void Poll();

void PollSetMessagePump(PollFunction pump);  // nullptr: no pump
