// engine/mouse.cpp: the mouse read as relative motion and three buttons, with the cursor kept
// inside the window while the game reads it.
#include "engine/mouse.h"

#include "engine/fatal.h"
#include "engine/host/host.h"
#include "engine/winlib.h"

namespace {

constexpr int32_t MOUSE_PARK_OFFSET = 100;  // where the cursor waits, from the client's corner

struct MouseState {
    uint16_t state;  // MouseDriverState
    int32_t hookKey;
    int32_t motionX;
    int32_t motionY;
    uint16_t buttons;
    int32_t lastX;
    int32_t lastY;
};

MouseState s_mouse;

// The game draws its own pointer: the system cursor is not set over the window.
intptr_t MouseWindowProc(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == HOST_MSG_SET_CURSOR) return 0;
    return WinPassOnMessage(window, message, wParam, lParam);
}

uint16_t ButtonsHeld()
{
    const uint32_t held = HostMouseButtonsRead();
    const bool swapped = HostMouseButtonsSwapped();
    const uint32_t primary = swapped ? HOST_BUTTON_RIGHT : HOST_BUTTON_LEFT;
    const uint32_t secondary = swapped ? HOST_BUTTON_LEFT : HOST_BUTTON_RIGHT;
    uint16_t buttons = 0;
    if (held & primary) buttons |= MOUSE_PRIMARY;
    if (held & secondary) buttons |= MOUSE_SECONDARY;
    if (held & HOST_BUTTON_MIDDLE) buttons |= MOUSE_MIDDLE;
    return buttons;
}

}  // namespace

void InitMouseDriver()
{
    if (s_mouse.state != MOUSE_OFF)
        FatalAbort("mouse", __LINE__, "InitMouseDriver(): already initialised");
    s_mouse = {};
    s_mouse.state = MOUSE_ON;
    s_mouse.hookKey = WinAddWindowProc(MouseWindowProc);
    ResetMouseDriver();
}

void ResetMouseDriver()
{
    if (s_mouse.state == MOUSE_OFF)
        FatalAbort("mouse", __LINE__, "ResetMouseDriver(): not initialised");
    s_mouse.state = MOUSE_READY;
    int16_t dx, dy;
    uint16_t buttons;
    ReadMouseDriver(&dx, &dy, &buttons);
    HostCursorShow(false);
}

void MouseModeChanged()
{
    if (s_mouse.state == MOUSE_READY) s_mouse.state = MOUSE_ON;
}

void ReadMouseDriver(int16_t* dx, int16_t* dy, uint16_t* buttons)
{
    int32_t originX, originY, x, y;
    WinGetClientOrigin(&originX, &originY);
    HostCursorGet(&x, &y);
    s_mouse.motionX = x - s_mouse.lastX;
    s_mouse.motionY = y - s_mouse.lastY;
    s_mouse.buttons = ButtonsHeld();
    HostCursorSet(originX + MOUSE_PARK_OFFSET, originY + MOUSE_PARK_OFFSET);
    HostCursorGet(&s_mouse.lastX, &s_mouse.lastY);
    *dx = static_cast<int16_t>(s_mouse.motionX);
    *dy = static_cast<int16_t>(s_mouse.motionY);
    *buttons = s_mouse.buttons;
    s_mouse.motionX = 0;
    s_mouse.motionY = 0;
    if (s_mouse.state != MOUSE_READY)
        FatalAbort("mouse", __LINE__, "ReadMouseDriver(): mouse driver not ready");
}

void UninitMouseDriver()
{
    if (s_mouse.state == MOUSE_OFF)
        FatalAbort("mouse", __LINE__, "UninitMouseDriver(): not initialised");
    s_mouse.state = MOUSE_OFF;
    WinRemoveWindowProc(s_mouse.hookKey);
}
