// menus/gfxgen.h: front-end graphics drawn in a club's colours: 8-bit pictures whose colour
// table holds the picture's own 64 colours and two ramps built from kit colours.
#pragma once

#include <cstdint>

constexpr int32_t GFXGEN_COLOURS = 256;
constexpr int32_t GFXGEN_OWN_COLOURS = 64;
constexpr int32_t GFXGEN_RAMP_START = 64;  // ramp s fills 64 + 64 s .. 127 + 64 s
constexpr int32_t GFXGEN_HEADER_BYTES = 16;
constexpr int32_t GFXGEN_BALL = 0;  // the club emblem, 52 x 52

struct GfxGenGraphic {
    const char* name;  // "gfxgen\<name>.gfx" and ".pal"
    uint32_t bytesPerPixel;
    uint32_t width;
    uint32_t height;
    uint8_t* pixels;   // tracked, purgeable: null until loaded (or after a purge)
    uint8_t* palette;  // 6-bit RGB triples
};

// 6-bit red, green, blue per entry: the picture's own colours, then ramps 0 and 1.
extern uint8_t GfxGenColourTable[GFXGEN_COLOURS][3];

void GfxGenInit();    // nothing loaded, the colour table black
void GfxGenUninit();  // frees what is loaded; safe without GfxGenInit and twice

// Loads the picture and its palette when they are not in memory and answers its row. A file
// without the "GFX0" mark, one shorter than its header says, or a palette shorter than 64 colours
// is the fatal abort "GfxGenLoadGraphic(): invalid graphic".
const GfxGenGraphic& GfxGenLoadGraphic(int32_t n);
// Ramp s (0 or 1) from black up to the 8-bit colour (r, g, b) reduced to 6 bits over its first 32
// entries, and from there to (47, 63, 58) over its last 32.
void GfxGen_SetColourRamp(int32_t s, int32_t r, int32_t g, int32_t b);
// The picture through the colour table at (x, y) of the menu work screen; its own colour 1, pure
// magenta, is left transparent.
void GfxGen_Draw(int32_t n, int32_t x, int32_t y);
