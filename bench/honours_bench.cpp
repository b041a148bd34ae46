// bench/honours_bench.cpp: full redraws of the club records, the roll of honour, the managers'
// list and the friendlies screens, each filled, and the first build of the managers' list.
#include "game/honours.h"

#include <benchmark/benchmark.h>

#include "game/gamestate.h"
#include "game/ids.h"
#include "game/records.h"
#include "game/tables.h"
#include "menus/clubrecords.h"
#include "menus/friendly.h"
#include "menus/honours.h"
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

// Every slot of the roll filled: ten qualifiers in each continental list.
void BM_RollOfHonourRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, RollOfHonour_Table(), [] {
        for (int32_t k = 0; k < EURO_QUALIFIERS_MAX; ++k) {
            EuroQualifiers.champions[k] = static_cast<int16_t>(DivisionLists[0][k]);
            EuroQualifiers.second[k] = static_cast<int16_t>(DivisionLists[0][10 + k]);
        }
        EuroQualifiers.counts[0] = EuroQualifiers.counts[1] = EURO_QUALIFIERS_MAX;
    });
}
BENCHMARK(BM_RollOfHonourRedraw)->Unit(benchmark::kMillisecond);

void BM_ManagerListRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, ManagerReputation_Table());
}
BENCHMARK(BM_ManagerListRedraw)->Unit(benchmark::kMillisecond);

void BM_FriendlyRedraw(benchmark::State& state) { TimeScreenRedraws(state, Friendly_Table()); }
BENCHMARK(BM_FriendlyRedraw)->Unit(benchmark::kMillisecond);

// The managers' list's first build scans every person.
void BM_ManagerListCollect(benchmark::State& state)
{
    ScopedScreenRedraw career;
    for (auto _ : state) {
        RankedLists_Collect(RANKED_MANAGERS);
        benchmark::DoNotOptimize(RankedLists.count);
    }
}
BENCHMARK(BM_ManagerListCollect)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
