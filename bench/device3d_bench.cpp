// bench/device3d_bench.cpp: the 3D device's rasteriser on a match-like 640 x 480 16-bit frame, the
// render-state cache, texture creation with mip-maps, and the 3D-device view: its icon start-up,
// its kick-off frame and present, and its build.
#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/dxd3d.h"
#include "engine/dxd3drs.h"
#include "engine/dxd3dtex.h"
#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/memory.h"
#include "engine/options.h"
#include "engine/random.h"
#include "matchscreens/matchkeys.h"
#include "tests/gamecode/harness/deviceview_scene.h"
#include "tests/support/device_data.h"
#include "tests/support/gfx_run.h"
#include "vxd3d/d3dicon.h"
#include "vxd3d/d3dware.h"

namespace {

struct TexturedVertex {  // D3D_VERTEX_NORMAL_UV
    float x, y, z, nx, ny, nz, u, v;
};

// The device in 640 x 480 at 16 bits with a z-buffer and a perspective camera.
class Scene {
public:
    Scene() : m_graphics(true)
    {
        SetGraphicMode(GfxFindMode(640, 480, DDRAW_KIND_16BIT),
                       DDRAW_MODE_3D_DEVICE | DDRAW_MODE_ZBUFFER);
        Matrix4 projection{};
        const float q = 10000.0f / (10000.0f - 1.0f);
        projection.m[0][0] = 0.75f;
        projection.m[1][1] = 1;
        projection.m[2][2] = q;
        projection.m[2][3] = 1;
        projection.m[3][2] = -q;
        D3DSetTransformType(D3D_TRANSFORM_PROJECTION, &projection);
        D3DMaterial material{};
        material.diffuse = {1, 1, 1, 1};
        material.ambient = {0.3f, 0.3f, 0.3f, 1};
        D3DSetMaterial(&material);
        const float colour[4] = {0.8f, 0.8f, 0.8f, 1};
        const float direction[3] = {0.3f, -1, 0.5f};
        D3DLightCreate(colour, direction);
        m_texture = MakeTexture(256, D3DTEX_MIPMAPS);
        m_icon = MakeTexture(32, 0);
        BuildTriangles();
    }

    void Draw()
    {
        D3DClearCurrent();
        D3DBeginScene();
        D3DTexSetCurrentHandle(m_texture);
        // The ground: one quad under the camera filling the screen.
        const TexturedVertex ground[] = {
            {-400, -5, 1, 0, 1, 0, 0, 0},
            {-400, -5, 400, 0, 1, 0, 0, 50},
            {400, -5, 400, 0, 1, 0, 50, 50},
            {400, -5, 1, 0, 1, 0, 50, 0},
        };
        D3DSetRenderState(RS_CULLMODE, HOST_CULL_NONE);
        D3DDrawPrimitive(D3D_PRIM_FAN, D3D_VERTEX_NORMAL_UV, ground, 4);
        D3DSetRenderState(RS_CULLMODE, HOST_CULL_CCW);
        D3DDrawPrimitive(D3D_PRIM_TRIANGLES, D3D_VERTEX_NORMAL_UV, m_triangles.data(),
                         static_cast<uint32_t>(m_triangles.size()));
        // The HUD: 20 blended icon quads.
        D3DTexSetCurrentHandle(m_icon);
        D3DSetRenderState(RS_ALPHABLENDENABLE, 1);
        D3DSetRenderState(RS_SRCBLEND, HOST_BLEND_SOURCE_ALPHA);
        D3DSetRenderState(RS_DESTBLEND, HOST_BLEND_INVERSE_SOURCE_ALPHA);
        D3DSetRenderState(RS_ZENABLE, 0);
        for (int32_t i = 0; i < 20; ++i) {
            const float x = 10.0f + 31.0f * static_cast<float>(i), y = 440;
            const D3DScreenVertex fan[4] = {{x, y, 0, 1, 0xC0FFFFFF, 0, 0, 0},
                                            {x + 30, y, 0, 1, 0xC0FFFFFF, 0, 1, 0},
                                            {x + 30, y + 30, 0, 1, 0xC0FFFFFF, 0, 1, 1},
                                            {x, y + 30, 0, 1, 0xC0FFFFFF, 0, 0, 1}};
            D3DDrawPrimitive(D3D_PRIM_FAN, D3D_VERTEX_SCREEN, fan, 4);
        }
        D3DSetRenderState(RS_ALPHABLENDENABLE, 0);
        D3DSetRenderState(RS_ZENABLE, 1);
        D3DEndScene();
    }

private:
    static int32_t MakeTexture(uint32_t side, uint32_t flags)
    {
        void* block = nullptr;
        AllocateMemory(&block, side * side * 4, MEM_TYPE_GAME);
        auto* pixels = static_cast<uint32_t*>(block);
        for (uint32_t i = 0; i < side * side; ++i) {
            pixels[i] = ((i / side / 8 + i % side / 8) % 2 ? 0xFF20A040u : 0xFF40C060u);
        }
        return D3DTexAdvancedCreateTexture(side, side, &block, 0, D3DTEX_SOURCE_RGBA | flags);
    }

