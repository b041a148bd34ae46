// tests/gamecode/matchday_contract_test.cpp: a match-day block as the match day really sets it up
// is one the engine reads as it expects, and the engine's result goes back into the season.
#include <cstdint>

#include "engine/poll.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "menus/tactics.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

// The generated world with the built-in tactics mounted, as the game plays a match day.
class MatchDayContract : public testing::Test {
protected:
    void SetUp() override
    {
        MatchBlocks_Init();
        PollInit();
    }
    void TearDown() override
    {
        PollUninit();
        MatchBlocks_Uninit();
    }

    ScopedWorld m_world;
    ScopedTactics m_tactics;
};

// The first league row of a new game, its home club made the human's and its day today.
int32_t HumansFirstLeagueRow()
{
    NewGameForTest(0, 11);
    int32_t row = 0;
    while (VTW_GetFixtureCompetition(row) != COMP_LEAGUE) {
        ++row;
    }
    const int32_t human = VTW_GetFixtureHomeClub(row);
    VTW_SetClubControl(human, MANAGER_HUMAN);
    GameState.humanClub = static_cast<int16_t>(human);
    Calendar_SetDay(VTW_GetFixtureDay(row));
    return row;
}

void ExpectTheEngineCanReadIt(const MatchDayBlock& block)
{
    EXPECT_GE(+block.official[0], 50);
    EXPECT_LE(+block.official[0], 80);
    EXPECT_GE(+block.official[1], 50);
    EXPECT_LE(+block.official[1], 65);
    EXPECT_GE(+block.official[2], 0);
    EXPECT_LE(+block.official[2], 2);
    EXPECT_EQ(+block.lenientSide, +block.official[2]);
    EXPECT_GE(+block.substitutionsAllowed, 0);
    EXPECT_LE(+block.substitutionsAllowed, 5);
    EXPECT_EQ(+block.periodMinutes, 5);
    for (const MatchSide& side : block.sides) {
        // A computer side plays its first formation, a human one his chosen tactic.
        const int32_t own = side.human != 0 ? side.tactic - TACTIC_CUSTOM_FIRST : 0;
        if (own >= 0) {
            EXPECT_FALSE(TacticsRecord_IsEmpty(side.tactics[own])) << side.teamName;
        }
        EXPECT_LT(+side.tactic, TACTIC_CUSTOM_FIRST + TACTIC_CUSTOM_COUNT);
        // The block is packed: its words are read by value.
        for (int32_t k = 0; k < TAKER_COUNT; ++k) {
            const int32_t shirt = side.designated[k];
            EXPECT_GE(shirt, 1);
            EXPECT_LE(shirt, MATCH_SHIRT_COUNT);
        }
        for (int32_t s = 0; s < MATCH_SHIRT_COUNT; ++s) {
            const MatchPlayerEntry& entry = side.entries[s];
            EXPECT_NE(+entry.playerId, 0xFFFF) << side.teamName << " shirt " << s + 1;
            for (int32_t k = 0; k < MATCH_ATTRIBUTE_COUNT; ++k) {
                EXPECT_LE(+entry.attributes[k], 100) << side.teamName << " shirt " << s + 1;
            }
        }
    }
}

// A goal for the home side early in the second half, as the engine cannot score yet itself.
TEST_F(MatchDayContract, ASetUpFixtureIsReadAsTheEngineExpectsAndItsResultGoesBack)
{
    const int32_t row = HumansFirstLeagueRow();
    SetupFixture(row);
    const MatchDayBlock& block = *GetMatchSidesBlock();
    ExpectTheEngineCanReadIt(block);

    MatchEngine_Start();
    ChosenViewMode = VIEW_NONE;
    AutoRunMode = 0;
    PlayFixture();
    MatchEngine_Stop();
    EXPECT_EQ(Match.substitutesAllowed, +block.substitutionsAllowed);
    EXPECT_EQ(Match.periodMinutes, 5);
    EXPECT_EQ(Match.official[2], +block.lenientSide);
    for (int32_t side = 0; side < 2; ++side) {
        for (int16_t taker : Match.takers[side]) {
            EXPECT_GE(taker, side * MATCH_PERSONS_PER_SIDE);
            EXPECT_LT(taker, (side + 1) * MATCH_PERSONS_PER_SIDE);
        }
    }

    PostMatch_Process();
    // The row holds the score the engine played.
    EXPECT_EQ(VTW_GetFixtureHomeGoals(row), Match.score[0]);
    EXPECT_EQ(VTW_GetFixtureAwayGoals(row), Match.score[1]);
    EXPECT_NE(Fixture_IsPlayed(row), 0);
}

}  // namespace
