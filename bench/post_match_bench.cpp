// bench/post_match_bench.cpp: one full redraw of the match statistics (inside the post-match
// sequence, every bar drawn), the match report (both columns filled), the rest of the world (a
// full page), the performance screen showing the ground covered, the time analysis after extra
// time and the analysis table (sixteen rows) in a seeded career, headless.
#include <benchmark/benchmark.h>

#include "game/fixtures.h"
#include "game/matchblocks.h"
#include "menus/matchanalysis.h"
#include "menus/matchstats.h"
#include "menus/performance.h"
#include "menus/reportscreen.h"
#include "menus/timeanalysis.h"
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

// A kept match of sixteen players a side who all played, thirty goals, every minute and every
// coverage cell filled.
void KeepAFullMatch()
{
    ReportFixture = 0;
    Fixture_SetExtraTime(0, 1);
    LastMatchCopyRecord& copy = LastMatchCopy;
    MatchDataBlock& d = *GetMatchDataBlock();
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
            copy.sides[side].playerIds[k] = static_cast<uint16_t>(100 + 16 * side + k);
            PlayerMatchRecord_Set(&copy.stats[side].players[k], PMR_RATING, 60 + k);
        }
    }
    copy.eventCount = 30;
    for (int16_t e = 0; e < copy.eventCount; ++e)
        copy.events[e] = {0, 0, static_cast<int16_t>(e * 4), static_cast<int16_t>(e & 1), 100, -1};
    for (int32_t m = 0; m < MATCH_TERRITORY_MINUTES; ++m)
        d.territory[m] = static_cast<uint8_t>(30 + m % 40);
    for (int32_t e = 0; e < MATCH_HEAT_MAPS; ++e) {
        for (int32_t r = 0; r < TACTIC_GRID_ROWS; ++r) {
            for (int32_t c = 0; c < TACTIC_GRID_COLUMNS; ++c)
                d.heatMaps[e][r][c] = static_cast<uint32_t>(c + 1);
        }
    }
}

void BM_PerformanceCoverageRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, Performance_Table(), [] {
        KeepAFullMatch();
        Performance.mode = PERFORMANCE_MODE_COVERAGE;
    });
}
BENCHMARK(BM_PerformanceCoverageRedraw)->Unit(benchmark::kMillisecond);

void BM_TimeAnalysisRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, TimeAnalysis_Table(), KeepAFullMatch);
}
BENCHMARK(BM_TimeAnalysisRedraw)->Unit(benchmark::kMillisecond);

void BM_MatchAnalysisRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, MatchAnalysis_Table(), KeepAFullMatch);
}
BENCHMARK(BM_MatchAnalysisRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
