// tests/gamecode/harness/deviceview_scene.h: the 3D-device view built through its own hooks over a
// seeded match on the host's device, with the generated data, for the view's tests and benchmark.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/memory.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_run.h"

// The seeded match after 300 ticks, kits and names the generated data has, the video options on
// the host's device in 640 x 480 x 16 (point filtering, lighting, no fog, mip-maps), the
// presentation's modules started; the view is built by the constructor unless `build` is false
// and taken down at the end. `adapter`: the one card the host offers instead of its own.
class ScopedDeviceView {
public:
    explicit ScopedDeviceView(bool build = true, const HostFakeAdapter* adapter = nullptr);
    ~ScopedDeviceView();
    ScopedDeviceView(const ScopedDeviceView&) = delete;
    ScopedDeviceView& operator=(const ScopedDeviceView&) = delete;

    static void Build();  // the init hook
    static void Tear();   // the destroy hook, when built
    // The update and frame hooks with the tick where the frame is due, then the present; true
    // when a frame was drawn.
    static bool Frame();
    const MemoryStatistics& Before() const { return m_before; }  // before the first build

private:
    ScopedMatch m_match;
    std::optional<ScopedMenus> m_menus;
    MemoryStatistics m_before{};
};

// The host device's frame hash; with a differing golden or PELLORAN_WRITE_FRAMES, the frame is
// written as build/<name>.png.
uint64_t DeviceFrameHash(const char* name, uint64_t golden);
