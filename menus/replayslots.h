// menus/replayslots.h: the ten replay slot files "Replay%02d.sav" in the user folder.
#pragma once

#include <cstdint>

constexpr int32_t REPLAY_SLOT_COUNT = 10;

// How many of the ten files open for reading; their contents are not examined.
int32_t Replay_CountSaved();
