// bench/search_bench.cpp: the player search's whole-world rebuild, and one full redraw of its
// screen with the list clean, in a seeded career, headless.
#include <benchmark/benchmark.h>

#include "game/playersearch.h"
#include "game/shortlist.h"
#include "menus/frontend.h"
#include "menus/playersearch.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t PACE_ROW = 9;

// The whole-program run's search: a pace of at least 70, ranked by the weighted score.
void FastPlayers()
{
    MenuOption = OPTION_PLAYER_SEARCH;
    PlayerSearchMode = 0;
    SearchSetup.ownClub = 0;
    SearchMinimums[PACE_ROW] = 70;
    SearchWeights[PACE_ROW] = 70;
    SearchSetup.sortKey = 1;
}

void BM_SearchWholeWorldMs(benchmark::State& state)
{
    ScopedScreenRedraw career(FastPlayers);
    PlayerSearch_SetSortKeys();
    for (auto _ : state) {
        SearchListDirty = 1;
        PlayerSearch_Build();
        benchmark::DoNotOptimize(SearchList.count);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SearchWholeWorldMs)->Unit(benchmark::kMillisecond);

void BM_SearchScreenRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, PlayerSearch_Table(), FastPlayers);
}
BENCHMARK(BM_SearchScreenRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
