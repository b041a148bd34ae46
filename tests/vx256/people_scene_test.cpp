// The people as the software view draws them: posed from their clips in their kits through the
// display list and a touchline camera on a plain ground, with both kinds of shadow and four name
// labels. The presented frames' hashes are the golden values; a frame is written as a PNG when it
// differs.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/host/host.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "generated/build_paths.h"
#include "generic/kittextures.h"
#include "generic/matchkeys.h"
#include "generic/motioncap.h"
#include "generic/viewscreen.h"
#include "tests/support/gfx_run.h"
#include "tests/support/kit_match.h"
#include "tests/support/menu_run.h"
#include "tests/support/object_scene.h"
#include "vx256/gamepal.h"
#include "vx256/objects.h"
#include "vx256/playermodel.h"
#include "vx256/polyman.h"
#include "vx256/softspan.h"
#include "vx256/textures.h"

namespace {

// Model detail 0 (flat shadows) and 2 (skeleton shadows).
constexpr uint64_t kSceneHashes[2] = {0x0de2558141642bdcull, 0x99ab146c42222c90ull};
constexpr uint8_t kGrass = GAMEPAL_SHADOW_COLOUR + 1;

int16_t Clip(const char* name)
{
    const auto found = std::find_if(MotionClipNames.begin(), MotionClipNames.end(),
                                    [&](const char* n) { return std::strcmp(n, name) == 0; });
    EXPECT_NE(found, MotionClipNames.end()) << name;
    return static_cast<int16_t>(found - MotionClipNames.begin());
}

// Everyone off the pitch but a home and an away player running, the home keeper diving, a
// player heading and the referee showing a red card; two more players farther off at a lower
// level of detail.
void PlacePeople()
{
    for (int32_t o = 0; o < OBJECT_PEOPLE; ++o)
        RenderList[o] = {0, 0, 0, MOTION_ABSENT, 0, 0, 0};
    for (int32_t side = 0; side < 2; ++side)
        for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot)
            LineUp[side][slot] = static_cast<int16_t>(side * MATCH_PERSONS_PER_SIDE + slot);
    RenderList[3] = {1250, 0, 1050, Clip("TZM021"), 5, 64, 0};
    RenderList[20] = {1265, 0, 1075, Clip("TZM021"), 14, 200, 20};
    RenderList[0] = {1230, 0, 1110, Clip("TZM145"), 35, 128, 0};
    RenderList[7] = {1280, 9, 1040, Clip("TZM047"), 30, 160, 0};
    RenderList[32] = {1245, 0, 1125, Clip("TZM072"), 30, 96, 0};
    MatchPersons[32].action = 9;
    RenderList[9] = {900, 0, 1000, Clip("TZM023"), 3, 80, 0};
    RenderList[25] = {700, 0, 1180, Clip("TZM001"), 0, 192, 0};
    RenderList[OBJECT_BALL] = {1272, 30, 1040, 0, 0, 0, 0};
    Match.followedObject = 3;
}

// Every entry gets a name; four of them are players in the scene.
void NamePlayers()
{
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t e = 0; e < MATCH_PERSONS_PER_SIDE; ++e) {
            MatchPlayerEntry& entry = GetMatchSidesBlock()->sides[side].entries[e];
            std::snprintf(entry.name, sizeof entry.name, "%c. Joueur %d", 'A' + side, e);
        }
    }
    std::snprintf(GetMatchSidesBlock()->sides[0].entries[3].name, sizeof(MatchPlayerEntry::name),
                  "Y. Morvan");
    std::snprintf(GetMatchSidesBlock()->sides[1].entries[4].name, sizeof(MatchPlayerEntry::name),
                  "L. Tanguy");
}

TEST(PeopleScene, PosedPeopleShadowsAndLabelsMatchTheirGoldenHashes)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    KitMatch_SetUpBlock();
    NamePlayers();
    TEXT_ClearTable();
    KIT_ClearTextureTable();
    NORMTEXT_ClearCache();
    KITPLR_LoadAllTextures();
    LoadMotionCaptures();
    LoadPlayerModels();
    ViewScreen_Init();
    SoftSpan_Init();
    PlacePeople();
    ObjectScene_Begin();
    InitPlayerNamesA();
    // The in-game palette as the view composes it, the grass and its shadow green.
    GamePalette_LoadPiece("PALETTES\\ingame\\master", 0, 255, 0);
    GamePalette_LoadPiece("PALETTES\\ingame\\skinhair", 10, 14, 10);
    GamePalette_LoadPiece("PALETTES\\ingame\\skinhair", 156, 221, 156);
    SetupKitPalettes();
    const uint8_t greens[2][3] = {{5, 18, 6}, {12, 34, 13}};
    std::memcpy(GamePalette + 3 * GAMEPAL_SHADOW_COLOUR, greens[0], 3);
    std::memcpy(GamePalette + 3 * kGrass, greens[1], 3);
    SetPalette(GamePalette);
    SetViewCamera(1445, 1082, 60, std::atan2(180.0f, 0.0f), std::atan2(-180.0f, -40.0f), 1.1f);
    SoftObjectDrawers.person = DrawPlayerModel;
    SoftObjectDrawers.flatShadow = DrawFlatShadow;
    SoftObjectDrawers.skeletonShadow = DrawSkeletonShadow;
    SoftObjectDrawers.nameLabel = DrawNameLabel;
    ViewFlags.showNames = 1;

    for (int32_t k = 0; k < 2; ++k) {
        ViewFlags.modelDetail = 2 * k;
        const GameScreenRecord screen = GetGameScreen();
        std::fill(screen.pixels, screen.pixels + screen.pitch * screen.height, kGrass);
        ObjectDisplay(ObjectTypes3D);
        ObjectDisplay_DrawNameLabels();
        ShowDBuffer(0, 0, GameScreen_Buffer(), GAMESCREEN_MARGIN, GAMESCREEN_MARGIN, 640, 480);
        PresentNow();
        const uint64_t hash = HostFrameHash();
        const std::string path =
            PELLORAN_BUILD_DIR "/people_scene_detail" + std::to_string(2 * k) + ".png";
        if (hash != kSceneHashes[k] || std::getenv("PELLORAN_WRITE_FRAMES"))
            HostWriteFramePng(path.c_str());
        EXPECT_EQ(hash, kSceneHashes[k]) << "0x" << std::hex << hash << ", written to " << path;
    }
    ViewFlags.modelDetail = 0;
    ViewFlags.showNames = 0;
    FreePlayerNames();
    ObjectScene_End();
    SoftSpan_Uninit();
    ViewScreen_Uninit();
    FreePlayerModels();
    FreeMotionCaptures();
    TEXT_FreeKitTextures();
}

}  // namespace
