// matchscreens/vidopt.h: the video options screen, on which the user changes the video settings.
#pragma once

#include <cstdint>

#include "engine/options.h"
#include "menus/vtmenusys.h"
#include "viewservices/videosettings.h"

// The video options screen (in-match id 2 and the front end's option 83): works on a copy of the
// record; "Appliquer" and "Terminer" store it, "Annuler" leaves the record as it was. A change of
// card or device restarts the graphics layer on the new ones between the menu graphics' close and
// reopening; after "Appliquer" the screen shows again.
void InGame_VideoOptionsMenu();
// Start-up: the front end's option 83 runs the screen; scripts read `videodevice`.
void VideoOptions_Register();

// The screen's item callbacks (the hotspot code is the chosen value); each acts on a press only
// (else 301) and answers 302 redraw, 303 leave, 300 not available or 301 refused.
int32_t Func_CardSelect(const InGameMenuEvent* event, int32_t step);
int32_t Func_DeviceSelect(const InGameMenuEvent* event, int32_t step);
int32_t Func_ModeSelect(const InGameMenuEvent* event, int32_t step);
int32_t Func_MipMap(const InGameMenuEvent* event);
int32_t Func_Filtering(const InGameMenuEvent* event);
int32_t Func_Lighting(const InGameMenuEvent* event);
int32_t Func_Fog(const InGameMenuEvent* event);
int32_t Func_TextureDetail(const InGameMenuEvent* event);
int32_t Func_Apply(const InGameMenuEvent* event);
int32_t Func_Cancel(const InGameMenuEvent* event);
int32_t Func_Ok(const InGameMenuEvent* event);

// For tests: the screen's copy of the record while it runs, and its frame for drawing it without
// running its loop (open copies the record).
const VideoSettings& VideoOptions_Copy();
const char* VideoOptions_ShownCard();  // the card's name, or "** Invalid card **" when none
struct InGameScreen;
const InGameScreen& VideoOptions_Screen();
