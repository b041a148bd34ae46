// vx256/gfx0.h: the head of a GFX0 image file, read and checked against the file it opens.
#pragma once

#include <cstdint>

constexpr int32_t GFX0_HEAD_BYTES = 16;

struct Gfx0Head {
    int32_t width;   // pixels
    int32_t height;  // pixels
    int32_t count;   // frames (glyphs of a font)
};

// Reads the 16-byte head of an open pak file. False when the magic is not "GFX0", when a size
// or the count is 0 or less, or when 16 + width x height x count bytes run past the file's end.
bool Gfx0_ReadHead(int32_t handle, Gfx0Head* head);
// True when frames of that size and count fit the file behind the 16-byte head.
bool Gfx0_FitsFile(int32_t handle, int32_t width, int32_t height, int32_t count);
