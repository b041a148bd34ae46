// bench/honours_bench.cpp: full redraws of the club records screen with every record row and
// every honour row filled.
#include "game/honours.h"

#include <benchmark/benchmark.h>

#include "game/gamestate.h"
#include "game/ids.h"
#include "game/records.h"
#include "game/tables.h"
#include "menus/clubrecords.h"
#include "tests/support/screen_redraw.h"

namespace {

// Every record set against another club of the division, and each cup won on eleven seasons.
void FillRecords()
{
    ClubRecord& club = DbClubs[GameState.humanClub];
    const auto other = static_cast<int16_t>(DivisionLists[0][3]);
    const auto player = static_cast<int16_t>(PERSON_FIRST_ORDINARY + 10);
    for (int32_t kind = 0; kind < CLUB_REC_COUNT; ++kind) {
        club.records[kind] = {
            kind == CLUB_REC_DEFEAT ? 1 : 900000 + kind, 3, player, other, 12, 5, 3, 4};
    }
    for (int32_t row = 0; row < 22; row += 2) {
        for (int32_t column = 0; column < 7; ++column) {
            HonoursTable[row][column][0] = static_cast<int16_t>(club.team);
        }
    }
    GameState.seasonCounter = 30;
}

void BM_ClubRecordsRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, ClubRecords_Table(), FillRecords);
}
BENCHMARK(BM_ClubRecordsRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
