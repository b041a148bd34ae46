// bench/core_bench.cpp: the speed of the core services every loop leans on.
#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/host/clock.h"
#include "engine/memory.h"
#include "engine/poll.h"
#include "engine/random.h"
#include "engine/timer.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t BENCH_LIVE_BLOCKS = 10000;
constexpr int32_t BENCH_PURGED_BLOCKS = 1000;
constexpr uint32_t BENCH_PURGED_BLOCK_BYTES = 1024;

void DoNothing() {}

// A Poll with every slot taken and nothing due: the cost every wait loop pays per turn.
void BM_PollNoneDueCalls(benchmark::State& state)
{
    ResetCoreForTest();
    PollInit();
    TimerInit();
    ClockSetAutoAdvance(false);
    for (int32_t i = 0; i < POLL_MAX_FUNCTIONS; ++i) {
        AddPollFunction(DoNothing, 1000, 0);
    }
    for (auto _ : state) {
        Poll();
    }
    state.SetItemsProcessed(state.iterations());
    ResetCoreForTest();
}
BENCHMARK(BM_PollNoneDueCalls);

void BM_AllocateFree64Bytes(benchmark::State& state)
{
    ResetCoreForTest();
    MemoryInit();
    std::vector<void*> live(BENCH_LIVE_BLOCKS, nullptr);
    for (void*& block : live) {
        AllocateMemory(&block, 64, MEM_TYPE_GAME);
    }
    void* block = nullptr;
    for (auto _ : state) {
        AllocateMemory(&block, 64, MEM_TYPE_GAME);
        FreeMemory(&block);
    }
    state.SetItemsProcessed(state.iterations());
    ResetCoreForTest();
}
BENCHMARK(BM_AllocateFree64Bytes);

// One allocation that has to purge every one of 1,000 purgeable blocks to fit the budget.
void BM_PurgeThousandBlocks(benchmark::State& state)
{
    ResetCoreForTest();
    MemoryInit();
    std::vector<void*> purgeable(BENCH_PURGED_BLOCKS, nullptr);
    void* incoming = nullptr;
    for (auto _ : state) {
        state.PauseTiming();
        MemorySetBudget(UINT32_MAX);
        for (int32_t i = 0; i < BENCH_PURGED_BLOCKS; ++i) {
            AllocateMemory(&purgeable[i], BENCH_PURGED_BLOCK_BYTES, MEM_TYPE_PURGEABLE);
            SetMemPriority(&purgeable[i], static_cast<uint32_t>(i % 7));
        }
        MemorySetBudget(BENCH_PURGED_BLOCKS * BENCH_PURGED_BLOCK_BYTES);
        state.ResumeTiming();

        AllocateMemory(&incoming, BENCH_PURGED_BLOCKS * BENCH_PURGED_BLOCK_BYTES, MEM_TYPE_GAME);

        state.PauseTiming();
        FreeMemory(&incoming);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * BENCH_PURGED_BLOCKS);
    ResetCoreForTest();
}
BENCHMARK(BM_PurgeThousandBlocks)->Unit(benchmark::kMicrosecond);

void BM_RandCalls(benchmark::State& state)
{
    SRand(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rand());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RandCalls);

}  // namespace

BENCHMARK_MAIN();
