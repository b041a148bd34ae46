// tools/mkdata/stadium.h: the software 3D view's ground and surroundings: the stadium palette
// piece, the line pattern of the pitch markings, the grass tile, the horizon and the stands.
#pragma once

#include <cstdint>

#include "tools/mkdata/fileset.h"

// Entries of "PALETTES\ingame\stad.pal" (222-254; 232 and 234 stay the master's).
constexpr int32_t MK_STAD_FIRST = 222;
constexpr int32_t MK_GRASS_FIRST = 222;  // 222 darkest (the people's shadow) .. 231 lightest
constexpr int32_t MK_GRASS_LAST = 231;
constexpr int32_t MK_LINE_FIRST = 235;  // 235 faintest .. 242 brightest white
constexpr int32_t MK_LINE_LAST = 242;
constexpr int32_t MK_SKY_FIRST = 243;  // 243 the sky's fill .. 248 near the horizon
constexpr int32_t MK_SKY_LAST = 248;
constexpr int32_t MK_STAND_FIRST = 249;  // 249-254: concrete and roof greys, darkest first
constexpr int32_t MK_STAD_LAST = 254;

// "PALETTES\ingame\stad.pal", "VXDATA\software\misc\textures\line.gfx",
// "VXDATA\SOFTWARE\MISC\TEXTURES\grass.gfx", the horizon and the two stadiums with their
// textures under "vxdata\software\stadium\".
void MkGenerateStadium(MkFileSet* set);
