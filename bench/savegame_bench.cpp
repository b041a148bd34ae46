// bench/savegame_bench.cpp: a generated career of country 0 saved to a slot and loaded back, in
// a temporary folder, every sync to the disk included; one save or one load per iteration.
#include "game/savegame.h"

#include <benchmark/benchmark.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

// The career, its saved-state modules and a home of its own for the benchmark's life.
struct SavedCareer {
    SavedCareer()
    {
        NewGameForTest(0, 1);
        VTW_SetClubControl(1, MANAGER_HUMAN);
        GameState.humanClub = 1;
    }
    ScopedWorld world;
    ScopedSeason season;
    TempHome home;
};

void BM_SaveGameSlot(benchmark::State& state)
{
    SavedCareer career;
    for (auto _ : state) {
        if (SaveGame(1) != SAVEGAME_OK) state.SkipWithError("SaveGame() failed");
    }
}
BENCHMARK(BM_SaveGameSlot)->Unit(benchmark::kMillisecond);

void BM_LoadGameSlot(benchmark::State& state)
{
    SavedCareer career;
    if (SaveGame(1) != SAVEGAME_OK) state.SkipWithError("SaveGame() failed");
    for (auto _ : state) {
        if (LoadGame(1) != SAVEGAME_OK) state.SkipWithError("LoadGame() failed");
    }
}
BENCHMARK(BM_LoadGameSlot)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
