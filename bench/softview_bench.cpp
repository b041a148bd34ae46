// bench/softview_bench.cpp: the software view's geometry stage and display list: one pass of the
// list over a seeded match's 48 objects with empty drawers, one quad clipped by two planes and
// projected, the whole touchline scene of the tests drawn, a match's kit textures, the motion
// clips and the people models loaded, one person posed and drawn, a kick-off's 35 people drawn
// with their shadows and labels, the pitch's grass and markings, and the horizon and stadium, the
// whole view's frame, its present and its rebuild, and a whole match watched at the fastest pace.
#include "matchscreens/softview.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>

#include <benchmark/benchmark.h>

#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/random.h"
#include "game/matchblocks.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/softhud.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/gamecode/harness/softview_scene.h"
#include "tests/support/gfx_run.h"
#include "tests/support/kit_match.h"
#include "tests/support/menu_run.h"
#include "tests/support/object_scene.h"
#include "tests/support/people_view.h"
#include "viewservices/motioncap.h"
#include "viewservices/viewscreen.h"
#include "vx256/fontgame.h"
#include "vx256/kittextures.h"
#include "vx256/nod.h"
#include "vx256/objects.h"
#include "vx256/pitch.h"
#include "vx256/playermodel.h"
#include "vx256/polyman.h"
#include "vx256/softraster.h"
#include "vx256/softspan.h"
#include "vx256/textures.h"
#include "vx256/world3d.h"

namespace {

// The render objects after 300 ticks of the seeded match the scene test draws.
void SeededRenderObjects()
{
    ScopedMatch match;
    MatchDayBuilder{}.Write();
    SetPitchConstants();
    SRand(46);
    Match_SetupPeriod();
    RunTicks(300);
    Match_FillRenderList();
}

float VisibleItem(int32_t item) { return 500.0f + static_cast<float>(item); }

int64_t s_drawn = 0;

void BM_ObjectDisplay48Objects(benchmark::State& state)
{
    SeededRenderObjects();
    ScopedMenus menus(DDRAW_KIND_8BIT);
    ViewScreen_Init();
    ObjectScene_Begin();
    // Every person and the ball in view: the camera high above the centre, looking down.
    SetViewCamera(796, 1082, 3000, 0, -3.1f, 1.1f);
    SoftObjectDrawers = {};
    SoftObjectDrawers.itemDepth = VisibleItem;
    // The nearly empty drawers count the draws: of the 48 objects asked, the ten on the benches
    // are absent, so 38 a pass.
    SoftObjectDrawers.person = [](int32_t, int32_t, int32_t, int32_t) { ++s_drawn; };
    SoftObjectDrawers.ball = [](float, float, float, float, float, float) { ++s_drawn; };
    SoftObjectDrawers.itemDraw = [](int32_t) { ++s_drawn; };
    s_drawn = 0;
    for (auto _ : state)
        ObjectDisplay(ObjectTypes3D);
    state.counters["drawn"] =
        static_cast<double>(s_drawn) / static_cast<double>(state.iterations());
    ObjectScene_End();
    ViewScreen_Uninit();
}
BENCHMARK(BM_ObjectDisplay48Objects)->Unit(benchmark::kMicrosecond);

void BM_ClipAndProjectQuadCrossingTwoPlanes(benchmark::State& state)
{
    SetViewSize(640, 480);
    SetViewProjectionFactors();
    const PolyPolygon quad = {
        {{-60, -60, 50, 0, 0}, {30, -60, 50, 16, 0}, {30, 30, 50, 16, 16}, {-60, 30, 50, 0, 16}},
        4};
    SoftVertex screen[SOFT_MAX_POLY_VERTICES];
    for (auto _ : state) {
        CurrentPolygon = quad;
        if (ClipPolygon() != 0)
            ProjectVertices(CurrentPolygon.vertices, screen, CurrentPolygon.count,
                            VertexOrder::AsStored);
        benchmark::DoNotOptimize(screen);
    }
}
BENCHMARK(BM_ClipAndProjectQuadCrossingTwoPlanes);

void BM_TouchlineScene(benchmark::State& state)
{
    SeededRenderObjects();
    ScopedMenus menus(DDRAW_KIND_8BIT);
    ViewScreen_Init();
    SoftSpan_Init();
    ObjectScene_Begin();
    for (auto _ : state)
        ObjectScene_Draw();
    ObjectScene_End();
    SoftSpan_Uninit();
    ViewScreen_Uninit();
}
BENCHMARK(BM_TouchlineScene)->Unit(benchmark::kMicrosecond);

}  // namespace

