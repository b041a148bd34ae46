// tests/support/gfx_run.cpp: the graphics layer in process on the headless host.
#include "tests/support/gfx_run.h"

#include <gtest/gtest.h>

#include "engine/dxenum.h"
#include "engine/gfx.h"
#include "engine/host/host.h"
#include "engine/memory.h"
#include "engine/winlib.h"

ScopedGraphics::ScopedGraphics(bool with3D, uint32_t windowFlags, const HostFakeAdapter* adapter)
{
    if (adapter != nullptr) HostInjectSetAdapters(adapter, 1);
    MemoryInit();
    WinInit("Pelloran", windowFlags);
    DXEnumDisplay();
    DXSelectDevice(0, with3D ? 0 : -1);
    GfxInit(with3D ? DDRAW_INIT_3D : 0);
}

ScopedGraphics::~ScopedGraphics()
{
    // The window library keeps its registrations from test to test: a mode left set would leave
    // its functions behind.
    if (IsGraphicMode()) RestoreGraphicMode();
    if (GfxIsInitialised()) GfxUninit();
    WinUninit();
    MemoryUninit();
}

void SetModeBySize(int32_t width, int32_t height, int32_t kind)
{
    const int32_t mode = GfxFindMode(width, height, kind);
    ASSERT_GE(mode, 0) << width << "x" << height << " kind " << kind;
    SetGraphicMode(mode, 0);
    PresentNow();
}

void PresentNow()
{
    // The window's paint shows the changed rectangle, then the pump presents it.
    while (HostMsgPeek()) {
        HostMessage message{};
        HostMsgGet(&message);
        HostMsgDispatch(message);
    }
}

uint32_t FrameRgb(int32_t x, int32_t y)
{
    const HostFrame frame = HostLastFrame();
    const uint8_t* p = frame.rgb + (static_cast<size_t>(y) * frame.width + x) * 3;
    return static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
}
