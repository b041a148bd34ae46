// bench/host_bench.cpp: the host's hot paths: presenting a changed frame, and Poll's message
// pump when nothing is queued.
#include "engine/host/host.h"

#include <benchmark/benchmark.h>

#include "engine/poll.h"
#include "engine/timer.h"
#include "engine/winlib.h"
#include "tests/support/host_run.h"

namespace {

// A 5-5-5 visible surface copied to the 32-bit windowed primary, then converted into the frame
// store: the windowed repaint of a 16-bit mode on a 32-bit desktop.
void BM_PresentFrames640x480(benchmark::State& state)
{
    ScopedHeadlessHost host;
    HostWindowCreate(HostProgramInstance(), "Pelloran", true, HostDefaultWindowProc);
    HostDisplay* display = nullptr;
    HostDisplayCreate(&display);
    HostDisplayOpen(display, nullptr);
    HostSurface* primary = nullptr;
    HostSurface* visible = nullptr;
    HostSurfaceCreate(display, {HOST_SURFACE_PRIMARY, 0, 0, 0, {}, 0, 0}, &primary);
    HostSurfaceCreate(display, {HOST_SURFACE_PLAIN, 0, 640, 480, HOST_FORMAT_RGB555, 0, 0},
                      &visible);
    int32_t x, y;
    HostWindowClientOrigin(&x, &y);
    const HostRect screen = {x, y, x + 640, y + 480};
    uint32_t colour = 0;
    for (auto _ : state) {
        HostSurfaceFill(visible, nullptr, ++colour & 0x7FFF);
        HostSurfaceBlit(primary, &screen, visible, nullptr);
        HostPump();
    }
    benchmark::DoNotOptimize(HostLastFrame().number);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PresentFrames640x480)->Unit(benchmark::kMillisecond);

// What Poll costs a headless program that is active with nothing queued: the window library's
// pump, the host's pump step and one manual clock period.
void BM_PollsIdle(benchmark::State& state)
{
    ScopedHeadlessHost host;
    PollInit();
    TimerInit();
    WinInit("Pelloran", WIN_FLAG_WINDOWED);
    while (HostMsgPeek()) {
        Poll();
    }
    for (auto _ : state) {
        Poll();
    }
    WinUninit();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PollsIdle)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
