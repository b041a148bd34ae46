// bench/training_bench.cpp: one full redraw of the training programme and the team training
// screen in a seeded career, headless.
#include <benchmark/benchmark.h>

#include "menus/exm.h"
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

}  // namespace

BENCHMARK_MAIN();
