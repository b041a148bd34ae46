// bench/simmatch_bench.cpp: computer fixtures played one after another (set-up, statistical
// simulation and post-match processing), as a match day plays them.
#include <benchmark/benchmark.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "tests/support/game_world.h"

namespace {

// Every league row of a new game of the largest country, on its own day, then a fresh new game.
void BM_SimulatedFixtures(benchmark::State& state)
{
    ScopedWorld world;
    ScopedTactics tactics;
    MatchBlocks_Init();
    uint32_t seed = 1;
    NewGameForTest(0, seed);
    int32_t row = 0;
    for (auto _ : state) {
        while (row < Fixture_RowCount() && VTW_GetFixtureCompetition(row) != COMP_LEAGUE) {
            ++row;
        }
        if (row == Fixture_RowCount()) {
            state.PauseTiming();
            NewGameForTest(0, ++seed);
            row = 0;
            state.ResumeTiming();
            continue;
        }
        Calendar_SetDay(VTW_GetFixtureDay(row));
        Season_PlayMatchDay(row++);
    }
    state.SetItemsProcessed(state.iterations());
    MatchBlocks_Uninit();
}
BENCHMARK(BM_SimulatedFixtures)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
