// tests/game/analysis_test.cpp: the written analyses of a played match and of a squad: what they
// say about whom, in line order, within the table's 100 lines.
#include "game/analysis.h"

#include <algorithm>
#include <vector>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/simmatch.h"
#include "game/squad.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

class AnalysisTest : public testing::Test {
protected:
    void SetUp() override
    {
        MatchBlocks_Init();
        NewGameForTest(0, 41);
        while (VTW_GetFixtureCompetition(m_row) != COMP_LEAGUE) {
            ++m_row;
        }
    }
    void TearDown() override { MatchBlocks_Uninit(); }

    // The row played 3-1 with the home side's entry 9 scoring twice and entry 3 sent off.
    void PlayTheRow()
    {
        Calendar_SetDay(VTW_GetFixtureDay(m_row));
        SetupFixture(m_row);
        SimMatch_FixedResult(*GetMatchSidesBlock(), 3, 1, GetMatchDataBlock());
        PlayerMatchRecord* home = GetMatchDataBlock()->sides[0].players;
        PlayerMatchRecord_Set(&home[9], PMR_GOALS, 2);
        PlayerMatchRecord_Set(&home[9], PMR_RATING, 85);
        PlayerMatchRecord_Set(&home[3], PMR_BOOKINGS, 3);
        PlayerMatchRecord_Set(&home[3], PMR_RATING, 35);
        PostMatch_Process();
    }

    // The comments written about the player with this shirt, in order.
    static std::vector<int> CommentsOnSlot(int slot, int count)
    {
        std::vector<int> texts;
        for (int k = 0; k < count; ++k) {
            if (AnalysisLines.text[k] > ANALYSIS_HEADING_LAST && AnalysisLines.slot[k] == slot)
                texts.push_back(AnalysisLines.text[k]);
        }
        return texts;
    }

    ScopedWorld m_world;
    ScopedTactics m_tactics;
    int m_row = 0;
};

TEST_F(AnalysisTest, AMatchAnalysisSpeaksOfTheHumansPlayersByShirtLineByLine)
{
    GameState.humanClub = static_cast<int16_t>(VTW_GetFixtureHomeClub(m_row));
    PlayTheRow();
    const int count = VTW_BuildMatchAnalysis(m_row);
    ASSERT_GT(count, 8);
    EXPECT_EQ(AnalysisLines.text[0], 564);  // "Gardien" first, then the line's own comment
    EXPECT_EQ(AnalysisLines.slot[1], -1);
    std::vector<int> headings;
    for (int k = 0; k < count; ++k) {
        if (AnalysisLines.text[k] <= ANALYSIS_HEADING_LAST)
            headings.push_back(AnalysisLines.text[k]);
    }
    EXPECT_EQ(headings, (std::vector<int>{564, 608, 609, 610}));
    const MatchSide& home = GetMatchSidesBlock()->sides[0];
    const std::vector<int> scorer = CommentsOnSlot(home.entries[9].shirt - 1, count);
    EXPECT_EQ(scorer, (std::vector<int>{2903, 2908}));
    const std::vector<int> sentOff = CommentsOnSlot(home.entries[3].shirt - 1, count);
    EXPECT_EQ(sentOff, (std::vector<int>{2905, 2911}));
    EXPECT_EQ(AnalysisLines.text[count], 0);
}

TEST_F(AnalysisTest, TheHumansAwaySideIsAnalysedAndAnUnplayedRowSaysNothing)
{
    EXPECT_EQ(VTW_BuildMatchAnalysis(m_row), 0);
    EXPECT_EQ(AnalysisLines.text[0], 0);
    GameState.humanClub = static_cast<int16_t>(VTW_GetFixtureAwayClub(m_row));
    PlayTheRow();
    const int count = VTW_BuildMatchAnalysis(m_row);
    ASSERT_GT(count, 0);
    // The home side's brace and red card belong to the other club.
    for (int k = 0; k < count; ++k) {
        EXPECT_NE(AnalysisLines.text[k], 2908);
        EXPECT_NE(AnalysisLines.text[k], 2911);
    }
}

TEST_F(AnalysisTest, ASquadAnalysisNamesEachPlayersTroublesByHisSquadSlot)
{
    const int club = VTW_GetFixtureHomeClub(m_row);
    VTW_RefreshSquadCount(club);
    const int injured = SquadList.players[2];
    const int banned = SquadList.players[5];
    Player_RefForSet(injured, "Test").full->flags |= PLAYER_INJURED;
    Player_RefForSet(banned, "Test").full->suspension = 2;
    Player_RefForSet(banned, "Test").full->contractMonths = 3;
    const int count = VTW_BuildSquadAnalysis(club);
    ASSERT_GT(count, 4);
    int slotOfInjured = -1;
    int slotOfBanned = -1;
    for (int k = 0; k < SquadList.count; ++k) {
        if (SquadList.players[k] == injured) slotOfInjured = k;
        if (SquadList.players[k] == banned) slotOfBanned = k;
    }
    const std::vector<int> hurt = CommentsOnSlot(slotOfInjured, count);
    EXPECT_NE(std::find(hurt.begin(), hurt.end(), 2929), hurt.end());
    const std::vector<int> out = CommentsOnSlot(slotOfBanned, count);
    EXPECT_NE(std::find(out.begin(), out.end(), 2927), out.end());
    EXPECT_NE(std::find(out.begin(), out.end(), 2930), out.end());
}

TEST_F(AnalysisTest, ASquadFullOfTroublesFillsTheTableToItsLastLine)
{
    const int club = VTW_GetFixtureHomeClub(m_row);
    VTW_RefreshSquadCount(club);
    for (int k = 0; k < SquadList.count; ++k) {
        PlayerRecord& p = *Player_RefForSet(SquadList.players[k], "Test").full;
        p.flags |= PLAYER_INJURED;
        p.suspension = 1;
        p.contractMonths = 1;
        p.fitness = 20;
        p.disciplinePoints = 12;
    }
    EXPECT_EQ(VTW_BuildSquadAnalysis(club), ANALYSIS_LINE_MAX);
    EXPECT_NE(AnalysisLines.text[ANALYSIS_LINE_MAX - 1], 0);
}

}  // namespace
