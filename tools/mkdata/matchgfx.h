// tools/mkdata/matchgfx.h: the generators of the match views' overlays: the in-game master
// palette, the six match fonts and the 35 match graphics.
#pragma once

#include <array>
#include <cstdint>

#include "tools/mkdata/fileset.h"

class MkCanvas;

// Master-palette entries that every picture of the match views may rely on.
constexpr uint8_t MP_TRANSPARENT = 0;
constexpr uint8_t MP_RED = 1;
constexpr uint8_t MP_LIGHT_YELLOW = 5;
constexpr uint8_t MP_YELLOW = 6;
constexpr uint8_t MP_CYAN = 15;
constexpr uint8_t MP_BLACK = 16;
constexpr uint8_t MP_GREY1 = 17;  // 17-19: the grey-to-white ramp of the "w" fonts
constexpr uint8_t MP_WHITE = 20;
constexpr uint8_t MP_YELLOW1 = 21;  // 21-23: the yellow ramp of the "y" fonts
constexpr uint8_t MP_PANEL1 = 24;   // 24-28: panel greys, darkest first
constexpr uint8_t MP_BALL_WHITE = 29;
constexpr uint8_t MP_PITCH1 = 30;  // 30-35: pitch greens, darkest first
constexpr uint8_t MP_GREEN = 36;
constexpr uint8_t MP_CARD_RED = 37;
constexpr uint8_t MP_CARD_YELLOW = 38;
constexpr uint8_t MP_BLUE_DARK = 39;
constexpr uint8_t MP_BLUE = 40;
constexpr uint8_t MP_BLUE_LIGHT = 41;
constexpr uint8_t MP_ORANGE = 42;
constexpr uint8_t MP_BROWN_DARK = 43;
constexpr uint8_t MP_BROWN = 44;
constexpr uint8_t MP_SKIN_DARK = 45;
constexpr uint8_t MP_SKIN = 46;
constexpr uint8_t MP_SKIN_LIGHT = 47;
constexpr uint8_t MP_MAGENTA = 232;
constexpr uint8_t MP_BLUE_KEY = 234;
constexpr uint8_t MP_LAST_WHITE = 255;

// 256 triplets of 6-bit red, green, blue: the fixed entries above, a neutral ramp elsewhere.
const std::array<uint8_t, 768>& MkMasterPalette();

// "PALETTES\ingame\master.pal".
void MkGenerateMasterPalette(MkFileSet* set);
// "MISCGFX\FONTS\fnt12w|fnt16w|fnt24w|fnt12y|fnt16y|fnt24y" (".gfx" and ".wid"): 256 glyph
// cells of 8-bit master-palette shades with a black shadow down and right.
void MkGenerateMatchFonts(MkFileSet* set);
// The match graphics' pictures the 3D device's icons share with the software view: a replay
// bar button (frames 0-9 plain, 10-19 highlighted), the pitch plan, a 10 x 14 digital digit
// (frames 0-9, 10 the colon).
void MkDrawReplayButton(MkCanvas& canvas, int32_t frame);
void MkDrawPitch(MkCanvas& canvas, int32_t width, int32_t height, int32_t margin);
void MkDrawDigitalGlyph(MkCanvas& canvas, int32_t frame);
// "MISCGFX\<name>.gfx" for the 35 match graphics, 8-bit master-palette indices, 0 transparent.
void MkGenerateMatchGraphics(MkFileSet* set);
