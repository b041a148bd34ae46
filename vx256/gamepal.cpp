// vx256/gamepal.cpp: the in-game palette and its kit bands.
#include "vx256/gamepal.h"

#include <array>
#include <string>

#include "engine/fatal.h"
#include "engine/pakfile.h"
#include "game/kitcolours.h"
#include "game/matchblocks.h"

uint8_t GamePalette[GFX_PALETTE_BYTES];

namespace {

struct KitBand {
    uint8_t colourSlot;  // of the side's four kit colours
    uint8_t first;
    uint8_t last;
    uint8_t fileEntry;
};

// The home side's bands; the away side's lie TEXT_BAND_DISTANCE higher, save the last row's
// copy of the fourth colour, which sits just after the home one.
constexpr auto kHomeBands = std::to_array<KitBand>({
    {0, 48, 58, 48},
    {1, 60, 71, 60},
    {2, 72, 80, 72},
    {3, 81, 91, 81},
});
constexpr int32_t kAwayShift = 44;
constexpr int32_t kSpareFourthFirst = 152;  // two entries per side; no texture uses them
constexpr int32_t kOfficialsFirst = 136;
constexpr int32_t kOfficialsRamp = 8;

// A side's four kit colours: group 0 entries 0-2, then group 1 entry 0.
std::array<int32_t, 4> SideColours(const MatchSide& side)
{
    const KitDesign kit = MatchSide_GetKit(side);
    return {KitColour_Clamp(kit.colours[0][0]), KitColour_Clamp(kit.colours[0][1]),
            KitColour_Clamp(kit.colours[0][2]), KitColour_Clamp(kit.colours[1][0])};
}

}  // namespace

void GamePalette_LoadPiece(const char* name, int32_t first, int32_t last, int32_t fileEntry)
{
    const int32_t count = last - first + 1;
    if (first < 0 || count <= 0 || last > 255 || fileEntry < 0 || fileEntry + count > 256)
        FatalError("GamePalette_LoadPiece(): bad range %d-%d from %d of '%s'", first, last,
                   fileEntry, name);
    const std::string path = name + std::string(".pal");
    const int32_t handle = PakOpenFile(path.c_str());
    const int32_t length = PakFileLength(handle);
    const int32_t read = length == GFX_PALETTE_BYTES ? PakReadFile(GamePalette + first * 3,
                                                                   fileEntry * 3, count * 3, handle)
                                                     : 0;
    PakCloseFile(handle);
    if (read != count * 3)
        FatalError("GamePalette_LoadPiece(): '%s' holds %d bytes", path.c_str(), length);
}

void LoadKitPalette(int32_t colour, int32_t first, int32_t last, int32_t fileEntry)
{
    const std::string name =
        "PALETTES\\kits\\" + std::string(KIT_GetColourName(KitColour_Clamp(colour)));
    GamePalette_LoadPiece(name.c_str(), first, last, fileEntry);
}

void SetupKitPalettes()
{
    const MatchDayBlock& block = *GetMatchSidesBlock();
    for (int32_t side = 0; side < MATCH_SIDE_COUNT; ++side) {
        const auto colours = SideColours(block.sides[side]);
        const int32_t shift = side * kAwayShift;
        for (const KitBand& band : kHomeBands)
            LoadKitPalette(colours[band.colourSlot], band.first + shift, band.last + shift,
                           band.fileEntry);
        const int32_t spare = kSpareFourthFirst + side * 2;
        LoadKitPalette(colours[3], spare, spare + 1, kSpareFourthFirst);
    }
    for (int32_t copy = 0; copy < 2; ++copy) {
        const int32_t first = kOfficialsFirst + copy * kOfficialsRamp;
        LoadKitPalette(GAMEPAL_OFFICIALS_COLOUR, first, first + kOfficialsRamp - 1, 48);
    }
}
