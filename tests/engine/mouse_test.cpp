#include "engine/mouse.h"

#include <gtest/gtest.h>

#include "engine/gfx.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/winlib.h"
#include "tests/support/gfx_run.h"
#include "tests/support/support.h"

namespace {

class Mouse : public testing::Test {
protected:
    Mouse() { InitMouseDriver(); }
    ~Mouse() override { UninitMouseDriver(); }

private:
    ScopedHeadlessHost m_host;
    ScopedGraphics m_graphics;
};

using MouseDeathTest = Mouse;

struct Reading {
    int16_t dx;
    int16_t dy;
    uint16_t buttons;
};

Reading Read()
{
    Reading reading{};
    ReadMouseDriver(&reading.dx, &reading.dy, &reading.buttons);
    return reading;
}

}  // namespace

TEST_F(Mouse, ReadsSumTheMotionSinceTheLastReadAndParkTheCursor)
{
    EXPECT_FALSE(HostInjectCursorShown());
    HostOnMouseMotion(3, -2);
    HostOnMouseMotion(4, 1);
    const Reading first = Read();
    EXPECT_EQ(first.dx, 7);
    EXPECT_EQ(first.dy, -1);
    int32_t x, y, originX, originY;
    HostCursorGet(&x, &y);
    WinGetClientOrigin(&originX, &originY);
    EXPECT_EQ(x, originX + 100);
    EXPECT_EQ(y, originY + 100);
    const Reading still = Read();
    EXPECT_EQ(still.dx, 0);
    EXPECT_EQ(still.dy, 0);
}

TEST_F(Mouse, ThePrimaryButtonIsBitZeroEvenWhenTheButtonsAreSwapped)
{
    HostOnMouseButton(HOST_BUTTON_LEFT, true);
    EXPECT_EQ(Read().buttons, MOUSE_PRIMARY);
    HostInjectSwapButtons(true);
    EXPECT_EQ(Read().buttons, MOUSE_SECONDARY);
    HostOnMouseButton(HOST_BUTTON_LEFT, false);
    HostOnMouseButton(HOST_BUTTON_RIGHT, true);
    HostOnMouseButton(HOST_BUTTON_MIDDLE, true);
    EXPECT_EQ(Read().buttons, MOUSE_PRIMARY | MOUSE_MIDDLE);
}

TEST_F(Mouse, TheHookKeepsTheSystemCursorOffTheWindow)
{
    const uint32_t before = HostInjectArrowCursorSets();
    HostOnMouseMotion(1, 1);
    while (HostMsgPeek()) {
        HostMessage message{};
        HostMsgGet(&message);
        HostMsgDispatch(message);
    }
    EXPECT_EQ(HostInjectArrowCursorSets(), before);
}

TEST_F(MouseDeathTest, ReadingAfterAModeChangeWithoutAResetIsFatal)
{
    SetModeBySize(320, 200, DDRAW_KIND_16BIT);
    EXPECT_FATAL(Read(), "ReadMouseDriver(): mouse driver not ready");
    ResetMouseDriver();
    Read();
    EXPECT_FATAL(InitMouseDriver(), "InitMouseDriver(): already initialised");
}

TEST(MouseDriverDeathTest, WithoutInitialisationResetAndUninitAreFatal)
{
    EXPECT_FATAL(ResetMouseDriver(), "ResetMouseDriver(): not initialised");
    EXPECT_FATAL(UninitMouseDriver(), "UninitMouseDriver(): not initialised");
}

// A touchpad's tap sends its press and release together, between two reads of the game.
TEST_F(Mouse, ATapBetweenTwoReadsReadsDownOnceThenUp)
{
    HostInjectSwapButtons(true);
    HostOnMouseButton(HOST_BUTTON_RIGHT, true);
    HostOnMouseButton(HOST_BUTTON_RIGHT, false);
    EXPECT_EQ(Read().buttons, MOUSE_PRIMARY);
    EXPECT_EQ(Read().buttons, 0);
    HostOnMouseButton(HOST_BUTTON_MIDDLE, true);
    EXPECT_EQ(Read().buttons, MOUSE_MIDDLE);
    HostOnMouseButton(HOST_BUTTON_MIDDLE, false);
    EXPECT_EQ(Read().buttons, 0);  // a press already read is not read again after its release
}
