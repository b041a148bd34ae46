// bench/day_advance_bench.cpp: days passed through the advance loop in the unattended run, the
// day screen's drawing included, in days per second.
#include <benchmark/benchmark.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/matchblocks.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/tactics.h"
#include "menus/dayscreen.h"
#include "menus/frontend.h"
#include "tests/support/day_loop.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"

namespace {

void BM_AdvanceLoopDays(benchmark::State& state)
{
    ScopedDayLoop loop;
    NewGameForTest(0, 1);
    VTW_SetClubControl(1, MANAGER_HUMAN);
    GameState.humanClub = 1;
    GameState.currentClub = 1;
    AutoRunMode = 1;
    AdvanceMode = ADVANCE_ONE_DAY;
    int64_t days = 0;
    for (auto _ : state) {
        Game_AdvanceLoop();
        ++days;
    }
    state.SetItemsProcessed(days);
}
BENCHMARK(BM_AdvanceLoopDays)->Iterations(120)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
