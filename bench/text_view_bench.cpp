// The text match view's drawing, headless in the 16-bit menu display: 420 consecutive frames
// (every panel residue included) and the static screen.
#include <cstdio>

#include <benchmark/benchmark.h>

#include "engine/random.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "matchscreens/textview.h"
#include "tests/gamecode/harness/textview_scene.h"

namespace {

constexpr int32_t kFrames = 420;  // every panel's residue (20, 18, 21, 11, 19) comes round in it

// The view built on a second half with a commentary line and a seeded territory graph, so that
// every panel has something to draw.
class BenchView {
public:
    BenchView()
    {
        Match.period = 1;
        SRand(7);
        for (uint8_t& value : GetMatchDataBlock()->territory)
            value = static_cast<uint8_t>(30 + Rand() % 41);
        std::snprintf(CommentaryLine, COMMENTARY_LINE_BYTES, "%s",
                      "Belle ouverture vers l'aile droite, le centre est repousse.");
    }

private:
    ScopedTextView m_view;
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
