// tests/engine/dxd3d_test.cpp: the 3D device on the display and its render-state cache, driven
// through the graphics layer as a match view will drive them.
#include "engine/dxd3d.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "engine/debug.h"
#include "engine/dxd3drs.h"
#include "engine/dxd3dtex.h"
#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/host/inject.h"
#include "engine/winlib.h"
#include "tests/support/gfx_run.h"
#include "tests/support/support.h"

namespace {

constexpr uint32_t kAll3D = DDRAW_MODE_3D_DEVICE | DDRAW_MODE_ZBUFFER | DDRAW_MODE_STENCIL;

void SetMode(int32_t width, int32_t height, int32_t kind, uint32_t flags)
{
    const int32_t mode = GfxFindMode(width, height, kind);
    ASSERT_GE(mode, 0);
    SetGraphicMode(mode, flags);
}

HostPixelFormat DrawingFormat()
{
    HostPixelFormat format{};
    HostSurfaceGetFormat(DDrawGetDirectDrawSurface(DDRAW_SURFACE_DRAWING), &format);
    return format;
}

struct ModeCase {
    const char* name;
    uint32_t windowFlags;
    int32_t kind;
    uint32_t modeFlags;
    HostPixelFormat drawing;
    uint32_t clearFlags;
};

TEST(D3D, EveryModeGetsADeviceOnItsDrawingSurfaceWithTheClearFlagsItHas)
{
    const ModeCase cases[] = {
        {"windowed 16 bits", WIN_FLAG_WINDOWED, DDRAW_KIND_16BIT, kAll3D, HOST_FORMAT_RGB555, 7},
        {"full screen flippable", 0, DDRAW_KIND_16BIT, kAll3D | DDRAW_MODE_FLIPPABLE,
         HOST_FORMAT_RGB565, 7},
        {"32 bits", WIN_FLAG_WINDOWED, DDRAW_KIND_32BIT, kAll3D, HOST_FORMAT_XRGB8888, 7},
        {"no stencil", WIN_FLAG_WINDOWED, DDRAW_KIND_16BIT,
         DDRAW_MODE_3D_DEVICE | DDRAW_MODE_ZBUFFER, HOST_FORMAT_RGB555, 3},
        {"no z-buffer", WIN_FLAG_WINDOWED, DDRAW_KIND_16BIT, DDRAW_MODE_3D_DEVICE,
         HOST_FORMAT_RGB555, 1},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedGraphics graphics(true, c.windowFlags);
        SetMode(640, 480, c.kind, c.modeFlags);
        EXPECT_TRUE(HostFormatsEqual(DrawingFormat(), c.drawing));
        EXPECT_NE(D3DGetD3DDevice7(), nullptr);
        EXPECT_EQ(D3DInfo.clearFlags, c.clearFlags);
        EXPECT_EQ(D3DInfo.width, 640u);
        EXPECT_EQ(D3DInfo.height, 480u);
        // A z clear without a z-buffer clears only the target.
        D3DClearScene(D3D_CLEAR_TARGET | D3D_CLEAR_ZBUFFER | D3D_CLEAR_STENCIL);
        D3DClearCurrent();
        RestoreGraphicMode();
        EXPECT_EQ(D3DInfo.lpD3DDevice7, nullptr);
    }
}

TEST(D3D, LeavingTheModeReleasesTheDeviceAndWarnsForEachTextureLeft)
{
    ScopedGraphics graphics(true);
    SetMode(640, 480, DDRAW_KIND_16BIT, kAll3D);
    const uint16_t texel = 0xFFFF;
    D3DTexCreateTexture(1, 1, &texel, 0);
    D3DTexCreateTexture(1, 1, &texel, 0);
    const int32_t surfacesWithTextures = HostInjectLiveSurfaces();
    DebugSetLevel(DBG_DIRECT3D, 20);
    testing::internal::CaptureStdout();
    RestoreGraphicMode();
    const std::string out = testing::internal::GetCapturedStdout();
    DebugSetLevel(DBG_DIRECT3D, 0);
    EXPECT_NE(out.find("Warning: D3DTexUninit(): texture 0 not released\n"), std::string::npos);
    EXPECT_NE(out.find("Warning: D3DTexUninit(): texture 1 not released\n"), std::string::npos);
    EXPECT_LT(HostInjectLiveSurfaces(), surfacesWithTextures - 2);
    EXPECT_EQ(D3DInfo.lpD3DDevice7, nullptr);
    EXPECT_NE(D3DInfo.lpD3D7, nullptr) << "the 3D object lives as long as the display";
}

TEST(D3DDeathTest, FatalErrorInsideASceneReleasesDeviceThen3DObjectThenDisplay)
{
    const auto run = [] {
        ScopedGraphics graphics(true);
        SetMode(640, 480, DDRAW_KIND_16BIT, kAll3D);
        DebugSetLevel(DBG_DIRECTDRAW, 80);
        // The release lines are diagnostics on standard output: let the death test see them.
        std::fflush(stdout);
        dup2(STDERR_FILENO, STDOUT_FILENO);
        D3DBeginScene();
        D3DLightEnable(3, true);
    };
    EXPECT_EXIT(run(), testing::ExitedWithCode(1),
                "DX_SAFE_RELEASE\\(\\): releasing D3DInfo.lpD3DDevice7(.|\n)*"
                "DX_SAFE_RELEASE\\(\\): releasing D3DInfo.lpD3D7(.|\n)*"
                "DX_SAFE_RELEASE\\(\\): releasing DDrawInfo.lpDD7");
}

TEST(D3DDeathTest, MisuseEndsWithItsText)
{
    const auto withDevice = [](auto misuse) {
        return [misuse] {
            ScopedGraphics graphics(true);
            SetMode(640, 480, DDRAW_KIND_16BIT, kAll3D);
            misuse();
        };
    };
    const float white[4] = {1, 1, 1, 1};
    const float down[3] = {0, -1, 0};
    EXPECT_FATAL(withDevice([&] {
                     for (int32_t i = 0; i < 9; ++i) {
                         D3DLightCreate(white, down);
                     }
                 })(),
                 "D3DLightCreate(): no free light slots");
    EXPECT_FATAL(withDevice([] { D3DLightDestroy(0); })(),
                 "D3DLightDestroy(): light doesn't exist");
    EXPECT_FATAL(withDevice([] { D3DLightDestroy(8); })(),
                 "D3DLightDestroy(): light doesn't exist");
    EXPECT_FATAL(withDevice([] { D3DLightEnable(-1, true); })(),
                 "D3DLightEnable(): light doesn't exist");
    EXPECT_FATAL(withDevice([] { D3DInit(DDrawGetDirectDraw()); })(),
                 "D3DInit(): already initialised");
    EXPECT_FATAL(
        withDevice([] { D3DDrawPrimitive(D3D_PRIM_FAN, D3D_VERTEX_SCREEN, nullptr, 0); })(),
        "DirectX call D3DD7_DrawPrimitive() failed");
    EXPECT_FATAL(withDevice([] { D3DSetRenderState(153, 0); })(),
                 "D3DSetRenderState(): render state out of range");
    EXPECT_FATAL(withDevice([] { D3DGetRenderState(153); })(),
                 "D3DGetRenderState(): render state out of range");
    EXPECT_FATAL(withDevice([] { D3DSetTextureStageState(0, 25, 0); })(),
                 "D3DSetTextureStageState(): invalid texture sgage");
    EXPECT_FATAL(withDevice([] { D3DSetTextureStageState(1, 1, 0); })(),
                 "D3DSetTextureStageState(): Stage out of range");
    EXPECT_FATAL(withDevice([] { D3DGetTextureStageState(1, 1); })(),
                 "D3DSetTextureStage(): Stage out of range");
    EXPECT_FATAL(withDevice([] { D3DGetTextureStageState(0, 25); })(),
                 "D3DSetTextureStage(): invalid texture sgage");
    EXPECT_FATAL(withDevice([] { D3DSetRenderState(RS_DITHERENABLE, 1); })(),
                 "DirectX call D3DD7_SetRenderState() failed: E_NOTIMPL");
    const auto withoutDevice = [] {
        ScopedGraphics graphics(true);
        SetMode(640, 480, DDRAW_KIND_16BIT, 0);
        D3DGetD3DDevice7();
    };
    EXPECT_FATAL(withoutDevice(), "D3DGetD3DDevice7(): no Direct3DDevice created");
}

TEST(D3D, ZBufferFormatsScoreAsTheDisplayWantsThem)
{
    struct Row {
        HostPixelFormat format;
        uint32_t wantedStencil;
        int32_t quality;
    };
    const Row rows[] = {
        {HostZFormat(16, 0), 0, 16},
        {HostZFormat(24, 0), 0, 8},
        {HostZFormat(8, 8), 0, 11},
        {HostZFormat(16, 0), 1, -1},
        {HostZFormat(15, 1), 1, 16},
        {HostZFormat(24, 8), 1, 3},
        {{HOST_PF_RGB, 16, 0, 0, 0, 0, 0, 0}, 0, -1},  // not a z format: skipped
    };
    for (const Row& row : rows) {
        D3DZBufferContext context{{}, -1, 16, row.wantedStencil};
        D3DZBufferFormatCallback(row.format, &context);
        EXPECT_EQ(context.quality, row.quality)
            << row.format.zBits << "/" << row.format.stencilBits;
    }
    // The first of equal scores wins.
    D3DZBufferContext context{{}, -1, 16, 0};
    D3DZBufferFormatCallback(HostZFormat(24, 0), &context);
    D3DZBufferFormatCallback(HostZFormat(32, 0), &context);
    EXPECT_EQ(context.best.zBits, 24u);
}

TEST(D3DRenderStates, CacheCallsTheDeviceOnlyForNewValuesAndRestoresAfterATaskSwitch)
{
    ScopedGraphics graphics(true);
    SetMode(640, 480, DDRAW_KIND_16BIT, kAll3D);
    const HostDeviceStats start = HostInjectDeviceStats();
    D3DSetRenderState(RS_ZFUNC, D3DGetRenderState(RS_ZFUNC));  // the cached value
    D3DSetRenderState(RS_CLIPPING, 0);                         // unlisted-looking and 0
    D3DSetRenderState(150, 0);                                 // not in the list at all
    EXPECT_EQ(HostInjectDeviceStats().stateSets, start.stateSets);
    D3DSetRenderState(RS_ZFUNC, HOST_CMP_LESS);
    D3DSetRenderState(RS_ZFUNC, HOST_CMP_LESS);
    D3DSetRenderStateFloat(RS_FOGSTART, 50.0f);
    D3DSetTextureStageStateFloat(0, HOST_TSS_MIP_LOD_BIAS, -0.5f);
    D3DSetTextureStageStateFloat(0, HOST_TSS_MIP_LOD_BIAS, -0.5f);
    EXPECT_EQ(HostInjectDeviceStats().stateSets, start.stateSets + 3);
    EXPECT_EQ(D3DGetRenderStateFloat(RS_FOGSTART), 50.0f);
    EXPECT_EQ(D3DGetTextureStageStateFloat(0, HOST_TSS_MIP_LOD_BIAS), -0.5f);

    // Deactivation and reactivation: the empty scene first, then 65 render states (the fog three
    // twice) and the 24 stage states with their cached values.
    DebugSetLevel(DBG_DIRECT3D, 180);
    testing::internal::CaptureStdout();
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_IDLE);
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_ACTIVE);
    const std::string out = testing::internal::GetCapturedStdout();
    DebugSetLevel(DBG_DIRECT3D, 0);
    EXPECT_EQ(HostInjectDeviceStats().stateSets, start.stateSets + 3 + 65 + 24);
    const size_t scene = out.find("D3DEndScene(): ending scene");
    const size_t restore = out.find("RenderstateTaskswitch(): restoring all renderstates");
    ASSERT_NE(scene, std::string::npos);
    ASSERT_NE(restore, std::string::npos);
    EXPECT_LT(scene, restore);
    uint32_t value = 0;
    HostDeviceGetRenderState(D3DGetD3DDevice7(), RS_ZFUNC, &value);
    EXPECT_EQ(value, HOST_CMP_LESS);
}

