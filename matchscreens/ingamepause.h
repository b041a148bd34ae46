// matchscreens/ingamepause.h: the in-match pause screen (resume, switch the view, the highlights)
// and the display options (camera angle, model detail, mini-panoramic view, names, three volumes).
#pragma once

#include <cstdint>

#include "matchscreens/ingamemenus.h"

constexpr int32_t IGP_DISPLAY_ROWS = 8;  // four values, three sliders, "Terminer"
constexpr int32_t IGP_VOLUME_MAX = 10;

void InGamePause_Init();  // every display row drawn plain

// Screen 0: leaves with the menus closed (resume, or a view mode chosen for the rebuilt view),
// or for the display or video options. Outside the 3D view the highlight and options panels are
// covered and do nothing.
void InGame_PauseMenu();
// Screen 1: the values change in place (the options block keeps them for the next run); leaving
// returns to the pause screen.
void InGame_DisplayOptionsMenu();

// `viewmode` (the match-day block's), `detail` and `crowdvol`.
void InGamePause_RegisterScriptValues();

// A slider's value for a press `offset` pixels from its left edge: 0-10 over its width.
int32_t InGamePause_SliderValue(int32_t offset, int32_t width);
// The knob's left edge: x + value x width / 11, never past x + width - 16.
int32_t InGamePause_KnobX(int32_t x, int32_t width, int32_t value);
// Whether a display row is drawn highlighted in the next drawing.
bool InGamePause_RowHighlighted(int32_t row);

// The screens' frames (ids 0 and 1), for tests that draw them without running their loops.
const InGameScreen& InGamePause_Screen(uint16_t id);
