// bench/transfer_screens_bench.cpp: one full redraw of the transfer negotiation, the contract
// talks and the set-price screen (their builds, every item, the presentation) in a seeded career,
// headless.
#include <functional>

#include <benchmark/benchmark.h>

#include "game/gamestate.h"
#include "game/squad.h"
#include "game/tables.h"
#include "menus/contracttalks.h"
#include "menus/frontend.h"
#include "menus/negotiation.h"
#include "menus/setprice.h"
#include "tests/support/screen_redraw.h"

namespace {

void PickPlayerOf(int32_t club)
{
    VTW_RefreshSquadCount(club);
    CurrentPlayer = static_cast<int16_t>(VTW_GetPlayerByShirt(14));
}

void BM_NegotiationRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, Negotiation_Table(), [] { PickPlayerOf(DivisionLists[0][1]); });
}
BENCHMARK(BM_NegotiationRedraw)->Unit(benchmark::kMillisecond);

void BM_ContractTalksRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, ContractTalks_Table(), [] { PickPlayerOf(GameState.humanClub); });
}
BENCHMARK(BM_ContractTalksRedraw)->Unit(benchmark::kMillisecond);

void BM_SetPriceRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, SetPrice_Table(), [] { PickPlayerOf(GameState.humanClub); });
}
BENCHMARK(BM_SetPriceRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
