// The in-match statistics, timeline, shoot-out list and penalty order over a seeded fixture:
// hand-worked figures, the timeline's bounds, and the orders the screens' presses leave.
#include "matchscreens/ingamestats.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/matchblocks.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/motion.h"
#include "gamecode/presentation.h"
#include "menus/machine.h"
#include "menus/menupc.h"
#include "menus/vtmenu.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

int32_t s_viewChanges;  // the text view's builds and teardowns

class InGameStatsTest : public testing::Test {
protected:
    void SetUp() override
    {
        MatchBlocks_Init();
        MatchEngine_Init();
        MatchPresentation_SetDefaults();
        MatchDayBuilder builder;
        builder.viewMode = VIEW_TEXT;
        builder.Write();
        InGameMenus_Init();
        for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
            LineUp[person / MATCH_PERSONS_PER_SIDE][person % MATCH_PERSONS_PER_SIDE] =
                static_cast<int16_t>(person);
            MatchPersons[person].playerId = static_cast<uint16_t>(500 + person);
            std::snprintf(MatchPersons[person].name, sizeof(MatchPersons[person].name),
                          "J. Joueur%02d", static_cast<uint8_t>(person));
        }
        MatchView_Register(VIEWKIND_TEXT, &kNoView);
    }
    void TearDown() override
    {
        MatchView_Register(VIEWKIND_TEXT, nullptr);
        InGameMenus_Uninit();
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
    }

    static std::vector<int16_t> Order(int32_t side)
    {
        return {PenaltyOrder[side], PenaltyOrder[side] + PENALTY_ORDER_COUNT};
    }
    // The match clock `periodTicks` into the period, 4500 ticks long.
    static void SetClock(int32_t period, uint32_t periodTicks)
    {
        Match.period = static_cast<uint8_t>(period);
        Match.periodLength = 4500;
        Match.periodTicks = periodTicks;
    }

    static constexpr MatchViewOps kNoView = {[] { ++s_viewChanges; }, [] { ++s_viewChanges; },
                                             nullptr, nullptr, nullptr};
    ScopedMenuDisplay m_display;
};

}  // namespace

TEST_F(InGameStatsTest, TerritoryAndZoneSharesFollowTheSixCountersInEveryRange)
{
    struct Case {
        uint32_t ticks[2][3];  // [side][own, middle, attacking third]
        int32_t territory[3];
        int32_t home[4];  // defence, midfield, attack, general
        int32_t away[4];
    };
    const Case cases[] = {
        // Nothing counted yet.
        {{{0, 0, 0}, {0, 0, 0}}, {0, 0, 0}, {50, 50, 50, 50}, {50, 50, 50, 50}},
        // Past 32,767 in all: a 16-bit total would turn negative.
        {{{20000, 20000, 20000}, {20000, 20000, 20000}},
         {33, 33, 34},
         {50, 50, 50, 50},
         {50, 50, 50, 50}},
        // Past 32 bits in all.
        {{{1000000000, 1000000000, 1000000000}, {1000000000, 1000000000, 1000000000}},
         {33, 33, 34},
         {50, 50, 50, 50},
         {50, 50, 50, 50}},
        // Home never had the ball at away's goal; 400, 800 and 200 of 1400 ticks by third.
        {{{300, 600, 0}, {200, 200, 100}}, {28, 57, 15}, {75, 75, 0, 50}, {100, 25, 25, 50}},
    };
    Match.teamStats[0] = {7, 3, 5, 11, 2, 0};
    Match.teamStats[1] = {4, 1, 0, 9, 6, 0};
    for (const Case& c : cases) {
        std::memcpy(Match.thirdsTicks, c.ticks, sizeof(c.ticks));
        const InGameStatsFigures f = InGameStats_Figures(Match.thirdsTicks);
        for (int32_t k = 0; k < 3; ++k)
            EXPECT_EQ(f.territory[k], c.territory[k]) << c.ticks[0][0] << " third " << k;
        InGameStatsRow rows[IGS_ROWS];
        InGameStats_Rows(rows);
        const int32_t labels[IGS_ROWS] = {1838, 922, 925, 1437, 1642, 608, 609, 610, 1837};
        const int32_t homeCounts[5] = {7, 3, 5, 11, 2}, awayCounts[5] = {4, 1, 0, 9, 6};
        for (int32_t r = 0; r < IGS_ROWS; ++r) {
            EXPECT_EQ(rows[r].label, labels[r]);
            EXPECT_EQ(rows[r].percent, r >= 5);
            EXPECT_EQ(rows[r].home, r < 5 ? homeCounts[r] : c.home[r - 5]) << r;
            EXPECT_EQ(rows[r].away, r < 5 ? awayCounts[r] : c.away[r - 5]) << r;
        }
    }
}

