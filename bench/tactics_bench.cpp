// bench/tactics_bench.cpp: one full redraw of the finances screen in a seeded career, headless.
#include <benchmark/benchmark.h>

#include "menus/finances.h"
#include "tests/support/screen_redraw.h"

namespace {

void BM_FinancesRedraw(benchmark::State& state) { TimeScreenRedraws(state, Finances_Table()); }
BENCHMARK(BM_FinancesRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
