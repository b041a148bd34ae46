// tools/mkdata/palettes.cpp: one palette per kit colour, each holding the colour's ramps where
// the in-game palette's kit bands read them, and the skin-and-hair palette.
#include <algorithm>
#include <array>
#include <string>

#include "game/kitcolours.h"
#include "tools/mkdata/kittextures.h"
#include "tools/mkdata/matchgfx.h"

namespace {

struct Ramp {
    int32_t first;
    int32_t last;
};

// The ranges the kit bands copy, each lightest first; 152-153 is the spare copy of the fourth.
constexpr auto kKitRamps =
    std::to_array<Ramp>({{48, 58}, {60, 71}, {72, 80}, {81, 91}, {152, 153}});
constexpr float kLightest = 1.3f;
constexpr float kDarkest = 0.45f;

using Palette = std::array<uint8_t, 768>;

void Put(Palette* palette, int32_t entry, float r, float g, float b)
{
    // 8-bit levels in, 6-bit out.
    const auto six = [](float v) {
        return static_cast<uint8_t>(std::clamp(v, 0.0f, 255.0f) / 255.0f * 63.0f + 0.5f);
    };
    (*palette)[entry * 3] = six(r);
    (*palette)[entry * 3 + 1] = six(g);
    (*palette)[entry * 3 + 2] = six(b);
}

void PutRamp(Palette* palette, Ramp ramp, float r, float g, float b)
{
    const int32_t steps = ramp.last - ramp.first;
    for (int32_t e = ramp.first; e <= ramp.last; ++e) {
        const float t = static_cast<float>(e - ramp.first) / static_cast<float>(steps);
        const float factor = kLightest + (kDarkest - kLightest) * t;
        Put(palette, e, r * factor, g * factor, b * factor);
    }
}

// 8-bit RGB of the four skin tones (Latin, Dafrican, WestInd, White) and the four hair colours
// (black, blonde, brown, ginger).
constexpr std::array<std::array<float, 3>, 4> kSkins = {
    {{196, 148, 108}, {104, 66, 44}, {146, 98, 64}, {236, 190, 160}}};
constexpr std::array<std::array<float, 3>, 4> kHair = {
    {{40, 34, 30}, {226, 196, 110}, {118, 74, 38}, {196, 92, 40}}};

struct FaceColour {
    uint8_t entry;
    float r, g, b;
};
constexpr auto kFaceColours = std::to_array<FaceColour>({{MK_EYE_WHITE, 236, 236, 228},
                                                         {MK_IRIS, 52, 70, 96},
                                                         {MK_LIPS, 150, 70, 62},
                                                         {13, 60, 44, 34},
                                                         {14, 248, 244, 236}});

}  // namespace

void MkGenerateKitPalettes(MkFileSet* set)
{
    for (int32_t colour = 0; colour < KIT_COLOUR_COUNT; ++colour) {
        Palette palette{};
        const KitColour& c = KitColourTable[colour];
        for (const Ramp& ramp : kKitRamps)
            PutRamp(&palette, ramp, c.r, c.g, c.b);
        MkAddFile(set, std::string("PALETTES\\kits\\") + KitColourNames[colour] + ".pal",
                  std::vector<uint8_t>(palette.begin(), palette.end()));
    }
    const Palette& skinhair = MkSkinHairPalette();
    MkAddFile(set, "PALETTES\\ingame\\skinhair.pal",
              std::vector<uint8_t>(skinhair.begin(), skinhair.end()));
}

const std::array<uint8_t, 768>& MkSkinHairPalette()
{
    static const Palette skinhair = [] {
        Palette palette{};
        for (int32_t k = 0; k < 4; ++k) {
            const int32_t skinFirst = MK_SKIN_RAMPS_FIRST + k * MK_SKINHAIR_RAMP;
            const int32_t hairFirst = MK_SKIN_RAMPS_FIRST + (4 + k) * MK_SKINHAIR_RAMP;
            PutRamp(&palette, {skinFirst, skinFirst + MK_SKINHAIR_RAMP - 1}, kSkins[k][0],
                    kSkins[k][1], kSkins[k][2]);
            PutRamp(&palette, {hairFirst, hairFirst + MK_SKINHAIR_RAMP - 1}, kHair[k][0],
                    kHair[k][1], kHair[k][2]);
        }
        for (const FaceColour& f : kFaceColours)
            Put(&palette, f.entry, f.r, f.g, f.b);
        // The master's cyan stays where the match graphics expect it.
        std::copy_n(MkMasterPalette().begin() + MP_CYAN * 3, 3, palette.begin() + MP_CYAN * 3);
        return palette;
    }();
    return skinhair;
}
