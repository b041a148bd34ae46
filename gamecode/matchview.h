// gamecode/matchview.h: the engine's only way to the match view: dispatchers that pick the
// registered view of the match's view mode, and the automatic highlight timer.
#pragma once

#include <cstdint>

// The five operations of one view kind; a null member does nothing. `Frames` counts the frames
// the view has drawn since it was built (null: none are counted).
struct MatchViewOps {
    void (*Init)();
    void (*Destroy)();
    void (*Step)();
    void (*Frame)();
    void (*Update)();
    int32_t (*Frames)() = nullptr;
};

enum MatchViewKind : int32_t {
    VIEWKIND_TEXT,
    VIEWKIND_2D,
    VIEWKIND_SOFTWARE_3D,
    VIEWKIND_DEVICE_3D,
    VIEWKIND_COUNT
};

// Registers a kind's operations at start-up (nullptr unregisters). A kind outside 0-3 is fatal.
// Registrations survive MatchEngine_Init.
void MatchView_Register(int32_t kind, const MatchViewOps* ops);
bool MatchView_IsRegistered(int32_t kind);  // false outside 0-3
// The scripts' `period`, `frames` and `replaying`, answered for whichever view is built, and
// `viewkind`: the MatchViewKind shown, -1 while none is built.
void MatchView_RegisterScriptValues();

// By the block's view mode: 0 text, 1 2D (which also drives the match sounds and eight sound
// channels), 2 software 3D, or the 3D device when one is selected. Mode 2 shows the text view
// while its own kind is not registered (one line on the "general" channel the first time, no
// match sounds, no highlight replays); mode 3, any other mode, or an unregistered text, 2D or
// device kind is "no view": nothing is built, stepped, drawn or paced.
void MatchView_Init();     // clears both view words; ends by clearing the key buffer
void MatchView_Destroy();  // ends with MatchView_Destroyed = 1, whatever the mode
void MatchView_Tick();
void MatchView_Frame();
void MatchView_Update();
void MatchView_UpdateAndFrame();

extern uint8_t MatchView_Built;      // cleared by MatchView_Init
extern uint8_t MatchView_Destroyed;  // 0 after MatchView_Init, 1 after MatchView_Destroy

// Automatic highlights. Type 0 or 1: pending for `ticks` when that side's highlight option is
// on; types 2-4 drop a pending one. Any other type is fatal "ActivateHighLight(): Error bad
// ActionType".
void ActivateHighLight(int16_t type, int32_t ticks);
// Counts the pending highlight down; at 0 in a shown 3D view with an option on, a replay starts.
void HighLight_Tick();
int32_t HighLight_GetFlag();
void HighLight_ClearFlag();
int32_t HighLight_PendingType();
int32_t HighLight_Timer();

void MatchView_ResetState();  // view words and highlight state: part of Match_ResetWords
// The kind the block's view mode shows, VIEWKIND_COUNT for "no view" (none registered for it).
int32_t MatchView_ShownKind();
