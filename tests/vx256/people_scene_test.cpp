// The people as the software view draws them: posed from their clips in their kits through the
// display list and a touchline camera on a plain ground, with both kinds of shadow and four name
// labels. The presented frames' hashes are the golden values; a frame is written as a PNG when it
// differs.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/host/host.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "generated/build_paths.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/softhud.h"
#include "menus/menupc.h"
#include "tests/support/gfx_run.h"
#include "tests/support/menu_run.h"
#include "tests/support/object_scene.h"
#include "tests/support/people_view.h"
#include "tools/mkdata/motions.h"
#include "viewservices/motioncap.h"
#include "viewservices/viewscreen.h"
#include "vx256/gamepal.h"
#include "vx256/objects.h"
#include "vx256/playermodel.h"
#include "vx256/polyman.h"

namespace {

// Model detail 0 (flat shadows) and 2 (skeleton shadows).
constexpr uint64_t kSceneHashes[2] = {0xa61668b5ed9e39c0ull, 0x1e59f5abf8c484a0ull};
constexpr uint8_t kGrass = GAMEPAL_SHADOW_COLOUR + 1;
constexpr uint64_t kKeyFramesHash = 0x0adb0b917f757cd8ull;
constexpr uint64_t kFlatPeopleHash = 0x4a42720d82b6d982ull;
constexpr uint16_t kFlatGrass = 0x2C65;
// Shirt, shorts and socks of the home side, the away side and the officials, 5:6:5.
constexpr uint16_t kFlatColours[3][3] = {
    {0xF800, 0xFFFF, 0xF800}, {0x001F, 0x07E0, 0xFFFF}, {0x0000, 0x0000, 0x8410}};

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
    RenderList[7] = {1280, 9, 1040, Clip("TZM090"), 49, 160, 0};
    RenderList[32] = {1245, 0, 1125, Clip("TZM066"), 30, 96, 0};
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
            const std::string name =
                std::string(1, static_cast<char>('A' + side)) + ". Joueur " + std::to_string(e);
            std::snprintf(entry.name, sizeof entry.name, "%s", name.c_str());
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
    ScopedPeopleView view;
    NamePlayers();
    PlacePeople();
    InitPlayerNamesA();
    PeopleView_UseInGamePalette(kGrass);
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
}

// One key frame of every template, a level-0 player each, seen from far off through a long lens
// so that the rows stand alike: the contact sheet a person checks the clips' poses by.
TEST(PeopleScene, AKeyFrameOfEveryTemplateMatchesItsGoldenHash)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    ScopedPeopleView view;
    PeopleView_UseInGamePalette(kGrass);
    const GameScreenRecord screen = GetGameScreen();
    std::fill(screen.pixels, screen.pixels + screen.pitch * screen.height, kGrass);

    // The first clip of each template, at its key frame (a loop at its first).
    std::vector<std::pair<int32_t, int32_t>> sheet;
    std::vector<std::string> templates;
    const std::vector<MkMotionRow> rows = MkMotionRows();
    for (int32_t clip = 0; clip < MOTION_CLIP_COUNT; ++clip) {
        const MkMotionRow& row = rows[clip];
        if (row.mirrorOf >= 0
            || std::find(templates.begin(), templates.end(), row.templateName) != templates.end())
            continue;
        templates.push_back(row.templateName);
        sheet.emplace_back(clip, std::max(row.keyFrame, 0));
    }
    ASSERT_GE(sheet.size(), 40u);
    constexpr int32_t kColumns = 9;
    const auto rowsOfSheet = static_cast<int32_t>((sheet.size() + kColumns - 1) / kColumns);
    // Rows run away from the camera, nearest last so that they are drawn over the farther ones.
    SetViewCamera(4000, 1082, 1700, std::atan2(2980.0f, 0.0f), std::atan2(-2980.0f, -1700.0f),
                  12.5f);
    for (int32_t k = static_cast<int32_t>(sheet.size()) - 1; k >= 0; --k) {
        const int32_t row = k / kColumns, column = k % kColumns;
        RenderList[3] = {900.0f + 60.0f * static_cast<float>(rowsOfSheet - 1 - row),
                         0,
                         1082.0f + 36.0f * static_cast<float>(column - kColumns / 2),
                         static_cast<int16_t>(sheet[k].first),
                         static_cast<int16_t>(sheet[k].second),
                         32,
                         0};
        DrawPlayerModel(3, 0, 0, sheet[k].first);
    }
    ShowDBuffer(0, 0, GameScreen_Buffer(), GAMESCREEN_MARGIN, GAMESCREEN_MARGIN, 640, 480);
    PresentNow();
    const uint64_t hash = HostFrameHash();
    const std::string path = PELLORAN_BUILD_DIR "/people_key_frames.png";
    if (hash != kKeyFramesHash || std::getenv("PELLORAN_WRITE_FRAMES"))
        HostWriteFramePng(path.c_str());
    EXPECT_EQ(hash, kKeyFramesHash) << "0x" << std::hex << hash << ", written to " << path;
}

// The 2D view's flat people of both sides and the three officials, each side in its three test
// colours, seen from above as that view sees the pitch.
TEST(PeopleScene, FlatPeopleOfBothSidesMatchTheirGoldenHash)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    LoadMotionCaptures();
    LoadPlayerModels();
    SetViewSize(640, 480);
    SetViewProjectionFactors();
    SetViewCamera(1000, 1075, 260, std::atan2(0.0f, 1.0f), std::atan2(-20.0f, -260.0f), 1.0f);
    FlatPersonColours = {[](int32_t side) { return kFlatColours[side][0]; },
                         [](int32_t side) { return kFlatColours[side][1]; },
                         [](int32_t side) { return kFlatColours[side][2]; }};
    SetDrawAttribute(2, kFlatGrass);
    DrawHLine(0, 0, MenuScreen.width, MenuScreen.height);
    const struct {
        int32_t object;
        int32_t kind;
        float x, y;
        const char* clip;
        int16_t frame, facing;
    } people[] = {{0, 1, 900, 1000, "TZM145", 35, 64},    {3, 0, 960, 1040, "TZM021", 4, 0},
                  {5, 0, 1000, 1100, "TZM027", 8, 32},    {16, 1, 1100, 1150, "TZM001", 0, 192},
                  {20, 0, 1040, 1070, "TZM021", 12, 128}, {22, 0, 1060, 1000, "TZM090", 49, 160},
                  {32, 2, 1000, 1020, "TZM066", 30, 96}};
    for (const auto& p : people) {
        RenderList[p.object] = {p.x, 0, p.y, Clip(p.clip), p.frame, p.facing, 0};
        DrawFlatPlayerModel(p.object, p.kind);
    }
    uint64_t hash = 1469598103934665603ull;
    std::vector<uint8_t> rgb;
    for (int32_t y = 0; y < MenuScreen.height; ++y) {
        for (int32_t x = 0; x < MenuScreen.width; ++x) {
            const uint32_t colour = FrameRgbOf(WorkPixel(x, y));
            hash = (hash ^ colour) * 1099511628211ull;
            rgb.insert(rgb.end(),
                       {static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                        static_cast<uint8_t>(colour)});
        }
    }
    std::string path;
    if (hash != kFlatPeopleHash || std::getenv("PELLORAN_WRITE_FRAMES"))
        path = WriteTestOutputPng("flat_people.png", MenuScreen.width, MenuScreen.height, rgb);
    EXPECT_EQ(hash, kFlatPeopleHash) << "0x" << std::hex << hash << ", written to " << path;
    FlatPersonColours = {};
    FreePlayerModels();
    FreeMotionCaptures();
}

}  // namespace
