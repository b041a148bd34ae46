#include "menus/machine.h"

#include <gtest/gtest.h>

#include "engine/gfx.h"
#include "engine/host/host.h"
#include "engine/memory.h"
#include "game/gamestate.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/vtmenu.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

class Machine : public testing::Test {
protected:
    // Shown once, so that no box's first presentation spends ticks wiping the screen in.
    Machine() { PresentMenuScreen(); }

    ScopedMenuDisplay m_display;
};
using MachineDeathTest = Machine;

void MovePointerBy(int32_t dx, int32_t dy)
{
    HostOnMouseMotion(dx, dy);
    int16_t x, y;
    uint16_t buttons;
    UpdatePointerPosition(&x, &y, &buttons);
}

void MovePointerTo(int32_t x, int32_t y) { MovePointerBy(x - PointerX(), y - PointerY()); }

// The hourglass frame drawn with its corner at (x, y), or -1.
int32_t BusyFrameAt(int32_t x, int32_t y)
{
    for (int32_t f = 0; f < POINTER_BUSY_FRAMES; ++f) {
        if (IconDrawnAt(POINTER_BUSY_ICON + f, x, y)) return f;
    }
    return -1;
}

}  // namespace

TEST_F(Machine, BringsUpThe16BitDisplayWithFontsAndTheArrowAtTheCentre)
{
    EXPECT_EQ(ScreenWidth(), 640u);
    EXPECT_EQ(ScreenHeight(), 480u);
    EXPECT_EQ(GfxBytesPerPixel(), 2u);
    EXPECT_EQ(VT_GetState(), VT_STATE_READY);
    EXPECT_EQ(PointerX(), 320);
    EXPECT_EQ(PointerY(), 240);
    int32_t w, h;
    MeasureMenuText("A", &w, &h);  // a font that was not loaded would be fatal here
    EXPECT_GT(w, 0);
    ShowPointer();
    EXPECT_TRUE(IconDrawnAt(POINTER_ICON, 320, 240));
    ErasePointer();
    EXPECT_FALSE(IconDrawnAt(POINTER_ICON, 320, 240));
}

TEST_F(Machine, ShutdownLeavesNoBlockOfTheDisplayBehind)
{
    ShutdownMenuGraphics();
    const MemoryStatistics afterFirst = MemoryStats();
    EXPECT_FALSE(IsGraphicMode());
    InitSetOfMenus();
    ShowPointer();
    ShutdownMenuGraphics();
    EXPECT_EQ(MemoryStats().blocks, afterFirst.blocks);
}

TEST_F(Machine, PointerStopsSixPixelsShortOfTheRightAndBottomEdges)
{
    MovePointerBy(1000, 1000);
    EXPECT_EQ(PointerX(), 640 - 6);
    EXPECT_EQ(PointerY(), 480 - 6);
    MovePointerBy(-2000, -2000);
    EXPECT_EQ(PointerX(), 0);
    EXPECT_EQ(PointerY(), 0);
}

TEST_F(Machine, TwoBusyCallsNeedTwoOffsBeforeTheArrowReturns)
{
    MovePointerTo(100, 100);
    SetBusyPointer(1);
    SetBusyPointer(1);
    EXPECT_GE(BusyFrameAt(100 - 12, 100 - 12), 0);
    SetBusyPointer(0);
    ErasePointer();
    ShowPointer();
    EXPECT_GE(BusyFrameAt(100 - 12, 100 - 12), 0);
    ErasePointer();
    SetBusyPointer(0);
    ShowPointer();
    EXPECT_TRUE(IconDrawnAt(POINTER_ICON, 100, 100));
    ErasePointer();
}

TEST_F(Machine, HourglassAdvancesEveryFourTicksAndHidingErasesItAtOnce)
{
    MovePointerTo(200, 200);
    SetBusyPointer(1);
    const int32_t first = BusyFrameAt(188, 188);
    ASSERT_GE(first, 0);
    for (int32_t i = 0; i < 4 * 5; ++i)
        WaitMenuTick();
    const int32_t later = BusyFrameAt(188, 188);
    // Each wait is at least one tick and the poll's period is 4 ticks: five frames or more.
    EXPECT_GE((later - first + POINTER_BUSY_FRAMES) % POINTER_BUSY_FRAMES, 5);
    HidePointer(1);
    EXPECT_EQ(BusyFrameAt(188, 188), -1);
    HidePointer(0);
    EXPECT_GE(BusyFrameAt(188, 188), 0);
    SetBusyPointer(0);
}

