// tests/menus/timeanalysis_test.cpp: the time analysis's smoothing, its goal labels, and its frame
// after extra time.
#include "menus/timeanalysis.h"

#include <string>

#include <gtest/gtest.h>

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/squad.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "tests/support/screen_redraw.h"

TEST(TimeAnalysis, AMinuteWithoutAValueCountsAsFiftyAndEachMovesAFifthOfTheWay)
{
    const uint8_t series[] = {255, 100, 0, 255, 53};
    int32_t smoothed[5] = {};
    TimeAnalysis_Smooth(series, 5, smoothed);
    // 50; 50 + 50/5 = 60; 60 - 12 = 48; 48 - (-2 x 20 / 100 = 0) = 48; 48 - (-5 x 20 / 100) = 49.
    const int32_t expected[] = {50, 60, 48, 48, 49};
    for (int32_t m = 0; m < 5; ++m)
        EXPECT_EQ(smoothed[m], expected[m]) << m;
}

class TimeAnalysisScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VTW_RefreshSquadCount(m_screen.HumanClub());
        ReportFixture = static_cast<int16_t>(m_screen.HumanFixture());
        m_scorer = VTW_GetSquadPlayer(0);
    }

    ScopedScreenRedraw m_screen;
    int32_t m_scorer = -1;
};

TEST_F(TimeAnalysisScreenTest, GoalLabelsAboveForHomeBelowForAwayAtMostThirtyEndingBefore608)
{
    LastMatchCopyRecord copy{};
    copy.eventCount = 34;
    for (int32_t e = 0; e < copy.eventCount; ++e) {
        const int16_t side = e % 2 == 0 ? 0 : 1;
        copy.events[e] = {
            0, 0, static_cast<int16_t>(e * 3 + 10), side, static_cast<int16_t>(m_scorer), -1};
    }
    copy.events[0].minute = 119;           // at the chart's end: moved left
    copy.events[1] = {1, 0, 50, 1, 7, 8};  // a substitution: no label
    copy.events[2].minute = 120;           // past the minutes read
    TimeAnalysis_PlaceGoals(copy, 4);
    ASSERT_EQ(TimeAnalysis.goalCount, TIME_ANALYSIS_GOALS);
    SetMenuFont(0);
    const std::string name = VTW_FormatPersonName(m_scorer);
    for (int32_t g = 0; g < TimeAnalysis.goalCount; ++g) {
        const TimeAnalysisGoal& goal = TimeAnalysis.goals[g];
        int32_t width = 0, height = 0;
        MeasureMenuText(goal.label, &width, &height);
        EXPECT_LT(goal.x + width, TIME_ANALYSIS_LABEL_END) << g;
        EXPECT_NE(std::string(goal.label).find("But " + name), std::string::npos) << goal.label;
    }
    EXPECT_EQ(std::string(TimeAnalysis.goals[0].label).rfind(" 119Min But ", 0), 0u);
    EXPECT_LT(TimeAnalysis.goals[0].x, TIME_ANALYSIS_CHART_X + 119 * 4);
    // Home labels above the chart in four levels, away ones below it.
    EXPECT_EQ(TimeAnalysis.goals[0].y, 70);
    EXPECT_EQ(TimeAnalysis.goals[1].y, 372);
    EXPECT_EQ(TimeAnalysis.goals[2].y, 82);  // home again: the next level
    for (int32_t g = 0; g < TimeAnalysis.goalCount; ++g) {
        const int32_t y = TimeAnalysis.goals[g].y;
        EXPECT_TRUE((y >= 70 && y <= 106) || (y >= 372 && y <= 408)) << g;
    }
}

TEST_F(TimeAnalysisScreenTest, AnOwnGoalNamesItsPlayerAndSaysCsc)
{
    LastMatchCopyRecord copy{};
    for (MatchSideStats& side : copy.stats) {
        for (MatchGoalEntry& goal : side.goals)
            goal = {-1, -1, 0, 0};
    }
    // The away side's defender turns the ball into his own net at 56: a goal of the home side.
    const auto scorer = static_cast<int16_t>(m_scorer);
    copy.stats[0].goals[0] = {scorer, -1, 20, MATCH_GOAL_OPEN_PLAY};
    copy.stats[0].goals[1] = {scorer, -1, 56, MATCH_GOAL_OWN};
    copy.eventCount = 2;
    copy.events[0] = {0, 0, 20, 0, scorer, -1};
    copy.events[1] = {0, 1, 56, 0, scorer, -1};
    TimeAnalysis_PlaceGoals(copy, 4);
    ASSERT_EQ(TimeAnalysis.goalCount, 2);
    const std::string name = VTW_FormatPersonName(m_scorer);
    EXPECT_EQ(std::string(TimeAnalysis.goals[0].label), " 20Min But " + name);
    EXPECT_EQ(std::string(TimeAnalysis.goals[1].label), " 56Min But " + name + " csc");
}

TEST_F(TimeAnalysisScreenTest, AfterExtraTimeTheChartRunsTo120AndMatchesTheGolden)
{
    Fixture_SetExtraTime(ReportFixture, 1);
    Fixture_SetGoals(ReportFixture, 2, 1);
    MatchDataBlock& d = *GetMatchDataBlock();
    for (int32_t m = 0; m < MATCH_TERRITORY_MINUTES; ++m)
        d.territory[m] = static_cast<uint8_t>(m % 7 == 0 ? 255 : 20 + (m * 37) % 60);
    LastMatchCopy.sides[0].kitColour = 4;
    LastMatchCopy.sides[1].kitColour = 17;
    LastMatchCopy.eventCount = 3;
    const int16_t scorer = static_cast<int16_t>(m_scorer);
    LastMatchCopy.events[0] = {0, 0, 12, 0, scorer, -1};
    LastMatchCopy.events[1] = {0, 2, 104, 1, scorer, -1};
    LastMatchCopy.events[2] = {0, 3, 118, 0, scorer, -1};
    uint32_t hash = 0;
    m_screen.Run(TimeAnalysis_Table(), [&] { hash = WorkScreenHash(); });
    EXPECT_EQ(TimeAnalysis.length, 120);
    EXPECT_EQ(TimeAnalysis.smoothed[0], 50);
    EXPECT_EQ(TimeAnalysis.goalCount, 3);
    ExpectGoldenHash("menus/time_analysis", hash);
}
