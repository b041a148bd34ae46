// vx256/textures.h: the software view's palette-indexed textures, loaded whole from the archives
// into one numbered table, with the two pixel operations the kits need: moving a kit from the
// home colour band to the away band, and stamping an overlay (a shirt number) onto a texture.
#pragma once

#include <cstdint>

#include "vx256/softspan.h"

constexpr int32_t TEXT_MAX_TEXTURES = 10255;
constexpr int32_t TEXT_KIT_SLOTS = 1295;  // 35 persons x 37 parts: the kits are loaded first
constexpr int32_t TEXT_HOME_BAND_FIRST = 48;
constexpr int32_t TEXT_HOME_BAND_LAST = 91;
constexpr int32_t TEXT_BAND_DISTANCE = 44;  // from a home band entry to its away entry

// Loads "vxdata\software\<name>" into the lowest empty slot and returns the slot. A full table,
// and a file that is not 4 + width x height bytes with both sizes above 0, are fatal.
int32_t TEXT_CreateTexture(const char* name);
// The size of a loaded texture; a slot outside the table or an empty one is fatal.
void KIT_GetTextureSize(int32_t slot, int32_t* width, int32_t* height);
// The texture's block, header then pixels; the slot is not checked.
SoftTextureHeader* GetTexture(int32_t slot);
// Every pixel of "vxdata\software\<name>" other than 0 replaces the texture's; the overlay must
// have the texture's size.
void TEXT_ModifyTextureWithOverlay(int32_t slot, const char* name);
// For side 1 every home-band pixel (48-91) moves to the away band; other sides change nothing.
void TEXT_ShiftKitBand(int32_t slot, int16_t side);
void TEXT_ClearTable();       // empties every slot, freeing what a slot still holds
void TEXT_FreeKitTextures();  // frees the textures of slots 0 .. TEXT_KIT_SLOTS - 1
