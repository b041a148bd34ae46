// engine/joystick.cpp: up to four joysticks read with a dead zone around their centre.
#include "engine/joystick.h"

#include "engine/debug.h"
#include "engine/host/host.h"

namespace {

struct JoystickState {
    int32_t count;
    JoyCalibration calibration[JOY_MAX];
    JoyState states[JOY_MAX];
};

JoystickState s_joystick;

void Calibrate(int32_t stick, const HostJoystickCaps& caps)
{
    JoyCalibration& calibration = s_joystick.calibration[stick];
    calibration.centreX = (caps.xMin + caps.xMax) / 2;
    calibration.centreY = (caps.yMin + caps.yMax) / 2;
    calibration.deadZoneX = (caps.xMax - caps.xMin) / 8;
    calibration.deadZoneY = (caps.yMax - caps.yMin) / 8;
    DebugPrintf(DBG_INPUT, 80, "InitJoysticks(): joystick %d\n", stick);
    DebugPrintf(DBG_INPUT, 80, "  .szPname = '%s'\n", caps.name);
    DebugPrintf(DBG_INPUT, 80, "  .wXmin,wXmax = %d,%d\n", static_cast<int32_t>(caps.xMin),
                static_cast<int32_t>(caps.xMax));
    DebugPrintf(DBG_INPUT, 80, "  .wYmin,wYmax = %d,%d\n", static_cast<int32_t>(caps.yMin),
                static_cast<int32_t>(caps.yMax));
    DebugPrintf(DBG_INPUT, 80, "  .wNumButtons = %d\n", static_cast<int32_t>(caps.buttonCount));
}

// The distance past the dead zone's edge, 0 inside it.
int16_t AxisValue(uint32_t position, uint32_t centre, uint32_t deadZone)
{
    const int64_t p = position;
    const int64_t low = int64_t{centre} - deadZone;
    const int64_t high = int64_t{centre} + deadZone;
    if (p < low) return static_cast<int16_t>(p - low);
    if (p > high) return static_cast<int16_t>(p - high);
    return 0;
}

}  // namespace

void InitJoysticks()
{
    s_joystick = {};
    for (JoyState& state : s_joystick.states) {
        state.buttons = JOY_FAILED;
    }
    DebugPrintf(DBG_INPUT, 1, "InitJoysticks(): initialising joysticks...\n");
    int32_t count = HostJoystickCount();
    DebugPrintf(DBG_INPUT, 1, "InitJoysticks(): %d joystick devices connected\n", count);
    if (count > JOY_MAX) {
        count = JOY_MAX;
        DebugPrintf(DBG_INPUT, 1, "InitJoysticks(): too many joysticks - reducing to %d\n", count);
    }
    s_joystick.count = count;
    for (int32_t stick = 0; stick < count; ++stick) {
        HostJoystickCaps caps{};
        JoyState& state = s_joystick.states[stick];
        if (HostJoystickGetCaps(stick, &caps)) {
            Calibrate(stick, caps);
            state.buttons = 0;
            continue;
        }
        DebugPrintf(DBG_INPUT, 1, "InitJoysticks(): joystick %d failed\n", stick);
        state.buttons = JOY_FAILED;
        state.failed = JOY_FAILED;
    }
    DebugPrintf(DBG_INPUT, 1, "InitJoysticks(): done.\n");
}

int32_t JoystickCount() { return s_joystick.count; }

const JoyState* ReadJoysticks()
{
    for (int32_t stick = 0; stick < s_joystick.count; ++stick) {
        JoyState& state = s_joystick.states[stick];
        if (state.failed == JOY_FAILED) continue;  // no ranges, so no dead zone to read against
        HostJoystickPosition position{};
        if (!HostJoystickRead(stick, &position)) {
            state.buttons = JOY_FAILED;
            continue;
        }
        const JoyCalibration& calibration = s_joystick.calibration[stick];
        state.x = AxisValue(position.x, calibration.centreX, calibration.deadZoneX);
        state.y = AxisValue(position.y, calibration.centreY, calibration.deadZoneY);
        state.buttons = static_cast<uint16_t>(position.buttons);
    }
    return s_joystick.states;
}
