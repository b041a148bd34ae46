// engine/debug.h: the eleven debug channels and their levels; diagnostics go to standard output.
#pragma once

#include <cstdint>

enum DebugChannel : int32_t {
    DBG_GENERAL,
    DBG_WIN,
    DBG_DIRECTDRAW,
    DBG_DIRECT3D,
    DBG_NETWORK,
    DBG_FILE,
    DBG_GRAPHICS,
    DBG_SOUND,
    DBG_INPUT,
    DBG_MEMORY,
    DBG_POLL,
    DBG_CHANNEL_COUNT
};

void DebugInit();                     // every channel back to level 0
int32_t DebugLevel(int32_t channel);  // 0 for a channel number out of range
void DebugSetLevel(int32_t channel, int32_t level);
const char* DebugChannelName(int32_t channel);

// Prints when the channel's level is at least `detail`; a channel out of range prints nothing.
void DebugPrintf(int32_t channel, int32_t detail, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Applies a "-debug" list: comma-separated name=level pairs, names without regard to case,
// "all" for every channel. A bad pair prints a warning and the rest still applies.
void ParseDebugChannels(const char* list);