TEST_F(InGameStatsTest, SmoothingStepsAFifthTowardEachMinuteAndMissingMinutesRead50)
{
    uint8_t values[IGS_MINUTES];
    std::memset(values, 255, sizeof(values));
    const uint8_t known[] = {40, 90, 255, 0, 53, 255, 43, 255};
    std::memcpy(values, known, sizeof(known));
    int32_t smoothed[IGS_MINUTES];
    InGameStats_Smooth(values, smoothed);
    // 40; +50/5; none; -50/5; +13/5 rounds down to 2; none; -7/5 rounds up to -1; none.
    const int32_t expected[] = {40, 50, 50, 40, 42, 50, 49, 50};
    for (int32_t m = 0; m < 8; ++m)
        EXPECT_EQ(smoothed[m], expected[m]) << m;
    EXPECT_EQ(smoothed[IGS_MINUTES - 1], 50);
    values[0] = 255;
    InGameStats_Smooth(values, smoothed);
    EXPECT_EQ(smoothed[0], 50);
}

TEST_F(InGameStatsTest, TheAxisTurnsTo120MinutesOnlyPastMinute90)
{
    const std::pair<uint32_t, int32_t> cases[] = {{0, 90}, {4500, 90}, {4525, 120}, {9000, 120}};
    for (const auto& [ticks, minutes] : cases) {
        SetClock(1, ticks);
        EXPECT_EQ(InGameStats_AxisMinutes(), minutes) << ticks;
    }
}

TEST_F(InGameStatsTest, TheTimelineLabelsThirtyEventsAtMostAndNoBooking)
{
    MatchDataBlock& data = *GetMatchDataBlock();
    for (int32_t e = 0; e < 60; ++e) {
        data.events[e] = {static_cast<uint8_t>(e % 4),
                          0,
                          static_cast<int16_t>(e),
                          static_cast<int16_t>(e % 2),
                          static_cast<int16_t>(500 + e % 32),
                          -1};
    }
    data.events[60].kind = MATCH_EVENT_END;
    data.eventCount = 60;
    InGameTimelineLabel labels[IGS_EVENT_LABELS];
    ASSERT_EQ(InGameStats_TimelineLabels(labels), IGS_EVENT_LABELS);
    EXPECT_STREQ(labels[0].text, " 0' But J. Joueur00");
    EXPECT_STREQ(labels[1].text, " 1' Remplacement J. Joueur01");
    EXPECT_STREQ(labels[2].text, " 3' Expulsion J. Joueur03");    // minute 2's booking left out
    EXPECT_STREQ(labels[29].text, " 39' Expulsion J. Joueur07");  // three rows in four
    for (const InGameTimelineLabel& label : labels)
        EXPECT_EQ(label.y < 205, label.side == 0) << label.text;  // home above, away below
    // Home labels are 0, 3, 6, ...: the fifth is back on the first row.
    EXPECT_EQ(labels[0].y, labels[12].y);
    EXPECT_NE(labels[0].y, labels[3].y);
    data.events[2].kind = MATCH_EVENT_END;
    EXPECT_EQ(InGameStats_TimelineLabels(labels), 2);
}

