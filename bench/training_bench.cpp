// bench/training_bench.cpp: one full redraw of the training programme, the team training, the
// player progress screen, the individual training and the injury list in a seeded career,
// headless.
#include <benchmark/benchmark.h>

#include "game/funcs.h"
#include "game/records.h"
#include "game/squad.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/individualtraining.h"
#include "menus/teamtraining.h"
#include "menus/trainingprogramme.h"
#include "tests/support/screen_redraw.h"

namespace {

void BM_TrainingProgrammeRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, TrainingProgramme_Table());
}
BENCHMARK(BM_TrainingProgrammeRedraw)->Unit(benchmark::kMillisecond);

void BM_TeamTrainingRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, TeamTraining_Table());
}
BENCHMARK(BM_TeamTrainingRedraw)->Unit(benchmark::kMillisecond);

// The progress curves of the human's first squad player.
void BM_PlayerProgressRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, PlayerAttributes_Table(), [] {
        VTW_RefreshSquadCount(VTW_GetClubOfManager(MANAGER_HUMAN));
        CurrentPlayer = SquadList.players[0];
    });
}
BENCHMARK(BM_PlayerProgressRedraw)->Unit(benchmark::kMillisecond);

// The emphases of the human's first squad player.
void BM_IndividualTrainingRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, IndividualTraining_Table(), [] {
        VTW_InitTrainingBuffer();
        VTW_RefreshSquadCount(VTW_GetClubOfManager(MANAGER_HUMAN));
        CurrentPlayer = SquadList.players[0];
    });
}
BENCHMARK(BM_IndividualTrainingRedraw)->Unit(benchmark::kMillisecond);

// Three of the human's players injured, one for longer than the list can tell.
void BM_InjuryListRedraw(benchmark::State& state)
{
    TimeScreenRedraws(state, InjuryList_Table(), [] {
        VTW_RefreshSquadCount(VTW_GetClubOfManager(MANAGER_HUMAN));
        for (int32_t k = 0; k < 3; ++k) {
            PlayerRecord& p = DbPlayers[SquadList.players[k]];
            p.flags |= PLAYER_INJURED;
            p.injuryType = static_cast<uint8_t>(k);
            p.injuryDays = static_cast<uint8_t>(7 + 90 * k);
        }
    });
}
BENCHMARK(BM_InjuryListRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
