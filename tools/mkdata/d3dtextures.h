// tools/mkdata/d3dtextures.h: the 3D-device view's raw textures under "vxdata\d3d\": the
// stadiums by day and night with their crowds and boards, the pitch, goal, flag, ball and ground
// mark, and the device's encoding of the people's kit drawings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdata/fileset.h"
#include "tools/mkdata/kittextures.h"

constexpr const char* MK_DEVICE_ROOT = "vxdata\\d3d\\";

class MkCanvas;

// Appends ARGB words (blue in the low byte) little-endian.
void MkPutArgb(std::vector<uint8_t>* bytes, const std::vector<uint32_t>& pixels);
// A canvas's pixels as ARGB words, its coverage as alpha.
std::vector<uint32_t> MkArgbOf(const MkCanvas& canvas);

// "vxdata\d3d\<name>" of one kit drawing: team parts as 8-bit ramp entries 32 x group + shade
// (group = kit slot + 1, the officials' ink group 1, fixed inks 0), everything else as 32-bit
// colours with alpha (transparent where nothing is drawn).
void MkAddDeviceKitTexture(MkFileSet* set, const std::string& name, const MkKitDrawing& drawing,
                           bool team);
// The ramp entry a team ink is written as.
uint8_t MkDeviceRampEntry(const MkInk& ink);

// The model textures: "stadium\textures\<stad2d|stad2n|bigstadd|bigstadn>\..." with
// "crowd<n>\<fill>.gfx" and "FRE\main<n>.gfx", "stadium\textures\pitchd|pitchn\...",
// "stadium\textures\goal\...", "stadium\textures\pole|flag.gfx", "simple\textures\ball|skid.gfx".
void MkGenerateDeviceTextures(MkFileSet* set);
// "vxdata\d3d\icons\<set>.gfx" for the fifteen HUD icon sets and ".wid" for the three fonts; a
// build whose sets would need more than the graphics manager's pages fails.
void MkGenerateHudIcons(MkFileSet* set);
