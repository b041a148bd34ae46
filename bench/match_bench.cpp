// bench/match_bench.cpp: how fast the match engine plays a match with no view at all.
#include <cstdint>

#include <benchmark/benchmark.h>

#include "engine/poll.h"
#include "engine/random.h"
#include "engine/sounddrv.h"
#include "game/matchblocks.h"
#include "game/tactics.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"
#include "viewservices/matchsfx.h"

namespace {

constexpr uint32_t kLevelCupTieSeed = 11;

// One whole match per iteration, from the seeded block the golden run plays; the rate counts
// engine ticks, so it compares directly with the 50 to 1,250 ticks a second the views pace.
// `present` installs a presentation over the headless one. The caller sets the core up.
// `reachedShootOut` asks each match to have gone to extra time and a shoot-out.
void PlayMatches(benchmark::State& state, const MatchDayBuilder& builder,
                 void (*present)() = nullptr, bool reachedShootOut = false)
{
    MatchBlocks_Init();
    Tactics_Init();
    MatchEngine_Init();
    MatchPresentation_SetDefaults();
    if (present != nullptr) present();
    int64_t ticks = 0;
    for (auto _ : state) {
        state.PauseTiming();
        builder.Write();
        SRand(builder.seed);
        state.ResumeTiming();
        PlayMatch3D();
        // Each match starts its counter afresh, and is shorter than the counter's wrap.
        ticks += Match.tickCount;
        if (reachedShootOut && Match.period != MATCH_PERIOD_SHOOT_OUT) {
            state.SkipWithError("the cup tie was decided before its shoot-out");
            break;
        }
    }
    state.SetItemsProcessed(ticks);
    Tactics_Uninit();
    MatchBlocks_Uninit();
}

void BM_MatchTicks(benchmark::State& state)
{
    ScopedCore core;
    PollInit();
    MatchDayBuilder builder;
    PlayMatches(state, builder);
}
BENCHMARK(BM_MatchTicks)->Unit(benchmark::kMillisecond);

// Extra time and a shoot-out on top of the two halves: the seed's tie is level after both.
void BM_CupTieTicks(benchmark::State& state)
{
    ScopedCore core;
    PollInit();
    MatchDayBuilder builder;
    builder.seed = kLevelCupTieSeed;
    builder.extraTime = 1;
    builder.shootOut = 1;
    PlayMatches(state, builder, nullptr, true);
}
BENCHMARK(BM_CupTieTicks)->Unit(benchmark::kMillisecond);

// The real sounds on eight active channels of the headless host's sound. Its clock stands still:
// run as fast as this, a running clock would mix ten milliseconds of output on every poll, work
// that a played match does at the pace of real time whatever the engine costs.
void BM_MatchTicksWithSound(benchmark::State& state)
{
    ScopedHeadlessHost host;
    PollInit();
    ScopedGameSoundBanks banks;
    SndSetActiveChannels(SND_MAX_CHANNELS);
    MatchDayBuilder builder;
    builder.viewMode = VIEW_3D;
    PlayMatches(state, builder, [] {
        MatchSfx_Start();
        MatchSfx_Init();
    });
    MatchSfx_Shutdown();
    SndClearActiveChannels();
}
BENCHMARK(BM_MatchTicksWithSound)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
