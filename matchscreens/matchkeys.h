// matchscreens/matchkeys.h: what the keyboard does during a played match: the in-match menu and
// substitution requests, the replay keys and replay bar, the view keys and their flags, the
// controllers and the virtual pointer; the view flags they toggle live with the views' scene state.
#pragma once

#include <array>
#include <cstdint>

#include "viewservices/viewflags.h"

// Key codes the match reads (scan code & 0x7F, plus 128 for extended keys).
enum MatchKeyCode : int32_t {
    MKEY_ESCAPE = 1,
    MKEY_DIGIT1 = 2,  // the camera rows' keys are 2-5
    MKEY_ENTER = 28,
    MKEY_CAPS_LOCK = 58,
    MKEY_F1 = 59,
    MKEY_F2,
    MKEY_F3,
    MKEY_F4,
    MKEY_F5,
    MKEY_F6,
    MKEY_F7,
    MKEY_F8,
    MKEY_SCROLL_LOCK = 70,
    MKEY_F11 = 87,
    MKEY_F12 = 88,
    MKEY_LEFT = 203,
    MKEY_RIGHT = 205,
};

constexpr int32_t CAMERA_KEY_ROWS = 4;
constexpr int32_t REPLAYBAR_CURSOR_FIRST = 12;
constexpr int32_t REPLAYBAR_CURSOR_LAST = 19;
constexpr int16_t CONTROL_NO_DIRECTION = 255;

struct CameraKeyRow {
    int16_t cameras[3];  // -1 empty
    int16_t key;
    int16_t unused;
    int16_t cycle;  // the place the next press selects
};

struct VirtualPointerRecord {
    int16_t x;
    int16_t y;
    int16_t buttons;
};

struct ControllerRecord {
    int16_t setting;    // high byte: kind (1 joystick, 2 keyboard); low byte: number
    int16_t direction;  // 0-7 clockwise from up, CONTROL_NO_DIRECTION
    int16_t buttons;
    int16_t previousDirection;
};

// Owned by MatchKeys: read them here, change them through the operations below.
extern std::array<CameraKeyRow, CAMERA_KEY_ROWS> CameraKeyRows;
extern int16_t ReplayBarCursor;
extern VirtualPointerRecord VirtualPointer;
extern ControllerRecord Controllers[2];

// Every word to its start value (quick preview off; panoramic, names and detail as the options
// keep them; cursor 12; no marks; controllers without a setting).
void MatchKeys_Init();
void MatchKeys_Uninit();  // safe without Init and twice

// Once per drawn frame: reads the controllers (unless an in-match menu request is pending), the
// view rotation turning their directions, then runs MatchKeys.
void MatchKeys_ReadControllers(int32_t rotation);
void MatchKeys();
// A press at (x, y) picks the replay mode of the first of hot-zones 11-20 holding it; then the
// single step counts down.
void ReplayBar_Input(int32_t x, int32_t y, bool pressed);
// The replay bar's save button (replay mode 8). Unless a saved slot is being watched (then
// nothing happens): the menu request is dropped, the replay asked to end, and the match view
// makes way for the replay save screen, to be built again once the screen is left.
void ReplayBar_SaveRequest();
// The software view's F3/F4: the screens go, the resolution steps and the view starts again;
// the info bar shows the new size.
void MatchKeys_StepResolution(int32_t step);
void CycleModelDetail();  // 0, 1, 2, 0 ..., with the info bar
// Panoramic, names and detail into the options block, so that the next run starts with them;
// F6, F7, F8 and the display options call it after each change.
void MatchKeys_KeepViewFlags();

// Adds the mouse's movement and takes its buttons; x stays within 0 .. width - 12, y likewise.
void VirtualPointer_Update(int32_t screenWidth, int32_t screenHeight);
VirtualPointerRecord VirtualPointer_Get();
void VirtualPointer_Set(int32_t x, int32_t y, int32_t buttons);
