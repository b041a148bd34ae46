// engine/host/headless_backend.cpp: the back end without a window system: a virtual window on a
// virtual screen, frames kept only in the frame store, boxes on standard error.
#include <chrono>
#include <cstdio>
#include <thread>

#include "engine/host/host.h"
#include "engine/host/internal.h"

namespace {

bool Start(char*, size_t) { return true; }

void Nothing() {}

bool OpenWindow(const char*, bool, int32_t, int32_t) { return true; }

void SetClientSize(int32_t, int32_t) {}

void ClientOrigin(int32_t* x, int32_t* y)
{
    *x = HostMachineConfig().windowX;
    *y = HostMachineConfig().windowY;
}

void ScreenSize(int32_t* width, int32_t* height)
{
    *width = HostMachineConfig().screenWidth;
    *height = HostMachineConfig().screenHeight;
}

void WaitEvents(uint32_t timeoutMs)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
}

void ShowBox(const char*, const char* text, HostBoxKind) { std::fputs(text, stderr); }

void SetCursorShown(bool) {}

int32_t JoystickCount() { return HostFakeJoystickCount(); }

bool JoystickCaps(int32_t index, HostJoystickCaps* caps)
{
    const HostFakeJoystick& stick = HostFakeJoysticks()[index];
    if (stick.failCaps) return false;
    std::snprintf(caps->name, sizeof caps->name, "%s", stick.name);
    caps->xMax = 65535;
    caps->yMax = 65535;
    caps->buttonCount = stick.buttonCount;
    return true;
}

bool JoystickRead(int32_t index, HostJoystickPosition* position)
{
    const HostFakeJoystick& stick = HostFakeJoysticks()[index];
    if (stick.failRead) return false;
    *position = stick.position;
    return true;
}

}  // namespace

const HostBackend HostHeadlessBackend = {
    .name = "headless",
    .start = Start,
    .stop = Nothing,
    .createWindow = OpenWindow,
    .showWindow = Nothing,
    .destroyWindow = Nothing,
    .setClientSize = SetClientSize,
    .clientOrigin = ClientOrigin,
    .screenSize = ScreenSize,
    .pumpEvents = Nothing,
    .waitEvents = WaitEvents,
    .present = nullptr,  // nothing is shown: frames are converted only when read back
    .messageBox = ShowBox,
    .showCursor = SetCursorShown,
    .joystickCount = JoystickCount,
    .joystickCaps = JoystickCaps,
    .joystickRead = JoystickRead,
};