// The kit part of a view's set-up: the tables cleared and every part of the 35 people loaded
// from the generated archives, then freed again as the view's tear-down does.
void BM_LoadMatchKitTextures(benchmark::State& state)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    KitMatch_SetUpBlock();
    for (auto _ : state) {
        TEXT_ClearTable();
        KIT_ClearTextureTable();
        NORMTEXT_ClearCache();
        KITPLR_LoadAllTextures();
        state.PauseTiming();
        TEXT_FreeKitTextures();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadMatchKitTextures)->Unit(benchmark::kMillisecond);

// A view's set-up of its motion clips and people models, each loaded and freed again.
void BM_LoadMotionCaptures(benchmark::State& state)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    for (auto _ : state) {
        LoadMotionCaptures();
        state.PauseTiming();
        FreeMotionCaptures();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadMotionCaptures)->Unit(benchmark::kMillisecond);

void BM_LoadPlayerModels(benchmark::State& state)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    for (auto _ : state) {
        LoadPlayerModels();
        state.PauseTiming();
        FreePlayerModels();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadPlayerModels)->Unit(benchmark::kMillisecond);

// One level-0 player posed from a running frame (the geometry part of drawing one person).
void BM_PoseLevel0Player(benchmark::State& state)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    LoadMotionCaptures();
    LoadPlayerModels();
    int32_t frame = 0;
    for (auto _ : state) {
        PlayerModel_Pose(&PlayerModels[0][0], MotionCap_Frame(12, frame), 10, 800, 1000, 0, 37);
        frame = (frame + 1) % GetMotionFrameCount(12);
    }
    FreePlayerModels();
    FreeMotionCaptures();
}
BENCHMARK(BM_PoseLevel0Player)->Unit(benchmark::kMicrosecond);

// One running player at level 0, about 60 pixels high, drawn in his kit.
void BM_DrawLevel0Player(benchmark::State& state)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    ScopedPeopleView view;
    SetViewCamera(1510, 1082, 18, std::atan2(260.0f, 0.0f), std::atan2(-260.0f, -4.0f), 1.1f);
    RenderList[3] = {1250, 0, 1082, 12, 0, 100, 0};
    for (auto _ : state) {
        RenderList[3].drawnFrame = static_cast<int16_t>((RenderList[3].drawnFrame + 1) % 60);
        DrawPlayerModel(3, 0, 0, 12);
    }
    const GameScreenRecord screen = GetGameScreen();
    std::fill(screen.pixels, screen.pixels + screen.pitch * screen.height, 0);
    DrawPlayerModel(3, 0, 0, 12);
    int32_t top = screen.height;
    int32_t bottom = -1;
    for (int32_t y = 0; y < screen.height; ++y)
        for (int32_t x = 0; x < screen.width; ++x)
            if (screen.pixels[y * screen.pitch + x] != 0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    state.counters["height_px"] = bottom - top + 1;
}
BENCHMARK(BM_DrawLevel0Player)->Unit(benchmark::kMicrosecond);

