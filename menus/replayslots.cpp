// menus/replayslots.cpp: the ten replay slot files.
#include "menus/replayslots.h"

#include <cstdio>

#include "engine/userfile.h"

int32_t Replay_CountSaved()
{
    int32_t count = 0;
    for (int32_t slot = 0; slot < REPLAY_SLOT_COUNT; ++slot) {
        char name[24];
        std::snprintf(name, sizeof name, "Replay%02d.sav", slot);
        // Only a regular file can hold a replay: a folder or a pipe of that name is no slot.
        if (UserFile_Probe(name) == USERFILE_OK) ++count;
    }
    return count;
}
