// The 2D match view headless in the 16-bit menu display: a drawn frame of the scripted scene
// (background put back, maps, people, ball, panels, pop-up, the whole screen presented), the
// present on its own, and the view's set-up.
#include "matchscreens/view2d.h"

#include <benchmark/benchmark.h>

#include "gamecode/presentation.h"
#include "menus/menupc.h"
#include "tests/gamecode/harness/view2d_scene.h"
#include "vx256/objects.h"

namespace {

constexpr int32_t kFrames = 200;

void BM_View2DFrames(benchmark::State& state)
{
    ScopedView2D view;
    View2DScene_Script();
    for (auto _ : state) {
        for (int32_t f = 0; f < kFrames; ++f) {
            RenderList[OBJECT_BALL].y = static_cast<float>(300 + f * 7);
            View2D_DrawScreen();
        }
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_View2DFrames)->Unit(benchmark::kMillisecond);

// The share of a frame that is the present alone.
void BM_View2DPresent(benchmark::State& state)
{
    ScopedView2D view;
    View2DScene_Script();
    View2D_DrawScreen();
    for (auto _ : state) {
        for (int32_t f = 0; f < kFrames; ++f) {
            MarkChangedRect(0, 0, 640, 480);  // as the frame's restore of the whole screen does
            PresentMenuScreen();
        }
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_View2DPresent)->Unit(benchmark::kMillisecond);

void BM_View2DSetUp(benchmark::State& state)
{
    ScopedView2D view;
    for (auto _ : state) {
        View2D_Destroy();
        View2D_Init();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_View2DSetUp)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
