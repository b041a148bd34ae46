// matchscreens/softview.cpp: the software view's palette, shade tables and pacing.
#include "matchscreens/softview.h"

#include <algorithm>
#include <cstring>

#include "engine/fatal.h"
#include "engine/gfx.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "engine/mouse.h"
#include "engine/poll.h"
#include "engine/sounddrv.h"
#include "engine/timer.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/presentation.h"
#include "matchscreens/camera.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/softhud.h"
#include "matchscreens/vtback.h"
#include "menus/loadbar.h"
#include "menus/vtmenu.h"
#include "viewservices/infobar.h"
#include "viewservices/motioncap.h"
#include "viewservices/timedevents.h"
#include "viewservices/videosettings.h"
#include "viewservices/viewscreen.h"
#include "vx256/gamepal.h"
#include "vx256/kittextures.h"
#include "vx256/objects.h"
#include "vx256/pitch.h"
#include "vx256/polyman.h"
#include "vx256/textures.h"
#include "vx256/world3d.h"

namespace {

struct PalettePiece {
    const char* name;
    int32_t first, last;
};

constexpr PalettePiece kPieces[] = {{"PALETTES\\ingame\\master", 1, 254},
                                    {"PALETTES\\ingame\\skinhair", 10, 15},
                                    {"PALETTES\\ingame\\skinhair", 156, 221},
                                    {"PALETTES\\ingame\\stad", 222, 254}};

struct ShadeBlock {
    uint8_t* block;  // tracked
    uint8_t* tables[SHADE_TABLES];
};

struct Pacing {
    int32_t clock;  // ticks, or quarter ticks in quick preview
    int16_t skipped;
    bool quick;  // the unit the clock is kept in
};

ShadeBlock s_blocks[2];
Pacing s_pacing;
int16_t s_savedResolution = -1;  // the display mode the view comes back in; -1 none yet
int32_t s_frames = 0;

void SoftViewInit()
{
    FirstCreateGameEnvironment();
    CreateGameEnvironment();
}

void SoftViewDestroy()
{
    DestroyGameEnvironment();
    FirstDestroyGameEnvironment();
}

constexpr MatchViewOps kSoftViewOps = {SoftViewInit,  SoftViewDestroy, StepGameFrame,
                                       DrawGameFrame, UpdateGameFrame, [] { return s_frames; }};

int32_t Eight(uint8_t six) { return six << 2 | six >> 4; }

void AllocateShadeBlock(ShadeBlock* b)
{
    AllocateMemory(&b->block, SHADE_BLOCK_BYTES, MEM_TYPE_GAME);
    const auto start = reinterpret_cast<uintptr_t>(b->block);
    for (int32_t k = 0; k < SHADE_TABLES; ++k) {
        const uintptr_t at = start + static_cast<uintptr_t>(k * SHADE_TABLE_BYTES);
        b->tables[k] =
            b->block + (at + SHADE_TABLE_BYTES - 1) / SHADE_TABLE_BYTES * SHADE_TABLE_BYTES - start;
    }
}

void FillBlock(ShadeBlock* b, const uint8_t* palette6)
{
    for (int32_t i = 0; i < 256; ++i) {
        const int32_t r = Eight(palette6[3 * i]), g = Eight(palette6[3 * i + 1]),
                      bl = Eight(palette6[3 * i + 2]);
        const double light = 0.3 * r + 0.5 * g + 0.2 * bl;
        const int32_t most = std::max({r, g, bl});
        const auto scaled = [&](double f) {
            return SoftView_NearestColour(palette6, static_cast<int32_t>(r * f),
                                          static_cast<int32_t>(g * f),
                                          static_cast<int32_t>(bl * f));
        };
        b->tables[0][i] = scaled(0.25);
        b->tables[1][i] = scaled(0.5);
        b->tables[2][i] = scaled(0.75);
        b->tables[3][i] = static_cast<uint8_t>(59.0 - light * 12.0 * 0.015625);
        b->tables[4][i] = static_cast<uint8_t>(103.0 - light * 12.0 * 0.015625);
        b->tables[5][i] = SoftView_NearestColour(palette6, most, 0, 0);
        b->tables[6][i] = SoftView_NearestColour(palette6, most, most, 0);
    }
}

int32_t Limit() { return s_pacing.quick ? SOFTVIEW_QUICK_SKIPS : SOFTVIEW_SKIPS; }

int32_t TickNow() { return static_cast<int32_t>(TickCount.load()); }

// The clock compared with the tick: quarter ticks count whole ticks, so two quick frames share
// one tick.
int32_t ClockTicks()
{
    return s_pacing.quick ? s_pacing.clock / SOFTVIEW_QUICK_FACTOR : s_pacing.clock;
}

// Quick preview keeps the clock in quarter ticks; a change of pace rescales it.
void FollowQuickPreview()
{
    const bool quick = ViewFlags.quickPreview != 0;
    if (quick == s_pacing.quick) return;
    s_pacing.clock =
        quick ? s_pacing.clock * SOFTVIEW_QUICK_FACTOR : s_pacing.clock / SOFTVIEW_QUICK_FACTOR;
    s_pacing.quick = quick;
    s_pacing.skipped = 0;
}

}  // namespace

