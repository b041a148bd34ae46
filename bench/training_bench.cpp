// bench/training_bench.cpp: one full redraw of the training programme, the team training and
// the player progress screen in a seeded career, headless.
#include <benchmark/benchmark.h>

#include "game/funcs.h"
#include "game/squad.h"
#include "menus/exm.h"
#include "menus/frontend.h"
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
    TimeScreenRedraws(state, PlayerProgress_Table(), [] {
        VTW_RefreshSquadCount(VTW_GetClubOfManager(MANAGER_HUMAN));
        CurrentPlayer = SquadList.players[0];
    });
}
BENCHMARK(BM_PlayerProgressRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
