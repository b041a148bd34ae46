// menus/replayslots.cpp: the ten replay slot files.
#include "menus/replayslots.h"

#include <cstdio>

#include "engine/filename.h"

int32_t Replay_CountSaved()
{
    int32_t count = 0;
    for (int32_t slot = 0; slot < REPLAY_SLOT_COUNT; ++slot) {
        char name[24];
        std::snprintf(name, sizeof name, "Replay%02d.sav", slot);
        std::FILE* file = std::fopen(HostPath(name).c_str(), "rb");
        if (file == nullptr) continue;
        std::fclose(file);
        ++count;
    }
    return count;
}
