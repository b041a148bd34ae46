// bench/tactics_bench.cpp: one full redraw of the finances and the player statistics screens in a
// seeded career, headless.
#include <benchmark/benchmark.h>

#include "menus/finances.h"
#include "menus/playerstats.h"
#include "tests/support/screen_redraw.h"

namespace {

void BM_FinancesRedraw(benchmark::State& state) { TimeScreenRedraws(state, Finances_Table()); }
BENCHMARK(BM_FinancesRedraw)->Unit(benchmark::kMillisecond);

void BM_StatsScreenRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, StatsScreen_Table());
}
BENCHMARK(BM_StatsScreenRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
