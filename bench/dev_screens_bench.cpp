// bench/dev_screens_bench.cpp: the developer's "Money" and "Squads" screens in a seeded career,
// headless: a full redraw, and the counting over every club that their first build does.
#include <benchmark/benchmark.h>

#include "menus/devscreens.h"
#include "tests/support/screen_redraw.h"

namespace {

void BM_DevMoneyRedraw(benchmark::State& state) { TimeScreenRedraws(state, DevMoney_Table()); }
BENCHMARK(BM_DevMoneyRedraw)->Unit(benchmark::kMillisecond);

void BM_DevSquadsRedraw(benchmark::State& state) { TimeScreenRedraws(state, DevSquads_Table()); }
BENCHMARK(BM_DevSquadsRedraw)->Unit(benchmark::kMillisecond);

template <void (*Count)()>
void TimeCounting(benchmark::State& state)
{
    ScopedScreenRedraw career;
    for (auto _ : state)
        Count();
}

void BM_DevMoneyFirstBuildCounting(benchmark::State& state) { TimeCounting<DevMoney_Count>(state); }
BENCHMARK(BM_DevMoneyFirstBuildCounting)->Unit(benchmark::kMillisecond);

void BM_DevSquadsFirstBuildCounting(benchmark::State& state)
{
    TimeCounting<DevSquads_Count>(state);
}
BENCHMARK(BM_DevSquadsFirstBuildCounting)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
