// The in-match screens' full redraws (fill, draw, present) over a seeded fixture, headless.
#include <cstring>

#include <benchmark/benchmark.h>

#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "generic/ingamestats.h"
#include "menus/vtmenu.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_loop.h"

namespace {

// The timeline at its fullest: the 120-minute axis, a curve over every minute, 30 event labels.
void BM_TimelineRedraw(benchmark::State& state)
{
    ScopedMenuDisplay display;
    MatchBlocks_Init();
    MatchEngine_Init();
    MatchDayBuilder().Write();
    InGameMenus_Init();
    MatchDataBlock& data = *GetMatchDataBlock();
    for (int32_t m = 0; m < IGS_MINUTES; ++m)
        data.territory[m] = static_cast<uint8_t>((m * 37) % 101);
    for (int32_t e = 0; e < 40; ++e)
        data.events[e] = {static_cast<uint8_t>(e % 2),
                          0,
                          static_cast<int16_t>(e * 3),
                          static_cast<int16_t>(e % 2),
                          static_cast<int16_t>(MatchPersons[e % 22].playerId),
                          -1};
    data.events[40].kind = MATCH_EVENT_END;
    data.eventCount = 40;
    Match.period = 3;
    Match.periodLength = 4500;
    Match.periodTicks = 4500;
    const InGameScreen& screen = InGameStats_Screen(IGM_TIMELINE);
    InGameScreen_Open(screen);
    for (auto _ : state) {
        screen.fill();
        VT_MenuRedraw();
    }
    InGameScreen_Close();
    InGameMenus_Uninit();
    MatchEngine_Uninit();
    MatchBlocks_Uninit();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TimelineRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
