// bench/transfer_screens_bench.cpp: one full redraw of the transfer negotiation, the contract
// talks and the set-price screen (their builds, every item, the presentation) in a seeded career,
// headless.
#include <functional>

#include <benchmark/benchmark.h>

#include "game/gamestate.h"
#include "game/squad.h"
#include "game/tables.h"
#include "menus/contracttalks.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/negotiation.h"
#include "menus/setprice.h"
#include "tests/support/screen_redraw.h"

namespace {

// Runs the screen and times redraws from inside its loop, which Escape then leaves.
void TimeRedraws(benchmark::State& state, const MenuItem* table, const std::function<void()>& setUp)
{
    ScopedScreenRedraw career(setUp);
    int64_t redraws = 0;
    career.Run(table, [&] {
        for (auto _ : state) {
            EXM_RedrawNow();
            ++redraws;
        }
    });
    state.SetItemsProcessed(redraws);
}

void PickPlayerOf(int32_t club)
{
    VTW_RefreshSquadCount(club);
    CurrentPlayer = static_cast<int16_t>(VTW_GetPlayerByShirt(14));
}

void BM_NegotiationRedraw(benchmark::State& state)
{
    TimeRedraws(state, Negotiation_Table(), [] { PickPlayerOf(DivisionLists[0][1]); });
}
BENCHMARK(BM_NegotiationRedraw)->Unit(benchmark::kMillisecond);

void BM_ContractTalksRedraw(benchmark::State& state)
{
    TimeRedraws(state, ContractTalks_Table(), [] { PickPlayerOf(GameState.humanClub); });
}
BENCHMARK(BM_ContractTalksRedraw)->Unit(benchmark::kMillisecond);

void BM_SetPriceRedraw(benchmark::State& state)
{
    TimeRedraws(state, SetPrice_Table(), [] { PickPlayerOf(GameState.humanClub); });
}
BENCHMARK(BM_SetPriceRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
