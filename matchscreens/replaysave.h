// matchscreens/replaysave.h: the replay slots over the recorder's own buffers: their descriptions,
// the load that a watched replay starts with, the save, and the in-match screen that picks the
// slot to save into.
#pragma once

#include <cstdint>

#include "matchscreens/ingamemenus.h"
#include "menus/replayslots.h"

// Owned by ReplaySave: the descriptions the save screen shows, and its chosen slot (-1 none).
extern ReplaySlotHeader ReplaySlotHeaders[REPLAY_SLOT_COUNT];
extern int16_t ReplaySlotSelected;

// What the save screen reports through; tests replace it.
struct ReplaySaveServices {
    void (*message)(int32_t textNo);
};
extern ReplaySaveServices ReplaySaveHooks;

void ReplaySave_Init();    // no slot chosen, the real message box, the screen not running
void ReplaySave_Uninit();  // the same; safe twice
// Start-up: Init, and the script values `replaypos`, `replayframes`, `replayscreen` (1 while the
// save screen runs) and `replaystate`.
void ReplaySave_Start();

// Every slot's description from its file (ReplayFile_ReadHeaders).
void Replay_ReadHeaders();
// Loads the slot into the slot's header entry (a slot of 10 or more: slot 0's entry), the
// recorder's counters, the match-day block and the replay buffer, which must be allocated; the
// block's view mode becomes the 3D view. A ReplayFileResult; a refusal changes nothing.
int32_t Replay_Load(int32_t slot);
// Writes the slot's header entry, the counters, the match-day block and the buffer as the slot's
// file: USERFILE_OK, or USERFILE_WRITE_FAILED with the file that was there left whole.
int32_t Replay_Save(int32_t slot);

// The save screen ("Ralenti"): a slot line picked, then "Enregistrer" saves it; a failed save
// shows text 1661 before the screen leaves. "Quitter" leaves without saving.
void InGame_ReplayMenu();
// Its frame, for tests that draw it without running its loop.
const InGameScreen& ReplaySave_Screen();
// The description a save made now would carry: " n: home g - g away, m:ss" of the running match
// (the live frame's goals and period ticks: a replay shows an earlier frame's).
void ReplaySave_Describe(int32_t slot, char (&description)[REPLAY_DESCRIPTION_BYTES]);
