// engine/debugfont.h: the 8x8 font of the debug text printer.
#pragma once

#include <array>
#include <cstdint>

constexpr int32_t DEBUGFONT_SIZE = 8;  // glyphs are 8 x 8 pixels

using DebugGlyph = std::array<uint8_t, DEBUGFONT_SIZE>;  // rows top first; bit 7 is leftmost

// Every code has a glyph: printable ASCII, the Latin-1 letters French needs and "oe" (0x9C, 0x8C
// as in the game's code page), the guillemets and the degree sign; any other code is a small box.
const DebugGlyph& DebugFontGlyph(uint8_t code);