uint8_t SoftView_NearestColour(const uint8_t* palette6, int32_t r, int32_t g, int32_t b)
{
    int32_t best = 0, bestDistance = INT32_MAX;
    for (int32_t p = 0; p < 256; ++p) {
        const int32_t dr = Eight(palette6[3 * p]) - r, dg = Eight(palette6[3 * p + 1]) - g,
                      db = Eight(palette6[3 * p + 2]) - b;
        const int32_t distance = 3 * dr * dr + 5 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            best = p;
            bestDistance = distance;
        }
    }
    return static_cast<uint8_t>(best);
}

void SetupGamePalette()
{
    for (const PalettePiece& piece : kPieces)
        GamePalette_LoadPiece(piece.name, piece.first, piece.last, piece.first);
    SetupKitPalettes();
    std::fill_n(GamePalette, 3, uint8_t{0});
    std::fill_n(GamePalette + 3 * 255, 3, uint8_t{63});
    if (s_blocks[0].block != nullptr || s_blocks[1].block != nullptr)
        FatalError("Error: SetupGamePalette(): tried to re-allocate LUTs\n");
    for (ShadeBlock& b : s_blocks)
        AllocateShadeBlock(&b);
}

void SoftView_FillShadeTables()
{
    if (s_blocks[0].block == nullptr || s_blocks[1].block == nullptr) return;
    uint8_t copy[GFX_PALETTE_BYTES];
    std::memcpy(copy, GamePalette, sizeof(copy));
    FillBlock(&s_blocks[0], copy);
    FillBlock(&s_blocks[1], GamePalette);
}

const uint8_t* SoftView_GetShadeTable(int32_t n)
{
    return s_blocks[1].block != nullptr && n >= 0 && n < SHADE_TABLES ? s_blocks[1].tables[n]
                                                                      : nullptr;
}

const uint8_t* SoftView_GetFirstShadeTable(int32_t n)
{
    return s_blocks[0].block != nullptr && n >= 0 && n < SHADE_TABLES ? s_blocks[0].tables[n]
                                                                      : nullptr;
}

void FirstCreateGameEnvironment()
{
    // Without a 3D device the video options' mode is the view's, so that a change made either way
    // is saved; with one, the first view of the run opens in 640 x 480.
    if (Video_SoftwareMode() >= 0)
        s_savedResolution = static_cast<int16_t>(Video_SoftwareMode());
    else if (s_savedResolution < 0)
        s_savedResolution =
            static_cast<int16_t>(std::max(GfxFindMode(640, 480, DDRAW_KIND_8BIT), 0));
    SoftwareResolution = s_savedResolution;
    SetupGamePalette();
    ClearGroundMarks();
}

void FirstDestroyGameEnvironment()
{
    s_savedResolution = SoftwareResolution;
    Video_KeepSoftwareMode(SoftwareResolution);
    if (s_blocks[0].block == nullptr || s_blocks[1].block == nullptr)
        FatalError("Error: FirstDestroyGameEnvironment(): tried to free uncreated LUTs\n");
    for (ShadeBlock& b : s_blocks) {
        FreeMemory(&b.block);
        b = {};
    }
    PurgeAllMemory();
}

void SoftView_StartPacing()
{
    const bool quick = ViewFlags.quickPreview != 0;
    s_pacing = {quick ? TickNow() * SOFTVIEW_QUICK_FACTOR : TickNow(), 0, quick};
}

