// engine/gfx.h: the 2D graphics layer's view of the display modes.
#pragma once

#include <cstdint>

// The index in DDrawModes of the first mode of exactly this size and kind (DDrawModeKind), or -1.
int32_t GfxFindMode(int32_t width, int32_t height, int32_t kind);
