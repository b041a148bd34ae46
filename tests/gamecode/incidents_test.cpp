// tests/gamecode/incidents_test.cpp: pressure after incidents, the commentary on a missed chance
// by score, minute, deflection, the shooter's goals and the dominance lines, and the bookkeeping
// of touches.
#include "gamecode/incidents.h"

#include <vector>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/matchstate.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

class Incidents : public testing::Test {
protected:
    void SetUp() override
    {
        MatchEngine_Init();
        Person_PlaceAt(MATCH_BALL, 700, 119);  // out over the top goal, attacked by side 1
        Match.periodLength = 45 * 60;          // one tick a nominal second
        Ball.lastToucher = 20;
        match.Record().commentaryGroups.clear();
        SRand(3);
    }
    static void AtMinute(int32_t m) { Match.periodTicks = static_cast<uint32_t>(m * 60); }
    std::vector<int32_t>& Groups() { return match.Record().commentaryGroups; }
    ScopedMatch match;
};

TEST_F(Incidents, PressureGoesToTheAttackersAndNeverBelowZeroWithOneDrawFirst)
{
    TeamPressure[0] = 5;
    const uint32_t before = RandDrawCount();
    Team_AddPressure(5);
    EXPECT_EQ(TeamPressure[1], 5);
    EXPECT_EQ(TeamPressure[0], 0);
    EXPECT_EQ(RandDrawCount() - before, 1u);
    Person_PlaceAt(MATCH_BALL, 700, 1500);  // the bottom half: side 0 attacks it
    Team_AddPressure(1);
    EXPECT_EQ(TeamPressure[0], 1);
    EXPECT_EQ(TeamPressure[1], 3);
}

TEST_F(Incidents, PressureLineOnlyForAmountsTwoAndThree)
{
    for (const int32_t amount : {1, 2, 3, 4, 5, 6}) {
        int32_t said = 0;
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            SRand(seed);
            TeamPressure[0] = 0;
            TeamPressure[1] = 0;
            Groups().clear();
            Team_AddPressure(amount);
            said += static_cast<int32_t>(Groups().size());
        }
        if (amount == 2 || amount == 3) {
            EXPECT_GT(said, 0) << amount;
        } else {
            EXPECT_EQ(said, 0) << amount;
        }
    }
}

TEST_F(Incidents, MissedChanceLineFollowsTheScoreAndTheMinute)
{
    struct Case {
        int16_t scoreFor, scoreAgainst;
        int32_t minute, group;
    };
    // Side 1 shot: one behind, level or one ahead, late in the match or early on.
    for (const Case c : {Case{0, 1, 44, 81}, Case{0, 1, 20, 82}, Case{1, 1, 86, 85},
                         Case{1, 1, 2, 88}, Case{2, 1, 82, 93}, Case{2, 1, 7, 95}}) {
        SetUp();
        Match.score[1] = c.scoreFor;
        Match.score[0] = c.scoreAgainst;
        AtMinute(c.minute);
        Match.period = c.minute >= 45 ? 1 : 0;
        if (c.minute >= 45) Match.periodTicks = static_cast<uint32_t>((c.minute - 45) * 60);
        Match_MissedChanceComment();
        ASSERT_FALSE(Groups().empty());
        EXPECT_EQ(Groups().front(), c.group) << c.minute;
    }
    SetUp();
    Match.score[1] = 3;
    AtMinute(20);
    Match_MissedChanceComment();
    EXPECT_TRUE(Groups().empty());  // three ahead: nothing to say
}

