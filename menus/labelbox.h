// menus/labelbox.h: the box of words a hotspot shows while the pointer rests on it.
#pragma once

#include <cstdint>

constexpr int32_t LABEL_BOX_SECTION = 0;      // the work-screen section kept under the box
constexpr int32_t LABEL_BOX_MAX_WIDTH = 220;  // wider texts wrap

// Draws the text's box under the w x h rectangle at (x, y), or over it when the screen ends
// first, moved left as far as it must to stay on the screen; what it covers is kept. An empty
// text, or one too long for the screen, shows nothing. A box already up is taken down first.
void LabelBox_Show(int32_t x, int32_t y, int32_t w, int32_t h, const char* text);
// Puts back what the box covered; nothing when no box is up.
void LabelBox_Hide();
