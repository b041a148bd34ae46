// engine/debug.cpp: the debug channels and the "-debug" list.
#include "engine/debug.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <strings.h>

namespace {

constexpr const char* kChannelNames[DBG_CHANNEL_COUNT] = {
    "general",  "win",   "directdraw", "direct3d", "network", "file",
    "graphics", "sound", "input",      "memory",   "poll",
};

struct DebugState {
    int32_t levels[DBG_CHANNEL_COUNT];
};

DebugState s_debug;

// Applies one "name=level" pair; false when the name or the level is not usable.
bool ApplyPair(const std::string& pair)
{
    const size_t equals = pair.find('=');
    if (equals == std::string::npos || equals + 1 == pair.size()) return false;
    const std::string name = pair.substr(0, equals);
    const char* levelText = pair.c_str() + equals + 1;
    char* end = nullptr;
    const long level = std::strtol(levelText, &end, 10);
    if (*end != '\0' || level < 0 || level > 1000000) return false;

    if (strcasecmp(name.c_str(), "all") == 0) {
        for (int32_t& channelLevel : s_debug.levels) {
            channelLevel = static_cast<int32_t>(level);
        }
        return true;
    }
    for (int32_t channel = 0; channel < DBG_CHANNEL_COUNT; ++channel) {
        if (strcasecmp(name.c_str(), kChannelNames[channel]) == 0) {
            s_debug.levels[channel] = static_cast<int32_t>(level);
            return true;
        }
    }
    return false;
}

}  // namespace

void DebugInit() { s_debug = {}; }

int32_t DebugLevel(int32_t channel)
{
    if (channel < 0 || channel >= DBG_CHANNEL_COUNT) return 0;
    return s_debug.levels[channel];
}

void DebugSetLevel(int32_t channel, int32_t level)
{
    if (channel < 0 || channel >= DBG_CHANNEL_COUNT) return;
    s_debug.levels[channel] = level;
}

const char* DebugChannelName(int32_t channel)
{
    if (channel < 0 || channel >= DBG_CHANNEL_COUNT) return "?";
    return kChannelNames[channel];
}

void DebugPrintf(int32_t channel, int32_t detail, const char* format, ...)
{
    if (channel < 0 || channel >= DBG_CHANNEL_COUNT || s_debug.levels[channel] < detail) return;
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
}

void ParseDebugChannels(const char* list)
{
    const std::string text = list;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        const std::string pair = text.substr(start, comma - start);
        if (!pair.empty() && !ApplyPair(pair)) {
            std::printf("Warning: ParseDebugChannels(): bad channel '%s'\n", pair.c_str());
        }
        start = comma + 1;
    }
}