bool SoftView_PaceFrame()
{
    FollowQuickPreview();
    s_pacing.clock += SOFTVIEW_TICKS_A_FRAME;
    if (ClockTicks() < TickNow() && s_pacing.skipped < Limit()) {
        ++s_pacing.skipped;
        return false;
    }
    while (TickNow() < ClockTicks())
        Poll();
    s_pacing.skipped = 0;
    // Only forward: a late frame does not try to catch up, and a quick frame that shares its
    // tick with the one before keeps its place.
    s_pacing.clock =
        std::max(s_pacing.clock, s_pacing.quick ? TickNow() * SOFTVIEW_QUICK_FACTOR : TickNow());
    return true;
}

int32_t SoftView_FrameClock() { return s_pacing.clock; }

void InitScreenResolution()
{
    SetGraphicMode(SoftwareResolution, 0);
    ResetMouseDriver();
    const auto width = static_cast<int32_t>(ScreenWidth());
    const auto height = static_cast<int32_t>(ScreenHeight());
    SetPalette(GamePalette);
    if (height > LARGESTSCREENHEIGHT)
        FatalError("Error: InitScreenResolution(): CurrentScreenHeight > LARGESTSCREENHEIGHT!\n");
    GameScreen_Create(width, height);
    SoftView_StartPacing();
    InitPlayerNamesA();
    Soft_SetViewport(GetGameScreen(), width, height);
    SetViewProjectionFactors();
}

void CreateGameEnvironment()
{
    VT_Init(1);
    SoftView_FillShadeTables();
    InitScreenResolution();
    LoadBar_StartBlock(8.0f, 1.0f);
    TEXT_ClearTable();
    KIT_ClearTextureTable();
    NORMTEXT_ClearCache();
    KITPLR_LoadAllTextures();
    Create3DWorld();
    LoadBar_EndBlock();
    SndSetActiveChannels(8);
    MatchPresentationOps.MatchSfx_Init();
    SoftView_StartPacing();
    KeyClearBuffer();
    SetPitchConstants();
    InitCameras();
    InfoBar_Reset();
    SetPalette(GamePalette);
    s_frames = 0;
}

void DestroyGameEnvironment()
{
    VT_Uninit();
    // The kits' and the world's textures both: nothing of the view outlives it.
    TEXT_ClearTable();
    NORMTEXT_ClearCache();
    MatchPresentationOps.MatchSfx_Shutdown();
    SndClearActiveChannels();
    FreePlayerNames();
    if (IsGraphicMode()) RestoreGraphicMode();
    GameScreen_Destroy();
    FreeWorld();
}

void StepGameFrame() { HighLight_Tick(); }

void UpdateGameFrame()
{
    MotionCap_MirrorSideSteps();
    TimedEvents_Step();
    InfoBar_Animate();
    UpdateCurrentCamera();
}

void DrawGameFrame()
{
    if (!SoftView_PaceFrame() || GameScreen_Buffer() == nullptr) return;
    ++s_frames;
    SoftView_DrawScene();
    SoftHud_Draw(ViewSize.width);
    const auto screenWidth = static_cast<int32_t>(ScreenWidth());
    const auto screenHeight = static_cast<int32_t>(ScreenHeight());
    ShowDBuffer((screenWidth - ViewSize.width) / 2, (screenHeight - ViewSize.height) / 2,
                GameScreen_Buffer(), GAMESCREEN_MARGIN, GAMESCREEN_MARGIN, ViewSize.width,
                ViewSize.height);
    // The mouse first: Enter presses the replay bar's button under the pointer for this frame,
    // and the mouse's own buttons would otherwise overwrite that press.
    VirtualPointer_Update(ViewSize.width, ViewSize.height);
    MatchKeys_ReadControllers(0);
    ReplayBar_Input(VirtualPointer.x, VirtualPointer.y, (VirtualPointer.buttons & 1) != 0);
}

int32_t SoftView_Frames() { return s_frames; }

void SoftView_DrawScene()
{
    DrawWorldBackground();
    ObjectDisplay(ObjectTypes3D);
    if (ViewFlags.showNames != 0) ObjectDisplay_DrawNameLabels();
}

void SoftView_Init()
{
    for (ShadeBlock& b : s_blocks)
        b = {};
    s_pacing = {};
    s_savedResolution = -1;
    s_frames = 0;
}

void SoftView_Uninit() { SoftView_Init(); }

void SoftView_Register()
{
    MatchView_Register(VIEWKIND_SOFTWARE_3D, &kSoftViewOps);
    VT_SetBackEnd(&SoftVTBackEnd);
}
