// bench/history_screens_bench.cpp: full redraws of the history screens, each filled, and the
// scorers' first build, which scans every full player.
#include <benchmark/benchmark.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/transfers.h"
#include "menus/besteleven.h"
#include "menus/cupgroups.h"
#include "menus/exm.h"
#include "menus/historylists.h"
#include "menus/historyrecords.h"
#include "menus/leaguehistory.h"
#include "tests/support/screen_redraw.h"

namespace {

// Thirty players of the top division score and are rated: every row of both lists filled.
void FillScorers()
{
    int32_t scorers = 0;
    for (int32_t id = 0; id < FullPlayerCount && scorers < 30; ++id) {
        PlayerRecord& p = DbPlayers[id];
        if (p.club >= 0 && p.club < CLUB_ID_COUNT && p.position > 0 && p.position < 13) {
            p.seasonGoals = static_cast<uint8_t>(1 + scorers % 20);
            p.ratedCount = 10;
            p.perfSum = static_cast<uint16_t>(p.ratedCount * (40 + scorers++));
        }
    }
}

void BM_TopScorersRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, TopScorers_Table(), FillScorers);
}
BENCHMARK(BM_TopScorersRedraw)->Unit(benchmark::kMillisecond);

void BM_AveragePerformanceRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, AveragePerformance_Table(), FillScorers);
}
BENCHMARK(BM_AveragePerformanceRedraw)->Unit(benchmark::kMillisecond);

// The first build of either list: every full player scanned. Argument: the key (0 goals).
void BM_TopScorersCollect(benchmark::State& state)
{
    ScopedScreenRedraw career(FillScorers);
    for (auto _ : state) {
        ScorerLists_Collect(static_cast<int32_t>(state.range(0)));
        benchmark::DoNotOptimize(ScorerLists.entries[0][0]);
    }
}
BENCHMARK(BM_TopScorersCollect)
    ->Arg(HISTORY_GOALS)
    ->Arg(HISTORY_PERFORMANCE)
    ->Unit(benchmark::kMillisecond);

// Fifteen purchases of the human's club.
void BM_ClubTransfersRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, ClubTransfers_Table(), [] {
        for (int32_t k = 0; k < 15; ++k) {
            Transfers_Add(DivisionLists[0][3], GameState.humanClub, PERSON_FIRST_ORDINARY + k, 0,
                          100000 * k);
        }
        GameState.currentClub = GameState.humanClub;
    });
}
BENCHMARK(BM_ClubTransfersRedraw)->Unit(benchmark::kMillisecond);

// Fifteen seasons of division 0's champions and runners-up.
void BM_TrophiesRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, Trophies_Table(), [] {
        for (int32_t season = 0; season < 15; ++season) {
            HonoursTable[season][HONOURS_DIVISION_FIRST][0] = static_cast<int16_t>(season);
            HonoursTable[season][HONOURS_DIVISION_FIRST][1] = static_cast<int16_t>(season + 1);
        }
    });
}
BENCHMARK(BM_TrophiesRedraw)->Unit(benchmark::kMillisecond);

// A page step of the trophies, the arrow's check and the rows' fill, down through every kept
// season of a division won each season, then back up.
void BM_TrophiesPaging(benchmark::State& state)
{
    ScopedScreenRedraw career([] {
        for (int32_t season = 0; season < HONOURS_SEASONS; ++season) {
            HonoursTable[season][HONOURS_DIVISION_FIRST][0] = static_cast<int16_t>(season % 20);
            HonoursTable[season][HONOURS_DIVISION_FIRST][1] = static_cast<int16_t>(season % 20 + 1);
        }
        Trophies.honour = HONOURS_DIVISION_FIRST;
        Trophies.first = 0;
    });
    int64_t steps = 0;
    int32_t (*step)() = Trophies_Down;
    for (auto _ : state) {
        if (step() != EXM_CODE_REDRAW) step = step == Trophies_Down ? Trophies_Up : Trophies_Down;
        Trophies_FillRows();
        benchmark::DoNotOptimize(Trophies.rows[0].winner);
        ++steps;
    }
    state.SetItemsProcessed(steps);
}
BENCHMARK(BM_TrophiesPaging)->Unit(benchmark::kMicrosecond);

// Ten seasons of history, the club moving through every division.
void BM_LeagueHistoryRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, LeagueHistory_Table(), [] {
        GameState.seasonCounter = 10;
        ClubRecord* r = VTW_GetClubRecordPtr(GameState.humanClub);
        for (int32_t row = 0; row < 10; ++row) {
            r->history[row] = {static_cast<uint8_t>(1 + row * 9),
                               {0, 0, 0},
                               static_cast<uint32_t>(5000 + 3000 * row)};
        }
        GameState.currentClub = GameState.humanClub;
    });
}
BENCHMARK(BM_LeagueHistoryRedraw)->Unit(benchmark::kMillisecond);

// Eight seasons of five best players beside fifteen scorers.
void BM_BestPlayersRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, BestPlayers_Table(), [] {
        FillScorers();
        GameState.seasonCounter = 8;
        ClubRecord* r = VTW_GetClubRecordPtr(GameState.humanClub);
        for (int32_t season = 0; season < 8; ++season) {
            for (int32_t rank = 0; rank < 5; ++rank) {
                r->seasonBest[season][rank] = {
                    static_cast<int16_t>(PERSON_FIRST_ORDINARY + season + rank), 0, 80 - rank};
            }
        }
        GameState.currentClub = GameState.humanClub;
    });
}
BENCHMARK(BM_BestPlayersRedraw)->Unit(benchmark::kMillisecond);

// Inside its window, a full eleven of hard men.
void BM_BestElevenRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, BestEleven_Table(), [] {
        for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
            DbPlayers[id].disciplinePoints = static_cast<uint8_t>(1 + id % 9);
        }
        BestEleven.category = BEST_DISCIPLINE;
        Calendar_SetDay(VTW_GetSeasonEndDay() + 20);
    });
}
BENCHMARK(BM_BestElevenRedraw)->Unit(benchmark::kMillisecond);

// The career's first group with its matches as the new game scheduled them.
void BM_CupGroupsRedraw(benchmark::State& state) { TimeScreenRedraws(state, CupGroups_Table()); }
BENCHMARK(BM_CupGroupsRedraw)->Unit(benchmark::kMillisecond);

// The career's own records: whatever the new game holds, every row formatted.
void BM_NationalRecordsRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, NationalRecords_Table());
}
BENCHMARK(BM_NationalRecordsRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
