// bench/stats_screens_bench.cpp: full redraws of the club statistics screens and the match graphs
// over a season with every column, line-up and bar filled.
#include <benchmark/benchmark.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/records.h"
#include "game/squad.h"
#include "menus/clubmatches.h"
#include "menus/goalstats.h"
#include "menus/matchgraphs.h"
#include "menus/miscstats.h"
#include "tests/support/screen_redraw.h"

namespace {

// The human club's first three matches played, with sixteen players a side and every mark.
void PlayThreeMatches()
{
    const int32_t club = GameState.humanClub;
    // From the season's last day every match is behind; then back to the fourth match's day.
    Calendar_SetDay(VTW_GetFixtureDay(Fixture_RowCount() - 1));
    Calendar_SetDay(VTW_GetFixtureDay(Fixture_PlayedRowOfClub(club, 3).row));
    for (int32_t k = 0; k < CLUB_MATCHES_COLUMNS; ++k) {
        const int32_t row = Fixture_PlayedRowOfClub(club, k).row;
        Fixture_SetGoals(row, 3, 2);
        Fixture_SetAttendance(row, 45678);
        for (int32_t side = 0; side < 2; ++side) {
            for (int32_t n = 0; n < FIXTURE_SIDE_PLAYERS; ++n) {
                const auto marks = static_cast<uint8_t>(1 | (n % 3) << 4 | (n == 7 ? 0x80 : 0));
                Fixture_SetPlayerRow(row, side, n,
                                     {static_cast<int16_t>(100 + 20 * side + n), 0, 70, marks, 0});
            }
        }
    }
}

void BM_ClubMatchesRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, ClubMatches_Table(), PlayThreeMatches);
}
BENCHMARK(BM_ClubMatchesRedraw)->Unit(benchmark::kMillisecond);

// Every club of the division with an average crowd, and the human's home matches played.
void BM_AttendanceStatsRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, AttendanceStats_Table(), [] {
        PlayThreeMatches();
        for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
            if (ClubRecord* r = VTW_GetClubRecordPtr(club); r != nullptr) {
                r->attendanceSum = 1000 * (club + 1);
                r->attendanceCount = 1;
            }
        }
    });
}
BENCHMARK(BM_AttendanceStatsRedraw)->Unit(benchmark::kMillisecond);

// A goal log of 100 goals each way by the squad, of every kind, minute and venue.
void BM_GoalStatsRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, GoalStats_Table(), [] {
        PlayThreeMatches();
        const int32_t club = GameState.humanClub;
        const int32_t squad = VTW_RefreshSquadCount(club);
        ClubRecord& r = *VTW_GetClubRecordPtr(club);
        for (int32_t k = 0; k < 100; ++k) {
            for (int32_t which = 0; which < 2; ++which) {
                r.goals[k][which] = {static_cast<int16_t>(VTW_GetSquadPlayer(k % squad)),
                                     static_cast<uint8_t>(k % 95),
                                     GoalLog_Pack(k % 9, k % 3 == 0 ? 1 : 0, k % 2 == 1),
                                     static_cast<uint8_t>(k % 7 == 0 ? COMP_CUP_BASE : COMP_LEAGUE),
                                     {0, 0, 0}};
            }
        }
        r.goals[100][0].player = r.goals[100][1].player = -1;
    });
}
BENCHMARK(BM_GoalStatsRedraw)->Unit(benchmark::kMillisecond);

// Every counter and 150 cards.
void BM_MiscStatsRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, MiscStats_Table(), [] {
        PlayThreeMatches();
        ClubRecord& r = *VTW_GetClubRecordPtr(GameState.humanClub);
        for (int32_t k = 0; k < 2 * 2 * SEASON_COUNTERS; ++k)
            (&r.seasonCounters[0][0][0])[k] = static_cast<int16_t>(3 + k % 7);
        for (int32_t k = 0; k < 150; ++k)
            r.cards[k] = {static_cast<int8_t>(k % 95), static_cast<uint8_t>(1 + k % 2)};
        r.cards[150].minute = -1;
    });
}
BENCHMARK(BM_MiscStatsRedraw)->Unit(benchmark::kMillisecond);

// The third match kept with sixteen players a side, every count of the attack set filled.
void BM_MatchGraphsRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, MatchGraphs_Table(), [] {
        PlayThreeMatches();
        const int32_t club = GameState.humanClub;
        LastMatchCopy.fixtureRow = static_cast<int16_t>(Fixture_PlayedRowOfClub(club, 2).row);
        VTW_RefreshSquadCount(club);
        for (int32_t side = 0; side < 2; ++side) {
            for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
                LastMatchCopy.sides[side].playerIds[k] =
                    static_cast<uint16_t>(VTW_GetSquadPlayer(k));
                PlayerMatchRecord& p = LastMatchCopy.stats[side].players[k];
                for (const int32_t field : {10, 18, 22, 23, 26, 35, 7})
                    PlayerMatchRecord_Set(&p, field, 1 + (k + field) % 4);
            }
        }
    });
}
BENCHMARK(BM_MatchGraphsRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
