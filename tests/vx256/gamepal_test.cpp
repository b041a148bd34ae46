// The in-game palette's kit bands, composed from the generated palette files over the master.
#include "vx256/gamepal.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "game/kitcolours.h"
#include "game/matchblocks.h"
#include "tests/support/kit_match.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

class ScopedPalettes {
public:
    ScopedPalettes()
    {
        ResetCoreForTest();
        MemoryInit();
        PakFileInit();
        DataFolderInit(ScopedMenus::GeneratedDataFolder().c_str());
        PakMount("pakfiles\\hdcommon");
        KitMatch_SetUpBlock();
        GamePalette_LoadPiece("PALETTES\\ingame\\master", 0, 255, 0);
    }
    ~ScopedPalettes()
    {
        PakFileUninit();
        MemoryUninit();
        ResetCoreForTest();
    }
};

std::vector<uint8_t> File(const std::string& name)
{
    void* block = nullptr;
    const int32_t bytes = PakLoadFile(name.c_str(), &block);
    std::vector<uint8_t> copy(static_cast<uint8_t*>(block), static_cast<uint8_t*>(block) + bytes);
    FreeMemory(&block);
    return copy;
}

std::vector<uint8_t> Kit(int32_t colour)
{
    return File(std::string("PALETTES\\kits\\") + KitColourNames[colour] + ".pal");
}

// Entries first..last of the in-game palette against entries from.. of a file.
void ExpectEntries(int32_t first, int32_t last, const std::vector<uint8_t>& file, int32_t from)
{
    ASSERT_EQ(file.size(), 768u);
    for (int32_t e = first; e <= last; ++e) {
        for (int32_t c = 0; c < 3; ++c)
            ASSERT_EQ(GamePalette[e * 3 + c], file[(from + e - first) * 3 + c]) << "entry " << e;
    }
}

KitDesign Coloured(int16_t first, int16_t second, int16_t third, int16_t fourth)
{
    KitDesign kit = KitMatch_Design(0, 0, 0, 0, 0, 0);
    kit.colours[0][0] = first;
    kit.colours[0][1] = second;
    kit.colours[0][2] = third;
    kit.colours[1][0] = fourth;
    kit.colours[0][3] = 0;  // not one of the four
    return kit;
}

TEST(KitPalettes, EachSidesFourColoursFillTheirBandsAndTheRestStays)
{
    ScopedPalettes palettes;
    KitMatch_SetKits(Coloured(28, 32, 4, 0), Coloured(36, 17, -1, 13));
    SetupKitPalettes();
    const std::vector<uint8_t> master = File("PALETTES\\ingame\\master.pal");
    struct Band {
        int32_t first, last, colour, from;
    };
    const std::vector<Band> bands = {
        {48, 58, 28, 48},   {60, 71, 32, 60},    {72, 80, 4, 72},    {81, 91, 0, 81},
        {152, 153, 0, 152}, {92, 102, 36, 48},   {104, 115, 17, 60}, {116, 124, 39, 72},
        {125, 135, 13, 81}, {154, 155, 13, 152}, {136, 143, 19, 48}, {144, 151, 19, 48},
    };
    for (const Band& band : bands)
        ExpectEntries(band.first, band.last, Kit(band.colour), band.from);
    ExpectEntries(0, 47, master, 0);
    ExpectEntries(59, 59, master, 59);
    ExpectEntries(103, 103, master, 103);
    ExpectEntries(156, 255, master, 156);
    // The ramps run from light to dark.
    EXPECT_GT(GamePalette[48 * 3], GamePalette[58 * 3]);
}

TEST(KitPalettes, SidesOfTheSameColoursGetTheSameBandsAndOfficialsStayGreen)
{
    ScopedPalettes palettes;
    KitMatch_SetKits(Coloured(19, 19, 19, 19), Coloured(19, 19, 19, 19));
    SetupKitPalettes();
    // 59 and 103 are the master's, the rest of the bands equal.
    EXPECT_EQ(std::memcmp(GamePalette + 48 * 3, GamePalette + 92 * 3, 11 * 3), 0);
    EXPECT_EQ(std::memcmp(GamePalette + 60 * 3, GamePalette + 104 * 3, 32 * 3), 0);
    EXPECT_EQ(std::memcmp(GamePalette + 152 * 3, GamePalette + 154 * 3, 2 * 3), 0);
    std::array<uint8_t, 16 * 3> officials;
    std::memcpy(officials.data(), GamePalette + 136 * 3, officials.size());
    KitMatch_SetKits(Coloured(static_cast<int16_t>(65535), 2, 3, 4), Coloured(5, 6, 7, 8));
    SetupKitPalettes();
    EXPECT_EQ(std::memcmp(officials.data(), GamePalette + 136 * 3, officials.size()), 0);
    ExpectEntries(48, 58, Kit(39), 48);  // a cleared block's 65535 reads as colour 39
}

TEST(KitPalettesDeathTest, ABadRangeOrPaletteIsFatal)
{
    EXPECT_FATAL(
        {
            ScopedPalettes palettes;
            GamePalette_LoadPiece("PALETTES\\ingame\\master", 250, 260, 0);
        },
        "GamePalette_LoadPiece(): bad range 250-260 from 0 of 'PALETTES\\ingame\\master'");
    EXPECT_FATAL(
        {
            ScopedPalettes palettes;
            GamePalette_LoadPiece("PALETTES\\ingame\\master", 0, 9, 250);
        },
        "GamePalette_LoadPiece(): bad range 0-9 from 250 of 'PALETTES\\ingame\\master'");
}

}  // namespace
