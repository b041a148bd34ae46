// The in-match screens' full redraws (fill, draw, present) over a seeded fixture: the team
// selection with sixteen rows and the grid with every line, the marking screen with both sides on
// the pitch, and the timeline at its fullest; headless, on the host's device.
#include <cstdio>

#include <benchmark/benchmark.h>

#include "engine/gfx.h"
#include "game/matchblocks.h"
#include "game/tactics.h"
#include "gamecode/matchstate.h"
#include "matchscreens/ingamemarking.h"
#include "matchscreens/ingamestats.h"
#include "matchscreens/ingametactics.h"
#include "menus/machine.h"
#include "menus/vtmenu.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_loop.h"
#include "viewservices/videosettings.h"

namespace {

// Every outfield player with a second and a third position and a pass target.
void SpreadWithLines(TacticsRecord* tactic)
{
    for (int32_t place = 1; place < TACTIC_SLOT_COUNT; ++place) {
        TacticsSlot& s = tactic->slots[place];
        s.row = static_cast<int16_t>(place + 2);
        s.column = static_cast<int16_t>(3 + place);
        s.row2 = static_cast<int16_t>(place + 3);
        s.column2 = static_cast<int16_t>(s.column + 4);
        s.row3 = static_cast<int16_t>(place + 1);
        s.column3 = static_cast<int16_t>(s.column - 3);
        s.targetRow = 7;
        s.targetColumn = 16;
        TacticsSlot_SetReceiver(&s, -1);
    }
}

void SetUpMatch()
{
    MatchBlocks_Init();
    MatchEngine_Init();
    MatchDayBuilder().Write();
    MatchDayBlock& block = *GetMatchSidesBlock();
    block.sides[0].human = 1;
    block.benchSize = 5;
    SeatEveryPersonInHisPlace();
    for (int32_t side = 0; side < 2; ++side) {
        TacticCopies[side] = block.sides[side].tactics[0];
        SpreadWithLines(&TacticCopies[side]);
    }
}

// The timeline's 120-minute axis, a curve over every minute and 30 event labels.
void FillTimeline()
{
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
}

void TimeRedraws(benchmark::State& state, const InGameScreen& screen, uint16_t id,
                 void (*fillMatch)() = nullptr)
{
    ScopedMenuDisplay display;
    ShutdownMenuGraphics();
    GfxUninit();
    Options.video = OPTIONS_DEFAULTS.video;
    VideoInit(false);
    InitSetOfMenus();
    SetUpMatch();
    if (fillMatch != nullptr) fillMatch();
    InGameMenus_Init();
    InGameMenuId = id;
    InGameMenuSide = 0;
    InGameMenuPage = 1;
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

void BM_TeamSelectionRedraw(benchmark::State& state)
{
    TimeRedraws(state, InGameTactics_Screen(), IGM_TEAM_SELECTION);
}
BENCHMARK(BM_TeamSelectionRedraw)->Unit(benchmark::kMillisecond);

void BM_MarkingRedraw(benchmark::State& state)
{
    TimeRedraws(state, InGameMarking_Screen(), IGM_MARKING);
}
BENCHMARK(BM_MarkingRedraw)->Unit(benchmark::kMillisecond);

void BM_TimelineRedraw(benchmark::State& state)
{
    TimeRedraws(state, InGameStats_Screen(IGM_TIMELINE), IGM_TIMELINE, FillTimeline);
}
BENCHMARK(BM_TimelineRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
