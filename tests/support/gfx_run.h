// tests/support/gfx_run.h: the graphics layer in process on the headless host, and the frame it
// presents read back.
#pragma once

#include <cstdint>

#include "engine/host/inject.h"
#include "tests/support/host_run.h"

// A headless host with memory, the window (windowed, as the game starts, unless `windowFlags`
// say otherwise) and the graphics layer on the first card, with its 3D device when asked; at the
// end any mode is restored and everything stopped again.
class ScopedGraphics {
public:
    // `adapter`: the one card the host offers instead of its own.
    explicit ScopedGraphics(bool with3D = false, uint32_t windowFlags = 1,
                            const HostFakeAdapter* adapter = nullptr);
    ~ScopedGraphics();
    ScopedGraphics(const ScopedGraphics&) = delete;
    ScopedGraphics& operator=(const ScopedGraphics&) = delete;

private:
    ScopedHeadlessHost m_host;
};

// Sets the graphics mode of this size and kind (DDrawModeKind) and presents it once.
void SetModeBySize(int32_t width, int32_t height, int32_t kind);
// Presents what was drawn, as the program's next look at its messages would.
void PresentNow();
// The last presented frame's pixel as 0xRRGGBB.
uint32_t FrameRgb(int32_t x, int32_t y);
