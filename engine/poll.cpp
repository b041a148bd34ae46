// engine/poll.cpp: the poll scheduler that every wait loop drives.
#include "engine/poll.h"

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/host/clock.h"
#include "engine/timer.h"

namespace {

struct PollSlot {
    PollFunction fn;  // nullptr: the slot is free
    int32_t rateTicks;
    uint32_t flags;
    uint32_t lastRunTick;
};

struct PollState {
    PollSlot slots[POLL_MAX_FUNCTIONS];
    PollFunction pump;
    bool polling;
};

PollState s_poll;

bool IsDue(const PollSlot& slot, uint32_t now)
{
    if (slot.rateTicks == POLL_EVERY_CALL) return true;
    // Unsigned difference, so the rate holds across the tick's wrap-around.
    return now - slot.lastRunTick >= static_cast<uint32_t>(slot.rateTicks);
}

}  // namespace

void PollInit()
{
    // The pump belongs to the window, which exists before the poll system starts.
    const PollFunction pump = s_poll.pump;
    s_poll = {};
    s_poll.pump = pump;
}

void PollUninit() { s_poll = {}; }

uint16_t AddPollFunction(PollFunction fn, int32_t rateTicks, uint32_t flags)
{
    if (fn == nullptr || rateTicks < POLL_EVERY_CALL)
        FatalError("AddPollFunction(): bad function or rate %d", rateTicks);
    for (int32_t key = 0; key < POLL_MAX_FUNCTIONS; ++key) {
        PollSlot& slot = s_poll.slots[key];
        if (slot.fn != nullptr) continue;
        slot = {fn, rateTicks, flags, Tick.load()};
        DebugPrintf(DBG_POLL, 1, "AddPollFunction(): key %d, rate %d, flags %u\n", key, rateTicks,
                    flags);
        return static_cast<uint16_t>(key);
    }
    FatalError("AddPollFunction(): no free poll slot");
}

void RemovePollFunction(uint16_t key)
{
    if (key >= POLL_MAX_FUNCTIONS || s_poll.slots[key].fn == nullptr)
        FatalError("RemovePollFunction(): no function with key %d", key);
    s_poll.slots[key] = {};
    DebugPrintf(DBG_POLL, 1, "RemovePollFunction(): key %d\n", key);
}

void Poll()
{
    if (s_poll.polling) return;
    s_poll.polling = true;
    if (s_poll.pump != nullptr) s_poll.pump();
    const uint32_t now = Tick.load();
    // Slots are read afresh at each step: a function may add or remove others while it runs.
    for (int32_t key = 0; key < POLL_MAX_FUNCTIONS; ++key) {
        PollSlot& slot = s_poll.slots[key];
        if (slot.fn == nullptr || !IsDue(slot, now)) continue;
        slot.lastRunTick = now;
        DebugPrintf(DBG_POLL, 10, "Poll(): key %d at tick %u, flags %u\n", key, now, slot.flags);
        slot.fn();
    }
    s_poll.polling = false;
    ClockIdle();
}

void PollSetMessagePump(PollFunction pump) { s_poll.pump = pump; }
