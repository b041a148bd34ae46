// tools/mkdata/kittextures.h: the people's clothes and faces for the software 3D view: the kit
// palettes, the skin-and-hair palette and every kit, skin, face, number, boot and card texture.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/mkdata/fileset.h"

// What a texel is drawn in, before a writer turns it into one renderer's colours: nothing, a
// level (0 lightest .. 255 darkest) of one of the kit's four colour slots, of the officials'
// green, of a skin tone or a hair colour, or a fixed master-palette entry.
enum MkInkKind : uint8_t { INK_NONE, INK_KIT, INK_OFFICIAL, INK_SKIN, INK_HAIR, INK_FIXED };

struct MkInk {
    MkInkKind kind = INK_NONE;
    uint8_t which = 0;  // kit slot 0-3, skin code 0-3, hair colour 0-3, or the fixed entry
    uint8_t level = 0;
};

struct MkKitDrawing {
    int32_t size;  // square
    std::vector<MkInk> texels;
};

// The skin-and-hair palette's ramps, lightest first.
constexpr int32_t MK_SKIN_RAMPS_FIRST = 156;  // four skin tones, then four hair colours
constexpr int32_t MK_SKINHAIR_RAMP = 8;
constexpr int32_t MK_FACE_FIRST = 10;  // 10-14: eye white, iris, lips, brows, teeth
constexpr uint8_t MK_EYE_WHITE = 10;
constexpr uint8_t MK_IRIS = 11;
constexpr uint8_t MK_LIPS = 12;

// The skin-and-hair palette: 256 triplets of 6-bit levels.
const std::array<uint8_t, 768>& MkSkinHairPalette();
// The software texture entry an ink is written as.
uint8_t MkSoftwareEntry(const MkInk& ink);

// "PALETTES\kits\<colour>.pal" for the 40 kit colours and "PALETTES\ingame\skinhair.pal".
void MkGenerateKitPalettes(MkFileSet* set);
// Every texture under "vxdata\software\sskin\textures\".
void MkGenerateKitTextures(MkFileSet* set);
