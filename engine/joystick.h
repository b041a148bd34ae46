// engine/joystick.h: up to four joysticks read with a dead zone around their centre.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

constexpr int32_t JOY_MAX = 4;
constexpr uint16_t JOY_FAILED = 0xFFFF;  // buttons: absent or the read failed

struct JoyCalibration {
    uint32_t centreX;
    uint32_t centreY;
    uint32_t deadZoneX;
    uint32_t deadZoneY;
};

#pragma pack(push, 1)
// What ReadJoysticks hands out, four records of 8 bytes.
struct JoyState {
    uint16_t buttons;  // bit n: button n held; JOY_FAILED when absent or unreadable
    int16_t x;         // 0 inside the dead zone, else the distance past its edge
    int16_t y;
    uint16_t failed;  // JOY_FAILED when the joystick failed at start-up
};
#pragma pack(pop)

static_assert(sizeof(JoyState) == 8);
static_assert(offsetof(JoyState, x) == 2);
static_assert(offsetof(JoyState, failed) == 6);
static_assert(std::is_trivially_copyable_v<JoyState>);

// Counts the joysticks (at most 4, logging when more are connected) and reads each one's ranges:
// centre (min + max) / 2 and dead zone (max - min) / 8 on each axis. One whose capabilities
// cannot be read, and every absent one, has buttons and the fourth word JOY_FAILED.
void InitJoysticks();
int32_t JoystickCount();
// Reads every joystick that did not fail at start-up once; a failed read sets its buttons to
// JOY_FAILED and keeps its axes.
// Answers the four records.
const JoyState* ReadJoysticks();
