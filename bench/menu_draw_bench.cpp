// The menus' drawing: a typical screen composed and presented in a 16-bit mode, headless.
#include <benchmark/benchmark.h>

#include "engine/dxdraw.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "tests/support/menu_run.h"

namespace {

constexpr int32_t kScreenIcons[] = {1206, 1207, 1208, 1231, 1298, 1219, 1220, 105, 106, 107,
                                    1442, 1211, 1212, 1213, 1214, 89,   90,   91,  92,  1320};

// The background put back whole, 30 strings in font 1, 20 icons and 10 shaded boxes, then the
// presentation: one redraw of a screen, as a menu loop does every frame.
void BM_MenuScreens(benchmark::State& state)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    DoBackground(7);
    CopyBackBuffer();
    PresentMenuScreen();  // the first presentation wipes in; the timed ones do not
    for (auto _ : state) {
        DrawAlignedBar(0, 0, 640, 480, MENU_ALIGN_TL);
        SetMenuFont(1);
        for (int32_t i = 0; i < 30; ++i) {
            DrawMenuString(20 + (i % 2) * 300, 60 + (i / 2) * 26,
                           "D\xE9"
                           "fense centrale 1.5K",
                           MENU_ALIGN_TL);
        }
        for (int32_t i = 0; i < 20; ++i)
            DoIcon(30 + i * 28, 440, kScreenIcons[i], MENU_ALIGN_TL);
        SetDrawAttribute(2, 0x0000);
        for (int32_t i = 0; i < 10; ++i)
            DoShadedBox(20 + i * 60, 400, 50, 30, 50);
        PresentMenuScreen();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MenuScreens)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
