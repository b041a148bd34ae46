#include "engine/joystick.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/debug.h"
#include "engine/host/inject.h"
#include "tests/support/host_run.h"

namespace {

HostFakeJoystick Stick(const char* name)
{
    HostFakeJoystick stick{};
    std::strcpy(stick.name, name);
    stick.buttonCount = 4;
    stick.position = {32767, 32767, 0};
    return stick;
}

}  // namespace

TEST(Joystick, AxesReadZeroInsideTheDeadZoneAndTheDistancePastItsEdge)
{
    ScopedHeadlessHost host;
    HostFakeJoystick stick = Stick("Pad");
    HostInjectSetJoysticks(&stick, 1);
    InitJoysticks();
    // Ranges 0-65535: centre 32767, dead zone 8191, so the zone runs 24576-40958.
    const std::pair<uint32_t, int16_t> positions[] = {{24576, 0}, {24575, -1}, {40958, 0},
                                                      {40959, 1}, {0, -24576}, {65535, 24577}};
    for (const auto& [position, expected] : positions) {
        stick.position = {position, 65535 - position, 0x5};
        HostInjectSetJoysticks(&stick, 1);
        const JoyState* states = ReadJoysticks();
        EXPECT_EQ(states[0].x, expected) << position;
        EXPECT_EQ(states[0].buttons, 0x5);
        EXPECT_EQ(states[0].failed, 0);
    }
    EXPECT_EQ(ReadJoysticks()[1].buttons, JOY_FAILED);  // absent
}

TEST(Joystick, FailedSticksAndFailedReadsReportButtonsAllOnes)
{
    ScopedHeadlessHost host;
    HostFakeJoystick sticks[2] = {Stick("One"), Stick("Two")};
    sticks[0].failCaps = true;
    HostInjectSetJoysticks(sticks, 2);
    InitJoysticks();
    sticks[1].position = {65535, 0, 0x3};
    HostInjectSetJoysticks(sticks, 2);
    JoyState state = ReadJoysticks()[1];
    EXPECT_EQ(ReadJoysticks()[0].buttons, JOY_FAILED);
    EXPECT_EQ(ReadJoysticks()[0].failed, JOY_FAILED);
    EXPECT_EQ(state.x, 24577);
    sticks[1].failRead = true;
    sticks[1].position = {32767, 32767, 0};
    HostInjectSetJoysticks(sticks, 2);
    const JoyState failed = ReadJoysticks()[1];
    EXPECT_EQ(failed.buttons, JOY_FAILED);
    EXPECT_EQ(failed.x, state.x);  // the axes stay as last read
    EXPECT_EQ(failed.y, state.y);
}

TEST(Joystick, NoneConnectedGiveFourAbsentRecordsAndMoreThanFourAreCut)
{
    ScopedHeadlessHost host;
    InitJoysticks();
    EXPECT_EQ(JoystickCount(), 0);
    for (int i = 0; i < JOY_MAX; ++i) {
        EXPECT_EQ(ReadJoysticks()[i].buttons, JOY_FAILED);
    }
    std::vector<HostFakeJoystick> five(5, Stick("Pad"));
    HostInjectSetJoysticks(five.data(), 5);
    DebugSetLevel(DBG_INPUT, 1);
    testing::internal::CaptureStdout();
    InitJoysticks();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("InitJoysticks(): 5 joystick devices connected\n"), std::string::npos);
    EXPECT_NE(out.find("InitJoysticks(): too many joysticks - reducing to 4\n"), std::string::npos);
    EXPECT_EQ(JoystickCount(), 4);
}
