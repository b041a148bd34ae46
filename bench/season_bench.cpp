// bench/season_bench.cpp: a season of the largest country simulated day by day, match days
// included, in days per second.
#include "game/season.h"

#include <string>

#include <benchmark/benchmark.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/savegame.h"
#include "game/tactics.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"
#include "tools/mkdata/pakwriter.h"
#include "tools/mkdata/tactics.h"

namespace {

void BM_SeasonDays(benchmark::State& state)
{
    ScopedWorld world;
    TempDir dir;
    MkFileSet set;
    MkGenerateTactics(&set);
    std::string error;
    MkWritePacked(dir.Path("pakfiles/hdcommon"), set.archives[MK_HDCOMMON], &error);
    MemoryInit();
    PakFileInit();
    DataFolderInit(dir.Path().c_str());
    PakMount("pakfiles\\hdcommon");
    SaveGame_Init();
    Tactics_Init();
    MatchBlocks_Init();
    Season_Init();
    NewGameForTest(0, 1);
    VTW_SetClubControl(1, MANAGER_HUMAN);
    GameState.humanClub = 1;
    AutoRunMode = 1;
    int64_t days = 0;
    for (auto _ : state) {
        VTW_FindHumanNextFixture();
        int32_t row = 0;
        while (VTW_PlayMatchDay(&row) != 0) {
        }
        VTW_AdvanceDay();
        ++days;
    }
    state.SetItemsProcessed(days);
    Season_Uninit();
    MatchBlocks_Uninit();
    Tactics_Uninit();
    PakFileUninit();
}
BENCHMARK(BM_SeasonDays)->Iterations(366)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