TEST_F(Machine, GaugeFillsOnePixelPerPercentOnlyFrom4To100)
{
    // The fill's top edge runs along row 423 from x = 268, one pixel per percent.
    ProgressCounters = {200, 100};
    DrawBusyGauge();
    EXPECT_EQ(WorkPixel(268 + 49, 423), WorkPixel(290, 423));
    EXPECT_NE(WorkPixel(268 + 50, 423), WorkPixel(290, 423));
    for (const ProgressCountersRecord& progress :
         {ProgressCountersRecord{100, 3}, ProgressCountersRecord{2, 3}}) {
        ProgressCounters = progress;
        DrawBusyGauge();
        EXPECT_EQ(WorkPixel(290, 423), WorkPixel(268 + 50, 423)) << progress.done;
    }
    ProgressCounters = {0, 0};
}

TEST_F(Machine, MessageBoxOpenedWithTheButtonHeldWaitsForReleaseAndANewPress)
{
    HostOnMouseButton(HOST_BUTTON_LEFT, true);
    MenuInputs inputs;
    inputs.push_back({30, MenuInput::RELEASE, 0, 0, {}});
    inputs.push_back({60, MenuInput::PRESS, 0, 0, {}});
    bool arrowDuringBox = false;
    inputs.push_back({40, MenuInput::CALL, 0, 0,
                      [&] { arrowDuringBox = IconDrawnAt(POINTER_ICON, PointerX(), PointerY()); }});
    ScopedMenuScript script(inputs);
    SetBusyPointer(1);
    DoMessageBox("Bonjour", 0);
    EXPECT_GE(ScopedMenuScript::Elapsed(), 60u);
    EXPECT_LT(ScopedMenuScript::Elapsed(), 70u);
    EXPECT_TRUE(arrowDuringBox);
    SetBusyPointer(0);
    HostOnMouseButton(HOST_BUTTON_LEFT, false);
}

TEST_F(Machine, MessageBoxClosesAfterItsTimeOut)
{
    ScopedMenuScript script({});
    DoMessageBox("Bonjour", 50);
    EXPECT_GE(ScopedMenuScript::Elapsed(), 50u);
    EXPECT_LT(ScopedMenuScript::Elapsed(), 60u);
    EXPECT_EQ(IsSavedScreenSection(MENU_MODAL_SECTION), 0);
}

TEST_F(Machine, QuestionBoxAnswersTheButtonClickedOrTheTimeOut)
{
    struct Case {
        int32_t x;
        int32_t y;
        uint32_t timeout;
        int32_t answer;
    };
    for (const Case& c : {Case{270, 280, 0, 0}, Case{370, 280, 0, 1}, Case{-1, -1, 100, -1},
                          Case{100, 100, 200, 2}}) {
        MenuInputs inputs;
        if (c.x >= 0) AddClick(&inputs, 10, c.x, c.y);
        ScopedMenuScript script(inputs);
        EXPECT_EQ(DoQuestionBox("Encore ?", c.timeout, MenuYesNoButtons), c.answer) << c.x;
        HostOnMouseButton(HOST_BUTTON_LEFT, false);  // the box answers while the button is down
    }
}

TEST_F(MachineDeathTest, SavingASectionTwiceIsFatal)
{
    PreserveScreenSection(4, 10, 10, 20, 20);
    EXPECT_FATAL(PreserveScreenSection(4, 10, 10, 20, 20),
                 "Error: PreserveScreenSection(): section no 4 already saved\n");
}

TEST_F(MachineDeathTest, SectionMisuseIsFatal)
{
    EXPECT_FATAL(
        PreserveScreenSection(1, 630, 10, 20, 20),
        "Error: PreserveScreenSection(): off screen coords for section 1 - 630,10 (20x20)");
    EXPECT_FATAL(RestoreScreenSection(2), "Error: RestoreScreenSection(): section no 2 not saved");
    EXPECT_FATAL(ResetScreenSection(5), "Error: ResetScreenSection(): section index out of range");
}
