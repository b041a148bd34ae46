// One match's kit textures laid out on the game screen under the palette composed from the
// master, the skin-and-hair palette and both sides' kit palettes: both kits, both keepers, the
// officials, backs numbered 7 and 10, four looks' faces, skins, boots and cards. The presented
// frame's hash is the golden value; the frame is written as a PNG when it differs.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/host/host.h"
#include "generated/build_paths.h"
#include "tests/support/gfx_run.h"
#include "tests/support/kit_match.h"
#include "tests/support/menu_run.h"
#include "viewservices/viewscreen.h"
#include "vx256/gamepal.h"
#include "vx256/kittextures.h"
#include "vx256/textures.h"

namespace {

constexpr int32_t W = 640;
constexpr int32_t H = 480;
constexpr int32_t M = GAMESCREEN_MARGIN;
constexpr int32_t kGap = 4;
constexpr uint64_t kSheetHash = 0x93676d863561bb74ull;

struct Cell {
    int32_t person;  // -1 starts a new row
    int32_t part;
};

std::vector<Cell> SheetCells()
{
    std::vector<Cell> cells;
    const auto row = [&](int32_t person, std::initializer_list<int32_t> parts) {
        for (const int32_t part : parts)
            cells.push_back({person, part});
        cells.push_back({-1, 0});
    };
    // Persons 6 and 25 wear 7 and 10.
    for (const int32_t person : {0, 16}) {
        row(person, {23, 21, 22, -24, 15, 16, 25, 20, 19, 17, 18, 14});
        row(person, {30, 28, 29, 31, 33, 26, 32, 27});
    }
    row(32, {23, 21, 24, 15, 16, 20, 19, 14, 5, 6, 7});
    // Four looks' faces and necks over two rows, then skins, boots and cards.
    for (const int32_t person : {0, 1, 2, 16}) {
        for (const int32_t part : {8, 9, 10, 11, 12, 13})
            cells.push_back({person, part});
        if (person == 2) cells.push_back({-1, 0});
    }
    for (const int32_t part : {5, 6, 7, 0, 1, 2, 3, 4})
        cells.push_back({2, part});
    return cells;
}

void Blit(const SoftTextureHeader* texture, int32_t x, int32_t y)
{
    const GameScreenRecord screen = GetGameScreen();
    const auto* pixels = reinterpret_cast<const uint8_t*>(texture) + 4;
    for (int32_t row = 0; row < texture->height; ++row)
        std::copy_n(pixels + row * texture->width, texture->width,
                    screen.pixels + (M + y + row) * screen.pitch + M + x);
}

TEST(KitSheet, OneMatchsTexturesUnderTheComposedPaletteMatchTheirGoldenHash)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    ViewScreen_Init();
    KitTextures_Init();
    KitMatch_SetUpBlock();
    // Red, white, blue and black at home; yellow, green, blue and black away.
    KitDesign away = KitMatch_Design(56, 56, 4, 4, 5, 3);
    for (auto& group : away.colours) {
        group[0] = 36;
        group[1] = 17;
        group[2] = 6;
        group[3] = 3;
    }
    away.colours[1][0] = 3;
    KitMatch_SetKits(KitMatch_Design(1, 1, 1, 1, 1, 1), away);
    GamePalette_LoadPiece("PALETTES\\ingame\\master", 0, 255, 0);
    GamePalette_LoadPiece("PALETTES\\ingame\\skinhair", 10, 14, 10);
    GamePalette_LoadPiece("PALETTES\\ingame\\skinhair", 156, 221, 156);
    SetupKitPalettes();
    SetPalette(GamePalette);
    TEXT_ClearTable();
    KIT_ClearTextureTable();
    NORMTEXT_ClearCache();
    KITPLR_LoadAllTextures();

    GameScreen_Create(W, H);
    const GameScreenRecord screen = GetGameScreen();
    for (int32_t y = 0; y < screen.height; ++y)
        std::fill_n(screen.pixels + y * screen.pitch, screen.width, uint8_t{28});
    int32_t x = kGap, y = kGap, rowHeight = 0;
    for (const Cell& cell : SheetCells()) {
        if (cell.person == -1) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
            continue;
        }
        // A negative part is the numbered back of the side's shirts 7 and 10.
        const bool back = cell.part < 0;
        const int32_t first = back ? cell.person + 6 : cell.person;
        for (const int32_t person :
             back ? std::vector<int32_t>{first, first + 3} : std::vector<int32_t>{first}) {
            const SoftTextureHeader* texture = KIT_GetPersonTexture(person, back ? 24 : cell.part);
            ASSERT_LE(x + texture->width, W);
            ASSERT_LE(y + texture->height, H);
            Blit(texture, x, y);
            x += texture->width + kGap;
            rowHeight = std::max<int32_t>(rowHeight, texture->height);
        }
    }

    ShowDBuffer(0, 0, GameScreen_Buffer(), M, M, W, H);
    PresentNow();
    const uint64_t hash = HostFrameHash();
    const std::string path = PELLORAN_BUILD_DIR "/kit_sheet.png";
    if (hash != kSheetHash || std::getenv("PELLORAN_WRITE_FRAMES")) HostWriteFramePng(path.c_str());
    EXPECT_EQ(hash, kSheetHash) << "0x" << std::hex << hash << ", written to " << path;

    TEXT_FreeKitTextures();
    KitTextures_Uninit();
    ViewScreen_Uninit();
}

}  // namespace