// In the second extra period's stoppage the clock passes minute 120: the curve stops at the last
// minute kept and stays in the plot (80, 80, 530, 250).
TEST_F(InGameStatsTest, AMinutePast120DrawsInsideThePlot)
{
    std::memset(GetMatchDataBlock()->territory, 100, IGS_MINUTES);
    GetMatchDataBlock()->territory[IGS_MINUTES] = 0;
    const size_t bytes =
        static_cast<size_t>(MenuScreen.width) * MenuScreen.height * MenuScreen.bytesPerPixel;
    auto frameAt = [&](uint32_t periodTicks) {
        SetClock(3, periodTicks);  // the second extra period: 15 minutes from minute 105
        InGameScreen_Open(InGameStats_Screen(IGM_TIMELINE));
        std::vector<uint8_t> frame(MenuScreen.workScreen, MenuScreen.workScreen + bytes);
        InGameScreen_Close();
        return frame;
    };
    const std::vector<uint8_t> minute100 = frameAt(0);
    const std::vector<uint8_t> minute125 = frameAt(4500 * 20 / 15);
    int32_t changed = 0;
    for (size_t i = 0; i < bytes; ++i) {
        if (minute100[i] == minute125[i]) continue;
        const int32_t pixel = static_cast<int32_t>(i / MenuScreen.bytesPerPixel);
        const int32_t x = pixel % MenuScreen.width, y = pixel / MenuScreen.width;
        ++changed;
        ASSERT_TRUE(x >= 80 && x <= 610 && y >= 78 && y <= 332) << x << ", " << y;
    }
    EXPECT_GT(changed, 0);
}

TEST_F(InGameStatsTest, PenaltyCandidatesArePlacesOneToTenStillOnThePitch)
{
    InGameStats_FillPenaltyOrder(1);
    EXPECT_EQ(Order(1), (std::vector<int16_t>{17, 18, 19, 20, 21, 22, 23, 24, 25, 26}));

    MatchPersons[4].offPitch = 1;  // sent off
    Football_Substitute(0, 12, 7);
    InGameStats_FillPenaltyOrder(0);
    // The substitute stands in place 7; the man sent off leaves an empty entry at the end.
    EXPECT_EQ(Order(0), (std::vector<int16_t>{1, 2, 3, 5, 6, 12, 8, 9, 10, -1}));
}

TEST_F(InGameStatsTest, TwoPressesSwapTakersAndTheShootOutKicksInTheNewOrder)
{
    InGameStats_FillPenaltyOrder(0);
    InGameScreen_Open(InGameStats_PenaltyScreen(0));
    EXPECT_EQ(SendVTEventAt(300, 131, VT_EVENT_PRESS), VT_CONTINUE);
    EXPECT_EQ(SendVTEventAt(300, 131, VT_EVENT_RELEASE), VT_BREAK_0);  // picks row 0 (place 1)
    EXPECT_EQ(SendVTEventAt(300, 175, VT_EVENT_RELEASE), VT_BREAK_0);  // swaps with row 2
    EXPECT_EQ(SendVTEventAt(320, 450, VT_EVENT_RELEASE), VT_BREAK_1);  // "Terminer"
    InGameScreen_Close();
    EXPECT_EQ(Order(0), (std::vector<int16_t>{3, 2, 1, 4, 5, 6, 7, 8, 9, 10}));
    KickingSide = 0;
    const std::pair<int16_t, int32_t> kicks[] = {{0, 3}, {2, 2}, {4, 1}, {6, 4}};
    for (const auto& [shootoutKicks, taker] : kicks) {
        Match.shootoutKicks = shootoutKicks;
        EXPECT_EQ(ShootOut_PickTaker(), taker) << shootoutKicks;
    }
}