    // 2,000 small lit, textured triangles of about 60 pixels each, spread over the screen.
    void BuildTriangles()
    {
        SRand(43);
        for (int32_t i = 0; i < 2000; ++i) {
            const float x = static_cast<float>(Rand() % 2000) / 100.0f - 10.0f;
            const float y = static_cast<float>(Rand() % 1500) / 100.0f - 7.5f;
            const float z = 10.0f + static_cast<float>(Rand() % 100) / 100.0f;
            const float s = 0.46f;
            m_triangles.push_back({x, y, z, 0, 0, -1, 0, 0});
            m_triangles.push_back({x, y + s, z, 0, 0, -1, 0, 1});
            m_triangles.push_back({x + s, y, z, 0, 0, -1, 1, 0});
        }
    }

    ScopedGraphics m_graphics;
    int32_t m_texture;
    int32_t m_icon;
    std::vector<TexturedVertex> m_triangles;
};

void RunFrames(benchmark::State& state, uint32_t filter)
{
    Scene scene;
    D3DSetTextureStageState(0, HOST_TSS_MAG_FILTER, filter);
    D3DSetTextureStageState(0, HOST_TSS_MIN_FILTER, filter);
    D3DSetTextureStageState(0, HOST_TSS_MIP_FILTER, HOST_FILTER_POINT);
    const uint32_t before = HostInjectDeviceStats().triangles;
    scene.Draw();
    state.counters["triangles"] = HostInjectDeviceStats().triangles - before;
    for (auto _ : state) {
        scene.Draw();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_DeviceFramePointFiltered(benchmark::State& state) { RunFrames(state, HOST_FILTER_POINT); }
BENCHMARK(BM_DeviceFramePointFiltered)->Unit(benchmark::kMillisecond);

void BM_DeviceFrameBilinear(benchmark::State& state) { RunFrames(state, HOST_FILTER_LINEAR); }
BENCHMARK(BM_DeviceFrameBilinear)->Unit(benchmark::kMillisecond);

void BM_SetRenderStateCachedValue(benchmark::State& state)
{
    Scene scene;
    const uint32_t value = D3DGetRenderState(RS_ZFUNC);
    for (auto _ : state) {
        D3DSetRenderState(RS_ZFUNC, value);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetRenderStateCachedValue);

void BM_CreateTexture256WithMipMaps(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state) {
        void* block = nullptr;
        AllocateMemory(&block, 256 * 256 * 4, MEM_TYPE_GAME);
        const int32_t handle = D3DTexAdvancedCreateTexture(
            256, 256, &block, 0, D3DTEX_SOURCE_RGBA | D3DTEX_MIPMAPS | D3DTEX_ALPHA_SOLID);
        D3DTexDestroyTexture(handle);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CreateTexture256WithMipMaps)->Unit(benchmark::kMicrosecond);

// The 3D-device view's start of its head-up display: the fifteen icon sets read from the
// generated archives, packed into pages and uploaded (the offsets measured on the device too).
void BM_IconInit(benchmark::State& state)
{
    ScopedDeviceData data;
    for (auto _ : state) {
        Icon_Init();
        state.PauseTiming();
        Icon_Uninit();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IconInit)->Unit(benchmark::kMillisecond);

// The view's kick-off frame at 640 x 480 x 16 (35 people with shadows, the stadium, names and the
// display) from the first clear to the end of the scene: range 0 with point filtering, no
// lighting or fog; range 1 at the start-up defaults (trilinear filtering, lighting, fog).
void BM_DeviceViewKickOffFrame(benchmark::State& state)
{
    ScopedDeviceView view(false);
    const bool defaults = state.range(0) != 0;
    Options.video.textureFiltering = defaults ? 2 : 0;
    Options.video.lighting = defaults ? 1 : 0;
    Options.video.fog = defaults ? 1 : 0;
    ViewFlags.showNames = 1;
    ScopedDeviceView::Build();
    ScopedDeviceView::Frame();
    for (auto _ : state)
        D3DGame_DrawScene();
    state.SetItemsProcessed(state.iterations());
    ViewFlags.showNames = 0;
}
BENCHMARK(BM_DeviceViewKickOffFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What showing a drawn frame costs beside it: the window's repaint of the 16-bit surface.
void BM_DeviceViewPresent(benchmark::State& state)
{
    ScopedDeviceView view;
    ScopedDeviceView::Frame();
    for (auto _ : state) {
        D3DBeginScene();  // an empty scene: its end asks the window to repaint
        D3DEndScene();
        PresentNow();
    }
}
BENCHMARK(BM_DeviceViewPresent)->Unit(benchmark::kMillisecond);

// The view's build: models, textures, kits, clips, icons and the light, then its tear-down
// outside the timing.
void BM_DeviceViewBuild(benchmark::State& state)
{
    ScopedDeviceView view(false);
    for (auto _ : state) {
        ScopedDeviceView::Build();
        state.PauseTiming();
        ScopedDeviceView::Tear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeviceViewBuild)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
