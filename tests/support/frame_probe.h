// tests/support/frame_probe.h: questions about a grabbed frame: a colour, how much of a colour a
// rectangle holds, and which menu background it shows.
#pragma once

#include <cstdint>
#include <functional>

#include "tests/support/png.h"

// 0xRRGGBB of the pixel.
uint32_t FrameColourAt(const PngImage& frame, int32_t x, int32_t y);
// The pixels of the rectangle whose every component lies within `tolerance` of the colour's.
int32_t CountNearColour(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h,
                        uint32_t rgb, int32_t tolerance);
// The groups of touching pixels (eight neighbours) near the colour among those `inside` accepts.
int32_t CountColourBlobs(const PngImage& frame, uint32_t rgb, int32_t tolerance,
                         const std::function<bool(int32_t, int32_t)>& inside);
// The pixels of the rectangle in the stadium's grass greens: green well above red and blue.
int32_t GrassPixels(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h);
// The pixels of the rectangle near white: the menus' text.
int32_t TextPixels(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h);
// The pixels of the rectangle whose colour differs between two frames.
int32_t ChangedPixels(const PngImage& a, const PngImage& b, int32_t x, int32_t y, int32_t w,
                      int32_t h);
// A stable hash (FNV-1a) of the frame's size and pixels, for golden frames.
uint64_t FrameHash(const PngImage& frame);
// The background number hidden in pixel (639, 479) (no red, full blue, the number in the six
// green bits), or -1 when the pixel holds no number. A 5-5-5 screen keeps only five green bits:
// there the even number of the pair that shares the marker is answered.
int32_t FrameBackground(const PngImage& frame);
// Whether the frame shows background n, on a screen of any menu format.
bool FrameShowsBackground(const PngImage& frame, int32_t n);
// The 0xRRGGBB a 5-6-5 menu colour shows as in a hi-colour frame.
uint32_t FrameRgbOf565(uint16_t colour);
