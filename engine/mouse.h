// engine/mouse.h: the mouse read as relative motion and three buttons, with the cursor kept
// inside the window while the game reads it.
#pragma once

#include <cstdint>

enum MouseDriverState : uint16_t {
    MOUSE_OFF,    // not initialised
    MOUSE_ON,     // initialised; a reset is due before the next read
    MOUSE_READY,  // reads allowed
};

enum MouseButtonBits : uint16_t {
    MOUSE_PRIMARY = 0x1,  // the user's primary button, whichever physical one that is
    MOUSE_SECONDARY = 0x2,
    MOUSE_MIDDLE = 0x4,
};

// Installs the hook that keeps the system cursor off the window, and resets. Twice: fatal abort
// "InitMouseDriver(): already initialised".
void InitMouseDriver();
// Ready for reads: one read dropped (the cursor re-centred, the motion zeroed) and the system
// cursor hidden. Not initialised: fatal abort "ResetMouseDriver(): not initialised".
void ResetMouseDriver();
// A graphics mode was set: a ready driver wants a reset again.
void MouseModeChanged();
// The motion since the last read and the buttons held (MouseButtonBits), a button pressed and
// released since the last read counting as held for this read; the cursor goes back to
// the client area's corner + (100, 100). Not ready: fatal abort "ReadMouseDriver(): mouse driver
// not ready".
void ReadMouseDriver(int16_t* dx, int16_t* dy, uint16_t* buttons);
// Removes the hook. Not initialised: fatal abort "UninitMouseDriver(): not initialised".
void UninitMouseDriver();
