// tests/menus/results_test.cpp: the results screens' lists: where they open, how they scroll, the
// competitions without fixtures, the 125-row cap, shoot-outs and two-legged ties.
#include "menus/results.h"

#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/world.h"
#include "menus/exm.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t TODAY = 100;
constexpr int32_t FRIENDLIES_ENTRY = 9;  // of country 6's row
constexpr int32_t SECOND_CUP_ENTRY = 7;

class ResultsScreen : public ::testing::Test {
protected:
    ResultsScreen()
    {
        NewGameForTest(6, 7);
        ResultsInit();
        m_human = DivisionLists[0][0];
        VTW_SetClubControl(m_human, MANAGER_HUMAN);
        GameState.humanClub = static_cast<int16_t>(m_human);
        Fixtures_Clear();
        Calendar_SetDay(TODAY);
    }
    ~ResultsScreen() override { ResultsUninit(); }

    // `count` friendlies today between clubs other than the human's, in pairs.
    std::vector<int32_t> InsertFriendlies(int32_t count, int32_t humanAwayAgainst = -1)
    {
        std::vector<int32_t> rows;
        int32_t club = 0;
        auto next = [&] {
            if (club == m_human) ++club;
            return club++;
        };
        for (int32_t i = 0; i < count; ++i) {
            const int32_t home = next();
            int32_t away = next();
            if (home == humanAwayAgainst) away = m_human;
            rows.push_back(VTW_InsertFixture(TODAY, COMP_FRIENDLY, home, away));
        }
        return rows;
    }

    ScopedWorld m_world;
    int32_t m_human = -1;
};

}  // namespace

TEST_F(ResultsScreen, TheListOpensOnThePageThatShowsTheHumansFixture)
{
    InsertFriendlies(30);
    Results_Build(true);
    const int32_t homeAtTwenty = VTW_GetFixtureHomeClub(Results_ListedRow(20));
    Fixtures_Clear();
    InsertFriendlies(30, homeAtTwenty);
    Results_Build(true);
    EXPECT_EQ(Results_SelectedEntry(), FRIENDLIES_ENTRY);
    EXPECT_EQ(VTW_GetFixtureAwayClub(Results_ListedRow(20)), m_human);
    EXPECT_EQ(Results_Scroll(), 14);  // rows 14-29: the last page, full
}

TEST_F(ResultsScreen, ScrollingStepsByAPageAndStopsAtBothEnds)
{
    InsertFriendlies(40);
    Results_Build(true);
    EXPECT_EQ(Results_ScrollUp(nullptr), EXM_CODE_NONE);
    EXPECT_EQ(Results_ScrollDown(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(Results_ScrollDown(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(Results_ScrollDown(nullptr), EXM_CODE_NONE);
    Results_Build(false);
    EXPECT_EQ(Results_Scroll(), 32);  // remembered across the rebuild
    EXPECT_EQ(Results_ScrollUp(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(Results_ScrollUp(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(Results_ScrollUp(nullptr), EXM_CODE_NONE);
}

TEST_F(ResultsScreen, ACompetitionWithoutFixturesTodayCannotBeChosen)
{
    InsertFriendlies(3);
    Results_Build(true);
    EXPECT_EQ(Results_SelectedEntry(), FRIENDLIES_ENTRY);  // the human plays nothing today
    EXPECT_EQ(Results_ChooseEntry(0), EXM_CODE_NONE);
    EXPECT_EQ(Results_SelectedEntry(), FRIENDLIES_ENTRY);
}

TEST_F(ResultsScreen, MoreThan125FixturesList125)
{
    for (uint32_t i = 0; i < 130; ++i) {
        FixtureTable[i].head = TODAY | COMP_FRIENDLY << 9 | (i % 100) << 16 | (i % 100 + 1) << 24;
        FixtureTable[i].result = 0xFF;
    }
    Results_Build(true);
    EXPECT_EQ(Results_ListedCount(), RESULTS_MAX_ROWS);
}

TEST_F(ResultsScreen, AShootOutWinnerBringsTheFootnote)
{
    const std::vector<int32_t> rows = InsertFriendlies(2);
    Fixture_SetGoals(rows[0], 1, 0);
    Fixture_SetGoals(rows[1], 1, 1);
    Results_Build(true);
    EXPECT_FALSE(Results_ShootOutShown());
    Fixture_SetShootOut(rows[1], 3, 4);
    Results_Build(false);
    EXPECT_TRUE(Results_ShootOutShown());
}

TEST_F(ResultsScreen, ASecondLegShowsTheAggregateAfterAndTheFirstLegBefore)
{
    constexpr int32_t ROUND = 1;
    ASSERT_EQ(CupRules(6, CUP_SECOND, ROUND), 2);
    const int32_t first =
        VTW_InsertFixture(TODAY - 7, Fixture_CupComp(CUP_SECOND, ROUND, 0), 20, 21);
    const int32_t second = VTW_InsertFixture(TODAY, Fixture_CupComp(CUP_SECOND, ROUND, 1), 21, 20);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    Fixture_SetGoals(VTW_FindFixtureOfClubOnDay(20, TODAY - 7), 2, 1);
    Fixture_SetGoals(VTW_FindFixtureOfClubOnDay(20, TODAY), 1, 0);
    ResultsMode = RESULTS_AFTER_MATCHES;
    Results_Build(true);
    EXPECT_EQ(Results_SelectedEntry(), SECOND_CUP_ENTRY);
    EXPECT_EQ(Results_AggregateHome(0), 2);
    EXPECT_EQ(Results_AggregateAway(0), 2);
    ResultsMode = RESULTS_BEFORE_MATCHES;
    Results_Build(true);
    EXPECT_EQ(Results_AggregateHome(0), 1);
    EXPECT_EQ(Results_AggregateAway(0), 2);
}