TEST_F(InGameStatsTest, OnlyAHumanSideOutsideTheUnattendedRunGetsThePenaltyScreen)
{
    MenuInputs inputs;
    // The screen's first drawing takes its time.
    AddClick(&inputs, 150, 300, 131);
    AddClick(&inputs, 200, 300, 153);
    AddClick(&inputs, 250, 320, 450);
    const std::vector<int16_t> placeOrder = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    struct Case {
        uint8_t homeHuman;
        uint32_t autoRun;
        bool screen;
    };
    ShutdownMenuGraphics();  // as the match view leaves the display
    for (const Case c : {Case{0, 0, false}, Case{1, 1, false}, Case{1, 0, true}}) {
        GetMatchSidesBlock()->sides[0].human = c.homeHuman;
        GetMatchSidesBlock()->sides[1].human = 0;
        AutoRunMode = c.autoRun;
        ScopedMenuScript script(inputs, 100);
        s_viewChanges = 0;
        RunInGameMenuPair();
        EXPECT_EQ(s_viewChanges, 2);  // the view down and up again, whatever ran
        std::vector<int16_t> expected = placeOrder;
        if (c.screen) std::swap(expected[0], expected[1]);
        EXPECT_EQ(Order(0), expected);
        EXPECT_EQ(Order(1)[0], 17);
        EXPECT_EQ(VT_GetState(), VT_STATE_OFF);
    }
    AutoRunMode = 0;
}

TEST_F(InGameStatsTest, TheShootOutListSwapsOrderNumbersAndThePickedRowDropsThePick)
{
    InGameMenuId = IGM_SHOOT_OUT;
    InGameScreen_Open(InGameStats_Screen(IGM_SHOOT_OUT));
    const int32_t rowY[11] = {118, 134, 150, 166, 182, 198, 214, 230, 246, 262, 278};
    for (const int32_t place : {1, 7, 2, 2, 3, 0}) {
        EXPECT_EQ(SendVTEventAt(300, rowY[place], VT_EVENT_RELEASE), VT_BREAK_0);
    }
    // 1 and 7 swapped; 2 picked and dropped; 3 and 0 swapped.
    const int32_t expected[11] = {4, 0, 3, 1, 5, 0, 0, 2, 0, 0, 0};
    for (int32_t place = 0; place < 11; ++place)
        EXPECT_EQ(InGameStats_ShootOutNumber(place), expected[place]) << place;
    EXPECT_EQ(SendVTEventAt(320, 440, VT_EVENT_RELEASE), VT_BREAK_1);
    EXPECT_EQ(InGameMenuId, IGM_MARKING);
    InGameScreen_Close();
}

// The statistics of a known match and the penalty order with a row picked, as drawn.
TEST_F(InGameStatsTest, TheStatisticsAndPenaltyOrderScreensMatchTheirGoldens)
{
    Match.teamStats[0] = {7, 3, 5, 11, 2, 0};
    Match.teamStats[1] = {4, 1, 0, 9, 6, 0};
    const uint32_t ticks[2][3] = {{300, 600, 0}, {200, 200, 100}};
    std::memcpy(Match.thirdsTicks, ticks, sizeof(ticks));
    InGameMenuId = IGM_STATISTICS;
    InGameScreen_Open(InGameStats_Screen(IGM_STATISTICS));
    WriteFrameToTestOutput("in_match_statistics.png");
    ExpectGoldenHash("menus/in_match_statistics", WorkScreenHash());
    InGameScreen_Close();

    for (MatchPlayerEntry& entry : GetMatchSidesBlock()->sides[0].entries) {
        for (int32_t c = 0; c < MATCH_DISPLAY_SKILL_COUNT; ++c)
            entry.displaySkills[c] = static_cast<uint16_t>(40 + c * 5 + entry.shirt);
    }
    InGameStats_FillPenaltyOrder(0);
    InGameScreen_Open(InGameStats_PenaltyScreen(0));
    EXPECT_EQ(SendVTEventAt(300, 153, VT_EVENT_RELEASE), VT_BREAK_0);
    VT_MenuRedraw();
    WriteFrameToTestOutput("in_match_penalty_order.png");
    ExpectGoldenHash("menus/in_match_penalty_order", WorkScreenHash());
    InGameScreen_Close();
}
