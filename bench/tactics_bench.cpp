// bench/tactics_bench.cpp: one full redraw of the tactics editor, its help, the finances and the
// player statistics screens in a seeded career, headless.
#include "game/tactics.h"

#include <benchmark/benchmark.h>

#include "menus/finances.h"
#include "menus/playerstats.h"
#include "menus/tacticseditor.h"
#include "menus/tacticshelp.h"
#include "tests/support/screen_redraw.h"

namespace {

// A custom tactic whose ten outfield players all have both runs and a pass: the most arrows.
void EveryPlayerRunsAndPasses()
{
    CustomTactics[0] = *GetTactic(0);
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        TacticsSlot& s = CustomTactics[0].slots[slot];
        TacticsSlot_SetReceiver(&s, slot % (TACTIC_SLOT_COUNT - 1) + 1);
        s.crossing = 1;
        s.shooting = 2;
        s.throughBall = 1;
    }
    CurrentTactic = TACTIC_CUSTOM_FIRST;
}

void BM_TacticsEditorRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, TacticsEditor_Table(), EveryPlayerRunsAndPasses);
}
BENCHMARK(BM_TacticsEditorRedraw)->Unit(benchmark::kMillisecond);

void BM_TacticsHelpRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, TacticsHelp_Table());
}
BENCHMARK(BM_TacticsHelpRedraw)->Unit(benchmark::kMillisecond);

void BM_FinancesRedraw(benchmark::State& state) { TimeScreenRedraws(state, Finances_Table()); }
BENCHMARK(BM_FinancesRedraw)->Unit(benchmark::kMillisecond);

void BM_StatsScreenRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, StatsScreen_Table());
}
BENCHMARK(BM_StatsScreenRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