// The 35 people of a kick-off seen from the touchline camera, each in his kit with his skeleton
// shadow (the highest model detail), and four name labels: the people's share of a frame.
void BM_DrawKickOffPeople(benchmark::State& state)
{
    {
        ScopedMatch match;
        MatchDayBuilder{}.Write();
        SetPitchConstants();
        SRand(46);
        Match_SetupPeriod();
        Match_FillRenderList();
    }
    ScopedMenus menus(DDRAW_KIND_8BIT);
    ScopedPeopleView view;
    for (auto& side : GetMatchSidesBlock()->sides)
        for (MatchPlayerEntry& entry : side.entries)
            std::snprintf(entry.name, sizeof entry.name, "J. Joueur");
    FONT_Init();  // the seeded match's run may have left fonts in its memory
    InitPlayerNamesA();
    SoftObjectDrawers.person = DrawPlayerModel;
    SoftObjectDrawers.skeletonShadow = DrawSkeletonShadow;
    SoftObjectDrawers.nameLabel = DrawNameLabel;
    ViewFlags.modelDetail = 2;
    ViewFlags.showNames = 1;
    for (auto _ : state) {
        ObjectDisplay(ObjectTypes3D);
        ObjectDisplay_DrawNameLabels();
    }
    int32_t onPitch = 0;
    for (int32_t o = 0; o < OBJECT_PEOPLE; ++o)
        onPitch += ObjectDisplay_PersonDepth(o) >= 0;
    state.counters["people_in_view"] = onPitch;
    ViewFlags.modelDetail = 0;
    ViewFlags.showNames = 0;
    FreePlayerNames();
    FONT_Uninit();
}
BENCHMARK(BM_DrawKickOffPeople)->Unit(benchmark::kMicrosecond);

// The pitch alone from the right touchline camera's place, aimed at the centre spot: grass, then
// the straight markings and spots, then the arcs, at 640 x 480.
void AimFromTheTouchline()
{
    const float ground = 1445.0f - 796.0f;
    SetViewCamera(1445, 1082, 350, std::atan2(ground, 0.0f), std::atan2(-ground, -350.0f), 1.5f);
}

void BM_PitchGrassAndMarkings(benchmark::State& state)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    ViewScreen_Init();
    SoftSpan_Init();
    SoftRaster_Init();
    GameScreen_Create(640, 480);
    Soft_InitPitchLines();
    Soft_LoadGrass();
    Soft_SetViewport(GetGameScreen(), 640, 480);
    AimFromTheTouchline();
    for (auto _ : state) {
        Soft_DrawClippedQuad();
        Soft_DrawPitchMarkings();
        Soft_DrawMarkingArcs();
        benchmark::ClobberMemory();
    }
    Soft_FreeGrass();
    Soft_FreePitchLines();
    GameScreen_Destroy();
    SoftRaster_Uninit();
    SoftSpan_Uninit();
    ViewScreen_Uninit();
}
BENCHMARK(BM_PitchGrassAndMarkings)->Unit(benchmark::kMicrosecond);

// The horizon and the stadium as the world places them, drawn from the same place.
void BM_HorizonAndStadium(benchmark::State& state)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    GetMatchSidesBlock()->viewMode = VIEW_3D;
    TEXT_ClearTable();
    NORMTEXT_ClearCache();
    ViewScreen_Init();
    SoftSpan_Init();
    GameScreen_Create(640, 480);
    SetViewProjectionFactors();
    NodRigidModel* horizon = nullptr;
    NodRigidModel* stadium = nullptr;
    NOD_LoadWorld1(&horizon, "vxdata\\software\\stadium\\models\\misc\\horizon", "HORIZON",
                   "stadium\\TEXTURES\\Stad2", 0, 0, NOD_TEXTURES_NAMED);
    NOD_LoadWorld1(&stadium, "vxdata\\software\\stadium\\models\\stads", "stad2",
                   "stadium\\TEXTURES\\stad2", 0, 0, NOD_TEXTURES_NAMED);
    for (NodRigidModel* m : {horizon, stadium}) {
        World_Turn(m, -std::numbers::pi_v<float> / 2);
        for (int32_t i = 0; i < m->pointCount; ++i) {
            m->points[i].x += 796;
            m->points[i].y += 1082;
        }
        World_ComputeNormals(m);
    }
    AimFromTheTouchline();
    for (auto _ : state) {
        DrawWorldModel(horizon);
        DrawWorldModel(stadium);
        benchmark::ClobberMemory();
    }
    NOD_FreeWorld1(&horizon);
    NOD_FreeWorld1(&stadium);
    TEXT_ClearTable();
    NORMTEXT_ClearCache();
    GameScreen_Destroy();
    SoftSpan_Uninit();
    ViewScreen_Uninit();
}
BENCHMARK(BM_HorizonAndStadium)->Unit(benchmark::kMicrosecond);

