// bench/camera_bench.cpp: one frame of the current camera (following the ball, aiming, the eye,
// the hand-over to the software renderer), for each of the four view types of the 3D view.
#include "matchscreens/camera.h"

#include <cstdint>

#include <benchmark/benchmark.h>

#include "engine/options.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "tests/support/support.h"
#include "vx256/polyman.h"

namespace {

void BM_UpdateCurrentCameraFrames(benchmark::State& state)
{
    ScopedCore core;
    MatchBlocks_Init();
    MatchEngine_Init();
    Options = OPTIONS_DEFAULTS;
    GetMatchSidesBlock()->viewMode = VIEW_3D;
    InitCameras();
    SetCameraViewType(static_cast<int32_t>(state.range(0)));
    Match.followedObject = MATCH_BALL;
    // The ball runs a loop over the pitch, so that every frame aims somewhere new.
    int32_t step = 0;
    for (auto _ : state) {
        RenderObject& ball = RenderList[MATCH_BALL];
        ball.x = static_cast<float>(100 + (step * 37) % 1400);
        ball.y = static_cast<float>(60 + (step * 53) % 2050);
        ball.height = static_cast<float>((step * 11) % 300);
        ++step;
        UpdateCurrentCamera();
        benchmark::DoNotOptimize(Polyman_Zoom());
    }
    state.SetItemsProcessed(state.iterations());
    MatchEngine_Uninit();
    MatchBlocks_Uninit();
    Options = OPTIONS_DEFAULTS;
}
BENCHMARK(BM_UpdateCurrentCameraFrames)->DenseRange(0, 3)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
