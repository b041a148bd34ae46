// The text match view's drawing, headless in the 16-bit menu display: 420 consecutive frames
// (every panel residue included) and the static screen.
#include <cstdio>

#include <benchmark/benchmark.h>

#include "engine/random.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "generic/matchkeys.h"
#include "generic/textview.h"
#include "generic/timedevents.h"
#include "menus/machine.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_loop.h"

namespace {

constexpr int32_t kFrames = 420;  // every panel's residue (20, 18, 21, 11, 19) comes round in it

// A seeded match-day block, both sides set out across the pitch, the view built.
class BenchView {
public:
    BenchView()
    {
        ShutdownMenuGraphics();
        MatchBlocks_Init();
        MatchEngine_Init();
        MatchPresentation_SetDefaults();
        MatchKeys_Init();
        TimedEvents_Init();
        TextView_Init();
        MatchDayBuilder builder;
        builder.seed = 7;
        builder.viewMode = VIEW_TEXT;
        builder.Write();
        SetPitchConstants();
        for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
            const int32_t side = person / MATCH_PERSONS_PER_SIDE, slot = person % 16;
            LineUp[side][slot] = static_cast<int16_t>(person);
            MatchPerson& p = MatchPersons[person];
            std::snprintf(p.name, sizeof(p.name), "J. Joueur%02d", person % 100);
            p.offPitch = slot < MATCH_STARTERS ? 0 : 1;
            p.matchRating = slot < MATCH_STARTERS ? 50 : 0;
            Person_PlaceAt(person, 200 + 100 * slot, side == 0 ? 700 : 1400);
        }
        Match.periodLength = 15000;
        Match.period = 1;  // a second half: the territory graph has most of its rows
        SRand(7);
        for (uint8_t& value : GetMatchDataBlock()->territory)
            value = static_cast<uint8_t>(30 + Rand() % 41);
        std::snprintf(CommentaryLine, COMMENTARY_LINE_BYTES, "%s",
                      "Belle ouverture vers l'aile droite, le centre est repousse.");
        Analysis_Init();
    }
    ~BenchView()
    {
        Analysis_Destroy();
        TextView_Uninit();
        TimedEvents_Uninit();
        MatchKeys_Uninit();
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
    }

private:
    ScopedMenuDisplay m_display;
};

void BM_TextViewFrames(benchmark::State& state)
{
    BenchView view;
    for (auto _ : state) {
        Match.periodTicks = 10000;
        for (int32_t f = 0; f < kFrames; ++f) {
            Match.periodTicks += 10;
            MatchPersons[MATCH_BALL].y = static_cast<int16_t>(300 + f * 3);
            ++TextView.frameCounter;
            TextView_DrawScreen();
        }
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_TextViewFrames)->Unit(benchmark::kMillisecond);

void BM_TextViewStaticRedraws(benchmark::State& state)
{
    BenchView view;
    for (auto _ : state) {
        TextView_DrawStaticScreen();
        TextView_DrawScreen();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TextViewStaticRedraws)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