TEST(D3DRenderStates, AfterAModeChangeEverySlotEqualsWhatTheNewDeviceHolds)
{
    ScopedGraphics graphics(true);
    SetMode(640, 480, DDRAW_KIND_16BIT, kAll3D);
    D3DSetRenderState(RS_ZFUNC, HOST_CMP_GREATER);
    D3DSetRenderState(RS_STENCILENABLE, 1);
    D3DSetTextureStageState(0, HOST_TSS_MAG_FILTER, HOST_FILTER_LINEAR);
    RestoreGraphicMode();
    SetMode(640, 480, DDRAW_KIND_32BIT, DDRAW_MODE_3D_DEVICE);
    HostDevice* const device = D3DGetD3DDevice7();
    for (uint32_t id = 0; id < D3D_RENDER_STATE_COUNT; ++id) {
        uint32_t held = 0;
        ASSERT_EQ(HostDeviceGetRenderState(device, id, &held), HOST_OK);
        EXPECT_EQ(D3DGetRenderState(id), held) << "render state " << id;
    }
    for (uint32_t s = 1; s < D3D_STAGE_STATE_COUNT; ++s) {
        uint32_t held = 0;
        ASSERT_EQ(HostDeviceGetStageState(device, 0, s, &held), HOST_OK);
        EXPECT_EQ(D3DGetTextureStageState(0, s), held) << "stage state " << s;
    }
    EXPECT_EQ(D3DGetRenderState(RS_ZENABLE), 0u) << "no z-buffer this time";
}

}  // namespace
