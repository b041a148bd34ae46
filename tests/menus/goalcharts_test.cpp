// tests/menus/goalcharts_test.cpp: the goal statistics' scorers' list scrolls within its bounds
// and only when it holds more than it shows; the four charts of a given goal list draw the same
// frame as ever; bars are held to their chart.
#include "menus/goalcharts.h"

#include <gtest/gtest.h>

#include "game/squad.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/screen_redraw.h"

namespace {

void DrawCharts(int32_t, int32_t, int32_t, int32_t, int32_t) { GoalCharts_Draw(); }

const MenuItem kChartsScreen[] = {
    {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
    {0x38, 0, 0, 0, 0, 0, nullptr},
    {0x24, 0, 0, 640, 480, MenuCallback(DrawCharts), nullptr},
    MenuEndItem(nullptr, nullptr),
};

}  // namespace

TEST(GoalCharts, TheScorersScrollOnlyPastTwelveAndShowTheFirstAndTheLast)
{
    struct Case {
        int32_t count;
        int32_t downs, ups;
        int32_t code;
        int32_t firstAfterDowns, firstAfterUps;
    };
    const Case cases[] = {
        {0, 3, 1, EXM_CODE_NONE, 0, 0},       {12, 3, 1, EXM_CODE_NONE, 0, 0},
        {13, 3, 1, EXM_CODE_REDRAW, 1, 0},  // the 13th entry comes into view
        {32, 40, 5, EXM_CODE_REDRAW, 20, 15}, {32, 2, 5, EXM_CODE_REDRAW, 2, 0},
    };
    for (const Case& c : cases) {
        GoalChartsInit();
        GoalCharts.count = c.count;
        for (int32_t n = 0; n < c.downs; ++n)
            EXPECT_EQ(GoalCharts_ScrollDown(), c.code) << c.count;
        EXPECT_EQ(GoalCharts.first, c.firstAfterDowns) << c.count;
        for (int32_t n = 0; n < c.ups; ++n)
            EXPECT_EQ(GoalCharts_ScrollUp(), c.code) << c.count;
        EXPECT_EQ(GoalCharts.first, c.firstAfterUps) << c.count;
    }
    MenuOption = 29;
    EXPECT_EQ(GoalCharts_ToAttendance(), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 30);
    EXPECT_EQ(GoalCharts_ToOtherStatistics(), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 31);
}

TEST(GoalCharts, ABarIsHeldToItsChart)
{
    EXPECT_EQ(GoalCharts_BarLength(5, 10, 160), 80);
    EXPECT_EQ(GoalCharts_BarLength(25, 10, 160), 160);
    EXPECT_EQ(GoalCharts_BarLength(-3, 10, 80), 0);
    EXPECT_EQ(GoalCharts_BarLength(3, 0, 80), 80);  // no scale: as if 1
}

TEST(GoalCharts, TheFourChartsOfAGoalListMatchTheGolden)
{
    ScopedScreenRedraw screen;
    VTW_RefreshSquadCount(screen.HumanClub());
    GoalChartsInit();
    GoalCharts.count = 14;
    for (int32_t n = 0; n < GoalCharts.count; ++n)
        GoalCharts.list[n] = {static_cast<int16_t>(VTW_GetSquadPlayer(n)),
                              static_cast<uint8_t>(14 - n), static_cast<uint8_t>(n % 5)};
    GoalCharts.first = 1;
    GoalCharts.listScale = 20;
    for (int32_t k = 0; k < GOAL_KINDS; ++k) {
        GoalCharts.kinds[k][0] = 2 * k;
        GoalCharts.kinds[k][1] = 9 - k;
    }
    GoalCharts.kindsScale = 20;
    for (int32_t p = 0; p < GOAL_PERIODS; ++p) {
        GoalCharts.periods[p][0] = p + 1;
        GoalCharts.periods[p][1] = 7 - p;
    }
    GoalCharts.periodsScale = 10;
    GoalCharts.averages[0][0] = 215;
    GoalCharts.averages[0][1] = 90;
    GoalCharts.averages[1][0] = 130;
    GoalCharts.averages[1][1] = 175;
    GoalCharts.averagesScale = 400;
    GoalCharts.legend[0] = 916;
    GoalCharts.legend[1] = 917;
    uint32_t hash = 0;
    screen.Run(kChartsScreen, [&] { hash = WorkScreenHash(); });
    ExpectGoldenHash("menus/goal_charts", hash);
}
