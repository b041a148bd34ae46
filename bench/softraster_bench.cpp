// bench/softraster_bench.cpp: the software rasteriser's building blocks of a 640 x 480 software
// match frame: a perspective floor, many small textured triangles, grass rows, flat polygons and
// a recoloured rectangle, on the game screen with its 64-pixel margin.
#include "vx256/softraster.h"

#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/memory.h"
#include "engine/random.h"
#include "tests/support/soft_models.h"
#include "viewservices/viewscreen.h"
#include "vx256/softspan.h"

namespace {

constexpr int32_t W = 640;
constexpr int32_t H = 480;
constexpr int32_t M = GAMESCREEN_MARGIN;

SoftTestSurface GameSizedScreen() { return SoftTestSurface(W + 2 * M, H + 2 * M, W + 2 * M + 16); }

std::vector<uint8_t> SeededTexture(int32_t size)
{
    SRand(45);
    return SoftTextureBlock(size, size,
                            [](int, int) { return static_cast<uint8_t>(Rand() % 255); });
}

SoftVertex At(int32_t x, int32_t y, float z, float u, float v)
{
    return {16 * (x + M), 16 * (y + M), z, u, v};
}

// A floor receding from z 1 at the bottom to z 4 at the top, 640 x 240 pixels.
void BM_PerspectiveQuadPixels640x240(benchmark::State& state)
{
    SoftSpan_Init();
    SoftTestSurface screen = GameSizedScreen();
    const std::vector<uint8_t> texture = SeededTexture(64);
    const SoftVertex quad[4] = {At(0, 120, 4.0f, 0.5f, 0.5f), At(W, 120, 4.0f, 63.5f, 0.5f),
                                At(W, 360, 1.0f, 63.5f, 63.5f), At(0, 360, 1.0f, 0.5f, 63.5f)};
    for (auto _ : state) {
        Soft_DrawPerspectivePolygons(screen.record, quad, 4, texture.data(), false);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * W * 240);
    SoftSpan_Uninit();
}
BENCHMARK(BM_PerspectiveQuadPixels640x240)->Unit(benchmark::kMicrosecond);

// 2,000 textured triangles of about 50 pixels (legs of 10), spread over the view.
void BM_ExactEndsTriangles2000(benchmark::State& state)
{
    SoftSpan_Init();
    SoftTestSurface screen = GameSizedScreen();
    const std::vector<uint8_t> texture = SeededTexture(32);
    std::vector<SoftVertex> triangles;
    SRand(7);
    for (int32_t i = 0; i < 2000; ++i) {
        const int32_t x = static_cast<int32_t>(Rand() % (W - 12)), y = Rand() % (H - 12);
        const float z = 1.0f + static_cast<float>(Rand() % 100) / 25.0f;
        triangles.push_back(At(x, y, z, 1.5f, 1.5f));
        triangles.push_back(At(x + 10, y + 10, z, 30.5f, 30.5f));
        triangles.push_back(At(x, y + 10, z, 1.5f, 30.5f));
    }
    for (auto _ : state) {
        for (size_t t = 0; t < triangles.size(); t += 3)
            Soft_DrawObjectPolygons(screen.record, &triangles[t], 3, texture.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 2000);
    SoftSpan_Uninit();
}
BENCHMARK(BM_ExactEndsTriangles2000)->Unit(benchmark::kMicrosecond);

// 300 rows of 640 pixels, u and v stepping both ways through the tile as a far pitch does.
void BM_GrassRows300x640(benchmark::State& state)
{
    SoftRaster_Init();
    SoftTestSurface screen = GameSizedScreen();
    std::vector<uint8_t> block(SOFT_GRASS_BLOCK_BYTES);
    SRand(3);
    for (uint8_t& texel : block)
        texel = static_cast<uint8_t>(Rand() % 255);
    std::vector<SoftGrassRow> rows(H);
    for (int32_t y = 0; y < 300; ++y) {
        const int32_t spread = (y + 20) << 16;
        rows[y] = {0, W - 1, -spread, y << 14, spread, -(y << 15), {}};
    }
    Soft_SetRowTarget(screen.record, H, M);
    for (auto _ : state) {
        Soft_DrawGrassRows(0, 299, rows.data(), block.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 300 * W);
    SoftRaster_Uninit();
}
BENCHMARK(BM_GrassRows300x640)->Unit(benchmark::kMicrosecond);

// The whole view in 8 flat polygons: four bands, each two triangles.
void BM_FlatFill640x480In8Polygons(benchmark::State& state)
{
    SoftSpan_Init();
    SoftTestSurface screen = GameSizedScreen();
    std::vector<SoftVertex> triangles;
    for (int32_t band = 0; band < 4; ++band) {
        const int32_t top = band * H / 4, bottom = (band + 1) * H / 4;
        triangles.push_back(At(0, top, 1, 0, 0));
        triangles.push_back(At(W, top, 1, 0, 0));
        triangles.push_back(At(0, bottom, 1, 0, 0));
        triangles.push_back(At(W, top, 1, 0, 0));
        triangles.push_back(At(W, bottom, 1, 0, 0));
        triangles.push_back(At(0, bottom, 1, 0, 0));
    }
    for (auto _ : state) {
        for (size_t t = 0; t < triangles.size(); t += 3)
            Soft_DrawFlatPolygon(screen.record, &triangles[t], 3, 0x21212121u);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * W * H);
    SoftSpan_Uninit();
}
BENCHMARK(BM_FlatFill640x480In8Polygons)->Unit(benchmark::kMicrosecond);

void BM_RemapRectPixels640x480(benchmark::State& state)
{
    MemoryInit();
    ViewScreen_Init();
    GameScreen_Create(W, H);
    uint8_t table[256];
    for (int32_t i = 0; i < 256; ++i)
        table[i] = static_cast<uint8_t>(255 - i);
    for (auto _ : state) {
        Soft_RemapRect(M, M, W, H, table);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * W * H);
    ViewScreen_Uninit();
    MemoryUninit();
}
BENCHMARK(BM_RemapRectPixels640x480)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
