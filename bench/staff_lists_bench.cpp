// bench/staff_lists_bench.cpp: one full redraw of the staff choice, the shortlist, the past
// transfers (with a full table of records) and the job centre in a seeded career, headless.
#include <benchmark/benchmark.h>

#include "game/records.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/transfers.h"
#include "menus/exm.h"
#include "menus/jobcentre.h"
#include "menus/pasttransfers.h"
#include "menus/shortlistscreen.h"
#include "menus/staffchoice.h"
#include "tests/support/screen_redraw.h"

namespace {

void BM_StaffChoiceRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, StaffChoice_Table());
}
BENCHMARK(BM_StaffChoiceRedraw)->Unit(benchmark::kMillisecond);

void BM_ShortlistRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, Shortlist_Table(), [] {
        VTW_RefreshSquadCount(DivisionLists[0][1]);
        for (int32_t i = 0; i < SquadList.count; ++i) {
            ShortList_Add_Player(SquadList.players[i]);
        }
    });
}
BENCHMARK(BM_ShortlistRedraw)->Unit(benchmark::kMillisecond);

void BM_PastTransfersRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, PastTransfers_Table(), [] {
        for (int32_t k = Transfers_Count(); k < TRANSFER_ROWS; ++k) {
            Transfers_Add(DivisionLists[0][1], DivisionLists[0][2], 100 + k % 500, 0, 1000 * k);
        }
    });
}
BENCHMARK(BM_PastTransfersRedraw)->Unit(benchmark::kMillisecond);

// Six vacancies and six threatened posts, so both lists are full.
void BM_JobCentreRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, JobCentre_Table(), [] {
        for (int32_t k = 1; k <= 12; ++k) {
            ClubRecord& club = DbClubs[DivisionLists[0][k]];
            if (k <= 6) club.manager = -1;
            club.boardPatience = 0;
        }
    });
}
BENCHMARK(BM_JobCentreRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
