// bench/stats_screens_bench.cpp: full redraws of the club statistics screens over a season with
// every column, line-up and bar filled.
#include <benchmark/benchmark.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/records.h"
#include "menus/clubmatches.h"
#include "menus/goalstats.h"
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

}  // namespace

BENCHMARK_MAIN();