TEST_F(Incidents, DeflectionShooterAndDominanceLines)
{
    Ball.lastToucher = 3;  // an outfield defender of side 0 turned it wide
    AtMinute(2);
    Match_MissedChanceComment();
    EXPECT_EQ(Groups(), (std::vector<int32_t>{88, 90}));

    SetUp();
    Ball.lastToucher = 0;  // the keeper: the line is about side 1's last kicker
    Match.lastKicker[1] = 25;
    MatchPersons[25].stats.goals = 2;
    Match.score[0] = 3;  // no missed-chance line at three behind
    Match.teamStats[1].shots = 8;
    Match.teamStats[0].shots = 3;
    AtMinute(20);
    Match_MissedChanceComment();
    EXPECT_EQ(Groups(), (std::vector<int32_t>{98, 99}));
    Groups().clear();
    Match_MissedChanceComment();
    EXPECT_EQ(Groups(), (std::vector<int32_t>{98}));  // the dominance line once a match

    SetUp();
    Match.firstShotRecord = 1;
    Match_MissedChanceComment();
    EXPECT_EQ(Groups(), (std::vector<int32_t>{339}));
    SetUp();
    Match.lastKickKind = 9;
    Match_MissedChanceComment();
    EXPECT_TRUE(Groups().empty());
}

TEST_F(Incidents, TouchLinesWaitOutTheirDelayAndAWonBallCountsAsLost)
{
    Match_OnBallTouch(21);  // from team-mate 20
    EXPECT_EQ(Groups(), (std::vector<int32_t>{23}));
    EXPECT_EQ(Match.touchCommentDelay, 16);
    EXPECT_EQ(Match.previousToucher, 20);
    EXPECT_EQ(MatchPersons[21].stats.touches, 1);
    Match_OnBallTouch(5);  // won back while the delay runs: nothing said, nothing counted
    EXPECT_EQ(MatchPersons[21].stats.ballsLost, 0);
    Match.touchCommentDelay = 0;
    Match_OnBallTouch(22);
    EXPECT_EQ(MatchPersons[5].stats.ballsLost, 1);
    EXPECT_EQ(Groups(), (std::vector<int32_t>{23, 24}));
    Match_OnBallTouch(22);  // the last toucher again: only the delay moves
    EXPECT_EQ(MatchPersons[22].stats.touches, 1);
    EXPECT_EQ(Match.touchCommentDelay, 15);
    Ball.holder = 1;
    Match_OnBallTouch(23);
    EXPECT_EQ(Ball.lastToucher, 22);
}

TEST_F(Incidents, PassProviderIsForgottenByAnyTouchButAKeepersOrHisOwn)
{
    Match.passProvider = 21;
    Match_OnBallTouch(16);  // side 1's keeper
    Match_OnBallTouch(21);
    EXPECT_EQ(Match.passProvider, 21);
    Match_OnBallTouch(22);
    EXPECT_EQ(Match.passProvider, -1);
}

TEST_F(Incidents, OwnBoxChallengeAndBoxEntryCountOnlyStrictlyInsideTheArea)
{
    Match.secondOfPair = 0;  // side 0 defends y 122, side 1 y 2042
    ActivePlayer[1] = 20;
    MatchPersons[20].ballDistance = 71;
    struct Case {
        int32_t person, x, y, inside;
    };
    for (const Case c : {Case{3, 477, 409, 1}, Case{3, 476, 300, 0}, Case{3, 700, 410, 0},
                         Case{26, 1115, 1755, 1}}) {
        Person_PlaceAt(c.person, c.x, c.y);
        if (c.person == 26) ActivePlayer[0] = 4;  // whose ball distance is 0
        EXPECT_EQ(Person_InOwnBoxUnderChallenge(c.person), c.inside) << c.x << "," << c.y;
    }
    EXPECT_EQ(MatchPersons[3].stats.ownBoxChallenges, 1);
    MatchPersons[20].ballDistance = 72;
    Person_PlaceAt(3, 700, 300);
    EXPECT_EQ(Person_InOwnBoxUnderChallenge(3), 0);

    KickingSide = 1;
    CurrentPersonPos = {700, 1800, 700 * 65536, 1800 * 65536};
    EXPECT_EQ(Person_CountBoxEntry(9), 1);
    CurrentPersonPos = {1116, 1800, 1116 * 65536, 1800 * 65536};
    EXPECT_EQ(Person_CountBoxEntry(9), 0);
    EXPECT_EQ(MatchPersons[9].stats.boxEntries, 1);
}

}  // namespace
