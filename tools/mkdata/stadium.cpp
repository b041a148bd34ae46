// tools/mkdata/stadium.cpp: the stadium palette piece, the line pattern and the grass tile. All
// made from fixed formulas and a fixed hash, so every build writes the same bytes.
#include "tools/mkdata/stadium.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "tools/mkdata/matchgfx.h"

namespace {

constexpr int32_t kPatternRows = 16;
constexpr int32_t kPatternRowBytes = 256;
constexpr int32_t kPatternBytes = kPatternRows * kPatternRowBytes;
constexpr int32_t kPatternSpareFrom = 3968;  // the game copies these 4 bytes past the last row
constexpr int32_t kGrassTile = 64;

struct Colour {
    int32_t r, g, b;  // 6-bit
};

// Each ramp from its first colour to its last, one entry per step.
struct Ramp {
    int32_t first, last;
    Colour from, to;
};

constexpr auto kRamps = std::to_array<Ramp>({
    {MK_GRASS_FIRST, MK_GRASS_LAST, {4, 17, 5}, {17, 41, 12}},
    {MK_LINE_FIRST, MK_LINE_LAST, {30, 40, 28}, {63, 63, 63}},
    {MK_SKY_FIRST, MK_SKY_LAST, {22, 36, 58}, {46, 52, 60}},
    {MK_STAND_FIRST, MK_STAD_LAST, {14, 14, 16}, {48, 48, 50}},
});

// A small integer hash: the same texture on every machine.
uint32_t Hash(uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

std::vector<uint8_t> StadiumPalette()
{
    std::vector<uint8_t> palette(768, 0);
    for (const Ramp& ramp : kRamps) {
        const int32_t steps = std::max(ramp.last - ramp.first, 1);
        for (int32_t e = ramp.first; e <= ramp.last; ++e) {
            const int32_t k = e - ramp.first;
            palette[e * 3] =
                static_cast<uint8_t>(ramp.from.r + (ramp.to.r - ramp.from.r) * k / steps);
            palette[e * 3 + 1] =
                static_cast<uint8_t>(ramp.from.g + (ramp.to.g - ramp.from.g) * k / steps);
            palette[e * 3 + 2] =
                static_cast<uint8_t>(ramp.from.b + (ramp.to.b - ramp.from.b) * k / steps);
        }
    }
    for (const int32_t kept : {MP_MAGENTA, MP_BLUE_KEY})
        std::copy_n(MkMasterPalette().begin() + kept * 3, 3, palette.begin() + kept * 3);
    return palette;
}

// Row 0 the fullest and brightest, row 15 the faintest: each row's texels scatter round a level
// that falls with the row.
std::vector<uint8_t> LinePattern()
{
    constexpr int32_t kLevels = MK_LINE_LAST - MK_LINE_FIRST + 1;
    std::vector<uint8_t> bytes(kPatternBytes + 4);
    for (int32_t row = 0; row < kPatternRows; ++row) {
        const float level = (kLevels - 1) * (1.0f - static_cast<float>(row) / (kPatternRows - 1));
        for (int32_t column = 0; column < kPatternRowBytes; ++column) {
            const float jitter =
                static_cast<float>(Hash(static_cast<uint32_t>(row * kPatternRowBytes + column))
                                   % 1000)
                / 1000.0f;
            const int32_t k =
                std::clamp(static_cast<int32_t>(level + jitter - 0.25f), 0, kLevels - 1);
            bytes[row * kPatternRowBytes + column] = static_cast<uint8_t>(MK_LINE_FIRST + k);
        }
    }
    std::copy_n(bytes.begin() + kPatternSpareFrom, 4, bytes.begin() + kPatternBytes);
    return bytes;
}

// Grass: fine blades over a faint wave, both periodic over the tile, so the tile repeats and
// mirrors without a seam.
std::vector<uint8_t> GrassTile()
{
    constexpr int32_t kShades = MK_GRASS_LAST - MK_GRASS_FIRST;  // 222 is kept for shadows
    std::vector<uint8_t> bytes = {kGrassTile, 0, kGrassTile, 0};
    const double turn = 2.0 * 3.14159265358979323846 / kGrassTile;
    for (int32_t v = 0; v < kGrassTile; ++v) {
        for (int32_t u = 0; u < kGrassTile; ++u) {
            const double wave = 0.06 * std::sin(turn * v) + 0.04 * std::cos(turn * (u + 2 * v));
            const double blade =
                static_cast<double>(Hash(static_cast<uint32_t>(v * kGrassTile + u)) % 1000)
                / 1000.0;
            const double level = 0.35 + wave + 0.3 * blade;
            const int32_t k = std::clamp(static_cast<int32_t>(level * kShades), 0, kShades - 1);
            bytes.push_back(static_cast<uint8_t>(MK_GRASS_FIRST + 1 + k));
        }
    }
    return bytes;
}

}  // namespace

void MkGenerateStadium(MkFileSet* set)
{
    MkAddFile(set, "PALETTES\\ingame\\stad.pal", StadiumPalette());
    MkAddFile(set, "VXDATA\\software\\misc\\textures\\line.gfx", LinePattern());
    MkAddFile(set, "VXDATA\\SOFTWARE\\MISC\\TEXTURES\\grass.gfx", GrassTile());
}
