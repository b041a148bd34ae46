// bench/post_match_bench.cpp: one full redraw of the match statistics (inside the post-match
// sequence, every bar drawn) and of the rest of the world (a full page) in a seeded career,
// headless.
#include <benchmark/benchmark.h>

#include "game/fixtures.h"
#include "game/matchblocks.h"
#include "menus/matchstats.h"
#include "tests/support/screen_redraw.h"

namespace {

void BM_MatchStatsRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, MatchStats_Table(), [] {
        ReportFixture = 0;
        MatchReportFlags = MATCH_REPORT_IN_SEQUENCE;
        MatchDataBlock& d = *GetMatchDataBlock();
        for (int32_t side = 0; side < 2; ++side) {
            d.sides[side] = {};
            d.sides[side].shotsOnTarget = static_cast<int16_t>(4 + side);
            d.sides[side].corners = static_cast<int16_t>(3 - side);
            d.sides[side].possession = static_cast<int16_t>(45 + 10 * side);
            d.sides[side].manOfTheMatch = -1;
        }
        d.territoryTotals[0] = d.territoryTotals[1] = d.territoryTotals[2] = 30;
    });
    MatchReportFlags = 0;
}
BENCHMARK(BM_MatchStatsRedraw)->Unit(benchmark::kMillisecond);

void BM_RestOfWorldRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, RestOfWorld_Table());
}
BENCHMARK(BM_RestOfWorldRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
