// bench/squad_screens_bench.cpp: one full redraw of the squad screen and of the player card
// (their builds, every item, the presentation) in a seeded career, headless.
#include <benchmark/benchmark.h>

#include "game/gamestate.h"
#include "game/squad.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/playercard.h"
#include "menus/squadscreen.h"
#include "tests/support/screen_redraw.h"

namespace {

void BM_SquadScreenRedraw(benchmark::State& state) { TimeScreenRedraws(state, Squad_Table()); }
BENCHMARK(BM_SquadScreenRedraw)->Unit(benchmark::kMillisecond);

void BM_PlayerCardRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, PlayerCard_Table(), [] {
        VTW_RefreshSquadCount(GameState.humanClub);
        CurrentPlayer = static_cast<int16_t>(VTW_GetPlayerByShirt(1));
    });
}
BENCHMARK(BM_PlayerCardRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
