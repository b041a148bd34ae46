// vx256/gamepal.h: the software view's in-game palette, composed from pieces of palette files:
// the master palette, the skin-and-hair palette, one palette per kit colour for each side's kit
// bands and the officials' band.
#pragma once

#include <cstdint>

#include "engine/gfx.h"

constexpr uint8_t GAMEPAL_SHADOW_COLOUR = 222;  // the people's shadow: a dark grass green
constexpr int32_t GAMEPAL_OFFICIALS_COLOUR = 19;

// 256 entries of 6-bit red, green, blue.
extern uint8_t GamePalette[GFX_PALETTE_BYTES];

// Copies entries fileEntry .. fileEntry + (last - first) of "<name>.pal" into entries first..last.
// A range outside 0-255 and a file that is not 768 bytes are fatal.
void GamePalette_LoadPiece(const char* name, int32_t first, int32_t last, int32_t fileEntry);
// The same from "PALETTES\kits\<colour name>.pal"; colours outside 0-39 read as 39.
void LoadKitPalette(int32_t colour, int32_t first, int32_t last, int32_t fileEntry);
// Both sides' four kit colours (from the match-day block) and the officials' green into their
// bands: home 48-91 and 152-153, away 92-135 and 154-155, officials 136-151.
void SetupKitPalettes();
