// The video options screen's full redraw (fill, draw, present), beside the display options
// screen's as the yardstick of an in-match screen; headless, on the host's device.
#include <benchmark/benchmark.h>

#include "engine/gfx.h"
#include "matchscreens/ingamepause.h"
#include "matchscreens/vidopt.h"
#include "menus/machine.h"
#include "menus/vtmenu.h"
#include "tests/support/menu_loop.h"

namespace {

void TimeRedraws(benchmark::State& state, const InGameScreen& screen)
{
    ScopedMenuDisplay display;
    ShutdownMenuGraphics();
    GfxUninit();
    Options.video = OPTIONS_DEFAULTS.video;
    VideoInit(false);
    InitSetOfMenus();
    InGameScreen_Open(screen);
    for (auto _ : state) {
        if (screen.fill != nullptr) screen.fill();
        VT_MenuRedraw();
        if (screen.afterDraw != nullptr) screen.afterDraw();
    }
    InGameScreen_Close();
    state.SetItemsProcessed(state.iterations());
}

void BM_VideoOptionsRedraw(benchmark::State& state) { TimeRedraws(state, VideoOptions_Screen()); }
BENCHMARK(BM_VideoOptionsRedraw)->Unit(benchmark::kMillisecond);

void BM_DisplayOptionsRedraw(benchmark::State& state)
{
    TimeRedraws(state, InGamePause_Screen(IGM_DISPLAY));
}
BENCHMARK(BM_DisplayOptionsRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
