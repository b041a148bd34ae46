// bench/gfx_bench.cpp: the block routines and colour conversions that every 2D frame runs, over
// a 640 x 480 screen.
#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/blocks.h"
#include "engine/colconv.h"
#include "engine/host/host.h"
#include "engine/random.h"

namespace {

constexpr int32_t WIDTH = 640;
constexpr int32_t HEIGHT = 480;
constexpr int64_t PIXELS = int64_t{WIDTH} * HEIGHT;

// A sprite-like source: runs of colour with transparent gaps, from the seeded generator.
std::vector<uint8_t> Picture(size_t bytes)
{
    SRand(1234);
    std::vector<uint8_t> picture(bytes);
    for (size_t i = 0; i < bytes; ++i) {
        picture[i] = (Rand() % 4 == 0) ? 0 : static_cast<uint8_t>(1 + Rand() % 255);
    }
    return picture;
}

void BM_BlockCopyPixels640x480(benchmark::State& state)
{
    const std::vector<uint8_t> source = Picture(PIXELS);
    std::vector<uint8_t> screen(PIXELS);
    for (auto _ : state) {
        BlockCopy(HEIGHT, 0, 0, WIDTH, source.data(), screen.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * PIXELS);
}
BENCHMARK(BM_BlockCopyPixels640x480)->Unit(benchmark::kMicrosecond);

void BM_BlockCopyTransPixels640x480(benchmark::State& state)
{
    const std::vector<uint8_t> source = Picture(PIXELS);
    std::vector<uint8_t> screen(PIXELS, 7);
    for (auto _ : state) {
        BlockCopyTrans(HEIGHT, 0, 0, WIDTH, source.data(), screen.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * PIXELS);
}
BENCHMARK(BM_BlockCopyTransPixels640x480)->Unit(benchmark::kMicrosecond);

void BM_BlockScaledCopyPixels320x240To640x480(benchmark::State& state)
{
    const std::vector<uint8_t> source = Picture(PIXELS / 4);
    std::vector<uint8_t> screen(PIXELS);
    for (auto _ : state) {
        BlockScaledCopy(0, 0, WIDTH / 2, HEIGHT / 2, source.data(), WIDTH, HEIGHT, screen.data(),
                        WIDTH);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * PIXELS);
}
BENCHMARK(BM_BlockScaledCopyPixels320x240To640x480)->Unit(benchmark::kMicrosecond);

void BM_ColConvRow565To8Pixels640x480(benchmark::State& state)
{
    const std::vector<uint8_t> picture = Picture(PIXELS * 2);
    std::vector<uint8_t> row(picture.size());
    for (auto _ : state) {
        state.PauseTiming();
        row = picture;
        state.ResumeTiming();
        ColConvRow565To8(row.data(), static_cast<uint32_t>(PIXELS));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * PIXELS);
}
BENCHMARK(BM_ColConvRow565To8Pixels640x480)->Unit(benchmark::kMicrosecond);

void BM_ColConvMemory565To32Pixels640x480(benchmark::State& state)
{
    ColFmt from{}, to{};
    DDrawPixelFormat2ColFmt(HOST_FORMAT_RGB565, &from);
    DDrawPixelFormat2ColFmt(HOST_FORMAT_XRGB8888, &to);
    const std::vector<uint8_t> source = Picture(PIXELS * 2);
    std::vector<uint32_t> destination(PIXELS);
    for (auto _ : state) {
        ColConvMemory(source.data(), from, destination.data(), to, static_cast<uint32_t>(PIXELS));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * PIXELS);
}
BENCHMARK(BM_ColConvMemory565To32Pixels640x480)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
