// The host's input: scancodes as the game's key codes, key messages, the virtual cursor.
#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "tests/support/host_run.h"

TEST(HostInput, ScancodesGiveTheGamesKeyCodesByPosition)
{
    const std::pair<SDL_Scancode, uint32_t> keys[] = {
        {SDL_SCANCODE_A, 0x1E},           {SDL_SCANCODE_Q, 0x10},
        {SDL_SCANCODE_M, 0x32},           {SDL_SCANCODE_RIGHT, 0xCD},
        {SDL_SCANCODE_KP_ENTER, 0x9C},    {SDL_SCANCODE_DELETE, 0xD3},
        {SDL_SCANCODE_HOME, 0xC7},        {SDL_SCANCODE_END, 0xCF},
        {SDL_SCANCODE_UP, 0xC8},          {SDL_SCANCODE_DOWN, 0xD0},
        {SDL_SCANCODE_LEFT, 0xCB},        {SDL_SCANCODE_RCTRL, 157},
        {SDL_SCANCODE_SCROLLLOCK, 0x46},  {SDL_SCANCODE_NONUSBACKSLASH, 86},
        {SDL_SCANCODE_ESCAPE, 1},         {SDL_SCANCODE_F12, 0x58},
        {SDL_SCANCODE_KP_MULTIPLY, 0x37},
    };
    for (const auto& [scancode, code] : keys) {
        EXPECT_EQ(HostKeyCodeOfScancode(scancode), code) << "scancode " << scancode;
    }
    EXPECT_EQ(HostKeyCodeOfScancode(SDL_SCANCODE_APPLICATION), 0u);
    EXPECT_EQ(HostKeyCodeOfScancode(-1), 0u);
    EXPECT_EQ(HostKeyCodeOfScancode(100000), 0u);
}

TEST(HostInput, KeysBecomeKeyMessagesWithTheRepeatAndReleaseBits)
{
    ScopedHeadlessHost host;
    HostWindowCreate(HostProgramInstance(), "Pelloran", true, HostDefaultWindowProc);
    HostOnKey(0x9D, true, false);
    HostOnKey(0x1E, true, true);
    HostOnKey(0x1E, false, false);
    HostMessage message{};
    ASSERT_EQ(HostMsgGet(&message), 1);
    EXPECT_EQ(message.kind, HOST_MSG_KEY_DOWN);
    EXPECT_EQ(HostKeyCodeOf(message.lparam), 0x9Du);
    EXPECT_EQ(static_cast<uint32_t>(message.lparam), 0x011D0000u);
    ASSERT_EQ(HostMsgGet(&message), 1);
    EXPECT_EQ(static_cast<uint32_t>(message.lparam), 0x401E0000u);
    ASSERT_EQ(HostMsgGet(&message), 1);
    EXPECT_EQ(message.kind, HOST_MSG_KEY_UP);
    EXPECT_EQ(static_cast<uint32_t>(message.lparam), 0xC01E0000u);
}

TEST(HostInput, MotionMovesTheVirtualCursorAndSetsAreCounted)
{
    ScopedHeadlessHost host;
    HostWindowCreate(HostProgramInstance(), "Pelloran", true, HostDefaultWindowProc);
    HostCursorSet(200, 180);
    EXPECT_EQ(HostCursorSets(), 1u);
    HostOnMouseMotion(-5, 7);
    HostOnMouseMotion(1, 1);
    int32_t x, y;
    HostCursorGet(&x, &y);
    EXPECT_EQ(x, 196);
    EXPECT_EQ(y, 188);
    HostOnPointerAt(10, 20);  // a client point: the window's corner is at (100, 80)
    HostCursorGet(&x, &y);
    EXPECT_EQ(x, 110);
    EXPECT_EQ(y, 100);
    EXPECT_EQ(HostCursorSets(), 1u);
    HostMessage message{};
    ASSERT_EQ(HostMsgGet(&message), 1);
    EXPECT_EQ(message.kind, HOST_MSG_SET_CURSOR);  // one for the motions queued together
    HostOnMouseButton(HOST_BUTTON_RIGHT, true);
    HostOnMouseButton(HOST_BUTTON_MIDDLE, true);
    HostOnMouseButton(HOST_BUTTON_RIGHT, false);
    EXPECT_EQ(HostMouseButtons(), HOST_BUTTON_MIDDLE);
}
