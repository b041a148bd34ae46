// bench/post_match_bench.cpp: one full redraw of the match statistics (inside the post-match
// sequence, every bar drawn), the match report (both columns filled) and the rest of the world
// (a full page) in a seeded career, headless.
#include <benchmark/benchmark.h>

#include "game/fixtures.h"
#include "game/matchblocks.h"
#include "menus/matchstats.h"
#include "menus/reportscreen.h"
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

// Twenty goals and five sendings-off by twelve persons, both sides.
void BM_MatchReportRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, MatchReport_Table(), [] {
        ReportFixture = 0;
        for (int32_t k = 0; k < LAST_MATCH_INCIDENT_MAX; ++k) {
            LastMatchIncident& i = LastMatchIncidents[k];
            i = {};
            i.person = static_cast<int16_t>(100 + k % 12);
            LastMatchIncident_SetSideKind(&i, k & 1, k < 20 ? 0 : 3);
            i.minute = static_cast<uint8_t>(3 * k + 1);
        }
    });
}
BENCHMARK(BM_MatchReportRedraw)->Unit(benchmark::kMillisecond);

void BM_RestOfWorldRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, RestOfWorld_Table());
}
BENCHMARK(BM_RestOfWorldRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
