// tests/menus/held_press_test.cpp: a press that changes what is shown (a box closed, a drop-down
// entry chosen, a screen left for the next) is held for many frames, as a person clicks, and what
// comes next must not take it, or its release, for a click of its own.
#include <gtest/gtest.h>

#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menubar.h"
#include "tests/support/menu_loop.h"

namespace {

constexpr uint32_t T0 = 300;  // after the first build's wipe onto the screen
constexpr int32_t SOME_TEXT = 453;

struct HeldPress {
    int32_t counted;  // clicks the screen shown after the change took
    int32_t chosen;   // drop-down entries chosen
};
HeldPress s_held;

int32_t Count(MenuHotspot*)
{
    ++s_held.counted;
    return EXM_CODE_NONE;
}
const MenuItem kCounter[] = {
    {0x36, 0, 0, 0, 0, 0, nullptr},
    {0x38, 0, 0, 0, 0, 0, nullptr},
    {0x1f, 0, 0, 640, 480, MenuNumber(-1), Count},
    MenuEndItem(nullptr, nullptr),
};

int32_t OpenBox(MenuHotspot*)
{
    DoMessageBox("Bonjour", 0);
    return EXM_CODE_NONE;
}
int32_t Leave(MenuHotspot*) { return EXM_CODE_LEAVE; }
int32_t ChooseNothing(MenuListEntry*)
{
    ++s_held.chosen;
    return LIST_CODE_CLOSE;
}

MenuListEntry s_popup[] = {
    {LIST_TITLE_TEXT_NO, 0, {-1, -1, -1, -1}, {0, 0}, SOME_TEXT, nullptr, nullptr},
    {LIST_ENTRY_TEXT_NO, LIST_ENABLED, {0, 0, 0, 0}, {0, 0}, SOME_TEXT, ChooseNothing, nullptr},
    {LIST_END, 0, {0, 0, 0, 0}, {0, 0}, 0, nullptr, nullptr},
};

// A drop-down button, a box button and a leave button over a counting area.
const MenuItem kFirst[] = {
    {0x36, 0, 0, 0, 0, 0, nullptr},
    {0x38, 0, 0, 0, 0, 0, nullptr},
    {0x1f, 100, 100, 160, 30, MenuNumber(-1), Count},  // the popup is opened instead
    {0x2009, 0, 0, 0, 0, MenuAddress(s_popup), nullptr},
    {0x1f, 400, 100, 100, 30, MenuNumber(-1), OpenBox},
    {0x1f, 400, 300, 100, 30, MenuNumber(-1), Leave},
    {0x1f, 0, 131, 640, 340, MenuNumber(-1), Count},
    MenuEndItem(nullptr, nullptr),
};

void Hold(MenuInputs* inputs, uint32_t from, uint32_t to, int32_t x, int32_t y)
{
    inputs->push_back({from, MenuInput::MOVE, x, y, {}});
    inputs->push_back({from + 2, MenuInput::PRESS, 0, 0, {}});
    inputs->push_back({to, MenuInput::RELEASE, 0, 0, {}});
}

}  // namespace

// Each change is made by a press held for 80 periods; the only click the next screen may count is
// the fresh one made after it, at T0 + 400.
TEST(HeldPress, TheScreenShownAfterAChangeNeverTakesThePressThatMadeIt)
{
    struct Case {
        const char* change;
        int32_t x, y;      // the control that makes the change
        bool secondPress;  // the change is made by a second press at (180, 140) held long
        bool thenCounter;  // the screen is left and the counting screen run next
        int32_t chosen;
    };
    const Case cases[] = {
        {"box close", 450, 115, true, false, 0},
        {"drop-down entry", 180, 115, true, false, 1},
        {"screen left for the next", 450, 315, false, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        ScopedMenuDisplay display(true);
        FrontEndInit();
        FrontEnd_RegisterLoopSteps();
        s_held = {};
        MenuInputs inputs;
        if (c.secondPress) {
            AddClick(&inputs, T0 + 20, c.x, c.y);
            Hold(&inputs, T0 + 80, T0 + 160, 180, 140);
        } else {
            Hold(&inputs, T0 + 40, T0 + 120, c.x, c.y);
        }
        AddClick(&inputs, T0 + 400, 180, 250);
        ScopedMenuScript script(inputs, 60);
        EXM_PushAndRun(kFirst);
        if (c.thenCounter) EXM_PushAndRun(kCounter);
        EXPECT_EQ(s_held.chosen, c.chosen);
        EXPECT_EQ(s_held.counted, 1);
        FrontEndUninit();
    }
}

// A tap's press and release reach the host in the same period, between two reads of the mouse.
TEST(HeldPress, ATapWithNoTimeBetweenPressAndReleaseActsOnce)
{
    ScopedMenuDisplay display(true);
    FrontEndInit();
    FrontEnd_RegisterLoopSteps();
    s_held = {};
    MenuInputs inputs;
    inputs.push_back({T0, MenuInput::MOVE, 180, 250, {}});
    inputs.push_back({T0 + 10, MenuInput::PRESS, 0, 0, {}});
    inputs.push_back({T0 + 10, MenuInput::RELEASE, 0, 0, {}});
    ScopedMenuScript script(inputs, 60);
    EXM_PushAndRun(kCounter);
    EXPECT_EQ(s_held.counted, 1);
    FrontEndUninit();
}
