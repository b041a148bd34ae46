// The season's screens redrawn in full as their menu loop redraws them: the club calendar, the
// league table (with the tables recomputed at every build) mid-season, and the day's fixtures.
#include <benchmark/benchmark.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "menus/clubcalendar.h"
#include "menus/exm.h"
#include "menus/fixturelist.h"
#include "menus/leaguetable.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t MID_SEASON = 180;

// Every fixture before mid-season played, with scores that vary from row to row.
void PlayToMidSeason()
{
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        if (VTW_GetFixtureDay(row) < MID_SEASON) Fixture_SetGoals(row, row % 4, row % 3);
    }
    Calendar_SetDay(MID_SEASON);
}

void RunRedraws(benchmark::State& state, const MenuItem* table)
{
    ScopedScreenRedraw screen(PlayToMidSeason);
    int64_t redraws = 0;
    screen.Run(table, [&] {
        for (auto _ : state) {
            EXM_RedrawNow();
            ++redraws;
        }
    });
    state.SetItemsProcessed(redraws);
}

void BM_CalendarRedraw(benchmark::State& state) { RunRedraws(state, ClubCalendar_Table()); }
void BM_LeagueTableRedraw(benchmark::State& state) { RunRedraws(state, LeagueTable_Table()); }
void BM_FixtureListRedraw(benchmark::State& state) { RunRedraws(state, FixtureList_Table()); }

BENCHMARK(BM_CalendarRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeagueTableRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FixtureListRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
