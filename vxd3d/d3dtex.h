// vxd3d/d3dtex.h: the 3D-device view's textures from raw files under "vxdata\d3d\", held in a
// table of slots: plain 32-bit textures, and kit textures whose 8-bit pixels are coloured through
// per-side colour ramps built from the kits, optionally with a 32-bit overlay (a shirt number).
#pragma once

#include <cstdint>

struct KitDesign;

constexpr int32_t TEXD3D_SLOTS = 1295;    // 35 people x 37 kit parts
constexpr int32_t TEXD3D_SIDES = 3;       // 0 home, 1 away, 2 officials
constexpr int32_t TEXD3D_RAMP_SLOTS = 4;  // 0 shirt parts, 1 shorts, 2 shins, 3 goalkeeper
constexpr int32_t TEXD3D_RAMP_ENTRIES = 256;
constexpr int32_t TEXD3D_GROUP_ENTRIES = 32;         // entry 32 x group + shade (0 the full colour)
constexpr int32_t TEXD3D_HEAD_BYTES = 16;            // "GFX0", width at 4, height at 6 (u16)
constexpr int32_t TEXD3D_OFFICIAL_COLOUR = 0;        // the officials' groups 1-3
constexpr int32_t TEXD3D_OFFICIAL_TRIM_COLOUR = 12;  // and their group 4

void TexD3D_ResetTable();  // every slot free, without destroying anything
void TexD3D_FreeAll();     // destroys every used slot's texture and frees the slot
int32_t TexD3D_UsedSlots();
// The device texture of a used slot; a free slot or one outside the table is fatal.
int32_t TexD3D_GetTexture(int32_t slot);

// "vxdata\d3d\<name>" of 32-bit ARGB pixels (blue in the low byte) into the first free slot.
// Fatal: "TexD3D_CreateTexture(): too many textures created", "Error: TexD3D_CreateTexture():
// texture file size is wrong (was %d bytes, should be %d for %dx%d)\n" (also for a width or height
// of 0).
int32_t TexD3D_CreateTexture(const char* name);
// 8-bit ramp entries coloured through the ramp of (side, ramp slot); the texts name
// TexD3D_CreateTextureForTeam.
int32_t TexD3D_CreateTextureForTeam(const char* name, int32_t side, int32_t rampSlot);
// As above with a 32-bit overlay of the same size blended on top. Fatal: the wrong-size text of
// TexD3D_CreateTextureForTeamWithOverlay and "TexD3D_CreateTextureForTeamWithOverlay(): texture
// and overlay size mismatch".
int32_t TexD3D_CreateTextureForTeamWithOverlay(const char* name, int32_t side, int32_t rampSlot,
                                               const char* overlay);
// One pixel of an overlay (alpha 255 its own, 0 the base's, else the truncated mix with alpha 0).
uint32_t TexD3D_OverlayPixel(uint32_t base, uint32_t overlay);

// Twelve palettes of 256 ARGB words, zero until written: group 0 and entries past 159 stay
// black. Fatal for a side or ramp slot out of range, or ramps not allocated.
void TexD3D_AllocRamps();
void TexD3D_FreeRamps();  // safe twice
const uint32_t* TexD3D_GetRamp(int32_t side, int32_t rampSlot);
// Groups 1-4 of each ramp slot from the design's four colour groups of four.
void TexD3D_BuildTeamRamps(int32_t side, const KitDesign& kit);
void TexD3D_BuildOfficialRamps();  // side 2, ramp slots 0-2
// Shade s of the group runs from the kit colour (s = 0) to a sixteenth of it (s = 31); colour
// numbers outside 0-39 read as 39, as in every match view.
void TexD3D_WriteRamp(int32_t side, int32_t rampSlot, int32_t group, int32_t colour);