// The whole view at 640 x 480 over the seeded match (names and the panoramic overview on): one
// pass of the update and frame hooks, the present included, and the present alone for comparison.
void BM_SoftViewFrame(benchmark::State& state)
{
    ScopedSoftView view;
    ViewFlags.panoramic = 1;
    ViewFlags.showNames = 1;
    for (auto _ : state) {
        SoftView_StartPacing();  // no waiting for the tick: the drawing is measured
        ScopedSoftView::Frame();
    }
    ViewFlags.panoramic = 0;
}
BENCHMARK(BM_SoftViewFrame)->Unit(benchmark::kMicrosecond);

// The same with the 22 players crowded into the far penalty area round the ball at the goal
// mouth, the camera following the ball there: the most people, labels and shadows near the goal.
void BM_SoftViewGoalmouthFrame(benchmark::State& state)
{
    ScopedSoftView view;
    ViewFlags.panoramic = 1;
    ViewFlags.showNames = 1;
    Ball.holder = 0;
    Ball.secondHolder = 0;
    Match.followedObject = MATCH_BALL;
    for (int32_t p = 0; p < 22; ++p) {
        RenderList[p].x = static_cast<float>(PITCH_BOX_LEFT_X + 100 + (p % 6) * 80);
        RenderList[p].y = static_cast<float>(PITCH_BOX_FAR_Y + 30 + (p / 6) * 60);
    }
    RenderList[MATCH_BALL].x = PITCH_CENTRE_X;
    RenderList[MATCH_BALL].y = PITCH_FAR_GOAL_LINE_Y - 30;
    for (auto _ : state) {
        SoftView_StartPacing();
        ScopedSoftView::Frame();
    }
    ViewFlags.panoramic = 0;
}
BENCHMARK(BM_SoftViewGoalmouthFrame)->Unit(benchmark::kMicrosecond);

void BM_SoftViewPresentOnly(benchmark::State& state)
{
    ScopedSoftView view;
    for (auto _ : state) {
        ShowDBuffer(0, 0, GameScreen_Buffer(), GAMESCREEN_MARGIN, GAMESCREEN_MARGIN, 640, 480);
        PresentNow();
    }
}
BENCHMARK(BM_SoftViewPresentOnly)->Unit(benchmark::kMicrosecond);

// Taking the view down and building it again, as after every in-match menu.
void BM_SoftViewRebuild(benchmark::State& state)
{
    ScopedSoftView view;
    for (auto _ : state) {
        ScopedSoftView::Tear();
        ScopedSoftView::Build();
    }
}
BENCHMARK(BM_SoftViewRebuild)->Unit(benchmark::kMillisecond);

// A whole match watched at the fastest pace, quick preview on and every frame drawn, as a headless
// run does: one engine tick, one frame and its present at a time. The rate counts engine ticks
// (quick preview paces 200 a second), which do not depend on the period's length (the argument,
// in minutes): one minute keeps the smoke run short.
void BM_WatchWholeMatchAtFastestPace(benchmark::State& state)
{
    ScopedSoftView view;
    ViewFlags.quickPreview = 1;
    GetMatchSidesBlock()->periodMinutes = static_cast<uint16_t>(state.range(0));
    int64_t ticks = 0;
    for (auto _ : state) {
        for (uint8_t period = 0; period < 2; ++period) {
            Match.period = period;
            Match.kickOffSide = static_cast<uint8_t>(1 - period);
            Match_SetupPeriod();
            while (MatchEndFlag == 0) {
                EngineTick();
                Match_FillRenderList();
                StepGameFrame();
                SoftView_StartPacing();  // the manual clock never makes a headless run wait
                ScopedSoftView::Frame();
                ++ticks;
            }
        }
    }
    state.SetItemsProcessed(ticks);
    ViewFlags.quickPreview = 0;
}
BENCHMARK(BM_WatchWholeMatchAtFastestPace)->Arg(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
