// bench/newgame_bench.cpp: building a career's database for the largest country.
#include <benchmark/benchmark.h>

#include "tests/support/game_world.h"

namespace {

void BM_NewGameCountry0(benchmark::State& state)
{
    ScopedWorld world;
    uint32_t seed = 1;
    for (auto _ : state) {
        NewGameForTest(0, seed++);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NewGameCountry0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
