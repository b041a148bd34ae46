// tests/menus/debugscreen_test.cpp: the debug screen's fixed score and its message tester, driven
// through the real menu loop on a seeded career.
#include "menus/debugscreen.h"

#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "game/matchblocks.h"
#include "game/textmess.h"
#include "menus/frontend.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t KEY_R = 19, KEY_T = 20, KEY_Y = 21, KEY_U = 22, KEY_S = 31;

// An FNV hash of the work screen's pixels in a rectangle.
uint32_t AreaHash(int32_t x0, int32_t y0, int32_t w, int32_t h)
{
    uint32_t hash = 2166136261u;
    for (int32_t y = y0; y < y0 + h; ++y) {
        for (int32_t x = x0; x < x0 + w; ++x) {
            hash = (hash ^ WorkPixel(x, y)) * 16777619u;
        }
    }
    return hash;
}

uint32_t MessageArea() { return AreaHash(33, 351, 574, 98); }

struct TesterRun {
    MenuInputs inputs;
    uint32_t tick = 220;  // once the screen has wiped in

    void Key(int32_t code, uint32_t held = 4)
    {
        inputs.push_back({tick, MenuInput::KEY_DOWN, code, 0, {}});
        inputs.push_back({tick + held, MenuInput::KEY_UP, code, 0, {}});
        tick += held + 6;
    }
    void Call(std::function<void()> call)
    {
        inputs.push_back({tick, MenuInput::CALL, 0, 0, std::move(call)});
        tick += 2;
    }
};

}  // namespace

TEST(DebugScreen, TheTesterStepsWithinItsGroupsAndLeavesTheNewsAndTheScoreAsTheyWere)
{
    ScopedScreenRedraw career;
    TextMess_ClearInbox();
    TextMessNews.count = 1;
    std::strcpy(TextMessNews.lines[0], "kept");
    const NewsInbox inbox = TextMessNews;
    FixedScore_Set(1, 2, 1);

    TesterRun run;
    uint32_t below = 0, area = 0;
    run.Call([&] {
        below = AreaHash(0, 452, 640, 28);
        area = MessageArea();
    });
    AddClick(&run.inputs, run.tick, 500, 35);  // "Test Messages"
    run.tick += 30;
    run.Key(KEY_R);
    run.Call([] { EXPECT_EQ(DebugScreen.group, 0); });
    uint32_t shown = 0;
    run.Call([&] {
        shown = MessageArea();
        EXPECT_NE(shown, area) << "group 0's message, about a club, is drawn in the area";
    });
    run.Key(KEY_S);
    run.Call([&] { EXPECT_EQ(MessageArea(), shown) << "a reprint shows the same message"; });
    run.Key(KEY_U);
    run.Call([&] { EXPECT_NE(MessageArea(), shown) << "new parameters name another club"; });
    for (int32_t k = 0; k < 200; ++k)
        run.Key(KEY_T);
    run.Call([] { EXPECT_EQ(DebugScreen.group, DEBUG_TESTER_GROUP_MAX); });
    run.Key(KEY_R, 60);  // held over many ticks: one step
    run.Call([&] {
        EXPECT_EQ(DebugScreen.group, DEBUG_TESTER_GROUP_MAX - 1);
        EXPECT_EQ(AreaHash(0, 452, 640, 28), below) << "nothing is drawn below the area";
        // A switch set meanwhile shows once the tester ends and the screen is redrawn.
        FixedScore_Set(1, 0, 2);
    });
    run.Key(KEY_Y);
    run.tick += 20;
    run.Call([] {
        EXPECT_EQ(DebugScreen.shownHome, 0);
        EXPECT_EQ(DebugScreen.shownAway, 2);
    });
    AddClick(&run.inputs, run.tick, 570, 436);  // the OK icon: the office

    career.Run(
        DebugScreen_Table(),
        [] {
            // A fresh build switches the fixed score off and shows no goals.
            EXPECT_EQ(FixedScore.on, 0);
            EXPECT_EQ(DebugScreen.shownHome, INT16_MIN);
            EXPECT_EQ(DebugScreen.shownAway, INT16_MIN);
        },
        run.inputs);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    EXPECT_EQ(FixedScore.on, 1);
    EXPECT_EQ(std::memcmp(&TextMessNews, &inbox, sizeof inbox), 0);
}
